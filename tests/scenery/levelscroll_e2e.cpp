#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

using namespace testsupport;

namespace {

std::string planRepere(int y)
{
    // A 10 x 20 white marker at plane x 100.
    return "[Entete]\nnombreTiles=1\n"
           "[Tile1]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
           "[Tile1Frame1]\nlongueur=10\nhauteur=20\n"
           "[Tile1Position1]\npositionX=100\npositionY=" + std::to_string(y) + "\n";
}

Pixel pixelBMP(SDL_Surface* s, int x, int y)
{
    Uint8 r, g, b;
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 valeur = 0;
    for (int i = 0; i < s->format->BytesPerPixel; ++i)
        valeur |= static_cast<Uint32>(p[i]) << (8 * i);
    SDL_GetRGB(valeur, s->format, &r, &g, &b);
    return Pixel{r, g, b, 255};
}

TEST(Levelscroll, PlanesScrollAtTheirOwnSpeed)
{
    DossierTemporaire dossier;
    mkdir("data", 0755);  // a game folder: the program stays in it
    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=640\nResolutionVerticale=480\n"
                               "PleinEcran=0\nBilineaire=0\nVSync=0\nMode16bits=0\nHogCPU=0\n");
    ecritTGA("planche.tga", 10, 20, std::vector<Pixel>(200, Pixel{255, 255, 255, 255}), false);
    ecritFichier("normal.ini", planRepere(0));
    ecritFichier("lent.ini", planRepere(0));
    ecritFichier("niveau.ini",
                 "[Entete]\nnombrePriorites=1\nnombrePlans=2\n"
                 "[Plan1]\npathPlan=normal.ini\npositionEcranX=0\npositionEcranY=0\nscrollRatio=100\n"
                 "[Plan2]\npathPlan=lent.ini\npositionEcranX=0\npositionEcranY=100\nscrollRatio=50\n");
    std::string sortie;
    // 30 frames of 16 ms from 0: 480 ms at 12 ms a unit, so the position ends at 40.
    ASSERT_EQ(execute(cheminBinaire("levelscroll") + " niveau.ini 0 30 capture.bmp 2>&1", &sortie), 0)
        << sortie;
    EXPECT_NE(sortie.find("Position finale : 40\n"), std::string::npos) << sortie;

    SDL_Surface* capture = SDL_LoadBMP("capture.bmp");
    ASSERT_NE(capture, nullptr) << sortie;
    const Pixel blanc = {255, 255, 255, 255};
    const Pixel noir = {0, 0, 0, 255};
    // Full speed: window at 40, marker at 60. Half speed: window 20, marker 80.
    EXPECT_EQ(pixelBMP(capture, 59, 10), noir);
    EXPECT_EQ(pixelBMP(capture, 60, 10), blanc);
    EXPECT_EQ(pixelBMP(capture, 69, 10), blanc);
    EXPECT_EQ(pixelBMP(capture, 70, 10), noir);
    EXPECT_EQ(pixelBMP(capture, 79, 110), noir);
    EXPECT_EQ(pixelBMP(capture, 80, 110), blanc);
    EXPECT_EQ(pixelBMP(capture, 89, 110), blanc);
    EXPECT_EQ(pixelBMP(capture, 90, 110), noir);
    SDL_FreeSurface(capture);

    // A level that is not there is a failure, with no capture to mistake for one.
    remove("capture.bmp");
    EXPECT_EQ(execute(cheminBinaire("levelscroll") + " absent.ini 0 30 capture.bmp 2>&1", &sortie), 1);
    EXPECT_NE(sortie.find("Fichier introuvable : absent.ini"), std::string::npos) << sortie;
    EXPECT_FALSE(fichierExiste("capture.bmp"));
}

}
