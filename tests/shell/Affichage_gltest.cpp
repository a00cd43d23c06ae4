// Opening the display on a real X server: window modes, the OpenGL report
// and capabilities, swap control, and the 640x480 drawing space stretched
// over any window size.

#include "foundation/Messages.h"
#include "render/CImageGL.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/gfx.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cstring>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class Affichage : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!config)
            config = new CEngineGL();
        *config = CEngineGL();
        config->pleinEcran = false;
        config->bilineaire = false;
        atexit(SDL_Quit);
    }
    void TearDown() override { fixeCadencement(false); }

    std::string ouvre(int largeur = 640, int hauteur = 480)
    {
        config->resolutionHorizontale = largeur;
        config->resolutionVerticale = hauteur;
        EXPECT_EQ(0, initSDL(largeur, hauteur));
        testsupport::Capture sortie(1);
        initGL(config->largeurLogique, config->hauteurLogique);
        return sortie.texte();
    }

    testsupport::DossierTemporaire dossier_;
};

int attribut(SDL_GLattr a)
{
    int v = -1;
    SDL_GL_GetAttribute(a, &v);
    return v;
}

TEST_F(Affichage, WindowedModeHasCaptionCursorAndRequestedBuffers)
{
    ouvre();
    SDL_Surface* ecran = SDL_GetVideoSurface();
    ASSERT_NE(nullptr, ecran);
    EXPECT_EQ(640, ecran->w);
    EXPECT_EQ(480, ecran->h);
    EXPECT_TRUE(ecran->flags & SDL_OPENGL);
    EXPECT_TRUE(ecran->flags & SDL_RESIZABLE);
    EXPECT_FALSE(ecran->flags & SDL_FULLSCREEN);
    char* titre = nullptr;
    char* icone = nullptr;
    SDL_WM_GetCaption(&titre, &icone);
    EXPECT_STREQ("Corvanthelis", titre);
    EXPECT_STREQ("", icone);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    EXPECT_EQ(8, attribut(SDL_GL_RED_SIZE));
    EXPECT_EQ(8, attribut(SDL_GL_ALPHA_SIZE));
    EXPECT_EQ(1, attribut(SDL_GL_DOUBLEBUFFER));
}

TEST_F(Affichage, FullScreenHidesTheCursorAndSixteenBitsAsksFiveSixFive)
{
    config->pleinEcran = true;
    ouvre();
    SDL_Surface* ecran = SDL_GetVideoSurface();
    ASSERT_NE(nullptr, ecran);
    EXPECT_TRUE(ecran->flags & SDL_FULLSCREEN);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));

    config->pleinEcran = false;
    config->mode16bits = true;
    SDL_ShowCursor(SDL_ENABLE); // windowed mode leaves the cursor as it is
    ouvre();
    ASSERT_NE(nullptr, SDL_GetVideoSurface());
    // The X server picks the closest visual; it has at least what was asked.
    EXPECT_GE(attribut(SDL_GL_RED_SIZE), 5);
    EXPECT_GE(attribut(SDL_GL_GREEN_SIZE), 6);
    EXPECT_GE(attribut(SDL_GL_DEPTH_SIZE), 16);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
}

