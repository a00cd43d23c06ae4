#include "render/DecodageGIF.h"

#include "render/EnteteImage.h"

#include <SDL.h>
#include <gif_lib.h>

#include <cstring>

namespace {

struct Lecture {
    const unsigned char* donnees;
    size_t taille;
    size_t position;
};

int litOctets(GifFileType* gif, GifByteType* tampon, int n)
{
    Lecture* l = static_cast<Lecture*>(gif->UserData);
    size_t reste = l->taille - l->position;
    size_t lus = n < 0 ? 0 : (size_t(n) < reste ? size_t(n) : reste);
    memcpy(tampon, l->donnees + l->position, lus);
    l->position += lus;
    return static_cast<int>(lus);
}

// Reads the rest of an extension; the transparent index of a graphic
// control block goes to `transparent` (-1 when it sets none).
bool lisExtension(GifFileType* gif, int code, GifByteType* bloc, int& transparent)
{
    if (code == GRAPHICS_EXT_FUNC_CODE && bloc && bloc[0] >= 4)
        transparent = (bloc[1] & 1) ? bloc[4] : -1;
    while (bloc) {
        if (DGifGetExtensionNext(gif, &bloc) == GIF_ERROR)
            return false;
    }
    return true;
}

SDL_Surface* lisImage(GifFileType* gif, int transparent)
{
    const GifImageDesc& desc = gif->Image;
    EnteteImage taille = {FORMAT_GIF, desc.Width, desc.Height, true};
    // 0 x 0 is an empty picture, loaded as such.
    if (desc.Width < 0 || desc.Height < 0 || !tailleImageAcceptable(taille))
        return nullptr;
    ColorMapObject* palette = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!palette)
        return nullptr;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, desc.Width, desc.Height, 8, 0, 0, 0, 0);
    if (!s)
        return nullptr;
    // All 256 entries, so a pixel past a short colour table still maps.
    SDL_Color couleurs[256] = {};
    for (int i = 0; i < palette->ColorCount && i < 256; ++i) {
        couleurs[i].r = palette->Colors[i].Red;
        couleurs[i].g = palette->Colors[i].Green;
        couleurs[i].b = palette->Colors[i].Blue;
    }
    SDL_SetColors(s, couleurs, 0, 256);

    Uint8* pixels = static_cast<Uint8*>(s->pixels);
    bool ok = true;
    if (desc.Interlace) {
        static const int debut[4] = {0, 4, 2, 1};
        static const int pas[4] = {8, 8, 4, 2};
        for (int passe = 0; ok && passe < 4; ++passe)
            for (int y = debut[passe]; ok && y < desc.Height; y += pas[passe])
                ok = DGifGetLine(gif, pixels + y * s->pitch, desc.Width) == GIF_OK;
    } else {
        for (int y = 0; ok && y < desc.Height; ++y)
            ok = DGifGetLine(gif, pixels + y * s->pitch, desc.Width) == GIF_OK;
    }
    if (!ok) {
        SDL_FreeSurface(s);
        return nullptr;
    }
    if (transparent >= 0)
        SDL_SetColorKey(s, SDL_SRCCOLORKEY, static_cast<Uint32>(transparent));
    return s;
}

} // namespace

SDL_Surface* decodeGIF(const unsigned char* donnees, size_t taille)
{
    Lecture lecture = {donnees, taille, 0};
    int erreur = 0;
    GifFileType* gif = DGifOpen(&lecture, litOctets, &erreur);
    if (!gif)
        return nullptr;
    SDL_Surface* image = nullptr;
    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* bloc;
            if (DGifGetExtension(gif, &code, &bloc) == GIF_ERROR ||
                !lisExtension(gif, code, bloc, transparent))
                break;
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) != GIF_ERROR)
                image = lisImage(gif, transparent);
            break;
        } else {
            break;  // the trailer before any image, or an unknown record
        }
    }
    DGifCloseFile(gif, &erreur);
    return image;
}
