// The game's window resized, switched to full screen and sent SIGTERM, on an
// X server of its own.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/stat.h>

using namespace testsupport;

namespace {

const Couleur Ciel = {200, 200, 200};
const Couleur Noir = {0, 0, 0};

// Grey sky, the level's band at the bottom, no intro pictures (so the intro
// would last two minutes), the 4:3 picture kept.
void genereDonnees()
{
    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=640\nResolutionVerticale=480\n"
                               "PleinEcran=0\nBilineaire=0\nVSync=1\nMode16bits=0\nHogCPU=0\n"
                               "GarderProportions=1\n");
    for (const char* d : {"data", "data/levels", "data/levels/level1"})
        mkdir(d, 0755);
    ASSERT_TRUE(ecritImageBMP("data/levels/level1/fond.jpg", 640, 360, [](int, int) { return Ciel; }));
    ASSERT_TRUE(ecritNiveauBande("./data/levels", "data/levels/level1.ini", 400));
}

// Screen pixel (x, y) of a largeur-wide screenshot.
Couleur en(const std::vector<Couleur>& ecran, int largeur, int x, int y)
{
    return ecran.at(static_cast<size_t>(y) * largeur + x);
}

void redimensionne(const std::string& fenetre, int largeur, int hauteur)
{
    execute("xdotool windowsize " + fenetre + " " + std::to_string(largeur) + " "
            + std::to_string(hauteur) + " >/dev/null 2>&1");
}

// The settled screen once `ciel` is the sky and `noir` black: the picture
// laid out for the window's size.
struct Point {
    int x, y;
};
std::vector<Couleur> attendDisposition(int largeur, int hauteur, Point ciel, Point noir)
{
    return attendEcranStable(largeur, hauteur, [=](const std::vector<Couleur>& e) {
        return procheCouleur(en(e, largeur, ciel.x, ciel.y), Ciel, 2)
               && procheCouleur(en(e, largeur, noir.x, noir.y), Noir, 0);
    });
}

using AffichageE2E = TestSurServeurX;

TEST_F(AffichageE2E, ResizedInTheIntroAndTheGameTheFourThreePictureFillsTheMiddle)
{
    genereDonnees();
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    std::string fenetre = attendFenetreActive("Corvanthelis");
    ASSERT_NE(fenetre, "") << lisFichier("erreurs.txt");

    // Widened during the intro: the game's picture is 800 x 600 between
    // two 100-pixel bars, scaled by 1.25. The intro takes the resize before
    // the key: the game reads its events in order.
    redimensionne(fenetre, 1000, 600);
    pointeSur(fenetre);
    appuie("Escape");
    appuie("Return");
    std::vector<Couleur> large = attendDisposition(1000, 600, {225, 125}, {50, 300});
    ASSERT_FALSE(large.empty());
    EXPECT_TRUE(procheCouleur(en(large, 1000, 225, 125), Ciel, 2));  // picture (100, 100)
    EXPECT_TRUE(procheCouleur(en(large, 1000, 890, 60), Ciel, 2));   // picture (632, 48)
    EXPECT_FALSE(procheCouleur(en(large, 1000, 500, 590), Ciel, 2)); // the band
    for (int y : {5, 300, 595}) {
        EXPECT_TRUE(procheCouleur(en(large, 1000, 50, y), Noir, 0)) << y;
        EXPECT_TRUE(procheCouleur(en(large, 1000, 950, y), Noir, 0)) << y;
    }

    // Made tall during the game: 600 x 450 between bars above and below.
    redimensionne(fenetre, 600, 740);
    std::vector<Couleur> haut = attendDisposition(600, 740, {300, 220}, {300, 60});
    ASSERT_FALSE(haut.empty());
    EXPECT_TRUE(procheCouleur(en(haut, 600, 300, 60), Noir, 0));
    EXPECT_TRUE(procheCouleur(en(haut, 600, 300, 220), Ciel, 2)); // picture (400, 100)
    EXPECT_TRUE(procheCouleur(en(haut, 600, 300, 700), Noir, 0));

    // Alt+Enter twice: full screen and back, still drawing the level.
    pointeSur(fenetre);
    // The second switch waits for the first: the new mode must be on.
    appuie("alt+Return");
    attendEcran(1024, 768, [](const std::vector<Couleur>& e) {
        return procheCouleur(en(e, 1024, 1000, 100), Ciel, 2);
    });
    appuie("alt+Return");
    std::vector<Couleur> retour = attendDisposition(600, 740, {300, 220}, {300, 700});
    ASSERT_FALSE(retour.empty());
    EXPECT_TRUE(procheCouleur(en(retour, 600, 300, 220), Ciel, 2));
    EXPECT_TRUE(procheCouleur(en(retour, 600, 300, 700), Noir, 0));
    EXPECT_TRUE(jeu.enCours());

    // SIGTERM in the game ends it normally.
    jeu.signale(SIGTERM);
    int statut = -1;
    ASSERT_TRUE(jeu.attendFin(5000, &statut));
    EXPECT_EQ(statut, 0);
}

TEST_F(AffichageE2E, SigtermEndsTheIntroAndTheGameAtOnce)
{
    genereDonnees();
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
    attendQue([&] { return jeu.traiteSignal(SIGTERM); });
    auto debut = std::chrono::steady_clock::now();
    jeu.signale(SIGTERM);
    int statut = -1;
    ASSERT_TRUE(jeu.attendFin(5000, &statut)) << "still running after SIGTERM";
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    EXPECT_EQ(statut, 0);
    EXPECT_LT(s, 2.0);
    // The game never started: no frame rate was reported.
    EXPECT_EQ(lisFichier("sortie.txt").find("FPS : "), std::string::npos);
}

}
