// The intro, its event pump and the picture-series player on a real window,
// with the fake clock so that every pause passes at once.
#include "foundation/Temps.h"
#include "game/Intro.h"
#include "game/main.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "support/ContexteGL.h"
#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

using IntroGL = TestJeuGL;

TEST_F(IntroGL, RunsToItsEndWithEveryPauseAndLoadsInOrder)
{
    Capture erreurs(2);
    uint32_t debut = tempsCourant();
    EXPECT_EQ(introVorna(), 0);
    // Logos 4 x 5350, hold 5 x 2000, credits 4 x 123 x 40, 2000, presents
    // 852 x 23, title 125 x 50, cross-fades 125 x 40 and 254 x 100, final
    // hold 200 x 100.
    EXPECT_EQ(tempsCourant() - debut, 129326u);

    // No picture exists here, so each load reports its name: the order shows
    // which group is loaded when.
    std::vector<std::string> noms = imagesManquantes(erreurs.texte());
    std::vector<std::string> attendus;
    for (int image = 0; image < NbImagesIntro; ++image)
        attendus.push_back(fichierImageIntro(image));
    EXPECT_EQ(noms, attendus);
}

TEST_F(IntroGL, EscapeOrCloseBeforeTheFirstFrameEndsAtOnce)
{
    pousseTouche(SDLK_ESCAPE);
    Capture erreurs(2);
    uint32_t debut = tempsCourant();
    EXPECT_EQ(introVorna(), 1);
    EXPECT_EQ(tempsCourant(), debut);
    EXPECT_EQ(erreurs.texte(), ""); // nothing was loaded

    // A close request ends it too; the events behind it stay queued.
    pousseEvenement(SDL_QUIT);
    pousseTouche(SDLK_a);
    EXPECT_EQ(introVorna(), 1);
    SDL_Event e;
    ASSERT_EQ(SDL_PollEvent(&e), 1);
    EXPECT_EQ(e.type, SDL_KEYDOWN);
    EXPECT_EQ(e.key.keysym.sym, SDLK_a);
}

TEST_F(IntroGL, AnyKeyClickOrPadButtonSkipsButNotReleasesOrModifiers)
{
    pousseTouche(SDLK_LALT); // the first half of Alt+Enter
    pousseTouche(SDLK_LSHIFT);
    SDL_Event relache = {};
    relache.type = SDL_KEYUP;
    relache.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&relache);
    EXPECT_EQ(QuitIntro(), 0);
    SDL_Event e;
    EXPECT_EQ(SDL_PollEvent(&e), 0); // all taken

    for (int type : {SDL_KEYDOWN, SDL_MOUSEBUTTONDOWN, SDL_JOYBUTTONDOWN}) {
        SDL_Event passe = {};
        passe.type = static_cast<Uint8>(type);
        passe.key.keysym.sym = SDLK_SPACE;
        passe.button.button = SDL_BUTTON_LEFT;
        if (type == SDL_JOYBUTTONDOWN)
            passe.jbutton.button = 3;
        SDL_PushEvent(&passe);
        EXPECT_EQ(QuitIntro(), 1) << type;
    }
    // The wheel is no click.
    SDL_Event roue = {};
    roue.type = SDL_MOUSEBUTTONDOWN;
    roue.button.button = SDL_BUTTON_WHEELDOWN;
    SDL_PushEvent(&roue);
    EXPECT_EQ(QuitIntro(), 0);
}

TEST_F(IntroGL, ResizeKeepsTheLogicalLayout)
{
    SDL_Event e = {};
    e.type = SDL_VIDEORESIZE;
    e.resize.w = 0;
    e.resize.h = 300;
    SDL_PushEvent(&e);
    EXPECT_EQ(QuitIntro(), 0);
    EXPECT_EQ(config->resolutionHorizontale, 1);
    EXPECT_EQ(config->resolutionVerticale, 300);

    GLint vue[4];
    glGetIntegerv(GL_VIEWPORT, vue);
    EXPECT_EQ(vue[0], 0);
    EXPECT_EQ(vue[1], 0);
    EXPECT_EQ(vue[2], 1);
    EXPECT_EQ(vue[3], 300);
    // The projection still maps 640 x 480 logical units, y downwards.
    GLdouble p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], 2.0 / 640, 1e-9);
    EXPECT_NEAR(p[5], -2.0 / 480, 1e-9);
    EXPECT_NEAR(p[12], -1.0, 1e-9);
    EXPECT_NEAR(p[13], 1.0, 1e-9);
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[0], 1.0);
    EXPECT_EQ(m[12], 0.0);

    config->resolutionHorizontale = LARGEUR_GL;
    config->resolutionVerticale = HAUTEUR_GL;
    appliqueProjection(LARGEUR_GL, HAUTEUR_GL, 640, 480);
}

TEST_F(IntroGL, SeriesPlayerLoadsEachNumberedFrame)
{
    std::vector<Pixel> rouge(8 * 8, Pixel{255, 0, 0, 255});
    for (int n : {1, 2, 10})
        ecritTGA("image_" + std::to_string(n) + ".tga", 8, 8, rouge);

    Capture erreurs(2);
    uint32_t debut = tempsCourant();
    playIntro(0, 50, "image_", ".tga");
    EXPECT_EQ(tempsCourant(), debut); // no frame, no pause
    playIntro(2, 50, "image_", ".tga");
    EXPECT_EQ(tempsCourant() - debut, 100u);
    EXPECT_EQ(erreurs.texte(), "");

    // Frame 10 is "image_10.tga": frames 3 to 9 are missing and reported.
    Capture erreurs2(2);
    playIntro(10, 1, "image_", ".tga");
    std::vector<std::string> manquantes = imagesManquantes(erreurs2.texte());
    ASSERT_EQ(manquantes.size(), 7u);
    EXPECT_EQ(manquantes.front(), "image_3.tga");
    EXPECT_EQ(manquantes.back(), "image_9.tga");
}

TEST_F(IntroGL, SeriesPlayerSkipsNamesTooLongAndStopsOnEscape)
{
    std::string debut(90, 'n');
    Capture erreurs(2);
    uint32_t t0 = tempsCourant();
    // Frames 1 to 9 make names of 99 characters; frame 10's 100 leave no
    // room for the NUL of the 100-byte buffer.
    playIntro(10, 10, debut.c_str(), "_fin.png");
    std::string texte = erreurs.texte();
    EXPECT_EQ(tempsCourant() - t0, 90u); // frame 10 skipped, without its pause
    EXPECT_NE(texte.find("Nom de fichier trop long : " + debut + "10_fin.png"), std::string::npos)
        << texte;
    EXPECT_EQ(imagesManquantes(texte).size(), 9u);

    pousseTouche(SDLK_ESCAPE);
    uint32_t t1 = tempsCourant();
    vornaGameOver();
    EXPECT_EQ(tempsCourant(), t1);
}

}
