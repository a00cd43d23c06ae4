#ifndef CORVANTHELIS_TESTS_CONTEXTEGL_H
#define CORVANTHELIS_TESTS_CONTEXTEGL_H

// A real OpenGL context for pixel tests, and helpers to read pixels back.
//
// ouvreContexteGL() opens, once per test program, a 640x480 32-bit window
// through initSDL/initGL with a windowed configuration whose filtering is
// nearest (so drawn pixels are exact), VSync off (no pacing) and no 16-bit
// mode. The window maps one logical unit to one pixel. It needs X (run the
// tests under `xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"`). The
// configuration stays in the global `config`; a test may change its fields
// and should put them back. Pictures follow the render settings initGL
// handed over (render/ReglagesRendu.h): change those with fixeReglagesRendu.
//
// Typical use:
//
//   using namespace testsupport;
//   class MonTest : public TestGL {};
//   TEST_F(MonTest, Dessin) {
//       CImageGL image;                       // destroyed before the context
//       ecritTGA("a.tga", 4, 4, uni(4, 4, ROUGE));
//       image.chargeImageSDL("a.tga", -1, 0, 0);
//       image.affiche(10, 20);
//       EXPECT_TRUE(zoneUnie(10, 20, 4, 4, ROUGE, "dessin"));
//   }
//
// Pixels are read from the frame being drawn (the back buffer), so no swap
// is needed. On a mismatch zoneUnie/memesPixels name the first bad pixel and
// save the screen as <build>/captures-gl/<name>.bmp.

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace testsupport {

struct Pixel {
    unsigned char r, g, b, a;
};
bool operator==(const Pixel& a, const Pixel& b);
std::ostream& operator<<(std::ostream& os, const Pixel& p);

const int LARGEUR_GL = 640;
const int HAUTEUR_GL = 480;

// Colours the pixel tests draw and expect. Screen reads are opaque, so VIDE
// (transparent black) only appears in pixel buffers.
const Pixel NOIR = {0, 0, 0, 255};
const Pixel BLANC = {255, 255, 255, 255};
const Pixel ROUGE = {255, 0, 0, 255};
const Pixel VERT = {0, 255, 0, 255};
const Pixel BLEU = {0, 0, 255, 255};
const Pixel MAGENTA = {255, 0, 255, 255};
const Pixel VIDE = {0, 0, 0, 0};

// A w x h picture of one colour, top row first.
std::vector<Pixel> uni(int w, int h, Pixel couleur);
// The pixels f(X, Y) for X from x to x + w - 1 and Y from y to y + h - 1,
// top row first: an expected screen area, or a picture to write.
std::vector<Pixel> zone(int x, int y, int w, int h, const std::function<Pixel(int X, int Y)>& f);
// Pixel (x, y) of an RGBA buffer whose rows are `largeur` pixels long.
Pixel texelTampon(const unsigned char* pixels, int largeur, int x, int y);

// Opens the window and context the first time; true when they exist.
bool ouvreContexteGL();

// Clears to black and resets the matrices and state that drawings change.
void effaceEcran();

// Screen pixel (x, y), origin at the top-left like the drawing space.
// Colour only: alpha is forced to 255.
Pixel lisPixel(int x, int y);
// The whole window, top row first, LARGEUR_GL * HAUTEUR_GL pixels.
std::vector<Pixel> lisEcran();

// Saves top-row-first pixels as a 24-bit BMP; false on failure.
bool sauveBMP(const std::vector<Pixel>& pixels, int largeur, int hauteur, const std::string& chemin);
// Saves the whole window under <build>/captures-gl/<nom>.bmp; returns the path.
std::string sauveCapture(const std::string& nom);

// Every pixel of the rectangle (x, y, w, h) equals `attendu` within
// `tolerance` per channel (alpha ignored).
::testing::AssertionResult zoneUnie(int x, int y, int w, int h, Pixel attendu, const std::string& nom,
                                    int tolerance = 0);
// Screen rectangle (x, y, w, h) equals `attendu` (w * h pixels, top row first)
// within `tolerance` (alpha ignored).
::testing::AssertionResult memesPixels(int x, int y, int w, int h, const std::vector<Pixel>& attendu,
                                       const std::string& nom, int tolerance = 0);

// Writes an uncompressed TGA picture (top row first). With alpha, 32 bits per
// pixel; without, 24 bits and the alpha bytes are ignored.
void ecritTGA(const std::string& chemin, int largeur, int hauteur, const std::vector<Pixel>& pixels,
              bool avecAlpha = true);

// Fixture: opens the context (fails the test without one), clears the screen
// and gives each test a scratch working folder.
class TestGL : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
private:
    struct Dossier;
    Dossier* dossier_ = nullptr;
};

}

#endif
