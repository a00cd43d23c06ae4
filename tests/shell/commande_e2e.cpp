#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// Runs the game program under another command name, without a display, so
// that taking the game path shows up as a display failure.
int lanceSous(const std::string& nom, const std::string& arguments, std::string* sortie)
{
    return execute("env -u DISPLAY bash -c 'exec -a " + nom + " \"$0\" \"$@\"' " +
                       cheminBinaire("corvanthelis") + " " + arguments + " 2>&1",
                   sortie);
}

TEST(Commande, ConvertWithoutBothFilesPrintsUsageAndFails)
{
    DossierTemporaire dossier;
    std::string sortie;
    EXPECT_EQ(lanceSous("convert", "seul.dat", &sortie), 1);
    EXPECT_NE(sortie.find("Usage : convert"), std::string::npos) << sortie;
    EXPECT_EQ(lanceSous("convert", "", &sortie), 1);
    std::string fichiers;
    EXPECT_EQ(execute("ls -A", &fichiers), 0);
    EXPECT_EQ(fichiers, ""); // nothing created
}

TEST(Commande, ConvertNameTakesTheConverterPathWithoutADisplay)
{
    DossierTemporaire dossier;
    std::string sortie;
    // A missing source is a converter failure: reported, status 1, no
    // success line, no file, and no window is ever asked for.
    EXPECT_EQ(lanceSous("convert", "absent.dat sortie.spr", &sortie), 1);
    EXPECT_FALSE(fichierExiste("sortie.spr"));
    EXPECT_EQ(sortie.find("Conversion réussie"), std::string::npos) << sortie;
    EXPECT_EQ(sortie.find("Impossible d'ouvrir l'écran"), std::string::npos) << sortie;

    // Nor is the sound library loaded: it and its dependencies cost a
    // conversion more than its own work beyond decoding.
    ASSERT_EQ(execute("env LD_DEBUG=libs bash -c 'exec -a convert \"$0\" absent.dat sortie.spr' " +
                          cheminBinaire("corvanthelis") + " 2>&1",
                      &sortie),
              1);
    EXPECT_NE(sortie.find("libSDL-1.2"), std::string::npos) << sortie;
    EXPECT_EQ(sortie.find("libSDL_mixer"), std::string::npos) << sortie;

    // The installed link's name converts from any folder.
    for (const char* nom : {"corvanthelis-convert", "/usr/games/corvanthelis-convert"}) {
        EXPECT_EQ(lanceSous(nom, "seul.dat", &sortie), 1) << nom;
        EXPECT_NE(sortie.find("Usage : convert"), std::string::npos) << nom << sortie;
    }
}

TEST(Commande, VersionAndHelpPrintAndStopBeforeAnyWindow)
{
    DossierTemporaire dossier;
    std::string sortie;
    EXPECT_EQ(lanceSous("corvanthelis", "--version", &sortie), 0);
    EXPECT_EQ(sortie, "corvanthelis " CORVANTHELIS_VERSION_ATTENDUE "\n");
    // Whatever follows, even a bad option.
    EXPECT_EQ(lanceSous("corvanthelis", "--help --inconnue", &sortie), 0);
    for (const char* option : {"--niveau FICHIER", "--position X", "--editeur [niveau.ini]", "--version", "--help"})
        EXPECT_NE(sortie.find(option), std::string::npos) << option << sortie;
    EXPECT_EQ(sortie.find("Impossible d'ouvrir"), std::string::npos) << sortie;
    EXPECT_EQ(lanceSous("corvanthelis", "--inconnue --help", &sortie), 1);
    EXPECT_NE(sortie.find("Option inconnue : --inconnue"), std::string::npos) << sortie;
}

TEST(Commande, OtherNamesPlayTheGame)
{
    DossierTemporaire dossier;
    ecritFichier("config.ini", "[VIDEO]\nPleinEcran=0\n");
    // Only the exact word counts: a folder before it is another name.
    for (const char* nom : {"Convert", "convert.exe", "corvanthelis", "./convert", "/usr/bin/convert",
                            "corvanthelis-converter"}) {
        std::string sortie;
        EXPECT_EQ(lanceSous(nom, "convert a b", &sortie), 1) << nom;
        EXPECT_NE(sortie.find("Impossible d'ouvrir l'écran!"), std::string::npos) << nom << sortie;
    }
}

} // namespace
