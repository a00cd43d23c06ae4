// The browser build's decoding library: stb_image, in plain memory (GIFs
// included: their first image). The file's checks before it and the
// plausibility check after it are the desktop's (render/Decodage.cpp).

#include "render/DecodageBibliotheque.h"

#include <SDL.h>

#include <cstring>

#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_NO_PSD
#define STBI_NO_PIC
#define STBI_NO_PNM
#define STBI_FAILURE_USERMSG
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb_image.h>
#pragma GCC diagnostic pop

SDL_Surface* decodeParBibliotheque(const unsigned char* donnees, std::size_t taille, const EnteteImage& entete,
                                   const char*)
{
    if (taille == 0)
        return nullptr;
    int w = 0, h = 0, canaux = 0;
    stbi_uc* pixels = stbi_load_from_memory(donnees, static_cast<int>(taille), &w, &h, &canaux, 4);
    if (!pixels)
        return nullptr;
    // Pictures without alpha stay without, as SDL_image gives them: the
    // colour keys of the sheets apply to them.
    const bool alpha = canaux == 2 || canaux == 4;
    SDL_Surface* s
        = alpha ? SDL_CreateRGBSurface(0, w, h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000)
                : SDL_CreateRGBSurface(0, w, h, 24, 0x000000FF, 0x0000FF00, 0x00FF0000, 0);
    if (s) {
        for (int y = 0; y < h; ++y) {
            const stbi_uc* source = pixels + static_cast<size_t>(y) * w * 4;
            Uint8* dest = static_cast<Uint8*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
            if (alpha) {
                // Transparent pixels as black, as a keyed GIF pixel is copied.
                for (int x = 0; x < w; ++x, source += 4, dest += 4) {
                    const bool vide = source[3] == 0 && entete.format == FORMAT_GIF;
                    for (int k = 0; k < 4; ++k)
                        dest[k] = vide ? 0 : source[k];
                }
            } else {
                for (int x = 0; x < w; ++x, source += 4, dest += 3)
                    memcpy(dest, source, 3);
            }
        }
    }
    stbi_image_free(pixels);
    return s;
}
