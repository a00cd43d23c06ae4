// The editor draws the level through the game's own loaders and windowed
// drawing: its picture at zoom 100 is the game's, at other zooms the planes
// reach the view's edges, and the level is loaded again only after a change.
#include "editeur/NiveauEditeur.h"

#include "editeur/GeometrieEditeur.h"
#include "editeur/ModeleNiveau.h"
#include "editeur/VueEditeur.h"
#include "render/PartageImages.h"
#include "scenery/CLevel.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace editeur;
using namespace testsupport;

namespace {

class NiveauEditeurGL : public TestGL {};

void dessineEditeur(CNiveauEditeur& vue, const Cadrage& c, int nombrePlans)
{
    commenceZoom(c.zoom, c.haut);
    for (int i = 0; i < nombrePlans; ++i)
        vue.dessinePlan(i, c, i == 0 ? 50 : 100, 255);
    finZoom();
}

TEST_F(NiveauEditeurGL, PlanesAreTheGamesAtEveryZoomAndReloadOnlyAfterAChange)
{
    std::vector<Pixel> planche;
    const Pixel couleurs[] = {ROUGE, VERT, BLEU, BLANC};
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            planche.push_back(couleurs[x / 100]);
    ecritTGA("planche.tga", 400, 100, planche, false);
    // A repeated plane (red, a gap, green: 140 px a period) at ratio 50 and
    // screen corner (10, 20); a blue square in front at ratio 100.
    ecritFichier("a.ini", "[Entete]\nnombreTiles=2\n[Tile1]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                          "[Tile1Frame1]\npositionX=0\npositionY=0\nlongueur=60\nhauteur=40\n"
                          "[Tile1Position1]\npositionX=0\npositionY=0\n"
                          "[Tile2]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                          "[Tile2Frame1]\npositionX=100\npositionY=0\nlongueur=40\nhauteur=40\n"
                          "[Tile2Position1]\npositionX=100\npositionY=0\n");
    ecritFichier("b.ini", "[Entete]\nnombreTiles=1\n[Tile1]\nnbPositions=1\nnbFrames=1\npathPlanche=planche.tga\n"
                          "[Tile1Frame1]\npositionX=200\npositionY=0\nlongueur=30\nhauteur=30\n"
                          "[Tile1Position1]\npositionX=400\npositionY=100\n");
    ecritFichier("niveau.ini", "[Entete]\nnombrePriorites=2\nnombrePlans=2\n"
                               "[Plan1]\npathPlan=a.ini\npriorite=1\nrepeatX=1\npositionEcranX=10\n"
                               "positionEcranY=20\nscrollRatio=50\n"
                               "[Plan2]\npathPlan=b.ini\npriorite=2\npositionEcranX=0\npositionEcranY=0\n"
                               "scrollRatio=100\n");
    CLevel jeu;
    jeu.initFromIniFile("niveau.ini");
    jeu.setPositionX(300);
    jeu.drawScene(0, 0, false, true, false, false);
    const std::vector<Pixel> imageJeu = lisEcran();

    CModeleNiveau modele;
    ASSERT_TRUE(modele.ouvre("niveau.ini"));
    CNiveauEditeur vue;
    vue.suit(modele);
    ASSERT_EQ(vue.nombrePlans(), 2);
    Cadrage c;
    c.position = 300;
    // A dimmed drawing leaves the frames' opacity as it found it.
    effaceEcran();
    commenceZoom(c.zoom, c.haut);
    vue.dessinePlan(0, c, 50, 70);
    finZoom();
    effaceEcran();
    dessineEditeur(vue, c, 2);
    EXPECT_TRUE(memesPixels(0, 0, LARGEUR_GL, HAUTEUR_GL, imageJeu, "editeur-comme-le-jeu"));

    // At 50 % the repeated plane goes on past the game's 800 px window, to
    // the view's right edge: level x 1240 is plane x 1380, in a green frame.
    c.zoom = 50;
    effaceEcran();
    dessineEditeur(vue, c, 2);
    EXPECT_EQ(lisPixel(620, 15), VERT);
    EXPECT_EQ(lisPixel(620, 35), NOIR);

    int decodages = 0;
    setEcouteDecodage([&decodages](const char*) { ++decodages; });
    vue.suit(modele);
    EXPECT_EQ(decodages, 0) << "loaded again without a change";
    ASSERT_TRUE(modele.placeTile(1, 0, 350, 100));
    vue.suit(modele);
    setEcouteDecodage(nullptr);
    // The plane is read again, its tiles cut from the sheet decoded before.
    EXPECT_EQ(decodages, 0) << "a click decoded its sheet again";
    c.zoom = 100;
    effaceEcran();
    dessineEditeur(vue, c, 2);
    EXPECT_TRUE(zoneUnie(50, 100, 30, 30, BLEU, "tuile-placee"));

    // A change of the level's settings alone moves the plane too.
    ParametresPlanEdites p = modele.plans()[0].parametres;
    p.positionEcranY = 200;
    ASSERT_TRUE(modele.fixeParametres(0, p));
    vue.suit(modele);
    effaceEcran();
    dessineEditeur(vue, c, 2);
    EXPECT_EQ(lisPixel(20, 210), ROUGE);
    EXPECT_EQ(lisPixel(20, 30), NOIR);
}

}
