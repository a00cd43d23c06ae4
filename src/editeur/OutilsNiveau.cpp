// The tools on what belongs to the level as a whole rather than to a plane:
// the finish line and one actor's behaviour numbers.
#include "editeur/OutilsEditeur.h"

#include "game/Acteurs.h"

#include <algorithm>
#include <cmath>

namespace editeur {

namespace {

// A panel step per behaviour number, in the order of [Comportement]:
// speeds and distances in px, times in ms.
const int PasParametre[] = {10, 10, 10, 10, 2, 100, 50};
// The actor's panel has the plane panel's lines (and mouse geometry).
static_assert(sizeof PasParametre / sizeof *PasParametre == NB_PARAMS && NB_PARAMS == NbLignesPanneau,
              "one panel line per behaviour number");

}

void COutilsEditeur::basculePanneau()
{
    const bool acteur = etat.selection.size() == 1 && etat.selection[0].genre == Element::Acteur;
    // Open on the other kind (a wolf chosen under the plane panel): switched, not closed.
    if (etat.panneau && !etat.panneauNiveau && etat.panneauActeur == acteur) {
        etat.panneau = false;
        return;
    }
    etat.panneau = true;
    etat.panneauActeur = acteur;
    etat.panneauNiveau = false;
    etat.lignePanneau = 0;
}

int COutilsEditeur::acteurPanneau() const
{
    if (!etat.panneau || !etat.panneauActeur || etat.selection.size() != 1
        || etat.selection[0].genre != Element::Acteur)
        return -1;
    const int a = etat.selection[0].index;
    return a >= 0 && a < static_cast<int>(modele.acteurs().size()) ? a : -1;
}

void COutilsEditeur::changeParametreActeur(int ligne, int pas)
{
    const int acteur = acteurPanneau();
    const std::vector<ParametreActeur> parametres = modele.parametresActeur(acteur);
    if (ligne < 0 || ligne >= static_cast<int>(parametres.size()) || pas == 0)
        return;
    const ParametreActeur& p = parametres[ligne];
    const int taille = ligne < static_cast<int>(sizeof PasParametre / sizeof *PasParametre) ? PasParametre[ligne] : 1;
    long v = static_cast<long>(p.valeur) + static_cast<long>(taille) * pas;
    // A step across the type's value stops on it: that takes the actor's
    // own line away.
    if ((p.valeur < p.valeurType && v > p.valeurType) || (p.valeur > p.valeurType && v < p.valeurType))
        v = p.valeurType;
    v = std::min<long>(std::max<long>(v, p.minimum), p.maximum);
    etat.change |= modele.fixeParametreActeur(acteur, ligne, static_cast<int>(v));
}

void COutilsEditeur::arriveeSousPointeur()
{
    Point p = planDepuisEcran(etat.cadrage, 100, 0, 0, etat.souris[0], etat.souris[1]);
    if (etat.grille)
        p.x = aligneGrille(p.x);
    etat.change |= modele.fixeArrivee(p.x);
}

bool COutilsEditeur::arriveeGlissee(int& x) const
{
    int arrivee = 0;
    if (etat.glisse != EtatEditeur::Arrivee || !modele.arrivee(arrivee))
        return false;
    if (std::hypot(etat.souris[0] - etat.x0, etat.souris[1] - etat.y0) < SeuilGlisse)
        return false;
    x = arrivee + static_cast<int>(std::lround((etat.souris[0] - etat.x0) * 100.0 / etat.cadrage.zoom));
    if (etat.grille)
        x = aligneGrille(x + PasGrille / 2);
    return true;
}

bool COutilsEditeur::drapeauArrivee(Rect& r) const
{
    int arrivee = 0;
    if (!modele.arrivee(arrivee))
        return false;
    double x, y;
    ecranDepuisPlan(etat.cadrage, 100, 0, 0, arrivee, 0, x, y);
    r.x = static_cast<int>(std::floor(x)) - 6;
    r.y = HautDrapeau;
    r.largeur = LargeurDrapeau;
    r.hauteur = HauteurDrapeau;
    return true;
}

}
