// The programs of the secondary modes, driven on an X server of their own.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testsupport;

namespace {

class OutilsE2E : public TestSurServeurX {
protected:
    void SetUp() override
    {
        TestSurServeurX::SetUp();
        ecritConfigFenetre();
    }
};

TEST_F(OutilsE2E, LevelViewerScrollsBothWaysAndReportsFrameRate)
{
    mkdir("dataqv", 0755);
    mkdir("dataqv/levels", 0755);
    ASSERT_TRUE(ecritNiveauBande("./dataqv/levels", "dataqv/levels/level1.ini", 300));
    ProgrammeLance vue(cheminBinaire("levelviewer"), {});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    std::vector<Couleur> debut = attendEcranStable(640, 480, [](const std::vector<Couleur>& e) {
        return !couleurEn(e, 10, 340, {0, 0, 0}, 0);
    });
    ASSERT_FALSE(debut.empty());
    EXPECT_FALSE(couleurEn(debut, 10, 340, {0, 0, 0}, 0)); // the band is drawn

    std::vector<Couleur> droite = tiensToucheJusqua(
        "Right", [&](const std::vector<Couleur>& e) { return !memeLigneEcran(debut, e, 340); });
    EXPECT_FALSE(memeLigneEcran(debut, droite, 340));

    // Back to the left end: the position stops at 1, so the first view
    // comes back (it was drawn at 1 too). Left is held until the view is
    // there or past it (the band's first column is black).
    auto commeDebut = [&](const std::vector<Couleur>& e) { return memeLigneEcran(debut, e, 340); };
    tiensToucheJusqua("Left", [&](const std::vector<Couleur>& e) {
        return commeDebut(e) || couleurEn(e, 0, 340, {0, 0, 0}, 0);
    });
    std::vector<Couleur> gauche = attendEcranStable(640, 480, commeDebut);
    EXPECT_TRUE(memeLigneEcran(debut, gauche, 340));

    // The rate comes about once a second, however fast the rest went.
    attendLigne("sortie.txt", "FPS : ");
    quitteParEchap(vue);
    EXPECT_NE(lisFichier("sortie.txt").find("FPS : "), std::string::npos);
}

TEST_F(OutilsE2E, EditorWithoutTheGamesLevelOffersToCreateItAndEscapeCreatesNothing)
{
    // The folder has a data/ of its own without the level.
    ProgrammeLance editeur(cheminBinaire("editor"), {});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
    for (int i = 0; i < 3; ++i)
        appuie("F1");  // the question waits for its own keys
    const Couleur Boite = {19, 19, 47};
    std::vector<Couleur> ecran = attendEcran(640, 480, pixelVaut(40, 240, Boite, 8));
    EXPECT_TRUE(couleurEn(ecran, 40, 240, Boite, 8)); // the question's box
    appuie("Escape");
    attendEcran(640, 480,
                [&](const std::vector<Couleur>& e) { return !couleurEn(e, 40, 240, Boite, 8); });
    pause(200); // and the editor still runs a while later: the time is what this checks
    EXPECT_TRUE(editeur.enCours());
    quitteParEchap(editeur);
    EXPECT_NE(lisFichier("erreurs.txt").find("Fichier introuvable : ./data/levels/level1.ini"), std::string::npos);
    EXPECT_FALSE(fichierExiste("data/levels/level1.ini"));
}

TEST_F(OutilsE2E, GameOverPlayerShowsEachFrameInTurn)
{
    ASSERT_TRUE(ecritImageBMP("img_1.bmp", 640, 480, [](int, int) { return Couleur{255, 0, 0}; }));
    ASSERT_TRUE(ecritImageBMP("img_2.bmp", 640, 480, [](int, int) { return Couleur{0, 0, 255}; }));
    ProgrammeLance lecteur(cheminBinaire("gameover"), {"3", "2000", "./img_", ".bmp"});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
    std::vector<Couleur> ecran = attendEcran(640, 480, pixelVaut(100, 100, {0, 0, 255}, 0));
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
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
    attendLigne("erreurs.txt", "viewinfos.vwe"); // read before its first frame
    EXPECT_TRUE(vue.enCours());
    quitteParEchap(vue);
    EXPECT_NE(lisFichier("erreurs.txt").find("viewinfos.vwe"), std::string::npos);
}

// A converted sprite `fichier` with one animation "Marche": a 40 x 60 red
// frame.
void ecritSpriteConverti(const std::string& fichier)
{
    ASSERT_TRUE(ecritImageBMP("planche.bmp", 40, 60, [](int, int) { return Couleur{255, 0, 0}; }));
    ecritFichier("sprite.ini", "[Entete]\nnbAnims=1\n[Anim1]\nnbFrames=1\nnomAnim=Marche\n"
                               "pathPlanche=planche.bmp\n[Anim1Frame1]\nlongueur=40\nhauteur=60\n");
    ASSERT_EQ(execute(cheminBinaire("spritedata") + " sprite.ini sprite.dat && bash -c 'exec -a convert \"$0\" " +
                      "sprite.dat \"$1\"' " + cheminBinaire("corvanthelis") + " '" + fichier + "'"),
              0);
}

// A screenshot once pixel (x, y) is red.
std::vector<Couleur> captureQuandRouge(int largeur, int hauteur, int x, int y)
{
    return attendEcran(largeur, hauteur, [=](const std::vector<Couleur>& e) {
        return procheCouleur(e[y * largeur + x], {255, 0, 0}, 0);
    });
}

TEST_F(OutilsE2E, ConvertedSpritesShowInTheViewerAndTheSpriteTest)
{
    ecritSpriteConverti("heros.spr");
    ecritFichier("viewinfos.vwe", std::string("Marche") + std::string(14, '\0'));
    {
        // The 640 x 480 drawing space over the 800 x 600 window: the frame
        // at the origin covers 50 x 75 pixels.
        ProgrammeLance vue(cheminBinaire("viewer"), {"heros.spr"});
        ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
        std::vector<Couleur> ecran = captureQuandRouge(800, 600, 45, 70);
        ASSERT_EQ(ecran.size(), 800u * 600u);
        EXPECT_TRUE(procheCouleur(ecran[70 * 800 + 45], {255, 0, 0}, 0));
        EXPECT_TRUE(procheCouleur(ecran[80 * 800 + 55], {0, 0, 0}, 0));
        quitteParEchap(vue);
    }
    execute("cp heros.spr 'c:\\ficresult.tst'");
    ProgrammeLance test(cheminBinaire("imagetests"), {"sprite"});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
    std::vector<Couleur> ecran = captureQuandRouge(640, 480, 420, 430);
    EXPECT_TRUE(couleurEn(ecran, 420, 430, {255, 0, 0}, 0));
    EXPECT_TRUE(couleurEn(ecran, 390, 430, {0, 0, 0}, 0));
    quitteParEchap(test);
    EXPECT_EQ(lisFichier("erreurs.txt"), "");
}

TEST_F(OutilsE2E, PictureTestsUseBackslashNamesInTheWorkingFolder)
{
    ASSERT_TRUE(ecritImageBMP("c:\\data\\vorna\\TEST.JPG", 64, 64,
                              [](int, int) { return Couleur{0, 255, 0}; }));
    ProgrammeLance zoom(cheminBinaire("imagetests"), {"zoom"});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "");
    // The picture shows, growing from nothing.
    attendEcran(640, 480, [](const std::vector<Couleur>& e) {
        for (const Couleur& c : e)
            if (procheCouleur(c, {0, 255, 0}, 40))
                return true;
        return false;
    });
    EXPECT_TRUE(zoom.enCours());
    quitteParEchap(zoom);
    // The picture was found: no load failure reported.
    EXPECT_EQ(lisFichier("erreurs.txt").find("TEST.JPG"), std::string::npos) << lisFichier("erreurs.txt");

