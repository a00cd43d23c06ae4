#include "render/Decoupe.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// What the loaders did before cutting in one pass: blit into a zeroed RGBA
// surface with the per-surface alpha flag cleared, then sweep for the key.
std::vector<unsigned char> parBlit(SDL_Surface* source, int sx, int sy, int w, int h, int cle)
{
    SDL_Surface* bloc = SDL_CreateRGBSurface(0, w, h, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    SDL_SetAlpha(source, 0, 255);
    SDL_Rect r = {Sint16(sx), Sint16(sy), Uint16(w), Uint16(h)};
    SDL_Rect coin = {0, 0, 0, 0};
    SDL_UpperBlit(source, &r, bloc, &coin);
    std::vector<unsigned char> v;
    for (int y = 0; y < h; ++y) {
        const unsigned char* l = static_cast<unsigned char*>(bloc->pixels) + y * bloc->pitch;
        v.insert(v.end(), l, l + w * 4);
    }
    SDL_FreeSurface(bloc);
    for (size_t p = 0; cle != -1 && p < v.size(); p += 4)
        if (v[p] == cle && v[p + 1] == 0 && v[p + 2] == cle)
            v[p] = v[p + 1] = v[p + 2] = v[p + 3] = 0;
    return v;
}

TEST(Decoupe, SameBytesAsTheBlitForEveryPictureFormat)
{
    struct Format {
        int bits;
        Uint32 r, g, b, a;
    };
    const Format formats[] = {{8, 0, 0, 0, 0},
                              {24, 0xFF, 0xFF00, 0xFF0000, 0},
                              {24, 0xFF0000, 0xFF00, 0xFF, 0},
                              {32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000},
                              {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                              {32, 0xFF, 0xFF00, 0xFF0000, 0},
                              {16, 0xF800, 0x7E0, 0x1F, 0}};
    std::mt19937 hasard(3);
    for (const Format& f : formats)
        for (int cleSource = 0; cleSource < 2; ++cleSource) {
            SDL_Surface* s = SDL_CreateRGBSurface(0, 37, 23, f.bits, f.r, f.g, f.b, f.a);
            ASSERT_NE(s, nullptr);
            if (f.bits == 8) {
                SDL_Color couleurs[40];
                for (SDL_Color& c : couleurs)
                    c = {Uint8(hasard() % 3 * 127), 0, Uint8(hasard()), 0};
                SDL_SetColors(s, couleurs, 0, 40);
            }
            // Few distinct values, so that both colour keys hit.
            auto* octets = static_cast<unsigned char*>(s->pixels);
            for (int i = 0; i < s->pitch * s->h; ++i)
                octets[i] = f.bits == 8 ? hasard() % 42 : (hasard() % 2) * 254;
            if (cleSource)
                SDL_SetColorKey(s, SDL_SRCCOLORKEY, f.bits == 8 ? 3 : SDL_MapRGB(s->format, 254, 0, 254));
            const int rectangles[][4] = {{0, 0, 37, 23}, {5, 3, 16, 8}, {-7, -2, 64, 32}, {30, 20, 16, 16},
                                         {40, 0, 8, 8}};
            for (const auto& r : rectangles)
                for (int cle : {-1, 254}) {
                    std::vector<unsigned char> attendu = parBlit(s, r[0], r[1], r[2], r[3], cle);
                    std::vector<unsigned char> lu(attendu.size(), 0xAB);
                    ASSERT_TRUE(copieRectangle(s, r[0], r[1], r[2], r[3], lu.data(), r[2], cle, 0, cle));
                    ASSERT_EQ(lu, attendu) << f.bits << " bits, masks " << f.r << "/" << f.a << ", source key "
                                           << cleSource << ", rectangle " << r[0] << "," << r[1] << ", key " << cle;
                }
            SDL_FreeSurface(s);
        }
}

}
