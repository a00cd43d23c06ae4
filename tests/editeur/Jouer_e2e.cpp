// F5 in the editor: the game on the level as edited, at the editor's
// position, and back to the editor with Escape.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const int LigneBande = 240;  // the band plane, at screen y 200 .. 279

int fenetresJeu()
{
    std::string sortie;
    execute("xdotool search --name '^Corvanthelis$' 2>/dev/null | wc -l", &sortie);
    return atoi(sortie.c_str());
}

using JouerE2E = TestSurServeurX;

TEST_F(JouerE2E, F5ShowsTheLevelAtTheEditedPositionAndEscapeComesBack)
{
    ASSERT_TRUE(ecritMondeDeTest(true));
    ASSERT_TRUE(ecritNiveauBande("./data/levels", "data/levels/level1.ini", 200));
    ProgrammeLance editeur(cheminBinaire("editor"), {});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    for (int essai = 0; essai < 100 && lisFichier("sortie.txt").find("FPS : ") == std::string::npos; ++essai)
        pause(200);
    const std::vector<Couleur> depart = captureEcranX(640, 480);
    const std::vector<Couleur> edite = tiensTouche("Right", 800);
    ASSERT_FALSE(edite.empty());
    ASSERT_FALSE(memeLigneEcran(depart, edite, LigneBande)) << "the editor did not scroll";

    appuie("F5");
    for (int essai = 0; essai < 100 && fenetresJeu() < 2; ++essai)
        pause(100);
    ASSERT_EQ(fenetresJeu(), 2) << lisFichier("erreurs.txt");
    // No intro: the level within a few seconds, at the editor's position.
    std::vector<Couleur> jeu;
    for (int essai = 0; essai < 30; ++essai) {
        pause(200);
        jeu = captureEcranX(640, 480);
        if (memeLigneEcran(edite, jeu, LigneBande))
            break;
    }
    EXPECT_TRUE(memeLigneEcran(edite, jeu, LigneBande));
    EXPECT_TRUE(couleurEn(jeu, 100, 100, CielMonde, 2));

    appuie("Escape");
    for (int essai = 0; essai < 100 && fenetresJeu() > 1; ++essai)
        pause(100);
    EXPECT_EQ(fenetresJeu(), 1);
    EXPECT_TRUE(editeur.enCours());
    pause(300);
    EXPECT_TRUE(memeLigneEcran(edite, captureEcranX(640, 480), LigneBande)); // where the work was left
    quitteParEchap(editeur);
}

}
