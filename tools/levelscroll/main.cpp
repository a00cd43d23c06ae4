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
// The level's actors are shown standing still where they start.

#include "foundation/DossierDepart.h"
#include "foundation/FichierDescription.h"
#include "foundation/Temps.h"
#include "game/ApercuActeurs.h"
#include "game/OutilsJeu.h"
#include "scenery/CLevel.h"
#include "shell/CEngineGL.h"
#include "shell/CaptureEcran.h"
#include "shell/Plateforme.h"
#include "shell/PorteeMoteur.h"
#include "shell/gfx.h"

#include <SDL.h>

#include <cstdio>
#include <string>
#include <cstdlib>
#include <vector>

namespace {

const int MOUVEMENT_MS = 16;
const char* const NIVEAU_DEFAUT = "./data/levels/level1.ini";

// The picture without any black bars, as a BMP.
bool sauveEcran(const char* chemin)
{
    ImageRGB image;
    if (!lisImageAffichee(image))
        return false;
    SDL_Surface* s = SDL_CreateRGBSurfaceFrom(image.pixels.data(), image.largeur, image.hauteur, 24,
                                              image.largeur * 3, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    if (!s)
        return false;
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

    CPorteeMoteur portee;
    if (!portee.ouverte())
        return portee.statut();

    CLevel* niveau = new CLevel();
    niveau->initFromIniFile(fichier);
    niveau->setPositionX(depart);
    CApercuActeurs acteurs;
    acteurs.charge(fichier);

    int code = 0;
    for (int n = 1; images <= 0 || n <= images; ++n) {
        if (prendEvenements())
            break;
        Uint8* clavier = SDL_GetKeyState(nullptr);
        bool versPlusX = !clavier[SDLK_LEFT];
        clearScreen();
        niveau->drawScene(MOUVEMENT_MS, MOUVEMENT_MS, true, versPlusX, false, false);
        acteurs.affiche(niveau->getPositionX());
        if (capture && n == images) {
            if (!sauveEcran(capture)) {
                fprintf(stderr, "Impossible d'enregistrer %s\n", capture);
                code = 1;
            }
        }
        presenteImage();
        // Without any frame pacing, keep to the frame time the scroll assumes.
        if (!reglages().vSync && !cadencementActif())
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
    return lance(argc, argv);
}
