#ifndef CORVANTHELIS_SHELL_MAIN_H
#define CORVANTHELIS_SHELL_MAIN_H

// The program's front door.
//
// lanceProgramme is what SDL's main wrapper does on other platforms: it
// initialises SDL, registers SDL_Quit at exit and calls SDL_main. SDL_main
// picks the mode by the command name: "convert" converts sprite data (word 1
// the source, word 2 the destination; status 1 when it fails), any other
// name plays the game.

int lanceProgramme(int argc, char** argv);

extern "C" int SDL_main(int argc, char** argv);

#endif
