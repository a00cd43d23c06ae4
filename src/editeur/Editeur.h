#ifndef CORVANTHELIS_EDITEUR_EDITEUR_H
#define CORVANTHELIS_EDITEUR_EDITEUR_H

// The level editor's entry functions, started by the game program's
// `--editeur` option and by the editor program under tools/.
//
// mainEdit edits the game's level; mainEditNiveau the level file `niveau`
// (the game's when null), offering to create it when it does not exist.
// The level panel plays its music through `son`, the game's manager when
// the editor is opened from the title, else through one of its own.
// Both create the configuration and the display; 0, or 1 without a display.
// F1 calls editF1Mode, which switches the running editor between editing and
// a plain preview (nothing without a running editor).

int mainEdit();
class GestionnaireSon;

int mainEditNiveau(const char* niveau, GestionnaireSon* son = nullptr);
void editF1Mode();

#endif
