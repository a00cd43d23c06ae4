#ifndef CORVANTHELIS_BENCH_BANC_H
#define CORVANTHELIS_BENCH_BANC_H

// Shared by the benchmarks: each one times the engine's path and a bound
// (the work nothing can avoid) as two Google Benchmark cases, one pass per
// repetition, repetitions of both interleaved in one run. The last line
// printed is the median of the per-repetition ratios engine / bound with
// their range. Programs run from the build folder's demo content (they move
// there themselves) and need a display (Xvfb) when they upload textures.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace banc {

using Chrono = std::chrono::steady_clock;

// Standard output goes nowhere while it lives: the loaders' notices would
// drown the report (they are still written, as in the game).
class Silence {
public:
    Silence()
    {
        fflush(stdout);
        sauvegarde = dup(1);
        int nul = open("/dev/null", O_WRONLY);
        dup2(nul, 1);
        close(nul);
    }
    ~Silence()
    {
        fflush(stdout);
        dup2(sauvegarde, 1);
        close(sauvegarde);
    }

private:
    int sauvegarde;
};

// Wall time and process CPU time of every pass, by case name. On a shared
// machine the CPU time of single-threaded work is the steadier figure; wall
// time is the one that shows work hidden behind waiting.
struct Temps {
    std::vector<double> mur;
    std::vector<double> cpu;
};
inline std::map<std::string, Temps>& releves()
{
    static std::map<std::string, Temps> r;
    return r;
}

inline double cpuProcessus()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

// Times one pass of `travail` per iteration under `nom`; `avant` and
// `apres` run untimed (set-up and release). Standard output is silenced
// meanwhile. The wall time is what the benchmark library reports.
inline void chronometre(benchmark::State& etat, const std::string& nom, const std::function<void()>& travail,
                        const std::function<void()>& avant = nullptr,
                        const std::function<void()>& apres = nullptr)
{
    for (auto _ : etat) {
        Silence silence;
        if (avant)
            avant();
        double cpu = cpuProcessus();
        Chrono::time_point debut = Chrono::now();
        travail();
        std::chrono::duration<double> duree = Chrono::now() - debut;
        cpu = cpuProcessus() - cpu;
        etat.SetIterationTime(duree.count());
        releves()[nom].mur.push_back(duree.count());
        releves()[nom].cpu.push_back(cpu);
        if (apres)
            apres();
    }
}

inline double mediane(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

enum Mesure { MUR, CPU };

// "<figure> ratio 1.08 (median of 9, 1.04–1.12, ...)": the median of the
// ratios of the i-th passes of the two cases, and their range.
inline std::string ratio(const std::string& figure, const std::string& moteur, const std::string& borne,
                         Mesure mesure)
{
    auto m = releves().find(moteur);
    auto b = releves().find(borne);
    if (m == releves().end() || b == releves().end())
        return figure + " ratio: not measured";
    const std::vector<double>& tm = mesure == MUR ? m->second.mur : m->second.cpu;
    const std::vector<double>& tb = mesure == MUR ? b->second.mur : b->second.cpu;
    std::vector<double> ratios;
    for (size_t i = 0; i < tm.size() && i < tb.size(); ++i)
        if (tb[i] > 0)
            ratios.push_back(tm[i] / tb[i]);
    if (ratios.empty())
        return figure + " ratio: not measured";
    char ligne[256];
    snprintf(ligne, sizeof ligne, "%s ratio %.2f (median of %zu, %.2f–%.2f; %s medians %.1f ms / %.1f ms)",
             figure.c_str(), mediane(ratios), ratios.size(), *std::min_element(ratios.begin(), ratios.end()),
             *std::max_element(ratios.begin(), ratios.end()), mesure == MUR ? "wall" : "CPU",
             mediane(tm) * 1000, mediane(tb) * 1000);
    return ligne;
}

// Both ratios, the other measure first, so the chosen one ends the output.
inline void afficheRatios(const std::string& figure, const std::string& moteur, const std::string& borne,
                          Mesure mesure)
{
    printf("(%s)\n", ratio(figure, moteur, borne, mesure == MUR ? CPU : MUR).c_str());
    printf("%s\n", ratio(figure, moteur, borne, mesure).c_str());
}

// Moves to the folder of the program (the build folder, with the demo
// content). Called first: the programs read and write files from there.
inline void vaDansLeDossier(const char* programme)
{
    std::string chemin = programme;
    size_t barre = chemin.rfind('/');
    if (barre != std::string::npos && chdir(chemin.substr(0, barre).c_str()) != 0)
        perror("chdir");
    // Without the generated content every level loads empty and each ratio
    // would compare nothing with nothing.
    if (access("./data/levels/level1.ini", R_OK) != 0) {
        std::fprintf(stderr, "Pas de contenu de démonstration à côté de %s (cible CMake : content)\n",
                     programme);
        std::exit(1);
    }
}

// Runs the registered cases with their repetitions interleaved.
inline void lance(int argc, char** argv)
{
    std::vector<char*> arguments(argv, argv + argc);
    std::string melange = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, &melange[0]);
    int n = static_cast<int>(arguments.size());
    benchmark::Initialize(&n, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
}

inline void afficheCharge()
{
    double charge[3] = {0, 0, 0};
    if (getloadavg(charge, 3) == 3)
        printf("load average %.2f %.2f %.2f\n", charge[0], charge[1], charge[2]);
}

}

#endif
