#include "game/MenuPause.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

TEST(MenuPause, ChoosesOptionsChangesValuesAndWaitsForANewKey)
{
    CMenuPause menu;
    menu.commandes = {{"Droite", "right"}, {"Saut", "up"}};
    menu.ouvre(CMenuPause::Principal);
    EXPECT_EQ(menu.touche(SDLK_UP), CMenuPause::Rien); // wraps to Quitter
    EXPECT_EQ(menu.touche(SDLK_RETURN), CMenuPause::Quitter);
    menu.ouvre(CMenuPause::Principal);
    menu.touche(SDLK_DOWN);
    EXPECT_EQ(menu.touche(SDLK_SPACE), CMenuPause::Rien);
    ASSERT_EQ(menu.getEcran(), CMenuPause::Options);

    // Volumes move by ten within 0 to 100; every change is reported.
    EXPECT_EQ(menu.touche(SDLK_RIGHT), CMenuPause::ReglageChange);
    EXPECT_EQ(menu.reglages.volumeMusique, 100);
    for (int i = 0; i < 12; ++i)
        menu.touche(SDLK_LEFT);
    EXPECT_EQ(menu.reglages.volumeMusique, 0);
    EXPECT_EQ(menu.getReglageChange(), CMenuPause::OptVolumeMusique);
    for (int i = 0; i < CMenuPause::OptVSync; ++i)
        menu.touche(SDLK_DOWN);
    EXPECT_EQ(menu.touche(SDLK_RETURN), CMenuPause::ReglageChange);
    EXPECT_FALSE(menu.reglages.vSync);
    EXPECT_EQ(menu.lignes()[CMenuPause::OptVSync].note, "au prochain démarrage");
    EXPECT_EQ(menu.lignes()[CMenuPause::OptPleinEcran].note, "");

    // Controls: Return on an action waits for its key; any key answers.
    menu.ouvre(CMenuPause::Commandes);
    menu.touche(SDLK_DOWN);
    menu.touche(SDLK_RETURN);
    EXPECT_EQ(menu.getEcran(), CMenuPause::NouvelleTouche);
    EXPECT_EQ(menu.getChoix(), 1) << "the highlight left the action being changed";
    EXPECT_EQ(menu.message, "Appuyez sur la nouvelle touche pour Saut\n(Retour arrière pour annuler)");
    EXPECT_EQ(menu.touche(SDLK_p), CMenuPause::ToucheChoisie);
    EXPECT_EQ(menu.getActionChoisie(), 1);
    EXPECT_EQ(menu.getToucheChoisie(), SDLK_p);
    EXPECT_EQ(menu.getEcran(), CMenuPause::Commandes);
    EXPECT_EQ(menu.getChoix(), 1);
    // Backspace cancels the wait, back on the same action, prompt gone.
    menu.touche(SDLK_RETURN);
    EXPECT_EQ(menu.touche(SDLK_BACKSPACE), CMenuPause::Rien);
    EXPECT_EQ(menu.getEcran(), CMenuPause::Commandes);
    EXPECT_EQ(menu.getChoix(), 1);
    EXPECT_EQ(menu.message, "");

    // The help goes on any key; Backspace walks back to the game.
    menu.ouvre(CMenuPause::Aide);
    EXPECT_EQ(menu.touche(SDLK_a), CMenuPause::Reprendre);
    menu.ouvre(CMenuPause::Commandes);
    menu.touche(SDLK_BACKSPACE);
    menu.touche(SDLK_BACKSPACE);
    EXPECT_EQ(menu.touche(SDLK_BACKSPACE), CMenuPause::Reprendre);
}

} // namespace
