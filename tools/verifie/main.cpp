// verifie [folder]: checks every file the game and its tools read in that
// runtime folder (the current one by default), the way the game reads them.
// One line per problem, "file:line: severity : message", then the count.
// Status 0 without errors (warnings do not count), 1 with errors.
#include "verification/Verificateur.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 2 || (argc == 2 && (strcmp(argv[1], "-h") == 0 || strcmp(argv[1], "--help") == 0))) {
        fprintf(stderr, "Usage : verifie [dossier]\n"
                        "Vérifie les fichiers que lisent le jeu et ses outils dans ce dossier (par défaut, le dossier courant).\n");
        return argc == 2 ? 0 : 2;
    }
    SDL_Init(0);
    int statut = verifieDossier(argc == 2 ? argv[1] : ".", stdout);
    SDL_Quit();
    return statut;
}
