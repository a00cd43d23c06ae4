#include "render/Decodage.h"

#include "foundation/FichierOrdinaire.h"
#include "render/DecodageGIF.h"
#include "render/DecodageTIFF.h"
#include "render/DecodageXCF.h"
#include "render/EnteteImage.h"
#include "render/StructureImage.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <strings.h>
#include <vector>

namespace {

// The file name's extension tells SDL_image about formats without a
// signature (TGA), as when it opens the file itself.
const char* extension(const char* fichier)
{
    const char* point = strrchr(fichier, '.');
    return point ? point + 1 : nullptr;
}

// SDL_image gives a grey PNG with a transparent grey (tRNS) as 16-bit
// pixels of grey then alpha, with colour masks that no 16-bit surface can
// have. Rebuilt as the RGBA surface it gives for grey with alpha.
SDL_Surface* corrigeGrisPNG(SDL_Surface* image)
{
    const SDL_PixelFormat* f = image->format;
    if (f->BytesPerPixel != 2 || f->Bmask != 0xFF0000)
        return image;
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, 0x000000FF,
                                             0x0000FF00, 0x00FF0000, 0xFF000000);
    if (rgba) {
        SDL_LockSurface(image);
        for (int y = 0; y < image->h; ++y) {
            const Uint8* source = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
            Uint8* dest = static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch;
            for (int x = 0; x < image->w; ++x) {
                dest[4 * x] = dest[4 * x + 1] = dest[4 * x + 2] = source[2 * x];
                dest[4 * x + 3] = source[2 * x + 1];
            }
        }
        SDL_UnlockSurface(image);
    }
    SDL_FreeSurface(image);
    return rgba;
}

// What the header could not tell: the size of formats it does not know, and
// pixels a cut or hostile file made the decoder invent.
bool imageVraisemblable(const SDL_Surface* image, FormatImage format, size_t tailleFichier)
{
    // A BMP with a nonsense bit count comes out as pixels of under a byte
    // with no palette, which no blit can read.
    const SDL_PixelFormat* f = image->format;
    if ((f->BytesPerPixel == 1 && !f->palette) || f->BytesPerPixel > 4 ||
        (image->w > 0 && image->h > 0 && !image->pixels))
        return false;
    EnteteImage decodee = {format, image->w, image->h, true};
    const long long octets = static_cast<long long>(image->w) * image->h * image->format->BytesPerPixel;
    return tailleImageAcceptable(decodee) && octets <= octetsDecodesMax(format, tailleFichier);
}

SDL_Surface* decodeFichier(const char* fichier)
{
    std::vector<unsigned char> donnees;
    if (!lisFichierOrdinaire(fichier, donnees, TAILLE_FICHIER_IMAGE_MAX))
        return nullptr;
    const char* suffixe = extension(fichier);
    EnteteImage entete =
        lisEnteteImage(donnees.data(), donnees.size(), suffixe && strcasecmp(suffixe, "tga") == 0);
    if (!tailleImageAcceptable(entete) || !coutPlausible(entete, donnees.size()))
        return nullptr;
    if (entete.format == FORMAT_XPM && !xpmComplet(donnees.data(), donnees.size()))
        return nullptr;
    SDL_Surface* image = nullptr;
    if (entete.format == FORMAT_GIF) {
        image = decodeGIF(donnees.data(), donnees.size());
    } else if (entete.format == FORMAT_XCF) {
        image = decodeXCF(donnees.data(), donnees.size());
    } else if (entete.format == FORMAT_INCONNU && signatureTIFF(donnees.data(), donnees.size())) {
        image = decodeTIFF(donnees.data(), donnees.size());
    } else {
        SDL_RWops* flux = SDL_RWFromConstMem(donnees.data(), static_cast<int>(donnees.size()));
        if (!flux)
            return nullptr;
        image = IMG_LoadTyped_RW(flux, 1, const_cast<char*>(suffixe));
        if (image && entete.format == FORMAT_PNG)
            image = corrigeGrisPNG(image);
    }
    if (image && !imageVraisemblable(image, entete.format, donnees.size())) {
        SDL_FreeSurface(image);
        image = nullptr;
    }
    return image;
}

} // namespace

SDL_Surface* decodeFichierImage(const char* fichier)
{
    return fichier ? decodeFichier(fichier) : nullptr;
}
