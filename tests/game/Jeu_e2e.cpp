// The built game, played with real key presses on an X server of its own.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace testsupport;

namespace {

// Pictures are checked as written: failing to write one fails the test.
void ecritImage(const std::string& nom, int largeur, int hauteur,
                const std::function<Couleur(int, int)>& couleur)
{
    ASSERT_TRUE(ecritImageBMP(nom, largeur, hauteur, couleur)) << nom;
}

const Couleur Ciel = {200, 200, 200};
const int HautPlan = 400; // the level's plane covers y 400 to 479

// A small world: grey sky, a moon, one plane of columns that never repeat
// within 1000 pixels at the bottom of the screen, and, when asked, a hero
// whose every animation is one red 40 x 60 frame.
void genereDonnees(bool avecHeros)
{
    ecritConfigFenetre();
    for (const char* d : {"data", "data/levels", "data/levels/level1", "data/sprites"})
        mkdir(d, 0755);
    ecritImage("data/levels/level1/fond.jpg", 640, 360, [](int, int) { return Ciel; });
    ecritImage("data/levels/level1/lune.bmp", 40, 40, [](int x, int y) {
        return (x < 4 || y < 4) ? Couleur{255, 0, 255} : Couleur{255, 255, 0};
    });
    ASSERT_TRUE(ecritNiveauBande("./data/levels", "data/levels/level1.ini", HautPlan));
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

using JeuE2E = TestSurServeurX;

TEST_F(JeuE2E, SkipIntroScrollTintAndQuit)
{
    genereDonnees(true);
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");

    // The intro has no pictures here and would last two minutes: the sky
    // showing within seconds means Escape skipped it.
    appuie("Escape");
    std::vector<Couleur> ecran;
    for (int essai = 0; essai < 50; ++essai) {
        pause(200);
        ecran = captureEcranX(640, 480);
        if (!ecran.empty() && procheCouleur(pixelEcran(ecran, 100, 100), Ciel, 2))
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
    EXPECT_TRUE(memeLigneEcran(ecran, immobile, HautPlan + 40));

    // Holding Right walks: the level scrolls under the hero.
    std::vector<Couleur> apres = tiensTouche("Right", 1500);
    ASSERT_FALSE(apres.empty());
    EXPECT_FALSE(memeLigneEcran(immobile, apres, HautPlan + 40));
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
    quitteParEchap(jeu);
    std::string sortie = lisFichier("sortie.txt");
    EXPECT_NE(sortie.find("FPS : "), std::string::npos) << sortie;
}

TEST_F(JeuE2E, RunsAndQuitsWithoutHeroDescription)
{
    genereDonnees(false);
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
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
    quitteParEchap(jeu);
    EXPECT_NE(lisFichier("sortie.txt").find("FPS : "), std::string::npos);
}

}
