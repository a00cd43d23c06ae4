#include "Toile.h"
#include "Outils.h"

#include <algorithm>
#include <cmath>

namespace gendata {

Couleur melange(const Couleur& a, const Couleur& b, float t) {
    return Couleur(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t);
}
Couleur fois(const Couleur& c, float f) { return Couleur(c.r * f, c.g * f, c.b * f, c.a); }

CToile::CToile(int longueur, int hauteur) : l_(longueur), h_(hauteur), p_(size_t(longueur) * hauteur * 4, 0.f) {}

Couleur CToile::lit(int x, int y) const {
    const float* p = pixel(x, y);
    if (p[3] <= 0) return Couleur(0, 0, 0, 0);
    return Couleur(p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]);
}

float CToile::alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= l_ || y >= h_) return 0;
    return pixel(x, y)[3];
}

void CToile::remplit(const Couleur& c) {
    for (size_t i = 0; i < p_.size(); i += 4) {
        p_[i] = c.r * c.a; p_[i + 1] = c.g * c.a; p_[i + 2] = c.b * c.a; p_[i + 3] = c.a;
    }
}

void CToile::pose(int x, int y, const Couleur& c, float couverture) {
    if (x < 0 || y < 0 || x >= l_ || y >= h_) return;
    float a = borne(c.a * couverture);
    float* p = pixel(x, y);
    float k = 1 - a;
    p[0] = c.r * a + p[0] * k; p[1] = c.g * a + p[1] * k; p[2] = c.b * a + p[2] * k; p[3] = a + p[3] * k;
}

void CToile::degrade(const Couleur& haut, const Couleur& bas, float y0, float y1) {
    for (int y = 0; y < h_; ++y) {
        Couleur c = melange(haut, bas, borne((y + 0.5f - y0) / (y1 - y0)));
        for (int x = 0; x < l_; ++x) pose(x, y, c);
    }
}

// Scanline fill with the nonzero rule, sampling at pixel centres.
template <class F> void CToile::balaye(const Polygone& pts, F&& span) {
    if (pts.size() < 3) return;
    float ymin = 1e30f, ymax = -1e30f;
    for (const Point& p : pts) { ymin = std::min(ymin, p.y); ymax = std::max(ymax, p.y); }
    int y0 = std::max(0, int(std::floor(ymin))), y1 = std::min(h_ - 1, int(std::ceil(ymax)));
    std::vector<std::pair<float, int>> croisements;
    for (int y = y0; y <= y1; ++y) {
        float cy = y + 0.5f;
        croisements.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            const Point& a = pts[i];
            const Point& b = pts[(i + 1) % pts.size()];
            if ((a.y <= cy) == (b.y <= cy)) continue;
            float t = (cy - a.y) / (b.y - a.y);
            croisements.push_back({a.x + t * (b.x - a.x), b.y > a.y ? 1 : -1});
        }
        std::sort(croisements.begin(), croisements.end());
        int sens = 0;
        for (size_t i = 0; i + 1 < croisements.size() + 1 && i < croisements.size(); ++i) {
            sens += croisements[i].second;
            if (sens != 0 && i + 1 < croisements.size()) {
                int xa = std::max(0, int(std::ceil(croisements[i].first - 0.5f)));
                int xb = std::min(l_ - 1, int(std::ceil(croisements[i + 1].first - 0.5f)) - 1);
                if (xb >= xa) span(y, xa, xb);
            }
        }
    }
}

void CToile::polygone(const Polygone& pts, const Couleur& c) {
    balaye(pts, [&](int y, int xa, int xb) { for (int x = xa; x <= xb; ++x) pose(x, y, c); });
}

void CToile::polygone(const Polygone& pts, const Nuanceur& n) {
    balaye(pts, [&](int y, int xa, int xb) { for (int x = xa; x <= xb; ++x) pose(x, y, n(x + 0.5f, y + 0.5f)); });
}

