#ifndef CORVANTHELIS_EDITEUR_JOUER_H
#define CORVANTHELIS_EDITEUR_JOUER_H

// "Play from here": the game started on the level being edited, as it
// stands in the editor (saved or not), with the level at `positionNiveau`
// (the hero stands at positionNiveau + 300 in ratio-100 coordinates) and
// no intro. The game runs as a child process in its own window; this
// returns when it ends (Escape there), leaving the editor as it was.
// False, with one line on standard error, when it could not be started or
// ended on a failure (its own message comes first).

namespace editeur {
class CModeleNiveau;
bool joueDepuis(const CModeleNiveau& modele, int positionNiveau);
}

#endif
