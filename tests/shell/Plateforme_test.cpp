// Platform stand-ins that need no display: swap-control decision, frame
// pacing on the fake clock, process priority, and a display that cannot be
// opened.

#include "foundation/Temps.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <sys/resource.h>

namespace {

TEST(SwapControl, DecidedFromWholeExtensionNames)
{
    EXPECT_TRUE(swapControlDansExtensions("GLX_ARB_create_context GLX_EXT_swap_control GLX_SGIX_fbconfig"));
    EXPECT_TRUE(swapControlDansExtensions("GLX_MESA_swap_control"));
    EXPECT_TRUE(swapControlDansExtensions("GLX_SGIX_fbconfig GLX_SGI_swap_control"));
    EXPECT_FALSE(swapControlDansExtensions("GLX_EXT_swap_control_tear"));
    EXPECT_FALSE(swapControlDansExtensions("GLX_ARB_multisample GLX_EXT_visual_info"));
    EXPECT_FALSE(swapControlDansExtensions(""));
    EXPECT_FALSE(swapControlDansExtensions(nullptr));
    EXPECT_TRUE(swapControlDansExtensions("GLX_EXT_swap_control_tear GLX_EXT_swap_control"));
}

class Cadencement : public ::testing::Test {
protected:
    void SetUp() override { fixeTempsFactice(1000); }
    void TearDown() override
    {
        fixeCadencement(false);
        retireTempsFactice();
    }
};

TEST_F(Cadencement, SixtyFramesTakeOneSecondWhateverTheWorkPerFrame)
{
    for (uint32_t travail : {0u, 5u, 12u}) {
        SCOPED_TRACE(travail);
        fixeCadencement(true);
        presenteImage(); // starts the schedule
        uint32_t debut = tempsCourant();
        for (int i = 0; i < 60; ++i) {
            avanceTempsFactice(travail);
            presenteImage();
        }
        EXPECT_EQ(1000u, tempsCourant() - debut);
    }
}

TEST_F(Cadencement, LateFramesAreNotRushedAndOffMeansNoWait)
{
    fixeCadencement(true);
    presenteImage();
    avanceTempsFactice(100); // a long frame
    uint32_t t = tempsCourant();
    presenteImage();
    EXPECT_EQ(t, tempsCourant()); // no wait for a late frame
    presenteImage();
    EXPECT_GE(tempsCourant() - t, 16u); // but the next one is paced again
    EXPECT_LE(tempsCourant() - t, 17u);

    fixeCadencement(false);
    EXPECT_FALSE(cadencementActif());
    t = tempsCourant();
    for (int i = 0; i < 10; ++i)
        presenteImage();
    EXPECT_EQ(t, tempsCourant());
}

// Frame n of a grid started at `debut` (us).
uint64_t grille(uint64_t debut, uint64_t n)
{
    return debut + n * 1000000 / 60;
}

TEST_F(Cadencement, FramesKeepAFixedGridAndRestartOnlyFarBehind)
{
    fixeCadencement(true);
    presenteImage();
    const uint64_t t0 = tempsMicro();
    // On time: each frame goes exactly at its grid point, to the microsecond.
    for (uint64_t n = 1; n <= 3; ++n) {
        avanceTempsFacticeMicro(4000);
        presenteImage();
        EXPECT_EQ(grille(t0, n), tempsMicro());
    }
    // 25 ms of work misses point 4: shown at once, and the next frame aims
    // at point 5, not 16.7 ms from now.
    avanceTempsFacticeMicro(25000);
    uint64_t tard = tempsMicro();
    presenteImage();
    EXPECT_EQ(tard, tempsMicro());
    presenteImage();
    EXPECT_EQ(grille(t0, 5), tempsMicro());
    // 3.5 frames behind still keeps the grid.
    avanceTempsFacticeMicro(75000);
    presenteImage();
    presenteImage();
    EXPECT_EQ(grille(t0, 10), tempsMicro());
    // More than 4 frames behind: a new grid from the late frame.
    avanceTempsFacticeMicro(100000);
    uint64_t nouveau = tempsMicro();
    presenteImage();
    EXPECT_EQ(nouveau, tempsMicro());
    presenteImage();
    presenteImage();
    EXPECT_EQ(grille(nouveau, 2), tempsMicro());
}

TEST(Priorite, RaisedAtBestNeverLowered)
{
    errno = 0;
    int avant = getpriority(PRIO_PROCESS, 0);
    fixePrioriteProcessus(false);
    int apres = getpriority(PRIO_PROCESS, 0);
    EXPECT_LE(apres, avant);
    EXPECT_TRUE(apres == avant || apres == -5) << apres;
    // Asking for less than we already have changes nothing.
    fixePrioriteProcessus(false);
    EXPECT_EQ(apres, getpriority(PRIO_PROCESS, 0));
    fixePrioriteProcessus(true);
    int fort = getpriority(PRIO_PROCESS, 0);
    EXPECT_TRUE(fort == apres || fort == -10) << fort;
    EXPECT_EQ(SCHED_OTHER, sched_getscheduler(0));
}

TEST(Affichage, NoDisplayGivesMinusOneAndInitGLFallsBack)
{
    // The dummy video driver has no OpenGL, so no mode can be set.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0); // initSDL starts every subsystem
    testsupport::DossierTemporaire dossier;
    config = new CEngineGL();
    config->pleinEcran = false;
    testsupport::Capture erreurs(2);
    EXPECT_EQ(-1, initSDL(640, 480));
    EXPECT_EQ("Impossible d'ouvrir l'écran!\n", erreurs.texte());

    config->sansClampToEdge = false;
    config->npotDisponible = true;
    testsupport::Capture sortie(1);
    initGL(640, 480);
    std::string texte = sortie.texte();
    EXPECT_NE(std::string::npos, texte.find("----Informations OpenGL----\nFabricant : \n"));
    EXPECT_NE(std::string::npos, texte.find("Extension SwapControl non disponible :(\n"));
    EXPECT_NE(std::string::npos, texte.find("Extension Texture clamp to edge non disponible !  :(\n"));
    EXPECT_NE(std::string::npos, texte.find("Extension Texture_no_power_of_two non disponible !  :(\n\n"));
    EXPECT_TRUE(config->sansClampToEdge);
    EXPECT_FALSE(config->npotDisponible);
    EXPECT_TRUE(cadencementActif());
    fixeCadencement(false);
    delete config;
    config = nullptr;
}

}
