#include "editeur/ModeleNiveau.h"
#include "foundation/DocumentProfil.h"
#include "foundation/DossiersJoueur.h"
#include "foundation/FichierOrdinaire.h"
#include "game/Parcours.h"
#include "game/Records.h"
#include "game/SchemaParcours.h"
#include "shell/CEngineGL.h"
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
    EXPECT_EQ(cheminContenuEcrit("./data/levels/a.ini"), "./data/levels/a.ini");
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

// An installed game's content read through the author's folder: the
// author's copy first, then the installed file; the editor writes only
// there, and the title lists the author's own levels.
TEST(DossiersJoueur, AuthorsCopyIsReadFirstAndWrittenToTheDataFolder)
{
    EXPECT_EQ(cheminContenuEcrit("./data/levels/a.ini", ""), "./data/levels/a.ini");
    EXPECT_EQ(cheminContenuEcrit("./data//levels/./a.ini", "/d"), "/d/data/levels/a.ini");
    for (const char* autre : {"/x/data/a.ini", "config.ini", "data/../config.ini", "../data/a.ini", "data"})
        EXPECT_EQ(cheminContenuEcrit(autre, "/d"), autre);

    DossierTemporaire dossier;
    const std::string maison = dossier.chemin() + "/maison";
    const std::string auteur = dossier.chemin() + "/xdg/corvanthelis";
    ASSERT_EQ(execute("mkdir -p maison p/share/games/corvanthelis/data/levels/level1 "
                      "p/share/games/corvanthelis/data/acteurs"),
              0);
    ASSERT_EQ(chdir("p/share/games/corvanthelis"), 0);
    const std::string niveau = "[Entete]\nnombrePriorites=1\nnombrePlans=1\nnombreActeurs=0\n\n[Plan1]\n"
                               "pathPlan=./data/levels/level1/sol.ini\npriorite=1\nscrollRatio=100\n";
    ecritFichier("data/levels/level1.ini", niveau);
    ecritFichier("data/levels/level1/sol.ini", "[Entete]\nnombreTiles=0\n");
    ecritFichier("data/acteurs/loup.ini", "[Comportement]\n");
    Variable home("HOME", maison.c_str());
    Variable donnees("XDG_DATA_HOME", (dossier.chemin() + "/xdg").c_str());
    oublieDossiersJoueur();

    // Opened from the installed file, unchanged, nothing made yet.
    editeur::CModeleNiveau modele;
    ASSERT_TRUE(modele.ouvre(fichiersJeu::Niveau));
    EXPECT_FALSE(modele.modifie());
    EXPECT_EQ(cheminContenuLu(fichiersJeu::Niveau), fichiersJeu::Niveau);
    EXPECT_EQ(mode(dossier.chemin() + "/xdg"), -1);

    // Saved as the author's copy, the plane left alone stays installed.
    ASSERT_TRUE(modele.placeActeur("loup", 100, 200));
    ASSERT_TRUE(modele.sauve());
    EXPECT_EQ(lisFichier("data/levels/level1.ini"), niveau);
    const std::string copie = auteur + "/data/levels/level1.ini";
    EXPECT_NE(lisFichier(copie).find("type=loup"), std::string::npos);
    EXPECT_EQ(mode(auteur + "/data/levels"), 0700);
    EXPECT_FALSE(fichierExiste(auteur + "/data/levels/level1/sol.ini"));
    EXPECT_EQ(cheminContenuLu(fichiersJeu::Niveau), copie);
    std::vector<unsigned char> lu;
    ASSERT_TRUE(lisFichierOrdinaire(fichiersJeu::Niveau, lu, 1 << 20));
    EXPECT_EQ(std::string(lu.begin(), lu.end()), lisFichier(copie));
    // Read back from the copy, with no conflict on the next save.
    ASSERT_TRUE(modele.placeActeur("loup", 300, 200));
    EXPECT_TRUE(modele.fichiersChangesSurDisque().empty());
    ASSERT_TRUE(modele.sauve());
    editeur::CModeleNiveau relu;
    ASSERT_TRUE(relu.ouvre(fichiersJeu::Niveau));
    EXPECT_EQ(relu.acteurs().size(), 2u);

    // A new level and an actor type of the author's, beside the installed.
    EXPECT_FALSE(editeur::CModeleNiveau::creeNiveau("./data/levels/level1.ini"));
    ASSERT_TRUE(editeur::CModeleNiveau::creeNiveau("./data/levels/mien.ini"));
    EXPECT_TRUE(fichierExiste(auteur + "/data/levels/mien/sol.ini"));
    EXPECT_FALSE(fichierExiste("data/levels/mien.ini"));
    ASSERT_EQ(execute("mkdir -p " + auteur + "/data/acteurs"), 0);
    ecritFichier(auteur + "/data/acteurs/chouette.ini", "[Comportement]\n");
    EXPECT_EQ(relu.typesActeurs(), (std::vector<std::string>{"chouette", "loup"}));

    // The title: the journey (the game's level alone), then the author's
    // new level, always open; "Jouer" stays in the journey.
    Parcours parcours = litParcours(schemaParcours::Fichier);
    ajouteNiveauxAuteur(parcours);
    ASSERT_EQ(parcours.niveaux.size(), 2u);
    EXPECT_EQ(parcours.niveaux[1].fichier, "./data/levels/mien.ini");
    EXPECT_EQ(parcours.niveaux[1].nom, std::string("mien") + SuffixeNiveauAuteur);
    CRecords records;
    EXPECT_TRUE(niveauOuvert(parcours, records, 1));
    EXPECT_EQ(niveauAJouer(parcours, records), 0);

    // Without XDG_DATA_HOME, the home's folder.
    Variable sans("XDG_DATA_HOME", nullptr);
    oublieDossiersJoueur();
    EXPECT_EQ(cheminContenuEcrit("./data/levels/x.ini"), maison + "/.local/share/corvanthelis/data/levels/x.ini");
    EXPECT_EQ(cheminContenuLu("./data/levels/mien.ini"), "./data/levels/mien.ini");
    oublieDossiersJoueur();
}

}  // namespace
