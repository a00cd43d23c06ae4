// The programs of the secondary modes, driven on an X server of their own.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

using namespace testsupport;

namespace {

class OutilsE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
        ASSERT_TRUE(serveur.pret()) << "Xvfb did not start";
        ecritConfigFenetre();
    }

    // Presses Escape and expects the program to end with status 0.
    void quitteParEchap(ProgrammeLance& programme)
    {
        appuie("Escape");
        int statut = -1;
        ASSERT_TRUE(programme.attendFin(15000, &statut)) << "still running after Escape";
        EXPECT_EQ(statut, 0);
    }

    ServeurXPrive serveur;
    DossierTemporaire dossier;
};

TEST_F(OutilsE2E, LevelViewerScrollsBothWaysAndReportsFrameRate)
{
    mkdir("dataqv", 0755);
    mkdir("dataqv/levels", 0755);
    ASSERT_TRUE(ecritNiveauBande("./dataqv/levels", "dataqv/levels/level1.ini", 300));
    ProgrammeLance vue(cheminBinaire("levelviewer"), {});
    std::string fenetre = attendFenetre("Corvanthelis", 20000);
    ASSERT_NE(fenetre, "") << lisFichier("erreurs.txt");
    pointeSur(fenetre);
    pause(1000);
    std::vector<Couleur> debut = captureEcranX(640, 480);
    ASSERT_FALSE(debut.empty());
    EXPECT_FALSE(couleurEn(debut, 10, 340, {0, 0, 0}, 0)); // the band is drawn

    enfonce("Right");
    pause(1200);
    relache("Right");
    pause(200);
    std::vector<Couleur> droite = captureEcranX(640, 480);
    EXPECT_FALSE(memeLigneEcran(debut, droite, 340));

    // Back to the left end: the position stops at 1, so the first view
    // comes back (it was drawn at 1 too).
    enfonce("Left");
    pause(3500);
    relache("Left");
    pause(200);
    std::vector<Couleur> gauche = captureEcranX(640, 480);
    EXPECT_TRUE(memeLigneEcran(debut, gauche, 340));

    quitteParEchap(vue);
    EXPECT_NE(lisFichier("sortie.txt").find("FPS : "), std::string::npos);
}

TEST_F(OutilsE2E, EditorShowsAnEmptyScreenAndIgnoresF1)
{
    ProgrammeLance editeur(cheminBinaire("editor"), {});
    std::string fenetre = attendFenetre("Corvanthelis", 20000);
    ASSERT_NE(fenetre, "");
    pointeSur(fenetre);
    for (int i = 0; i < 3; ++i)
        appuie("F1");
    pause(300);
    std::vector<Couleur> ecran = captureEcranX(640, 480);
    EXPECT_TRUE(couleurEn(ecran, 320, 240, {0, 0, 0}, 0));
    EXPECT_TRUE(editeur.enCours());
    quitteParEchap(editeur);
}

TEST_F(OutilsE2E, GameOverPlayerShowsEachFrameInTurn)
{
    ASSERT_TRUE(ecritImageBMP("img_1.bmp", 640, 480, [](int, int) { return Couleur{255, 0, 0}; }));
    ASSERT_TRUE(ecritImageBMP("img_2.bmp", 640, 480, [](int, int) { return Couleur{0, 0, 255}; }));
    ProgrammeLance lecteur(cheminBinaire("gameover"), {"3", "2000", "./img_", ".bmp"});
    std::string fenetre = attendFenetre("Corvanthelis", 20000);
    ASSERT_NE(fenetre, "");
    pointeSur(fenetre);
    std::vector<Couleur> ecran;
    for (int essai = 0; essai < 40; ++essai) {
        ecran = captureEcranX(640, 480);
        if (!ecran.empty() && procheCouleur(pixelEcran(ecran, 100, 100), {0, 0, 255}, 0))
            break;
        pause(100);
    }
    EXPECT_TRUE(couleurEn(ecran, 100, 100, {0, 0, 255}, 0)); // frame 2 came after frame 1
    // Escape stops it at the next frame; frame 3 does not exist.
    quitteParEchap(lecteur);
    EXPECT_EQ(lisFichier("erreurs.txt").find("img_3"), std::string::npos);

    ProgrammeLance sansArguments(cheminBinaire("gameover"), {"1", "2"});
    int statut = -1;
    ASSERT_TRUE(sansArguments.attendFin(5000, &statut));
    EXPECT_EQ(statut, 2);
    EXPECT_NE(lisFichier("erreurs.txt").find("Usage : gameover"), std::string::npos);
}

TEST_F(OutilsE2E, SpriteViewerWithoutNameOpensAndQuits)
{
    ProgrammeLance vue(cheminBinaire("viewer"), {});
    // Its window has no caption: wait for the 800 x 600 window by class.
    std::string fenetre;
    for (int essai = 0; essai < 100 && fenetre.empty(); ++essai) {
        execute("xdotool search --class viewer 2>/dev/null | tail -n 1", &fenetre);
        while (!fenetre.empty() && fenetre.back() == '\n')
            fenetre.pop_back();
        if (fenetre.empty())
            pause(100);
    }
    ASSERT_NE(fenetre, "");
    pointeSur(fenetre);
    pause(300);
    EXPECT_TRUE(vue.enCours());
    quitteParEchap(vue);
    EXPECT_NE(lisFichier("erreurs.txt").find("viewinfos.vwe"), std::string::npos);
}

TEST_F(OutilsE2E, PictureTestsUseBackslashNamesInTheWorkingFolder)
{
    ASSERT_TRUE(ecritImageBMP("c:\\data\\vorna\\TEST.JPG", 64, 64,
                              [](int, int) { return Couleur{0, 255, 0}; }));
    ProgrammeLance zoom(cheminBinaire("imagetests"), {"zoom"});
    std::string fenetre = attendFenetre("Corvanthelis", 20000);
    ASSERT_NE(fenetre, "");
    pointeSur(fenetre);
    pause(500);
    EXPECT_TRUE(zoom.enCours());
    quitteParEchap(zoom);
    // The picture was found: no load failure reported.
    EXPECT_EQ(lisFichier("erreurs.txt").find("TEST.JPG"), std::string::npos) << lisFichier("erreurs.txt");

    ProgrammeLance inconnu(cheminBinaire("imagetests"), {"autre"});
    int statut = -1;
    ASSERT_TRUE(inconnu.attendFin(5000, &statut));
    EXPECT_EQ(statut, 2);
}

}