    ProgrammeLance inconnu(cheminBinaire("imagetests"), {"autre"});
    int statut = -1;
    ASSERT_TRUE(inconnu.attendFin(5000, &statut));
    EXPECT_EQ(statut, 2);
}

TEST_F(OutilsE2E, WithoutADisplayEveryProgramSaysSoAndEndsWithStatusOne)
{
    ecritFichier("viewinfos.vwe", std::string("Marche") + std::string(14, '\0'));
    for (const std::vector<std::string>& commande :
         std::vector<std::vector<std::string>>{{"corvanthelis"}, {"levelviewer"}, {"editor"},
                                               {"gameover"}, {"imagetests", "zoom"}, {"viewer"}}) {
        // The dummy video driver offers no OpenGL, so no window can be
        // opened; with an X display that does not exist, video does not
        // even start.
        for (const char* sansEcran : {"SDL_VIDEODRIVER=dummy", "SDL_VIDEODRIVER=x11 DISPLAY=:9999"}) {
            SCOPED_TRACE(commande[0] + " " + sansEcran);
            std::string ligne = "'" + cheminBinaire(commande[0]) + "'";
            for (size_t i = 1; i < commande.size(); ++i)
                ligne += " " + commande[i];
            std::string sortie;
            EXPECT_EQ(execute(std::string(sansEcran) + " timeout 20 " + ligne + " 2>&1", &sortie), 1) << sortie;
            EXPECT_NE(sortie.find("Impossible d'ouvrir l'écran!"), std::string::npos) << sortie;
        }
    }
}

}
