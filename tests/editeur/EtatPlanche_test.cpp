#include "editeur/EtatPlanche.h"

#include "scenery/ClesNiveau.h"

#include <gtest/gtest.h>

using namespace editeur;

namespace {

// A 1280 x 424 sheet fitted into the 640 x 424 zone: 50 %, centred
// vertically, so screen (x, y) is sheet (2x, 2(y - 106)).
CEtatPlanche feuilleLarge(const TileEditee& tile = TileEditee())
{
    CEtatPlanche etat(tile, 1280, 424);
    etat.ajuste(0, 0, 640, 424);
    return etat;
}

void glisse(CEtatPlanche& e, int x0, int y0, int x1, int y1)
{
    e.appuie(x0, y0);
    e.glisse((x0 + x1) / 2, (y0 + y1) / 2);
    e.relache(x1, y1);
}

TEST(EtatPlanche, TheViewFitsLargeSheetsAndKeepsThePointUnderTheCursorWhenZooming)
{
    CEtatPlanche petite(TileEditee(), 200, 100);
    petite.ajuste(0, 0, 640, 424);
    EXPECT_EQ(petite.zoom(), 100); // never enlarged to fit
    int x, y;
    petite.versEcran(0, 0, x, y);
    EXPECT_EQ(x, 220);
    EXPECT_EQ(y, 162);

    CEtatPlanche e = feuilleLarge();
    EXPECT_EQ(e.zoom(), 50);
    int u, v;
    e.versPlanche(300, 200, u, v);
    EXPECT_EQ(u, 600);
    EXPECT_EQ(v, 188);
    e.zoome(3, 300, 200);
    EXPECT_GT(e.zoom(), 50);
    int u2, v2;
    e.versPlanche(300, 200, u2, v2);
    EXPECT_NEAR(u2, u, 1);
    EXPECT_NEAR(v2, v, 1);
    for (int i = 0; i < 40; ++i)
        e.zoome(-1, 0, 0);
    EXPECT_EQ(e.zoom(), CEtatPlanche::ZOOM_MIN);
}

TEST(EtatPlanche, DragsDrawFramesInSheetPixelsCutToTheSheetAndClicksSelect)
{
    CEtatPlanche e = feuilleLarge();
    glisse(e, 10, 116, 29, 135);
    ASSERT_EQ(e.tile().frames.size(), 1u);
    const FrameEditee& f = e.tile().frames[0];
    EXPECT_EQ(f.positionX, 20);
    EXPECT_EQ(f.positionY, 20);
    EXPECT_EQ(f.longueur, 39); // both end pixels inside
    EXPECT_EQ(f.hauteur, 39);
    EXPECT_EQ(e.selection(), 0);

    // Dragged up and left past the sheet's corner: cut to the sheet.
    glisse(e, 630, 500, 600, 300);
    ASSERT_EQ(e.tile().frames.size(), 2u);
    EXPECT_EQ(e.tile().frames[1].positionX, 1200);
    EXPECT_EQ(e.tile().frames[1].positionY, 388);
    EXPECT_EQ(e.tile().frames[1].longueur, 61);
    EXPECT_EQ(e.tile().frames[1].hauteur, 36);
    // Wholly outside: nothing.
    glisse(e, 10, 10, 100, 50);
    EXPECT_EQ(e.tile().frames.size(), 2u);

    // A move of a few pixels is a click: the last frame drawn wins where
    // they overlap; a click on nothing selects nothing.
    glisse(e, 12, 118, 22, 128);
    ASSERT_EQ(e.tile().frames.size(), 3u);
    glisse(e, 15, 120, 17, 122);
    EXPECT_EQ(e.tile().frames.size(), 3u);
    EXPECT_EQ(e.selection(), 2);
    glisse(e, 25, 132, 25, 132);
    EXPECT_EQ(e.selection(), 0);
    glisse(e, 300, 50, 301, 51);
    EXPECT_EQ(e.selection(), -1);
    EXPECT_FALSE(e.supprimeSelection());
}

TEST(EtatPlanche, PausesDeletionAndAcceptance)
{
    TileEditee tile;
    tile.planche = "planche.png";
    CEtatPlanche e = feuilleLarge(tile);
    std::string raison;
    EXPECT_FALSE(e.acceptable(raison)); // a new tile without frames
    EXPECT_NE(raison.find("sans frame"), std::string::npos) << raison;

    // The first frame drawn gets a pause that animates; later ones copy
    // the previous one's.
    glisse(e, 10, 116, 29, 135);
    EXPECT_EQ(e.tile().frames[0].pause, CEtatPlanche::PAUSE_NOUVELLE);
    EXPECT_TRUE(e.changePause(-1000));
    EXPECT_EQ(e.tile().frames[0].pause, 0); // held at 0
    EXPECT_FALSE(e.changePause(-10));
    EXPECT_TRUE(e.changePause(250));
    glisse(e, 40, 116, 59, 135);
    EXPECT_EQ(e.tile().frames[1].pause, 250);
    EXPECT_TRUE(e.changePause(2 * clesNiveau::PauseFrameMax));
    EXPECT_EQ(e.tile().frames[1].pause, clesNiveau::PauseFrameMax);
    EXPECT_TRUE(e.acceptable(raison));

    EXPECT_TRUE(e.supprimeSelection());
    ASSERT_EQ(e.tile().frames.size(), 1u);
    EXPECT_EQ(e.tile().frames[0].pause, 250);
    EXPECT_EQ(e.selection(), -1);
    EXPECT_FALSE(e.changePause(10)); // nothing selected

    // Another, smaller sheet: frames are cut to it, those outside dropped.
    glisse(e, 600, 116, 620, 135);
    e.changePlanche("petite.png", 100, 100);
    ASSERT_EQ(e.tile().frames.size(), 1u);
    EXPECT_EQ(e.tile().frames[0].longueur, 39);
    EXPECT_EQ(e.selection(), -1);
    CEtatPlanche illisible(tile, 0, 0);
    EXPECT_FALSE(illisible.acceptable(raison));
    EXPECT_NE(raison.find("illisible"), std::string::npos) << raison;
    EXPECT_FALSE(CEtatPlanche(TileEditee(), 0, 0).acceptable(raison)); // a plane without any sheet
    EXPECT_NE(raison.find("Aucune planche"), std::string::npos) << raison;
}

}
