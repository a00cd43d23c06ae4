#include "game/Intro.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Drawing `d` shows picture `image` at (x, y) with this opacity and zoom.
::testing::AssertionResult dessinEst(const DessinIntro& d, int image, int x, int y, int alpha,
                                     int zoom)
{
    if (d.image == image && d.x == x && d.y == y && d.alpha == alpha && d.zoom == zoom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "picture " << d.image << " at " << d.x << ", " << d.y << " alpha " << d.alpha << " zoom "
        << d.zoom << "; expected picture " << image << " at " << x << ", " << y << " alpha "
        << alpha << " zoom " << zoom;
}

TEST(IntroLogos, ZoomPauseAndSlideFormulas)
{
    EXPECT_EQ(zoomLogo(0), 100);
    EXPECT_EQ(zoomLogo(2), 100); // one step behind the rotation
    EXPECT_EQ(zoomLogo(4), 99);
    EXPECT_EQ(zoomLogo(360), 50);
    EXPECT_EQ(pauseLogo(0), 40);
    EXPECT_EQ(pauseLogo(2), 39);
    EXPECT_EQ(pauseLogo(360), 20);
    // Truncated towards zero on both sides of the screen centre.
    EXPECT_EQ(positionLogo(-1, 160, 2), 0);
    EXPECT_EQ(positionLogo(-1, 160, 4), -1);
    EXPECT_EQ(positionLogo(1, 120, 4), 1);
    EXPECT_EQ(positionLogo(-1, 160, 360), -160);
    EXPECT_EQ(positionLogo(1, 120, 360), 120);

    int total = 0;
    for (int k = 0; k < nbImagesPhase(PhaseLogo1); ++k)
        total += imageIntro(PhaseLogo1, k).pause;
    EXPECT_EQ(nbImagesPhase(PhaseLogo1), 181);
    EXPECT_EQ(total, 5350);
}

TEST(IntroLogos, PlacedLogosThenMovingLogoThenThanks)
{
    ImageIntroCalculee f = imageIntro(PhaseLogo3, 90); // OpenGL logo, i = 180
    ASSERT_EQ(f.nbDessins, 4);
    EXPECT_TRUE(f.verifieQuitter);
    EXPECT_TRUE(dessinEst(f.dessins[0], ImLogoQuarvelin, -160, -120, 255, 50));
    EXPECT_DOUBLE_EQ(f.dessins[0].rotation, 360.0);
    EXPECT_TRUE(dessinEst(f.dessins[1], ImLogoSDL, 160, -120, 255, 50));
    EXPECT_TRUE(dessinEst(f.dessins[2], ImLogoGL, -80, 60, 255, 75));
    EXPECT_DOUBLE_EQ(f.dessins[2].rotation, 180.0);
    EXPECT_TRUE(dessinEst(f.dessins[3], ImThanks, 0, 0, 255, 100));

    ImageIntroCalculee dernier = imageIntro(PhaseLogo4, 180);
    ASSERT_EQ(dernier.nbDessins, 5);
    EXPECT_TRUE(dessinEst(dernier.dessins[3], ImLogoVask, 160, 120, 255, 50));
}

TEST(IntroLogos, HoldRemovesLogosWithoutQuitChecks)
{
    ASSERT_EQ(nbImagesPhase(PhaseMaintienLogos), 5);
    const int attendus[5] = {4, 3, 2, 1, 0};
    for (int k = 0; k < 5; ++k) {
        ImageIntroCalculee f = imageIntro(PhaseMaintienLogos, k);
        EXPECT_FALSE(f.verifieQuitter);
        EXPECT_TRUE(f.dessine);
        EXPECT_EQ(f.pause, 2000);
        ASSERT_EQ(f.nbDessins, attendus[k]);
        if (f.nbDessins) {
            EXPECT_EQ(f.dessins[f.nbDessins - 1].image, ImLogoVask);
        }
        for (int d = 0; d < f.nbDessins; ++d)
            EXPECT_NE(f.dessins[d].image, ImThanks);
    }
    EXPECT_FALSE(imageIntro(PhasePauseCredits, 0).verifieQuitter);
    EXPECT_EQ(imageIntro(PhasePauseCredits, 0).nbDessins, 0);
}

TEST(IntroCredits, EachFadesFrom250To6)
{
    for (int phase = PhaseCredit1; phase <= PhaseCredit4; ++phase) {
        ASSERT_EQ(nbImagesPhase(phase), 123);
        ImageIntroCalculee premier = imageIntro(phase, 0);
        ImageIntroCalculee dernier = imageIntro(phase, 122);
        EXPECT_EQ(premier.dessins[0].image, ImCredit1 + phase - PhaseCredit1);
        EXPECT_EQ(premier.dessins[0].alpha, 250);
        EXPECT_EQ(dernier.dessins[0].alpha, 6);
        EXPECT_EQ(dernier.pause, 40);
    }
}

TEST(IntroPresents, CaptionFallsWithFadingTrail)
{
    ASSERT_EQ(nbImagesPhase(PhasePresents), 852);
    ImageIntroCalculee f = imageIntro(PhasePresents, 0); // m = -52
    ASSERT_EQ(f.nbDessins, 4);
    const int y[4] = {-302, -202, -122, -52};
    const int alpha[4] = {30, 50, 120, 250};
    for (int d = 0; d < 4; ++d)
        EXPECT_TRUE(dessinEst(f.dessins[d], ImPresents, 150, y[d], alpha[d], 100)) << d;
    EXPECT_EQ(f.pause, 23);
    EXPECT_EQ(imageIntro(PhasePresents, 851).dessins[3].y, 799);
    EXPECT_EQ(imageIntro(PhasePresents, 851).dessins[0].y, 549);
}

TEST(IntroTitre, ZoomThenCrossFades)
{
    ASSERT_EQ(nbImagesPhase(PhaseZoomTitre), 125);
    EXPECT_EQ(imageIntro(PhaseZoomTitre, 0).dessins[0].zoom, 0);
    EXPECT_EQ(imageIntro(PhaseZoomTitre, 124).dessins[0].zoom, 248);
    EXPECT_EQ(imageIntro(PhaseZoomTitre, 124).dessins[0].x, 165);
    EXPECT_EQ(imageIntro(PhaseZoomTitre, 124).dessins[0].y, 180);

    ASSERT_EQ(nbImagesPhase(PhaseFonduTitre), 125);
    ImageIntroCalculee debut = imageIntro(PhaseFonduTitre, 0);
    ImageIntroCalculee fin = imageIntro(PhaseFonduTitre, 124);
    ASSERT_EQ(debut.nbDessins, 2);
    EXPECT_TRUE(dessinEst(debut.dessins[0], ImPeinture1, 0, 40, 0, 100));
    EXPECT_TRUE(dessinEst(fin.dessins[0], ImPeinture1, 0, 40, 248, 100));
    EXPECT_TRUE(dessinEst(debut.dessins[1], ImTitre, 165, 180, 254, 250));
    EXPECT_TRUE(dessinEst(fin.dessins[1], ImTitre, 165, 180, 6, 126));

    ASSERT_EQ(nbImagesPhase(PhaseFonduPeintures), 254);
    ImageIntroCalculee p0 = imageIntro(PhaseFonduPeintures, 0);
    ImageIntroCalculee p253 = imageIntro(PhaseFonduPeintures, 253);
    EXPECT_TRUE(dessinEst(p0.dessins[0], ImPeinture2, 0, 40, 255, 100));
    EXPECT_TRUE(dessinEst(p0.dessins[1], ImPeinture1, 0, 40, 254, 100));
    EXPECT_TRUE(dessinEst(p253.dessins[1], ImPeinture1, 0, 40, 1, 100));
    EXPECT_EQ(p253.pause, 100);
}

TEST(IntroFin, FinalHoldOnlyWaitsAndChecks)
{
    ASSERT_EQ(nbImagesPhase(PhaseAttenteFinale), 200);
    ImageIntroCalculee f = imageIntro(PhaseAttenteFinale, 17);
    EXPECT_TRUE(f.verifieQuitter);
    EXPECT_FALSE(f.dessine);
    EXPECT_EQ(f.pause, 100);
}

TEST(IntroFichiers, NamesAndColourKeys)
{
    EXPECT_EQ(std::string(fichierImageIntro(ImThanks)), "./data/intro/thanks.png");
    EXPECT_EQ(std::string(fichierImageIntro(ImTitre)), "./data/intro/kvtrvorna1.gif");
    EXPECT_EQ(std::string(fichierImageIntro(ImPeinture2)), "./data/intro/vorna_intro3-1.png");
    EXPECT_TRUE(cleNoireImageIntro(ImLogoGL));
    EXPECT_TRUE(cleNoireImageIntro(ImPresents));
    EXPECT_FALSE(cleNoireImageIntro(ImCredit3));
    EXPECT_FALSE(cleNoireImageIntro(ImTitre));
    EXPECT_EQ(fichierImageIntro(NbImagesIntro), nullptr);
}

}
