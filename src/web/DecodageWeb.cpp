// Pictures for the browser build, decoded in plain memory with stb_image
// (GIFs included: their first image). The same file checks as everywhere:
// a regular file of a sane size, the declared size within the picture
// limits before anything is decoded, and a truncated file fails.

#include "foundation/FichierOrdinaire.h"
#include "render/Decodage.h"
#include "render/EnteteImage.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

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

namespace {

bool nommeeTGA(const char* fichier)
{
    const char* point = strrchr(fichier, '.');
    return point && strcasecmp(point + 1, "tga") == 0;
}

} // namespace

SDL_Surface* decodeFichierImage(const char* fichier)
{
    if (!fichier)
        return nullptr;
    std::vector<unsigned char> donnees;
    if (!lisFichierOrdinaire(fichier, donnees, TAILLE_FICHIER_IMAGE_MAX) || donnees.empty())
        return nullptr;
    EnteteImage entete = lisEnteteImage(donnees.data(), donnees.size(), nommeeTGA(fichier));
    if (!tailleImageAcceptable(entete))
        return nullptr;
    int w = 0, h = 0, canaux = 0;
    stbi_uc* pixels
        = stbi_load_from_memory(donnees.data(), static_cast<int>(donnees.size()), &w, &h, &canaux, 4);
    if (!pixels)
        return nullptr;
    if (static_cast<long long>(w) * h > PIXELS_IMAGE_MAX || w > COTE_IMAGE_MAX || h > COTE_IMAGE_MAX) {
        stbi_image_free(pixels);
        return nullptr;
    }
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
