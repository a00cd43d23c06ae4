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

TEST(RepetitionPlan, FarPositionsWrapAndEmptyPlanesEnd)
{
    // A scroll position many periods away lands where a near one does.
    std::vector<Fenetre> attendu = {Fenetre(10, 20, 50, 0, 640, 600),
                                    Fenetre(210, 20, 0, 0, 440, 600),
                                    Fenetre(460, 20, 0, 0, 190, 600)};
    EXPECT_EQ(copies(250, 100, 10, 20, 300 + 250 * 1000, 0, 640, 600, true, false), attendu);

    // A plane of size 0 has no period: nothing is drawn and the call ends.
    EXPECT_TRUE(copies(0, 0, 0, 0, 300, 0, 800, 600, true, false).empty());
    EXPECT_TRUE(copies(0, 0, 0, 0, 0, 300, 800, 600, false, true).empty());
    EXPECT_TRUE(copies(250, 0, 0, 0, 0, 0, 800, 600, true, true).empty());
}

TEST(DecoupePlan, OverlapNeedsMoreThanATouchingEdge)
{
    MorceauFenetre m;
    // Window 100..150 x 0..40.
    EXPECT_FALSE(decoupeDansFenetre(80, 0, 20, 30, 0, 0, 100, 0, 50, 40, m));   // right edge at sx
    EXPECT_FALSE(decoupeDansFenetre(150, 0, 20, 30, 0, 0, 100, 0, 50, 40, m));  // starts at sx + w
    EXPECT_FALSE(decoupeDansFenetre(100, 40, 20, 30, 0, 0, 100, 0, 50, 40, m)); // starts at sy + h
    EXPECT_FALSE(decoupeDansFenetre(100, -30, 20, 30, 0, 0, 100, 0, 50, 40, m));// bottom at sy
    ASSERT_TRUE(decoupeDansFenetre(81, 0, 20, 30, 5, 0, 100, 0, 50, 40, m));
    EXPECT_EQ(m.ecranX, 5);
    EXPECT_EQ(m.sourceX, 19);
    // Cut on both sides: only the window's width, from the window's edge.
    ASSERT_TRUE(decoupeDansFenetre(90, 0, 100, 30, 0, 0, 100, 0, 50, 40, m));
    EXPECT_EQ(m.sourceX, 10);
    EXPECT_EQ(m.longueur, 50);
    // Positions near the int limits do not wrap into the window.
    EXPECT_FALSE(decoupeDansFenetre(2147483600, 0, 100, 30, 0, 0, -100, 0, 50, 40, m));
}

TEST(ChargementPlan, MissingFileGivesAnEmptyPlane)
{
    DossierTemporaire dossier;
    CBackground plan;
    Capture erreurs(2);
    EXPECT_EQ(plan.initFromIniFile("absent.ini"), 0);
    EXPECT_EQ(erreurs.texte(), "Fichier introuvable : absent.ini\n");
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
