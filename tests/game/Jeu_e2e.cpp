// The built game, played with real key presses on an X server of its own.
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sys/stat.h>

using namespace testsupport;

namespace {

// Writes a 24-bit BMP whose pixel (x, y) is couleur(x, y). SDL_image reads
// pictures by their content, so the name's extension does not matter.
void ecritImage(const std::string& nom, int largeur, int hauteur,
                const std::function<Couleur(int, int)>& couleur)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, largeur, hauteur, 24, 0x0000FF, 0x00FF00,
                                          0xFF0000, 0);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < hauteur; ++y) {
        Uint8* ligne = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < largeur; ++x) {
            Couleur c = couleur(x, y);
            ligne[x * 3] = static_cast<Uint8>(c.r);
            ligne[x * 3 + 1] = static_cast<Uint8>(c.g);
            ligne[x * 3 + 2] = static_cast<Uint8>(c.b);
        }
    }
    ASSERT_EQ(SDL_SaveBMP(s, nom.c_str()), 0) << nom;
    SDL_FreeSurface(s);
}

const Couleur Ciel = {200, 200, 200};
const int HautPlan = 400; // the level's plane covers y 400 to 479

// A small world: grey sky, a moon, one plane of columns that never repeat
// within 1000 pixels at the bottom of the screen, and, when asked, a hero
// whose every animation is one red 40 x 60 frame.
void genereDonnees(bool avecHeros)
{
    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=640\nResolutionVerticale=480\n"
                               "PleinEcran=0\nBilineaire=0\nVSync=1\nMode16bits=0\nHogCPU=0\n");
    for (const char* d : {"data", "data/levels", "data/levels/level1", "data/sprites"})
        mkdir(d, 0755);
    ecritImage("data/levels/level1/fond.jpg", 640, 360, [](int, int) { return Ciel; });
    ecritImage("data/levels/level1/lune.bmp", 40, 40, [](int x, int y) {
        return (x < 4 || y < 4) ? Couleur{255, 0, 255} : Couleur{255, 255, 0};
    });
    ecritImage("data/levels/bande.bmp", 1000, 80, [](int x, int) {
        return Couleur{(x * 7) % 256, (x * 13) % 256, (x / 4) % 256};
    });
    std::string plan = "[Entete]\nnombreTiles=1\n[Tile1]\nnbPositions=17\nnbFrames=1\n"
                       "pathPlanche=./data/levels/bande.bmp\n"
                       "[Tile1Frame1]\npositionX=0\npositionY=0\nlongueur=1000\nhauteur=80\n";
    for (int k = 1; k <= 17; ++k)
        plan += "[Tile1Position" + std::to_string(k) + "]\npositionX=" + std::to_string((k - 1) * 1000)
            + "\npositionY=0\n";
    ecritFichier("data/levels/plan1.ini", plan);
    ecritFichier("data/levels/level1.ini",
                 "[Entete]\nnombrePriorites=1\nnombrePlans=1\n[Plan1]\npathPlan=./data/levels/plan1.ini\n"
                 "priorite=1\nrepeatX=0\nrepeatY=0\npositionEcranX=0\npositionEcranY="
                     + std::to_string(HautPlan) + "\nscrollRatio=100\n");
    if (!avecHeros)
        return;
    ecritImage("data/sprites/heros.bmp", 40, 60, [](int, int) { return Couleur{255, 0, 0}; });
    const char* noms[] = {"Repos", "Marche", "Saute", "Frappe", "FAccroupi", "FSaute", "Accroupi",
                          "Retourne"};
    std::string sprite = "[Entete]\nnbAnims=8\n";
    for (int n = 1; n <= 8; ++n) {
        std::string a = "Anim" + std::to_string(n);
        sprite += "[" + a + "]\nnbFrames=1\nnomAnim=" + noms[n - 1]
            + "\npathPlanche=./data/sprites/heros.bmp\n[" + a
            + "Frame1]\npositionX=0\npositionY=0\nlongueur=40\nhauteur=60\npause=100\n";
    }
    ecritFichier("data/sprites/vornaSprite.ini", sprite);
}

Couleur pixel(const std::vector<Couleur>& ecran, int x, int y)
{
    return ecran[static_cast<size_t>(y) * 640 + x];
}

bool proche(Couleur a, Couleur b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance
        && std::abs(a.b - b.b) <= tolerance;
}

bool memeLigne(const std::vector<Couleur>& a, const std::vector<Couleur>& b, int y)
{
    for (int x = 0; x < 640; ++x)
        if (!proche(pixel(a, x, y), pixel(b, x, y), 0))
            return false;
    return true;
}

