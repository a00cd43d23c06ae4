#include "render/DecodageXCF.h"

#include "render/EnteteImage.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const unsigned COTE_TUILE = 64;

enum Propriete {
    PROP_FIN = 0,
    PROP_PALETTE = 1,
    PROP_OPACITE = 6,
    PROP_VISIBLE = 8,
    PROP_APPLIQUE_MASQUE = 11,
    PROP_DECALAGES = 15,
    PROP_COMPRESSION = 17
};

// Bytes a pixel of each layer type: RGB, RGB and alpha, grey, grey and
// alpha, indexed, indexed and alpha.
const unsigned OCTETS_TYPE[6] = {3, 4, 1, 2, 1, 2};

// Big-endian words and bytes; fails for good at the first one the file does
// not hold, or at an offset outside it.
struct Lecteur {
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

    long motSigne() { return static_cast<long>(static_cast<int>(static_cast<unsigned>(mot()))); }

    unsigned octet()
    {
        if (!ok || i >= n) {
            ok = false;
            return 0;
        }
        return d[i++];
    }

    // The next `longueur` bytes, or null when the file ends first.
    const unsigned char* octets(unsigned long longueur)
    {
        if (!ok || longueur > n - i) {
            ok = false;
            return nullptr;
        }
        i += longueur;
        return d + i - longueur;
    }

    void va(unsigned long position)
    {
        ok = ok && position < n;
        if (ok)
            i = position;
    }
};

struct Image {
    unsigned long largeur = 0, hauteur = 0;
    bool rle = false;
    std::vector<unsigned char> palette;  // 3 bytes a colour
    SDL_Surface* surface = nullptr;
};

// Properties up to the closing one, each handed to `lis` with the reader at
// its data; whatever `lis` leaves of a property's length is skipped.
template <typename Lecture>
void proprietes(Lecteur& l, Lecture lis)
{
    while (l.ok) {
        const unsigned long type = l.mot(), longueur = l.mot();
        if (type == PROP_FIN)
            return;
        const size_t debut = l.i;
        if (!l.octets(longueur))
            return;
        l.i = debut;
        lis(type, longueur);
        l.ok = l.ok && l.i <= debut + longueur;
        l.i = debut + longueur;
    }
}

// A picture's pixels: a hierarchy, whose first level holds the offsets of
// its 64 x 64 tiles, row by row.
struct Pixels {
    unsigned long octetsPixel = 0;
    std::vector<unsigned long> tuiles;
};

Pixels lisHierarchie(Lecteur& l, unsigned long position, unsigned long largeur, unsigned long hauteur,
                     unsigned long octetsPixel)
{
    Pixels p;
    p.octetsPixel = octetsPixel;
    l.va(position);
    l.ok = l.ok && l.mot() == largeur && l.mot() == hauteur && l.mot() == octetsPixel;
    l.va(l.mot());  // the first level; the smaller ones are not read
    l.ok = l.ok && l.mot() == largeur && l.mot() == hauteur;
    const unsigned long nombre =
        ((largeur + COTE_TUILE - 1) / COTE_TUILE) * ((hauteur + COTE_TUILE - 1) / COTE_TUILE);
    for (unsigned long k = 0; l.ok && k < nombre; ++k) {
        p.tuiles.push_back(l.mot());
        l.ok = l.ok && p.tuiles.back() != 0;
    }
    return p;
}

// One tile, `ox` x `oy` pixels, into `tuile` with its bytes a pixel side by
// side. Run-length tiles hold each byte of the pixel as a plane of runs.
bool lisTuile(Lecteur& l, const Image& image, const Pixels& p, unsigned long k, unsigned ox, unsigned oy,
              std::vector<unsigned char>& tuile)
{
    const size_t pixels = size_t(ox) * oy;
    const unsigned bpp = static_cast<unsigned>(p.octetsPixel);
    tuile.assign(pixels * bpp, 0);
    l.va(p.tuiles[k]);
    if (!image.rle) {
        const unsigned char* brut = l.octets(pixels * bpp);
        if (brut)
            memcpy(tuile.data(), brut, pixels * bpp);
        return l.ok;
    }
    for (unsigned c = 0; c < bpp && l.ok; ++c) {
        size_t x = 0;
        while (l.ok && x < pixels) {
            const unsigned code = l.octet();
            const bool copie = code >= 128;
            size_t longueur = copie ? 256 - code : code + 1;
            if (longueur == 128) {
                const unsigned fort = l.octet();
                longueur = fort << 8 | l.octet();
            }
            if (longueur == 0 || longueur > pixels - x)
                return false;
            if (copie) {
                const unsigned char* source = l.octets(longueur);
                for (size_t j = 0; source && j < longueur; ++j)
                    tuile[(x + j) * bpp + c] = source[j];
            } else {
                const unsigned char valeur = static_cast<unsigned char>(l.octet());
                for (size_t j = 0; j < longueur; ++j)
                    tuile[(x + j) * bpp + c] = valeur;
            }
            x += longueur;
        }
    }
    return l.ok;
}

