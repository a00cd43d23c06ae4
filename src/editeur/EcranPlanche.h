#ifndef CORVANTHELIS_EDITEUR_ECRANPLANCHE_H
#define CORVANTHELIS_EDITEUR_ECRANPLANCHE_H

// The sheet screen of the editor: a tile's sheet picture, on which its
// frame rectangles are drawn by dragging, each with its pause. Runs its own
// loop over the editor's display until the author accepts or leaves it;
// an accepted result is one step of the model's history (modifieTile, or
// ajouteTile for a new tile). Needs `config` and a current GL context.

namespace editeur {
class CModeleNiveau;
// `tile` < 0 makes a new tile in `plan`. True when the model was changed.
bool editePlanche(CModeleNiveau& modele, int plan, int tile);
// A new plane whose first tile is cut here, from any sheet a new tile
// could use (CModeleNiveau::ajoutePlan).
bool creePlan(CModeleNiveau& modele);
}

#endif
