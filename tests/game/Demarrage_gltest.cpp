#include "foundation/Messages.h"
#include "game/Demarrage.h"
#include "support/ContexteGL.h"
#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

using DemarrageGL = TestGL;

// The scene of `niveau` with its sky drawn as the game draws it; what was said.
std::string dessineScene(SceneJeu& scene, const char* niveau)
{
    CCaptureMessages messages;
    libereScene(scene);
    chargeScene(scene, niveau);
    effaceEcran();
    dessineCiel(*scene.ciel, *scene.lune, scene.aspect);
    return messages.erreurs;
}

TEST_F(DemarrageGL, ALevelsOwnSkyMoonAndMusicReplaceTheFirstLevelsWhereItsKeysSaySo)
{
    ASSERT_TRUE(ecritMondeDeTest(true));
    SceneJeu scene;
    // Without the keys: the first level's grey sky, its yellow moon at (500, 70).
    dessineScene(scene, "./data/levels/level1.ini");
    EXPECT_EQ(lisPixel(100, 100), (Pixel{200, 200, 200, 255}));
    EXPECT_EQ(lisPixel(520, 90), (Pixel{255, 255, 0, 255}));
    EXPECT_EQ(scene.aspect.musique, fichiersJeu::MusiqueNiveau);

    ASSERT_TRUE(ecritImageBMP("data/levels/ciel.bmp", 640, 360, [](int, int) { return Couleur{0, 0, 255}; }));
    ASSERT_TRUE(ecritImageBMP("data/levels/lune.bmp", 30, 30, [](int, int) { return Couleur{0, 255, 0}; }));
    std::string niveau = lisFichier("data/levels/level1.ini");
    niveau.replace(0, 9, "[Entete]\npathCiel=./data/levels/ciel.bmp\npathLune=./data/levels/lune.bmp\n"
                         "positionLuneX=100\npositionLuneY=200\npathMusique=./data/zic/autre.ogg\n");
    ecritFichier("data/levels/autre.ini", niveau);
    std::vector<std::string> images = imagesDuDemarrage(false, "./data/levels/autre.ini");
    EXPECT_EQ(std::vector<std::string>(images.begin(), images.begin() + 2),
              std::vector<std::string>({"./data/levels/ciel.bmp", "./data/levels/lune.bmp"}));
    EXPECT_EQ(dessineScene(scene, "./data/levels/autre.ini"), "");
    EXPECT_EQ(lisPixel(100, 100), BLEU);
    EXPECT_EQ(lisPixel(520, 90), BLEU);
    EXPECT_EQ(lisPixel(110, 210), VERT);
    EXPECT_EQ(scene.aspect.musique, "./data/zic/autre.ogg");

    // A moon off every screen is said and stays at its x; a sky that cannot
    // be read gives way to the first level's.
    niveau.replace(niveau.find("positionLuneX=100"), 17, "positionLuneX=9999");
    niveau.replace(niveau.find("ciel.bmp"), 8, "absent.bmp");
    ecritFichier("data/levels/autre.ini", niveau);
    std::string dit = dessineScene(scene, "./data/levels/autre.ini");
    EXPECT_NE(dit.find("positionLuneX"), std::string::npos) << dit;
    EXPECT_NE(dit.find("absent.bmp"), std::string::npos) << dit;
    EXPECT_EQ(lisPixel(100, 100), (Pixel{200, 200, 200, 255}));
    EXPECT_EQ(lisPixel(510, 210), VERT);
    libereScene(scene);
}

}
