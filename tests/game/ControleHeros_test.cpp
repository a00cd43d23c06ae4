#include "foundation/Temps.h"
#include "game/ControleHeros.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the control asks of the sprite.
class SpriteEnregistreur : public SpriteHeros {
public:
    void setAnimationCourante(const char* nom) override
    {
        anim = nom ? nom : "(null)";
        appels.push_back("anim " + anim);
    }
    void demarreAnim() override
    {
        ++demarrages;
        appels.push_back("demarre");
    }
    void setRepeteAnimCourante(bool r) override { appels.push_back(r ? "repete" : "une fois"); }
    void setMirroirY(bool m) override { miroir = m; }
    void setPosition(int px, int py) override
    {
        x = px;
        y = py;
    }
    bool isAnimCouranteFinished() override { return finie; }

    std::string anim = "Repos";
    std::vector<std::string> appels;
    int demarrages = 0;
    bool miroir = false;
    int x = 0, y = 0;
    bool finie = false;
};

TouchesHeros touches(const std::string& tenues)
{
    TouchesHeros t;
    for (char c : tenues) {
        switch (c) {
        case ' ': t.espace = true; break;
        case 'H': t.haut = true; break;
        case 'B': t.bas = true; break;
        case 'D': t.droite = true; break;
        case 'G': t.gauche = true; break;
        }
    }
    return t;
}

class ControleHerosTest : public ::testing::Test {
protected:
    void SetUp() override { fixeTempsFactice(10000); }
    void TearDown() override { retireTempsFactice(); }

    // One frame with these keys held, after `ms` more milliseconds.
    void image(const std::string& tenues, uint32_t ms = 10)
    {
        avanceTempsFactice(ms);
        heros.metAJour(touches(tenues), sprite);
    }

    // Takes off with Up held; imageA then places frames by their time since.
    void decolle()
    {
        image("H");
        depart = heros.debutEtat;
    }
    void imageA(uint32_t ms, const std::string& tenues)
    {
        fixeTempsFactice(depart + ms);
        heros.metAJour(touches(tenues), sprite);
    }

    CControleHeros heros;
    SpriteEnregistreur sprite;
    uint32_t depart = 0;
};

TEST(TouchesHeros, ReadFromHeldKeyTable)
{
    uint8_t clavier[SDLK_LAST] = {};
    clavier[SDLK_SPACE] = 1;
    clavier[SDLK_LEFT] = 1;
    TouchesHeros t = lisTouchesHeros(clavier);
    EXPECT_TRUE(t.espace);
    EXPECT_TRUE(t.gauche);
    EXPECT_FALSE(t.haut || t.bas || t.droite);
    TouchesHeros vide = lisTouchesHeros(nullptr);
    EXPECT_FALSE(vide.espace || vide.haut || vide.bas || vide.droite || vide.gauche);
}

TEST_F(ControleHerosTest, StandingStillNeverRestartsAnimation)
{
    for (int i = 0; i < 5; ++i)
        image("");
    EXPECT_EQ(heros.etat, EtatRepos);
    EXPECT_TRUE(sprite.appels.empty());
    EXPECT_EQ(sprite.x, 300);
    EXPECT_EQ(sprite.y, 286);
    EXPECT_FALSE(heros.defilement);
}

TEST_F(ControleHerosTest, KeyTableChoosesStateFacingAndPlace)
{
    struct Cas {
        const char* tenues;
        int etat;
        bool orientation;
        int y;
        bool defile;
    };
    // Each case starts from a fresh hero standing and facing left, so that
    // "unchanged" facing is told apart from a facing to the right.
    const Cas cas[] = {
        {" HD", EtatFrappeSautAvant, true, 286, true},
        {" HG", EtatFrappeSautAvant, false, 286, true},
        {" H", EtatFrappeSaut, false, 286, false},
        {" BD", EtatFrappeAccroupi, true, 316, false},
        {" BG", EtatFrappeAccroupi, false, 316, false},
        {" B", EtatFrappeAccroupi, false, 316, false},
        {" DG", EtatFrappe, false, 292, false},
        {"HD", EtatSautAvant, true, 286, true},
        {"HG", EtatSautAvant, false, 286, true},
        {"H", EtatSaut, false, 286, false},
        {"HB", EtatSaut, false, 286, false}, // Up wins over Down
        {"BD", EtatAccroupi, true, 300, false},
        {"BG", EtatAccroupi, false, 300, false},
        {"B", EtatAccroupi, false, 300, false},
        {"G", EtatMarche, false, 286, true},
        {"DG", EtatRetourne, true, 286, false}, // Right wins: a turn to the right
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string("keys '") + c.tenues + "'");
        CControleHeros h;
        h.orientation = false;
        SpriteEnregistreur s;
        h.metAJour(touches(c.tenues), s);
        EXPECT_EQ(h.etat, c.etat);
        EXPECT_EQ(h.orientation, c.orientation);
        EXPECT_EQ(s.x, 300);
        EXPECT_EQ(s.y, c.y);
        EXPECT_EQ(h.defilement, c.defile);
        EXPECT_EQ(h.sensDefilement, c.orientation);
        EXPECT_EQ(s.anim, animationEtat(c.etat));
        EXPECT_EQ(s.demarrages, 1);
        // One-shot animations for strikes, crouch and turn only.
        bool uneFois = false;
        for (const std::string& a : s.appels)
            uneFois = uneFois || a == "une fois";
        EXPECT_EQ(uneFois, c.etat >= EtatFrappe);
        bool saut = c.etat == EtatSaut || c.etat == EtatSautAvant || c.etat == EtatFrappeSaut
            || c.etat == EtatFrappeSautAvant;
        EXPECT_EQ(h.enSaut, saut);
    }
}

