// Level viewer: scrolls the level of "./dataqv/levels/level1.ini" with the
// arrow keys; Escape or closing the window quits.
#include "game/FichiersJeu.h"
#include "game/main.h"
#include "shell/DossierDepart.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>

int main()
{
    choisitDossierJeu(fichiersJeu::NiveauVisionneuse);
    SDL_Init(0);
    atexit(SDL_Quit);
    int statut = mainCorvanthelis();
    fflush(stdout);
    return statut;
}
