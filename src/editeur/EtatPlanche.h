#ifndef CORVANTHELIS_EDITEUR_ETATPLANCHE_H
#define CORVANTHELIS_EDITEUR_ETATPLANCHE_H

// What the sheet screen (editeur/EcranPlanche.h) edits, without a display:
// one tile's frames over its sheet picture, the view (zoom and scroll) that
// maps the sheet to the drawing space, the selected frame, and the drag in
// progress. Points given here are in the drawing space; frame
// rectangles are in sheet pixels, kept inside the sheet.

#include "editeur/ModeleNiveau.h"

#include <string>
#include <vector>

namespace editeur {

class CEtatPlanche {
public:
    // Drags shorter than this (drawing-space pixels) are clicks.
    static constexpr int SEUIL_GLISSE = 3;
    static constexpr int ZOOM_MIN = 10;   // percent
    static constexpr int ZOOM_MAX = 800;
    static constexpr int PAUSE_PAS = 10;  // ms per wheel notch or +/-
    static constexpr int PAUSE_NOUVELLE = 100;  // ms, a drawn frame after an untimed one

    CEtatPlanche(const TileEditee& tile, int largeurPlanche, int hauteurPlanche);

    const TileEditee& tile() const { return tile_; }
    // -1: none.
    int selection() const { return selection_; }

    // The sheet changes (a new tile choosing among the plane's sheets): the
    // view is fitted again; frames are kept, cut to the new sheet.
    void changePlanche(const std::string& planche, int largeur, int hauteur);

    // ---- View: sheet pixel (u, v) shows at (origineX + u * zoom / 100, ...).
    // Fits the whole sheet in the zone, at most at 100 % for small ones.
    void ajuste(int zoneX, int zoneY, int zoneLargeur, int zoneHauteur);
    int zoom() const { return zoom_; }
    double origineX() const { return origineX_; }
    double origineY() const { return origineY_; }
    // Zooms by `facteur` steps (each x1.25 or /1.25) around (x, y).
    void zoome(int pas, int x, int y);
    void defile(int dx, int dy);
    // Drawing space to sheet pixels (floor), and back.
    void versPlanche(int x, int y, int& u, int& v) const;
    void versEcran(int u, int v, int& x, int& y) const;

    // ---- Mouse, left button.
    void appuie(int x, int y);
    void glisse(int x, int y);
    // A drag appends the rectangle it covers and selects it; a click
    // selects the frame under the point (the last drawn first), or none.
    void relache(int x, int y);
    bool enTrace() const { return trace_; }
    // The rectangle being drawn, in sheet pixels; false when none.
    bool rectangleEnCours(int& u, int& v, int& largeur, int& hauteur) const;

    // ---- Keys.
    bool supprimeSelection();
    // The selected frame's pause += delta ms, held in [0, PauseFrameMax].
    bool changePause(int delta);

    // True when the tile may be accepted (it has a frame); otherwise
    // `raison` says why, for the screen.
    bool acceptable(std::string& raison) const;

private:
    bool rectangleDeGlisse(int x, int y, FrameEditee& frame) const;
    void borneFrames();

    TileEditee tile_;
    int largeur_, hauteur_;
    int selection_ = -1;
    int zoom_ = 100;
    double origineX_ = 0, origineY_ = 0;
    bool appuye_ = false, trace_ = false;
    int departX_ = 0, departY_ = 0, courantX_ = 0, courantY_ = 0;
};

}

#endif
