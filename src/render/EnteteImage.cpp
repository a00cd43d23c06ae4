#include "render/EnteteImage.h"

#include "render/StructureImage.h"

#include <cctype>
#include <cstdio>
#include <cstring>


namespace {

unsigned lit16Gros(const unsigned char* p) { return unsigned(p[0]) << 8 | p[1]; }
unsigned lit16Petit(const unsigned char* p) { return unsigned(p[1]) << 8 | p[0]; }
unsigned long lit32Gros(const unsigned char* p)
{
    return (unsigned long)p[0] << 24 | (unsigned long)p[1] << 16 | (unsigned long)p[2] << 8 | p[3];
}
long lit32PetitSigne(const unsigned char* p)
{
    unsigned long v = (unsigned long)p[3] << 24 | (unsigned long)p[2] << 16 | (unsigned long)p[1] << 8 | p[0];
    return static_cast<long>(static_cast<int>(static_cast<unsigned>(v)));
}

void retiens(EnteteImage& e, long long largeur, long long hauteur)
{
    if (largeur < 0)
        largeur = -largeur;
    if (hauteur < 0)
        hauteur = -hauteur;
    if (largeur > e.largeur)
        e.largeur = largeur;
    if (hauteur > e.hauteur)
        e.hauteur = hauteur;
    e.tailleLue = true;
}

void lisPNG(const unsigned char* d, size_t n, EnteteImage& e)
{
    // Signature, then IHDR: length, type, width, height (big-endian).
    if (n >= 24 && memcmp(d + 12, "IHDR", 4) == 0)
        retiens(e, lit32Gros(d + 16), lit32Gros(d + 20));
    // The decoder's reads past the end fail without a word, and it goes on
    // reading chunks of whatever its buffer held: for ever when that is an
    // ancillary chunk it only warns about. So every chunk must be whole, up
    // to the first IDAT; past it the decoder stops when it has its rows, and
    // a file that simply stops between chunks still loads.
    size_t i = 8;
    while (i < n) {
        const unsigned long long longueur = n - i >= 8 ? lit32Gros(d + i) : n;
        if (longueur > n - i || n - i - longueur < 12)
            break;
        if (memcmp(d + i + 4, "IEND", 4) == 0 || memcmp(d + i + 4, "IDAT", 4) == 0)
            return;
        i += 12 + static_cast<size_t>(longueur);
    }
    e.tailleLue = false;
}

bool marqueurSOF(unsigned char m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

void lisJPEG(const unsigned char* d, size_t n, EnteteImage& e)
{
    size_t i = 2;
    while (i + 4 <= n) {
        if (d[i] != 0xFF) {
            ++i;  // not at a marker: resynchronise as decoders do
            continue;
        }
        unsigned char m = d[i + 1];
        if (m == 0xFF) {  // fill byte
            ++i;
            continue;
        }
        // A stuffed data byte, or a marker without a length.
        if (m == 0x00 || m == 0x01 || (m >= 0xD0 && m <= 0xD9)) {
            i += 2;
            continue;
        }
        size_t longueur = lit16Gros(d + i + 2);
        if (marqueurSOF(m)) {
            // Every frame header counts: a decoder may read more than one.
            if (i + 9 <= n)
                retiens(e, lit16Gros(d + i + 7), lit16Gros(d + i + 5));
        }
        if (longueur < 2)
            return;
        i += 2 + longueur;
    }
}

// Skips a chain of GIF sub-blocks starting at i; the index after the empty
// block ending it, or n when the file ends first.
size_t sauteSousBlocs(const unsigned char* d, size_t n, size_t i)
{
    while (i < n && d[i] != 0)
        i += 1 + size_t(d[i]);
    return i < n ? i + 1 : n;
}

void lisGIF(const unsigned char* d, size_t n, EnteteImage& e)
{
    if (n < 13)
        return;
    retiens(e, lit16Petit(d + 6), lit16Petit(d + 8));
    size_t i = 13;
    if (d[10] & 0x80)
        i += 3u * (1u << ((d[10] & 7) + 1));
    while (i < n) {
        if (d[i] == 0x21) {  // extension: label, then sub-blocks
            i = sauteSousBlocs(d, n, i + 2);
        } else if (d[i] == 0x2C) {  // image descriptor
            if (i + 10 > n)
                return;
            retiens(e, lit16Petit(d + i + 5), lit16Petit(d + i + 7));
            unsigned char drapeaux = d[i + 9];
            i += 10;
            if (drapeaux & 0x80)
                i += 3u * (1u << ((drapeaux & 7) + 1));
            i = sauteSousBlocs(d, n, i + 1);  // after the LZW code size
        } else {
            return;  // trailer or garbage: nothing further is an image
        }
    }
}

void lisBMP(const unsigned char* d, size_t n, EnteteImage& e)
{
    // The whole information header, or SDL reads the missing fields from
    // memory it never filled.
    if (n < 18)
        return;
    unsigned long tailleDIB = d[14] | (unsigned long)d[15] << 8;
    if (n < 14 + (tailleDIB < 12 ? 12 : tailleDIB) || n < 26)
        return;
    if (tailleDIB == 12)  // OS/2 header: 16-bit sizes
        retiens(e, lit16Petit(d + 18), lit16Petit(d + 20));
    else
        retiens(e, lit32PetitSigne(d + 18), lit32PetitSigne(d + 22));
}

// Icons and cursors: a directory of pictures of at most 256 pixels a side,
// 0 meaning 256. The decoder takes one of them.
bool ressembleICO(const unsigned char* d, size_t n)
{
    return n >= 6 && d[0] == 0 && d[1] == 0 && (d[2] == 1 || d[2] == 2) && d[3] == 0 &&
           (d[4] | d[5]) != 0;
}

void lisICO(const unsigned char* d, size_t n, EnteteImage& e)
{
    const size_t nombre = lit16Petit(d + 4);
    bool valide = true;
    for (size_t k = 0; k < nombre && 6 + 16 * (k + 1) <= n; ++k) {
        const unsigned char* entree = d + 6 + 16 * k;
        retiens(e, entree[0] ? entree[0] : 256, entree[1] ? entree[1] : 256);
        // The decoder sizes its surface from the picture's own header (its
        // height counting the mask too), not from the directory.
        const unsigned long debut = static_cast<unsigned long>(lit32PetitSigne(entree + 12)) & 0xFFFFFFFFul;
        if (debut <= n && n - debut >= 12) {
            const long largeur = lit32PetitSigne(d + debut + 4), hauteur = lit32PetitSigne(d + debut + 8);
            valide = valide && largeur > 0 && hauteur > 0;
            retiens(e, largeur, hauteur / 2);
        }
    }
    e.tailleLue = e.tailleLue && valide;
}

// PNM and XV thumbnails: "P1" to "P7", then numbers in text, each header
// line of a thumbnail that starts with '#' being a comment; width and
// height come first.
void lisPNM(const unsigned char* d, size_t n, EnteteImage& e)
{
    size_t i = 2;
    if (d[1] == '7') {  // "P7 332", then comment lines
        while (i < n && d[i] != '\n')
            ++i;
        while (i + 1 < n && d[i + 1] == '#')
            for (++i; i < n && d[i] != '\n'; ++i) {
            }
    }
    long long valeurs[2] = {-1, -1};
    for (int k = 0; k < 2; ++k) {
        while (i < n && (isspace(d[i]) || d[i] == '#')) {
            if (d[i] == '#')
                while (i < n && d[i] != '\n')
                    ++i;
            else
                ++i;
        }
        if (i >= n || !isdigit(d[i]))
            return;
        valeurs[k] = 0;
        for (; i < n && isdigit(d[i]) && valeurs[k] < (1LL << 40); ++i)
            valeurs[k] = valeurs[k] * 10 + (d[i] - '0');
    }
    retiens(e, valeurs[0], valeurs[1]);
}

// ILBM and PBM: the BMHD chunk gives width and height. The decoder walks
// the chunks up to BODY without noticing the end of the file, going round
// for ever on what its last read left: every chunk up to a whole BODY must
// be in the file.
void lisLBM(const unsigned char* d, size_t n, EnteteImage& e)
{
    size_t i = 12;
    while (n - i >= 8) {
        const unsigned long long taille = lit32Gros(d + i + 4);
        if (taille > n - i - 8)
            break;
        if (memcmp(d + i, "BMHD", 4) == 0 && taille >= 4)
            retiens(e, lit16Gros(d + i + 8), lit16Gros(d + i + 10));
        if (memcmp(d + i, "BODY", 4) == 0)
            return;
        i += 8 + static_cast<size_t>(taille) + (taille & 1);
        if (i > n)
            break;
    }
    e.tailleLue = false;
}

bool ressembleTGA(const unsigned char* d, size_t n)
{
    if (n < 18 || d[1] > 1)
        return false;
    unsigned char type = d[2];
    return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
}

// TGA has no signature and SDL_image reads a cut TGA without a word, so
// its size counts only when the file holds the pixels it declares: all of
// them uncompressed, a packet per 128 pixels at least when run-length coded.
void lisTGA(const unsigned char* d, size_t n, EnteteImage& e)
{
    const unsigned long long largeur = lit16Petit(d + 12);
    const unsigned long long hauteur = lit16Petit(d + 14);
    const unsigned long long octetsPixel = d[16] == 0 ? 1 : (d[16] + 7u) / 8;
    const unsigned long long octetsPalette = d[1] ? lit16Petit(d + 5) * ((d[7] + 7ull) / 8) : 0;
    const unsigned long long pixels = largeur * hauteur;
    unsigned long long voulu = 18 + d[0] + octetsPalette;
    if (d[2] >= 9)
        voulu += (pixels + 127) / 128 * (1 + octetsPixel);
    else
        voulu += pixels * octetsPixel;
    if (n >= voulu)
        retiens(e, static_cast<long long>(largeur), static_cast<long long>(hauteur));
}

} // namespace

EnteteImage lisEnteteImage(const unsigned char* d, size_t n, bool nommeeTGA)
{
    EnteteImage e = {FORMAT_INCONNU, 0, 0, false};
    static const unsigned char signaturePNG[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n >= 8 && memcmp(d, signaturePNG, 8) == 0) {
        e.format = FORMAT_PNG;
        lisPNG(d, n, e);
    } else if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) {
        e.format = FORMAT_JPEG;
        lisJPEG(d, n, e);
    } else if (n >= 6 && (memcmp(d, "GIF87a", 6) == 0 || memcmp(d, "GIF89a", 6) == 0)) {
        e.format = FORMAT_GIF;
        lisGIF(d, n, e);
    } else if (n >= 2 && d[0] == 'B' && d[1] == 'M') {
        e.format = FORMAT_BMP;
        lisBMP(d, n, e);
    } else if (n >= 9 && memcmp(d, "gimp xcf ", 9) == 0) {
        e.format = FORMAT_XCF;
        // After the signature and version: width and height, big-endian.
        if (n >= 22)
            retiens(e, static_cast<long long>(lit32Gros(d + 14)), static_cast<long long>(lit32Gros(d + 18)));
    } else if (n >= 9 && memcmp(d, "/* XPM */", 9) == 0) {
        e.format = FORMAT_XPM;
        long long v[4];
        if (valeursXPM(d, n, v))
            retiens(e, v[0], v[1]);
    } else if (n >= 12 && d[0] == 0x0A && d[2] == 1) {
        // PCX: the corners of the picture, inclusive. Corners the wrong way
        // round make the decoder ask for a surface of negative size. Each
        // plane of a line takes the bytes a line at 66 (signed); the decoder
        // reads the line's pixels from that many and, for 8-bit pictures,
        // writes them whole into a row of the picture: they must hold the
        // line and fit its row (padded to 4 bytes).
        e.format = FORMAT_PCX;
        const long long largeur = (long long)lit16Petit(d + 8) - lit16Petit(d + 4) + 1;
        const long long hauteur = (long long)lit16Petit(d + 10) - lit16Petit(d + 6) + 1;
        bool ligne = true;
        if (n >= 68 && largeur > 0) {
            const long long octets = static_cast<short>(lit16Petit(d + 66));
            const long long utiles = (largeur * d[3] + 7) / 8;
            ligne = octets >= utiles && octets <= (utiles + 3) / 4 * 4;
        }
        if (largeur > 0 && hauteur > 0 && ligne)
            retiens(e, largeur, hauteur);
    } else if (n >= 3 && d[0] == 'P' && d[1] >= '1' && d[1] <= '7') {
        e.format = FORMAT_PNM;
        lisPNM(d, n, e);
    } else if (n >= 12 && memcmp(d, "FORM", 4) == 0 &&
               (memcmp(d + 8, "ILBM", 4) == 0 || memcmp(d + 8, "PBM ", 4) == 0)) {
        e.format = FORMAT_LBM;
        lisLBM(d, n, e);
    } else if (ressembleICO(d, n)) {
        // Before TGA: the decoder knows icons by this signature, and an
        // icon's header also reads as a TGA one.
        e.format = FORMAT_ICO;
        lisICO(d, n, e);
    } else if (nommeeTGA || ressembleTGA(d, n)) {
        e.format = FORMAT_TGA;
        if (n >= 18)
            lisTGA(d, n, e);
    }
    return e;
}

