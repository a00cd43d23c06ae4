// The built game played on the demo content that the build generates next
// to it (data/ in the build folder), on an X server of its own.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
#include <vector>

using namespace testsupport;

namespace {

using JeuContenuE2E = TestSurServeurX;

// The hero stands at x 300 (frames up to about 80 wide) from y 286 down to
// the ground; left and right of these columns only the level is drawn.
const int HerosX0 = 300, HerosX1 = 380, HerosY0 = 286, HerosY1 = 420;

// Pixels that differ outside the hero's columns.
int changementsHorsHeros(const std::vector<Couleur>& a, const std::vector<Couleur>& b)
{
    return pixelsDifferents(a, b, 0, 0, HerosX0 - 10, 480)
        + pixelsDifferents(a, b, HerosX1 + 10, 0, 640, 480);
}

TEST_F(JeuContenuE2E, SkipsTheIntroWalksTheLevelAndQuitsCleanly)
{
    const std::string construit = CORVANTHELIS_BIN_DIR;
    ASSERT_TRUE(fichierExiste(construit + "/data/levels/level1.ini"))
        << "the build's content step has not run";
    rmdir("data");  // the fixture's empty one
    ASSERT_EQ(symlink((construit + "/data").c_str(), "data"), 0);
    ecritConfigFenetre();

    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");

    // The intro lasts over two minutes; the game loop's frame-rate report
    // within seconds shows that Escape skipped it and Return played.
    appuie("Escape");
    appuie("Return");
    bool enJeu = attendLigne("sortie.txt", "FPS : ", 20000);
    ASSERT_TRUE(enJeu) << "the intro did not give way to the level";
    EXPECT_TRUE(jeu.enCours());

    // Settled but for the hero, whose standing may be an animation.
    std::vector<Couleur> debout
        = attendEcranStable(640, 480, nullptr, DelaiAttente,
                            [](const std::vector<Couleur>& a, const std::vector<Couleur>& b) {
                                return changementsHorsHeros(a, b) == 0;
                            });
    ASSERT_FALSE(debout.empty());

    // Crouching moves nothing but the hero: whatever changes in its columns
    // is the hero being drawn over the level.
    std::vector<Couleur> accroupi = tiensToucheJusqua("Down", [&](const std::vector<Couleur>& e) {
        return pixelsDifferents(debout, e, HerosX0, HerosY0, HerosX1, HerosY1) > 500;
    });
    ASSERT_FALSE(accroupi.empty());
    EXPECT_EQ(changementsHorsHeros(debout, accroupi), 0) << "the level moved while crouching";
    EXPECT_GT(pixelsDifferents(debout, accroupi, HerosX0, HerosY0, HerosX1, HerosY1), 500)
        << "no hero drawn at x 300";

    // Holding Right scrolls the level under the hero.
    std::vector<Couleur> apresMarche = tiensToucheJusqua(
        "Right", [&](const std::vector<Couleur>& e) { return changementsHorsHeros(debout, e) > 20000; });
    ASSERT_FALSE(apresMarche.empty());
    EXPECT_GT(changementsHorsHeros(debout, apresMarche), 20000) << "the level did not scroll";

    quitteParEchap(jeu);
    std::string messages = lisFichier("sortie.txt") + lisFichier("erreurs.txt");
    EXPECT_EQ(messages.find("Impossible"), std::string::npos) << messages;
}

}
