// Started from a folder without data/, the programs run in their own folder.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace testsupport;

namespace {

class DossierDepartE2E : public TestSurServeurX {
protected:
    void SetUp() override
    {
        TestSurServeurX::SetUp();
        rmdir("data");
    }
};

TEST_F(DossierDepartE2E, ProgramMovesToItsOwnFolderWhenTheCurrentOneHasNoData)
{
    // The level viewer's landscape lies next to the built programs only.
    ProgrammeLance vue(cheminBinaire("levelviewer"), {});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    bool dessine = false;
    attendEcran(
        640, 480,
        [&](const std::vector<Couleur>& e) {
            for (const Couleur& c : e)
                dessine = dessine || c.r || c.g || c.b;
            return dessine;
        },
        20000);
    EXPECT_TRUE(dessine);
    quitteParEchap(vue);
    EXPECT_EQ(lisFichier("erreurs.txt").find("data"), std::string::npos) << lisFichier("erreurs.txt");
}

TEST_F(DossierDepartE2E, WithoutDataAnywhereItSaysWhereItLookedAndGoesOn)
{
    ASSERT_EQ(execute("mkdir bin && cp '" + cheminBinaire("corvanthelis") + "' bin/"), 0);
    std::string sortie;
    // No display here: the game goes on as usual, up to its display failure.
    EXPECT_EQ(execute("SDL_VIDEODRIVER=dummy bin/corvanthelis 2>&1 >/dev/null", &sortie), 1);
    EXPECT_NE(sortie.find("Dossier data introuvable dans " + dossier.chemin() + ", dans le dossier du programme (" +
                          dossier.chemin() + "/bin) ni dans celui du jeu installé (" + dossier.chemin() +
                          "/bin/../share/games/corvanthelis)"),
              std::string::npos)
        << sortie;
    EXPECT_NE(sortie.find("Impossible d'ouvrir l'écran!"), std::string::npos) << sortie;

    // Installed under a prefix, the game finds its content beside its folder.
    ASSERT_EQ(execute("mkdir -p p/games p/share/games/corvanthelis/data && cp bin/corvanthelis p/games/"), 0);
    sortie.clear();
    EXPECT_EQ(execute("SDL_VIDEODRIVER=dummy p/games/corvanthelis 2>&1 >/dev/null", &sortie), 1);
    EXPECT_EQ(sortie.find("introuvable"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("Impossible d'ouvrir l'écran!"), std::string::npos) << sortie;
}

TEST_F(DossierDepartE2E, AnEmptyDataFolderKeepsTheGameHereAndItSaysWhereTheGameIs)
{
    ASSERT_EQ(execute("mkdir -p bin/data/levels data && cp '" + cheminBinaire("corvanthelis") +
                      "' bin/ && touch bin/data/levels/level1.ini"),
              0);
    std::string sortie;
    EXPECT_EQ(execute("SDL_VIDEODRIVER=dummy bin/corvanthelis 2>&1 >/dev/null", &sortie), 1);
    EXPECT_NE(sortie.find("Le dossier data de " + dossier.chemin() + " n'a pas les fichiers du jeu, ceux du dossier "
                          "du programme (" + dossier.chemin() + "/bin) ne sont pas utilisés"),
              std::string::npos)
        << sortie;
    // The game's own files there: nothing to say.
    ASSERT_EQ(execute("mkdir -p data/levels && touch data/levels/level1.ini"), 0);
    sortie.clear();
    EXPECT_EQ(execute("SDL_VIDEODRIVER=dummy bin/corvanthelis 2>&1 >/dev/null", &sortie), 1);
    EXPECT_EQ(sortie.find("fichiers du jeu"), std::string::npos) << sortie;
}

}  // namespace