bool tailleImageAcceptable(const EnteteImage& e)
{
    // A known format whose header is cut before its size holds no picture.
    if (e.format != FORMAT_INCONNU && !e.tailleLue)
        return false;
    if (e.largeur > COTE_IMAGE_MAX || e.hauteur > COTE_IMAGE_MAX)
        return false;
    return e.largeur * e.hauteur <= PIXELS_IMAGE_MAX;
}

long long octetsDecodesMax(FormatImage format, size_t tailleFichier)
{
    // Decoded bytes per file byte, from the densest coding each format has.
    long long rapport;
    switch (format) {
    case FORMAT_JPEG:
        // Huffman coding spends at least a bit on every 8 x 8 block of a
        // component; a grey picture, decoded to 3 bytes a pixel, gets the
        // most from it: 192 bytes a bit, 1536 a byte. A margin above that.
        rapport = 2048;
        break;
    case FORMAT_GIF:
        // A 12-bit LZW code stands for at most 4096 one-byte pixels.
        rapport = 4096;
        break;
    case FORMAT_BMP:
    case FORMAT_TGA:
        // Run-length packets: 255 pixels in 2 bytes for BMP, 128 pixels in
        // 2 bytes at 4 bytes a pixel for TGA. A BMP's end-of-picture code
        // leaves the rest blank, which no honest picture needs.
        rapport = 256;
        break;
    default:
        // Deflate gives at most 1032 bytes a byte (PNG and the other
        // compressed formats), and a 1-bit pixel can come out as 4 bytes.
        rapport = 1032LL * 32;
        break;
    }
    return static_cast<long long>(tailleFichier) * rapport;
}

bool coutPlausible(const EnteteImage& e, size_t tailleFichier)
{
    // A JPEG always comes out at 3 bytes a pixel, the others at 1 at least.
    const long long octetsPixel = e.format == FORMAT_JPEG ? 3 : 1;
    return e.largeur * e.hauteur * octetsPixel <= octetsDecodesMax(e.format, tailleFichier);
}
