#ifndef CORVANTHELIS_EDITEUR_OUTILSEDITEUR_H
#define CORVANTHELIS_EDITEUR_OUTILSEDITEUR_H

// What the editor's screen is showing and doing (view, current plane and
// tool, selection, the drag under way) and what the mouse does with it.
// Every change of the level goes through the model as one step; the rest
// here is screen state only. Needs no display: the actors' sizes come from
// a function the view supplies.

#include "editeur/GeometrieEditeur.h"
#include "editeur/ModeleNiveau.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace editeur {

enum Outil { OutilTuiles, OutilActeurs };
// How the planes other than the current one are shown.
enum Visibilite { AutresVisibles, AutresEstompes, AutresCaches };

// The palette strip at the bottom of the screen and the plane panel on
// the left, in screen coordinates.
const int HauteurPalette = 68;
const int CasePalette = 64;
const int LargeurPanneau = 230;
const int HautPanneau = 84;
const int LignePanneau = 22;
const int NbLignesPanneau = 7;
// The panel's box, its title and help lines included.
const int HautBoitePanneau = HautPanneau - 24;
const int BasBoitePanneau = HautPanneau + NbLignesPanneau * LignePanneau + 22;
// The finish line's flag, by which it is dragged, from 6 px left of the line.
const int HautDrapeau = 56;
const int LargeurDrapeau = 76;
const int HauteurDrapeau = 22;
// A press that moves less than this (screen px) is a click.
const double SeuilGlisse = 4.0;

struct EtatEditeur {
    Cadrage cadrage;
    int plan = 0;
    Outil outil = OutilTuiles;
    bool grille = false;
    bool ratio100 = false;  // every plane at ratio 100, for placing
    Visibilite visibilite = AutresVisibles;
    bool apercu = false;    // plain preview: no overlays, no editing
    bool panneau = false;
    bool palette = true;    // shown (F2 hides it)
    bool panneauActeur = false;  // the panel shows the selected actor's numbers, not the plane's
    bool panneauNiveau = false;  // the panel shows the level's look and journey (L)
    // The level panel's choices, read again each time it opens.
    std::vector<std::string> images, musiques;
    int lignePanneau = 0;
    std::vector<int> tileChoisie;  // per plane
    int acteurChoisi = 0;
    std::vector<Element> selection;
    PressePapier pressePapier;
    std::vector<std::string> typesActeurs;  // read once: the palette of actors
    bool change = false;  // a step was made since the loop last looked

    enum Glisse { Aucun, Deplacement, ClicVide, Elastique, Defilement, Arrivee };
    Glisse glisse = Aucun;
    double x0 = 0, y0 = 0;      // screen point where the drag began
    double souris[2] = {0, 0};  // the pointer now
    Cadrage cadrageDepart;
    Element saisi;              // the element a move drags

    int ratio(const PlanEdite& p) const { return ratio100 ? 100 : p.parametres.scrollRatio; }
    // The palette's top edge: the screen's bottom while it is hidden.
    int hautPalette() const { return cadrage.hauteur - (palette && !apercu ? HauteurPalette : 0); }
};

class COutilsEditeur {
public:
    // `tailleActeur` gives an actor type's frame size (w, h).
    COutilsEditeur(CModeleNiveau& modele, EtatEditeur& etat,
                   std::function<void(const std::string&, int&, int&)> tailleActeur);

    // Mouse, in screen coordinates; `ajoute` (Shift) adds to the selection.
    void appuie(int bouton, double x, double y, bool ajoute);
    void bouge(double x, double y);
    void relache(int bouton, double x, double y, bool ajoute);

    // The element's rectangle in its plane (actors: the world).
    Rect rectElement(const Element& e) const;
    // The element's rectangle on the screen, moved by (dx, dy) in its plane:
    // corners (x, y) and (x2, y2).
    void rectEcran(const Element& e, int dx, int dy, double& x, double& y, double& x2, double& y2) const;
    // The topmost element of the current tool under a screen point.
    bool elementSous(double x, double y, Element& e) const;
    // A screen point in the coordinates the current tool places in.
    Point pointOutil(double x, double y) const;
    // The move a drag from the press to (x, y) makes, grid included.
    void decalageGlisse(double x, double y, int& dx, int& dy) const;

    void supprimeSelection();
    void copieSelection();
    void colle();
    // Drops selected elements that no longer exist (after undo, redo...).
    void valideSelection();

    // The palette: its items for the current tool, the chosen one.
    int nbPalette() const;
    int choixPalette() const;
    void choisitPalette(int i);
    // The first item shown and how many fit.
    int premierPalette() const;
    int casesPalette() const { return std::max(1, etat.cadrage.largeur / CasePalette); }

    // Changes the panel's line by `pas` steps of that key.
    void changeParametre(int ligne, int pas);
    // P: the selected actor's panel when one actor alone is selected,
    // otherwise the plane's; again: closed.
    void basculePanneau();
    // The actor the panel shows; -1 when it shows the plane's keys or
    // when the selection is not one actor.
    int acteurPanneau() const;

    // The finish line: under the pointer (a key), and where a drag of its
    // flag would put it now; false when the level has none.
    void arriveeSousPointeur();
    bool arriveeGlissee(int& x) const;
    // The flag's screen rectangle, by which the line is dragged.
    bool drapeauArrivee(Rect& r) const;
    bool estSelectionne(const Element& e) const;

private:
    void changeParametreActeur(int ligne, int pas);
    void place(double x, double y);
    void selectionneRect(double x, double y, bool ajoute);

    CModeleNiveau& modele;
    EtatEditeur& etat;
    std::function<void(const std::string&, int&, int&)> tailleActeur;
};

}

#endif
