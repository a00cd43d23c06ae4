#include "render/CImageGL.h"

#include "foundation/Messages.h"
#include "foundation/util.h"
#include "render/EtapesImage.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace etapesImage;

namespace {

// Byte order red, green, blue, alpha in memory on the little-endian target.
const Uint32 MASQUE_R = 0x000000FF;
const Uint32 MASQUE_G = 0x0000FF00;
const Uint32 MASQUE_B = 0x00FF0000;
const Uint32 MASQUE_A = 0xFF000000;

SDL_Surface* creeSurface(int longueur, int hauteur)
{
    return SDL_CreateRGBSurface(0, longueur, hauteur, 32, MASQUE_R, MASQUE_G, MASQUE_B, MASQUE_A);
}

// Copies a 32-bit surface into a tight buffer (its pitch may be wider).
unsigned char* copiePixels(SDL_Surface* surface)
{
    int ligne = surface->w * 4;
    unsigned char* pixels = new unsigned char[static_cast<size_t>(ligne) * surface->h];
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y)
        memcpy(pixels + static_cast<size_t>(y) * ligne,
               static_cast<unsigned char*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch, ligne);
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    return pixels;
}

// The loaders' colour key: r = -1 means none, otherwise the low 8 bits.
template <class Image>
void cleSiDemandee(Image& image, int r, int g, int b)
{
    if (r != -1)
        image.setColorKey(static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                          static_cast<unsigned char>(b));
}

// SDL 1.2 rectangles hold 16-bit coordinates: a block that starts beyond
// them lies outside any picture, so nothing is copied and the destination
// keeps its transparent black.
int blitte(SDL_Surface* source, int sx, int sy, int w, int h, SDL_Surface* dest, int dx, int dy)
{
    const int limite = 32767;
    if (sx < -limite || sx > limite || sy < -limite || sy > limite)
        return 0;
    SDL_Rect src = {static_cast<Sint16>(sx), static_cast<Sint16>(sy), static_cast<Uint16>(w),
                    static_cast<Uint16>(h)};
    SDL_Rect dst = {static_cast<Sint16>(dx), static_cast<Sint16>(dy), 0, 0};
    return SDL_UpperBlit(source, &src, dest, &dst);
}

}

CImageGL3::CImageGL3()
    : hauteur(0), longueur(0), texHauteur(0), texLongueur(0), textureId(0), sharedPixels(false), empty(true),
      pixels(nullptr)
{
}

CImageGL3::~CImageGL3()
{
    libere();
}

void CImageGL3::libere()
{
    if (textureId)
        glDeleteTextures(1, &textureId);
    textureId = 0;
    if (!sharedPixels)
        delete[] pixels;
    pixels = nullptr;
    sharedPixels = false;
    empty = true;
    hauteur = longueur = texHauteur = texLongueur = 0;
}

int CImageGL3::chargeImageSDL(const char* fichier, int r, int g, int b)
{
    return chargeFichier(fichier, true, 0, 0, 0, 0, r, g, b, false);
}

int CImageGL3::chargeImageSDL(const char* fichier, int x, int y, int w, int h, int r, int g, int b,
                              bool corriger)
{
    return chargeFichier(fichier, false, x, y, w, h, r, g, b, corriger);
}

int CImageGL3::chargeFichier(const char* fichier, bool imageEntiere, int x, int y, int w, int h, int r,
                             int g, int b, bool corriger)
{
    libere();
    SDL_Surface* image = litImage(fichier);
    if (!image)
        return 1;
    if (imageEntiere) {
        x = y = 0;
        w = image->w;
        h = image->h;
    }
    if (rectangleVide(w, h)) {
        SDL_FreeSurface(image);
        return 0;
    }
    SDL_Surface* surface = rectangleAdmis(w, h) ? creeSurface(calcPower(w), calcPower(h)) : nullptr;
    if (!surface) {
        messageErreur("%s", MESSAGE_TEXTURE);
        if (imageEntiere)
            messageErreur("Nom de l'image: %s\n", fichier);
        SDL_FreeSurface(image);
        return 1;
    }
    SDL_SetAlpha(image, 0, 255);
    if (blitte(image, x, y, w, h, surface, 0, 0) < 0) {
        messageErreur("%s", MESSAGE_BLIT);
        SDL_FreeSurface(surface);
        SDL_FreeSurface(image);
        return 1;
    }
    longueur = w;
    hauteur = h;
    texLongueur = surface->w;
    texHauteur = surface->h;
    if (!imageEntiere && filtrageLineaire() && corriger) {
        // Linear filtering at the bottom and right edges then mixes with a
        // copy of the edge rather than with the transparent margin.
        if (h < texHauteur)
            blitte(image, x, y + h - 1, w, 1, surface, 0, h);
        if (w < texLongueur)
            blitte(image, x + w - 1, y, 1, h, surface, w, 0);
    }
    pixels = copiePixels(surface);
    cleSiDemandee(*this, r, g, b);
    SDL_FreeSurface(image);
    SDL_FreeSurface(surface);
    bind();
    empty = false;
    return 0;
}