TEST_F(ControleHerosTest, WalkingRightThenLeftTurnsOnTheSpotThenWalksLeft)
{
    image("D");
    EXPECT_EQ(heros.etat, EtatMarche);
    EXPECT_TRUE(heros.defilement);
    EXPECT_TRUE(heros.sensDefilement);
    EXPECT_FALSE(sprite.miroir);

    image("G");
    EXPECT_EQ(heros.etat, EtatRetourne);
    EXPECT_TRUE(heros.enRetournement);
    EXPECT_FALSE(heros.orientation);
    EXPECT_FALSE(heros.defilement);
    EXPECT_FALSE(sprite.miroir); // a turn towards the left is drawn as stored
    EXPECT_EQ(sprite.anim, "Retourne");

    // While the turn plays nothing moves, whatever is held.
    sprite.appels.clear();
    image("D");
    image(" H");
    EXPECT_EQ(heros.etat, EtatRetourne);
    EXPECT_FALSE(heros.defilement);
    EXPECT_TRUE(sprite.appels.empty());

    sprite.finie = true;
    image("G"); // the turn update notices the end
    EXPECT_FALSE(heros.enRetournement);
    EXPECT_FALSE(heros.defilement);
    image("G");
    EXPECT_EQ(heros.etat, EtatMarche);
    EXPECT_TRUE(heros.defilement);
    EXPECT_FALSE(heros.sensDefilement);
    EXPECT_TRUE(sprite.miroir);
}

TEST_F(ControleHerosTest, TurnTowardsRightIsMirrored)
{
    image("G");
    EXPECT_EQ(heros.etat, EtatRetourne); // standing facing right, Left held
    EXPECT_FALSE(sprite.miroir);
    sprite.finie = true;
    image("");
    image("");
    EXPECT_EQ(heros.etat, EtatRepos);
    EXPECT_TRUE(sprite.miroir); // facing left now
    sprite.finie = false;
    image("D");
    EXPECT_EQ(heros.etat, EtatRetourne);
    EXPECT_TRUE(heros.orientation);
    EXPECT_TRUE(sprite.miroir);
}

TEST_F(ControleHerosTest, StrikeThenLeftWalksLeftWithoutTurn)
{
    image(" ");
    EXPECT_EQ(heros.etat, EtatFrappe);
    EXPECT_EQ(sprite.y, 292);
    // A tap plays the whole strike: Left waits for its end.
    const int frappe = heros.numeroFrappe;
    image("G");
    image("");
    EXPECT_EQ(heros.etat, EtatFrappe);
    EXPECT_FALSE(heros.defilement);
    EXPECT_EQ(sprite.demarrages, 1);
    sprite.finie = true;
    image("G");
    EXPECT_EQ(heros.etat, EtatMarche);
    EXPECT_FALSE(heros.orientation);
    EXPECT_TRUE(heros.defilement);
    EXPECT_FALSE(heros.sensDefilement);
    image(" ");
    EXPECT_EQ(heros.numeroFrappe, frappe + 1); // each strike has its own number
}

TEST_F(ControleHerosTest, CrouchRestartsOnEachChangeOfFacing)
{
    image("B");
    EXPECT_EQ(sprite.demarrages, 1);
    image("B");
    EXPECT_EQ(sprite.demarrages, 1); // held: the animation runs on
    image("BG");
    EXPECT_EQ(sprite.demarrages, 2);
    EXPECT_TRUE(sprite.miroir);
    image("BD");
    EXPECT_EQ(sprite.demarrages, 3);
    EXPECT_FALSE(sprite.miroir);
    EXPECT_EQ(sprite.anim, "Accroupi");
    EXPECT_EQ(sprite.x, 300);
    EXPECT_EQ(sprite.y, 300);
    EXPECT_FALSE(heros.defilement);
}

