// The built game, played with real key presses on an X server of its own.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const Couleur Ciel = CielMonde;
const int HautPlan = HautPlanMonde;

void genereDonnees(bool avecHeros)
{
    ASSERT_TRUE(ecritMondeDeTest(avecHeros));
}

using JeuE2E = TestSurServeurX;

TEST_F(JeuE2E, SkipIntroScrollTintAndQuit)
{
    genereDonnees(true);
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");

    // The intro has no pictures here and would last two minutes: the sky
    // showing within seconds means Escape skipped it (and Return on the
    // title played).
    appuie("Escape");
    appuie("Return");
    std::vector<Couleur> ecran = attendEcran(640, 480, pixelVaut(100, 100, Ciel, 2));
    ASSERT_TRUE(couleurEn(ecran, 100, 100, Ciel, 2));
    EXPECT_TRUE(jeu.enCours());

    // The hero stands on top of the level, the moon's key colour is gone.
    EXPECT_TRUE(couleurEn(ecran, 320, 320, {255, 0, 0}, 2));
    EXPECT_TRUE(couleurEn(ecran, 520, 90, {255, 255, 0}, 2));
    EXPECT_TRUE(couleurEn(ecran, 501, 71, Ciel, 2));

    // Standing still: the level does not move (for a while: the time is
    // what this checks).
    pause(400);
    std::vector<Couleur> immobile = captureEcranX(640, 480);
    ASSERT_FALSE(immobile.empty());
    EXPECT_TRUE(memeLigneEcran(ecran, immobile, HautPlan + 40));

    // Holding Right walks: the level scrolls under the hero.
    std::vector<Couleur> apres = tiensToucheJusqua("Right", [&](const std::vector<Couleur>& e) {
        return !memeLigneEcran(immobile, e, HautPlan + 40);
    });
    ASSERT_FALSE(apres.empty());
    EXPECT_FALSE(memeLigneEcran(immobile, apres, HautPlan + 40));
    EXPECT_TRUE(couleurEn(apres, 320, 320, {255, 0, 0}, 2)); // still at x 300

    // 8 tints the sky (20, 200, 150), 1 restores it.
    const Couleur Teinte = {200 * 20 / 255, 200 * 200 / 255, 200 * 150 / 255};
    appuie("8");
    std::vector<Couleur> teinte = attendEcran(640, 480, pixelVaut(100, 100, Teinte, 3));
    EXPECT_TRUE(couleurEn(teinte, 100, 100, Teinte, 3));
    appuie("1");
    EXPECT_TRUE(couleurEn(attendEcran(640, 480, pixelVaut(100, 100, Ciel, 2)), 100, 100, Ciel, 2));

    attendLigne("sortie.txt", "FPS : "); // at least one frame-rate report
    quitteParEchap(jeu);
    std::string sortie = lisFichier("sortie.txt");
    EXPECT_NE(sortie.find("FPS : "), std::string::npos) << sortie;
}

TEST_F(JeuE2E, RunsAndQuitsWithoutHeroDescription)
{
    genereDonnees(false);
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
    appuie("Escape");
    appuie("Return");
    attendEcran(640, 480, pixelVaut(100, 100, Ciel, 2));
    // Walk, turn, jump and strike with nothing to draw: each key held for
    // some frames, which no picture shows, hence a fixed time.
    for (const char* t : {"Right", "Left", "Up", "space", "Down"}) {
        enfonce(t);
        pause(300);
        relache(t);
    }
    std::vector<Couleur> ecran = captureEcranX(640, 480);
    EXPECT_TRUE(couleurEn(ecran, 320, 320, Ciel, 2)); // no hero drawn
    EXPECT_TRUE(jeu.enCours());
    attendLigne("sortie.txt", "FPS : ");
    quitteParEchap(jeu);
    EXPECT_NE(lisFichier("sortie.txt").find("FPS : "), std::string::npos);
}

}
