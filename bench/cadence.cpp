// Frame pacing under a synthetic frame load: the real pacer, a real window
// (run it under Xvfb, which offers no swap control, so the software pacer is
// what keeps time), and a busy loop of 4 ms then 12 ms standing in for a
// frame's work. Prints the percentiles of the intervals between presented
// frames, how many exceed 20 ms, and the process CPU per wall second.
//
//   LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ./bench_cadence [frames, at least 600]

#include "foundation/Temps.h"
#include "foundation/Messages.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/PorteeMoteur.h"
#include "shell/gfx.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

double secondesCPU()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void charge(double ms)
{
    auto fin = Horloge::now() + std::chrono::microseconds(static_cast<long>(ms * 1000));
    volatile unsigned x = 0;
    while (Horloge::now() < fin)
        x = x * 1664525u + 1013904223u;
}

double centile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p / 100.0 * (v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// One run of `images` frames with `travail` ms of load each; returns p50.
double mesure(double travail, int images)
{
    std::vector<double> intervalles;
    double cpu0 = secondesCPU();
    auto debut = Horloge::now();
    auto precedent = debut;
    for (int i = 0; i <= images; ++i) {
        charge(travail);
        clearScreen();
        presenteImage();
        auto maintenant = Horloge::now();
        if (i > 0)
            intervalles.push_back(std::chrono::duration<double, std::milli>(maintenant - precedent).count());
        precedent = maintenant;
        attendre(1); // the game loop's pause at the end of each frame
    }
    double mur = std::chrono::duration<double>(Horloge::now() - debut).count();
    double cpu = secondesCPU() - cpu0;
    long plus20 = std::count_if(intervalles.begin(), intervalles.end(), [](double d) { return d > 20.0; });
    double p50 = centile(intervalles, 50);
    printf("charge %4.1f ms, %zu intervalles : p50 %.2f ms, p95 %.2f ms, p99 %.2f ms, max %.2f ms, "
           "> 20 ms : %ld, CPU %.1f %% d'un cœur\n",
           travail, intervalles.size(), p50, centile(intervalles, 95), centile(intervalles, 99),
           *std::max_element(intervalles.begin(), intervalles.end()), plus20, 100.0 * cpu / mur);
    fflush(stdout);
    return centile(intervalles, 99) / p50;
}

}

int main(int argc, char** argv)
{
    // A first word that is not a number (bench/run.sh passes options of the
    // other benchmarks) leaves the default.
    int images = argc > 1 ? atoi(argv[1]) : 0;
    if (images < 600)
        images = 720;
    std::unique_ptr<CPorteeMoteur> portee;
    {
        // The driver report is not what this program is about.
        CCaptureMessages rapportPilote;
        portee.reset(new CPorteeMoteur(CPorteeMoteur::AvecAffichage, [](CEngineGL& reglage) {
            reglage.pleinEcran = false;
            reglage.vSync = true;
            reglage.resolutionHorizontale = 640;
            reglage.resolutionVerticale = 480;
        }));
    }
    if (!portee->ouverte())
        return 1;
    printf("cadencement logiciel : %s\n", cadencementActif() ? "oui" : "non (le swap cadence)");
    double r4 = mesure(4.0, images);
    double r12 = mesure(12.0, images);
    printf("rapport p99/p50 : %.3f (4 ms), %.3f (12 ms)\n", r4, r12);
    return 0;
}
