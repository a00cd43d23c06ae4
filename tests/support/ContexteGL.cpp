#include "support/ContexteGL.h"

#include "support/TestSupport.h"

#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/PorteeMoteur.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace testsupport {

bool operator==(const Pixel& a, const Pixel& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

std::ostream& operator<<(std::ostream& os, const Pixel& p)
{
    return os << "(" << int(p.r) << ", " << int(p.g) << ", " << int(p.b) << ", " << int(p.a) << ")";
}

std::vector<Pixel> uni(int w, int h, Pixel couleur)
{
    return std::vector<Pixel>(static_cast<size_t>(w) * h, couleur);
}

std::vector<Pixel> zone(int x, int y, int w, int h, const std::function<Pixel(int X, int Y)>& f)
{
    std::vector<Pixel> p;
    p.reserve(static_cast<size_t>(w) * h);
    for (int Y = y; Y < y + h; ++Y)
        for (int X = x; X < x + w; ++X)
            p.push_back(f(X, Y));
    return p;
}

Pixel texelTampon(const unsigned char* pixels, int largeur, int x, int y)
{
    const unsigned char* p = pixels + (static_cast<size_t>(y) * largeur + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

bool ouvreContexteGL()
{
    static int etat = 0; // 0 not tried, 1 open, -1 failed
    if (etat != 0)
        return etat == 1;
    // Kept for the whole test program, closed at exit.
    static CPorteeMoteur portee(CPorteeMoteur::AvecAffichage, [](CEngineGL& reglage) {
        reglage.resolutionHorizontale = LARGEUR_GL;
        reglage.resolutionVerticale = HAUTEUR_GL;
        reglage.pleinEcran = false;
        reglage.bilineaire = false;
        reglage.vSync = false;
        reglage.mode16bits = false;
        reglage.hogCPU = false;
    });
    if (!portee.ouverte()) {
        etat = -1;
        return false;
    }
    atexit(SDL_Quit);
    fflush(stdout);
    etat = 1;
    return true;
}

void effaceEcran()
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4ub(255, 255, 255, 255);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<Pixel> lisEcran()
{
    std::vector<Pixel> brut(LARGEUR_GL * HAUTEUR_GL);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, LARGEUR_GL, HAUTEUR_GL, GL_RGBA, GL_UNSIGNED_BYTE, brut.data());
    std::vector<Pixel> ecran(brut.size());
    for (int y = 0; y < HAUTEUR_GL; ++y) {
        for (int x = 0; x < LARGEUR_GL; ++x) {
            Pixel p = brut[(HAUTEUR_GL - 1 - y) * LARGEUR_GL + x];
            p.a = 255;
            ecran[y * LARGEUR_GL + x] = p;
        }
    }
    return ecran;
}

Pixel lisPixel(int x, int y)
{
    Pixel p = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, HAUTEUR_GL - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
    p.a = 255;
    return p;
}

bool sauveBMP(const std::vector<Pixel>& pixels, int largeur, int hauteur, const std::string& chemin)
{
    SDL_Surface* s = SDL_CreateRGBSurface(0, largeur, hauteur, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    if (!s)
        return false;
    for (int y = 0; y < hauteur; ++y) {
        unsigned char* ligne = static_cast<unsigned char*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < largeur; ++x) {
            const Pixel& p = pixels[y * largeur + x];
            ligne[x * 3] = p.r;
            ligne[x * 3 + 1] = p.g;
            ligne[x * 3 + 2] = p.b;
        }
    }
    bool ok = SDL_SaveBMP(s, chemin.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

std::string sauveCapture(const std::string& nom)
{
    std::string dossier = std::string(CORVANTHELIS_BIN_DIR) + "/captures-gl";
    mkdir(dossier.c_str(), 0755);
    std::string chemin = dossier + "/" + nom + ".bmp";
    sauveBMP(lisEcran(), LARGEUR_GL, HAUTEUR_GL, chemin);
    return chemin;
}

namespace {
bool proche(const Pixel& a, const Pixel& b, int tolerance)
{
    return abs(a.r - b.r) <= tolerance && abs(a.g - b.g) <= tolerance && abs(a.b - b.b) <= tolerance;
}
}

::testing::AssertionResult memesPixels(int x, int y, int w, int h, const std::vector<Pixel>& attendu,
                                       const std::string& nom, int tolerance)
{
    std::vector<Pixel> ecran = lisEcran();
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            int sx = x + i, sy = y + j;
            if (sx < 0 || sy < 0 || sx >= LARGEUR_GL || sy >= HAUTEUR_GL)
                return ::testing::AssertionFailure() << "(" << sx << ", " << sy << ") is off screen";
            const Pixel& lu = ecran[sy * LARGEUR_GL + sx];
            const Pixel& voulu = attendu[j * w + i];
            if (!proche(lu, voulu, tolerance)) {
                return ::testing::AssertionFailure()
                       << "first bad pixel at (" << sx << ", " << sy << "): got " << lu << ", expected "
                       << voulu << "; screen saved as " << sauveCapture(nom);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult zoneUnie(int x, int y, int w, int h, Pixel attendu, const std::string& nom,
                                    int tolerance)
{
    return memesPixels(x, y, w, h, uni(w, h, attendu), nom, tolerance);
}

void ecritTGA(const std::string& chemin, int largeur, int hauteur, const std::vector<Pixel>& pixels,
              bool avecAlpha)
{
    unsigned char entete[18] = {0};
    entete[2] = 2; // uncompressed true colour
    entete[12] = static_cast<unsigned char>(largeur & 0xFF);
    entete[13] = static_cast<unsigned char>(largeur >> 8);
    entete[14] = static_cast<unsigned char>(hauteur & 0xFF);
    entete[15] = static_cast<unsigned char>(hauteur >> 8);
    entete[16] = avecAlpha ? 32 : 24;
    entete[17] = static_cast<unsigned char>(0x20 | (avecAlpha ? 8 : 0)); // top row first
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char*>(entete), sizeof entete);
    for (const Pixel& p : pixels) {
        f.put(static_cast<char>(p.b));
        f.put(static_cast<char>(p.g));
        f.put(static_cast<char>(p.r));
        if (avecAlpha)
            f.put(static_cast<char>(p.a));
    }
}

struct TestGL::Dossier {
    DossierTemporaire dossier;
};

void TestGL::SetUp()
{
    ASSERT_TRUE(ouvreContexteGL()) << "no OpenGL window: run under xvfb-run";
    dossier_ = new Dossier();
    effaceEcran();
}

void TestGL::TearDown()
{
    delete dossier_;
    dossier_ = nullptr;
}

}
