#ifndef CORVANTHELIS_SCENERY_CLEVEL_H
#define CORVANTHELIS_SCENERY_CLEVEL_H

// The scenery the hero walks through: a stack of background planes, each
// with a priority, a screen position, a parallax ratio and repetition
// switches, over one horizontal scroll position.
//
// The level owns its planes and their settings. It is loaded once from a
// level file (which needs a current GL context after initGL, as the planes
// load pictures), then drawScene is called once per frame: it turns the
// frame's movement time into whole steps of the scroll position and draws
// the planes back to front, each through an 800 x 600 window at its own
// fraction of that position. Destroy it while the GL context still lives.

class CBackground;

// More planes than this in one level file are refused.
const int MAX_PLANS_NIVEAU = 1000;

struct ParamPlan {
    int scrollRatio;     // percent of the level's scroll: 100 moves with it
    int priorite;        // lower priorities are drawn first, further back
    int positionEcranX;  // screen corner of the plane's window
    int positionEcranY;
    bool repeatX;
    bool repeatY;
};

class CLevel {
public:
    CLevel();
    ~CLevel();
    CLevel(const CLevel&) = delete;
    CLevel& operator=(const CLevel&) = delete;

    // Always 0: a missing file gives a level without planes, a plane that
    // fails to load stays as far as it got.
    int initFromIniFile(const char* fichier);

    // Steps the scroll position by `mouvement` milliseconds of movement, then
    // draws the planes. The first argument is not used.
    void drawScene(int inutilise, int mouvement, bool scrollX, bool versPlusX,
                   bool scrollY, bool versPlusY);

    int getPositionX() const { return positionX; }
    void setPositionX(int x) { positionX = x; }

    // The stepping of drawScene alone, without drawing.
    void avance(int mouvement, bool scrollX, bool versPlusX, bool scrollY, bool versPlusY);
    // The plane-x of the window of a plane with this ratio. Ratios above 100
    // also move by the part of a step not yet taken (resteX), ahead in the
    // direction of the last scroll.
    int fenetreX(int scrollRatio, bool versPlusX) const;
    // Plane indices in drawing order (priority 1 upward, file order within a
    // priority; planes outside 1 .. nombrePriorites left out), as of the last
    // load or drawScene.
    const int* ordreDessin() const { return ordre; }
    int nombreDessines() const { return nbOrdre; }

    int nombrePriorites;
    int nombrePlans;
    CBackground* plans;
    ParamPlan* paramsPlans;
    int diviseurX;
    int diviseurY;
    int positionX;
    int positionY;
    int resteX;
    // 1-based number of the plane drawn unscaled through a 640 x 480 window;
    // 0: none.
    int planPrincipal;

private:
    void libere();
    void calculeOrdre();

    int* ordre;
    int nbOrdre;
};

#endif
