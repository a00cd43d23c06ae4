// Level load: the demo level's CLevel::initFromIniFile against decoding each
// distinct sheet once and uploading each tile once. Ratio on CPU time (the
// work is single-threaded; wall time on a shared machine mostly measures
// the neighbours).

#include "Banc.h"
#include "Niveau.h"

#include "game/OutilsJeu.h"
#include "scenery/CLevel.h"
#include "shell/PorteeMoteur.h"

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    benchmark::RegisterBenchmark("level_load/engine", [](benchmark::State& etat) {
        CLevel* niveau = nullptr;
        banc::chronometre(
            etat, "moteur",
            [&] {
                niveau = new CLevel();
                niveau->initFromIniFile(banc::NIVEAU_DEMO);
                glFinish();
            },
            nullptr, [&] { delete niveau; });
    })->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("level_load/bound", [](benchmark::State& etat) {
        banc::Chargement chargement;
        banc::ajouteNiveau(chargement, banc::NIVEAU_DEMO);
        std::vector<GLuint> textures;
        banc::chronometre(etat, "borne", [&] { banc::borneChargement(chargement, textures); }, nullptr,
                          [&] { banc::libereTextures(textures); });
    })->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);

    CPorteeMoteur portee;
    if (!portee.ouverte())
        return 1;
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("level load", "moteur", "borne", banc::CPU);
    return 0;
}