// Red, green, blue and alpha of a pixel of a layer of `type`; false for an
// index past the colour table.
bool couleur(const Image& image, unsigned type, const unsigned char* p, unsigned char rgba[4])
{
    const bool alpha = type % 2 == 1;
    rgba[3] = alpha ? p[OCTETS_TYPE[type] - 1] : 255;
    if (type <= 1) {
        memcpy(rgba, p, 3);
    } else if (type <= 3) {
        rgba[0] = rgba[1] = rgba[2] = p[0];
    } else {
        if (3u * p[0] + 3 > image.palette.size())
            return false;
        memcpy(rgba, &image.palette[3u * p[0]], 3);
    }
    return true;
}

// Paints `rgba` over the picture's pixel, straight alpha on both sides.
void peint(Uint32* cible, const unsigned char rgba[4], unsigned alpha)
{
    const unsigned fondA = *cible >> 24;
    if (alpha == 255 || fondA == 0) {
        *cible = Uint32(alpha) << 24 | Uint32(rgba[0]) << 16 | Uint32(rgba[1]) << 8 | rgba[2];
        return;
    }
    const unsigned fondPart = fondA * (255 - alpha);  // over 255 * 255
    const unsigned totalA = alpha * 255 + fondPart;   // over 255 * 255
    if (totalA == 0) {
        *cible = 0;
        return;
    }
    Uint32 resultat = ((totalA + 127) / 255) << 24;
    for (int c = 0; c < 3; ++c) {
        const unsigned fondC = (*cible >> (16 - 8 * c)) & 0xFF;
        const unsigned v = (rgba[c] * alpha * 255 + fondC * fondPart + totalA / 2) / totalA;
        resultat |= std::min(v, 255u) << (16 - 8 * c);
    }
    *cible = resultat;
}

struct Calque {
    unsigned long largeur = 0, hauteur = 0, type = 0;
    bool visible = true, masqueApplique = false;
    unsigned long opacite = 255;
    long x = 0, y = 0;
    unsigned long pixels = 0, masque = 0;
};

bool peintCalque(Lecteur& l, Image& image, const Calque& c)
{
    const Pixels pixels = lisHierarchie(l, c.pixels, c.largeur, c.hauteur, OCTETS_TYPE[c.type]);
    Pixels masque;
    if (c.masqueApplique && c.masque) {
        // A channel: size, name and properties before its pixels.
        l.va(c.masque);
        l.ok = l.ok && l.mot() == c.largeur && l.mot() == c.hauteur;
        l.octets(l.mot());
        proprietes(l, [](unsigned long, unsigned long) {});
        masque = lisHierarchie(l, l.mot(), c.largeur, c.hauteur, 1);
    }
    std::vector<unsigned char> tuile, tuileMasque;
    unsigned char rgba[4];
    Uint32* const debut = static_cast<Uint32*>(image.surface->pixels);
    const long pas = image.surface->pitch / 4;
    const unsigned long parLigne = (c.largeur + COTE_TUILE - 1) / COTE_TUILE;
    for (unsigned long k = 0; l.ok && k < pixels.tuiles.size(); ++k) {
        const unsigned long tx = k % parLigne * COTE_TUILE, ty = k / parLigne * COTE_TUILE;
        const unsigned ox = static_cast<unsigned>(std::min<unsigned long>(COTE_TUILE, c.largeur - tx));
        const unsigned oy = static_cast<unsigned>(std::min<unsigned long>(COTE_TUILE, c.hauteur - ty));
        if (!lisTuile(l, image, pixels, k, ox, oy, tuile) ||
            (!masque.tuiles.empty() && !lisTuile(l, image, masque, k, ox, oy, tuileMasque)))
            return false;
        for (unsigned y = 0; y < oy; ++y) {
            const long long py = c.y + static_cast<long long>(ty) + y;
            for (unsigned x = 0; x < ox; ++x) {
                const size_t j = size_t(y) * ox + x;
                if (!couleur(image, static_cast<unsigned>(c.type), &tuile[j * pixels.octetsPixel], rgba))
                    return false;
                const long long px = c.x + static_cast<long long>(tx) + x;
                if (px < 0 || py < 0 || px >= static_cast<long long>(image.largeur) ||
                    py >= static_cast<long long>(image.hauteur))
                    continue;
                unsigned alpha = rgba[3] * static_cast<unsigned>(c.opacite);
                alpha = masque.tuiles.empty() ? (alpha + 127) / 255 : (alpha * tuileMasque[j] + 32512) / 65025;
                if (alpha > 0)
                    peint(debut + py * pas + px, rgba, alpha);
            }
        }
    }
    return l.ok;
}

