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
// than the file needs.
std::vector<std::string> chainesXPM(const unsigned char* d, size_t n, size_t combien)
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
        }
        i = fin + 1;
    }
    return chaines;
}

// Reads an XCF file's big-endian words; fails for good at the first one the
// file does not hold, or at an offset outside it.
struct LecteurXCF {
    const unsigned char* d;
    size_t n;
    size_t i;
    bool ok;

    unsigned long mot()
    {
        if (!ok || n - i < 4) {
            ok = false;
            return 0;
        }
        const unsigned char* p = d + i;
        i += 4;
        return (unsigned long)p[0] << 24 | (unsigned long)p[1] << 16 | (unsigned long)p[2] << 8 | p[3];
    }

    void va(unsigned long position)
    {
        ok = ok && position < n;
        if (ok)
            i = position;
    }

    void saute(unsigned long longueur)
    {
        ok = ok && longueur <= n - i;
        if (ok)
            i += longueur;
    }

    // A width and a height within the picture limits and what the file
    // can back: the decoder allocates them.
    void taille()
    {
        const unsigned long largeur = mot(), hauteur = mot();
        EnteteImage e = {FORMAT_XCF, static_cast<long long>(largeur), static_cast<long long>(hauteur), true};
        ok = ok && tailleImageAcceptable(e) && 4 * e.largeur * e.hauteur <= octetsDecodesMax(FORMAT_XCF, n);
    }

    // Properties up to the closing one, whose length is skipped too. The
    // decoder reads some properties by their own size rather than the one
    // written, so those must be written with it; the colour table's count is
    // the one length it takes from inside a property.
    void proprietes()
    {
        // Sizes of properties 2 to 17 (active layer ... compression).
        static const long TAILLES[] = {0, 0, 0, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 8, 3, 1};
        while (ok) {
            const unsigned long type = mot(), longueur = mot();
            if (type == 1) {
                const size_t debut = i;
                const unsigned long couleurs = mot();
                ok = ok && longueur >= 4 && 3ull * couleurs == longueur - 4;
                i = debut;
            } else if (type >= 2 && type <= 17) {
                ok = ok && longueur == static_cast<unsigned long>(TAILLES[type - 2]);
            }
            saute(longueur);
            if (type == 0)
                return;
        }
    }

    // Offsets up to a zero one, each inside the file.
    std::vector<unsigned long> decalages()
    {
        std::vector<unsigned long> liste;
        for (unsigned long m = mot(); ok && m != 0; m = mot()) {
            ok = m < n;
            liste.push_back(m);
        }
        return liste;
    }

    // A hierarchy: size, bytes a pixel, then levels of tiles.
    void hierarchie(unsigned long position)
    {
        va(position);
        taille();
        mot();
        for (unsigned long niveau : decalages()) {
            const size_t retour = i;
            va(niveau);
            taille();
            // The decoder sizes each tile as the gap to the next one.
            const std::vector<unsigned long> tuiles = decalages();
            for (size_t k = 1; k < tuiles.size(); ++k)
                ok = ok && tuiles[k] > tuiles[k - 1];
            i = retour;
        }
    }

    // A layer, or a channel (no type), and the mask after a layer.
    void calque(unsigned long position, bool canal)
    {
        va(position);
        taille();
        if (!canal)
            mot();
        saute(mot());  // the name
        proprietes();
        const unsigned long pixels = mot();
        const unsigned long masque = canal ? 0 : mot();
        if (ok)
            hierarchie(pixels);
        if (ok && masque)
            calque(masque, true);
    }
};


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
    std::vector<std::string> chaines = chainesXPM(d, n, 1 + couleurs + hauteur);
    if (chaines.size() < 1 + couleurs + hauteur)
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

bool xcfComplet(const unsigned char* d, size_t n)
{
    // After the signature and version: width, height and colour model.
    LecteurXCF l = {d, n, 14, n >= 14};
    l.taille();
    l.mot();
    l.proprietes();
    const std::vector<unsigned long> calques = l.decalages();
    const std::vector<unsigned long> canaux = l.decalages();
    for (unsigned long c : calques)
        l.calque(c, false);
    for (unsigned long c : canaux)
        l.calque(c, true);
    return l.ok;
}
