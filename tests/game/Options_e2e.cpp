// The game's command-line options, on the built game.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testsupport;

namespace {

// ecritNiveauBande's band column x, as drawn.
Couleur colonneBande(int x)
{
    x %= 1000;
    return {(x * 7) % 256, (x * 13) % 256, (x / 4) % 256};
}

using OptionsE2E = TestSurServeurX;

TEST_F(OptionsE2E, BadValuesSayWhyOnOneLineAndFail)
{
    ASSERT_TRUE(ecritMondeDeTest(false));
    for (const char* arguments : {"--position abc", "--position -5", "--position 12x", "--position",
                                  "--niveau absent.ini", "--niveau data", "--vite"}) {
        std::string sortie;
        EXPECT_EQ(execute(cheminBinaire("corvanthelis") + " " + arguments + " 2>&1 >/dev/null", &sortie), 1)
            << arguments;
        // One line, and no window was opened for it.
        EXPECT_EQ(std::count(sortie.begin(), sortie.end(), '\n'), 1) << arguments << ": " << sortie;
        EXPECT_EQ(attendFenetre("Corvanthelis", 0), "") << arguments;
    }
}

// Another level, started at a given position, without the intro: the band
// shows at once, at that position, where the game's own level has sky.
TEST_F(OptionsE2E, ALevelFileStartsAtTheGivenPositionWithoutTheIntro)
{
    ASSERT_TRUE(ecritMondeDeTest(true));
    mkdir("autre", 0755);
    ASSERT_TRUE(ecritNiveauBande("./autre", "autre/niveau.ini", 200));
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {"--niveau", "autre/niveau.ini", "--position", "1234"});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    std::vector<Couleur> ecran = attendEcran(640, 480, pixelVaut(100, 100, CielMonde, 2));
    ASSERT_TRUE(couleurEn(ecran, 100, 100, CielMonde, 2)) << "still in the intro";
    for (int x : {0, 17, 300, 639})
        EXPECT_TRUE(couleurEn(ecran, x, 240, colonneBande(1234 + x), 2)) << x;
    EXPECT_TRUE(couleurEn(ecran, 100, HautPlanMonde + 40, {0, 0, 0}, 0));  // no band of the game's level
    EXPECT_TRUE(couleurEn(ecran, 320, 320, {255, 0, 0}, 2));             // the hero at 1234 + 300
    quitteParEchap(jeu);
}

}