Calque lisCalque(Lecteur& l, unsigned long position)
{
    Calque c;
    l.va(position);
    c.largeur = l.mot();
    c.hauteur = l.mot();
    c.type = l.mot();
    l.ok = l.ok && c.type < 6;
    l.octets(l.mot());  // the name
    proprietes(l, [&](unsigned long type, unsigned long) {
        if (type == PROP_VISIBLE)
            c.visible = l.mot() != 0;
        else if (type == PROP_OPACITE)
            c.opacite = std::min(l.mot(), 255ul);
        else if (type == PROP_APPLIQUE_MASQUE)
            c.masqueApplique = l.mot() != 0;
        else if (type == PROP_DECALAGES) {
            c.x = l.motSigne();
            c.y = l.motSigne();
        }
    });
    c.pixels = l.mot();
    c.masque = l.mot();
    return c;
}

} // namespace

SDL_Surface* decodeXCF(const unsigned char* donnees, size_t n)
{
    // Versions 0 ("file") to 3; later ones add fields this reader skips.
    if (n < 14 || memcmp(donnees, "gimp xcf ", 9) != 0 ||
        (memcmp(donnees + 9, "file", 5) != 0 &&
         (donnees[9] != 'v' || memcmp(donnees + 10, "00", 2) != 0 || donnees[12] < '1' || donnees[12] > '3' ||
          donnees[13] != 0)))
        return nullptr;
    Lecteur l = {donnees, n, 14, true};
    Image image;
    image.largeur = l.mot();
    image.hauteur = l.mot();
    l.mot();  // colour model: the layers' types say the same
    proprietes(l, [&](unsigned long type, unsigned long) {
        if (type == PROP_PALETTE) {
            const unsigned long couleurs = l.mot();
            const unsigned char* p = l.octets(3 * std::min(couleurs, 256ul));
            if (p)
                image.palette.assign(p, p + 3 * std::min(couleurs, 256ul));
        } else if (type == PROP_COMPRESSION) {
            const unsigned mode = l.octet();
            l.ok = l.ok && mode <= 1;
            image.rle = mode == 1;
        }
    });
    std::vector<unsigned long> calques;
    for (unsigned long m = l.mot(); l.ok && m != 0; m = l.mot())
        calques.push_back(m);
    EnteteImage e = {FORMAT_XCF, static_cast<long long>(image.largeur), static_cast<long long>(image.hauteur), true};
    if (!l.ok || !tailleImageAcceptable(e))
        return nullptr;
    // Painting costs a layer's whole size, on the picture or not: all of
    // them together within what the file could honestly ask for.
    std::vector<Calque> lus;
    long long cout = 4LL * e.largeur * e.hauteur;
    for (unsigned long position : calques) {
        lus.push_back(lisCalque(l, position));
        const Calque& c = lus.back();
        EnteteImage taille = {FORMAT_XCF, static_cast<long long>(c.largeur), static_cast<long long>(c.hauteur), true};
        if (!l.ok || !tailleImageAcceptable(taille))
            return nullptr;
        cout += 4LL * taille.largeur * taille.hauteur;
        if (cout > octetsDecodesMax(FORMAT_XCF, n))
            return nullptr;
    }
    image.surface = SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(image.largeur),
                                         static_cast<int>(image.hauteur), 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                         0xFF000000);
    if (!image.surface)
        return nullptr;
    if (image.surface->pixels)
        memset(image.surface->pixels, 0, static_cast<size_t>(image.surface->pitch) * image.surface->h);
    // The file lists the top layer first.
    for (auto c = lus.rbegin(); c != lus.rend(); ++c) {
        if (c->visible && c->opacite > 0 && !peintCalque(l, image, *c)) {
            SDL_FreeSurface(image.surface);
            return nullptr;
        }
    }
    return image.surface;
}
