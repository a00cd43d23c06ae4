// CToile: a floating-point RGBA picture that the generator paints into.
//
// Pixels are stored premultiplied by alpha. Shapes are filled with hard
// edges; pictures are painted at a multiple of their final size and then
// reduced with `reduit`, which is what gives every edge its anti-aliasing.
// Coordinates are pixels, origin top-left, y downward; a pixel's centre is
// at (x + 0.5, y + 0.5).

#ifndef GENDATA_TOILE_H
#define GENDATA_TOILE_H

#include <cstdint>
#include <functional>
#include <vector>

namespace gendata {

struct Couleur {
    float r = 0, g = 0, b = 0, a = 1;
    Couleur() = default;
    Couleur(float r_, float g_, float b_, float a_ = 1) : r(r_), g(g_), b(b_), a(a_) {}
};
// From 0..255 components.
inline Couleur rvb(int r, int g, int b, float a = 1) { return Couleur(r / 255.f, g / 255.f, b / 255.f, a); }
Couleur melange(const Couleur& a, const Couleur& b, float t);
Couleur fois(const Couleur& c, float f);   // scales r, g, b

struct Point { float x, y; };
using Polygone = std::vector<Point>;
using Nuanceur = std::function<Couleur(float x, float y)>;

class CToile {
public:
    CToile() = default;
    CToile(int longueur, int hauteur);
    int longueur() const { return l_; }
    int hauteur() const { return h_; }

    // Premultiplied access.
    float* pixel(int x, int y) { return &p_[(size_t(y) * l_ + x) * 4]; }
    const float* pixel(int x, int y) const { return &p_[(size_t(y) * l_ + x) * 4]; }
    Couleur lit(int x, int y) const;              // straight colour
    float alpha(int x, int y) const;              // 0 outside the picture

    void remplit(const Couleur& c);
    // Paints c over the pixel with the given coverage.
    void pose(int x, int y, const Couleur& c, float couverture = 1);
    // Vertical gradient from `haut` at y0 to `bas` at y1 over the whole width.
    void degrade(const Couleur& haut, const Couleur& bas, float y0, float y1);

    // Filled shapes (nonzero rule). The nuanceur form asks a colour for each
    // covered pixel centre.
    void polygone(const Polygone& pts, const Couleur& c);
    void polygone(const Polygone& pts, const Nuanceur& n);
    void disque(float cx, float cy, float r, const Couleur& c);
    void ellipse(float cx, float cy, float rx, float ry, float angle, const Couleur& c);
    // A limb: two circles joined by their tangents.
    void capsule(float x0, float y0, float r0, float x1, float y1, float r1, const Couleur& c);
    // Same shape as a polygon, for callers that want to reuse it.
    static Polygone formeCapsule(float x0, float y0, float r0, float x1, float y1, float r1);
    static Polygone formeEllipse(float cx, float cy, float rx, float ry, float angle, int segments = 48);

    // Paints `source` over this picture with its top-left corner at (x, y).
    void compose(const CToile& source, int x, int y, float opacite = 1);
    // Box reduction by an integer factor: the anti-aliasing step.
    CToile reduit(int facteur) const;
    // Separable box blur of the given radius, repeated `passes` times.
    void floute(int rayon, int passes = 2);
    // Adds `c` scaled by how much of the shape lies on the lit side: pixels
    // inside whose neighbour at (dx, dy) is outside get the light.
    void eclaireBord(int dx, int dy, const Couleur& c, float force);
    // Multiplies alpha (and premultiplied colour) by f(x, y).
    void attenue(const std::function<float(int x, int y)>& f);
    CToile decoupe(int x, int y, int l, int h) const;

    // 8-bit straight RGBA. Fully transparent pixels get the colour `fond`
    // (the colour key of the sheet), with alpha 0.
    std::vector<uint8_t> octetsRVBA(const Couleur& fond = Couleur(0, 0, 0, 0)) const;
    // 8-bit RGB over an opaque background colour.
    std::vector<uint8_t> octetsRVB(const Couleur& fond = Couleur(0, 0, 0, 1)) const;

private:
    template <class F> void balaye(const Polygone& pts, F&& span);
    int l_ = 0, h_ = 0;
    std::vector<float> p_;
};

}

#endif
