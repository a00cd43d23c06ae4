#ifndef CORVANTHELIS_GAME_MAIN_H
#define CORVANTHELIS_GAME_MAIN_H

// The game and its secondary entry functions.

// Plays the game: intro, then the level under keyboard control, until Escape
// or a window close. Returns the process status (0, or 1 without a display).
int mainVorna();

#endif
