#include "scenery/CBackground.h"

#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "shell/CEngineGL.h"
#include "sprites/CAnimGL.h"

#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

// Sheet 200 x 20: columns 0-49 red, 50-99 green, 100-149 blue, 150-199
// magenta. So a 100-wide frame at 0 is half red, half green.
void ecritPlanche(const std::string& nom)
{
    std::vector<Pixel> pixels;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
            pixels.push_back(x < 50 ? ROUGE : x < 100 ? VERT : x < 150 ? BLEU : MAGENTA);
    testsupport::ecritTGA(nom, 200, 20, pixels, false);
}

// One tile: the red/green frame, placed at x = 0 and x = 150 (width 250).
const char* PLAN_250 =
    "[Entete]\nnombreTiles=1\n"
    "[Tile1]\nnbPositions=2\nnbFrames=1\npathPlanche=planche.tga\n"
    "[Tile1Frame1]\npositionX=0\npositionY=0\nlongueur=100\nhauteur=20\n"
    "[Tile1Position1]\npositionX=0\npositionY=0\n"
    "[Tile1Position2]\npositionX=150\npositionY=0\n";

// Colour of plane x in PLAN_250.
Pixel couleurPlan250(long x)
{
    x %= 250;
    if (x < 50 || (x >= 150 && x < 200))
        return ROUGE;
    if (x < 100 || x >= 200)
        return VERT;
    return NOIR;
}

std::vector<Pixel> ligneRepetee(int sx, int w)
{
    std::vector<Pixel> ligne;
    for (int s = 0; s < 640; ++s)
        ligne.push_back(s < w ? couleurPlan250(sx + s) : NOIR);
    return ligne;
}

class PlanGL : public testsupport::TestGL {};

TEST_F(PlanGL, RepeatedPlaneFillsTheWindowFromTheWrappedPosition)
{
    ecritPlanche("planche.tga");
    ecritFichier("plan.ini", PLAN_250);
    CBackground plan;
    ASSERT_EQ(plan.initFromIniFile("plan.ini"), 0);
    ASSERT_EQ(plan.getLongueur(), 250);
    ASSERT_EQ(plan.getHauteur(), 20);

    // Window 600 wide seen from 300: the copies at +200 and +450 come in,
    // and nothing is drawn past the window's edge.
    plan.affiche(0, 10, 300, 0, 600, 100, true, false);
    EXPECT_TRUE(memesPixels(0, 10, 640, 1, ligneRepetee(300, 600), "repetition-300"));
    EXPECT_TRUE(memesPixels(0, 29, 640, 1, ligneRepetee(300, 600), "repetition-300-bas"));
    EXPECT_TRUE(zoneUnie(0, 30, 640, 10, NOIR, "repetition-300-dessous"));

    for (int sx : {250, 249}) {
        testsupport::effaceEcran();
        plan.affiche(0, 0, sx, 0, 640, 20, true, false);
        EXPECT_TRUE(memesPixels(0, 0, 640, 1, ligneRepetee(sx, 640), "repetition-" + std::to_string(sx)));
    }

    // Without repetition only the plane itself shows.
    testsupport::effaceEcran();
    plan.affiche(0, 0, 200, 0, 640, 20, false, false);
    std::vector<Pixel> seul;
    for (int s = 0; s < 640; ++s)
        seul.push_back(s < 50 ? couleurPlan250(200 + s) : NOIR);
    EXPECT_TRUE(memesPixels(0, 0, 640, 1, seul, "sans-repetition"));
}

TEST_F(PlanGL, FramesAreCutAtBothWindowEdges)
{
    ecritPlanche("planche.tga");
    // A 20-wide frame (10 red, 10 green) at 90 and at 140; window 100..150.
    ecritFichier("plan.ini",
                 "[Entete]\nnombreTiles=1\n"
                 "[Tile1]\nnbPositions=2\nnbFrames=1\npathPlanche=planche.tga\n"
                 "[Tile1Frame1]\npositionX=40\nlongueur=20\nhauteur=20\n"
                 "[Tile1Position1]\npositionX=90\n"
                 "[Tile1Position2]\npositionX=140\n");
    CBackground plan;
    ASSERT_EQ(plan.initFromIniFile("plan.ini"), 0);
    plan.affiche(200, 50, 100, 0, 50, 20);
    std::vector<Pixel> attendu;
    for (int s = 190; s < 270; ++s)
        attendu.push_back(s >= 200 && s < 210 ? VERT : s >= 240 && s < 250 ? ROUGE : NOIR);
    EXPECT_TRUE(memesPixels(190, 60, 80, 1, attendu, "decoupe"));
}

