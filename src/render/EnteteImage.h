#ifndef CORVANTHELIS_RENDER_ENTETEIMAGE_H
#define CORVANTHELIS_RENDER_ENTETEIMAGE_H

// The size a picture file declares, read from its header before anything is
// decoded, so that a small file cannot make the decoder allocate gigabytes
// or run for ever. Knows PNG, JPEG, GIF (every image in it, not only the
// logical screen), BMP, ICO and CUR, XCF, XPM, PCX, PNM (XV thumbnails
// too), LBM and TGA; other formats (TIFF) are left to their decoder, and
// every size is checked again once decoded. Pure byte reading: no
// SDL, no display.

#include <cstddef>

enum FormatImage {
    FORMAT_INCONNU,
    FORMAT_PNG,
    FORMAT_JPEG,
    FORMAT_GIF,
    FORMAT_BMP,
    FORMAT_ICO,
    FORMAT_XCF,
    FORMAT_XPM,
    FORMAT_PCX,
    FORMAT_PNM,
    FORMAT_LBM,
    FORMAT_TGA
};

struct EnteteImage {
    FormatImage format;
    // The largest width and height declared anywhere in the header; 0 when
    // they could not be read (a truncated file, or a TGA too short for its
    // pixels).
    long long largeur;
    long long hauteur;
    // False when the header ends before its size; a size read as 0 is an
    // empty picture.
    bool tailleLue;
};

// Limits of a picture the engine accepts: a side and the pixel count.
const long long COTE_IMAGE_MAX = 16384;
const long long PIXELS_IMAGE_MAX = 64LL * 1024 * 1024;

// `nommeeTGA`: the file's name ends in ".tga", so SDL_image reads it as TGA
// whatever its header holds, unless another format's signature opens it.
EnteteImage lisEnteteImage(const unsigned char* donnees, std::size_t taille, bool nommeeTGA = false);

// False when the declared size passes the limits, and when a known format's
// header ends before its size (or declares none). A file of unknown format
// passes: its decoder, if any, reads it.
bool tailleImageAcceptable(const EnteteImage& entete);

// The most bytes a picture of `format` decoded from `tailleFichier` bytes
// can honestly take: past it, the decoder made the pixels up (a cut file
// completed with filler) or the file is a bomb.
long long octetsDecodesMax(FormatImage format, std::size_t tailleFichier);
// False when the size the header declares already costs more than that.
bool coutPlausible(const EnteteImage& entete, std::size_t tailleFichier);

#endif
