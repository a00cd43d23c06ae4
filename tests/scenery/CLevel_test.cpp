#include "scenery/CLevel.h"

#include "foundation/Temps.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::Capture;
using testsupport::DossierTemporaire;
using testsupport::ecritFichier;

namespace {

// Two seconds of walking, timed on the fake clock as the game loop times it,
// at frame times that repeat `durees` until 2000 ms have passed.
int marcheDeuxSecondes(const std::vector<uint32_t>& durees)
{
    fixeTempsFactice(50000);
    CLevel niveau;
    niveau.setPositionX(2800);
    uint32_t debutDessin = tempsCourant();
    for (size_t i = 0; tempsCourant() - 50000 < 2000; ++i) {
        uint32_t d = durees[i % durees.size()];
        avanceTempsFactice(std::min<uint32_t>(d, 2000 - (tempsCourant() - 50000)));
        int ecoule = static_cast<int>(tempsCourant() - debutDessin);
        debutDessin = tempsCourant();
        niveau.avance(ecoule, true, true, false, false);
        EXPECT_GE(niveau.resteX, 0);
        EXPECT_LT(niveau.resteX, niveau.diviseurX);
    }
    retireTempsFactice();
    return niveau.getPositionX() - 2800;
}

TEST(DefilementNiveau, SpeedDoesNotDependOnTheFrameRate)
{
    // 2000 ms at 12 ms per unit: 166 units and 8 ms carried.
    for (uint32_t d : {4u, 7u, 16u, 33u, 50u}) {
        SCOPED_TRACE(d);
        EXPECT_EQ(166, marcheDeuxSecondes({d}));
    }
    EXPECT_EQ(166, marcheDeuxSecondes({3, 41, 16, 9, 70, 1, 17, 25}));

    // The carried time is that of the sum: 10 + 10 ms is one step and 8 ms.
    CLevel niveau;
    niveau.drawScene(10, 10, true, true, false, false);
    EXPECT_EQ(0, niveau.getPositionX());
    niveau.drawScene(10, 10, true, true, false, false);
    EXPECT_EQ(1, niveau.getPositionX());
    EXPECT_EQ(8, niveau.resteX);
    niveau.drawScene(16, 16, true, false, false, false);
    EXPECT_EQ(-1, niveau.getPositionX());
    EXPECT_EQ(0, niveau.resteX);
}

TEST(DefilementNiveau, StillFramesAndDisabledScrolling)
{
    CLevel niveau;
    niveau.setPositionX(100);
    niveau.drawScene(16, 16, true, true, false, false);
    ASSERT_EQ(niveau.resteX, 4);
    // No movement: neither the position nor the carried time changes.
    for (int i = 0; i < 3; ++i)
        niveau.drawScene(16, 0, false, true, false, false);
    EXPECT_EQ(niveau.getPositionX(), 101);
    EXPECT_EQ(niveau.resteX, 4);
    // Movement without scrolling still settles the carried time.
    niveau.drawScene(16, 30, false, true, false, false);
    EXPECT_EQ(niveau.getPositionX(), 101);
    EXPECT_EQ(niveau.resteX, 10);
    // Vertical requests without a divisor are ignored; with one they move.
    niveau.drawScene(16, 30, false, true, true, true);
    EXPECT_EQ(niveau.positionY, 0);
    niveau.diviseurY = 10;
    niveau.drawScene(16, 30, false, true, true, false);
    EXPECT_EQ(niveau.positionY, -3);
}

TEST(DefilementNiveau, WindowFollowsTheScrollRatio)
{
    CLevel niveau;
    niveau.setPositionX(2800);
    EXPECT_EQ(niveau.fenetreX(50, true), 1400);
    EXPECT_EQ(niveau.fenetreX(100, true), 2800);
    EXPECT_EQ(niveau.fenetreX(1, true), 28);
    EXPECT_EQ(niveau.fenetreX(200, true), 5600);
    // Fast planes also move by the step not yet taken, in the scroll's
    // direction; slow planes ignore it.
    niveau.resteX = 6;
    EXPECT_EQ(niveau.fenetreX(200, true), 5601);
    EXPECT_EQ(niveau.fenetreX(200, false), 5599);
    EXPECT_EQ(niveau.fenetreX(100, false), 2800);
    // An absurd ratio saturates instead of overflowing.
    EXPECT_EQ(niveau.fenetreX(2000000000, true), 2147483647);
}

TEST(FichierNiveau, MissingKeysTakeTheirDefaults)
{
    DossierTemporaire dossier;
    ecritFichier("niveau.ini",
                 "[Entete]\nnombrePriorites=2\nnombrePlans=2\n"
                 "[Plan1]\npriorite=2\nscrollRatio=50\nrepeatX=1\nrepeatY=1\n"
                 "[Plan2]\n");
    CLevel niveau;
    Capture sortie(1);
    EXPECT_EQ(niveau.initFromIniFile("niveau.ini"), 0);
    sortie.texte();
    ASSERT_EQ(niveau.nombrePlans, 2);
    const ParamPlan& lu = niveau.paramsPlans[0];
    EXPECT_EQ(lu.scrollRatio, 50);
    EXPECT_TRUE(lu.repeatX);
    EXPECT_TRUE(lu.repeatY);
    const ParamPlan& defauts = niveau.paramsPlans[1];
    EXPECT_EQ(defauts.priorite, 1);
    EXPECT_EQ(defauts.scrollRatio, 1);
    EXPECT_FALSE(defauts.repeatX);
    EXPECT_FALSE(defauts.repeatY);
    // Listed 2 then 1: drawn 1 then 2.
    std::vector<int> ordre(niveau.ordreDessin(), niveau.ordreDessin() + niveau.nombreDessines());
    EXPECT_EQ(ordre, (std::vector<int>{1, 0}));

    // Settings changed after loading count from the next drawing on.
    niveau.paramsPlans[0].priorite = 1;
    niveau.paramsPlans[1].priorite = 3;
    niveau.drawScene(16, 0, false, true, false, false);
    ordre.assign(niveau.ordreDessin(), niveau.ordreDessin() + niveau.nombreDessines());
    EXPECT_EQ(ordre, (std::vector<int>{0}));
}

TEST(FichierNiveau, MissingOrAbsurdFilesGiveNoPlanes)
{
    DossierTemporaire dossier;
    ecritFichier("enorme.ini", "[Entete]\nnombrePriorites=1\nnombrePlans=2000000000\n");
    ecritFichier("negatif.ini", "[Entete]\nnombrePriorites=-1\nnombrePlans=-7\n");
    {
        CLevel niveau;
        Capture erreurs(2);
        EXPECT_EQ(niveau.initFromIniFile("absent.ini"), 0);
        EXPECT_EQ(erreurs.texte(), "Fichier introuvable : absent.ini\n");
        EXPECT_EQ(niveau.nombrePlans, 0);
        niveau.drawScene(16, 16, true, true, false, false);
        EXPECT_EQ(niveau.getPositionX(), 1);
    }
    {
        CLevel niveau;
        Capture erreurs(2);
        EXPECT_EQ(niveau.initFromIniFile("enorme.ini"), 0);
        EXPECT_NE(erreurs.texte().find("enorme.ini"), std::string::npos);
        EXPECT_EQ(niveau.nombrePlans, 0);
    }
    {
        CLevel niveau;
        EXPECT_EQ(niveau.initFromIniFile("negatif.ini"), 0);
        EXPECT_EQ(niveau.nombrePlans, 0);
        EXPECT_EQ(niveau.nombrePriorites, 0);
    }
}

}
