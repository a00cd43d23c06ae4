#ifndef CORVANTHELIS_RENDER_ETAPESIMAGE_H
#define CORVANTHELIS_RENDER_ETAPESIMAGE_H

// Steps shared by the two picture classes of render/CImageGL.h: decoding a
// picture file with the loaders' messages, the size check, the colour-key
// sweep, and the texture and textured strip both draw with. Internal to
// render/; the GL steps need a current context.

#include <SDL_opengl.h>

#include <cstddef>

struct SDL_Surface;

namespace etapesImage {

extern const char* const MESSAGE_BLIT;
extern const char* const MESSAGE_TEXTURE;

// Linear filtering as the render settings ask (render/ReglagesRendu.h).
bool filtrageLineaire();

// decodeImage, with the loaders' two lines on standard error on failure.
SDL_Surface* litImage(const char* fichier);

// A rectangle no larger than the largest picture, and not empty.
bool rectangleAdmis(int w, int h);
// No pixels (0 wide or 0 high, neither negative): an empty picture.
bool rectangleVide(int w, int h);

// Makes pixels whose red, green and blue match transparent black.
void appliqueColorKey(unsigned char* pixels, size_t nbPixels, unsigned char r, unsigned char g,
                      unsigned char b);

// A new texture name holding `pixels` (texLongueur x texHauteur, RGBA), with
// the filter the render settings ask for.
GLuint creeTexture(const unsigned char* pixels, int texLongueur, int texHauteur, GLint enveloppe,
                   GLint format);

// The smallest rectangle [g, d) x [h, b) of a largeur x hauteur RGBA buffer
// holding every texel that is not fully transparent, grown by one texel on
// each side (as far as linear filtering reaches) within the buffer. Empty
// (g == d) when every texel is transparent.
void rectangleVisible(const unsigned char* pixels, int largeur, int hauteur, int& g, int& h, int& d, int& b);

// One textured strip from (0, 0) to (largeur, -hauteur) after the current
// translation; mirrors swap the texture coordinates so the picture flips in
// its own rectangle.
void bandeTexturee(float largeur, float hauteurBande, float uG, float uD, float vH, float vB, bool mirrorX,
                   bool mirrorY);

// One textured quad as a triangle strip of four vertices (x, y, u, v each)
// under the current matrices, colour, texture and blending: a parallelogram
// whose texture coordinate u changes only from the first vertex to the
// second and v only from the first to the third, as every picture draws.
// The browser draws it with its own program rather than the emulated
// immediate mode.
void quadTexture(const float sommets[16]);

}

#endif
