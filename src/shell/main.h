#ifndef CORVANTHELIS_SHELL_MAIN_H
#define CORVANTHELIS_SHELL_MAIN_H

// The program's front door.
//
// lanceProgramme is what SDL's main wrapper does on other platforms: it
// initialises SDL, registers SDL_Quit at exit, calls the program's
// `sdlMain` (the executable's SDL_main, which picks the mode) and returns
// its status once the messages are out.

int lanceProgramme(int argc, char** argv, int (*sdlMain)(int argc, char** argv));

#endif
