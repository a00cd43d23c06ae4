#include "scenery/CLevel.h"

#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

// Sheet of four 100 x 100 solid squares: red, green, blue, white.
void ecritPlanche()
{
    std::vector<Pixel> pixels;
    const Pixel couleurs[] = {ROUGE, VERT, BLEU, BLANC};
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            pixels.push_back(couleurs[x / 100]);
    testsupport::ecritTGA("planche.tga", 400, 100, pixels, false);
}

// A plane of one solid frame (colour index 0-3) of w x h placed at (x, y).
void ecritPlan(const std::string& nom, int couleur, int w, int h, int x, int y)
{
    ecritFichier(nom, "[Entete]\nnombreTiles=1\n"
                      "[Tile1]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                      "[Tile1Frame1]\npositionX=" + std::to_string(couleur * 100) +
                          "\npositionY=0\nlongueur=" + std::to_string(w) +
                          "\nhauteur=" + std::to_string(h) +
                          "\n[Tile1Position1]\npositionX=" + std::to_string(x) +
                          "\npositionY=" + std::to_string(y) + "\n");
}

std::string sectionPlan(int n, const std::string& plan, int priorite, int x, int y, int ratio)
{
    return "[Plan" + std::to_string(n) + "]\npathPlan=" + plan +
           "\npriorite=" + std::to_string(priorite) + "\npositionEcranX=" + std::to_string(x) +
           "\npositionEcranY=" + std::to_string(y) + "\nscrollRatio=" + std::to_string(ratio) + "\n";
}

class NiveauGL : public testsupport::TestGL {
protected:
    // The sheet, then the level file `texte` loaded into `niveau`, drawn
    // once from `positionX` without moving.
    void chargeEtDessine(CLevel& niveau, const std::string& texte, int positionX = 0)
    {
        ecritPlanche();
        ecritFichier("niveau.ini", texte);
        ASSERT_EQ(niveau.initFromIniFile("niveau.ini"), 0);
        niveau.setPositionX(positionX);
        niveau.drawScene(16, 0, false, true, false, false);
    }
};

TEST_F(NiveauGL, PrioritiesAreDrawnFromOneUpward)
{
    ecritPlan("rouge.ini", 0, 50, 100, 0, 0);
    ecritPlan("vert.ini", 1, 100, 100, 0, 0);
    ecritPlan("bleu.ini", 2, 100, 100, 0, 0);
    ecritPlan("blanc.ini", 3, 100, 100, 0, 0);
    // Listed back to front on purpose: red (2) must cover green (1); blue
    // (priority 0) and white (above nombrePriorites) never show.
    CLevel niveau;
    chargeEtDessine(niveau, "[Entete]\nnombrePriorites=2\nnombrePlans=4\n" +
                                sectionPlan(1, "rouge.ini", 2, 0, 0, 100) +
                                sectionPlan(2, "vert.ini", 1, 0, 0, 100) +
                                sectionPlan(3, "bleu.ini", 0, 200, 0, 100) +
                                sectionPlan(4, "blanc.ini", 3, 300, 0, 100));
    EXPECT_TRUE(zoneUnie(0, 0, 50, 100, ROUGE, "priorite-2-devant"));
    EXPECT_TRUE(zoneUnie(50, 0, 50, 100, VERT, "priorite-1-derriere"));
    EXPECT_TRUE(zoneUnie(100, 0, 540, 480, NOIR, "priorites-ignorees"));
}

TEST_F(NiveauGL, PlaneWithoutScreenPositionStartsAtOneOne)
{
    ecritPlan("rouge.ini", 0, 50, 30, 0, 0);
    CLevel niveau;
    chargeEtDessine(niveau, "[Entete]\nnombrePriorites=1\nnombrePlans=1\n"
                            "[Plan1]\npathPlan=rouge.ini\n");
    EXPECT_TRUE(zoneUnie(1, 1, 50, 30, ROUGE, "defaut-plan"));
    EXPECT_TRUE(zoneUnie(0, 0, 52, 1, NOIR, "defaut-haut"));
    EXPECT_TRUE(zoneUnie(0, 0, 1, 32, NOIR, "defaut-gauche"));
    EXPECT_TRUE(zoneUnie(51, 0, 10, 32, NOIR, "defaut-droite"));
}

TEST_F(NiveauGL, PlanesScrollWithParallax)
{
    // A 10-wide white marker at plane x 400 in each plane, one plane per band.
    ecritPlan("repere.ini", 3, 10, 20, 400, 0);
    CLevel niveau;
    chargeEtDessine(niveau, "[Entete]\nnombrePriorites=1\nnombrePlans=3\n" +
                                sectionPlan(1, "repere.ini", 1, 0, 0, 50) +
                                sectionPlan(2, "repere.ini", 1, 0, 100, 100) +
                                sectionPlan(3, "repere.ini", 1, 0, 200, 200),
                    200);
    // Windows start at 100, 200 and 400.
    EXPECT_TRUE(zoneUnie(300, 0, 10, 20, BLANC, "ratio-50"));
    EXPECT_TRUE(zoneUnie(200, 100, 10, 20, BLANC, "ratio-100"));
    EXPECT_TRUE(zoneUnie(0, 200, 10, 20, BLANC, "ratio-200"));

    // One 16 ms step forward: position 201 with 4 ms carried. The slow
    // plane stays (100.5 truncates), the normal one moves 1, the fast one
    // 2 plus two thirds of a step: 402.67, so 402.
    testsupport::effaceEcran();
    niveau.drawScene(16, 16, true, true, false, false);
    ASSERT_EQ(niveau.getPositionX(), 201);
    EXPECT_TRUE(zoneUnie(300, 0, 10, 20, BLANC, "pas-ratio-50"));
    EXPECT_TRUE(zoneUnie(199, 100, 10, 20, BLANC, "pas-ratio-100"));
    std::vector<Pixel> bord(12, NOIR);
    for (int i = 0; i < 8; ++i)
        bord[i] = BLANC;
    EXPECT_TRUE(memesPixels(0, 210, 12, 1, bord, "pas-ratio-200"));
}

}
