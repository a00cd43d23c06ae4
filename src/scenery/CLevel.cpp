#include "scenery/CLevel.h"

#include "foundation/FichierDescription.h"
#include "render/PartageImages.h"
#include "scenery/CBackground.h"
#include "scenery/DescriptionNiveau.h"

#include <climits>
#include <cstdio>

namespace {

const int LARGEUR_FENETRE = 800;
const int HAUTEUR_FENETRE = 600;
const int LARGEUR_PRINCIPAL = 640;
const int HAUTEUR_PRINCIPAL = 480;

int borne(long long v)
{
    return static_cast<int>(v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : v));
}

int tronque(double v)
{
    if (!(v > INT_MIN))  // also catches NaN
        return INT_MIN;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(v);
}

}

CLevel::CLevel()
    : nombrePriorites(0), nombrePlans(0), plans(nullptr), paramsPlans(nullptr),
      diviseurX(12), diviseurY(0), positionX(0), positionY(0), resteX(0),
      planPrincipal(0), ordre(nullptr), nbOrdre(0)
{
}

CLevel::~CLevel()
{
    libere();
}

void CLevel::libere()
{
    delete[] plans;
    delete[] paramsPlans;
    delete[] ordre;
    plans = nullptr;
    paramsPlans = nullptr;
    ordre = nullptr;
    nombrePlans = 0;
    nbOrdre = 0;
}

int CLevel::initFromIniFile(const char* fichier)
{
    libere();
    LecteurDescriptionNiveau lecteur(fichier);
    if (!lecteur.ouvert())
        return 0;
    EnteteNiveau entete = lecteur.litEntete();
    nombrePriorites = entete.nombrePriorites;
    int n = entete.nombrePlans;
    // One budget for every plane: many planes naming one big file share it.
    CBudgetChargement budget;
    plans = new CBackground[n];
    paramsPlans = new ParamPlan[n];
    nombrePlans = n;

    // Planes cut from one sheet share one decode of it.
    CPartageImages partage;
    for (int i = 0; i < n; ++i) {
        char chemin[LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN];
        lecteur.litCheminPlan(i + 1, chemin);
        plans[i].initFromIniFile(chemin, budget);
        paramsPlans[i] = lecteur.litParametresPlan(i + 1);
    }
    ordre = new int[n > 0 ? n : 1];
    calculeOrdre();
    return 0;
}

// Drawing priority by priority would walk every number up to nombrePriorites
// each frame; a stable sort of the planes draws the same planes in the same
// order whatever that count is. It is redone at every drawing, into the
// table sized at load, since the settings are open to change between frames.
void CLevel::calculeOrdre()
{
    nbOrdre = 0;
    for (int i = 0; i < nombrePlans; ++i) {
        int p = paramsPlans[i].priorite;
        if (p < 1 || p > nombrePriorites)
            continue;
        int j = nbOrdre++;
        while (j > 0 && paramsPlans[ordre[j - 1]].priorite > p) {
            ordre[j] = ordre[j - 1];
            --j;
        }
        ordre[j] = i;
    }
}

void CLevel::avance(int mouvement, bool scrollX, bool versPlusX, bool scrollY, bool versPlusY)
{
    // The carried time is what is left of the sum, so the position advances
    // one unit per diviseurX ms of movement whatever the frame time.
    long long pas = 0;
    if (diviseurX > 0) {
        long long somme = static_cast<long long>(mouvement) + resteX;
        pas = somme / diviseurX;
        resteX = pas > 0 ? static_cast<int>(somme % diviseurX) : borne(somme);
    }

    if (mouvement <= 0)
        return;
    if (scrollX) {
        positionX = borne(versPlusX ? positionX + pas : positionX - pas);
    }
    // Nothing sets a vertical divisor, so a vertical request without one is
    // ignored rather than divided by zero.
    if (scrollY && diviseurY > 0)
        positionY += versPlusY ? mouvement / diviseurY : -(mouvement / diviseurY);
}

int CLevel::fenetreX(int scrollRatio, bool versPlusX) const
{
    double facteur = scrollRatio / 100.0;
    if (scrollRatio <= 100)
        return tronque(positionX * facteur);
    double fraction = diviseurX > 0 ? static_cast<double>(resteX) / diviseurX : 0.0;
    if (!versPlusX)
        fraction = -fraction;
    return tronque(positionX * facteur + facteur * fraction);
}

void CLevel::drawScene(int, int mouvement, bool scrollX, bool versPlusX, bool scrollY,
                       bool versPlusY)
{
    avance(mouvement, scrollX, versPlusX, scrollY, versPlusY);
    calculeOrdre();
    for (int k = 0; k < nbOrdre; ++k) {
        int i = ordre[k];
        const ParamPlan& p = paramsPlans[i];
        plans[i].updateTilesMinutees();
        if (planPrincipal != 0 && i + 1 == planPrincipal)
            plans[i].affiche(p.positionEcranX, p.positionEcranY, positionX, positionY,
                             LARGEUR_PRINCIPAL, HAUTEUR_PRINCIPAL, p.repeatX, p.repeatY);
        else
            plans[i].affiche(p.positionEcranX, p.positionEcranY, fenetreX(p.scrollRatio, versPlusX),
                             positionY, LARGEUR_FENETRE, HAUTEUR_FENETRE, p.repeatX, p.repeatY);
    }
}
