#include "editeur/OutilsEditeur.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace editeur;
using namespace testsupport;

namespace {

// One plane at ratio 50 with its screen corner at x 10; tile 1 is 32 x 32.
const std::string Niveau = "[Entete]\nnombrePriorites=1\nnombrePlans=1\nnombreActeurs=0\n"
                           "[Plan1]\npathPlan=p1.ini\npriorite=1\nscrollRatio=50\npositionEcranX=10\n";
const std::string Plan = "[Entete]\nnombreTiles=1\n[Tile1]\nnbFrames=1\nnbPositions=2\npathPlanche=a.bmp\n"
                         "[Tile1Frame1]\npositionX=0\npositionY=0\nlongueur=32\nhauteur=32\n"
                         "[Tile1Position1]\npositionX=100\npositionY=200\n"
                         "[Tile1Position2]\npositionX=300\npositionY=400\n";

bool aPosition(const CModeleNiveau& m, int x, int y)
{
    const auto& p = m.plans()[0].tiles[0].positions;
    return std::any_of(p.begin(), p.end(), [&](const PositionEditee& q) { return q.x == x && q.y == y; });
}

void clic(COutilsEditeur& o, double x, double y)
{
    o.appuie(SDL_BUTTON_LEFT, x, y, false);
    o.relache(SDL_BUTTON_LEFT, x, y, false);
}

}

// Level at 200 (the plane's window at 100), zoom 200 %, view from y 100: plane
// point (px, py) is on screen at ((px - 100 + 10) * 2, (py - 100) * 2).
TEST(EditorTools, ClicksPlaceDragsMoveOnTheGridBandsSelectAndPasteLandsUnderThePointer)
{
    DossierTemporaire dossier;
    ecritFichier("niveau.ini", Niveau);
    ecritFichier("p1.ini", Plan);
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    EtatEditeur e;
    e.cadrage = {200, 100, 200};
    e.grille = true;
    e.tileChoisie = {0};
    COutilsEditeur o(m, e, [](const std::string&, int& l, int& h) { l = h = 20; });

    clic(o, 300, 100);  // plane (240, 150): on the grid (240, 144)
    EXPECT_TRUE(aPosition(m, 240, 144));
    EXPECT_TRUE(e.selection.empty());

    // A drag from inside tile (100, 200) by (41, 15) px is (20.5, 7.5) in the
    // plane; the dragged tile lands on the grid.
    o.appuie(SDL_BUTTON_LEFT, 30, 210, false);
    o.bouge(71, 225);
    o.relache(SDL_BUTTON_LEFT, 71, 225, false);
    EXPECT_TRUE(aPosition(m, 128, 208));
    EXPECT_FALSE(aPosition(m, 100, 200));
    ASSERT_EQ(e.selection.size(), 1u);

    // A click beside the selection only lets it go; with Shift it keeps it.
    // Neither places anything.
    o.appuie(SDL_BUTTON_LEFT, 600, 380, true);
    o.relache(SDL_BUTTON_LEFT, 600, 380, true);
    EXPECT_EQ(e.selection.size(), 1u);
    clic(o, 600, 380);
    EXPECT_TRUE(e.selection.empty());
    EXPECT_EQ(m.plans()[0].tiles[0].positions.size(), 3u);
    // Nor does a click on the plane panel's box, outside its lines.
    e.panneau = true;
    clic(o, 100, BasBoitePanneau - 5);
    e.panneau = false;
    EXPECT_EQ(m.plans()[0].tiles[0].positions.size(), 3u);

    // A band over plane y 180 .. 250 takes the moved tile, not the one at
    // y 144 .. 176 nor the one at 400.
    o.appuie(SDL_BUTTON_LEFT, 0, 160, false);
    o.bouge(300, 250);
    o.relache(SDL_BUTTON_LEFT, 639, 300, false);
    ASSERT_EQ(e.selection.size(), 1u);
    EXPECT_EQ(o.rectElement(e.selection[0]).x, 128);

    o.copieSelection();
    o.bouge(500, 300);  // plane (340, 250): (336, 240) on the grid
    o.colle();
    EXPECT_TRUE(aPosition(m, 336, 240));
    ASSERT_EQ(e.selection.size(), 1u);
    o.supprimeSelection();
    EXPECT_FALSE(aPosition(m, 336, 240));

    // Actors are placed in world coordinates (ratio 100, no screen offset).
    e.outil = OutilActeurs;
    e.typesActeurs = {"garde"};
    clic(o, 300, 100);  // world (350, 150)
    ASSERT_EQ(m.acteurs().size(), 1u);
    EXPECT_EQ(m.acteurs()[0].x, 336);
    EXPECT_EQ(m.acteurs()[0].y, 144);
}
