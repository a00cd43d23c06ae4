// An installed game's level changed in the editor: saved as the author's
// copy, the installed file untouched, and the game plays the copy.
#include "editeur/ModeleNiveau.h"
#include "foundation/DossiersJoueur.h"
#include "game/FichiersJeu.h"
#include "support/DonneesJeu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

using namespace testsupport;

namespace {

class NiveauAuteurE2E : public TestSurServeurX {
protected:
    void TearDown() override
    {
        unsetenv("XDG_DATA_HOME");
        oublieDossiersJoueur();
    }
};

TEST_F(NiveauAuteurE2E, InstalledLevelSavedAsTheAuthorsCopyIsWhatTheGamePlays)
{
    // A content folder as a package installs it (root could write it).
    ASSERT_EQ(execute("mkdir -p p/share/games/corvanthelis"), 0);
    ASSERT_EQ(chdir("p/share/games/corvanthelis"), 0);
    ASSERT_TRUE(ecritMondeDeTest(true));
    ecritFichier("config.ini", lisFichier("config.ini") + "Intro=0\n");
    const std::string installe = lisFichier("data/levels/level1.ini");
    const std::string auteur = dossier.chemin() + "/xdg/corvanthelis/data/levels";
    setenv("XDG_DATA_HOME", (dossier.chemin() + "/xdg").c_str(), 1);
    oublieDossiersJoueur();

    // The author brings a red sky of their own and gives it to the level.
    ASSERT_EQ(execute("mkdir -p " + auteur), 0);
    const Couleur rouge = {220, 30, 30};
    ASSERT_TRUE(ecritImageBMP(auteur + "/rouge.bmp", 640, 360, [&](int, int) { return rouge; }));
    const std::vector<std::string> images = editeur::CModeleNiveau::imagesPossibles();
    ASSERT_NE(std::find(images.begin(), images.end(), "./data/levels/rouge.bmp"), images.end());
    editeur::CModeleNiveau modele;
    ASSERT_TRUE(modele.ouvre(fichiersJeu::Niveau));
    AspectNiveau aspect = modele.aspect();
    aspect.ciel = "./data/levels/rouge.bmp";
    ASSERT_TRUE(modele.fixeAspect(aspect));
    ASSERT_TRUE(modele.sauve());
    EXPECT_EQ(lisFichier("data/levels/level1.ini"), installe);
    EXPECT_NE(lisFichier(auteur + "/level1.ini").find("rouge.bmp"), std::string::npos);
    // The checker after a save reads what the game will: the sky is found.
    for (const std::string& ligne : modele.verifie())
        EXPECT_EQ(ligne.find("rouge"), std::string::npos) << ligne;

    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {"--niveau", fichiersJeu::Niveau});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    const std::vector<Couleur> ecran = attendEcran(640, 480, pixelVaut(100, 100, rouge, 8));
    EXPECT_TRUE(couleurEn(ecran, 100, 100, rouge, 8)) << lisFichier("erreurs.txt");
    quitteParEchap(jeu);
}

}  // namespace
