// Animation timing, driven by the fake clock: frames hold empty pictures, so
// no display is needed.

#include "sprites/CAnimGL.h"

#include "foundation/Temps.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

const uint32_t T = 10000;

class AnimTest : public ::testing::Test {
protected:
    void SetUp() override { fixeTempsFactice(T); }
    void TearDown() override { retireTempsFactice(); }

    // Frames with the given pauses, started at T.
    void remplit(std::initializer_list<int> pauses)
    {
        int n = static_cast<int>(pauses.size());
        anim.setNbImages(n);
        anim.alloueImages(n);
        int i = 0;
        for (int p : pauses)
            anim.getImage(i++)->setTempsPause(p);
        fixeTempsFactice(T);
        anim.joueAnim();
    }

    int apres(uint32_t ms)
    {
        fixeTempsFactice(T + ms);
        anim.update();
        return anim.getImageCourante();
    }

    CAnimGL anim;
};

TEST_F(AnimTest, StepsOnlyOnceThePauseIsStrictlyExceeded)
{
    remplit({100, 100, 100, 100});
    EXPECT_EQ(apres(100), 0);
    EXPECT_EQ(anim.getTempsChangement(), T);
    EXPECT_EQ(apres(101), 1);
    EXPECT_EQ(anim.getTempsChangement(), T + 100);
    // The late millisecond counts towards the next frame.
    EXPECT_EQ(apres(200), 1);
    EXPECT_EQ(apres(201), 2);
}

TEST_F(AnimTest, LateUpdateCatchesUpAndCarriesTheOvershoot)
{
    remplit({100, 100, 100, 100});
    EXPECT_EQ(apres(250), 2);
    EXPECT_EQ(anim.getTempsChangement(), T + 200);
    EXPECT_EQ(apres(300), 2);
    EXPECT_EQ(apres(301), 3);
    // Repeating: past the last frame back to frame 0.
    EXPECT_EQ(apres(401), 0);
    EXPECT_FALSE(anim.isAnimFinished());

    // Updated every 16 ms or every 50 ms, ten 100 ms frames take one second.
    for (uint32_t pas : {16u, 50u}) {
        remplit({100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100});
        uint32_t t = 0;
        while (t + pas <= 1000)
            apres(t += pas);
        EXPECT_EQ(apres(1000), 9) << pas;
        EXPECT_EQ(apres(1001), 10) << pas;
    }
}

TEST_F(AnimTest, LongAbsenceLandsWhereStepByStepWould)
{
    // Thresholds 10, 30, 60, then every 60 ms: 60015 is 15 ms into a cycle.
    remplit({10, 20, 30});
    EXPECT_EQ(apres(60015), 1);
    EXPECT_EQ(anim.getTempsChangement(), T + 60010);

    // Two thousand million 1 ms steps: must not take the time to walk them.
    remplit({1, 1, 1});
    EXPECT_EQ(apres(2000000000u), 1);
}

TEST_F(AnimTest, NonRepeatingStopsOnLastFrameUntilPlayedAgain)
{
    remplit({100, 100, 100});
    anim.setRepete(false);
    EXPECT_EQ(apres(10000), 2);
    EXPECT_TRUE(anim.isAnimFinished());
    EXPECT_EQ(anim.getTempsChangement(), T);  // left as it was
    EXPECT_EQ(apres(20000), 2);

    anim.joueAnim();
    EXPECT_EQ(anim.getImageCourante(), 0);
    EXPECT_FALSE(anim.isAnimFinished());
    EXPECT_EQ(anim.getTempsChangement(), T + 20000);
}

TEST_F(AnimTest, SpeedScalesPausesTruncatingTowardZero)
{
    remplit({100, 100});
    anim.setVitesse(2.0f);
    EXPECT_EQ(apres(200), 0);
    EXPECT_EQ(apres(201), 1);

    remplit({5, 5, 5});
    anim.setVitesse(0.3f);  // 1.5 ms counts as 1
    EXPECT_EQ(apres(1), 0);
    EXPECT_EQ(apres(2), 1);

    // 10 ms at 0.7 is 7 ms, not 6: the float speed is not widened first.
    remplit({10, 10, 10});
    anim.setVitesse(0.7f);
    EXPECT_EQ(apres(7), 0);
    EXPECT_EQ(apres(8), 1);
}

TEST_F(AnimTest, ZeroPausesNeverHang)
{
    remplit({0, 0, 0});
    int image = apres(5);
    EXPECT_GE(image, 0);
    EXPECT_LT(image, 3);
    EXPECT_FALSE(anim.isAnimFinished());

    // Negative speed scales to 0 as well.
    remplit({100, 100, 100});
    anim.setVitesse(-1.0f);
    image = apres(5);
    EXPECT_GE(image, 0);
    EXPECT_LT(image, 3);

    remplit({0, 0, 0});
    anim.setRepete(false);
    EXPECT_EQ(apres(1), 2);
    EXPECT_TRUE(anim.isAnimFinished());
}

TEST_F(AnimTest, SingleFrameNeverChangesNorFinishes)
{
    remplit({10});
    EXPECT_EQ(apres(100000), 0);
    EXPECT_FALSE(anim.isAnimFinished());
    anim.setRepete(false);
    EXPECT_EQ(apres(200000), 0);
    EXPECT_FALSE(anim.isAnimFinished());
}

TEST_F(AnimTest, FrameIndexAndStopControls)
{
    remplit({100, 100, 100});
    anim.setImageCourante(2);
    EXPECT_EQ(anim.getImageCourante(), 2);
    anim.setImageCourante(3);
    anim.setImageCourante(-1);
    EXPECT_EQ(anim.getImageCourante(), 2);

    // Paused: stays, does not step, and playing again starts at frame 0.
    anim.pauseAnim();
    EXPECT_TRUE(anim.isAnimFinished());
    EXPECT_EQ(apres(5000), 2);
    anim.joueAnim();
    EXPECT_EQ(anim.getImageCourante(), 0);
    EXPECT_FALSE(anim.isAnimFinished());

    anim.setImageCourante(1);
    anim.stoppeAnim();
    EXPECT_EQ(anim.getImageCourante(), 0);
    EXPECT_TRUE(anim.isAnimFinished());
}

TEST(Anim, PlaysFromConstructionWithDefaults)
{
    fixeTempsFactice(500);
    CAnimGL anim;
    EXPECT_FLOAT_EQ(anim.getVitesse(), 1.0f);
    EXPECT_TRUE(anim.getRepete());
    EXPECT_STREQ(anim.getNomAnimation(), "");
    anim.setNbImages(2);
    anim.alloueImages(2);
    anim.getImage(0)->setTempsPause(50);
    anim.getImage(1)->setTempsPause(50);
    fixeTempsFactice(551);
    anim.update();
    EXPECT_EQ(anim.getImageCourante(), 1);
    retireTempsFactice();
}

TEST(Anim, WithoutFramesEverythingIsHarmless)
{
    fixeTempsFactice(0);
    CAnimGL vide;
    // Counted but never allocated, then allocated short.
    vide.setNbImages(3);
    fixeTempsFactice(1000);
    vide.update();
    vide.afficheImageCourante(0, 0);
    vide.setMirrorY(true);
    EXPECT_EQ(vide.getMinLongueurImage(), 0);
    EXPECT_EQ(vide.getLongueurImageCourante(), 0);
    EXPECT_EQ(vide.getHauteurImageCourante(), 0);
    vide.alloueImages(1);
    vide.update();
    EXPECT_EQ(vide.getImageCourante(), 0);
    retireTempsFactice();
}

}  // namespace
