#include "foundation/Temps.h"
#include "game/OutilsJeu.h"
#include "sprites/CSprite.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

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

TEST(TeinteCiel, DigitsOneToNineOnly)
{
    unsigned char r = 1, g = 2, b = 3;
    EXPECT_TRUE(teinteCiel(SDLK_8, r, g, b));
    EXPECT_EQ(r, 20);
    EXPECT_EQ(g, 200);
    EXPECT_EQ(b, 150);
    EXPECT_TRUE(teinteCiel(SDLK_9, r, g, b));
    EXPECT_EQ(r, 150);
    EXPECT_EQ(g, 200);
    EXPECT_EQ(b, 20);
    EXPECT_TRUE(teinteCiel(SDLK_2, r, g, b));
    EXPECT_EQ(r, 170);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 255);
    EXPECT_TRUE(teinteCiel(SDLK_1, r, g, b));
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 255);
    for (int touche : {int(SDLK_0), int(SDLK_KP1), int(SDLK_KP8), int(SDLK_a), int(SDLK_SPACE)}) {
        r = 1;
        EXPECT_FALSE(teinteCiel(touche, r, g, b)) << touche;
        EXPECT_EQ(r, 1);
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

}
