// convert of the demo hero's sprite data against decoding each distinct
// sheet it names once. Needs no display. Ratio on CPU time.

#include "Banc.h"
#include "Planches.h"

#include "render/Decodage.h"
#include "sprites/CSprite.h"

#include <SDL.h>
#include <unistd.h>

namespace {

const char* const DONNEES = "./viewanims.dat";
const char* const SORTIE = "./bench_conversion.spr";

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    benchmark::RegisterBenchmark("convert/engine", [](benchmark::State& etat) {
        // Into a new file each time: replacing an old one adds the freeing
        // of its pages, which has nothing to do with converting.
        banc::chronometre(
            etat, "moteur",
            [] {
                CSprite sprite;
                sprite.convert(DONNEES, SORTIE);
            },
            [] { unlink(SORTIE); });
    })->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("convert/bound", [](benchmark::State& etat) {
        static const std::vector<std::string> noms = banc::planchesDe(DONNEES);
        banc::chronometre(etat, "borne", [] {
            for (const std::string& nom : noms)
                SDL_FreeSurface(decodeImage(nom.c_str()));
        });
    })->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("convert", "moteur", "borne", banc::CPU);
    return 0;
}
