// Linear growth: the demo level with 10 times its ground plane's placements
// against the demo level itself. Placements are only profile sections, so a
// load that reads each file once grows by their reading alone; the figure to
// stay under is 10.5.

#include "Banc.h"
#include "Niveau.h"

#include "game/OutilsJeu.h"
#include "scenery/CLevel.h"
#include "shell/PorteeMoteur.h"

namespace {

void chargeNiveau(benchmark::State& etat, const std::string& nom, const std::string& fichier)
{
    CLevel* niveau = nullptr;
    banc::chronometre(
        etat, nom,
        [&] {
            niveau = new CLevel();
            niveau->initFromIniFile(fichier.c_str());
            glFinish();
        },
        nullptr, [&] { delete niveau; });
}

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    CPorteeMoteur portee;
    if (!portee.ouverte())
        return 1;
    static std::string dixFois = banc::niveauMultiplie(10);
    benchmark::RegisterBenchmark("growth/x10", [](benchmark::State& e) { chargeNiveau(e, "x10", dixFois); })
        ->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("growth/x1", [](benchmark::State& e) { chargeNiveau(e, "x1", banc::NIVEAU_DEMO); })
        ->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("linear growth (10x placements)", "x10", "x1", banc::CPU);
    return 0;
}
