// Picture files through the engine's picture loader, with a real OpenGL
// context: needs a display (run it under Xvfb). Each input is loaded whole,
// as a rectangle with a colour key and as a single-texture picture, and
// drawn.
#include "Commun.h"
#include "render/CImageGL.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"

#include <SDL.h>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    FILE* f = fopen("config.ini", "w");
    fputs("[VIDEO]\nResolutionHorizontale=64\nResolutionVerticale=64\nPleinEcran=0\nVSync=0\n", f);
    fclose(f);
    SDL_Init(0);
    config = new CEngineGL();
    if (initSDL(64, 64) != 0)
        abort();
    initGL(640, 480);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    fuzz::ecrit("image.tga", donnees, taille);
    CImageGL entiere;
    if (entiere.chargeImageSDL("image.tga", -1, 0, 0) == 0)
        entiere.affiche(0, 0);
    CImageGL rectangle;
    if (rectangle.chargeImageSDL("image.tga", 3, 2, 300, 20, 255, 0, 255, true) == 0)
        rectangle.affiche(0, 0, 1, 1, 10, 10);
    CImageGL3 unique;
    if (unique.chargeImageSDL("image.tga", 0, 0, 0) == 0)
        unique.affiche(0, 0);
    return 0;
}
