#include "editeur/ModeleNiveau.h"

#include "editeur/EtatModele.h"
#include "foundation/FichierDescription.h"
#include "foundation/Messages.h"
#include "scenery/CBackground.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"

#include <algorithm>
#include <dirent.h>
#include <map>
#include <set>

using namespace clesNiveau;

namespace editeur {

namespace {

std::string nombre(int n)
{
    return std::to_string(n);
}

const char* const Pause = "pause";
const int PAUSE_DEFAUT = 0; // as the game reads a frame without the key

// The keys an actor section holds besides its type and position.
bool cleDePlacement(const std::string& cle)
{
    return cle == TypeActeur || cle == PositionX || cle == PositionY;
}

// A new placement after the tile's last one (after its frames or its
// header when it has none).
bool ajoutePlacement(CDocumentProfil& doc, const TileEditee& tile, int t, int x, int y)
{
    int n = static_cast<int>(tile.positions.size());
    std::string apres = n > 0 ? nomSection(SectionPosition, t, n)
        : !tile.frames.empty() ? nomSection(SectionFrame, t, static_cast<int>(tile.frames.size()))
        : nomSection(SectionTile, t);
    return doc.ajouteSection(nomSection(SectionPosition, t, n + 1).c_str(), apres.c_str(),
                             {{PositionX, nombre(x)}, {PositionY, nombre(y)}})
        && doc.fixe(nomSection(SectionTile, t).c_str(), NbPositions, nombre(n + 1));
}

bool ajouteActeur(CDocumentProfil& doc, int n, const std::string& type, int x, int y, const Cles& autres)
{
    if (!nomTypeActeurValide(type.c_str())) {
        messageErreur("Type d'acteur invalide : \"%s\"\n", type.c_str());
        return false;
    }
    Cles cles = {{TypeActeur, type}, {PositionX, nombre(x)}, {PositionY, nombre(y)}};
    for (const auto& c : autres)
        if (!cleDePlacement(c.first))
            cles.push_back(c);
    std::string apres = n > 0 ? nomSection(SectionActeur, n) : std::string();
    return doc.ajouteSection(nomSection(SectionActeur, n + 1).c_str(), n > 0 ? apres.c_str() : nullptr, cles)
        && doc.fixe(Entete, NombreActeurs, nombre(n + 1));
}

// The frame keys that differ from `actuelle` (a new frame: from the
// defaults, with its rectangle always written).
Cles clesFrame(const FrameEditee& f, const FrameEditee* actuelle)
{
    Cles cles;
    auto ajoute = [&](const char* cle, int valeur, int ancienne, bool toujours) {
        if (toujours ? true : valeur != ancienne)
            cles.emplace_back(cle, nombre(valeur));
    };
    FrameEditee defaut;
    const FrameEditee& a = actuelle ? *actuelle : defaut;
    bool neuve = actuelle == nullptr;
    ajoute(PositionX, f.positionX, a.positionX, neuve);
    ajoute(PositionY, f.positionY, a.positionY, neuve);
    ajoute("longueur", f.longueur, a.longueur, neuve);
    ajoute("hauteur", f.hauteur, a.hauteur, neuve);
    ajoute(ValeurAlpha, f.alpha, a.alpha, neuve);
    ajoute(Pause, f.pause, neuve ? PAUSE_DEFAUT : a.pause, false);
    return cles;
}

bool fixeTout(CDocumentProfil& doc, const std::string& section, const Cles& cles)
{
    for (const auto& c : cles)
        if (!doc.fixe(section.c_str(), c.first.c_str(), c.second))
            return false;
    return true;
}

bool planValide(const CModeleNiveau::Etat& e, int plan)
{
    return plan >= 0 && plan < static_cast<int>(e.plans.size());
}

}

CModeleNiveau::CModeleNiveau() = default;
CModeleNiveau::~CModeleNiveau() = default;

bool CModeleNiveau::ouvre(const std::string& fichierNiveau)
{
    if (tailleFichier(fichierNiveau.c_str()) < 0) {
        messageErreur("Fichier introuvable : %s\n", fichierNiveau.c_str());
        return false;
    }
    std::unique_ptr<Etat> e(new Etat);
    e->fichier = fichierNiveau;
    e->documents.emplace_back();
    e->chemins.push_back(fichierNiveau);
    if (!e->niveau().charge(fichierNiveau.c_str()))
        return false;
    e->lectures.resize(1);
    e->relit();

    // One document per plane file, however many planes name it.
    std::map<std::string, int> parChemin;
    for (const PlanEdite& plan : e->plans) {
        int d = -1;
        auto trouve = parChemin.find(plan.chemin);
        if (trouve != parChemin.end()) {
            d = trouve->second;
        } else if (tailleFichier(plan.chemin.c_str()) < 0) {
            messageErreur("Plan illisible, laissé tel quel : %s\n", plan.chemin.c_str());
        } else {
            CDocumentProfil doc;
            if (doc.charge(plan.chemin.c_str())) {
                d = static_cast<int>(e->documents.size());
                e->documents.push_back(std::move(doc));
                e->chemins.push_back(plan.chemin);
            }
        }
        parChemin[plan.chemin] = d;
        e->documentPlan.push_back(d);
    }
    e->lectures.resize(e->documents.size());
    std::vector<std::string> erreurs;
    e->relit(&erreurs);
    for (const std::string& erreur : erreurs)
        messageErreur("%s\n", erreur.c_str());
    etat_ = std::move(e);
    return true;
}

const std::string& CModeleNiveau::fichierNiveau() const
{
    static const std::string vide;
    return etat_ ? etat_->fichier : vide;
}

const std::vector<PlanEdite>& CModeleNiveau::plans() const
{
    static const std::vector<PlanEdite> aucun;
    return etat_ ? etat_->plans : aucun;
}

const std::vector<ActeurEdite>& CModeleNiveau::acteurs() const
{
    static const std::vector<ActeurEdite> aucun;
    return etat_ ? etat_->acteurs : aucun;
}

bool CModeleNiveau::arrivee(int& x) const
{
    if (!etat_ || !etat_->aArrivee)
        return false;
    x = etat_->arriveeX;
    return true;
}

std::vector<std::string> CModeleNiveau::typesActeurs() const
{
    std::vector<std::string> types;
    DIR* dossier = opendir("data/acteurs");
    if (!dossier)
        return types;
    while (dirent* entree = readdir(dossier)) {
        std::string nom = entree->d_name;
        if (nom.size() > 4 && nom.compare(nom.size() - 4, 4, ".ini") == 0) {
            nom.resize(nom.size() - 4);
            if (nomTypeActeurValide(nom.c_str()))
                types.push_back(nom);
        }
    }
    closedir(dossier);
    std::sort(types.begin(), types.end());
    return types;
}

bool CModeleNiveau::placeTile(int plan, int tile, int x, int y)
{
    return etape([&](Etat& e) {
        CDocumentProfil* doc = e.documentDe(plan);
        const TileEditee* t = e.tileDe(plan, tile);
        return doc && t && ajoutePlacement(*doc, *t, tile + 1, x, y);
    });
}

bool CModeleNiveau::placeActeur(const std::string& type, int x, int y)
{
    return etape([&](Etat& e) {
        return ajouteActeur(e.niveau(), static_cast<int>(e.acteurs.size()), type, x, y, {});
    });
}

namespace {

bool existe(const CModeleNiveau::Etat& e, const Element& el)
{
    if (el.genre == Element::Acteur)
        return el.index >= 0 && el.index < static_cast<int>(e.acteurs.size());
    const TileEditee* t = e.tileDe(el.plan, el.tile);
    return t && el.index >= 0 && el.index < static_cast<int>(t->positions.size());
}

// The elements once each, in a fixed order; false when one is not there.
bool valides(const CModeleNiveau::Etat& e, const std::vector<Element>& elements,
             std::vector<Element>& uniques)
{
    uniques.clear();
    for (const Element& el : elements) {
        if (!existe(e, el))
            return false;
        if (std::find(uniques.begin(), uniques.end(), el) == uniques.end())
            uniques.push_back(el);
    }
    return !uniques.empty();
}

}

bool CModeleNiveau::deplace(const std::vector<Element>& elements, int dx, int dy)
{
    return etape([&](Etat& e) {
        std::vector<Element> uniques;
        if (!valides(e, elements, uniques))
            return false;
        for (const Element& el : uniques) {
            bool ok;
            if (el.genre == Element::Acteur) {
                const ActeurEdite& a = e.acteurs[el.index];
                ok = fixeTout(e.niveau(), nomSection(SectionActeur, el.index + 1),
                              {{PositionX, nombre(a.x + dx)}, {PositionY, nombre(a.y + dy)}});
            } else {
                const PositionEditee& p = e.plans[el.plan].tiles[el.tile].positions[el.index];
                // Two planes may share a file: each placement moves once.
                ok = fixeTout(*e.documentDe(el.plan), nomSection(SectionPosition, el.tile + 1, el.index + 1),
                              {{PositionX, nombre(p.x + dx)}, {PositionY, nombre(p.y + dy)}});
            }
            if (!ok)
                return false;
        }
        return true;
    });
}

bool CModeleNiveau::supprime(const std::vector<Element>& elements)
{
    return etape([&](Etat& e) {
        std::vector<Element> uniques;
        if (!valides(e, elements, uniques))
            return false;
        // (document, tile) -> 1-based placements; tile -1: actors.
        std::map<std::pair<int, int>, std::set<int>> groupes;
        for (const Element& el : uniques) {
            if (el.genre == Element::Acteur)
                groupes[{0, -1}].insert(el.index + 1);
            else
                groupes[{e.documentPlan[el.plan], el.tile}].insert(el.index + 1);
        }
        for (const auto& g : groupes) {
            CDocumentProfil& doc = e.documents[g.first.first];
            int t = g.first.second;
            int n = 0;
            if (t < 0) {
                n = static_cast<int>(e.acteurs.size());
            } else {
                for (size_t p = 0; p < e.plans.size(); ++p)
                    if (e.documentPlan[p] == g.first.first)
                        n = static_cast<int>(e.plans[p].tiles[t].positions.size());
            }
            std::vector<std::string> noms;
            for (int k = 1; k <= n; ++k)
                noms.push_back(t < 0 ? nomSection(SectionActeur, k) : nomSection(SectionPosition, t + 1, k));
            std::string texte = doc.texte();
            retireSections(texte, noms, std::vector<int>(g.second.begin(), g.second.end()));
            doc.remplaceTexte(texte);
            int reste = n - static_cast<int>(g.second.size());
            bool ok = t < 0 ? doc.fixe(Entete, NombreActeurs, nombre(reste))
                            : doc.fixe(nomSection(SectionTile, t + 1).c_str(), NbPositions, nombre(reste));
            if (!ok)
                return false;
        }
        return true;
    });
}

PressePapier CModeleNiveau::copie(const std::vector<Element>& elements) const
{
    PressePapier p;
    if (!etat_)
        return p;
    const Etat& e = *etat_;
    std::vector<Element> uniques;
    if (!valides(e, elements, uniques))
        return p;
    CLecture lecture(e.documents[0].texte());
    for (const Element& el : uniques) {
        PressePapier::Copie c;
        c.genre = el.genre;
        c.plan = el.plan;
        c.tile = el.tile;
        if (el.genre == Element::Acteur) {
            const ActeurEdite& a = e.acteurs[el.index];
            c.type = a.type;
            c.x = a.x;
            c.y = a.y;
            for (const auto& cle : lecture.cles(nomSection(SectionActeur, el.index + 1)))
                if (!cleDePlacement(cle.first))
                    c.cles.push_back(cle);
        } else {
            const PositionEditee& pos = e.plans[el.plan].tiles[el.tile].positions[el.index];
            c.x = pos.x;
            c.y = pos.y;
        }
        p.copies.push_back(c);
    }
    return p;
}

bool CModeleNiveau::colle(const PressePapier& p, int dx, int dy, std::vector<Element>* colles)
{
    std::vector<Element> ajoutes;
    bool ok = etape([&](Etat& e) {
        for (const PressePapier::Copie& c : p.copies) {
            Element el;
            el.genre = c.genre;
            if (c.genre == Element::Acteur) {
                el.index = static_cast<int>(e.acteurs.size());
                if (!ajouteActeur(e.niveau(), el.index, c.type, c.x + dx, c.y + dy, c.cles))
                    return false;
            } else {
                CDocumentProfil* doc = e.documentDe(c.plan);
                const TileEditee* t = e.tileDe(c.plan, c.tile);
                if (!doc || !t)
                    return false;
                el.plan = c.plan;
                el.tile = c.tile;
                el.index = static_cast<int>(t->positions.size());
                if (!ajoutePlacement(*doc, *t, c.tile + 1, c.x + dx, c.y + dy))
                    return false;
            }
            ajoutes.push_back(el);
            e.relit();
        }
        return !ajoutes.empty();
    });
    if (ok && colles)
        *colles = ajoutes;
    return ok;
}

bool CModeleNiveau::fixeParametres(int plan, const ParametresPlanEdites& p)
{
    return etape([&](Etat& e) {
        if (!planValide(e, plan))
            return false;
        const ParametresPlanEdites& a = e.plans[plan].parametres;
        Cles cles;
        auto ajoute = [&](const char* cle, int valeur, int ancienne) {
            if (valeur != ancienne)
                cles.emplace_back(cle, nombre(valeur));
        };
        ajoute(Priorite, p.priorite, a.priorite);
        ajoute(ScrollRatio, p.scrollRatio, a.scrollRatio);
        ajoute(PositionEcranX, p.positionEcranX, a.positionEcranX);
        ajoute(PositionEcranY, p.positionEcranY, a.positionEcranY);
        ajoute(RepeatX, p.repeatX, a.repeatX);
        ajoute(RepeatY, p.repeatY, a.repeatY);
        return fixeTout(e.niveau(), nomSection(SectionPlan, plan + 1), cles);
    });
}

bool CModeleNiveau::ajouteTile(int plan, const TileEditee& tile)
{
    return etape([&](Etat& e) {
        CDocumentProfil* doc = e.documentDe(plan);
        if (!doc || tile.frames.size() > static_cast<size_t>(MAX_FRAMES_TILE))
            return false;
        int t = static_cast<int>(e.plans[plan].tiles.size()) + 1;
        int nbFrames = static_cast<int>(tile.frames.size());
        Cles cles = {{NbFrames, nombre(nbFrames)}, {NbPositions, "0"}, {PathPlanche, tile.planche}};
        // Every key written, so that the checker has nothing to say.
        cles.emplace_back(ColorkeyR, nombre(tile.cleR < 0 ? -1 : tile.cleR));
        cles.emplace_back(ColorkeyG, nombre(tile.cleG < 0 ? 0 : tile.cleG));
        cles.emplace_back(ColorkeyB, nombre(tile.cleB < 0 ? 0 : tile.cleB));
        std::string section = nomSection(SectionTile, t);
        if (!doc->ajouteSection(section.c_str(), nullptr, cles))
            return false;
        for (int m = 1; m <= nbFrames; ++m) {
            std::string apres = m > 1 ? nomSection(SectionFrame, t, m - 1) : section;
            if (!doc->ajouteSection(nomSection(SectionFrame, t, m).c_str(), apres.c_str(),
                                    clesFrame(tile.frames[m - 1], nullptr)))
                return false;
        }
        return doc->fixe(Entete, NombreTiles, nombre(t));
    });
}

bool CModeleNiveau::modifieTile(int plan, int tile, const TileEditee& nouvelle)
{
    return etape([&](Etat& e) {
        CDocumentProfil* doc = e.documentDe(plan);
        const TileEditee* a = e.tileDe(plan, tile);
        if (!doc || !a || nouvelle.frames.size() > static_cast<size_t>(MAX_FRAMES_TILE))
            return false;
        const TileEditee ancienne = *a;
        const int t = tile + 1;
        const std::string section = nomSection(SectionTile, t);
        Cles cles;
        if (nouvelle.planche != ancienne.planche)
            cles.emplace_back(PathPlanche, nouvelle.planche);
        if (nouvelle.cleR != ancienne.cleR)
            cles.emplace_back(ColorkeyR, nombre(nouvelle.cleR));
        const int g = nouvelle.cleG < 0 ? 0 : nouvelle.cleG, b = nouvelle.cleB < 0 ? 0 : nouvelle.cleB;
        if (nouvelle.cleR != -1 && g != ancienne.cleG)
            cles.emplace_back(ColorkeyG, nombre(g));
        if (nouvelle.cleR != -1 && b != ancienne.cleB)
            cles.emplace_back(ColorkeyB, nombre(b));
        if (!fixeTout(*doc, section, cles))
            return false;

        const int avant = static_cast<int>(ancienne.frames.size());
        const int apres = static_cast<int>(nouvelle.frames.size());
        for (int m = 1; m <= apres; ++m) {
            const std::string f = nomSection(SectionFrame, t, m);
            bool ok = m <= avant
                ? fixeTout(*doc, f, clesFrame(nouvelle.frames[m - 1], &ancienne.frames[m - 1]))
                : doc->ajouteSection(f.c_str(), (m > 1 ? nomSection(SectionFrame, t, m - 1) : section).c_str(),
                                     clesFrame(nouvelle.frames[m - 1], nullptr));
            if (!ok)
                return false;
        }
        if (apres < avant) {
            std::vector<std::string> noms;
            std::vector<int> retraits;
            for (int m = 1; m <= avant; ++m) {
                noms.push_back(nomSection(SectionFrame, t, m));
                if (m > apres)
                    retraits.push_back(m);
            }
            std::string texte = doc->texte();
            retireSections(texte, noms, retraits);
            doc->remplaceTexte(texte);
        }
        return avant == apres || doc->fixe(section.c_str(), NbFrames, nombre(apres));
    });
}

bool CModeleNiveau::annule()
{
    if (!etat_ || etat_->annulations.empty())
        return false;
    Etat::Entree entree = std::move(etat_->annulations.back());
    etat_->annulations.pop_back();
    etat_->retablissements.push_back(etat_->applique(entree));
    return true;
}

bool CModeleNiveau::retablit()
{
    if (!etat_ || etat_->retablissements.empty())
        return false;
    Etat::Entree entree = std::move(etat_->retablissements.back());
    etat_->retablissements.pop_back();
    etat_->annulations.push_back(etat_->applique(entree));
    return true;
}

bool CModeleNiveau::peutAnnuler() const
{
    return etat_ && !etat_->annulations.empty();
}

bool CModeleNiveau::peutRetablir() const
{
    return etat_ && !etat_->retablissements.empty();
}

bool CModeleNiveau::modifie() const
{
    if (etat_)
        for (const CDocumentProfil& d : etat_->documents)
            if (d.modifie())
                return true;
    return false;
}

bool CModeleNiveau::sauve()
{
    if (!etat_)
        return false;
    bool ok = true;
    for (CDocumentProfil& d : etat_->documents)
        if (d.modifie() && !d.sauve())
            ok = false;
    if (ok)
        effaceAutosave(etat_->fichier);
    return ok;
}

}
