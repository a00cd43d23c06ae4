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
    attendLigne("sortie.txt", "FPS : ", 20000);
    const std::vector<Couleur> depart = captureEcranX(640, 480);
    // Scrolled, then settled once Right is up: the position to play from.
    tiensToucheJusqua(
        "Right", [&](const std::vector<Couleur>& e) { return !memeLigneEcran(depart, e, LigneBande); });
    const std::vector<Couleur> edite = attendEcranStable(640, 480);
    ASSERT_FALSE(edite.empty());
    ASSERT_FALSE(memeLigneEcran(depart, edite, LigneBande)) << "the editor did not scroll";

    appuie("F5");
    attendQue([] { return fenetresJeu() >= 2; }, DelaiAttente, 100);
    ASSERT_EQ(fenetresJeu(), 2) << lisFichier("erreurs.txt");
    // No intro: the level within a few seconds, at the editor's position.
    auto commeEdite
        = [&](const std::vector<Couleur>& e) { return memeLigneEcran(edite, e, LigneBande); };
    std::vector<Couleur> jeu = attendEcran(640, 480, commeEdite);
    EXPECT_TRUE(memeLigneEcran(edite, jeu, LigneBande));
    EXPECT_TRUE(couleurEn(jeu, 100, 100, CielMonde, 2));

    appuie("Escape");
    attendQue([] { return fenetresJeu() <= 1; }, DelaiAttente, 100);
    EXPECT_EQ(fenetresJeu(), 1);
    EXPECT_TRUE(editeur.enCours());
    EXPECT_TRUE(
        memeLigneEcran(edite, attendEcran(640, 480, commeEdite), LigneBande)); // where the work was left
    quitteParEchap(editeur);
}

}
