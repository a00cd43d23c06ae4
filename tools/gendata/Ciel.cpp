#include "Ciel.h"
#include "Outils.h"

#include <cmath>

namespace gendata {

Couleur couleurCiel(float y) {
    const Couleur haut = rvb(8, 12, 36), milieu = rvb(20, 30, 70), bas = rvb(66, 76, 126);
    float t = borne(y / 360.f);
    if (t < 0.55f) return melange(haut, milieu, lisse(t / 0.55f));
    return melange(milieu, bas, lisse((t - 0.55f) / 0.45f));
}

namespace {
// The top rows fade to black, where the untinted band above meets them.
float noirEnHaut(float y) { return lisse(borne(y / 48.f)); }
}

CToile peintCiel(int e, float luneX, float luneY, uint32_t graine) {
    CToile t(640 * e, 360 * e);
    for (int y = 0; y < t.hauteur(); ++y)
        for (int x = 0; x < t.longueur(); ++x) {
            float fx = (x + 0.5f) / e, fy = (y + 0.5f) / e;
            Couleur c = couleurCiel(fy);
            // A faint diagonal veil of light across the sky.
            float voile = fbm2(fx / 90.f, fy / 45.f, graine, 4);
            float bande = std::exp(-std::pow((fy - 0.35f * fx - 20) / 90.f, 2.f));
            // The veil and the glow fade out towards the top row.
            float haut = lisse(borne(fy / 60.f));
            float v = borne(voile - 0.35f) * bande * 0.35f * haut;
            c = melange(c, rvb(90, 90, 150), v);
            // Moon glow.
            float d = std::hypot(fx - luneX, fy - luneY);
            float halo = (0.55f * std::exp(-d / 55.f) + 0.25f * std::exp(-d / 160.f)) * haut;
            c = melange(c, rvb(150, 165, 210), borne(halo));
            t.pose(x, y, fois(c, noirEnHaut(fy)));
        }
    CHasard r(graine);
    for (int i = 0; i < 320; ++i) {
        float x = float(r.entre(0, 640)), y = float(r.entre(0, 330));
        float eclat = float(r.entre(0.25, 1.0)) * (1.f - y / 380.f);
        if (std::hypot(x - luneX, y - luneY) < 70) continue;
        float rayon = float(r.entre(0.45, 0.9)) + (eclat > 0.85f ? 0.5f : 0.f);
        Couleur c = melange(rvb(255, 255, 255), r.unite() < 0.5 ? rvb(170, 190, 255) : rvb(255, 225, 190), float(r.unite()) * 0.6f);
        c.a = eclat * noirEnHaut(y);
        t.disque(x * e, y * e, rayon * e, c);
        if (eclat > 0.9f) {  // a soft cross on the brightest stars
            Couleur f = c; f.a = 0.35f;
            t.capsule((x - 3) * e, y * e, 0.2f * e, (x + 3) * e, y * e, 0.2f * e, f);
            t.capsule(x * e, (y - 3) * e, 0.2f * e, x * e, (y + 3) * e, 0.2f * e, f);
        }
    }
    return t;
}

CToile peintLune(int e, int cote, float rayon) {
    CToile t(cote * e, cote * e);
    float c = cote * e / 2.f, R = rayon * e;
    for (int y = 0; y < t.hauteur(); ++y)
        for (int x = 0; x < t.longueur(); ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c;
            float d = std::hypot(dx, dy) / R;
            if (d > 1) continue;
            // Seas and craters from noise, a darker limb to the lower left.
            float mers = fbm2(dx / R * 2.2f + 5, dy / R * 2.2f + 5, 77, 4);
            float ombre = borne(0.15f + 0.5f * (dx - dy) / R / 1.4f + 0.5f);
            float limbe = std::sqrt(std::max(0.f, 1 - d * d));
            Couleur col = melange(rvb(250, 246, 226), rvb(172, 176, 190), borne((mers - 0.45f) * 2.2f));
            col = fois(col, 0.72f + 0.28f * ombre * (0.6f + 0.4f * limbe));
            t.pose(x, y, col);
        }
    CHasard r(5);
    for (int i = 0; i < 9; ++i) {
        float a = float(r.entre(0, 2 * M_PI)), d = float(r.entre(0, 0.75)) * R;
        float cr = float(r.entre(0.06, 0.16)) * R;
        float x = c + std::cos(a) * d, y = c + std::sin(a) * d;
        t.disque(x, y, cr, rvb(150, 150, 168, 0.45f));
        t.disque(x - cr * 0.15f, y - cr * 0.15f, cr * 0.8f, rvb(200, 200, 210, 0.35f));
    }
    return t;
}

}