TEST_F(PlanGL, VerticalRepetitionTilesDownward)
{
    ecritPlanche("planche.tga");
    ecritFichier("plan.ini",
                 "[Entete]\nnombreTiles=1\n"
                 "[Tile1]\nnbPositions=2\nnbFrames=1\npathPlanche=planche.tga\n"
                 "[Tile1Frame1]\npositionX=100\nlongueur=30\nhauteur=20\n"
                 "[Tile1Position1]\npositionY=0\n"
                 "[Tile1Position2]\npositionY=30\n");
    CBackground plan;
    ASSERT_EQ(plan.initFromIniFile("plan.ini"), 0);
    ASSERT_EQ(plan.getHauteur(), 50);
    // Plane rows 0-19 and 30-49 are blue; seen from 10, 120 rows down, and
    // repeated to the right too (period 30, so the columns join up).
    plan.affiche(0, 0, 0, 10, 90, 120, true, true);
    std::vector<Pixel> colonne;
    for (int s = 0; s < 140; ++s) {
        int y = (s + 10) % 50;
        colonne.push_back(s < 120 && (y < 20 || y >= 30) ? BLEU : NOIR);
    }
    for (int x : {0, 45, 89})
        EXPECT_TRUE(memesPixels(x, 0, 1, 140, colonne, "repetition-verticale-" + std::to_string(x)));
    EXPECT_TRUE(zoneUnie(90, 0, 10, 140, NOIR, "repetition-verticale-droite"));
}

TEST_F(PlanGL, TilesSharingASheetKeepTheirOwnKeyAndOpacity)
{
    ecritPlanche("planche.tga");
    // Both tiles cut the magenta/blue border from the same sheet; the first
    // keys out magenta, the second keeps it, the third is invisible (only the
    // low 8 bits of valeurAlpha count). positionX past 16 bits wraps to 130.
    ecritFichier("plan.ini",
                 "[Entete]\nnombreTiles=3\n"
                 "[Tile1]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                 "colorkeyR=255\ncolorkeyG=0\ncolorkeyB=255\n"
                 "[Tile1Frame1]\npositionX=65666\nlongueur=40\nhauteur=20\n"
                 "[Tile1Position1]\npositionX=0\n"
                 "[Tile2]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                 "[Tile2Frame1]\npositionX=130\nlongueur=40\nhauteur=20\n"
                 "[Tile2Position1]\npositionX=50\n"
                 "[Tile3]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                 "[Tile3Frame1]\nlongueur=40\nhauteur=20\nvaleurAlpha=256\n"
                 "[Tile3Position1]\npositionX=100\n");
    CBackground plan;
    Capture sortie(1);
    ASSERT_EQ(plan.initFromIniFile("plan.ini"), 0);
    std::string texte = sortie.texte();
    EXPECT_NE(texte.find("clé : Tile1Frame1\n"), std::string::npos);
    EXPECT_NE(texte.find("clé : Tile3Frame1\n"), std::string::npos);
    {
        // Journal=0: no per-tile notice.
        fixeJournal(false);
        CBackground calme;
        Capture sortieCalme(1);
        EXPECT_EQ(calme.initFromIniFile("plan.ini"), 0);
        fixeJournal(true);
        EXPECT_EQ(sortieCalme.texte().find("clé : "), std::string::npos);
    }

    plan.affiche(0, 0, 0, 0, 640, 480, false, false);
    EXPECT_TRUE(zoneUnie(0, 0, 20, 20, BLEU, "cle-bleu"));
    EXPECT_TRUE(zoneUnie(20, 0, 20, 20, NOIR, "cle-magenta"));
    EXPECT_TRUE(zoneUnie(50, 0, 20, 20, BLEU, "sans-cle-bleu"));
    EXPECT_TRUE(zoneUnie(70, 0, 20, 20, MAGENTA, "sans-cle-magenta"));
    EXPECT_TRUE(zoneUnie(100, 0, 40, 20, NOIR, "invisible"));
}

