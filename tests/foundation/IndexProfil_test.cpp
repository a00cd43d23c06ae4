#include "foundation/IndexProfil.h"
#include "foundation/InputOutput.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/time.h>
#include <unistd.h>
#include <vector>

using namespace testsupport;

namespace {

enum Issue { SANS_SECTION, SANS_CLE, TROUVEE };

// The lookup as it was before the index: reopen the file and scan it with
// fgets through a buffer of `taille` bytes, first match wins.
Issue scanne(const char* fichier, const char* section, const char* cle, int taille, std::string& valeur)
{
    FILE* f = fopen(fichier, "r");
    std::vector<char> l(taille);
    auto lit = [&]() {
        if (!fgets(l.data(), taille, f) || feof(f))
            return false;
        size_t n = strlen(l.data());
        if (n >= 2 && l[n - 2] == '\r' && l[n - 1] == '\n') {
            l[n - 2] = '\n';
            l[n - 1] = '\0';
        }
        return true;
    };
    Issue issue = SANS_SECTION;
    while (issue == SANS_SECTION && lit())
        if (l[0] == '[' && strncmp(&l[1], section, strlen(section)) == 0)
            issue = SANS_CLE;
    while (issue == SANS_CLE && lit()) {
        const char* d = l.data();
        while (*d == ' ')
            ++d;
        if (!*d || *d == '\n' || *d == ';' || !strcmp(d, "\r\n") || !strcmp(d, "\r"))
            continue;
        if (*d == '[')
            break;
        const char* egal = strchr(d, '=');
        if (egal && std::string(d, egal) == cle) {
            ++egal;
            while (*egal == ' ')
                ++egal;
            valeur = egal;
            issue = TROUVEE;
        }
    }
    fclose(f);
    return issue;
}

TEST(IndexProfil, ReadersAnswerAsTheFileScanOnRandomFiles)
{
    DossierTemporaire dossier;
    const std::vector<std::string> morceaux = {"[", "]", "S", "SS", "A", "AB", "=", " ", "\t", ";", "\n",
                                               "\n", "\r\n", "\r", "1", "-2x", std::string("\0", 1)};
    const char* sections[] = {"S", "SS", "A", "", "S\n"};
    const char* cles[] = {"A", "AB", "S", "A "};
    const int tailles[] = {2, 3, 4, 5, 7, 9, 20, 64, 100};
    std::mt19937 hasard(12);
    InputOutput io;
    std::string attendu;
    Capture sortie(1);
    for (int essai = 0; essai < 151; ++essai) {
        // First a key line one byte too long for the size 9 buffer; every
        // tenth file long enough for dozens of headers.
        std::string texte = essai == 0 ? "[S]\nAB=12345\n" : "";
        for (int k = essai == 0 ? 0 : hasard() % (essai % 10 ? 60 : 1200); k > 0; --k)
            texte += morceaux[hasard() % morceaux.size()];
        ecritFichier("p.ini", texte);
        for (int taille : tailles)
            for (const char* s : sections)
                for (const char* c : cles) {
                    std::string v;
                    Issue issue = scanne("p.ini", s, c, taille, v);
                    char lu[128];
                    int r = io.getPrivateProfileString(s, c, "DEF", lu, taille, "p.ini", false);
                    std::string voulu = "DEF";
                    if (issue == TROUVEE)
                        voulu = v.substr(0, v.empty() ? 0 : std::min<size_t>(v.size() - 1, taille - 1));
                    ASSERT_EQ(lu, voulu.substr(0, taille - 1)) << "file <" << texte << "> size " << taille;
                    ASSERT_EQ(r > 0, issue == TROUVEE);
                    attendu += issue == SANS_SECTION ? "Pas de section correspondante.\n"
                               : issue == SANS_CLE   ? std::string("Pas d'identifiant correspondant:") + c + "\n"
                                                     : "";
                    if (taille == 100) {
                        ASSERT_EQ(io.getPrivateProfileInt(s, c, -99, "p.ini", false),
                                  issue == TROUVEE ? atoi(v.c_str()) : -99);
                        attendu += issue == SANS_SECTION ? "Pas de section correspondante.\n"
                                   : issue == SANS_CLE ? std::string("Pas d'identifiant correspondant:") + c + "\n"
                                                       : "";
                    }
                }
    }
    EXPECT_TRUE(sortie.texte() == attendu);
}

TEST(IndexProfil, SectionsKeysAndTrapsWithTheirLines)
{
    const std::string texte = "cle=0\n[Anim10]\nA=1\n  ; note\nA=2\nsansegal\n"
                              "[Anim1]\nB=3\n  [fin\nC=4\n[Long]\nv=abcdefghijklm\nD=5";
    CIndexProfil index(texte, 10);
    const auto& s = index.getSections();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].entete, "Anim10]");
    EXPECT_EQ(s[0].nom, "Anim10");
    EXPECT_EQ(s[0].ligne, 2);
    EXPECT_EQ(s[0].fin, 7);
    ASSERT_EQ(s[0].cles.size(), 2u);  // duplicates kept, in order
    EXPECT_EQ(s[0].cles[1].ligne, 5);
    EXPECT_EQ(s[0].lignesSansEgal, std::vector<int>{6});
    EXPECT_EQ(s[1].fin, 9);           // an indented '[' ends the section
    EXPECT_TRUE(s[1].cles.size() == 1 && s[1].cles[0].cle == "B");
    // [Anim10] shadows [Anim1], and its first A wins.
    EXPECT_EQ(index.trouveSection("Anim1"), &s[0]);
    EXPECT_EQ(index.trouveCle(s[0], "A")->valeur, "1\n");
    EXPECT_EQ(index.trouveCle(s[0], "B"), nullptr);
    EXPECT_EQ(index.trouveSection("Anim2"), nullptr);
    // A 19-byte line through 10 bytes: two pieces, the second a line of its own.
    EXPECT_EQ(s[2].cles[0].valeur, "abcdefg");
    EXPECT_EQ(s[2].lignesSansEgal, std::vector<int>{12});
    EXPECT_EQ(index.getLignesCoupees(), std::vector<int>{12});
    EXPECT_EQ(index.getLigneNonTerminee(), 13);
    EXPECT_EQ(index.trouveCle(s[2], "D"), nullptr);
}

