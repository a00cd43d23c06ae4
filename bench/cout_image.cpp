// Frame cost: drawing the demo level with 1, 10 and 100 times its ground
// plane's placements against drawing the demo level, 20 frames a pass.
// Placements off the screen must cost nothing. Ratio on CPU time (the
// rasteriser's threads included).

#include "Banc.h"
#include "Niveau.h"

#include "game/OutilsJeu.h"
#include "scenery/CLevel.h"
#include "shell/PorteeMoteur.h"
#include "shell/gfx.h"

namespace {

const int IMAGES = 20;

void dessine(benchmark::State& etat, const std::string& nom, CLevel* niveau)
{
    banc::chronometre(etat, nom, [niveau] {
        for (int i = 0; i < IMAGES; ++i) {
            clearScreen();
            niveau->drawScene(0, 0, false, true, false, false);
        }
        glFinish();
    });
}

CLevel* charge(const std::string& fichier)
{
    banc::Silence silence;
    CLevel* niveau = new CLevel();
    niveau->initFromIniFile(fichier.c_str());
    niveau->setPositionX(PositionNiveauDepart);
    return niveau;
}

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    CPorteeMoteur portee;
    if (!portee.ouverte())
        return 1;
    static CLevel* demo = charge(banc::NIVEAU_DEMO);
    static CLevel* x1 = charge(banc::NIVEAU_DEMO);
    static CLevel* x10 = charge(banc::niveauMultiplie(10));
    static CLevel* x100 = charge(banc::niveauMultiplie(100));
    benchmark::RegisterBenchmark("frame/demo", [](benchmark::State& e) { dessine(e, "demo", demo); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/x1", [](benchmark::State& e) { dessine(e, "x1", x1); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/x10", [](benchmark::State& e) { dessine(e, "x10", x10); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/x100", [](benchmark::State& e) { dessine(e, "x100", x100); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("frame cost 1x", "x1", "demo", banc::CPU);
    banc::afficheRatios("frame cost 10x", "x10", "demo", banc::CPU);
    banc::afficheRatios("frame cost 100x", "x100", "demo", banc::CPU);
    return 0;
}