TEST_F(PlanGL, FailedLoadDrawsOnlyWhatWasRead)
{
    ecritPlanche("planche.tga");
    ecritFichier("plan.ini",
                 "[Entete]\nnombreTiles=2\n"
                 "[Tile1]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                 "[Tile1Frame1]\nlongueur=50\nhauteur=20\n"
                 "[Tile1Position1]\npositionX=10\n"
                 "[Tile2]\nnbPositions=3\nnbFrames=1\npathPlanche=perdue.png\n"
                 "[Tile2Frame1]\nlongueur=50\nhauteur=20\n"
                 "[Tile2Position1]\npositionX=300\n");
    CBackground plan;
    Capture erreurs(2);
    EXPECT_EQ(plan.initFromIniFile("plan.ini"), 1);
    EXPECT_NE(erreurs.texte().find("Nom de l'image: perdue.png\n"), std::string::npos);
    EXPECT_EQ(plan.getLongueur(), 60);
    plan.affiche(0, 0, 0, 0, 640, 480, true, false);
    std::vector<Pixel> attendu;
    for (int s = 0; s < 640; ++s)
        attendu.push_back(s % 60 >= 10 ? ROUGE : NOIR);
    EXPECT_TRUE(memesPixels(0, 5, 640, 1, attendu, "chargement-rate"));
}

TEST_F(PlanGL, WholePlaneDrawing)
{
    ecritPlanche("planche.tga");
    ecritFichier("plan.ini", PLAN_250);
    CBackground plan;
    ASSERT_EQ(plan.initFromIniFile("plan.ini"), 0);
    // Continuous (the default): repeated across the given width.
    plan.affiche(300, 0, 640, 480);
    EXPECT_TRUE(memesPixels(0, 0, 640, 1, ligneRepetee(300, 640), "plan-entier-continu"));
    // Not continuous: every placement whole, shifted by the scroll.
    testsupport::effaceEcran();
    plan.setContinuX(false);
    plan.affiche(-20, -30, 640, 480);
    EXPECT_EQ(lisPixel(19, 35), NOIR);
    EXPECT_EQ(lisPixel(20, 30), ROUGE);
    EXPECT_EQ(lisPixel(119, 49), VERT);
    EXPECT_EQ(lisPixel(170, 40), ROUGE);
    EXPECT_EQ(lisPixel(270, 40), NOIR);
}

// Frames with a pause step by the clock; a tile without one keeps its first
// frame, as every tile did before pauses were read.
TEST_F(PlanGL, OnlyTilesWithAFramePauseAnimate)
{
    ecritPlanche("planche.tga");
    const std::string frames = "[Tile%dFrame1]\npositionX=0\nlongueur=50\nhauteur=20\n%s"
                               "[Tile%dFrame2]\npositionX=100\nlongueur=50\nhauteur=20\n%s";
    char tile1[256], tile2[256];
    snprintf(tile1, sizeof tile1, frames.c_str(), 1, "pause=100\n", 1, "pause=100\n");
    snprintf(tile2, sizeof tile2, frames.c_str(), 2, "", 2, "");
    ecritFichier("plan.ini", std::string("[Entete]\nnombreTiles=2\n"
                                         "[Tile1]\nnbPositions=1\nnbFrames=2\npathPlanche=planche.tga\n")
                                 + tile1 + "[Tile1Position1]\npositionX=0\n"
                                 + "[Tile2]\nnbPositions=1\nnbFrames=2\npathPlanche=planche.tga\n" + tile2
                                 + "[Tile2Position1]\npositionX=100\n");
    fixeTempsFactice(1000);
    CBackground plan;
    ASSERT_EQ(plan.initFromIniFile("plan.ini"), 0);
    EXPECT_EQ(plan.animTiles[0].getImage(1)->tempsPause, 100);
    EXPECT_EQ(plan.animTiles[1].getImage(1)->tempsPause, 0);
    avanceTempsFactice(150);
    plan.updateTilesMinutees();
    plan.affiche(0, 0, 0, 0, 640, 480);
    EXPECT_EQ(lisPixel(10, 5), BLEU);
    EXPECT_EQ(lisPixel(110, 5), ROUGE);
    avanceTempsFactice(150);
    plan.updateTilesMinutees();
    plan.affiche(0, 0, 0, 0, 640, 480);
    EXPECT_EQ(lisPixel(10, 5), ROUGE);
    EXPECT_EQ(lisPixel(110, 5), ROUGE);
    retireTempsFactice();
}

}
