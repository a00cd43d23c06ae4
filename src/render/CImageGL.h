#ifndef CORVANTHELIS_RENDER_CIMAGEGL_H
#define CORVANTHELIS_RENDER_CIMAGEGL_H

// Pictures drawn as textured quads in the 640x480 drawing space.
//
// CImageGL: one object per picture, held as a grid of square GL textures of
// at most reglagesRendu().tailleTexture (256) pixels a side, each a power of two wide
// and high, stored column by column (tile of column i, row j has index
// i * nbTilesY + j). The object owns its tiles, their pixel buffers (kept for
// its whole life) and their texture names. Loading needs a current GL
// context (after initSDL/initGL, which hand over render/ReglagesRendu.h); destroy the picture while that
// context still lives. A picture that failed to load is empty (0 x 0): drawing
// and destroying it are harmless. Loading again releases the old tiles first.
//
// CImageGL3: the same picture in a single power-of-two texture, with raw,
// shared and screen-captured sources, stretched drawing and an edge fix for
// bilinear filtering. Same ownership rules; a picture made by instancieImage
// borrows another's pixels, so that other picture must outlive it.
//
// CImageGL is built in CImageGL.cpp, CImageGL3 in CImageGL3.cpp; the steps
// they share (file reading, colour key, textures, strips) are in
// render/EtapesImage.h.
//
// Pixel buffers: rows from the top, texLongueur * 4 bytes each with no gap,
// bytes red, green, blue, alpha; the content sits in the top-left corner.
// Coordinates are drawing-space units. Rectangles wider or higher than
// TAILLE_MAX_IMAGE (no picture is larger) are refused as failed loads.

struct SDL_Surface;

const int TAILLE_MAX_IMAGE = 16384;

struct SubImage {
    int hauteur;             // content rows held by this texture
    int longueur;            // content columns held by this texture
    int texHauteur;          // power of two >= hauteur
    int texLongueur;         // power of two >= longueur
    unsigned char* pixels;   // texLongueur * texHauteur * 4 bytes, owned
    unsigned int textureId;  // 0 until bound
    // Where the texture is not fully transparent, measured when it is made
    // (rectangleVisible in render/EtapesImage.h): only that part is drawn.
    int visibleG, visibleH, visibleD, visibleB;
};

// Drawing attributes of both picture classes: opacity, colour factors,
// zoom, rotation and mirrors. The setters only store; each draw reads them.
class CEffetsImage {
public:
    CEffetsImage()
        : alpha(255), brightnessR(255), brightnessG(255), brightnessB(255), rotation(0.0), zoom(100),
          mirrorX(false), mirrorY(false)
    {
    }
    // Pictures own GL names and buffers: never copied.
    CEffetsImage(const CEffetsImage&) = delete;
    CEffetsImage& operator=(const CEffetsImage&) = delete;

    void setAlphaBlending(unsigned char a) { alpha = a; }
    void setBrightness(unsigned char r, unsigned char g, unsigned char b)
    {
        brightnessR = r;
        brightnessG = g;
        brightnessB = b;
    }
    void setZoom(int z) { zoom = z; }
    void setRotation(double degres) { rotation = degres; }
    void setMirrorX(bool m) { mirrorX = m; }
    void setMirrorY(bool m) { mirrorY = m; }

    unsigned char alpha;       // 255 opaque, 0 invisible
    unsigned char brightnessR; // 255 unchanged, lower darker
    unsigned char brightnessG;
    unsigned char brightnessB;
    double rotation;           // degrees, positive turns clockwise on screen
    int zoom;                  // percent
    bool mirrorX;              // flip top to bottom
    bool mirrorY;              // flip left to right

protected:
    // Texturing and blending on, `texture` bound (unless 0), the colour
    // from the brightness and opacity, the model-view matrix reset to the
    // 0.375 pixel offset. termineDessin() turns texturing and blending off.
    void commenceDessin(unsigned int texture) const;
    void termineDessin() const;
};

class CImageGL : public CEffetsImage {
public:
    CImageGL();
    ~CImageGL();

