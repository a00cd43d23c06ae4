#include "render/CImageGL.h"

#include "foundation/Messages.h"
#include "foundation/util.h"
#include "render/Decoupe.h"
#include "render/EtapesImage.h"
#include "render/ReglagesRendu.h"

#include <SDL.h>

#include <algorithm>

#include <cstdio>
#include <cstring>

using namespace etapesImage;

namespace {

int tailleTuile()
{
    int taille = reglagesRendu().tailleTexture;
    return taille > 0 ? taille : 256;
}

// One tile's block of `image` at (sx, sy), cut into its buffer with
// the colour key (r = -1 for none). A block that starts beyond SDL 1.2's
// 16-bit coordinates lies outside any picture and stays transparent black.
bool copieBloc(SDL_Surface* image, int sx, int sy, SubImage& tuile, int r, int g, int b, bool imageEntiere)
{
    const int limite = 32767;
    if (sx < -limite || sx > limite || sy < -limite || sy > limite) {
        memset(tuile.pixels, 0, static_cast<size_t>(tuile.texLongueur) * tuile.texHauteur * 4);
        return true;
    }
    if (copieRectangle(image, sx, sy, tuile.texLongueur, tuile.texHauteur, tuile.pixels, tuile.texLongueur, r,
                       g, b))
        return true;
    messageErreur("%s", imageEntiere ? "Erreur de création de surface\n" : MESSAGE_BLIT);
    return false;
}

}

// ---- CImageGL: loading ----------------------------------------------------

CImageGL::CImageGL() : nbTilesX(0), nbTilesY(0), nbTiles(0), tiles(nullptr), hauteur(0), longueur(0)
{
}

CImageGL::~CImageGL()
{
    libere();
}

void CImageGL::libere()
{
    if (tiles) {
        for (int k = 0; k < nbTiles; ++k) {
            if (tiles[k].textureId)
                glDeleteTextures(1, &tiles[k].textureId);
            delete[] tiles[k].pixels;
        }
        delete[] tiles;
    }
    tiles = nullptr;
    nbTilesX = nbTilesY = nbTiles = 0;
    hauteur = longueur = 0;
}

int CImageGL::chargeImageSDL(const char* fichier, int r, int g, int b)
{
    libere();
    SDL_Surface* image = litImage(fichier);
    if (!image)
        return 1;
    int resultat = chargeRectangle(image, 0, 0, image->w, image->h, r, g, b, true);
    SDL_FreeSurface(image);
    return resultat;
}

int CImageGL::chargeImageSDL(const char* fichier, int x, int y, int w, int h, int r, int g, int b,
                             bool)
{
    libere();
    SDL_Surface* image = litImage(fichier);
    if (!image)
        return 1;
    int resultat = chargeRectangle(image, x, y, w, h, r, g, b, false);
    SDL_FreeSurface(image);
    return resultat;
}

int CImageGL::chargeImageSDL(SDL_Surface* surface, int x, int y, int w, int h, int r, int g, int b,
                             bool)
{
    libere();
    if (!surface) {
        messageErreur("%s", MESSAGE_BLIT);
        return 1;
    }
    return chargeRectangle(surface, x, y, w, h, r, g, b, false);
}

int CImageGL::chargeRectangle(SDL_Surface* image, int x, int y, int w, int h, int r, int g, int b,
                              bool imageEntiere)
{
    // A frame or a picture of no pixels is an empty picture, drawn as nothing.
    if (rectangleVide(w, h))
        return 0;
    // A size read from a data file may be anything; past the largest picture
    // it would only ask for a huge grid of transparent tiles.
    if (!rectangleAdmis(w, h)) {
        messageErreur("%s", MESSAGE_BLIT);
        return 1;
    }
    const int T = tailleTuile();
    nbTilesX = w / T + (w % T ? 1 : 0);
    nbTilesY = h / T + (h % T ? 1 : 0);
    nbTiles = nbTilesX * nbTilesY;
    tiles = new SubImage[nbTiles]();

    // Cut as a blit with the per-surface alpha flag cleared, and cleared
    // indeed: callers count on it.
    SDL_SetAlpha(image, 0, 255);
    hauteur = h < image->h ? h : image->h;
    longueur = w < image->w ? w : image->w;

    int k = 0;
    for (int i = 0; i < nbTilesX; ++i) {
        for (int j = 0; j < nbTilesY; ++j, ++k) {
            SubImage& tuile = tiles[k];
            tuile.longueur = tuile.texLongueur = T;
            tuile.hauteur = tuile.texHauteur = T;
            if (j == nbTilesY - 1 && h % T) {
                tuile.hauteur = h % T;
                tuile.texHauteur = calcPower(h % T);
            }
            if (i == nbTilesX - 1 && w % T) {
                tuile.longueur = w % T;
                tuile.texLongueur = calcPower(w % T);
            }
            // The whole texture-sized block is copied: in a sheet, the texels
            // past the content hold the neighbouring pixels, never drawn.
            tuile.pixels = new unsigned char[static_cast<size_t>(tuile.texLongueur) * tuile.texHauteur * 4];
            if (!copieBloc(image, x + i * T, y + j * T, tuile, r, g, b, imageEntiere)) {
                libere();
                return 1;
            }
        }
    }
    bind();
    return 0;
}

