#include "foundation/DocumentProfil.h"
#include "foundation/InputOutput.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace testsupport;

namespace {

std::string chaine(const char* section, const char* cle)
{
    char tampon[200];
    InputOutput io;
    Capture sortie(1);
    io.getPrivateProfileString(section, cle, "DEF", tampon, sizeof tampon, "p.ini", false);
    return tampon;
}

TEST(DocumentProfil, EditsKeepEveryOtherByteAndReadBackThroughTheReader)
{
    DossierTemporaire dossier;
    ecritFichier("p.ini",
                 "; reglages\n[VIDEOS]\n  PleinEcran=1\n; note\nligne inconnue\nBilineaire =0\n"
                 "\n; avant la suite\n[AUTRE]\nX=1\n");
    EXPECT_EQ(chaine("VIDEO", "PleinEcran"), "1"); // the reader caches the file now
    CDocumentProfil doc;
    ASSERT_TRUE(doc.charge("p.ini"));
    std::string v;
    EXPECT_TRUE(doc.lit("VIDEO", "PleinEcran", v));
    EXPECT_EQ(v, "1");
    EXPECT_FALSE(doc.lit("VIDEO", "Bilineaire", v)); // its key ends with a space
    EXPECT_FALSE(doc.lit("VIDEO", "X", v));          // only in a later section

    EXPECT_TRUE(doc.fixe("VIDEO", "PleinEcran", "0"));
    EXPECT_TRUE(doc.fixe("VIDEO", "VSync", "1"));
    EXPECT_TRUE(doc.fixe("CONTROLES", "Saut", "left ctrl"));
    const std::string attendu = "; reglages\n[VIDEOS]\n  PleinEcran=0\n; note\nligne inconnue\n"
                                "Bilineaire =0\nVSync=1\n\n; avant la suite\n[AUTRE]\nX=1\n"
                                "\n[CONTROLES]\nSaut=left ctrl\n";
    EXPECT_EQ(doc.texte(), attendu);
    EXPECT_TRUE(doc.modifie());
    ASSERT_TRUE(doc.sauve());
    EXPECT_FALSE(doc.modifie());
    EXPECT_EQ(lisFichier("p.ini"), attendu);
    EXPECT_FALSE(fichierExiste("p.ini.tmp"));
    EXPECT_EQ(chaine("VIDEO", "PleinEcran"), "0");
    EXPECT_EQ(chaine("VIDEO", "VSync"), "1");
    EXPECT_EQ(chaine("CONTROLES", "Saut"), "left ctrl");

    // Setting what the file already says changes nothing and writes nothing.
    ecritFichier("p.ini", "[S]\nA=1\n");
    ASSERT_TRUE(doc.charge("p.ini"));
    struct stat avant, apres;
    ASSERT_EQ(stat("p.ini", &avant), 0);
    EXPECT_TRUE(doc.fixe("S", "A", "1"));
    EXPECT_FALSE(doc.modifie());
    EXPECT_TRUE(doc.sauve());
    ASSERT_EQ(stat("p.ini", &apres), 0);
    EXPECT_EQ(apres.st_ino, avant.st_ino); // a rewrite would be a new file
}

TEST(DocumentProfil, LineEndsUnterminatedLastLineAndRefusedValues)
{
    DossierTemporaire dossier;
    ecritFichier("p.ini", "[S]\r\nA=1\r\n\r\nB=2");
    CDocumentProfil doc;
    ASSERT_TRUE(doc.charge("p.ini"));
    std::string v;
    EXPECT_FALSE(doc.lit("S", "B", v)); // the reader never sees B=2
    EXPECT_TRUE(doc.fixe("S", "B", "3"));
    EXPECT_TRUE(doc.fixe("S", "C", "x"));
    EXPECT_TRUE(doc.fixe("T", "D", "4"));
    const std::string attendu = "[S]\r\nA=1\r\n\r\nB=3\r\nC=x\r\n\r\n[T]\r\nD=4\r\n";
    EXPECT_EQ(doc.texte(), attendu);

    Capture erreurs(2);
    EXPECT_FALSE(doc.fixe("S", "A", "2\n[S]"));
    EXPECT_FALSE(doc.fixe("S", "A", "2\r"));
    EXPECT_FALSE(doc.fixe("S", "K=", "1"));
    EXPECT_FALSE(doc.fixe("S", " K", "1"));
    EXPECT_FALSE(doc.fixe("S", "A", std::string(200, 'x')));
    EXPECT_NE(erreurs.texte().find("Valeur refusée pour A dans [S]"), std::string::npos);
    EXPECT_EQ(doc.texte(), attendu);

    // A header that only begins with the name opens it, so keys go there.
    ecritFichier("q.ini", "[Anim10]\nx=1\n[Anim1]\ny=2\n");
    ASSERT_TRUE(doc.charge("q.ini"));
    EXPECT_TRUE(doc.fixe("Anim1", "z", "3"));
    EXPECT_EQ(doc.texte(), "[Anim10]\nx=1\nz=3\n[Anim1]\ny=2\n");
}

TEST(DocumentProfil, LoadingMissingFolderFifoAndEmptyDocuments)
{
    DossierTemporaire dossier;
    CDocumentProfil doc;
    ASSERT_TRUE(doc.charge("absent.ini"));
    EXPECT_TRUE(doc.texte().empty());
    EXPECT_TRUE(doc.sauve()); // nothing changed: no file appears
    EXPECT_FALSE(fichierExiste("absent.ini"));
    EXPECT_TRUE(doc.fixe("VIDEO", "Intro", "0"));
    EXPECT_EQ(doc.texte(), "[VIDEO]\nIntro=0\n");
    ASSERT_TRUE(doc.sauve());
    EXPECT_EQ(lisFichier("absent.ini"), "[VIDEO]\nIntro=0\n");

    mkdir("dossier.ini", 0700);
    ASSERT_EQ(mkfifo("tube.ini", 0600), 0);
    Capture erreurs(2);
    EXPECT_FALSE(doc.charge("dossier.ini"));
    EXPECT_FALSE(doc.charge("tube.ini")); // refused, not waited on
    EXPECT_EQ(erreurs.texte(), "dossier.ini n'est pas un fichier ordinaire\n"
                               "tube.ini n'est pas un fichier ordinaire\n");
    EXPECT_EQ(doc.texte(), "[VIDEO]\nIntro=0\n"); // still the last document
}

TEST(DocumentProfil, FailedSaveLeavesTheOldFileAndNoTemporaryCopy)
{
    DossierTemporaire dossier;
    const std::string ancien = "[VIDEO]\nVSync=1\n";
    ecritFichier("config.ini", ancien);
    CDocumentProfil doc;
    ASSERT_TRUE(doc.charge("config.ini"));
    ASSERT_TRUE(doc.fixe("VIDEO", "VolumeMusique", std::string(150, 'x')));

    // A write that stops half-way, even for root: a file size limit.
    struct rlimit avant;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &avant), 0);
    struct rlimit petite = avant;
    petite.rlim_cur = 100; // room for the message, not for the file
    void (*ancienSignal)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petite), 0);
    Capture erreurs(2);
    bool sauve = doc.sauve();
    setrlimit(RLIMIT_FSIZE, &avant);
    signal(SIGXFSZ, ancienSignal);
    EXPECT_FALSE(sauve);
    EXPECT_EQ(erreurs.texte().rfind("Enregistrement impossible de config.ini", 0), 0u);
    EXPECT_EQ(lisFichier("config.ini"), ancien);
    EXPECT_FALSE(fichierExiste("config.ini.tmp"));
    EXPECT_TRUE(doc.modifie()); // the changes are kept for another try
    EXPECT_TRUE(doc.sauve());
    EXPECT_EQ(lisFichier("config.ini"), doc.texte());
}

