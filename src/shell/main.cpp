#include "shell/main.h"

#include "foundation/Messages.h"

#include <SDL.h>
#include <cstdlib>

int lanceProgramme(int argc, char** argv, int (*sdlMain)(int argc, char** argv))
{
    SDL_Init(0);
    atexit(SDL_Quit);
    int statut = sdlMain(argc, argv);
    videMessages();
    return statut;
}
