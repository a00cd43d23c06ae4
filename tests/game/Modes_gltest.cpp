// The picture-test modes on the shared GL window, with the fake clock: a
// quit request ends a mode only after the pass that took it has run whole.
#include "foundation/Temps.h"
#include "game/main.h"
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

}