// Whole sections and many keys at once, for the level editor.
TEST(DocumentProfil, SectionsAddedAfterTheirKindAndManyKeysInOneGo)
{
    DossierTemporaire dossier;
    const std::string texte = "[A1]\r\nx=1\r\n\r\n[A2]\r\n  x = 2\r\nx=3\r\n; fin de A\r\n[B]\r\ny=0\r\n"
                              "[A3]\r\nperime=1\r\n";
    ecritFichier("p.ini", texte);
    CDocumentProfil doc;
    ASSERT_TRUE(doc.charge("p.ini"));
    // After A2's last key line, a blank line first as before [A2]; the
    // stale [A3] further down goes, or it would be the one read.
    ASSERT_TRUE(doc.ajouteSections("A2", {{"A3", {{"x", "4"}}}, {"A4", {{"x", "5"}, {"z", ""}}}}));
    EXPECT_EQ(doc.texte(), "[A1]\r\nx=1\r\n\r\n[A2]\r\n  x = 2\r\nx=3\r\n\r\n[A3]\r\nx=4\r\n\r\n[A4]\r\nx=5\r\n"
                           "z=\r\n; fin de A\r\n[B]\r\ny=0\r\n");
    // An earlier header beginning alike ([A1] for "A") or a key the reader
    // would not find is refused, leaving the text as it was.
    const std::string avant = doc.texte();
    {
        Capture erreurs(2);
        EXPECT_FALSE(doc.ajouteSection("A", nullptr, {{"x", "1"}}));
        EXPECT_FALSE(doc.ajouteSection("C", "B", {{" x", "1"}}));
        EXPECT_FALSE(doc.fixe(std::vector<ValeurProfil>{{"B", "y", "1"}, {"B", "y", "a\nb"}}));
    }
    EXPECT_EQ(doc.texte(), avant);

    // Many keys: the same text as one fixe() after the other.
    std::vector<ValeurProfil> valeurs = {{"A2", "x", "9"}, {"B", "y", "7"}, {"B", "w", "8"}, {"A2", "x", "6"},
                                         {"A1", "x", "1"}};
    CDocumentProfil unParUn;
    unParUn.remplaceTexte(avant);
    for (const ValeurProfil& v : valeurs)
        ASSERT_TRUE(unParUn.fixe(v.section.c_str(), v.cle.c_str(), v.valeur));
    ASSERT_TRUE(doc.fixe(valeurs));
    EXPECT_EQ(doc.texte(), unParUn.texte());

    // Whether it differs from the file, whatever led there.
    doc.remplaceTexte(texte);
    EXPECT_FALSE(doc.modifie());
    EXPECT_TRUE(doc.fixe("B", "y", "1"));
    EXPECT_TRUE(doc.fixe("B", "y", "0"));
    EXPECT_FALSE(doc.modifie());
}

} // namespace