TEST_F(Affichage, ReportCapabilitiesAndSwapControlDecision)
{
    std::string rapport = ouvre();
    EXPECT_EQ(0u, rapport.find("----Informations OpenGL----\nFabricant : "));
    EXPECT_NE(std::string::npos, rapport.find("\nRendu : "));
    EXPECT_NE(std::string::npos, rapport.find("\nVersion GL : "));
    EXPECT_NE(std::string::npos, rapport.find("\nListe des extensions supportées : GL_"));
    EXPECT_NE(std::string::npos, rapport.find("\nTaille max des textures : "));
    EXPECT_NE(std::string::npos, rapport.find("\n---------------------------\n\n"));
    // Journal=0: the same report without the extension list.
    fixeJournal(false);
    std::string bref = ouvre();
    fixeJournal(true);
    EXPECT_EQ(std::string::npos, bref.find("Liste des extensions"));
    EXPECT_NE(std::string::npos, bref.find("\nVersion GL : "));

    std::string extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    bool edge = extensions.find("GL_EXT_texture_edge_clamp") != std::string::npos;
    bool npot = extensions.find("GL_ARB_texture_non_power_of_two") != std::string::npos;
    EXPECT_EQ(!edge, config->sansClampToEdge);
    EXPECT_EQ(npot, config->npotDisponible);
    EXPECT_EQ(!edge, rapport.find("Texture clamp to edge non disponible") != std::string::npos);
    EXPECT_EQ(!npot, rapport.find("Texture_no_power_of_two non disponible") != std::string::npos);

    // VSync on: paced in software exactly when GLX offers no swap control.
    bool swap = swapControlDansExtensions(extensionsGLXCourantes());
    EXPECT_EQ(!swap, rapport.find("Extension SwapControl non disponible :(\n") != std::string::npos);
    EXPECT_EQ(!swap, cadencementActif());

    config->vSync = false;
    rapport = ouvre();
    EXPECT_EQ(std::string::npos, rapport.find("SwapControl"));
    EXPECT_FALSE(cadencementActif());

    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_DITHER));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(Affichage, PacedFramesReallyWaitOnTheClock)
{
    ouvre();
    fixeCadencement(true);
    Uint32 debut = SDL_GetTicks();
    std::vector<Uint32> intervalles;
    for (int i = 0; i < 31; ++i) {
        Uint32 avant = SDL_GetTicks();
        clearScreen();
        presenteImage();
        if (i > 0)
            intervalles.push_back(SDL_GetTicks() - avant);
    }
    Uint32 duree = SDL_GetTicks() - debut;
    EXPECT_GE(duree, 480u);
    // A loaded machine delays some frames; the typical one still takes one
    // period, not two.
    std::sort(intervalles.begin(), intervalles.end());
    EXPECT_LE(intervalles[intervalles.size() / 2], 22u);
}

TEST_F(Affichage, DrawingSpaceIsStretchedOverTheWindow)
{
    ouvre(1024, 768);
    GLint vue[4];
    glGetIntegerv(GL_VIEWPORT, vue);
    EXPECT_EQ(0, vue[0]);
    EXPECT_EQ(0, vue[1]);
    EXPECT_EQ(1024, vue[2]);
    EXPECT_EQ(768, vue[3]);

    testsupport::ecritTGA("r.tga", 10, 10, std::vector<testsupport::Pixel>(100, {255, 0, 0, 255}));
    {
        CImageGL image;
        image.chargeImageSDL("r.tga", -1, 0, 0);
        clearScreen();
        // 10x10 at (100, 50) becomes 16x16 at (160, 80), plus the 0.375
        // offset, which is 0.6 pixel once stretched: pixels 161 to 176.
        image.affiche(100, 50);
        std::vector<unsigned char> lu(1024 * 768 * 4);
        glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, lu.data());
        int rouges = 0, xmin = 1024, xmax = -1, ymin = 768, ymax = -1;
        for (int y = 0; y < 768; ++y) {
            for (int x = 0; x < 1024; ++x) {
                if (lu[((767 - y) * 1024 + x) * 4] == 255) {
                    ++rouges;
                    xmin = std::min(xmin, x);
                    xmax = std::max(xmax, x);
                    ymin = std::min(ymin, y);
                    ymax = std::max(ymax, y);
                }
            }
        }
        EXPECT_EQ(256, rouges);
        EXPECT_EQ(161, xmin);
        EXPECT_EQ(176, xmax);
        EXPECT_EQ(81, ymin);
        EXPECT_EQ(96, ymax);
    }
}

// Window pixel (x, y), origin top-left, of a window `hauteur` pixels high.
testsupport::Pixel pixelFenetre(int x, int y, int hauteur)
{
    unsigned char p[4] = {};
    glReadPixels(x, hauteur - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], 255};
}

