#include "foundation/Messages.h"
#include "game/Demarrage.h"
#include "support/ContexteGL.h"
#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class DemarrageGL : public TestGL {
protected:
    // The scene of `niveau` drawn as the game draws its sky; what was said.
    std::string dessineScene(const char* niveau)
    {
        CCaptureMessages messages;
        chargeScene(scene, niveau);
        effaceEcran();
        dessineCiel(*scene.ciel, *scene.lune, scene.aspect);
        return messages.erreurs;
    }
    void TearDown() override
    {
        libereScene(scene);
        TestGL::TearDown();
    }
    SceneJeu scene;
};

const Pixel Gris = {200, 200, 200, 255}; // CielMonde
const Pixel Jaune = {255, 255, 0, 255};

TEST_F(DemarrageGL, ALevelsOwnSkyMoonAndMusicReplaceTheFirstLevelsWhereItsKeysSaySo)
{
    ASSERT_TRUE(ecritMondeDeTest(true));
    // Without the keys: the first level's sky, its moon at (500, 70).
    dessineScene("./data/levels/level1.ini");
    EXPECT_EQ(lisPixel(100, 100), Gris);
    EXPECT_EQ(lisPixel(520, 90), Jaune);
    EXPECT_EQ(scene.aspect.musique, fichiersJeu::MusiqueNiveau);
    libereScene(scene);

    ASSERT_TRUE(ecritImageBMP("data/levels/ciel.bmp", 640, 360, [](int, int) { return Couleur{0, 0, 255}; }));
    ASSERT_TRUE(ecritImageBMP("data/levels/lune.bmp", 30, 30, [](int, int) { return Couleur{0, 255, 0}; }));
    std::string niveau = lisFichier("data/levels/level1.ini");
    niveau.replace(0, 9, "[Entete]\npathCiel=./data/levels/ciel.bmp\npathLune=./data/levels/lune.bmp\n"
                         "positionLuneX=100\npositionLuneY=200\npathMusique=./data/zic/autre.ogg\n");
    ecritFichier("data/levels/autre.ini", niveau);
    std::vector<std::string> images = imagesDuDemarrage(false, "./data/levels/autre.ini");
    ASSERT_GE(images.size(), 2u);
    EXPECT_EQ(images[0], "./data/levels/ciel.bmp");
    EXPECT_EQ(images[1], "./data/levels/lune.bmp");
    EXPECT_EQ(dessineScene("./data/levels/autre.ini"), "");
    EXPECT_EQ(lisPixel(100, 100), BLEU);
    EXPECT_EQ(lisPixel(520, 90), BLEU);
    EXPECT_EQ(lisPixel(110, 210), VERT);
    EXPECT_EQ(scene.aspect.musique, "./data/zic/autre.ogg");
    libereScene(scene);

    // A moon off every screen is said and stays where it was; a sky that
    // cannot be read gives way to the first level's.
    niveau.replace(niveau.find("positionLuneX=100"), 17, "positionLuneX=9999");
    niveau.replace(niveau.find("ciel.bmp"), 8, "absent.bmp");
    ecritFichier("data/levels/autre.ini", niveau);
    std::string dit = dessineScene("./data/levels/autre.ini");
    EXPECT_NE(dit.find("positionLuneX"), std::string::npos) << dit;
    EXPECT_NE(dit.find("absent.bmp"), std::string::npos) << dit;
    EXPECT_EQ(lisPixel(100, 100), Gris);
    EXPECT_EQ(lisPixel(510, 210), VERT);
}

}
