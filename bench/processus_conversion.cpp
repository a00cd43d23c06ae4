// The convert process as a whole (the game program started as "convert" on
// the demo hero's sprite data, into a fresh file) against a process that
// only decodes the sheets that data names, each once (decode_planches).
// Both are started the same way, so what remains beyond the in-process
// figure of bench_conversion is the program's own start and exit: the
// libraries it loads, what it starts and stops. Needs no display. Ratio on
// the CPU time of the child processes (user + system), wall time too.
//
// BANC_CONVERT names another program to start as "convert" (to compare
// with an older build).

#include "Banc.h"
#include "Planches.h"

#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* const DONNEES = "./viewanims.dat";
const char* const SORTIE = "./bench_processus_conversion.spr";

// Starts `programme` under the command name `mots[0]`, its output to
// /dev/null, and records its wall and CPU time under `nom`.
void chronometreProcessus(benchmark::State& etat, const std::string& nom, const std::string& programme,
                          const std::vector<std::string>& mots)
{
    std::vector<char*> argv;
    for (const std::string& mot : mots)
        argv.push_back(const_cast<char*>(mot.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : etat) {
        unlink(SORTIE);
        banc::Chrono::time_point debut = banc::Chrono::now();
        pid_t pid;
        int statut = -1;
        rusage usage = {};
        if (posix_spawn(&pid, programme.c_str(), &actions, nullptr, argv.data(), environ) == 0)
            wait4(pid, &statut, 0, &usage);
        std::chrono::duration<double> duree = banc::Chrono::now() - debut;
        if (statut != 0) {
            etat.SkipWithError((programme + " failed").c_str());
            break;
        }
        const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec * 1e-6 + usage.ru_stime.tv_sec +
                           usage.ru_stime.tv_usec * 1e-6;
        etat.SetIterationTime(duree.count());
        banc::releves()[nom].mur.push_back(duree.count());
        banc::releves()[nom].cpu.push_back(cpu);
    }
    posix_spawn_file_actions_destroy(&actions);
    unlink(SORTIE);
}

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    const char* autre = getenv("BANC_CONVERT");
    static const std::string convert = autre && *autre ? autre : "./corvanthelis";
    static std::vector<std::string> decodage = {"decode_planches"};
    for (const std::string& planche : banc::planchesDe(DONNEES))
        decodage.push_back(planche);

    benchmark::RegisterBenchmark("convert/process", [](benchmark::State& etat) {
        chronometreProcessus(etat, "processus", convert, {"convert", DONNEES, SORTIE});
    })->UseManualTime()->Iterations(1)->Repetitions(41)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("convert/decode-only process", [](benchmark::State& etat) {
        chronometreProcessus(etat, "decodage", "./decode_planches", decodage);
    })->UseManualTime()->Iterations(1)->Repetitions(41)->Unit(benchmark::kMillisecond);
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("convert process", "processus", "decodage", banc::CPU);
    return 0;
}
