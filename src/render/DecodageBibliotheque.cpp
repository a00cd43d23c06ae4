#include "render/DecodageBibliotheque.h"

#include "render/DecodageGIF.h"
#include "render/DecodageTIFF.h"

#include <SDL.h>
#include <SDL_image.h>

namespace {

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

} // namespace

SDL_Surface* decodeParBibliotheque(const unsigned char* donnees, std::size_t taille, const EnteteImage& entete,
                                   const char* suffixe)
{
    if (entete.format == FORMAT_GIF)
        return decodeGIF(donnees, taille);
    if (entete.format == FORMAT_INCONNU && signatureTIFF(donnees, taille))
        return decodeTIFF(donnees, taille);
    SDL_RWops* flux = SDL_RWFromConstMem(donnees, static_cast<int>(taille));
    if (!flux)
        return nullptr;
    SDL_Surface* image = IMG_LoadTyped_RW(flux, 1, const_cast<char*>(suffixe));
    if (image && entete.format == FORMAT_PNG)
        image = corrigeGrisPNG(image);
    return image;
}
