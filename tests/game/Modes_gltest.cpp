// The picture-test modes on the shared GL window, with the fake clock: a
// quit request ends a mode only after the pass that took it has run whole.
#include "foundation/Temps.h"
#include "game/OutilsJeu.h"
#include "game/main.h"
#include "scenery/CLevel.h"
#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

using ModesGL = TestJeuGL;

TEST_F(ModesGL, QuitEndsEachModeAfterOneWholePass)
{
    struct Cas {
        const char* nom;
        void (*mode)();
        uint32_t pause; // ms after each frame
        std::vector<std::string> images;
    };
    const Cas cas[] = {
        {"testSprite", testSprite, 20, {}},
        {"testZoom", testZoom, 20, {"c:\\data\\vorna\\TEST.JPG"}},
        {"testImg", testImg, 0, {"c:\\data\\vorna\\TEST.JPG", "c:\\data\\vorna\\TEST2.JPG"}},
    };
    for (const Cas& c : cas) {
        for (int fin : {int(SDLK_ESCAPE), int(SDL_QUIT)}) {
            SCOPED_TRACE(std::string(c.nom) + (fin == SDL_QUIT ? " closed" : " Escape"));
            if (fin == SDL_QUIT)
                pousseEvenement(SDL_QUIT);
            else
                pousseTouche(SDLK_ESCAPE);
            // Queued behind the quit request: still taken in the same pass.
            pousseTouche(SDLK_a);
            pousseEvenement(SDL_QUIT);

            Capture erreurs(2);
            uint32_t debut = tempsCourant();
            c.mode();
            EXPECT_EQ(tempsCourant() - debut, c.pause) << "not exactly one pass";
            SDL_Event reste;
            EXPECT_EQ(SDL_PollEvent(&reste), 0) << "events left behind the quit request";
            // No picture exists here: the fixed names, backslashes included,
            // are the ones asked for.
            EXPECT_EQ(imagesManquantes(erreurs.texte()), c.images);
        }
    }
}

// The pump reads the queue with SDL_PollEvent alone: the event that ends a
// wait is kept for the next pump, and the editor's screens get Escape and
// the close themselves, the events behind their answer left queued.
TEST_F(ModesGL, AWaitKeepsItsEventAndScreensAnswerEscapeAndCloseThemselves)
{
    pousseTouche(SDLK_a);
    attendEvenement(1000);
    std::vector<int> touches;
    EXPECT_FALSE(prendEvenements([&touches](int t) { touches.push_back(t); }));
    EXPECT_EQ(touches, std::vector<int>{SDLK_a});

    pousseTouche(SDLK_ESCAPE);
    pousseEvenement(SDL_QUIT);
    pousseTouche(SDLK_b);
    std::vector<int> vus;
    auto ecran = [&vus](const SDL_Event& e) {
        vus.push_back(e.type == SDL_QUIT ? -1 : e.key.keysym.sym);
        return e.type == SDL_QUIT;
    };
    EXPECT_TRUE(prendEvenements(ecran, FinParEcran));
    EXPECT_EQ(vus, (std::vector<int>{SDLK_ESCAPE, -1}));
    attendEvenement(1000);
    EXPECT_FALSE(prendEvenements(ecran, FinParEcran));
    EXPECT_EQ(vus.back(), SDLK_b);
}

TEST_F(ModesGL, LevelViewerKeepsItsDirectionWhenTheArrowIsReleased)
{
    // A plane at twice the level's speed also shows the part step not yet
    // taken; releasing Right must not take it back.
    ecritTGA("planche.tga", 10, 20, uni(10, 20, BLANC), false);
    ecritFichier("plan.ini", "[Entete]\nnombreTiles=1\n[Tile1]\nnbPositions=1\nnbFrames=1\n"
                             "pathPlanche=planche.tga\n[Tile1Frame1]\nlongueur=10\nhauteur=20\n"
                             "[Tile1Position1]\npositionX=300\npositionY=0\n");
    ecritFichier("niveau.ini", "[Entete]\nnombrePriorites=1\nnombrePlans=1\n[Plan1]\npathPlan=plan.ini\n"
                               "priorite=1\npositionEcranX=0\npositionEcranY=0\nscrollRatio=200\n");
    CLevel niveau;
    niveau.initFromIniFile("niveau.ini");
    auto bord = [] {
        for (int x = 0; x < LARGEUR_GL; ++x)
            if (lisPixel(x, 5) == BLANC)
                return x;
        return -1;
    };
    Uint8 clavier[SDLK_LAST] = {};
    CDefilementVue vue(tempsCourant());
    for (int fleche : {int(SDLK_RIGHT), int(SDLK_LEFT)}) {
        SCOPED_TRACE(fleche == SDLK_RIGHT ? "Right" : "Left");
        niveau.setPositionX(100);
        clavier[fleche] = 1;
        avanceTempsFactice(18); // one step and half of the next
        effaceEcran();
        vue.etape(niveau, clavier);
        int tenue = bord();
        EXPECT_NE(tenue, 300 - 200);
        clavier[fleche] = 0;
        avanceTempsFactice(16);
        effaceEcran();
        vue.etape(niveau, clavier);
        EXPECT_EQ(bord(), tenue);
    }
}

}
