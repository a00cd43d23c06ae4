// convert of the demo hero's sprite data against decoding each distinct
// sheet it names once. Needs no display. Ratio on CPU time.

#include "Banc.h"

#include "render/Decodage.h"
#include "sprites/CSprite.h"

#include <SDL.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const char* const DONNEES = "./viewanims.dat";
const char* const SORTIE = "./bench_conversion.spr";

// The sheets named by the data file's animation records, each once.
std::vector<std::string> planches()
{
    std::ifstream f(DONNEES, std::ios::binary);
    std::string d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    auto mot = [&](size_t p) {
        return p + 4 <= d.size() ? uint32_t(uint8_t(d[p])) | uint32_t(uint8_t(d[p + 1])) << 8 |
                                       uint32_t(uint8_t(d[p + 2])) << 16 | uint32_t(uint8_t(d[p + 3])) << 24
                                 : 0u;
    };
    std::vector<std::string> noms;
    size_t p = 28;
    for (uint32_t a = mot(24); a > 0 && p + 76 <= d.size(); --a) {
        std::string nom(d.c_str() + p + 24, strnlen(d.c_str() + p + 24, 52));
        if (std::find(noms.begin(), noms.end(), nom) == noms.end())
            noms.push_back(nom);
        p += 76 + 80 * size_t(mot(p + 20));
    }
    return noms;
}

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
        static const std::vector<std::string> noms = planches();
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