    // Whole picture file; colour key (r, g, b), or r = -1 for none.
    // 0 on success, 1 on failure (the picture is then empty).
    int chargeImageSDL(const char* fichier, int r, int g, int b);
    // Rectangle (x, y, w, h) of a picture file. The last flag has no effect.
    int chargeImageSDL(const char* fichier, int x, int y, int w, int h,
                       int r, int g, int b, bool corriger);
    // Rectangle of a picture in memory; the surface stays the caller's (its
    // per-surface alpha flag is cleared).
    int chargeImageSDL(SDL_Surface* surface, int x, int y, int w, int h,
                       int r, int g, int b, bool corriger);

    // Makes matching pixels of the buffers transparent black (alpha ignored).
    // Textures bound before keep their old pixels.
    void setColorKey(unsigned char r, unsigned char g, unsigned char b);
    // Creates the texture of tile k from its buffer.
    void bindSubImage(int k);
    // bindSubImage for every tile in order.
    void bind();

    int getLongueur() const { return longueur; }
    int getHauteur() const { return hauteur; }

    // Whole picture with its top-left corner at (x, y).
    void affiche(int x, int y);
    // Source rectangle (sx, sy, w, h) with its top-left corner at (x, y).
    // Zoom, rotation and mirrors pivot on the centre of the whole picture
    // placed at (x, y).
    void affiche(int x, int y, int sx, int sy, int w, int h);

    int nbTilesX;
    int nbTilesY;
    int nbTiles;
    SubImage* tiles;
    int hauteur;
    int longueur;

private:
    void libere();
    int chargeRectangle(SDL_Surface* image, int x, int y, int w, int h,
                        int r, int g, int b, bool imageEntiere);
};

class CImageGL3 : public CEffetsImage {
public:
    CImageGL3();
    ~CImageGL3();

    // Whole picture file, releasing what was held before. 0 or 1.
    int chargeImageSDL(const char* fichier, int r, int g, int b);
    // Rectangle of a picture file; with bilinear filtering on and `corriger`
    // set, the last row and column are copied next to the content.
    int chargeImageSDL(const char* fichier, int x, int y, int w, int h,
                       int r, int g, int b, bool corriger);
    // Ready pixels in the buffer layout above (texLongueur * texHauteur * 4
    // bytes are copied).
    void chargeImageRaw(const unsigned char* data, int longueur, int hauteur,
                        int texLongueur, int texHauteur, int r, int g, int b);
    // Shares autre's pixels (no copy) with a texture of its own.
    void instancieImage(CImageGL3* autre);
    // What the viewport shows (the picture without any black bars), stored
    // upright.
    void captureEcran();
    // Creates the texture from `pixels`.
    void bind();

    // Top-left corner at (x, y); rotation and zoom about the picture's
    // centre, mirrors in place.
    void affiche(int x, int y);
    // Source rectangle (sx, sy, w, h) at (x, y), ignoring rotation and zoom.
    void affiche(int x, int y, int sx, int sy, int w, int h);
    // The picture stretched over (x, y, w, h), ignoring rotation and zoom.
    void afficheEtire(int x, int y, int w, int h);

    void setColorKey(unsigned char r, unsigned char g, unsigned char b);
    // Copies the last content row into the row below it, in the buffer only.
    void corrigeBilinear();

    int getLongueur() const { return longueur; }
    int getHauteur() const { return hauteur; }

    int hauteur;
    int longueur;
    int texHauteur;
    int texLongueur;
    unsigned int textureId;
    bool sharedPixels;   // pixels belong to another picture
    bool empty;          // no texture and no pixels of its own
    unsigned char* pixels;

private:
    // Where the texture's texels are not all fully transparent (see
    // rectangleVisible), measured when the texture is made: drawing only
    // that part gives the same pixels for less fill.
    int visibleG = 0;
    int visibleH = 0;
    int visibleD = 0;
    int visibleB = 0;

    void libere();
    // Draws the source rectangle (sx, sy, w, h) at (x, y), mirrored within
    // itself, leaving out the texels around the visible rectangle.
    void dessineRectangle(int x, int y, int sx, int sy, int w, int h);
    int chargeFichier(const char* fichier, bool imageEntiere, int x, int y, int w, int h,
                      int r, int g, int b, bool corriger);
};

#endif
