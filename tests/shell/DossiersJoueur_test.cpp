#include "editeur/ModeleNiveau.h"
#include "foundation/DocumentProfil.h"
#include "shell/CEngineGL.h"
#include "shell/DossiersJoueur.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

// Sets (or, with null, unsets) an environment variable for one test.
class Variable {
public:
    Variable(const char* nom, const char* valeur) : nom_(nom)
    {
        const char* avant = getenv(nom);
        present_ = avant != nullptr;
        if (avant)
            avant_ = avant;
        valeur ? setenv(nom, valeur, 1) : unsetenv(nom);
    }
    ~Variable() { present_ ? setenv(nom_, avant_.c_str(), 1) : unsetenv(nom_); }
private:
    const char* nom_;
    std::string avant_;
    bool present_;
};

int mode(const std::string& chemin)
{
    struct stat infos;
    return stat(chemin.c_str(), &infos) == 0 ? static_cast<int>(infos.st_mode & 07777) : -1;
}

TEST(DossiersJoueur, ChoiceFollowsTheContentFolderAndTheXdgVariables)
{
    EXPECT_TRUE(choisitDossiersJoueur(true, "/x/conf", "/x/donnees", "/home/j").locaux);

    DossiersJoueur d = choisitDossiersJoueur(false, "/x/conf", "/x/donnees", "/home/j");
    EXPECT_FALSE(d.locaux);
    EXPECT_EQ(d.reglages, "/x/conf/corvanthelis");
    EXPECT_EQ(d.donnees, "/x/donnees/corvanthelis");

    // Unset, empty or relative variables are ignored, one by one.
    d = choisitDossiersJoueur(false, nullptr, "relatif", "/home/j");
    EXPECT_EQ(d.reglages, "/home/j/.config/corvanthelis");
    EXPECT_EQ(d.donnees, "/home/j/.local/share/corvanthelis");
    d = choisitDossiersJoueur(false, "", "/x/donnees", "/home/j");
    EXPECT_EQ(d.reglages, "/home/j/.config/corvanthelis");
    EXPECT_EQ(d.donnees, "/x/donnees/corvanthelis");

    // Nowhere else to go: the working folder, whose writes will fail.
    EXPECT_TRUE(choisitDossiersJoueur(false, nullptr, nullptr, nullptr).locaux);
    EXPECT_TRUE(choisitDossiersJoueur(false, "/x/conf", nullptr, "").locaux);
}

TEST(DossiersJoueur, WritableFolderKeepsEverythingHere)
{
    DossierTemporaire dossier;
    oublieDossiersJoueur();
    EXPECT_TRUE(contenuInscriptible("."));
    EXPECT_EQ(fichierReglages("config.ini"), "config.ini");
    EXPECT_EQ(cheminDonneesJoueur("captures"), "captures");
    EXPECT_EQ(editeur::CModeleNiveau::cheminAutosave("./data/levels/a.ini"), "./data/levels/a.ini.autosave");
    // A read-only folder; root writes anyway, so only others can see it.
    ASSERT_EQ(execute("mkdir lecture && chmod 0555 lecture"), 0);
    if (geteuid() != 0) {
        EXPECT_FALSE(contenuInscriptible("lecture"));
    }
    oublieDossiersJoueur();
}

// An installed game's content folder, which root could write: the player's
// files go to the player's folders all the same.
TEST(DossiersJoueur, InstalledContentSendsThePlayersFilesToTheirFolders)
{
    DossierTemporaire dossier;
    const std::string maison = dossier.chemin() + "/maison";
    ASSERT_EQ(execute("mkdir -p maison p/share/games/corvanthelis/data"), 0);
    ASSERT_EQ(chdir("p/share/games/corvanthelis"), 0);
    const std::string defaut = "[VIDEO]\nPleinEcran=0\nVolumeMusique=40\n";
    ecritFichier("config.ini", defaut);
    Variable home("HOME", maison.c_str());
    Variable config("XDG_CONFIG_HOME", nullptr);
    Variable donnees("XDG_DATA_HOME", "");
    oublieDossiersJoueur();

    EXPECT_FALSE(contenuInscriptible("."));
    // Reading creates nothing: the installed default is read.
    EXPECT_EQ(fichierReglagesLu("config.ini"), "config.ini");
    EXPECT_EQ(CEngineGL().volumeMusique, 40);
    EXPECT_EQ(mode(maison + "/.config"), -1);

    // The first change saves the default's text, changed, as the player's.
    CDocumentProfil document;
    ASSERT_TRUE(chargeReglages(document, "config.ini"));
    ASSERT_TRUE(document.fixe("VIDEO", "VolumeMusique", "75"));
    ASSERT_TRUE(document.sauve());
    const std::string joueur = maison + "/.config/corvanthelis/config.ini";
    EXPECT_EQ(lisFichier(joueur), "[VIDEO]\nPleinEcran=0\nVolumeMusique=75\n");
    EXPECT_EQ(lisFichier("config.ini"), defaut);
    EXPECT_EQ(mode(maison + "/.config/corvanthelis"), 0700);
    EXPECT_EQ(fichierReglagesLu("config.ini"), joueur);
    EXPECT_EQ(CEngineGL().volumeMusique, 75);
    EXPECT_EQ(fichierReglages("records.ini"), maison + "/.config/corvanthelis/records.ini");

    // Captures and autosaves of installed levels go to the data folder;
    // a level of the author's own, named by its full path, keeps its
    // autosave beside it.
    const std::string partage = maison + "/.local/share/corvanthelis";
    EXPECT_EQ(cheminDonneesJoueur("captures"), partage + "/captures");
    EXPECT_EQ(mode(partage), 0700);
    EXPECT_EQ(editeur::CModeleNiveau::cheminAutosave("./data/levels/a.ini"),
              partage + "/autosaves/data/levels/a.ini.autosave");
    EXPECT_EQ(editeur::CModeleNiveau::cheminAutosave("/ailleurs/b.ini"), "/ailleurs/b.ini.autosave");
    oublieDossiersJoueur();
}

}  // namespace
