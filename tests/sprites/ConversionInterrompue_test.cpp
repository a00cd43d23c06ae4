// A conversion ended from outside leaves no file behind. The conversion
// runs in a child process reading its source from a FIFO: it is held in
// the middle of its work, with output written, when the signal comes.

#include "foundation/FichierProvisoire.h"
#include "sprites/ConversionSprite.h"

#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace testsupport;

namespace {

void ajoute32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A source of one animation of `nbFrames` 256 x 256 frames; `nbEcrites`
// of them are given.
std::string source(uint32_t nbFrames, uint32_t nbEcrites)
{
    std::string s = std::string("H") + std::string(23, '\0');
    ajoute32(s, 1);
    s += std::string("A") + std::string(19, '\0');
    ajoute32(s, nbFrames);
    s += std::string("f.bmp") + std::string(47, '\0');
    for (uint32_t m = 0; m < nbEcrites; ++m) {
        for (uint32_t v : {0u, 0u, 256u, 256u})
            ajoute32(s, v);
        s.resize(s.size() + 64, '\0');
    }
    return s;
}

std::set<std::string> contenu()
{
    std::set<std::string> noms;
    if (DIR* d = opendir(".")) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.')
                noms.insert(e->d_name);
        closedir(d);
    }
    return noms;
}

// True once `condition` holds, within a few seconds.
template <class F>
bool attend(F condition)
{
    auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > fin)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// An open file of the process that has no name any more.
bool tientFichierSansNom(pid_t pid)
{
    const std::string dossier = "/proc/" + std::to_string(pid) + "/fd";
    DIR* d = opendir(dossier.c_str());
    bool trouve = false;
    while (d && !trouve) {
        dirent* e = readdir(d);
        if (!e)
            break;
        char cible[4096] = {};
        if (readlink((dossier + "/" + e->d_name).c_str(), cible, sizeof cible - 1) > 0)
            trouve = std::string(cible).find(" (deleted)") != std::string::npos;
    }
    if (d)
        closedir(d);
    return trouve;
}

// Starts a conversion of the FIFO "in.fifo" into "out.spr", feeds it three
// of its four frames, then sends `numero` once all of them were read.
// Returns how the child ended.
int interromptConversion(bool nomme, int numero, bool* enCours)
{
    pid_t pid = fork();
    if (pid == 0) {
        // As from a terminal: a runner in the background ignores SIGINT.
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            signal(s, SIG_DFL);
        CFichierProvisoire::forceNomme(nomme);
        _exit(convertitSprite("in.fifo", "out.spr"));
    }
    // The child has made its output file once it opens its source.
    int fifo = -1;
    attend([&] { return (fifo = open("in.fifo", O_WRONLY | O_NONBLOCK)) >= 0; });
    if (fifo >= 0)
        fcntl(fifo, F_SETFL, fcntl(fifo, F_GETFL) & ~O_NONBLOCK);
    const std::string donnees = source(4, 3);
    bool ok = fifo >= 0 && write(fifo, donnees.data(), donnees.size()) == ssize_t(donnees.size()) &&
              attend([&] {
                  int reste = -1;
                  return ioctl(fifo, FIONREAD, &reste) == 0 && reste == 0;
              });
    *enCours = ok && (nomme ? attend([] {
                          for (const std::string& nom : contenu())
                              if (nom.rfind("out.spr.tmp", 0) == 0)
                                  return true;
                          return false;
                      })
                            : attend([&] { return tientFichierSansNom(pid); }));
    kill(pid, ok ? numero : SIGKILL);
    int statut = 0;
    waitpid(pid, &statut, 0);
    if (fifo >= 0)
        close(fifo);
    return statut;
}

TEST(ConversionInterrompue, SignalsLeaveNothingAndKeepTheOldDestination)
{
    DossierTemporaire dossier;
    ASSERT_TRUE(ecritImageBMP("f.bmp", 256, 256, [](int x, int y) { return Couleur{x, y, 3}; }));
    ASSERT_EQ(mkfifo("in.fifo", 0600), 0);
    struct Cas {
        bool nomme;
        int numero;
    };
    const Cas cas[] = {{false, SIGTERM}, {false, SIGINT}, {false, SIGKILL},
                       {true, SIGTERM},  {true, SIGINT},  {true, SIGHUP}};
    for (bool ancienne : {false, true}) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(c.nomme ? "nommé " : "anonyme ") + strsignal(c.numero) +
                         (ancienne ? ", ancienne destination" : ""));
            if (ancienne)
                ecritFichier("out.spr", "ancien");
            std::set<std::string> avant = contenu();
            bool enCours = false;
            int statut = interromptConversion(c.nomme, c.numero, &enCours);
            EXPECT_TRUE(enCours) << "the conversion was not caught in the middle";
            EXPECT_TRUE(WIFSIGNALED(statut) && WTERMSIG(statut) == c.numero) << statut;
            EXPECT_EQ(contenu(), avant);
            if (ancienne) {
                EXPECT_EQ(lisFichier("out.spr"), "ancien");
            }
            remove("out.spr");
        }
    }
}

// A named file left by a killed process is removed by the next conversion
// to the same destination; files of live processes and other names stay.
TEST(ConversionInterrompue, LaterRunRemovesWhatAKilledOneLeft)
{
    DossierTemporaire dossier;
    ASSERT_TRUE(ecritImageBMP("f.bmp", 256, 256, [](int x, int y) { return Couleur{x, y, 3}; }));
    ASSERT_EQ(mkfifo("in.fifo", 0600), 0);
    bool enCours = false;
    int statut = interromptConversion(true, SIGKILL, &enCours);
    ASSERT_TRUE(enCours);
    ASSERT_TRUE(WIFSIGNALED(statut));
    std::set<std::string> restes = contenu();
    for (const char* nom : {"in.fifo", "f.bmp"})
        restes.erase(nom);
    ASSERT_EQ(restes.size(), 1u) << "SIGKILL on a named file leaves it";

    const std::string vivant = "out.spr.tmp" + std::to_string(getpid()) + "_0";
    for (const std::string& nom : {vivant, std::string("out.spr.tmp12x_0"), std::string("autre.spr.tmp1_0")})
        ecritFichier(nom, "x");
    remove("in.fifo");
    ecritFichier("in.dat", source(1, 1));
    CFichierProvisoire::forceNomme(true);
    EXPECT_EQ(convertitSprite("in.dat", "out.spr"), 0);
    CFichierProvisoire::forceNomme(false);
    EXPECT_EQ(contenu(), (std::set<std::string>{"autre.spr.tmp1_0", "f.bmp", "in.dat", "out.spr",
                                                "out.spr.tmp12x_0", vivant}));
}

}  // namespace
