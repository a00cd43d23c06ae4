#include "render/DecodageTIFF.h"

#include "render/EnteteImage.h"

#include <SDL.h>
#include <tiffio.h>

#include <cstring>
#include <mutex>

namespace {

struct Lecture {
    const unsigned char* donnees;
    toff_t taille;
    toff_t position;
};

tsize_t lit(thandle_t h, tdata_t tampon, tsize_t n)
{
    Lecture* l = static_cast<Lecture*>(h);
    toff_t reste = l->taille - l->position;
    toff_t lus = n < 0 ? 0 : (toff_t(n) < reste ? toff_t(n) : reste);
    memcpy(tampon, l->donnees + l->position, lus);
    l->position += lus;
    return static_cast<tsize_t>(lus);
}

tsize_t ecrit(thandle_t, tdata_t, tsize_t) { return 0; }

toff_t cherche(thandle_t h, toff_t decalage, int origine)
{
    Lecture* l = static_cast<Lecture*>(h);
    toff_t base = origine == SEEK_CUR ? l->position : origine == SEEK_END ? l->taille : 0;
    if (base + decalage < base || base + decalage > l->taille)
        return static_cast<toff_t>(-1);
    return l->position = base + decalage;
}

int ferme(thandle_t) { return 0; }
toff_t taille(thandle_t h) { return static_cast<Lecture*>(h)->taille; }
int projette(thandle_t, tdata_t*, toff_t*) { return 0; }
void retire(thandle_t, tdata_t, toff_t) {}

} // namespace

bool signatureTIFF(const unsigned char* d, size_t n)
{
    return n >= 4 && ((memcmp(d, "II*\0", 4) == 0) || memcmp(d, "MM\0*", 4) == 0);
}

SDL_Surface* decodeTIFF(const unsigned char* donnees, size_t n)
{
    // The loaders keep their own messages: libtiff's would only be noise.
    static std::once_flag silence;
    std::call_once(silence, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
    Lecture lecture = {donnees, static_cast<toff_t>(n), 0};
    TIFF* tiff = TIFFClientOpen("image", "rm", &lecture, lit, ecrit, cherche, ferme, taille, projette, retire);
    if (!tiff)
        return nullptr;
    uint32_t largeur = 0, hauteur = 0;
    SDL_Surface* image = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &largeur) && TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &hauteur)) {
        // Always 4 bytes a pixel, so the cost is known before allocating.
        EnteteImage e = {FORMAT_INCONNU, largeur, hauteur, true};
        if (tailleImageAcceptable(e) && 4LL * largeur * hauteur <= octetsDecodesMax(FORMAT_INCONNU, n))
            image = SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(largeur), static_cast<int>(hauteur), 32,
                                         0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    }
    // A 32-bit surface's rows are exactly 4 bytes a pixel, as libtiff
    // writes them; red in the low byte either way.
    if (image && image->w > 0 && image->h > 0 &&
        !TIFFReadRGBAImageOriented(tiff, largeur, hauteur, static_cast<uint32_t*>(image->pixels),
                                   ORIENTATION_TOPLEFT, 0)) {
        SDL_FreeSurface(image);
        image = nullptr;
    }
    TIFFClose(tiff);
    return image;
}
