// Reading the editor's state from the documents' texts with the game's
// rules: buffer sizes, defaults and count limits from the level and plane
// keys' table (scenery/SchemaNiveau.h).
#include "editeur/EtatModele.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/FichierDescription.h"
#include "foundation/Schema.h"
#include "scenery/CBackground.h"
#include "scenery/CLevel.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"
#include "scenery/SchemaNiveau.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <tuple>

using namespace clesNiveau;

namespace editeur {

namespace {

namespace sn = schemaNiveau;

int entier(CLecture& l, const std::string& section, const DefCle& cle)
{
    return l.entier(section, cle.nom, static_cast<int>(cle.defaut));
}

bool booleen(CLecture& l, const std::string& section, const DefCle& cle)
{
    return l.booleen(section, cle.nom, cle.defaut != 0);
}

int positif(int n)
{
    return n < 0 ? 0 : n;
}

}

std::string nomSection(const char* format, int a, int b)
{
    char nom[64];
    snprintf(nom, sizeof nom, format, a, b);
    return nom;
}

const CIndexProfil& CLecture::index(int taille)
{
    std::unique_ptr<CIndexProfil>& i = index_[taille];
    if (!i)
        i.reset(new CIndexProfil(texte_, taille));
    return *i;
}

bool CLecture::chaine(const std::string& section, const char* cle, int taille, std::string& valeur)
{
    const CIndexProfil& i = index(taille);
    const SectionProfil* s = i.trouveSection(section.c_str());
    const CleProfil* c = s ? i.trouveCle(*s, cle) : nullptr;
    if (!c)
        return false;
    valeur.assign(c->valeur, 0, c->valeur.empty() ? 0 : c->valeur.size() - 1);
    return true;
}

int CLecture::entier(const std::string& section, const char* cle, int defaut)
{
    const CIndexProfil& i = index(TAILLE_LIGNE_ENTIER);
    const SectionProfil* s = i.trouveSection(section.c_str());
    const CleProfil* c = s ? i.trouveCle(*s, cle) : nullptr;
    return c ? atoi(c->valeur.c_str()) : defaut;
}

bool CLecture::booleen(const std::string& section, const char* cle, bool defaut)
{
    int v = entier(section, cle, 12);
    return v == 0 ? false : v == 1 ? true : defaut;
}

Cles CLecture::cles(const std::string& section)
{
    Cles resultat;
    const CIndexProfil& i = index(CDocumentProfil::TAILLE_LIGNE);
    const SectionProfil* s = i.trouveSection(section.c_str());
    if (!s)
        return resultat;
    std::set<std::string> vues;
    for (const CleProfil& c : s->cles)
        if (vues.insert(c.cle).second)
            resultat.emplace_back(c.cle, c.valeur.substr(0, c.valeur.empty() ? 0 : c.valeur.size() - 1));
    return resultat;
}

bool fixeTout(CDocumentProfil& doc, const std::string& section, const Cles& cles)
{
    std::vector<ValeurProfil> valeurs;
    for (const auto& c : cles)
        valeurs.push_back({section, c.first, c.second});
    return doc.fixe(valeurs);
}

void retireSections(std::string& texte, const std::vector<std::string>& noms, std::vector<int> retraits)
{
    std::sort(retraits.begin(), retraits.end());
    retraits.erase(std::unique(retraits.begin(), retraits.end()), retraits.end());
    CIndexProfil index(texte, CDocumentProfil::TAILLE_LIGNE);
    std::map<std::string, const SectionProfil*> parNom;
    for (const SectionProfil& s : index.getSections())
        parNom.emplace(s.nom, &s);
    std::vector<size_t> debuts(1, 0);
    for (size_t i = 0; i < texte.size(); ++i)
        if (texte[i] == '\n')
            debuts.push_back(i + 1);
    auto debutLigne = [&](int ligne) {
        return ligne - 1 < static_cast<int>(debuts.size()) ? debuts[ligne - 1] : texte.size();
    };
    auto blanche = [&](int ligne) {
        size_t d = debutLigne(ligne), f = debutLigne(ligne + 1);
        return d < texte.size() && texte.find_first_not_of(" \t\r\n", d) >= f;
    };

    // (offset, length, replacement), applied from the end.
    std::vector<std::tuple<size_t, size_t, std::string>> changements;
    size_t retires = 0;
    for (size_t k = 1; k <= noms.size(); ++k) {
        auto trouve = parNom.find(noms[k - 1]);
        bool retire = retires < retraits.size() && retraits[retires] == static_cast<int>(k);
        if (retire)
            ++retires;
        if (trouve == parNom.end())
            continue;
        const SectionProfil& s = *trouve->second;
        size_t debut = debutLigne(s.ligne);
        if (retire) {
            int derniere = s.ligne;
            for (const CleProfil& c : s.cles)
                derniere = std::max(derniere, c.ligne);
            for (int l : s.lignesSansEgal)
                derniere = std::max(derniere, l);
            // The blank lines after it go too, so no gap is left.
            while ((s.fin == 0 || derniere + 1 < s.fin) && blanche(derniere + 1))
                ++derniere;
            changements.emplace_back(debut, debutLigne(derniere + 1) - debut, "");
        } else if (retires > 0) {
            changements.emplace_back(debut + 1, noms[k - 1].size(), noms[k - 1 - retires]);
        }
    }
    std::sort(changements.begin(), changements.end(),
              [](const auto& a, const auto& b) { return std::get<0>(a) > std::get<0>(b); });
    for (const auto& c : changements)
        texte.replace(std::get<0>(c), std::get<1>(c), std::get<2>(c));
}

namespace {

// A plane file's tiles; false with `erreur` when a count is above what the
// game accepts.
bool lisPlan(const std::string& texte, std::vector<TileEditee>& tiles, std::string& erreur)
{
    tiles.clear();
    CLecture l(texte);
    // As the game: every accepted count takes its items from what the
    // file's size can hold.
    long long reste = maxElements(static_cast<long>(texte.size()));
    auto accepte = [&](long long n, long long limite, const char* cle) {
        if (n <= limite && n <= reste) {
            reste -= n;
            return true;
        }
        erreur = std::string("Valeur trop grande pour ") + cle + " : " + std::to_string(n);
        return false;
    };
    int nombre = positif(entier(l, Entete, sn::NombreTiles));
    if (!accepte(nombre, sn::NombreTiles.max, NombreTiles))
        return false;
    long long total = 0;
    for (int t = 1; t <= nombre; ++t)
        total += positif(entier(l, nomSection(SectionTile, t), sn::NbPositions));
    if (!accepte(total, sn::NbPositions.max, NbPositions))
        return false;
    tiles.resize(nombre);
    for (int t = 1; t <= nombre; ++t) {
        TileEditee& tile = tiles[t - 1];
        const std::string section = nomSection(SectionTile, t);
        int nbFrames = positif(entier(l, section, sn::NbFrames));
        if (!accepte(nbFrames, sn::NbFrames.max, NbFrames))
            return false;
        if (!l.chaine(section, PathPlanche, sn::PathPlanche.tampon, tile.planche))
            tile.planche = "nothing";
        tile.cleR = entier(l, section, sn::ColorkeyR);
        tile.cleG = entier(l, section, sn::ColorkeyG);
        tile.cleB = entier(l, section, sn::ColorkeyB);
        tile.frames.resize(nbFrames);
        for (int m = 1; m <= nbFrames; ++m) {
            const std::string f = nomSection(SectionFrame, t, m);
            FrameEditee& frame = tile.frames[m - 1];
            frame.positionX = static_cast<int16_t>(entier(l, f, sn::RectX));
            frame.positionY = static_cast<int16_t>(entier(l, f, sn::RectY));
            frame.longueur = static_cast<uint16_t>(entier(l, f, sn::RectLongueur));
            frame.hauteur = static_cast<uint16_t>(entier(l, f, sn::RectHauteur));
            frame.alpha = entier(l, f, sn::ValeurAlpha);
            frame.pause = entier(l, f, sn::PauseTile);
        }
        int nbPositions = positif(l.entier(section, NbPositions, 0));
        tile.positions.resize(nbPositions);
        for (int j = 1; j <= nbPositions; ++j) {
            const std::string p = nomSection(SectionPosition, t, j);
            tile.positions[j - 1].x = entier(l, p, sn::PlaceX);
            tile.positions[j - 1].y = entier(l, p, sn::PlaceY);
        }
    }
    return true;
}

}

void CModeleNiveau::Etat::relit(std::vector<std::string>* erreurs)
{
    static unsigned revisions = 0;
    revision = ++revisions;
    const std::string& texte = niveau().texte();
    CLecture l(texte);
    long maximum = maxElements(static_cast<long>(texte.size()));

    int nombrePlans = positif(entier(l, Entete, sn::NombrePlans));
    if (nombrePlans > sn::NombrePlans.max || nombrePlans > maximum)
        nombrePlans = 0;
    plans.resize(nombrePlans);
    documentPlan.assign(nombrePlans, -1);
    for (int n = 1; n <= nombrePlans; ++n) {
        PlanEdite& plan = plans[n - 1];
        const std::string section = nomSection(SectionPlan, n);
        if (!l.chaine(section, PathPlan, sn::PathPlan.tampon, plan.chemin))
            plan.chemin = "nothing";
        ParametresPlanEdites& p = plan.parametres;
        p.priorite = entier(l, section, sn::Priorite);
        p.repeatX = booleen(l, section, sn::RepeatX);
        p.repeatY = booleen(l, section, sn::RepeatY);
        p.positionEcranX = entier(l, section, sn::PositionEcranX);
        p.positionEcranY = entier(l, section, sn::PositionEcranY);
        p.scrollRatio = entier(l, section, sn::ScrollRatio);

        int d = -1;
        for (size_t k = 1; k < documents.size() && d < 0; ++k)
            if (chemins[k] == plan.chemin)
                d = static_cast<int>(k);
        documentPlan[n - 1] = d;
        if (d < 0) {
            plan.lisible = false;
            plan.tiles.clear();
            continue;
        }
        LecturePlan& lecture = lectures[d];
        if (!lecture.lu || lecture.texte != documents[d].texte()) {
            lecture.texte = documents[d].texte();
            lecture.lu = true;
            std::string erreur;
            lecture.lisible = lisPlan(lecture.texte, lecture.tiles, erreur);
            if (!lecture.lisible && erreurs)
                erreurs->push_back(erreur + " dans " + plan.chemin);
        }
        plan.lisible = lecture.lisible;
        plan.tiles = lecture.tiles;
        // The opacity every frame shares, or -1.
        const FrameEditee* premiere = nullptr;
        bool commune = true;
        for (const TileEditee& t : plan.tiles)
            for (const FrameEditee& f : t.frames) {
                premiere = premiere ? premiere : &f;
                commune = commune && f.alpha == premiere->alpha;
            }
        p.alpha = premiere && commune && premiere->alpha >= 0 ? premiere->alpha : -1;
    }

    int nombre = positif(entier(l, Entete, sn::NombreActeurs));
    if (nombre > sn::NombreActeurs.max || nombre > maximum)
        nombre = 0;
    acteurs.resize(nombre);
    for (int n = 1; n <= nombre; ++n) {
        const std::string section = nomSection(SectionActeur, n);
        std::string type;
        l.chaine(section, TypeActeur, sn::TypeActeur.tampon, type);
        coupeMot(type);
        acteurs[n - 1].type = type;
        acteurs[n - 1].x = entier(l, section, sn::ActeurX);
        acteurs[n - 1].y = entier(l, section, sn::ActeurY);
    }
    const int absent = -2147483647;
    nombrePriorites = entier(l, Entete, sn::NombrePriorites);
    arriveeX = l.entier(Entete, ArriveeX, absent);
    aArrivee = arriveeX != absent;
}

unsigned CModeleNiveau::revision() const
{
    return etat_ ? etat_->revision : 0;
}

std::vector<size_t> CModeleNiveau::Etat::aEnregistrer() const
{
    std::vector<size_t> indices;
    for (size_t d = 0; d < documents.size(); ++d)
        if (documents[d].modifie()
            && (d == 0 || static_cast<int>(d) == documentParcours
                || std::find(documentPlan.begin(), documentPlan.end(), static_cast<int>(d)) != documentPlan.end()))
            indices.push_back(d);
    return indices;
}

int CModeleNiveau::Etat::documentPour(const std::string& chemin)
{
    for (size_t d = 1; d < chemins.size(); ++d)
        if (chemins[d] == chemin)
            return static_cast<int>(d);
    CDocumentProfil doc;
    if (!chargeContenu(doc, chemin))
        return -1;
    documents.push_back(std::move(doc));
    chemins.push_back(chemin);
    lectures.emplace_back();
    return static_cast<int>(documents.size()) - 1;
}

std::vector<std::string> CModeleNiveau::Etat::textes() const
{
    std::vector<std::string> t;
    for (const CDocumentProfil& d : documents)
        t.push_back(d.texte());
    return t;
}

CModeleNiveau::Etat::Entree CModeleNiveau::Etat::difference(const std::vector<std::string>& avant) const
{
    Entree e;
    for (size_t d = 0; d < documents.size() && d < avant.size(); ++d)
        if (documents[d].texte() != avant[d])
            e.emplace_back(static_cast<int>(d), avant[d]);
    return e;
}

bool CModeleNiveau::Etat::rejoue(std::vector<Entree>& depuis, std::vector<Entree>& vers)
{
    if (depuis.empty())
        return false;
    Entree inverse;
    for (const auto& e : depuis.back()) {
        inverse.emplace_back(e.first, documents[e.first].texte());
        documents[e.first].remplaceTexte(e.second);
    }
    depuis.pop_back();
    vers.push_back(std::move(inverse));
    relit();
    return true;
}

CDocumentProfil* CModeleNiveau::Etat::documentDe(int plan)
{
    if (plan < 0 || plan >= static_cast<int>(plans.size()) || !plans[plan].lisible)
        return nullptr;
    return &documents[documentPlan[plan]];
}

const TileEditee* CModeleNiveau::Etat::tileDe(int plan, int tile) const
{
    if (plan < 0 || plan >= static_cast<int>(plans.size()) || !plans[plan].lisible)
        return nullptr;
    const PlanEdite& p = plans[plan];
    return tile >= 0 && tile < static_cast<int>(p.tiles.size()) ? &p.tiles[tile] : nullptr;
}

}