TEST_F(ControleHerosTest, UpHeldRisesSixtyFivePixelsFallsLandsAndJumpsAgain)
{
    decolle();
    ASSERT_TRUE(heros.enSaut);
    int plusHaut = 1000;
    int atterrissage = -1;
    for (int t = 5; t <= 1000; t += 5) {
        imageA(t, "H");
        if (heros.etat == EtatRepos && atterrissage < 0)
            atterrissage = t;
        if (atterrissage < 0)
            plusHaut = std::min(plusHaut, sprite.y);
        if (t == 325) {
            EXPECT_EQ(sprite.y, 230);
            EXPECT_TRUE(heros.enDescente);
            EXPECT_EQ(heros.dureeMontee, 325);
        }
        if (t == 320) {
            EXPECT_EQ(sprite.y, 231);
        }
        if (atterrissage >= 0 && t == atterrissage) {
            EXPECT_EQ(sprite.y, 286);
            EXPECT_EQ(sprite.anim, "Repos");
        }
        if (atterrissage >= 0 && t == atterrissage + 5) {
            EXPECT_EQ(heros.etat, EtatSaut); // jumps again at once
            EXPECT_TRUE(heros.enSaut);
            EXPECT_EQ(sprite.anim, "Saute");
            break;
        }
    }
    EXPECT_EQ(plusHaut, 295 - 65);
    EXPECT_EQ(atterrissage, 650);
}

TEST_F(ControleHerosTest, ShortHopRisesFortyAndFallsAsLong)
{
    decolle();
    imageA(200, "H");
    EXPECT_EQ(sprite.y, 255);
    imageA(200, ""); // released: the fall starts here
    EXPECT_EQ(heros.hauteurSaut, 40);
    EXPECT_EQ(heros.dureeMontee, 200);
    EXPECT_EQ(sprite.y, 255);
    imageA(300, "");
    EXPECT_EQ(sprite.y, 275);
    imageA(399, "");
    EXPECT_EQ(sprite.y, 294);
    EXPECT_TRUE(heros.enSaut);
    imageA(400, "");
    EXPECT_FALSE(heros.enSaut);
    EXPECT_EQ(heros.etat, EtatRepos);
    EXPECT_EQ(sprite.y, 286);
    EXPECT_EQ(heros.debutEtat, depart + 400);
}

TEST_F(ControleHerosTest, StrikeInStraightJumpKeepsTheJumpTiming)
{
    decolle();
    imageA(100, "H");
    EXPECT_EQ(sprite.y, 275);
    sprite.appels.clear();
    imageA(150, " H");
    EXPECT_EQ(heros.etat, EtatFrappeSaut);
    EXPECT_EQ(sprite.appels, (std::vector<std::string>{"anim FSaute", "une fois", "demarre"}));
    EXPECT_EQ(heros.debutEtat, depart);
    EXPECT_EQ(sprite.y, 265);
    // Space again during the strike jump changes nothing more.
    sprite.appels.clear();
    imageA(160, " H");
    EXPECT_TRUE(sprite.appels.empty());
    EXPECT_EQ(sprite.y, 263);
}

TEST_F(ControleHerosTest, ForwardJumpScrollsTheTakeOffWayUntilLanding)
{
    image("HG");
    EXPECT_EQ(heros.etat, EtatSautAvant);
    EXPECT_TRUE(heros.defilement);
    EXPECT_FALSE(heros.sensDefilement);
    // Right held in the air: no air turn, the scroll keeps its direction.
    image("D", 50);
    EXPECT_FALSE(heros.orientation);
    EXPECT_TRUE(sprite.miroir);
    EXPECT_TRUE(heros.defilement);
    EXPECT_FALSE(heros.sensDefilement);
    // Space mid-flight: strike forward jump, still scrolling.
    image(" ", 10);
    EXPECT_EQ(heros.etat, EtatFrappeSautAvant);
    EXPECT_TRUE(heros.defilement);
    // Landing frame: standing, no scroll.
    image("", 500);
    EXPECT_EQ(heros.etat, EtatRepos);
    EXPECT_FALSE(heros.defilement);
    EXPECT_FALSE(heros.orientation);
}

}

namespace {

// A pause in the middle of a jump: the game's clock stands still, so the
// jump, the level's scroll time and the animations take up where they were.
TEST_F(ControleHerosTest, PauseFreezesTheJumpAndTheFrameTimer)
{
    image("H");
    for (int i = 0; i < 10; ++i)
        image("H"); // 100 ms up
    const int hauteur = sprite.y;
    CChronoImage chrono;
    suspendTemps();
    avanceTempsFactice(5000);
    heros.metAJour(touches("H"), sprite);
    EXPECT_EQ(sprite.y, hauteur);
    EXPECT_EQ(chrono.etape(), 0);
    reprendTemps();
    EXPECT_EQ(chrono.etape(), 0); // nothing jumps ahead on resume
    image("H");
    EXPECT_EQ(chrono.etape(), 10);
    EXPECT_TRUE(heros.enSaut);
    EXPECT_LT(sprite.y, hauteur); // still rising, 110 ms into the jump
}

} // namespace
