#include "render/EtapesImage.h"

#include "foundation/Messages.h"
#include "render/CImageGL.h"
#include "render/Decodage.h"
#include "render/ReglagesRendu.h"

#include <SDL.h>

#include <cstdio>

#ifdef __EMSCRIPTEN__
extern "C" {
// web/quad.js
void quadNavigateur(const float* sommets, unsigned int texture, unsigned int couleur);
}

namespace {
// What the browser's next quads draw with, from commenceDessin.
unsigned int textureDessin = 0;
unsigned int couleurDessin = 0xffffffffu;
}
#endif

namespace etapesImage {

const char* const MESSAGE_BLIT = "Impossible d'effectuer l'opération de blitting\n";
const char* const MESSAGE_TEXTURE = "Impossible de créer une texture à partir d'un graphique\n";

bool filtrageLineaire()
{
    return reglagesRendu().bilineaire;
}

SDL_Surface* litImage(const char* fichier)
{
    SDL_Surface* image = decodeImage(fichier);
    if (!image) {
        messageErreur("Impossible de charger l'image\n");
        messageErreur("Nom de l'image: %s\n", fichier ? fichier : "");
    }
    return image;
}

bool rectangleVide(int w, int h)
{
    return (w == 0 && h >= 0) || (h == 0 && w >= 0);
}

bool rectangleAdmis(int w, int h)
{
    return w > 0 && h > 0 && w <= TAILLE_MAX_IMAGE && h <= TAILLE_MAX_IMAGE;
}

void appliqueColorKey(unsigned char* pixels, size_t nbPixels, unsigned char r, unsigned char g,
                      unsigned char b)
{
    for (size_t p = 0; p < nbPixels; ++p) {
        unsigned char* px = pixels + p * 4;
        if (px[0] == r && px[1] == g && px[2] == b)
            px[0] = px[1] = px[2] = px[3] = 0;
    }
}

void rectangleVisible(const unsigned char* pixels, int largeur, int hauteur, int& g, int& h, int& d, int& b)
{
    g = largeur;
    h = hauteur;
    d = b = 0;
    for (int y = 0; y < hauteur; ++y) {
        const unsigned char* ligne = pixels + static_cast<size_t>(y) * largeur * 4;
        // Power-of-two padding makes many rows wholly transparent: four
        // texels at a time until one shows.
        int premier = 0;
        while (premier + 4 <= largeur && (ligne[premier * 4 + 3] | ligne[premier * 4 + 7] | ligne[premier * 4 + 11] |
                                          ligne[premier * 4 + 15]) == 0)
            premier += 4;
        while (premier < largeur && ligne[premier * 4 + 3] == 0)
            ++premier;
        if (premier == largeur)
            continue;
        int dernier = largeur - 1;
        while (ligne[dernier * 4 + 3] == 0)
            --dernier;
        if (premier < g)
            g = premier;
        if (dernier + 1 > d)
            d = dernier + 1;
        if (y < h)
            h = y;
        b = y + 1;
    }
    if (d == 0) {
        g = h = 0;
        return;
    }
    g = g > 0 ? g - 1 : 0;
    h = h > 0 ? h - 1 : 0;
    d = d < largeur ? d + 1 : largeur;
    b = b < hauteur ? b + 1 : hauteur;
}

GLuint creeTexture(const unsigned char* pixels, int texLongueur, int texHauteur, GLint enveloppe,
                   GLint format)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    GLint filtre = filtrageLineaire() ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filtre);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtre);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, enveloppe);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, enveloppe);
    glTexImage2D(GL_TEXTURE_2D, 0, format, texLongueur, texHauteur, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return id;
}

void bandeTexturee(float largeur, float hauteurBande, float uG, float uD, float vH, float vB, bool mirrorX,
                   bool mirrorY)
{
    if (mirrorY) {
        float t = uG;
        uG = uD;
        uD = t;
    }
    if (mirrorX) {
        float t = vH;
        vH = vB;
        vB = t;
    }
    const float sommets[16] = {largeur, 0.0f,          uD, vB, 0.0f, 0.0f,          uG, vB,
                               largeur, -hauteurBande, uD, vH, 0.0f, -hauteurBande, uG, vH};
    quadTexture(sommets);
}

void quadTexture(const float sommets[16])
{
#ifdef __EMSCRIPTEN__
    quadNavigateur(sommets, textureDessin, couleurDessin);
#else
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < 4; ++k) {
        glTexCoord2f(sommets[4 * k + 2], sommets[4 * k + 3]);
        glVertex2f(sommets[4 * k], sommets[4 * k + 1]);
    }
    glEnd();
#endif
}

}

// ---- Drawing attributes ---------------------------------------------------

void CEffetsImage::commenceDessin(unsigned int texture) const
{
#ifdef __EMSCRIPTEN__
    // The browser's quad path binds, blends and colours itself, blending
    // and colour only when they change: each WebGL call costs the page's
    // frame.
    textureDessin = texture;
    couleurDessin = static_cast<unsigned int>(brightnessR) << 24 | static_cast<unsigned int>(brightnessG) << 16 |
                    static_cast<unsigned int>(brightnessB) << 8 | alpha;
#else
    glEnable(GL_TEXTURE_2D);
    if (texture)
        glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(brightnessR, brightnessG, brightnessB, alpha);
#endif
    // Samples texel centres exactly on rasterisers that round pixel edges.
    glLoadIdentity();
    glTranslatef(0.375f, 0.375f, 0.0f);
}

void CEffetsImage::termineDessin() const
{
#ifndef __EMSCRIPTEN__
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
#endif
}
