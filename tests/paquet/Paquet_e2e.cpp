// The Debian package as a player gets it: built by scripts/paquet.sh (or
// that script's output when nothing changed since), installed with apt-get,
// the installed game started from an empty home folder; then removed.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

const std::string Source = CORVANTHELIS_SOURCE_DIR;
const std::string Contenu = "/usr/share/games/corvanthelis";

std::string sortieDe(const std::string& commande)
{
    std::string sortie;
    execute(commande, &sortie);
    while (!sortie.empty() && sortie.back() == '\n')
        sortie.pop_back();
    return sortie;
}

// Removes the package however the test ends.
struct Desinstallation {
    ~Desinstallation() { execute("DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq corvanthelis >/dev/null 2>&1"); }
};

using PaquetE2E = TestSurServeurX;

TEST_F(PaquetE2E, InstalledGamePlaysFromAnyFolderAndWritesInThePlayersFolders)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "Test du paquet sauté : il installe le paquet avec apt-get, ce qui demande d'être root";
    if (execute("command -v dh >/dev/null && command -v lintian >/dev/null") != 0)
        GTEST_SKIP() << "Test du paquet sauté : outils absents, lancez ./scripts/install-deps.sh --paquet";

    const std::string version = CORVANTHELIS_VERSION_ATTENDUE;
    const std::string paquet = Source + "/build-deb/corvanthelis_" + version + "_" +
                               sortieDe("dpkg-architecture -qDEB_HOST_ARCH") + ".deb";
    // The package of an earlier run serves while no source is newer.
    const bool frais = fichierExiste(paquet) &&
                       sortieDe("find '" + Source + "/src' '" + Source + "/tools' '" + Source + "/packaging' '" +
                                Source + "/CMakeLists.txt' -newer '" + paquet + "' | head -1")
                           .empty();
    if (!frais) {
        std::string sortie;
        ASSERT_EQ(execute("'" + Source + "/scripts/paquet.sh' 2>&1", &sortie), 0) << sortie;
        EXPECT_NE(sortie.find("Paquet : " + paquet), std::string::npos) << sortie;
    }
    ASSERT_TRUE(fichierExiste(paquet));
    struct stat infos;
    ASSERT_EQ(stat(paquet.c_str(), &infos), 0);
    printf("Mesure : paquet de %lld Kio\n", static_cast<long long>(infos.st_size / 1024));

    // The player: a home folder of their own, started from there.
    const std::string maison = dossier.chemin() + "/maison";
    ASSERT_EQ(mkdir(maison.c_str(), 0755), 0);
    setenv("HOME", maison.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    setenv("CORVANTHELIS_SONDE", "1", 1);
    ASSERT_EQ(chdir(maison.c_str()), 0);

    Desinstallation desinstallation;
    const auto debut = std::chrono::steady_clock::now();
    std::string sortie;
    ASSERT_EQ(execute("DEBIAN_FRONTEND=noninteractive apt-get install -y -qq '" + paquet + "' 2>&1", &sortie), 0)
        << sortie;
    ASSERT_EQ(execute("touch ../avant-le-jeu"), 0);

    EXPECT_EQ(sortieDe("/usr/games/corvanthelis --version"), "corvanthelis " + version);
    EXPECT_EQ(execute("/usr/games/corvanthelis-verifie " + Contenu + " 2>&1", &sortie), 0) << sortie;
    for (const char* fichier :
         {"/usr/games/corvanthelis-editor", "/usr/games/corvanthelis-verifie", "/usr/games/corvanthelis-convert",
          "/usr/share/applications/corvanthelis.desktop", "/usr/share/man/man6/corvanthelis.6.gz",
          "/usr/share/icons/hicolor/16x16/apps/corvanthelis.png",
          "/usr/share/icons/hicolor/256x256/apps/corvanthelis.png", "/usr/share/games/corvanthelis/config.ini",
          "/usr/share/games/corvanthelis/data/levels/level1.ini"})
        EXPECT_EQ(access(fichier, R_OK), 0) << fichier;

    ProgrammeLance jeu("/usr/games/corvanthelis", {}, "../sortie.txt", "../erreurs.txt");
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis", 60000), "") << lisFichier("../erreurs.txt");
    // Any key skips the intro (Space until it has: the first may come
    // before it listens); the probe line comes with the level's frames.
    ASSERT_TRUE(attendQue(
        [] {
            appuie("space");
            return lisFichier("../sortie.txt").find("sonde ") != std::string::npos;
        },
        60000, 500))
        << lisFichier("../erreurs.txt");
    const double secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    printf("Mesure : %.1f s de l'installation à la première image du niveau\n", secondes);
    std::vector<Couleur> ecran = captureEcranX(640, 480);
    int allumes = 0;
    for (const Couleur& c : ecran)
        allumes += c.r + c.g + c.b > 30;
    EXPECT_GT(allumes, 640 * 480 / 4) << "the level does not show";

    // Options, music volume one step down: saved as the player's copy of
    // the installed default, which stays as it was.
    const std::string reglages = maison + "/.config/corvanthelis/config.ini";
    EXPECT_FALSE(fichierExiste(reglages)) << "written before any change";
    for (const char* t : {"p", "Down", "Return", "Left"})
        appuie(t);
    ASSERT_TRUE(attendQue([&] { return fichierExiste(reglages); }));
    attendQue([&] { return lisFichier(reglages).find("VolumeMusique=90") != std::string::npos; });
    EXPECT_NE(lisFichier(reglages).find("VolumeMusique=90"), std::string::npos) << lisFichier(reglages);
    EXPECT_NE(lisFichier(Contenu + "/config.ini").find("VolumeMusique=100"), std::string::npos);

    appuie("F12");
    EXPECT_TRUE(attendLigne("../sortie.txt", "Capture enregistrée : " + maison + "/.local/share/corvanthelis/captures/"))
        << lisFichier("../sortie.txt");
    quitteParEchap(jeu);

    // Nothing written into the installed content, nor in the start folder.
    EXPECT_EQ(sortieDe("find " + Contenu + " -newer ../avant-le-jeu"), "");
    EXPECT_EQ(sortieDe("ls -A"), ".config\n.local");
    EXPECT_EQ(sortieDe("stat -c %a .config/corvanthelis"), "700");
}

}  // namespace
