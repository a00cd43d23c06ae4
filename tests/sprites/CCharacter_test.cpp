// Character steps on the shared clock.

#include "sprites/CCharacter.h"

#include "foundation/Temps.h"

#include <gtest/gtest.h>

namespace {

class PersonnageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixeTempsFactice(1000);
        perso.tempsDernierPas = 1000;
    }
    void TearDown() override { retireTempsFactice(); }

    // Lets `ms` go by, then updates.
    void apres(uint32_t ms)
    {
        avanceTempsFactice(ms);
        perso.update();
    }

    CCharacter perso;
};

TEST_F(PersonnageTest, OneStepPerDelayWhateverTheUpdateRate)
{
    perso.delaiDroite = 20;
    apres(25);
    EXPECT_EQ(perso.x, 1);
    EXPECT_EQ(perso.tempsDernierPas, 1020u);
    apres(10);
    EXPECT_EQ(perso.x, 1);
    // The 5 ms carried make the next step come sooner.
    apres(5);
    EXPECT_EQ(perso.x, 2);
    // A long wait takes every step it holds.
    apres(1000);
    EXPECT_EQ(perso.x, 52);
    EXPECT_EQ(perso.y, 0);
    // One second at 16 ms or at 7 ms updates: 50 steps either way.
    for (uint32_t pas : {16u, 7u}) {
        int32_t debut = perso.x;
        perso.tempsDernierPas = tempsCourant();
        for (uint32_t t = 0; t + pas <= 1000; t += pas)
            apres(pas);
        apres(1000 % pas);
        EXPECT_EQ(perso.x - debut, 50) << pas;
    }
}

TEST_F(PersonnageTest, OpposingDelaysFireTogetherAndCancel)
{
    perso.delaiGauche = 20;
    perso.delaiDroite = 20;
    perso.delaiBas = 30;
    apres(20);
    EXPECT_EQ(perso.x, 0);
    EXPECT_EQ(perso.tempsDernierPas, 1020u);
    // The step of x restarted the clock for y too.
    apres(20);
    EXPECT_EQ(perso.y, 0);
    apres(10);
    EXPECT_EQ(perso.y, 0);  // only 10 ms since the step at 1040
}

TEST_F(PersonnageTest, DefaultsStayStillAndDrawNothing)
{
    apres(1000000);
    EXPECT_EQ(perso.x, 0);
    EXPECT_EQ(perso.y, 0);
    perso.affiche();  // no sprite
}

}  // namespace
