// The steps on the level's planes as a whole (add, take out, draw order)
// and on its finish line.
#include "editeur/EtatModele.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/FichierDescription.h"
#include "foundation/Messages.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"
#include "scenery/SchemaNiveau.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace clesNiveau;

namespace editeur {

namespace {

bool dessine(const CModeleNiveau::Etat& e, int priorite)
{
    return priorite >= 1 && priorite <= e.nombrePriorites;
}

// Gives the planes the priorities `voulues` (one per plane; only drawn
// planes should change) with nombrePriorites at least `auMoins`. When that
// count rises, the planes the game leaves out above it rise as much, so
// that none of them shows.
bool appliquePriorites(CModeleNiveau::Etat& e, std::vector<int> voulues, int auMoins)
{
    const int avant = e.nombrePriorites;
    int apres = std::max(avant, auMoins);
    for (size_t p = 0; p < e.plans.size(); ++p)
        if (dessine(e, e.plans[p].parametres.priorite))
            apres = std::max(apres, voulues[p]);
    std::vector<ValeurProfil> valeurs;
    for (size_t p = 0; p < e.plans.size(); ++p) {
        const int ancienne = e.plans[p].parametres.priorite;
        if (ancienne > avant)
            voulues[p] = ancienne + (apres - avant);
        if (voulues[p] != ancienne)
            valeurs.push_back({nomSection(SectionPlan, static_cast<int>(p) + 1), Priorite, nombre(voulues[p])});
    }
    if (apres != avant)
        valeurs.push_back({Entete, NombrePriorites, nombre(apres)});
    return valeurs.empty() || e.niveau().fixe(valeurs);
}

std::string dossierDe(const std::string& chemin)
{
    size_t barre = chemin.rfind('/');
    return barre == std::string::npos ? std::string() : chemin.substr(0, barre + 1);
}

}

std::string CModeleNiveau::cheminNouveauPlan(const std::string& planche) const
{
    if (!etat_)
        return std::string();
    const Etat& e = *etat_;
    // Beside the first plane, or in the level's own folder ("mien/" for
    // mien.ini) when it has none.
    std::string dossier;
    if (!e.plans.empty() && e.plans[0].chemin != "nothing") {
        dossier = dossierDe(e.plans[0].chemin);
    } else {
        dossier = e.fichier;
        if (dossier.size() > 4 && dossier.compare(dossier.size() - 4, 4, ".ini") == 0)
            dossier.resize(dossier.size() - 4);
        dossier += "/";
    }
    std::string nom = planche.substr(planche.rfind('/') + 1);
    nom = nom.substr(0, nom.rfind('.'));
    if (nom.empty() || nom == "nothing")
        nom = "plan";
    // A name no file and no document has, so nothing is overwritten.
    for (int n = 1;; ++n) {
        std::string chemin = dossier + nom + (n > 1 ? std::to_string(n) : std::string()) + ".ini";
        struct stat infos;
        if (std::find(e.chemins.begin(), e.chemins.end(), chemin) == e.chemins.end()
            && stat(cheminContenuLu(chemin).c_str(), &infos) != 0)
            return chemin;
    }
}

bool CModeleNiveau::ajoutePlan(const TileEditee& tile)
{
    if (!etat_)
        return false;
    Etat& e = *etat_;
    const std::string chemin = cheminNouveauPlan(tile.planche);
    if (chemin.size() >= static_cast<size_t>(LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN)) {
        messageErreur("Chemin trop long pour un plan : %s\n", chemin.c_str());
        return false;
    }
    const std::string dossier = dossierDe(chemin);
    // An author's copy gets its folder when saved.
    if (!dossier.empty() && cheminContenuEcrit(chemin) == chemin && mkdir(dossier.c_str(), 0755) != 0
        && errno != EEXIST) {
        messageErreur("Dossier impossible à créer : %s : %s\n", dossier.c_str(), strerror(errno));
        return false;
    }
    // The plane's document exists before the step: a step's history holds
    // the texts of the documents that were there before it.
    const int d = e.documentPour(chemin);
    if (d < 0)
        return false;
    CDocumentProfil& plan = e.documents[d];
    plan.remplaceTexte("[Entete]\nnombreTiles=0\n");
    if (!ecritNouvelleTile(plan, 1, tile))
        return false;
    return etape([&](Etat& etat) {
        int priorite = 0;
        for (const PlanEdite& p : etat.plans)
            if (dessine(etat, p.parametres.priorite))
                priorite = std::max(priorite, p.parametres.priorite);
        ++priorite;
        std::vector<int> actuelles;
        for (const PlanEdite& p : etat.plans)
            actuelles.push_back(p.parametres.priorite);
        if (!appliquePriorites(etat, actuelles, priorite))
            return false;
        const int n = static_cast<int>(etat.plans.size()) + 1;
        SectionNouvelle section{nomSection(SectionPlan, n),
                                {{PathPlan, chemin},
                                 {Priorite, nombre(priorite)},
                                 {RepeatX, "0"},
                                 {RepeatY, "0"},
                                 {PositionEcranX, "0"},
                                 {PositionEcranY, "0"},
                                 {ScrollRatio, "100"}}};
        return etat.niveau().ajouteSections(n > 1 ? nomSection(SectionPlan, n - 1).c_str() : nullptr, {section})
            && etat.niveau().fixe(Entete, NombrePlans, nombre(n));
    });
}

bool CModeleNiveau::retirePlan(int plan)
{
    return etape([&](Etat& e) {
        const int n = static_cast<int>(e.plans.size());
        if (plan < 0 || plan >= n)
            return false;
        if (n == 1) {
            messageErreur("Un niveau garde au moins un plan\n");
            return false;
        }
        std::vector<std::string> noms;
        for (int k = 1; k <= n; ++k)
            noms.push_back(nomSection(SectionPlan, k));
        std::string texte = e.niveau().texte();
        retireSections(texte, noms, {plan + 1});
        e.niveau().remplaceTexte(texte);
        std::vector<ValeurProfil> valeurs = {{Entete, NombrePlans, nombre(n - 1)}};
        // When the top priority goes, the count comes down to the highest
        // one still drawn (lower never shows a plane the game left out).
        int reste = 0;
        for (int p = 0; p < n; ++p)
            if (p != plan && dessine(e, e.plans[p].parametres.priorite))
                reste = std::max(reste, e.plans[p].parametres.priorite);
        if (e.plans[plan].parametres.priorite == e.nombrePriorites && reste > 0 && reste < e.nombrePriorites)
            valeurs.push_back({Entete, NombrePriorites, nombre(reste)});
        return e.niveau().fixe(valeurs);
    });
}

bool CModeleNiveau::deplacePlan(int plan, int sens)
{
    return etape([&](Etat& e) {
        const int n = static_cast<int>(e.plans.size());
        if (plan < 0 || plan >= n || sens == 0 || !dessine(e, e.plans[plan].parametres.priorite))
            return false;
        // The drawn planes in the game's order: by priority, then by number.
        std::vector<int> ordre;
        for (int p = 0; p < n; ++p)
            if (dessine(e, e.plans[p].parametres.priorite))
                ordre.push_back(p);
        auto priorite = [&](int p) { return e.plans[p].parametres.priorite; };
        std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) { return priorite(a) < priorite(b); });
        const int k = static_cast<int>(std::find(ordre.begin(), ordre.end(), plan) - ordre.begin());
        const int cible = k + (sens > 0 ? 1 : -1);
        if (cible < 0 || cible >= static_cast<int>(ordre.size()))
            return false;
        std::vector<int> valeurs;
        for (int p : ordre)
            valeurs.push_back(priorite(p));
        std::swap(ordre[k], ordre[cible]);
        // The same values in the new order, each raised only as far as it
        // must be to come after the one before it.
        std::vector<int> voulues(n);
        for (int p = 0; p < n; ++p)
            voulues[p] = priorite(p);
        for (size_t i = 0; i < ordre.size(); ++i) {
            int v = valeurs[i];
            if (i > 0) {
                const int avant = voulues[ordre[i - 1]];
                if (v < avant || (v == avant && ordre[i] < ordre[i - 1]))
                    v = avant + 1;
            }
            voulues[ordre[i]] = v;
        }
        return appliquePriorites(e, voulues, 0);
    });
}

bool CModeleNiveau::fixeArrivee(int x)
{
    x = static_cast<int>(std::min(std::max<long>(x, schemaNiveau::ArriveeMin), schemaNiveau::ArriveeMax));
    return etape([&](Etat& e) { return !(e.aArrivee && e.arriveeX == x) && e.niveau().fixe(Entete, ArriveeX, nombre(x)); });
}

}
