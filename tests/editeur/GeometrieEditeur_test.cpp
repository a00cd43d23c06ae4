#include "editeur/GeometrieEditeur.h"

#include <gtest/gtest.h>

using namespace editeur;

TEST(EditorGeometry, ScreenAndPlaneMeetAtEveryZoomAndRatio)
{
    Cadrage c;
    c.position = 1000;
    c.haut = -40;
    for (int zoom : {25, 100, 200}) {
        c.zoom = zoom;
        // A ratio-60 plane with its corner at (10, 20): its x 600 is at view x 10.
        Point p = planDepuisEcran(c, 60, 10, 20, 10 * zoom / 100.0, 60 * zoom / 100.0);
        EXPECT_EQ(p.x, 600) << zoom;
        EXPECT_EQ(p.y, 0) << zoom;
        double x, y;
        ecranDepuisPlan(c, 60, 10, 20, 777, -33, x, y);
        Point retour = planDepuisEcran(c, 60, 10, 20, x + 0.01, y + 0.01);
        EXPECT_EQ(retour.x, 777) << zoom;
        EXPECT_EQ(retour.y, -33) << zoom;
    }
    // Left of the plane's corner is below its window, not clamped.
    c.zoom = 100;
    EXPECT_EQ(planDepuisEcran(c, 100, 0, 0, -0.5, 0).x, 999);

    // Zooming about a screen point keeps the level point under it.
    int apres = positionApresZoom(1000, 320, 100, 25);
    EXPECT_EQ(apres + 320 * 4, 1000 + 320);
}

TEST(EditorGeometry, GridZoomStepsBandsAndWindowPoints)
{
    EXPECT_EQ(aligneGrille(31), 16);
    EXPECT_EQ(aligneGrille(32), 32);
    EXPECT_EQ(aligneGrille(-1), -16);
    EXPECT_EQ(aligneGrille(-16), -16);

    EXPECT_EQ(zoomSuivant(100, 1), 125);
    EXPECT_EQ(zoomSuivant(100, -1), 75);
    EXPECT_EQ(zoomSuivant(60, -1), 50);
    EXPECT_EQ(zoomSuivant(60, 1), 75);
    EXPECT_EQ(zoomSuivant(25, -1), 25);
    EXPECT_EQ(zoomSuivant(200, 1), 200);

    Rect bande = rectEntre(50, 40, 10, 0);
    EXPECT_EQ(bande.x, 10);
    EXPECT_EQ(bande.largeur, 40);
    EXPECT_TRUE(chevauche(bande, {49, 39, 5, 5}));
    EXPECT_FALSE(chevauche(bande, {50, 0, 5, 5}));  // touching only
    EXPECT_TRUE(contient(bande, 10, 0));
    EXPECT_FALSE(contient(bande, 50, 20));

    // A 1280 x 480 window keeping proportions: bars of 320 each side.
    double x, y;
    EXPECT_FALSE(ecranDepuisFenetre(100, 100, 1280, 480, true, x, y));
    ASSERT_TRUE(ecranDepuisFenetre(320 + 64, 240, 1280, 480, true, x, y));
    EXPECT_EQ(static_cast<int>(x), 64);
    EXPECT_EQ(static_cast<int>(y), 240);
    // Stretched over a double-size window.
    ASSERT_TRUE(ecranDepuisFenetre(1279, 959, 1280, 960, false, x, y));
    EXPECT_EQ(static_cast<int>(x), 639);
    EXPECT_EQ(static_cast<int>(y), 479);
}

// A larger window is a larger drawing space, not a stretched 640 x 480;
// a smaller one keeps at least 640 x 480, in its own proportions.
TEST(EditorGeometry, DrawingSpaceFollowsTheWindow)
{
    int l = 0, h = 0;
    tailleDessin(1280, 960, l, h);
    EXPECT_EQ(l, 1280);
    EXPECT_EQ(h, 960);
    tailleDessin(320, 240, l, h);
    EXPECT_EQ(l, 640);
    EXPECT_EQ(h, 480);
    tailleDessin(1280, 400, l, h);
    EXPECT_EQ(l, 1536);
    EXPECT_EQ(h, 480);
    double x = 0, y = 0;
    ASSERT_TRUE(ecranDepuisFenetre(1000, 900, 1280, 960, true, x, y, 1280, 960));
    EXPECT_DOUBLE_EQ(x, 1000.5);
    EXPECT_DOUBLE_EQ(y, 900.5);
}
