// The pause as the gamepad reaches it: joystick events fed to the game's
// share of the event pump, no device needed.
#include "game/Pause.h"

#include "foundation/Temps.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

SDL_Event bouton(Uint8 type, int numero)
{
    SDL_Event e = {};
    e.type = type;
    e.jbutton.type = type;
    e.jbutton.which = 0;
    e.jbutton.button = static_cast<Uint8>(numero);
    e.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

TEST(PauseJeu, PadStartButtonPausesAndResumesAndTheStickWalks)
{
    DossierTemporaire dossier;
    ecritFichier("config.ini", "[CONTROLES]\nManettePause=3\n");
    Capture erreurs(2); // no font files here
    CPauseJeu pause(nullptr);
    fixeTempsFactice(1000);

    // Button 7 is the default, not this player's.
    EXPECT_FALSE(pause.traite(bouton(SDL_JOYBUTTONDOWN, 7)));
    EXPECT_FALSE(pause.active());
    pause.traite(bouton(SDL_JOYBUTTONDOWN, 3));
    EXPECT_TRUE(pause.active());
    EXPECT_TRUE(tempsSuspendu());
    avanceTempsFactice(500);
    EXPECT_EQ(tempsCourant(), 1000u);
    pause.traite(bouton(SDL_JOYBUTTONUP, 3));
    EXPECT_TRUE(pause.active()) << "releasing the button resumed";
    pause.traite(bouton(SDL_JOYBUTTONDOWN, 3));
    EXPECT_FALSE(pause.active());
    EXPECT_FALSE(tempsSuspendu());

    SDL_Event axe = {};
    axe.type = axe.jaxis.type = SDL_JOYAXISMOTION;
    axe.jaxis.axis = 0;
    axe.jaxis.value = 30000;
    pause.traite(axe);
    TouchesHeros t = pause.touchesHeros();
    EXPECT_TRUE(t.droite && !t.gauche && !t.bas);
    retireTempsFactice();
}

}
