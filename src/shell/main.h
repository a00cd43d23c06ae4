#ifndef CORVANTHELIS_SHELL_MAIN_H
#define CORVANTHELIS_SHELL_MAIN_H

// The program's front door and the display set-up shared by every mode.
//
// lanceProgramme is what SDL's main wrapper does on other platforms: it
// initialises SDL, registers SDL_Quit at exit and calls SDL_main. SDL_main
// picks the mode by the command name: "convert" converts sprite data (word 1
// the source, word 2 the destination), any other name plays the game.
//
// initSDL opens the window (or full screen) with a double-buffered GL
// context as `config` says, which must exist first; 0 on success, -1 with
// "Impossible d'ouvrir l'écran!" on standard error when no mode can be set.
// initGL then reports the driver, records its capabilities in `config`,
// settles swap control and pacing, raises the process priority and sets the
// largeur x hauteur drawing space (origin top-left, y down) over the whole
// window. Without a current context it treats the extension lists as empty.

int lanceProgramme(int argc, char** argv);

extern "C" int SDL_main(int argc, char** argv);

int initSDL(int largeur, int hauteur);
void initGL(int largeur, int hauteur);

#endif
