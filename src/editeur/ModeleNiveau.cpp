#include "editeur/ModeleNiveau.h"

#include "editeur/EtatModele.h"
#include "foundation/DossiersJoueur.h"
#include "foundation/FichierDescription.h"
#include "foundation/IndexProfil.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "game/SchemaParcours.h"
#include "scenery/CBackground.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <map>
#include <set>
#include <sys/stat.h>

using namespace clesNiveau;

namespace editeur {

namespace {


// The keys an actor section holds besides its type and position.
bool cleDePlacement(const std::string& cle)
{
    return cle == TypeActeur || cle == PositionX || cle == PositionY;
}

// Where placement n + 1 of tile t goes: after the tile's n others, or
// after its frames or its header when it has none.
std::string apresPlacements(int t, int n, int nbFrames)
{
    return n > 0 ? nomSection(SectionPosition, t, n)
        : nbFrames > 0 ? nomSection(SectionFrame, t, nbFrames)
        : nomSection(SectionTile, t);
}

SectionNouvelle sectionPlacement(int t, int j, int x, int y)
{
    return {nomSection(SectionPosition, t, j), {{PositionX, nombre(x)}, {PositionY, nombre(y)}}};
}

// [Acteur n]; false for a type the game would leave out.
bool sectionActeur(int n, const std::string& type, int x, int y, const Cles& autres, SectionNouvelle& section)
{
    if (!nomTypeActeurValide(type.c_str())) {
        messageErreur("Type d'acteur invalide : \"%s\"\n", type.c_str());
        return false;
    }
    section.nom = nomSection(SectionActeur, n);
    section.cles = {{TypeActeur, type}, {PositionX, nombre(x)}, {PositionY, nombre(y)}};
    for (const auto& c : autres)
        if (!cleDePlacement(c.first))
            section.cles.push_back(c);
    return true;
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
    // An installed level is read where it lies and saved as the author's copy.
    if (!chargeContenu(e->niveau(), fichierNiveau))
        return false;
    // Any file reads as some level, most as an empty one: one that says
    // nothing of a level is not opened, so a save can never overwrite it.
    const std::string& texte = e->niveau().texte();
    if (!texte.empty() && !CIndexProfil(texte, CDocumentProfil::TAILLE_LIGNE).trouveSection(clesNiveau::Entete)) {
        messageErreur("Ce fichier n'est pas un niveau (aucune section [%s]) : %s\n", clesNiveau::Entete,
                      fichierNiveau.c_str());
        return false;
    }
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
            if (chargeContenu(doc, plan.chemin)) {
                d = static_cast<int>(e->documents.size());
                e->documents.push_back(std::move(doc));
                e->chemins.push_back(plan.chemin);
            }
        }
        parChemin[plan.chemin] = d;
    }
    // The journey comes along: the level panel adds the level to it.
    CDocumentProfil parcours;
    if (chargeContenu(parcours, schemaParcours::Fichier)) {
        e->documentParcours = static_cast<int>(e->documents.size());
        e->documents.push_back(std::move(parcours));
        e->chemins.push_back(schemaParcours::Fichier);
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

bool CModeleNiveau::dessineEnJeu(int plan) const
{
    if (!etat_ || plan < 0 || plan >= static_cast<int>(etat_->plans.size()))
        return false;
    int priorite = etat_->plans[plan].parametres.priorite;
    return priorite >= 1 && priorite <= etat_->nombrePriorites;
}

std::vector<std::string> CModeleNiveau::typesActeurs() const
{
    std::vector<std::string> types = typesActeursSurDisque();
    auto invalide = [](const std::string& t) { return !nomTypeActeurValide(t.c_str()); };
    types.erase(std::remove_if(types.begin(), types.end(), invalide), types.end());
    return types;
}

std::vector<TileEditee> CModeleNiveau::planchesPossibles(int plan) const
{
    std::vector<TileEditee> choix;
    // A sheet and its colour key, without the tile's frames and placements.
    auto ajoute = [&](const TileEditee& t) {
        if (t.planche.empty())
            return;
        for (const TileEditee& c : choix)
            if (c.planche == t.planche)
                return;
        choix.push_back(t);
        choix.back().frames.clear();
        choix.back().positions.clear();
    };
    const std::vector<PlanEdite>& tous = plans();
    if (plan >= 0 && plan < static_cast<int>(tous.size()))
        for (const TileEditee& t : tous[plan].tiles)
            ajoute(t);
    for (const PlanEdite& p : tous)
        for (const TileEditee& t : p.tiles)
            ajoute(t);
    // Written as the demo's own paths are: "./data/levels/...".
    for (const std::string& image : fichiersContenu("data/levels")) {
        std::string extension = std::filesystem::path(image).extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension != ".png" && extension != ".bmp" && extension != ".jpg" && extension != ".gif")
            continue;
        TileEditee t;
        t.planche = image;
        ajoute(t);
    }
    return choix;
}

bool CModeleNiveau::creeNiveau(const std::string& fichier)
{
    std::string base = fichier;
    if (base.size() > 4 && base.compare(base.size() - 4, 4, ".ini") == 0)
        base.resize(base.size() - 4);
    const std::string plan = base + "/sol.ini";
    if (plan.size() >= static_cast<size_t>(LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN)) {
        messageErreur("Chemin trop long pour un plan : %s\n", plan.c_str());
        return false;
    }
    struct stat infos;
    for (const std::string& f : {fichier, plan})
        if (stat(cheminContenuLu(f).c_str(), &infos) == 0) {
            messageErreur("Le fichier existe déjà : %s\n", f.c_str());
            return false;
        }
    // In an installed game, the author's folder; the level names its plane
    // as the content does, wherever it is written.
    const std::string planEcrit = cheminContenuEcrit(plan);
    if (planEcrit != plan) {
        if (!creeDossierContenu(planEcrit))
            return false;
    } else if (mkdir(base.c_str(), 0755) != 0 && errno != EEXIST) {
        messageErreur("Dossier impossible à créer : %s : %s\n", base.c_str(), strerror(errno));
        return false;
    }
    // The plane first: the level never names a file that is not there.
    if (!remplaceFichierAtomique(planEcrit.c_str(), "[Entete]\nnombreTiles=0\n")
        || !remplaceFichierAtomique(cheminContenuEcrit(fichier).c_str(),
                                    "; Niveau créé par l'éditeur.\n[Entete]\nnombrePriorites=1\nnombrePlans=1\n"
                                    "nombreActeurs=0\n\n[Plan1]\npathPlan="
                                        + plan
                                        + "\npriorite=1\nrepeatX=0\nrepeatY=0\npositionEcranX=0\n"
                                          "positionEcranY=0\nscrollRatio=100\n")) {
        messageErreur("Impossible d'écrire le nouveau niveau : %s\n", fichier.c_str());
        return false;
    }
    return true;
}

bool CModeleNiveau::placeTile(int plan, int tile, int x, int y)
{
    return etape([&](Etat& e) {
        CDocumentProfil* doc = e.documentDe(plan);
        const TileEditee* t = e.tileDe(plan, tile);
        if (!doc || !t)
            return false;
        int n = static_cast<int>(t->positions.size());
        return doc->ajouteSections(apresPlacements(tile + 1, n, static_cast<int>(t->frames.size())).c_str(),
                                   {sectionPlacement(tile + 1, n + 1, x, y)})
            && doc->fixe(nomSection(SectionTile, tile + 1).c_str(), NbPositions, nombre(n + 1));
    });
}

bool CModeleNiveau::placeActeur(const std::string& type, int x, int y)
{
    return etape([&](Etat& e) {
        int n = static_cast<int>(e.acteurs.size());
        SectionNouvelle section;
        return sectionActeur(n + 1, type, x, y, {}, section)
            && e.niveau().ajouteSections(n > 0 ? nomSection(SectionActeur, n).c_str() : nullptr, {section})
            && e.niveau().fixe(Entete, NombreActeurs, nombre(n + 1));
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
        // One reading per document, however many elements move.
        std::map<int, std::vector<ValeurProfil>> valeurs;
        for (const Element& el : uniques) {
            int x, y, d = 0;
            std::string section;
            if (el.genre == Element::Acteur) {
                x = e.acteurs[el.index].x;
                y = e.acteurs[el.index].y;
                section = nomSection(SectionActeur, el.index + 1);
            } else {
                const PositionEditee& p = e.plans[el.plan].tiles[el.tile].positions[el.index];
                x = p.x;
                y = p.y;
                d = e.documentPlan[el.plan];
                section = nomSection(SectionPosition, el.tile + 1, el.index + 1);
            }
            // Two planes may share a file: a placement named twice moves once.
            valeurs[d].push_back({section, PositionX, nombre(x + dx)});
            valeurs[d].push_back({section, PositionY, nombre(y + dy)});
        }
        for (const auto& v : valeurs)
            if (!e.documents[v.first].fixe(v.second))
                return false;
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
        // The new sections of each tile (document, tile) and of the actors
        // go in one block after the last ones.
        struct Ajouts {
            const TileEditee* tile;
            std::vector<SectionNouvelle> sections;
        };
        std::map<std::pair<int, int>, Ajouts> placements;
        std::vector<SectionNouvelle> acteurs;
        const int nbActeurs = static_cast<int>(e.acteurs.size());
        for (const PressePapier::Copie& c : p.copies) {
            Element el;
            el.genre = c.genre;
            if (c.genre == Element::Acteur) {
                el.index = nbActeurs + static_cast<int>(acteurs.size());
                acteurs.emplace_back();
                if (!sectionActeur(el.index + 1, c.type, c.x + dx, c.y + dy, c.cles, acteurs.back()))
                    return false;
            } else {
                const TileEditee* t = e.tileDe(c.plan, c.tile);
                if (!t)
                    return false;
                Ajouts& a = placements[{e.documentPlan[c.plan], c.tile}];
                a.tile = t;
                el.plan = c.plan;
                el.tile = c.tile;
                el.index = static_cast<int>(t->positions.size() + a.sections.size());
                a.sections.push_back(sectionPlacement(c.tile + 1, el.index + 1, c.x + dx, c.y + dy));
            }
            ajoutes.push_back(el);
        }
        for (const auto& a : placements) {
            CDocumentProfil& doc = e.documents[a.first.first];
            const int t = a.first.second + 1;
            const int n = static_cast<int>(a.second.tile->positions.size());
            const int nbFrames = static_cast<int>(a.second.tile->frames.size());
            if (!doc.ajouteSections(apresPlacements(t, n, nbFrames).c_str(), a.second.sections)
                || !doc.fixe(nomSection(SectionTile, t).c_str(), NbPositions,
                             nombre(n + static_cast<int>(a.second.sections.size()))))
                return false;
        }
        if (!acteurs.empty()
            && (!e.niveau().ajouteSections(nbActeurs > 0 ? nomSection(SectionActeur, nbActeurs).c_str() : nullptr,
                                           acteurs)
                || !e.niveau().fixe(Entete, NombreActeurs, nombre(nbActeurs + static_cast<int>(acteurs.size())))))
            return false;
        return !ajoutes.empty();
    });
    if (ok && colles)
        *colles = ajoutes;
    return ok;
}

bool CModeleNiveau::annule()
{
    return etat_ && etat_->rejoue(etat_->annulations, etat_->retablissements);
}

bool CModeleNiveau::retablit()
{
    return etat_ && etat_->rejoue(etat_->retablissements, etat_->annulations);
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
    return etat_ && !etat_->aEnregistrer().empty();
}

}
