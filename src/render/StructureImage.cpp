#include "render/StructureImage.h"

#include "render/EnteteImage.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// The quoted strings of an XPM file, in order. The decoder reads them line
// by line, so a line holding a string must hold exactly one, whole; any
// other line is stopped at the first such fault, which leaves fewer strings
// than the file needs. `finDerniere` gets the offset of the last string's closing
// quote.
std::vector<std::string> chainesXPM(const unsigned char* d, size_t n, size_t combien, size_t* finDerniere = nullptr)
{
    std::vector<std::string> chaines;
    for (size_t i = 0; i < n && chaines.size() < combien;) {
        const unsigned char* finLigne = static_cast<const unsigned char*>(memchr(d + i, '\n', n - i));
        const size_t fin = finLigne ? static_cast<size_t>(finLigne - d) : n;
        const unsigned char* q1 = static_cast<const unsigned char*>(memchr(d + i, '"', fin - i));
        if (q1) {
            const size_t a = static_cast<size_t>(q1 - d) + 1;
            const unsigned char* q2 = static_cast<const unsigned char*>(memchr(d + a, '"', fin - a));
            if (!q2 || memchr(q2 + 1, '"', fin - (static_cast<size_t>(q2 - d) + 1)))
                break;
            chaines.emplace_back(reinterpret_cast<const char*>(d + a), static_cast<size_t>(q2 - d) - a);
            if (finDerniere)
                *finDerniere = static_cast<size_t>(q2 - d);
        }
        i = fin + 1;
    }
    return chaines;
}

} // namespace

bool valeursXPM(const unsigned char* d, size_t n, long long v[4])
{
    std::vector<std::string> premiere = chainesXPM(d, n, 1);
    return premiere.size() == 1 &&
           sscanf(premiere[0].c_str(), "%lld %lld %lld %lld", &v[0], &v[1], &v[2], &v[3]) == 4 &&
           v[0] >= 0 && v[1] >= 0 && v[2] > 0 && v[3] > 0;
}

bool xpmComplet(const unsigned char* d, size_t n)
{
    // Text: the decoder's strings end at a zero byte, where ours would not.
    if (memchr(d, 0, n))
        return false;
    long long v[4];
    if (!valeursXPM(d, n, v) || v[0] > COTE_IMAGE_MAX || v[1] > COTE_IMAGE_MAX || v[3] > 8)
        return false;
    const size_t largeur = static_cast<size_t>(v[0]), hauteur = static_cast<size_t>(v[1]);
    const size_t couleurs = static_cast<size_t>(v[2]), cpp = static_cast<size_t>(v[3]);
    // Every string holds a colour or a row, so the file bounds their count.
    if (couleurs + hauteur > n)
        return false;
    // The decoder reads each row with the 3 bytes after it (quote, comma,
    // new line) in one go, and takes a short read for no row at all.
    size_t fin = 0;
    std::vector<std::string> chaines = chainesXPM(d, n, 1 + couleurs + hauteur, &fin);
    if (chaines.size() < 1 + couleurs + hauteur || (hauteur > 0 && n - fin < 3))
        return false;
    std::set<std::string> cles;
    for (size_t k = 1; k <= couleurs; ++k) {
        if (chaines[k].size() < cpp)
            return false;
        cles.insert(chaines[k].substr(0, cpp));
    }
    for (size_t k = 1 + couleurs; k < chaines.size(); ++k) {
        if (chaines[k].size() != largeur * cpp)
            return false;
        for (size_t x = 0; x < largeur; ++x)
            if (!cles.count(chaines[k].substr(x * cpp, cpp)))
                return false;
    }
    return true;
}