TEST_F(Affichage, ResizeAndFullScreenKeepTexturesAndTheFourThreePicture)
{
    using testsupport::NOIR;
    using testsupport::ROUGE;
    ouvre();
    testsupport::ecritTGA("r.tga", 10, 10, std::vector<testsupport::Pixel>(100, ROUGE));
    CImageGL image;
    image.chargeImageSDL("r.tga", -1, 0, 0);
    auto dessine = [&] {
        clearScreen();
        image.affiche(0, 0);
        image.affiche(630, 470);
    };

    // Stretched: the drawable follows the window, the picture fills it.
    redimensionne(800, 500);
    ASSERT_NE(nullptr, SDL_GetVideoSurface());
    EXPECT_EQ(800, SDL_GetVideoSurface()->w);
    EXPECT_EQ(500, SDL_GetVideoSurface()->h);
    EXPECT_EQ(800, config->resolutionHorizontale);
    EXPECT_EQ(500, config->resolutionVerticale);
    dessine();
    EXPECT_EQ(ROUGE, pixelFenetre(2, 2, 500));
    EXPECT_EQ(ROUGE, pixelFenetre(797, 497, 500));

    // Kept proportions: 800 x 600 in the middle of 1000 x 600, black bars.
    config->garderProportions = true;
    redimensionne(1000, 600);
    dessine();
    EXPECT_EQ(NOIR, pixelFenetre(50, 5, 600));
    EXPECT_EQ(ROUGE, pixelFenetre(103, 3, 600));
    EXPECT_EQ(ROUGE, pixelFenetre(896, 596, 600));
    EXPECT_EQ(NOIR, pixelFenetre(950, 596, 600));
    // The capture takes the picture, not the bars.
    CImageGL3 capture;
    capture.captureEcran();
    EXPECT_EQ(800, capture.getLongueur());
    EXPECT_EQ(600, capture.getHauteur());
    EXPECT_EQ(ROUGE, testsupport::texelTampon(capture.pixels, capture.texLongueur, 3, 3));
    EXPECT_EQ(NOIR, testsupport::texelTampon(capture.pixels, capture.texLongueur, 20, 3));

    // Tall windows get bars above and below; a zero size counts as 1.
    RectangleVue v = rectangleVue(640, 960, 640, 480, true);
    EXPECT_EQ(0, v.x);
    EXPECT_EQ(240, v.y);
    EXPECT_EQ(640, v.largeur);
    EXPECT_EQ(480, v.hauteur);
    redimensionne(0, 0);
    EXPECT_EQ(1, SDL_GetVideoSurface()->w);

    // Alt+Enter: full screen without cursor, at the desktop's size since the
    // opening size (640 x 480) is no mode of this 1280 x 1024 screen, with
    // bars at 4:3; then back to the window's last size with the cursor; the
    // texture lives on.
    redimensionne(1000, 600);
    SDL_Event alt = {};
    alt.type = SDL_KEYDOWN;
    alt.key.keysym.sym = SDLK_RETURN;
    alt.key.keysym.mod = KMOD_LALT;
    EXPECT_TRUE(traiteEvenementAffichage(alt));
    ASSERT_NE(nullptr, SDL_GetVideoSurface());
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN);
    EXPECT_EQ(1280, SDL_GetVideoSurface()->w);
    EXPECT_EQ(1024, SDL_GetVideoSurface()->h);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    // The new full-screen window shows its first frame before it reads back.
    dessine();
    SDL_GL_SwapBuffers();
    dessine();
    EXPECT_EQ(NOIR, pixelFenetre(3, 3, 1024));
    EXPECT_EQ(ROUGE, pixelFenetre(3, 40, 1024));
    EXPECT_TRUE(traiteEvenementAffichage(alt));
    EXPECT_FALSE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN);
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_RESIZABLE);
    EXPECT_EQ(1000, SDL_GetVideoSurface()->w);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    dessine();
    EXPECT_EQ(ROUGE, pixelFenetre(103, 3, 600));
    alt.key.keysym.mod = KMOD_NONE;
    EXPECT_FALSE(traiteEvenementAffichage(alt)); // Enter alone is the mode's
}

}
