#ifndef CORVANTHELIS_BENCH_PLANCHES_H
#define CORVANTHELIS_BENCH_PLANCHES_H

// The sheets named by a sprite data file's animation records, each once, in
// the order first named: what a conversion of that file cannot avoid
// decoding.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace banc {

inline std::vector<std::string> planchesDe(const char* donnees)
{
    std::ifstream f(donnees, std::ios::binary);
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

#endif
