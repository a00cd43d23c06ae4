// levelscroll: shows a level scrolling to the right at a steady 16 ms per
// frame, as the game does while the hero walks.
//
//   levelscroll [level file] [start x] [frames] [capture.bmp]
//
// Defaults: "./data/levels/level1.ini", 2800, 0 (run until Escape or the
// window is closed), no capture. With a frame count the program stops after
// that many frames; with a capture file it first saves the last frame as a
// BMP. The display settings come from "config.ini" in the working folder.
// Left and Right held scroll that way instead of the automatic scroll.

#include "foundation/FichierDescription.h"
#include "foundation/Temps.h"
#include "scenery/CLevel.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/DossierDepart.h"
#include "shell/Plateforme.h"
#include "shell/Signaux.h"
#include "shell/gfx.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <string>
#include <cstdlib>
#include <vector>

namespace {

const int MOUVEMENT_MS = 16;
const char* const NIVEAU_DEFAUT = "./data/levels/level1.ini";

bool quitteDemande()
{
    SDL_Event e;
    bool quitter = false;
    while (SDL_PollEvent(&e)) {
        if (traiteEvenementAffichage(e))
            continue;
        if (e.type == SDL_QUIT || (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE))
            quitter = true;
    }
    return quitter || arretDemande();
}

// The picture in the back buffer (the viewport, so without any black bars),
// bottom row first as GL reads it, saved top row first.
bool sauveEcran(const char* chemin)
{
    GLint vue[4] = {0, 0, config->resolutionHorizontale, config->resolutionVerticale};
    glGetIntegerv(GL_VIEWPORT, vue);
    int w = vue[2];
    int h = vue[3];
    std::vector<unsigned char> brut(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(vue[0], vue[1], w, h, GL_RGB, GL_UNSIGNED_BYTE, brut.data());
    SDL_Surface* s = SDL_CreateRGBSurface(0, w, h, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    if (!s)
        return false;
    SDL_LockSurface(s);
    for (int y = 0; y < h; ++y) {
        unsigned char* ligne = static_cast<unsigned char*>(s->pixels) + y * s->pitch;
        const unsigned char* source = &brut[static_cast<size_t>(h - 1 - y) * w * 3];
        for (int i = 0; i < w * 3; ++i)
            ligne[i] = source[i];
    }
    SDL_UnlockSurface(s);
    bool ok = SDL_SaveBMP(s, chemin) == 0;
    SDL_FreeSurface(s);
    return ok;
}

int lance(int argc, char** argv)
{
    const std::string niveauDonne = cheminDepuisDepart(argc > 1 ? argv[1] : nullptr);
    const std::string captureDonnee = cheminDepuisDepart(argc > 4 ? argv[4] : nullptr);
    const char* fichier = argc > 1 ? niveauDonne.c_str() : NIVEAU_DEFAUT;
    int depart = argc > 2 ? atoi(argv[2]) : 2800;
    int images = argc > 3 ? atoi(argv[3]) : 0;
    const char* capture = argc > 4 ? captureDonnee.c_str() : nullptr;

    // A missing level would scroll a black screen and call it done.
    if (tailleDescription(fichier) < 0)
        return 1;

    config = new CEngineGL();
    if (initSDL(config->resolutionHorizontale, config->resolutionVerticale) != 0)
        return 1;
    initGL(config->largeurLogique, config->hauteurLogique);

    CLevel* niveau = new CLevel();
    niveau->initFromIniFile(fichier);
    niveau->setPositionX(depart);

    int code = 0;
    for (int n = 1; images <= 0 || n <= images; ++n) {
        if (quitteDemande())
            break;
        Uint8* clavier = SDL_GetKeyState(nullptr);
        bool versPlusX = !clavier[SDLK_LEFT];
        clearScreen();
        niveau->drawScene(MOUVEMENT_MS, MOUVEMENT_MS, true, versPlusX, false, false);
        if (capture && n == images) {
            if (!sauveEcran(capture)) {
                fprintf(stderr, "Impossible d'enregistrer %s\n", capture);
                code = 1;
            }
        }
        presenteImage();
        // Without any frame pacing, keep to the frame time the scroll assumes.
        if (!config->vSync && !cadencementActif())
            attendre(MOUVEMENT_MS);
    }
    printf("Position finale : %d\n", niveau->getPositionX());
    delete niveau;
    return code;
}

}

int main(int argc, char** argv)
{
    choisitDossierJeu(argc > 1 ? nullptr : NIVEAU_DEFAUT);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    atexit(SDL_Quit);
    return lance(argc, argv);
}
