#ifndef CORVANTHELIS_EDITEUR_GEOMETRIEEDITEUR_H
#define CORVANTHELIS_EDITEUR_GEOMETRIEEDITEUR_H

// The editor's arithmetic, free of GL and of the model: where a point of
// the 640 x 480 drawing space falls in a plane at a zoom and a scroll
// ratio and back, the grid, the zoom steps, and the rectangles of the
// rubber band.
//
// Coordinates: "screen" is the editor's drawing space, the window's own
// pixels (tailleDessin: 640 x 480 in the game's window); the view is that
// space divided by the zoom and shifted down by `haut`; a plane with
// screen corner (ex, ey) and ratio r shows its x = fenetrePlan(position, r)
// at view x = ex. Actors live in a ratio-100 plane at (0, 0).

namespace editeur {

const int ZoomMin = 25;
const int ZoomMax = 200;
const int PasZoom = 25;
const int PasGrille = 16;

struct Cadrage {
    int position = 0;  // the level's scroll position
    int haut = 0;      // view y shown at the top of the screen
    int zoom = 100;    // percent
    int largeur = 640, hauteur = 480;  // the drawing space
};

// The drawing space over a window of largeurFenetre x hauteurFenetre: its
// own pixels, so that a larger window shows more of the level at the same
// zoom. One narrower than 640 or lower than 480 gets a space at least that
// large, of the window's proportions, scaled down into it.
void tailleDessin(int largeurFenetre, int hauteurFenetre, int& largeur, int& hauteur);

// The plane x shown at the plane's screen corner: the game's truncated
// product for a level at `position`.
int fenetrePlan(int position, int scrollRatio);

struct Point {
    int x = 0, y = 0;
};

// A screen point in the coordinates of a plane (rounded down).
Point planDepuisEcran(const Cadrage& c, int ratio, int ecranX, int ecranY, double x, double y);
// A plane point on the screen (may be fractional at zooms other than 100).
void ecranDepuisPlan(const Cadrage& c, int ratio, int ecranX, int ecranY, int px, int py,
                     double& x, double& y);

// Down to the grid line at or before v, negatives included.
int aligneGrille(int v, int pas = PasGrille);
// The next zoom step up (sens > 0) or down, within ZoomMin .. ZoomMax.
int zoomSuivant(int zoom, int sens);
// The level position that keeps the level point under screen x `ecranX`
// in place when the zoom goes from `avant` to `apres`.
int positionApresZoom(int position, int ecranX, int avant, int apres);

struct Rect {
    int x = 0, y = 0, largeur = 0, hauteur = 0;
};
// The rectangle spanned by two corners, in either order.
Rect rectEntre(int x0, int y0, int x1, int y1);
bool contient(const Rect& r, int x, int y);
// They overlap; touching edges do not count.
bool chevauche(const Rect& a, const Rect& b);

// A window point (mouse) in the drawing space of largeurLogique x
// hauteurLogique, for a window of largeur x hauteur showing it as
// rectangleVue does. False outside it.
bool ecranDepuisFenetre(int fx, int fy, int largeur, int hauteur, bool garderProportions,
                        double& x, double& y, int largeurLogique = 640, int hauteurLogique = 480);

}

#endif