Polygone CToile::formeEllipse(float cx, float cy, float rx, float ry, float angle, int segments) {
    Polygone p;
    float ca = std::cos(angle), sa = std::sin(angle);
    for (int i = 0; i < segments; ++i) {
        float t = 2 * float(M_PI) * i / segments;
        float x = rx * std::cos(t), y = ry * std::sin(t);
        p.push_back({cx + x * ca - y * sa, cy + x * sa + y * ca});
    }
    return p;
}

void CToile::disque(float cx, float cy, float r, const Couleur& c) {
    polygone(formeEllipse(cx, cy, r, r, 0, std::max(16, int(r * 1.5f))), c);
}

void CToile::ellipse(float cx, float cy, float rx, float ry, float angle, const Couleur& c) {
    polygone(formeEllipse(cx, cy, rx, ry, angle, std::max(16, int(std::max(rx, ry) * 1.5f))), c);
}

Polygone CToile::formeCapsule(float x0, float y0, float r0, float x1, float y1, float r1) {
    float dx = x1 - x0, dy = y1 - y0, d = std::sqrt(dx * dx + dy * dy);
    Polygone p;
    if (d < 1e-3f) return formeEllipse(x0, y0, std::max(r0, r1), std::max(r0, r1), 0);
    float dir = std::atan2(dy, dx);
    // Tangent angle correction for unequal radii.
    float decal = std::asin(borne((r0 - r1) / d, -1, 1));
    const int n = 16;
    for (int i = 0; i <= n; ++i) {  // half circle around the end point
        float t = dir - float(M_PI) / 2 - decal + (float(M_PI) + 2 * decal) * i / n;
        p.push_back({x1 + r1 * std::cos(t), y1 + r1 * std::sin(t)});
    }
    for (int i = 0; i <= n; ++i) {  // half circle around the start point
        float t = dir + float(M_PI) / 2 + decal + (float(M_PI) - 2 * decal) * i / n;
        p.push_back({x0 + r0 * std::cos(t), y0 + r0 * std::sin(t)});
    }
    return p;
}

void CToile::capsule(float x0, float y0, float r0, float x1, float y1, float r1, const Couleur& c) {
    polygone(formeCapsule(x0, y0, r0, x1, y1, r1), c);
}

void CToile::compose(const CToile& s, int ox, int oy, float opacite) {
    for (int y = 0; y < s.h_; ++y) {
        int ty = y + oy;
        if (ty < 0 || ty >= h_) continue;
        for (int x = 0; x < s.l_; ++x) {
            int tx = x + ox;
            if (tx < 0 || tx >= l_) continue;
            const float* a = s.pixel(x, y);
            if (a[3] <= 0) continue;
            float* p = pixel(tx, ty);
            float k = 1 - a[3] * opacite;
            for (int c = 0; c < 4; ++c) p[c] = a[c] * opacite + p[c] * k;
        }
    }
}

CToile CToile::reduit(int f) const {
    CToile r(l_ / f, h_ / f);
    float inv = 1.f / (f * f);
    for (int y = 0; y < r.h_; ++y)
        for (int x = 0; x < r.l_; ++x) {
            float s[4] = {0, 0, 0, 0};
            for (int j = 0; j < f; ++j) {
                const float* p = pixel(x * f, y * f + j);
                for (int i = 0; i < f; ++i, p += 4)
                    for (int c = 0; c < 4; ++c) s[c] += p[c];
            }
            float* d = r.pixel(x, y);
            for (int c = 0; c < 4; ++c) d[c] = s[c] * inv;
        }
    return r;
}