TEST(IndexProfil, TwoByteBufferReadsOneByteAtATime)
{
    // Every byte is a piece: '[' opens a section named "", '=' is the key ""
    // and the other printable bytes are lines without '='.
    const std::string texte = "k=1\n[S]\n=; \r\n\n[" + std::string("\0=", 2) + "z";
    CIndexProfil index(texte, 2);
    const auto& s = index.getSections();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_TRUE(s[0].entete.empty() && s[0].nom.empty() && !s[0].finie);
    EXPECT_EQ(s[0].ligne, 2);
    EXPECT_EQ(s[0].fin, 5);
    ASSERT_EQ(s[0].cles.size(), 1u);
    EXPECT_TRUE(s[0].cles[0].cle.empty() && s[0].cles[0].valeur.empty() && s[0].cles[0].ligne == 3);
    EXPECT_EQ(s[0].lignesSansEgal, (std::vector<int>{2, 2}));
    EXPECT_EQ(s[1].ligne, 5);
    EXPECT_EQ(s[1].fin, 0);
    EXPECT_TRUE(s[1].cles.size() == 1 && s[1].cles[0].ligne == 5);
    EXPECT_EQ(s[1].lignesSansEgal, std::vector<int>{5});  // the last byte is read too
    EXPECT_EQ(index.getLignesCoupees(), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(index.getLigneNonTerminee(), 0);
    EXPECT_EQ(index.trouveSection(""), &s[0]);
    EXPECT_EQ(index.trouveSection("S"), nullptr);
}

TEST(IndexProfil, FirstHeaderOpenedByANameAmongManyInFileOrder)
{
    // Hundreds of headers that begin with one another, in shuffled order:
    // every name must open the first header in the file that begins with it.
    std::vector<std::string> noms;
    for (int i = 1; i <= 300; ++i)
        for (const char* suite : {"", "Frame1", "Position12"})
            noms.push_back("Tile" + std::to_string(i) + suite);
    std::shuffle(noms.begin(), noms.end(), std::mt19937(5));
    std::string texte;
    for (const std::string& n : noms)
        texte += "[" + n + "]\nk=1\n";
    CIndexProfil index(texte, 100);
    const auto& sections = index.getSections();
    for (const char* nom : {"", "T", "Tile", "Tile1", "Tile12", "Tile12F", "Tile300Position1", "Tile3000", "U"}) {
        const SectionProfil* attendue = nullptr;
        for (const SectionProfil& s : sections)
            if (!attendue && s.entete.compare(0, strlen(nom), nom) == 0)
                attendue = &s;
        EXPECT_EQ(index.trouveSection(nom), attendue) << nom;
    }
}

TEST(IndexProfil, RewrittenFileIsReadAfresh)
{
    DossierTemporaire dossier;
    InputOutput io;
    auto lit = [&]() { return io.getPrivateProfileInt("S", "A", -1, "p.ini", false); };
    ecritFichier("p.ini", "[S]\nA=1\n");
    EXPECT_EQ(lit(), 1);
    ecritFichier("p.ini", "[S]\nA=2\n");  // same size, at once
    EXPECT_EQ(lit(), 2);
    // Once the file is old enough to be trusted on its size and times, a
    // same-size rewrite that even restores its modification time is seen.
    usleep(120 * 1000);
    EXPECT_EQ(lit(), 2);
    struct stat avant;
    ASSERT_EQ(stat("p.ini", &avant), 0);
    ecritFichier("p.ini", "[S]\nA=3\n");
    struct timeval temps[2] = {{avant.st_atim.tv_sec, 0}, {avant.st_mtim.tv_sec, 0}};
    utimes("p.ini", temps);
    EXPECT_EQ(lit(), 3);
    io.writePrivateProfileInt("S", "A", 4, "p.ini", false);
    EXPECT_EQ(lit(), 4);
    unlink("p.ini");
    EXPECT_EQ(lit(), -1);
    EXPECT_EQ(indexProfil("p.ini", 100), nullptr);
}

} // namespace