::testing::AssertionResult couleurEn(const std::vector<Couleur>& ecran, int x, int y, Couleur attendue,
                                     int tolerance)
{
    if (ecran.empty())
        return ::testing::AssertionFailure() << "no screenshot";
    Couleur c = pixel(ecran, x, y);
    if (proche(c, attendue, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << c.r << ", " << c.g
                                         << ", " << c.b << ", expected " << attendue.r << ", "
                                         << attendue.g << ", " << attendue.b;
}

class JeuE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
        ASSERT_TRUE(serveur.pret()) << "Xvfb did not start";
    }

    ServeurXPrive serveur;
    DossierTemporaire dossier;
};

TEST_F(JeuE2E, SkipIntroScrollTintAndQuit)
{
    genereDonnees(true);
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    std::string fenetre = attendFenetre("Corvanthelis", 20000);
    ASSERT_NE(fenetre, "") << lisFichier("erreurs.txt");
    pointeSur(fenetre);

    // The intro has no pictures here and would last two minutes: the sky
    // showing within seconds means Escape skipped it.
    appuie("Escape");
    std::vector<Couleur> ecran;
    for (int essai = 0; essai < 50; ++essai) {
        pause(200);
        ecran = captureEcranX(640, 480);
        if (!ecran.empty() && proche(pixel(ecran, 100, 100), Ciel, 2))
            break;
    }
    ASSERT_TRUE(couleurEn(ecran, 100, 100, Ciel, 2));
    EXPECT_TRUE(jeu.enCours());

    // The hero stands on top of the level, the moon's key colour is gone.
    EXPECT_TRUE(couleurEn(ecran, 320, 320, {255, 0, 0}, 2));
    EXPECT_TRUE(couleurEn(ecran, 520, 90, {255, 255, 0}, 2));
    EXPECT_TRUE(couleurEn(ecran, 501, 71, Ciel, 2));

    // Standing still: the level does not move.
    pause(400);
    std::vector<Couleur> immobile = captureEcranX(640, 480);
    ASSERT_FALSE(immobile.empty());
    EXPECT_TRUE(memeLigne(ecran, immobile, HautPlan + 40));

    // Holding Right walks: the level scrolls under the hero.
    enfonce("Right");
    pause(1500);
    relache("Right");
    pause(300);
    std::vector<Couleur> apres = captureEcranX(640, 480);
    ASSERT_FALSE(apres.empty());
    EXPECT_FALSE(memeLigne(immobile, apres, HautPlan + 40));
    EXPECT_TRUE(couleurEn(apres, 320, 320, {255, 0, 0}, 2)); // still at x 300

    // 8 tints the sky (20, 200, 150), 1 restores it.
    appuie("8");
    pause(400);
    std::vector<Couleur> teinte = captureEcranX(640, 480);
    EXPECT_TRUE(couleurEn(teinte, 100, 100, {200 * 20 / 255, 200 * 200 / 255, 200 * 150 / 255}, 3));
    appuie("1");
    pause(400);
    EXPECT_TRUE(couleurEn(captureEcranX(640, 480), 100, 100, Ciel, 2));

    pause(800); // at least one frame-rate report
    appuie("Escape");
    int statut = -1;
    ASSERT_TRUE(jeu.attendFin(15000, &statut));
    EXPECT_EQ(statut, 0);
    std::string sortie = lisFichier("sortie.txt");
    EXPECT_NE(sortie.find("FPS : "), std::string::npos) << sortie;
}

TEST_F(JeuE2E, RunsAndQuitsWithoutHeroDescription)
{
    genereDonnees(false);
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    std::string fenetre = attendFenetre("Corvanthelis", 20000);
    ASSERT_NE(fenetre, "");
    pointeSur(fenetre);
    appuie("Escape");
    pause(1500);
    // Walk, turn, jump and strike with nothing to draw.
    for (const char* t : {"Right", "Left", "Up", "space", "Down"}) {
        enfonce(t);
        pause(300);
        relache(t);
    }
    std::vector<Couleur> ecran = captureEcranX(640, 480);
    EXPECT_TRUE(couleurEn(ecran, 320, 320, Ciel, 2)); // no hero drawn
    EXPECT_TRUE(jeu.enCours());
    pause(500);
    appuie("Escape");
    int statut = -1;
    ASSERT_TRUE(jeu.attendFin(15000, &statut));
    EXPECT_EQ(statut, 0);
    EXPECT_NE(lisFichier("sortie.txt").find("FPS : "), std::string::npos);
}

}