void CToile::floute(int rayon, int passes) {
    std::vector<float> ligne;
    for (int pass = 0; pass < passes; ++pass) {
        for (int dim = 0; dim < 2; ++dim) {
            int n = dim == 0 ? l_ : h_, m = dim == 0 ? h_ : l_;
            ligne.assign(size_t(n) * 4, 0);
            for (int k = 0; k < m; ++k) {
                auto at = [&](int i) { return dim == 0 ? pixel(i, k) : pixel(k, i); };
                for (int i = 0; i < n; ++i)
                    for (int c = 0; c < 4; ++c) ligne[i * 4 + c] = at(i)[c];
                float s[4] = {0, 0, 0, 0};
                int cnt = 0;
                for (int i = -rayon; i <= rayon; ++i)
                    if (i >= 0 && i < n) { for (int c = 0; c < 4; ++c) s[c] += ligne[i * 4 + c]; ++cnt; }
                for (int i = 0; i < n; ++i) {
                    float* p = at(i);
                    for (int c = 0; c < 4; ++c) p[c] = s[c] / (2 * rayon + 1);
                    int sort = i - rayon, entre = i + rayon + 1;
                    if (sort >= 0) for (int c = 0; c < 4; ++c) s[c] -= ligne[sort * 4 + c];
                    if (entre < n) for (int c = 0; c < 4; ++c) s[c] += ligne[entre * 4 + c];
                }
                (void)cnt;
            }
        }
    }
}

void CToile::eclaireBord(int dx, int dy, const Couleur& c, float force) {
    std::vector<float> ajout(size_t(l_) * h_, 0);
    int pas = std::max(std::abs(dx), std::abs(dy));
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < l_; ++x) {
            float a = pixel(x, y)[3];
            if (a <= 0) continue;
            // Graded light: nearer the lit edge is brighter.
            float v = 0;
            for (int k = 1; k <= pas; ++k) {
                // Outside the picture counts as the nearest edge pixel, so
                // tiles cut from a wider landscape get no light on their cuts.
                int vx = std::clamp(x + dx * k / pas, 0, l_ - 1), vy = std::clamp(y + dy * k / pas, 0, h_ - 1);
                float voisin = pixel(vx, vy)[3];
                if (voisin < 0.5f) { v = 1.f - float(k - 1) / pas; break; }
            }
            ajout[size_t(y) * l_ + x] = v * force * a;
        }
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < l_; ++x) {
            float v = ajout[size_t(y) * l_ + x];
            if (v <= 0) continue;
            float* p = pixel(x, y);
            p[0] += (c.r * p[3] - p[0]) * v; p[1] += (c.g * p[3] - p[1]) * v; p[2] += (c.b * p[3] - p[2]) * v;
        }
}

void CToile::attenue(const std::function<float(int, int)>& f) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < l_; ++x) {
            float k = borne(f(x, y));
            float* p = pixel(x, y);
            for (int c = 0; c < 4; ++c) p[c] *= k;
        }
}

CToile CToile::decoupe(int x0, int y0, int l, int h) const {
    CToile r(l, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) {
            int sx = x + x0, sy = y + y0;
            if (sx < 0 || sy < 0 || sx >= l_ || sy >= h_) continue;
            const float* s = pixel(sx, sy);
            float* d = r.pixel(x, y);
            for (int c = 0; c < 4; ++c) d[c] = s[c];
        }
    return r;
}

static uint8_t octet(float v) { return uint8_t(std::lround(borne(v) * 255.f)); }

std::vector<uint8_t> CToile::octetsRVBA(const Couleur& fond) const {
    std::vector<uint8_t> o(size_t(l_) * h_ * 4);
    for (size_t i = 0, n = size_t(l_) * h_; i < n; ++i) {
        const float* p = &p_[i * 4];
        uint8_t a = octet(p[3]);
        if (a == 0) {
            o[i * 4] = octet(fond.r); o[i * 4 + 1] = octet(fond.g); o[i * 4 + 2] = octet(fond.b); o[i * 4 + 3] = 0;
            continue;
        }
        for (int c = 0; c < 3; ++c) o[i * 4 + c] = octet(p[c] / p[3]);
        o[i * 4 + 3] = a;
    }
    return o;
}

std::vector<uint8_t> CToile::octetsRVB(const Couleur& fond) const {
    std::vector<uint8_t> o(size_t(l_) * h_ * 3);
    for (size_t i = 0, n = size_t(l_) * h_; i < n; ++i) {
        const float* p = &p_[i * 4];
        float k = 1 - p[3];
        o[i * 3] = octet(p[0] + fond.r * k);
        o[i * 3 + 1] = octet(p[1] + fond.g * k);
        o[i * 3 + 2] = octet(p[2] + fond.b * k);
    }
    return o;
}

}
