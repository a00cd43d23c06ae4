// Surfaces in plain memory for the browser build. The browser's SDL keeps
// surfaces in canvases and refuses to lock or blit them once GL is on, and
// gives 8-bit surfaces no palette; the engine only ever uses surfaces as
// pixel buffers, so these definitions take the place of the browser's. The
// screen stays the browser's own and never comes here.

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

// Marks the surfaces made here, in the private blit map field.
char marque;

bool notre(const SDL_Surface* s)
{
    return s && s->map == reinterpret_cast<SDL_BlitMap*>(&marque);
}

void decalage(Uint32 masque, Uint8& decale, Uint8& perte)
{
    decale = 0;
    perte = 8;
    if (!masque)
        return;
    while (!(masque & 1)) {
        masque >>= 1;
        ++decale;
    }
    while (masque & 1) {
        masque >>= 1;
        --perte;
    }
}

SDL_Surface* cree(int w, int h, int profondeur, void* pixels, int pas, Uint32 r, Uint32 g, Uint32 b,
                  Uint32 a)
{
    if (w < 0 || h < 0 || (profondeur != 8 && profondeur != 16 && profondeur != 24 && profondeur != 32))
        return nullptr;
    const int octets = profondeur / 8;
    SDL_Surface* s = static_cast<SDL_Surface*>(calloc(1, sizeof(SDL_Surface)));
    SDL_PixelFormat* f = static_cast<SDL_PixelFormat*>(calloc(1, sizeof(SDL_PixelFormat)));
    if (!s || !f) {
        free(s);
        free(f);
        return nullptr;
    }
    f->BitsPerPixel = static_cast<Uint8>(profondeur);
    f->BytesPerPixel = static_cast<Uint8>(octets);
    if (octets == 1) {
        SDL_Palette* p = static_cast<SDL_Palette*>(calloc(1, sizeof(SDL_Palette)));
        SDL_Color* c = static_cast<SDL_Color*>(calloc(256, sizeof(SDL_Color)));
        if (!p || !c) {
            free(p);
            free(c);
            free(f);
            free(s);
            return nullptr;
        }
        p->ncolors = 256;
        p->colors = c;
        f->palette = p;
    } else {
        f->Rmask = r;
        f->Gmask = g;
        f->Bmask = b;
        f->Amask = a;
        decalage(r, f->Rshift, f->Rloss);
        decalage(g, f->Gshift, f->Gloss);
        decalage(b, f->Bshift, f->Bloss);
        decalage(a, f->Ashift, f->Aloss);
    }
    s->format = f;
    s->w = w;
    s->h = h;
    s->refcount = 1;
    s->map = reinterpret_cast<SDL_BlitMap*>(&marque);
    s->clip_rect.w = static_cast<Uint16>(w);
    s->clip_rect.h = static_cast<Uint16>(h);
    if (pixels) {
        s->pixels = pixels;
        s->pitch = pas;
        s->flags |= SDL_PREALLOC;
    } else {
        s->pitch = (w * octets + 3) & ~3;
        s->pixels = calloc(static_cast<size_t>(s->pitch) * (h ? h : 1), 1);
        if (!s->pixels) {
            SDL_FreeSurface(s);
            return nullptr;
        }
    }
    return s;
}

Uint32 lisPixel(const Uint8* p, int octets)
{
    switch (octets) {
    case 1: return p[0];
    case 2: return p[0] | p[1] << 8;
    case 3: return p[0] | p[1] << 8 | p[2] << 16;
    default: return p[0] | p[1] << 8 | p[2] << 16 | static_cast<Uint32>(p[3]) << 24;
    }
}

void ecritPixel(Uint8* p, int octets, Uint32 v)
{
    for (int i = 0; i < octets; ++i)
        p[i] = static_cast<Uint8>(v >> (8 * i));
}

Uint8 composante(Uint32 v, Uint32 masque, Uint8 decale, Uint8 perte)
{
    Uint32 c = ((v & masque) >> decale) << perte;
    // Widen a short channel to the full range: 5 bits of 31 give 255.
    return static_cast<Uint8>(perte ? c | c >> (8 - perte) : c);
}

void versRGBA(const SDL_PixelFormat* f, Uint32 v, Uint8& r, Uint8& g, Uint8& b, Uint8& a)
{
    if (f->palette) {
        const SDL_Color& c = f->palette->colors[v < static_cast<Uint32>(f->palette->ncolors) ? v : 0];
        r = c.r;
        g = c.g;
        b = c.b;
        a = 255;
        return;
    }
    r = composante(v, f->Rmask, f->Rshift, f->Rloss);
    g = composante(v, f->Gmask, f->Gshift, f->Gloss);
    b = composante(v, f->Bmask, f->Bshift, f->Bloss);
    a = f->Amask ? composante(v, f->Amask, f->Ashift, f->Aloss) : 255;
}

Uint32 depuisRGBA(const SDL_PixelFormat* f, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    return (static_cast<Uint32>(r >> f->Rloss) << f->Rshift & f->Rmask)
           | (static_cast<Uint32>(g >> f->Gloss) << f->Gshift & f->Gmask)
           | (static_cast<Uint32>(b >> f->Bloss) << f->Bshift & f->Bmask)
           | (static_cast<Uint32>(a >> f->Aloss) << f->Ashift & f->Amask);
}

} // namespace

