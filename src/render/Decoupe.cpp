#include "render/Decoupe.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

struct Cle {
    bool active;
    Uint8 r, g, b;
};

inline void pose(unsigned char* d, Uint8 r, Uint8 g, Uint8 b, Uint8 a, const Cle& cle)
{
    if (cle.active && r == cle.r && g == cle.g && b == cle.b) {
        d[0] = d[1] = d[2] = d[3] = 0;
        return;
    }
    d[0] = r;
    d[1] = g;
    d[2] = b;
    d[3] = a;
}

inline Uint8 canal(Uint32 v, Uint32 masque, Uint8 decalage)
{
    return static_cast<Uint8>((v & masque) >> decalage);
}

// The common sheet format: the buffer's own byte order with alpha.
bool memeFormat(const SDL_PixelFormat* f)
{
    return f->BytesPerPixel == 4 && f->Rmask == 0x000000FF && f->Gmask == 0x0000FF00 &&
           f->Bmask == 0x00FF0000 && f->Amask == 0xFF000000;
}

void copieLigne(const SDL_Surface* source, const Uint8* s, unsigned char* d, int n, const Cle& cle,
                const Uint32* palette)
{
    const SDL_PixelFormat* f = source->format;
    const bool cleSource = (source->flags & SDL_SRCCOLORKEY) != 0;
    switch (f->BytesPerPixel) {
    case 1:
        for (int i = 0; i < n; ++i, d += 4) {
            if (cleSource && s[i] == f->colorkey) {
                memset(d, 0, 4);
                continue;
            }
            Uint32 c = palette[s[i]];
            pose(d, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, 255, cle);
        }
        break;
    case 3:
        for (int i = 0; i < n; ++i, s += 3, d += 4) {
            Uint32 v = s[0] | s[1] << 8 | s[2] << 16;
            if (cleSource && v == f->colorkey) {
                memset(d, 0, 4);
                continue;
            }
            pose(d, canal(v, f->Rmask, f->Rshift), canal(v, f->Gmask, f->Gshift), canal(v, f->Bmask, f->Bshift),
                 255, cle);
        }
        break;
    default:
        if (memeFormat(f) && !cleSource) {
            if (!cle.active) {
                memcpy(d, s, static_cast<size_t>(n) * 4);
                break;
            }
            // Same byte order: one 32-bit compare per pixel, which the
            // compiler turns into vector code.
            const Uint32 rgb = cle.r | cle.g << 8 | cle.b << 16;
            int i = 0;
#ifdef __SSE2__
            // Four pixels at a time: keyed ones become zero.
            const __m128i masque = _mm_set1_epi32(0x00FFFFFF);
            const __m128i cle4 = _mm_set1_epi32(static_cast<int>(rgb));
            for (; i + 4 <= n; i += 4) {
                __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * i));
                __m128i egal = _mm_cmpeq_epi32(_mm_and_si128(v, masque), cle4);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * i), _mm_andnot_si128(egal, v));
            }
#endif
            for (; i < n; ++i) {
                Uint32 v;
                memcpy(&v, s + 4 * i, 4);
                v = (v & 0x00FFFFFF) == rgb ? 0 : v;
                memcpy(d + 4 * i, &v, 4);
            }
            break;
        }
        for (int i = 0; i < n; ++i, s += 4, d += 4) {
            Uint32 v;
            memcpy(&v, s, 4);
            if (cleSource && (v & ~f->Amask) == (f->colorkey & ~f->Amask)) {
                memset(d, 0, 4);
                continue;
            }
            pose(d, canal(v, f->Rmask, f->Rshift), canal(v, f->Gmask, f->Gshift), canal(v, f->Bmask, f->Bshift),
                 f->Amask ? canal(v, f->Amask, f->Ashift) : 255, cle);
        }
        break;
    }
}

