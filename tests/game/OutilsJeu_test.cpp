#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "game/OptionsJeu.h"
#include "game/OutilsJeu.h"
#include "scenery/CLevel.h"
#include "sprites/CSprite.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace testsupport;

namespace {

class CompteurFPSTest : public ::testing::Test {
protected:
    void SetUp() override { fixeTempsFactice(5000); }
    void TearDown() override { retireTempsFactice(); }
};

TEST_F(CompteurFPSTest, GameReportsOnlyAfterMoreThanOneSecond)
{
    CCompteurFPS fps;
    fps.demarre();
    Capture sortie(1);
    for (int i = 0; i < 99; ++i) {
        avanceTempsFactice(10);
        fps.compteImage(); // 990 ms
    }
    avanceTempsFactice(10);
    fps.compteImage(); // exactly 1000 ms: not yet
    EXPECT_EQ(fps.compteurImages, 100);
    avanceTempsFactice(1);
    fps.compteImage();
    EXPECT_EQ(sortie.texte(), "FPS : 101\n");
    EXPECT_EQ(fps.compteurImages, 0);
    EXPECT_EQ(fps.debutFPS, 6001u);
}

TEST_F(CompteurFPSTest, ViewerReportsAtOneSecond)
{
    CCompteurFPS fps(true);
    fps.demarre();
    Capture sortie(1);
    avanceTempsFactice(999);
    fps.compteImage();
    avanceTempsFactice(1);
    fps.compteImage();
    avanceTempsFactice(1000);
    fps.compteImage();
    EXPECT_EQ(sortie.texte(), "FPS : 2\nFPS : 1\n");
}

TEST_F(CompteurFPSTest, JournalOffKeepsTheCountSilent)
{
    CCompteurFPS fps;
    fps.demarre();
    CCaptureMessages dit;
    fixeJournal(false);
    avanceTempsFactice(1001);
    fps.compteImage();
    fixeJournal(true);
    EXPECT_EQ(dit.info, "");
    EXPECT_EQ(fps.compteurImages, 0); // the window starts again all the same
    avanceTempsFactice(1001);
    fps.compteImage();
    EXPECT_EQ(dit.info, "FPS : 1\n");
}

TEST(TeinteCiel, DigitsOneToNineOnly)
{
    // The factors for a key, or {-1, -1, -1} when the key tints nothing.
    auto teinte = [](int touche) {
        unsigned char r = 1, g = 2, b = 3;
        if (!teinteCiel(touche, r, g, b))
            return std::array<int, 3>{-1, -1, -1};
        return std::array<int, 3>{r, g, b};
    };
    EXPECT_EQ(teinte(SDLK_8), (std::array<int, 3>{20, 200, 150}));
    EXPECT_EQ(teinte(SDLK_9), (std::array<int, 3>{150, 200, 20}));
    EXPECT_EQ(teinte(SDLK_2), (std::array<int, 3>{170, 255, 255}));
    EXPECT_EQ(teinte(SDLK_1), (std::array<int, 3>{255, 255, 255}));
    for (int touche : {int(SDLK_0), int(SDLK_KP1), int(SDLK_KP8), int(SDLK_a), int(SDLK_SPACE)}) {
        unsigned char r = 1, g = 2, b = 3;
        EXPECT_FALSE(teinteCiel(touche, r, g, b)) << touche;
        EXPECT_EQ(r, 1); // left alone
    }
}

TEST(PositionNiveau, KeptBetweenFourAnd14580)
{
    EXPECT_EQ(bornePositionNiveau(-50), 4);
    EXPECT_EQ(bornePositionNiveau(3), 4);
    EXPECT_EQ(bornePositionNiveau(4), 4);
    EXPECT_EQ(bornePositionNiveau(2800), 2800);
    EXPECT_EQ(bornePositionNiveau(14580), 14580);
    EXPECT_EQ(bornePositionNiveau(14581), 14580);
}

// Walking against the right end: the position and every plane's window
// stay put frame after frame, whatever the frame times.
TEST(PositionNiveau, WalkingAgainstAnEndMovesNoPlane)
{
    CLevel niveau;
    niveau.setPositionX(PositionNiveauMax - 30);
    for (int i = 0; i < 100; ++i)
        avanceNiveauBorne(niveau, 7 + i % 9, true, true);
    std::array<int, 4> vu{niveau.getPositionX(), niveau.fenetreX(100, true), niveau.fenetreX(150, true), 0};
    EXPECT_EQ(vu[0], PositionNiveauMax);
    for (int i = 0; i < 50; ++i) {
        avanceNiveauBorne(niveau, 7 + i % 9, true, true);
        EXPECT_EQ(niveau.getPositionX(), vu[0]);
        EXPECT_EQ(niveau.fenetreX(150, true), vu[2]) << "frame " << i;
    }
    // Walking back still works.
    for (int i = 0; i < 10; ++i)
        avanceNiveauBorne(niveau, 12, true, false);
    EXPECT_EQ(niveau.getPositionX(), PositionNiveauMax - 10);
}

TEST(NomImageSerie, NumbersWithoutZerosAndRefusesWhatDoesNotFit)
{
    char nom[100];
    ASSERT_TRUE(nomImageSerie(nom, sizeof nom, "./data/cin/gameover/anim_gameover_", 10, ".png"));
    EXPECT_STREQ(nom, "./data/cin/gameover/anim_gameover_10.png");
    ASSERT_TRUE(nomImageSerie(nom, sizeof nom, nullptr, 7, nullptr));
    EXPECT_STREQ(nom, "7");

    std::string debut(94, 'a');
    EXPECT_TRUE(nomImageSerie(nom, sizeof nom, debut.c_str(), 9, ".bmp")); // 99 characters
    EXPECT_EQ(std::string(nom).size(), 99u);
    EXPECT_FALSE(nomImageSerie(nom, sizeof nom, debut.c_str(), 10, ".bmp")); // 100: no room for NUL
    EXPECT_STREQ(nom, "");
}

TEST(SpriteHerosCSprite, EmptySpriteNeverHoldsATurn)
{
    CSprite sprite; // no description loaded: no animation
    SpriteHerosCSprite adaptateur(&sprite);
    adaptateur.setAnimationCourante("Retourne");
    adaptateur.setRepeteAnimCourante(false);
    adaptateur.demarreAnim();
    adaptateur.setMirroirY(true);
    adaptateur.setPosition(300, 286);
    EXPECT_TRUE(adaptateur.isAnimCouranteFinished());
    EXPECT_EQ(sprite.getPositionX(), 300);
    EXPECT_EQ(sprite.getPositionY(), 286);
    EXPECT_TRUE(sprite.getMirroirY());

    // Driven by the control, the hero leaves the turn at the next frame.
    fixeTempsFactice(0);
    CControleHeros heros;
    TouchesHeros gauche;
    gauche.gauche = true;
    heros.metAJour(gauche, adaptateur);
    EXPECT_EQ(heros.etat, EtatRetourne);
    heros.metAJour(gauche, adaptateur);
    EXPECT_FALSE(heros.enRetournement);
    heros.metAJour(gauche, adaptateur);
    EXPECT_EQ(heros.etat, EtatMarche);
    retireTempsFactice();
}

// A start past the level's last position would be held at the end, past
// the finish: refused with one line, as any other bad position.
TEST(OptionsJeu, APositionBeyondTheLevelIsRefused)
{
    for (const char* position : {"14580", "14581", "2147483647"}) {
        char nom[] = "corvanthelis", option[] = "--position";
        std::string valeur = position;
        char* argv[] = {nom, option, &valeur[0]};
        OptionsJeu options;
        CCaptureMessages messages;
        bool accepte = litOptionsJeu(3, argv, options);
        EXPECT_EQ(accepte, valeur == "14580") << position;
        EXPECT_EQ(messages.erreurs.empty(), accepte) << messages.erreurs;
    }
}

}
