#include "foundation/InputOutput.h"
#include "foundation/FichierProvisoire.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testsupport;

namespace {

struct Profil : ::testing::Test {
    DossierTemporaire dossier;
    InputOutput io;
    int entier(const char* section, const char* cle, int defaut = -99)
    {
        return io.getPrivateProfileInt(section, cle, defaut, "p.ini", false);
    }
    std::string texte(const char* section, const char* cle, int taille = 100)
    {
        char tampon[256];
        io.getPrivateProfileString(section, cle, "DEF", tampon, taille, "p.ini", false);
        return tampon;
    }
};

TEST_F(Profil, SectionHeadersMatchByPrefixAndFirstWins)
{
    ecritFichier("p.ini",
                 "[VIDEOS]\nA=1\n[VIDEO]\nA=2\n[Anim10]\nB=10\n[Anim1]\nB=1\n"
                 "[Gauche\nC=7\n[Double]\nD=1\n[Double]\nD=2\nE=3\n");
    EXPECT_EQ(entier("VIDEO", "A"), 1);
    EXPECT_EQ(entier("Anim1", "B"), 10);
    EXPECT_EQ(entier("Gauche", "C"), 7);
    EXPECT_EQ(entier("Double", "D"), 1);
    Capture sortie(1);
    EXPECT_EQ(entier("Double", "E"), -99); // only the first [Double] is read
    EXPECT_EQ(sortie.texte(), "Pas d'identifiant correspondant:E\n");
}

TEST_F(Profil, MissingSectionAndKeyPrintNoticesAndGiveDefault)
{
    ecritFichier("p.ini", " [VIDEO]\nA=1\n[S]\nA=1\n[T]\nB=2\n[U]\n\n; commentaire\n   \n");
    Capture sortie(1);
    EXPECT_EQ(entier("VIDEO", "A"), -99);  // header with a leading space
    EXPECT_EQ(entier("S", "B"), -99);      // key only in a later section
    EXPECT_EQ(entier("U", "A"), -99);      // only blanks and comments left
    EXPECT_EQ(sortie.texte(),
              "Pas de section correspondante.\n"
              "Pas d'identifiant correspondant:B\n"
              "Pas d'identifiant correspondant:A\n");
    ecritFichier("p.ini", "");
    Capture vide(1);
    EXPECT_EQ(entier("S", "A"), -99);
    EXPECT_EQ(vide.texte(), "Pas de section correspondante.\n");
}

TEST_F(Profil, LastLineWithoutLineBreakNeverCounts)
{
    ecritFichier("p.ini", "[VIDEO]\nResolutionHorizontale=800\n");
    EXPECT_EQ(entier("VIDEO", "ResolutionHorizontale", 640), 800);
    ecritFichier("p.ini", "[VIDEO]\nResolutionHorizontale=800");
    EXPECT_EQ(entier("VIDEO", "ResolutionHorizontale", 640), 640);
    ecritFichier("p.ini", "[VIDEO]");
    Capture sortie(1);
    EXPECT_EQ(entier("VIDEO", "X", 3), 3);
    EXPECT_EQ(sortie.texte(), "Pas de section correspondante.\n");
}

TEST_F(Profil, LeadingSpacesAreRemovedButTabsAndSpacesBeforeEqualsAreNot)
{
    ecritFichier("p.ini", "[S]\n   cle=5\nautre =6\n\ttab=7\n;com=8\n  [fin\nplus=9\n");
    EXPECT_EQ(entier("S", "cle"), 5);
    EXPECT_EQ(entier("S", "autre"), -99);
    EXPECT_EQ(entier("S", "autre "), 6);
    EXPECT_EQ(entier("S", "tab"), -99);
    EXPECT_EQ(entier("S", "com"), -99);
    EXPECT_EQ(entier("S", "plus"), -99); // an indented '[' still ends the section
}

TEST_F(Profil, ValuesConvertLikeAtoiAndStringsKeepTheirTail)
{
    ecritFichier("p.ini",
                 "[S]\na=   42abc\nb=0x10\nc=-7\nd=\ne=hello ; note\ne=second\n"
                 "f=2.5\ng=abc\nh=valeur\r\n");
    EXPECT_EQ(entier("S", "a"), 42);
    EXPECT_EQ(texte("S", "a"), "42abc");
    EXPECT_EQ(entier("S", "b"), 0);
    EXPECT_EQ(entier("S", "c"), -7);
    EXPECT_EQ(entier("S", "d"), 0);
    EXPECT_EQ(texte("S", "d"), "");
    EXPECT_EQ(texte("S", "e"), "hello ; note");
    EXPECT_EQ(texte("S", "h"), "valeur");
    EXPECT_FLOAT_EQ(io.getPrivateProfileFloat("S", "f", 1.0f, "p.ini", false), 2.5f);
    EXPECT_FLOAT_EQ(io.getPrivateProfileFloat("S", "g", 1.5f, "p.ini", false), 1.5f);
    Capture sortie(1);
    EXPECT_FLOAT_EQ(io.getPrivateProfileFloat("S", "absent", 0.1234567f, "p.ini", false), 0.123457f);
    EXPECT_EQ(sortie.texte(), "Pas d'identifiant correspondant:absent\n");
}

TEST_F(Profil, StringReaderResultAndFixedBufferPieces)
{
    ecritFichier("p.ini", "[S]\nk=abcdefghijklmnopqrstuvwxyz1234\nsuite=1\n");
    char tampon[20];
    // The 30-character line arrives as a 19-character piece without its
    // line break; its last character is dropped.
    EXPECT_GT(io.getPrivateProfileString("S", "k", "DEF", tampon, 20, "p.ini", false), 0);
    EXPECT_STREQ(tampon, "abcdefghijklmnop");
    EXPECT_EQ(io.getPrivateProfileString("S", "rien", "DEF", tampon, 20, "p.ini", false), 0);
    EXPECT_STREQ(tampon, "DEF");
    EXPECT_EQ(io.getPrivateProfileString("S", "k", "DEF", tampon, 20, "absent.ini", false), 0);
    EXPECT_STREQ(tampon, "DEF");
}

TEST_F(Profil, BooleanRules)
{
    ecritFichier("p.ini", "[S]\nun=1\nzero=0\noui=yes\ndeux=2\ndouze=12\n");
    auto b = [&](const char* cle, bool defaut) {
        return io.getPrivateProfileBool("S", cle, defaut, "p.ini", false);
    };
    EXPECT_TRUE(b("un", false));
    EXPECT_FALSE(b("zero", true));
    EXPECT_FALSE(b("oui", true));
    EXPECT_TRUE(b("deux", true));
    EXPECT_FALSE(b("deux", false));
    EXPECT_TRUE(b("douze", true));
    EXPECT_FALSE(b("absent", false));
}

TEST_F(Profil, MissingFileIsSilentUnlessAskedToExit)
{
    Capture sortie(1);
    EXPECT_EQ(io.getPrivateProfileInt("S", "a", 4, "absent.ini", false), 4);
    EXPECT_TRUE(io.getPrivateProfileBool("S", "a", true, "absent.ini", false));
    EXPECT_EQ(sortie.texte(), "");
    EXPECT_EXIT(io.getPrivateProfileInt("S", "a", 4, "absent.ini", true),
                ::testing::ExitedWithCode(1), "");
}

TEST_F(Profil, WriterReplacesOnlyTheKeyLine)
{
    ecritFichier("p.ini", "[S]\nA=100\nB=2\n");
    {
        Capture sortie(1);
        io.writePrivateProfileString("S", "A", "5", "p.ini", false);
        EXPECT_EQ(sortie.texte(), "Ligne:A=5\nTemptext:B=2\n\nPosition:4\n");
    }
    EXPECT_EQ(lisFichier("p.ini"), "[S]\nA=5\nB=2\n");
    io.writePrivateProfileString("S", "A", "un texte plus long", "p.ini", false);
    EXPECT_EQ(lisFichier("p.ini"), "[S]\nA=un texte plus long\nB=2\n");
    EXPECT_TRUE(io.writePrivateProfileInt("S", "B", -42, "p.ini", false));
    EXPECT_EQ(lisFichier("p.ini"), "[S]\nA=un texte plus long\nB=-42\n");
}

TEST_F(Profil, WriterLeavesFileUnchangedWhenItCannotMatch)
{
    const std::string original = "[S]\n  A=1\n[T]\nB=2\n[U]\nC=3";
    ecritFichier("p.ini", original);
    Capture sortie(1);
    io.writePrivateProfileString("S", "A", "9", "p.ini", false);   // indented key
    io.writePrivateProfileString("S", "B", "9", "p.ini", false);   // later section
    io.writePrivateProfileString("U", "C", "9", "p.ini", false);   // unterminated line
    io.writePrivateProfileString("Z", "A", "9", "p.ini", false);   // no section
    EXPECT_EQ(sortie.texte(), "Pas de section correspondante.\n");
    EXPECT_EQ(lisFichier("p.ini"), original);
    EXPECT_EQ(io.getPrivateProfileInt("S", "A", 0, "p.ini", false), 1);
}

TEST_F(Profil, WriterRefusesOverlongLinesAndMissingFiles)
{
    ecritFichier("p.ini", "[S]\nA=1\n");
    std::string longue(260, 'x');
    {
        Capture erreur(2);
        io.writePrivateProfileString("S", "A", longue.c_str(), "p.ini", false);
        EXPECT_NE(erreur.texte().find("p.ini"), std::string::npos);
    }
    EXPECT_EQ(lisFichier("p.ini"), "[S]\nA=1\n");
    Capture sortie(1);
    EXPECT_FALSE(io.writePrivateProfileInt("S", "A", 3, "absent.ini", false));
    EXPECT_EQ(sortie.texte(), "Erreur Lecture fichier:absent.ini\n");
    EXPECT_FALSE(fichierExiste("absent.ini"));
}

// The folder's names, sorted.
std::string fichiersDuDossier()
{
    std::string liste;
    execute("ls -A", &liste);
    return liste;
}

// The writer's temporary names other than `garde`, or "" when none is left.
std::string temporaires(const std::string& garde = "p.ini\n")
{
    std::string liste = fichiersDuDossier();
    return liste == garde ? "" : liste;
}

// A child process that saves `texte` over p.ini `fois` times (0: for ever);
// it ends with status 1 when a save failed.
pid_t ecrivain(const std::string& texte, int fois)
{
    pid_t enfant = fork();
    if (enfant == 0) {
        bool echec = false;
        for (int i = 0; fois == 0 || i < fois; ++i)
            echec = !remplaceFichierAtomique("p.ini", texte) || echec;
        _exit(echec ? 1 : 0);
    }
    return enfant;
}

struct Ecrivains : Profil, ::testing::WithParamInterface<bool> {
    void SetUp() override { CFichierProvisoire::forceNomme(GetParam()); }
    void TearDown() override { CFichierProvisoire::forceNomme(false); }
};

TEST_P(Ecrivains, TwoWritersAtOnceLeaveOneWholeTextAndNoCopy)
{
    // A planted "p.ini.tmp" (a link, say) is nobody's copy: it stays as it is.
    ecritFichier("cible", "intacte");
    ASSERT_EQ(symlink("cible", "p.ini.tmp"), 0);
    const std::string a = "[S]\nA=1\n" + std::string(60000, 'a') + "\n";
    const std::string b = "[S]\nA=2\n" + std::string(90000, 'b') + "\n";
    ecritFichier("p.ini", a);
    pid_t enfants[] = {ecrivain(a, 400), ecrivain(b, 400)};
    ASSERT_GT(enfants[0], 0);
    ASSERT_GT(enfants[1], 0);
    int echantillons = 0, vus[2] = {0, 0}, finis = 0, statuts[2] = {-1, -1};
    const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (finis < 2 && std::chrono::steady_clock::now() < fin) {
        std::string contenu = lisFichier("p.ini");
        ++echantillons;
        if (contenu == a || contenu == b)
            ++vus[contenu == b];
        else
            ADD_FAILURE() << "sample " << echantillons << ": " << contenu.size() << " bytes";
        for (int i = 0; i < 2; ++i)
            if (enfants[i] > 0 && waitpid(enfants[i], &statuts[i], WNOHANG) == enfants[i]) {
                enfants[i] = -1;
                ++finis;
            }
    }
    for (int i = 0; i < 2; ++i)
        if (enfants[i] > 0) {
            // Out of time: a stop they handle, so nothing is left.
            kill(enfants[i], SIGTERM);
            waitpid(enfants[i], &statuts[i], 0);
        } else {
            EXPECT_TRUE(WIFEXITED(statuts[i]) && WEXITSTATUS(statuts[i]) == 0);
        }
    EXPECT_GT(echantillons, 50);
    EXPECT_GT(vus[0] + vus[1], 0);
    EXPECT_EQ(temporaires("cible\np.ini\np.ini.tmp\n"), "");
    EXPECT_EQ(lisFichier("cible"), "intacte");
}

TEST_P(Ecrivains, AKilledWriterLeavesTheOldOrTheNewFileWhole)
{
    const std::string a = "[S]\nA=1\n" + std::string(200000, ';') + "\n";
    const std::string b = "[S]\nA=2\n" + std::string(300000, ';') + "\n";
    for (int essai = 0; essai < 30; ++essai) {
        ecritFichier("p.ini", a);
        pid_t enfant = ecrivain(essai % 2 ? a : b, 0);
        ASSERT_GT(enfant, 0);
        usleep(300 + essai * 173);
        kill(enfant, SIGKILL);
        waitpid(enfant, nullptr, 0);
        std::string contenu = lisFichier("p.ini");
        EXPECT_TRUE(contenu == a || contenu == b) << essai << ": " << contenu.size() << " bytes";
        // Only a name copy can outlive a kill; it carries the dead pid, and
        // the next writer for the file removes it.
        std::string reste = temporaires();
        if (!reste.empty()) {
            EXPECT_EQ(reste, "p.ini\np.ini.tmp" + std::to_string(enfant) + "_0\n");
        }
        ASSERT_TRUE(remplaceFichierAtomique("p.ini", a));
        EXPECT_EQ(temporaires(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(SansNomOuNomme, Ecrivains, ::testing::Bool());

TEST_F(Profil, AFifoIsRefusedWithoutBlockingReadOrWrite)
{
    ASSERT_EQ(mkfifo("p.ini", 0600), 0);
    alarm(10);  // an open that blocks fails the test instead of hanging it
    EXPECT_EQ(entier("S", "A"), -99);
    EXPECT_EQ(texte("S", "A"), "DEF");
    Capture sortie(1);
    EXPECT_FALSE(io.writePrivateProfileInt("S", "A", 3, "p.ini", false));
    alarm(0);
    EXPECT_EQ(sortie.texte(), "Erreur Lecture fichier:p.ini\n");
}

TEST_F(Profil, WritingFollowsTheLinkAndKeepsTheMode)
{
    ASSERT_EQ(mkdir("vrai", 0700), 0);
    ecritFichier("vrai/p.ini", "[S]\nA=1\n");
    ASSERT_EQ(chmod("vrai/p.ini", 0640), 0);
    ASSERT_EQ(symlink("vrai/p.ini", "lien.ini"), 0);
    Capture sortie(1);
    EXPECT_TRUE(io.writePrivateProfileInt("S", "A", 7, "lien.ini", false));
    struct stat lien, cible;
    ASSERT_EQ(lstat("lien.ini", &lien), 0);
    EXPECT_TRUE(S_ISLNK(lien.st_mode));
    ASSERT_EQ(stat("vrai/p.ini", &cible), 0);
    EXPECT_EQ(cible.st_mode & 07777, 0640u);
    EXPECT_EQ(lisFichier("vrai/p.ini"), "[S]\nA=7\n");
    EXPECT_EQ(fichiersDuDossier(), "lien.ini\nvrai\n");
    EXPECT_FALSE(fichierExiste("vrai/p.ini.tmp"));

    // A new file gets the usual mode: 0666 less the umask.
    for (mode_t masque : {022, 077}) {
        mode_t ancien = umask(masque);
        const std::string nom = "neuf" + std::to_string(masque);
        bool ecrit = remplaceFichierAtomique(nom.c_str(), "x");
        umask(ancien);
        ASSERT_TRUE(ecrit);
        struct stat neuf;
        ASSERT_EQ(stat(nom.c_str(), &neuf), 0);
        EXPECT_EQ(neuf.st_mode & 07777, 0666u & ~masque);
    }
}

} // namespace