// Formats without a direct path (16-bit, run-length encoded) are blitted
// into a surface of their own, then copied and keyed.
bool blitteRectangle(SDL_Surface* source, int sx, int sy, int w, int h, unsigned char* dest, int pasDest,
                     int cleR, int cleG, int cleB)
{
    if (sx < -32768 || sx > 32767 || sy < -32768 || sy > 32767 || w > 65535 || h > 65535) {
        for (int y = 0; y < h; ++y)
            memset(dest + static_cast<size_t>(y) * pasDest * 4, 0, static_cast<size_t>(w) * 4);
        return true;
    }
    SDL_Surface* bloc = SDL_CreateRGBSurface(0, w, h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!bloc)
        return false;
    SDL_SetAlpha(source, 0, 255);
    SDL_Rect rectangle = {static_cast<Sint16>(sx), static_cast<Sint16>(sy), static_cast<Uint16>(w),
                          static_cast<Uint16>(h)};
    SDL_Rect coin = {0, 0, 0, 0};
    bool ok = SDL_UpperBlit(source, &rectangle, bloc, &coin) >= 0;
    const Cle cle = {cleR != -1, static_cast<Uint8>(cleR), static_cast<Uint8>(cleG), static_cast<Uint8>(cleB)};
    for (int y = 0; ok && y < h; ++y) {
        const Uint8* s = static_cast<const Uint8*>(bloc->pixels) + static_cast<size_t>(y) * bloc->pitch;
        unsigned char* d = dest + static_cast<size_t>(y) * pasDest * 4;
        for (int x = 0; x < w; ++x, s += 4, d += 4)
            pose(d, s[0], s[1], s[2], s[3], cle);
    }
    SDL_FreeSurface(bloc);
    return ok;
}

} // namespace

bool copieRectangle(SDL_Surface* source, int sx, int sy, int w, int h, unsigned char* dest, int pasDest,
                    int cleR, int cleG, int cleB)
{
    if (!source || !dest)
        return false;
    const SDL_PixelFormat* f = source->format;
    const bool palette = f->BytesPerPixel == 1 && f->palette;
    const bool direct = (f->BytesPerPixel == 3 || f->BytesPerPixel == 4) && !f->palette && f->Rloss == 0 &&
                        f->Gloss == 0 && f->Bloss == 0 && (!f->Amask || f->Aloss == 0);
    if ((!palette && !direct) || (source->flags & SDL_RLEACCEL))
        return blitteRectangle(source, sx, sy, w, h, dest, pasDest, cleR, cleG, cleB);

    // The part of the rectangle inside the picture, in rectangle coordinates.
    const long long x0 = std::max(0LL, -static_cast<long long>(sx));
    const long long y0 = std::max(0LL, -static_cast<long long>(sy));
    const long long x1 = std::min<long long>(w, static_cast<long long>(source->w) - sx);
    const long long y1 = std::min<long long>(h, static_cast<long long>(source->h) - sy);
    // What lies outside the picture is transparent black.
    for (long long y = 0; y < h; ++y) {
        unsigned char* ligne = dest + y * pasDest * 4;
        if (y < y0 || y >= y1 || x0 >= x1) {
            memset(ligne, 0, static_cast<size_t>(w) * 4);
            continue;
        }
        memset(ligne, 0, static_cast<size_t>(x0) * 4);
        memset(ligne + x1 * 4, 0, static_cast<size_t>(w - x1) * 4);
    }
    if (x0 >= x1 || y0 >= y1)
        return true;
    Uint32 couleurs[256];
    if (palette) {
        // Indices past the palette read as opaque black.
        for (int i = 0; i < 256; ++i) {
            const SDL_Color* c = i < f->palette->ncolors ? &f->palette->colors[i] : nullptr;
            couleurs[i] = c ? (c->r | c->g << 8 | c->b << 16) : 0;
        }
    }
    const Cle cle = {cleR != -1, static_cast<Uint8>(cleR), static_cast<Uint8>(cleG), static_cast<Uint8>(cleB)};
    if (SDL_MUSTLOCK(source))
        SDL_LockSurface(source);
    for (long long y = y0; y < y1; ++y) {
        const Uint8* s = static_cast<const Uint8*>(source->pixels) + (sy + y) * source->pitch +
                         (sx + x0) * f->BytesPerPixel;
        copieLigne(source, s, dest + (y * pasDest + x0) * 4, static_cast<int>(x1 - x0), cle, couleurs);
    }
    if (SDL_MUSTLOCK(source))
        SDL_UnlockSurface(source);
    return true;
}