void CImageGL3::chargeImageRaw(const unsigned char* data, int longueurImage, int hauteurImage,
                               int texLongueurImage, int texHauteurImage, int r, int g, int b)
{
    if (!data || longueurImage < 0 || hauteurImage < 0 || texLongueurImage < longueurImage ||
        texHauteurImage < hauteurImage || texLongueurImage <= 0 || texHauteurImage <= 0) {
        libere();
        messageErreur("%s", MESSAGE_TEXTURE);
        return;
    }
    // Copied before the old buffer is released: `data` may be that buffer.
    size_t taille = static_cast<size_t>(texLongueurImage) * texHauteurImage * 4;
    unsigned char* copie = new unsigned char[taille];
    memcpy(copie, data, taille);
    libere();
    pixels = copie;
    longueur = longueurImage;
    hauteur = hauteurImage;
    texLongueur = texLongueurImage;
    texHauteur = texHauteurImage;
    cleSiDemandee(*this, r, g, b);
    bind();
    empty = false;
}

void CImageGL3::instancieImage(CImageGL3* autre)
{
    if (autre == this)
        return;
    libere();
    if (!autre || !autre->pixels)
        return;
    sharedPixels = true;
    pixels = autre->pixels;
    longueur = autre->longueur;
    hauteur = autre->hauteur;
    // The other picture's own texture size, not one derived from its picture
    // size: the shared buffer's rows are that long.
    texLongueur = autre->texLongueur;
    texHauteur = autre->texHauteur;
    bind();
    empty = false;
}

void CImageGL3::captureEcran()
{
    libere();
    // Nothing to read without a window.
    if (!SDL_GetVideoSurface())
        return;
    // The picture is where the viewport is: the whole window, or the 4:3
    // rectangle between black bars.
    GLint vue[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, vue);
    const int l = vue[2];
    const int h = vue[3];
    const int tl = calcPower(l);
    const int th = calcPower(h);
    if (tl <= 0 || th <= 0)
        return;
    unsigned char* lecture = new unsigned char[static_cast<size_t>(l) * h * 4]();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(vue[0], vue[1], l, h, GL_RGBA, GL_UNSIGNED_BYTE, lecture);

    // GL reads the bottom row first; the buffer layout wants the top row
    // first. The screen is opaque whatever its alpha bits say.
    pixels = new unsigned char[static_cast<size_t>(tl) * th * 4]();
    for (int ligne = 0; ligne < h; ++ligne) {
        const unsigned char* source = lecture + static_cast<size_t>(h - 1 - ligne) * l * 4;
        unsigned char* dest = pixels + static_cast<size_t>(ligne) * tl * 4;
        for (int c = 0; c < l; ++c) {
            dest[c * 4 + 0] = source[c * 4 + 0];
            dest[c * 4 + 1] = source[c * 4 + 1];
            dest[c * 4 + 2] = source[c * 4 + 2];
            dest[c * 4 + 3] = 255;
        }
    }
    delete[] lecture;
    longueur = l;
    hauteur = h;
    texLongueur = tl;
    texHauteur = th;
    bind();
    empty = false;
}

void CImageGL3::bind()
{
    if (!pixels)
        return;
    if (textureId)
        glDeleteTextures(1, &textureId);
#ifdef __EMSCRIPTEN__
    textureId = creeTexture(pixels, texLongueur, texHauteur, GL_CLAMP_TO_EDGE, GL_RGBA);
#else
    textureId = creeTexture(pixels, texLongueur, texHauteur, GL_CLAMP_TO_EDGE, GL_RGBA8);
#endif
    rectangleVisible(pixels, texLongueur, texHauteur, visibleG, visibleH, visibleD, visibleB);
}

void CImageGL3::setColorKey(unsigned char r, unsigned char g, unsigned char b)
{
    if (pixels)
        appliqueColorKey(pixels, static_cast<size_t>(texLongueur) * texHauteur, r, g, b);
}

void CImageGL3::corrigeBilinear()
{
    if (!pixels || hauteur <= 0 || hauteur >= texHauteur)
        return;
    size_t ligne = static_cast<size_t>(texLongueur) * 4;
    memcpy(pixels + hauteur * ligne, pixels + (hauteur - 1) * ligne, ligne);
}