void CImageGL::setColorKey(unsigned char r, unsigned char g, unsigned char b)
{
    for (int k = 0; k < nbTiles; ++k) {
        if (tiles[k].pixels)
            appliqueColorKey(tiles[k].pixels,
                             static_cast<size_t>(tiles[k].texLongueur) * tiles[k].texHauteur, r, g, b);
    }
}

void CImageGL::bindSubImage(int k)
{
    if (k < 0 || k >= nbTiles || !tiles[k].pixels)
        return;
    SubImage& tuile = tiles[k];
    if (tuile.textureId)
        glDeleteTextures(1, &tuile.textureId);
#ifdef __EMSCRIPTEN__
    // WebGL takes neither sized formats nor GL_CLAMP.
    GLint enveloppe = GL_CLAMP_TO_EDGE;
    GLint format = GL_RGBA;
#else
    GLint enveloppe = reglagesRendu().sansClampToEdge ? GL_CLAMP : GL_CLAMP_TO_EDGE;
    GLint format = reglagesRendu().mode16bits ? GL_RGBA4 : GL_RGBA8;
#endif
    tuile.textureId = creeTexture(tuile.pixels, tuile.texLongueur, tuile.texHauteur, enveloppe, format);
    rectangleVisible(tuile.pixels, tuile.texLongueur, tuile.texHauteur, tuile.visibleG, tuile.visibleH,
                     tuile.visibleD, tuile.visibleB);
}

void CImageGL::bind()
{
    for (int k = 0; k < nbTiles; ++k)
        bindSubImage(k);
}

// ---- CImageGL: drawing ----------------------------------------------------

void CImageGL::affiche(int x, int y)
{
    affiche(x, y, 0, 0, longueur, hauteur);
}

void CImageGL::affiche(int x, int y, int sx, int sy, int w, int h)
{
    if (!tiles)
        return;
    const int T = tailleTuile();
    const bool transforme = mirrorX || mirrorY || rotation != 0.0 || zoom != 100;
    const int px = x + longueur / 2;
    const int py = y + hauteur / 2;

    for (int i = 0; i < nbTilesX; ++i) {
        for (int j = 0; j < nbTilesY; ++j) {
            if (!(sx < (i + 1) * T && sx + w > i * T && sy < (j + 1) * T && sy + h > j * T))
                continue;
            const SubImage& tuile = tiles[i * nbTilesY + j];
            int offX = sx - i * T;
            int offY = sy - j * T;
            if (offX < 0)
                offX = 0;
            if (offY < 0)
                offY = 0;
            int drawW = (sx + w) - i * T - offX;
            int drawH = (sy + h) - j * T - offY;
            if (drawW > tuile.longueur - offX)
                drawW = tuile.longueur - offX;
            if (drawH > tuile.hauteur - offY)
                drawH = tuile.hauteur - offY;
            // Only the part of the tile that is not fully transparent.
            const int finX = std::min(offX + drawW, tuile.visibleD);
            const int finY = std::min(offY + drawH, tuile.visibleB);
            offX = std::max(offX, tuile.visibleG);
            offY = std::max(offY, tuile.visibleH);
            drawW = finX - offX;
            drawH = finY - offY;
            if (drawW <= 0 || drawH <= 0)
                continue;
            float uLeft, uRight, vTop, vBottom;
            getMap(offX, offY, drawW, drawH, tuile.texLongueur, tuile.texHauteur, uLeft, uRight, vTop, vBottom);

            commenceDessin(tuile.textureId);
            if (transforme) {
                // The pivot is the centre of the whole picture, even for a
                // rectangle of it, so pieces of one picture stay together.
                glTranslatef(static_cast<float>(px), static_cast<float>(py), 0.0f);
                if (mirrorY)
                    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
                if (mirrorX)
                    glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
                if (rotation != 0.0)
                    glRotatef(static_cast<float>(rotation), 0.0f, 0.0f, 1.0f);
                if (zoom != 100)
                    glScalef(zoom / 100.0f, zoom / 100.0f, 0.0f);
                glTranslatef(static_cast<float>(-px), static_cast<float>(-py), 0.0f);
            }
            glTranslatef(static_cast<float>(x + i * T + offX - sx),
                         static_cast<float>(y + j * T + offY - sy + drawH), 0.0f);
            bandeTexturee(static_cast<float>(drawW), static_cast<float>(drawH), uLeft, uRight, vTop, vBottom,
                          false, false);
        }
    }
    termineDessin();
}
