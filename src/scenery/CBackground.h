#ifndef CORVANTHELIS_SCENERY_CBACKGROUND_H
#define CORVANTHELIS_SCENERY_CBACKGROUND_H

// One plane of a level's scenery.
//
// A CBackground holds tiles (each an animation whose frames are rectangles
// cut from a sheet picture) and placements (CPosTile) that put copies of
// those tiles in the plane. The plane owns both tables and destroys them,
// frame pictures included, in its destructor: destroy it while the GL
// context still lives. Loading needs a current GL context (after initGL).
//
// Plane coordinates: pixels, x right, y down, origin top-left. The plane's
// width and height are measured from the origin to the farthest edge of a
// placed frame, afresh at every call.
//
// The two inherited pointer vectors exist for the class's lineage only and
// always stay empty.
//
// The clipping and repetition arithmetic below is free of GL so that it can
// be checked on its own.

#include "foundation/CBasic_TemplateVector.h"

#include <vector>

class CAnimGL;
class LecteurDescriptionPlan;

// Loading bounds. Counts past them are refused with a message naming the
// file; they are far above any real plane and keep a bad file from making the
// loader allocate gigabytes.
const int MAX_TILES_PLAN = 10000;        // tiles in one plane
const int MAX_FRAMES_TILE = 10000;       // frames in one tile
const int MAX_POSITIONS_PLAN = 1000000;  // placements in one plane, all tiles

class CPosTile {
public:
    int numeroTile;  // index into the plane's tiles
    int positionX;   // top-left corner of the tile's frame in the plane
    int positionY;
};

// What the windowed drawing asks of one frame: draw the source rectangle
// (sourceX, sourceY, longueur, hauteur) of the frame at (ecranX, ecranY).
struct MorceauFenetre {
    int ecranX;
    int ecranY;
    int sourceX;
    int sourceY;
    int longueur;
    int hauteur;
};

// Clips a frame of fw x fh placed at (px, py) against the window of w x h
// whose top-left corner (sx, sy) in the plane is shown at screen (x, y).
// False when they do not overlap (touching edges do not count). A frame cut
// only on its left keeps its full width: the picture itself stops at its
// edge, so only the visible columns are drawn.
inline bool decoupeAxe(int p, int f, int ecran, int s, int taille,
                       int& ecranMorceau, int& source, int& longueur)
{
    // 64-bit sums: positions come from files and may sit near the int limits.
    long long debut = p, fin = static_cast<long long>(p) + f;
    long long finFenetre = static_cast<long long>(s) + taille;
    if (debut >= finFenetre || fin <= s)
        return false;
    if (p < s) {
        source = static_cast<int>(s - debut);
        ecranMorceau = ecran;
    } else {
        source = 0;
        ecranMorceau = static_cast<int>(ecran + debut - s);
    }
    longueur = f;
    if (fin > finFenetre)
        longueur = static_cast<int>(finFenetre - (p > s ? p : s));
    return true;
}

inline bool decoupeDansFenetre(int px, int py, int fw, int fh,
                               int x, int y, int sx, int sy, int w, int h,
                               MorceauFenetre& morceau)
{
    return decoupeAxe(px, fw, x, sx, w, morceau.ecranX, morceau.sourceX, morceau.longueur) &&
           decoupeAxe(py, fh, y, sy, h, morceau.ecranY, morceau.sourceY, morceau.hauteur);
}

// One axis of the repetition. Calls tranche(ecran, source, taille) for each
// copy of a plane of period `periode` that shows in a window of `taille`
// starting at plane position `source`, drawn at screen position `ecran`:
// first the window itself (source wrapped into the first period when it lies
// beyond it; a negative source stays), then each following copy from its
// left (top) edge while it starts inside the window. A period of 0 or less
// gives no call at all.
template <class F>
void pourChaqueTranche(int periode, int ecran, int source, int taille, F tranche)
{
    if (periode <= 0)
        return;
    if (source >= periode)
        source %= periode;
    tranche(ecran, source, taille);
    for (long long o = static_cast<long long>(periode) - source; o <= taille; o += periode)
        tranche(static_cast<int>(ecran + o), 0, static_cast<int>(taille - o));
}

// The windowed drawing with repetition reduced to plain windowed drawings:
// calls fenetre(x, y, sx, sy, w, h) once per window to draw. repeatX repeats
// the plane to the right with its width as the period, repeatY downward with
// its height, both together tile the window in both directions.
template <class F>
void pourChaqueCopie(int longueurPlan, int hauteurPlan,
                     int x, int y, int sx, int sy, int w, int h,
                     bool repeatX, bool repeatY, F fenetre)
{
    auto ligne = [&](int ey, int ssy, int hh) {
        if (repeatX)
            pourChaqueTranche(longueurPlan, x, sx, w, [&](int ex, int ssx, int ww) {
                fenetre(ex, ey, ssx, ssy, ww, hh);
            });
        else
            fenetre(x, ey, sx, ssy, w, hh);
    };
    if (repeatY)
        pourChaqueTranche(hauteurPlan, y, sy, h, ligne);
    else
        ligne(y, sy, h);
}

class CBudgetChargement;

class CBackground : public CBasic_TemplateVector<CPosTile*>,
                    public CBasic_TemplateVector<CAnimGL*> {
public:
    CBackground();
    virtual ~CBackground();
    CBackground(const CBackground&) = delete;
    CBackground& operator=(const CBackground&) = delete;

    // Reads the plane's description file. 0 when the plane was read (a
    // missing file gives an empty plane), 1 when a sheet picture cannot be
    // loaded or a count is out of bounds; what was read before stays.
    int initFromIniFile(const char* fichier);
    // The same, keeping what it allocates within `budget` (shared by the
    // planes of one level).
    int initFromIniFile(const char* fichier, CBudgetChargement& budget);
    // Reads nothing; the loading entry is initFromIniFile.
    int init(const char* fichier);

    // Advances every tile's animation from the clock.
    void updateTiles();
    // Advances only the tiles that have a frame with a pause: the others
    // keep the first frame the windowed drawing has always shown.
    void updateTilesMinutees();
    void setContinuX(bool continu) { continuX = continu; }

    int getLongueur() const;
    int getHauteur() const;

    // Whole-plane drawing: updates the tiles, then draws the plane with
    // (scrollX, scrollY) at the screen's top-left corner. With continuX
    // (the default) the plane repeats to the right over a window of
    // largeur x hauteur; without it, every placement is drawn whole.
    void affiche(int scrollX, int scrollY, int largeur, int hauteur);
    // The part of the plane inside the w x h window at (sx, sy), drawn with
    // that corner at screen (x, y). Tiles are not updated.
    void affiche(int x, int y, int sx, int sy, int w, int h);
    // The same, repeating the plane to the right (repeatX), downward
    // (repeatY) or both.
    void affiche(int x, int y, int sx, int sy, int w, int h, bool repeatX, bool repeatY);

    CAnimGL* animTiles;
    int nombreTiles;
    CPosTile* posTiles;
    int nbPosTiles;
    bool continuX;

private:
    // The frame a placement shows, or nullptr when it has none to draw.
    CAnimGL* tileDe(const CPosTile& p) const;
    int etendue(bool horizontale) const;
    void libere();
    // Tile t's frames, cut from its sheet; 1 when the load must stop.
    int chargeTile(LecteurDescriptionPlan& lecteur, int t);

    // Placements actually read; after a failed load the later records of
    // posTiles were never filled and are never used.
    int nbPosRemplies;
    std::vector<int> tilesMinutees;  // indices of tiles with a frame pause > 0
};

#endif