extern "C" {

SDL_Surface* SDL_CreateRGBSurface(Uint32, int w, int h, int profondeur, Uint32 r, Uint32 g, Uint32 b,
                                  Uint32 a)
{
    return cree(w, h, profondeur, nullptr, 0, r, g, b, a);
}

SDL_Surface* SDL_CreateRGBSurfaceFrom(void* pixels, int w, int h, int profondeur, int pas, Uint32 r,
                                      Uint32 g, Uint32 b, Uint32 a)
{
    return pixels ? cree(w, h, profondeur, pixels, pas, r, g, b, a) : nullptr;
}

void SDL_FreeSurface(SDL_Surface* s)
{
    if (!notre(s) || --s->refcount > 0)
        return;
    if (s->format->palette) {
        free(s->format->palette->colors);
        free(s->format->palette);
    }
    free(s->format);
    if (!(s->flags & SDL_PREALLOC))
        free(s->pixels);
    free(s);
}

int SDL_LockSurface(SDL_Surface* s)
{
    return notre(s) ? 0 : -1;
}

void SDL_UnlockSurface(SDL_Surface*)
{
}

int SDL_SetAlpha(SDL_Surface* s, Uint32 drapeaux, Uint8)
{
    if (!notre(s))
        return -1;
    s->flags = (s->flags & ~SDL_SRCALPHA) | (drapeaux & SDL_SRCALPHA);
    return 0;
}

int SDL_SetColorKey(SDL_Surface* s, int drapeaux, Uint32 cle)
{
    if (!notre(s))
        return -1;
    s->flags = (s->flags & ~SDL_SRCCOLORKEY) | (drapeaux & SDL_SRCCOLORKEY);
    s->format->colorkey = cle;
    return 0;
}

int SDL_SetColors(SDL_Surface* s, const SDL_Color* couleurs, int premiere, int nombre)
{
    if (!notre(s) || !s->format->palette || !couleurs || premiere < 0 || nombre < 0
        || premiere + nombre > s->format->palette->ncolors)
        return 0;
    memcpy(s->format->palette->colors + premiere, couleurs, sizeof(SDL_Color) * nombre);
    return 1;
}

// As SDL 1.2: the rectangles are clipped to both surfaces, `dr` gets the
// area drawn. Keyed pixels are skipped; with the per-surface alpha flag an
// alpha source is blended, otherwise its alpha is copied.
int SDL_UpperBlit(SDL_Surface* src, const SDL_Rect* sr, SDL_Surface* dst, SDL_Rect* dr)
{
    if (!notre(src) || !notre(dst))
        return -1;
    int sx = sr ? sr->x : 0, sy = sr ? sr->y : 0;
    int w = sr ? sr->w : src->w, h = sr ? sr->h : src->h;
    int dx = dr ? dr->x : 0, dy = dr ? dr->y : 0;
    if (sx < 0) {
        w += sx;
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        dy -= sy;
        sy = 0;
    }
    if (sx + w > src->w)
        w = src->w - sx;
    if (sy + h > src->h)
        h = src->h - sy;
    if (dx < 0) {
        w += dx;
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        h += dy;
        sy -= dy;
        dy = 0;
    }
    if (dx + w > dst->w)
        w = dst->w - dx;
    if (dy + h > dst->h)
        h = dst->h - dy;
    if (w < 0)
        w = 0;
    if (h < 0)
        h = 0;
    if (dr) {
        dr->x = static_cast<Sint16>(dx);
        dr->y = static_cast<Sint16>(dy);
        dr->w = static_cast<Uint16>(w);
        dr->h = static_cast<Uint16>(h);
    }
    const SDL_PixelFormat* fs = src->format;
    const SDL_PixelFormat* fd = dst->format;
    const bool cle = (src->flags & SDL_SRCCOLORKEY) != 0;
    const bool melange = (src->flags & SDL_SRCALPHA) && fs->Amask;
    for (int y = 0; y < h; ++y) {
        const Uint8* s
            = static_cast<const Uint8*>(src->pixels) + (sy + y) * src->pitch + sx * fs->BytesPerPixel;
        Uint8* d = static_cast<Uint8*>(dst->pixels) + (dy + y) * dst->pitch + dx * fd->BytesPerPixel;
        for (int x = 0; x < w; ++x, s += fs->BytesPerPixel, d += fd->BytesPerPixel) {
            Uint32 v = lisPixel(s, fs->BytesPerPixel);
            if (cle && (v & ~fs->Amask) == (fs->colorkey & ~fs->Amask))
                continue;
            Uint8 r, g, b, a;
            versRGBA(fs, v, r, g, b, a);
            if (melange) {
                Uint8 r0, g0, b0, a0;
                versRGBA(fd, lisPixel(d, fd->BytesPerPixel), r0, g0, b0, a0);
                r = static_cast<Uint8>((r * a + r0 * (255 - a)) / 255);
                g = static_cast<Uint8>((g * a + g0 * (255 - a)) / 255);
                b = static_cast<Uint8>((b * a + b0 * (255 - a)) / 255);
                a = a0;
            }
            if (fd->palette)
                continue; // nothing in the engine blits into a palette
            ecritPixel(d, fd->BytesPerPixel, depuisRGBA(fd, r, g, b, a));
        }
    }
    return 0;
}

} // extern "C"
