#include "scenery/CBackground.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using testsupport::Capture;
using testsupport::DossierTemporaire;
using testsupport::ecritFichier;

namespace {

typedef std::tuple<int, int, int, int, int, int> Fenetre;  // x, y, sx, sy, w, h

std::vector<Fenetre> copies(int longueur, int hauteur, int x, int y, int sx, int sy, int w,
                            int h, bool repeatX, bool repeatY)
{
    std::vector<Fenetre> vues;
    pourChaqueCopie(longueur, hauteur, x, y, sx, sy, w, h, repeatX, repeatY,
                    [&](int a, int b, int c, int d, int e, int f) {
                        vues.emplace_back(a, b, c, d, e, f);
                    });
    return vues;
}

TEST(RepetitionPlan, HorizontalCopiesStartInsideTheWindowOnly)
{
    // Plane 250 wide seen from 300: the wrapped window first, then each copy
    // from its left edge; the one due at +700 lies past the 640 window.
    std::vector<Fenetre> attendu = {Fenetre(10, 20, 50, 0, 640, 600),
                                    Fenetre(210, 20, 0, 0, 440, 600),
                                    Fenetre(460, 20, 0, 0, 190, 600)};
    EXPECT_EQ(copies(250, 100, 10, 20, 300, 0, 640, 600, true, false), attendu);

    // Exactly one period wraps to 0; one pixel less does not.
    auto juste = copies(250, 100, 0, 0, 250, 0, 640, 600, true, false);
    ASSERT_GE(juste.size(), 2u);
    EXPECT_EQ(std::get<2>(juste[0]), 0);
    EXPECT_EQ(std::get<0>(juste[1]), 250);
    auto avant = copies(250, 100, 0, 0, 249, 0, 640, 600, true, false);
    ASSERT_GE(avant.size(), 2u);
    EXPECT_EQ(std::get<2>(avant[0]), 249);
    EXPECT_EQ(std::get<0>(avant[1]), 1);
    EXPECT_EQ(std::get<4>(avant[1]), 639);

    // A far scroll position wraps the same way as a near one.
    EXPECT_EQ(copies(250, 100, 10, 20, 300 + 250 * 1000, 0, 640, 600, true, false), attendu);
}

TEST(RepetitionPlan, EmptyPlaneDrawsNothingAndEnds)
{
    EXPECT_TRUE(copies(0, 0, 0, 0, 300, 0, 800, 600, true, false).empty());
    EXPECT_TRUE(copies(0, 0, 0, 0, 0, 300, 800, 600, false, true).empty());
    EXPECT_TRUE(copies(250, 0, 0, 0, 0, 0, 800, 600, true, true).empty());
    // Without repetition the window is drawn as asked, once.
    std::vector<Fenetre> une = {Fenetre(3, 4, 5, 6, 7, 8)};
    EXPECT_EQ(copies(0, 0, 3, 4, 5, 6, 7, 8, false, false), une);
}

TEST(RepetitionPlan, VerticalAndBothDirections)
{
    // Height 100 seen from 150 in a 250-high window: rows at +0 (from 50),
    // +50, +150 and the empty one at +250.
    auto lignes = copies(500, 100, 0, 10, 0, 150, 640, 250, false, true);
    ASSERT_EQ(lignes.size(), 4u);
    EXPECT_EQ(lignes[0], Fenetre(0, 10, 0, 50, 640, 250));
    EXPECT_EQ(lignes[1], Fenetre(0, 60, 0, 0, 640, 200));
    EXPECT_EQ(lignes[2], Fenetre(0, 160, 0, 0, 640, 100));

    // Both: every row repeats horizontally, so the whole window is tiled.
    auto grille = copies(300, 200, 0, 0, 100, 0, 640, 480, true, true);
    // Columns at 0, 200, 500; rows at 0, 200, 400.
    ASSERT_EQ(grille.size(), 9u);
    EXPECT_EQ(grille[0], Fenetre(0, 0, 100, 0, 640, 480));
    EXPECT_EQ(grille[2], Fenetre(500, 0, 0, 0, 140, 480));
    EXPECT_EQ(grille[8], Fenetre(500, 400, 0, 0, 140, 80));
}

TEST(DecoupePlan, FramesAreClippedToTheWindow)
{
    MorceauFenetre m;
    // Cut on the left: drawn at the window's corner from column 10, keeping
    // the frame's width (the picture stops at its own edge).
    ASSERT_TRUE(decoupeDansFenetre(90, 0, 20, 30, 7, 9, 100, 0, 50, 40, m));
    EXPECT_EQ(m.ecranX, 7);
    EXPECT_EQ(m.sourceX, 10);
    EXPECT_EQ(m.longueur, 20);
    EXPECT_EQ(m.ecranY, 9);
    EXPECT_EQ(m.sourceY, 0);
    EXPECT_EQ(m.hauteur, 30);

    // Cut on the right: 10 columns remain before the window's right edge.
    ASSERT_TRUE(decoupeDansFenetre(140, 0, 20, 30, 7, 9, 100, 0, 50, 40, m));
    EXPECT_EQ(m.ecranX, 47);
    EXPECT_EQ(m.sourceX, 0);
    EXPECT_EQ(m.longueur, 10);

    // Cut on both sides: only the window's width.
    ASSERT_TRUE(decoupeDansFenetre(90, 0, 100, 30, 0, 0, 100, 0, 50, 40, m));
    EXPECT_EQ(m.sourceX, 10);
    EXPECT_EQ(m.longueur, 50);

    // Vertical cut at the bottom, the same rule.
    ASSERT_TRUE(decoupeDansFenetre(100, 30, 20, 30, 0, 0, 100, 0, 50, 40, m));
    EXPECT_EQ(m.ecranY, 30);
    EXPECT_EQ(m.hauteur, 10);
}

TEST(DecoupePlan, TouchingEdgesAreNotOverlaps)
{
    MorceauFenetre m;
    EXPECT_FALSE(decoupeDansFenetre(80, 0, 20, 30, 0, 0, 100, 0, 50, 40, m));   // right edge at sx
    EXPECT_FALSE(decoupeDansFenetre(150, 0, 20, 30, 0, 0, 100, 0, 50, 40, m));  // starts at sx + w
    EXPECT_FALSE(decoupeDansFenetre(100, 40, 20, 30, 0, 0, 100, 0, 50, 40, m)); // starts at sy + h
    EXPECT_FALSE(decoupeDansFenetre(100, -30, 20, 30, 0, 0, 100, 0, 50, 40, m));// bottom at sy
    EXPECT_TRUE(decoupeDansFenetre(81, 0, 20, 30, 0, 0, 100, 0, 50, 40, m));
    // Positions near the int limits do not wrap into the window.
    EXPECT_FALSE(decoupeDansFenetre(2147483600, 0, 100, 30, 0, 0, -100, 0, 50, 40, m));
}

TEST(ChargementPlan, MissingFileGivesAnEmptyPlane)
{
    DossierTemporaire dossier;
    CBackground plan;
    EXPECT_EQ(plan.initFromIniFile("absent.ini"), 0);
    EXPECT_EQ(plan.nombreTiles, 0);
    EXPECT_EQ(plan.getLongueur(), 0);
    EXPECT_EQ(plan.getHauteur(), 0);
    // Drawing an empty plane, repeated or not, does nothing and returns.
    plan.affiche(0, 0, 300, 0, 800, 600, true, false);
    plan.affiche(0, 0, 300, 0, 800, 600, true, true);
    plan.affiche(0, 0, 0, 0, 640, 480);
}

TEST(ChargementPlan, UnreadableSheetStopsTheLoadWithItsName)
{
    DossierTemporaire dossier;
    ecritFichier("plan.ini",
                 "[Entete]\nnombreTiles=1\n"
                 "[Tile1]\nnbPositions=2\nnbFrames=1\npathPlanche=manque.png\n"
                 "[Tile1Frame1]\nlongueur=10\nhauteur=10\n"
                 "[Tile1Position1]\npositionX=0\n"
                 "[Tile1Position2]\npositionX=150\n");
    CBackground plan;
    Capture erreurs(2);
    Capture sortie(1);
    EXPECT_EQ(plan.initFromIniFile("plan.ini"), 1);
    std::string out = sortie.texte();
    EXPECT_EQ(erreurs.texte(),
              "Impossible de charger la planche du sprite\nNom de l'image: manque.png\n");
    EXPECT_EQ(out.find("clé : "), std::string::npos);
    // The placement table was sized but never filled: nothing is measured.
    EXPECT_EQ(plan.nbPosTiles, 2);
    EXPECT_EQ(plan.getLongueur(), 0);
}

TEST(ChargementPlan, CountsOutOfBoundsAreRefused)
{
    DossierTemporaire dossier;
    ecritFichier("negatif.ini", "[Entete]\nnombreTiles=-4\n");
    ecritFichier("tiles.ini", "[Entete]\nnombreTiles=2000000000\n");
    ecritFichier("positions.ini",
                 "[Entete]\nnombreTiles=2\n"
                 "[Tile1]\nnbPositions=2000000000\n[Tile2]\nnbPositions=2000000000\n");
    ecritFichier("frames.ini",
                 "[Entete]\nnombreTiles=1\n[Tile1]\nnbPositions=-3\nnbFrames=99999999\n");
    {
        CBackground plan;
        EXPECT_EQ(plan.initFromIniFile("negatif.ini"), 0);
        EXPECT_EQ(plan.nombreTiles, 0);
    }
    const char* refuses[] = {"tiles.ini", "positions.ini", "frames.ini"};
    for (const char* fichier : refuses) {
        CBackground plan;
        Capture erreurs(2);
        EXPECT_EQ(plan.initFromIniFile(fichier), 1) << fichier;
        std::string texte = erreurs.texte();
        EXPECT_NE(texte.find(fichier), std::string::npos) << texte;
        EXPECT_EQ(plan.nbPosTiles, 0) << fichier;
        EXPECT_EQ(plan.getLongueur(), 0) << fichier;
    }
}

}