void CImageGL3::affiche(int x, int y)
{
    if (!textureId || texLongueur <= 0 || texHauteur <= 0)
        return;
    commenceDessin(textureId);
    if (rotation == 0.0 && zoom == 100) {
        dessineRectangle(x, y, 0, 0, longueur, hauteur);
    } else {
        glTranslatef(static_cast<float>(x + texLongueur / 2), static_cast<float>(y + texHauteur / 2), 0.0f);
        if (zoom != 100) {
            double z = zoom / 100.0;
            int zw = static_cast<int>(texLongueur * z);
            int zh = static_cast<int>(texHauteur * z);
            int gauche = x - (zw - texLongueur) / 2;
            int haut = y - (zh - texHauteur) / 2;
            int ax = static_cast<int>(gauche + longueur * z / 2);
            int ay = static_cast<int>(haut + hauteur * z / 2);
            glTranslatef(static_cast<float>((x + longueur / 2) - ax), static_cast<float>((y + hauteur / 2) - ay),
                         0.0f);
            glScalef(static_cast<float>(z), static_cast<float>(z), 0.0f);
        }
        if (rotation != 0.0) {
            int dx = longueur / 2 - texLongueur / 2;
            int dy = texHauteur / 2 - hauteur / 2;
            int rx = calcTransX(dx, dy, -rotation);
            int ry = calcTransY(dx, dy, -rotation);
            glTranslatef(static_cast<float>(dx - rx), static_cast<float>(ry - dy), 0.0f);
            glRotatef(static_cast<float>(rotation), 0.0f, 0.0f, 1.0f);
        }
        if (mirrorY) {
            glTranslatef(static_cast<float>(longueur - texLongueur), 0.0f, 0.0f);
            glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        }
        if (mirrorX) {
            glTranslatef(0.0f, static_cast<float>(hauteur - texHauteur), 0.0f);
            glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
        }
        const float l = static_cast<float>(texLongueur / 2);
        const float h = static_cast<float>(texHauteur / 2);
        const float sommets[16] = {-l, -h, 0.0f, 0.0f, l, -h, 1.0f, 0.0f, -l, h, 0.0f, 1.0f, l, h, 1.0f, 1.0f};
        quadTexture(sommets);
    }
    termineDessin();
}

void CImageGL3::affiche(int x, int y, int sx, int sy, int w, int h)
{
    // Rotation and zoom are not applied to rectangles: the piece is drawn
    // as if the picture were neither turned nor scaled.
    if (!textureId || texLongueur <= 0 || texHauteur <= 0)
        return;
    commenceDessin(textureId);
    dessineRectangle(x, y, sx, sy, w, h);
    termineDessin();
}

void CImageGL3::dessineRectangle(int x, int y, int sx, int sy, int w, int h)
{
    const int g = std::max(sx, visibleG);
    const int d = std::min(sx + w, visibleD);
    const int haut = std::max(sy, visibleH);
    const int bas = std::min(sy + h, visibleB);
    if (g >= d || haut >= bas)
        return;
    // Mirrors flip the whole rectangle, so the kept part moves within it.
    const int ex = mirrorY ? sx + w - d : g - sx;
    const int ey = mirrorX ? sy + h - bas : haut - sy;
    glTranslatef(static_cast<float>(x + ex), static_cast<float>(y + ey + bas - haut), 0.0f);
    bandeTexturee(static_cast<float>(d - g), static_cast<float>(bas - haut), static_cast<float>(g) / texLongueur,
                  static_cast<float>(d) / texLongueur, static_cast<float>(haut) / texHauteur,
                  static_cast<float>(bas) / texHauteur, mirrorX, mirrorY);
}

void CImageGL3::afficheEtire(int x, int y, int w, int h)
{
    if (!textureId || longueur <= 0 || hauteur <= 0)
        return;
    const float fx = static_cast<float>(w) / longueur;
    const float fy = static_cast<float>(h) / hauteur;
    commenceDessin(textureId);
    glTranslatef(static_cast<float>(x), y + texHauteur * fy, 0.0f);
    if (mirrorX || mirrorY) {
        // Mirrored: only the picture's own rectangle, flipped within it.
        glTranslatef(0.0f, -(texHauteur - hauteur) * fy, 0.0f);
        bandeTexturee(static_cast<float>(w), static_cast<float>(h), 0.0f,
                      static_cast<float>(longueur) / texLongueur, 0.0f,
                      static_cast<float>(hauteur) / texHauteur, mirrorX, mirrorY);
    } else {
        bandeTexturee(texLongueur * fx, texHauteur * fy, 0.0f, 1.0f, 0.0f, 1.0f, false, false);
    }
    termineDessin();
    messageInfo("All right");
}
