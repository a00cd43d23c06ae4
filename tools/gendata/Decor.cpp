#include "Decor.h"
#include "Formats.h"

#include <algorithm>
#include <cmath>

namespace gendata {

const Couleur kBrume = rvb(62, 74, 120);

Cadre CPlanche::ajoute(const CToile& image, bool raccord) {
    int l = image.longueur() + 2, h = image.hauteur() + 2;
    if (x_ + l > largeurMax_) { x_ = 0; y_ += hauteurRangee_; hauteurRangee_ = 0; }
    Cadre c{x_, y_, image.longueur(), image.hauteur()};
    elements_.push_back({image, c, raccord});
    x_ += l;
    hauteurRangee_ = std::max(hauteurRangee_, h);
    largeur_ = std::max(largeur_, x_);
    return c;
}

void CPlanche::ecrit(const std::string& chemin) const {
    CToile feuille(largeur_, y_ + hauteurRangee_);
    for (const Element& e : elements_) {
        feuille.compose(e.image, e.cadre.x, e.cadre.y);
        if (e.raccord) {
            feuille.compose(e.image.decoupe(0, 0, 2, e.image.hauteur()), e.cadre.x + e.cadre.l, e.cadre.y);
        }
    }
    ecritPng(chemin, feuille, Couleur(1, 0, 1, 0));
}

void ecritPlan(const std::string& chemin, const std::string& planche, const std::vector<TuilePlan>& tuiles) {
    CFichierProfil f;
    f.section("Entete");
    f.cle("nombreTiles", long(tuiles.size()));
    for (size_t n = 0; n < tuiles.size(); ++n) {
        const TuilePlan& t = tuiles[n];
        std::string nom = "Tile" + std::to_string(n + 1);
        f.section(nom);
        f.cle("nbPositions", long(t.positions.size()));
        f.cle("nbFrames", long(t.cadres.size()));
        f.cle("pathPlanche", planche);
        f.cle("colorkeyR", 255);
        f.cle("colorkeyG", 0);
        f.cle("colorkeyB", 255);
        for (size_t m = 0; m < t.cadres.size(); ++m) {
            f.section(nom + "Frame" + std::to_string(m + 1));
            f.cle("positionX", t.cadres[m].x);
            f.cle("positionY", t.cadres[m].y);
            f.cle("longueur", t.cadres[m].l);
            f.cle("hauteur", t.cadres[m].h);
            f.cle("valeurAlpha", t.alphas[m]);
        }
        for (size_t k = 0; k < t.positions.size(); ++k) {
            f.section(nom + "Position" + std::to_string(k + 1));
            f.cle("positionX", long(std::lround(t.positions[k].x)));
            f.cle("positionY", long(std::lround(t.positions[k].y)));
        }
    }
    f.ecrit(chemin);
}

void CPlanDecor::ecrit(const std::string& base) const {
    planche.ecrit(base + ".png");
    ecritPlan(base + ".ini", base + ".png", tuiles);
}

void ecritNiveau(const std::string& chemin, const std::vector<PlanNiveau>& plans) {
    CFichierProfil f;
    f.section("Entete");
    f.cle("nombrePriorites", long(plans.size()));
    f.cle("nombrePlans", long(plans.size()));
    for (size_t i = 0; i < plans.size(); ++i) {
        f.section("Plan" + std::to_string(i + 1));
        f.cle("pathPlan", plans[i].chemin);
        f.cle("priorite", long(i + 1));
        f.cle("repeatX", plans[i].repeatX ? 1 : 0);
        f.cle("repeatY", 0);
        f.cle("positionEcranX", 0);
        f.cle("positionEcranY", 0);
        f.cle("scrollRatio", plans[i].scrollRatio);
    }
    f.ecrit(chemin);
}

Couleur brume(const Couleur& c, float p) { Couleur r = melange(c, kBrume, p); r.a = c.a; return r; }

void eclaireLune(CToile& t, const Couleur& lumiere, float force, int epaisseur) {
    t.eclaireBord(epaisseur, -epaisseur, lumiere, force);
}

void peintTerrain(CToile& t, const std::function<float(float)>& hauteur, const Nuanceur& n) {
    for (int x = 0; x < t.longueur(); ++x) {
        float haut = hauteur(x + 0.5f);
        int y0 = std::max(0, int(std::ceil(haut - 0.5f)));
        for (int y = y0; y < t.hauteur(); ++y) t.pose(x, y, n(x + 0.5f, y + 0.5f));
    }
}

void sapin(CToile& t, float x, float y, float h, const Couleur& c, uint32_t graine) {
    CHasard r(graine);
    float l = h * r.entre(0.32f, 0.42f);
    t.capsule(x, y, h * 0.025f, x, y - h * 0.3f, h * 0.02f, fois(c, 0.8f));
    int etages = 5;
    for (int i = 0; i < etages; ++i) {
        float bas = y - h * (0.12f + 0.16f * i), haut = bas - h * 0.32f;
        float demi = l * (1.f - 0.17f * i) * 0.5f;
        Polygone p{{x - demi, bas}, {x - demi * 0.25f, bas - h * 0.03f}, {x, haut}, {x + demi * 0.25f, bas - h * 0.03f}, {x + demi, bas}};
        // Ragged lower edge of each tier.
        for (int k = 0; k < 6; ++k) {
            float u = 1 - k / 6.f;
            p.push_back({x + demi * (u - 1.f / 12), bas + h * 0.02f * float(r.unite())});
        }
        t.polygone(p, c);
    }
}

void feuillu(CToile& t, float x, float y, float h, const Couleur& tronc, const Couleur& feuilles, uint32_t graine) {
    CHasard r(graine);
    float e = h * 0.05f;
    // Trunk flaring at the foot, two main branches.
    t.polygone({{x - e * 1.8f, y}, {x - e * 0.7f, y - h * 0.45f}, {x + e * 0.7f, y - h * 0.45f}, {x + e * 1.8f, y}}, tronc);
    t.capsule(x, y - h * 0.4f, e * 0.7f, x - h * 0.16f, y - h * 0.62f, e * 0.3f, tronc);
    t.capsule(x, y - h * 0.42f, e * 0.7f, x + h * 0.18f, y - h * 0.66f, e * 0.3f, tronc);
    for (int i = 0; i < 14; ++i) {
        float a = float(r.entre(0, 2 * M_PI));
        float d = float(r.entre(0.05, 0.24)) * h;
        float cx = x + std::cos(a) * d * 1.3f, cy = y - h * 0.68f + std::sin(a) * d * 0.8f;
        float rr = h * float(r.entre(0.11, 0.17));
        // Leaf masses: darker underneath, speckled by noise.
        Polygone p = CToile::formeEllipse(cx, cy, rr, rr * 0.9f, 0, 40);
        float base = float(r.entre(0.85, 1.1));
        t.polygone(p, [&](float px, float py) {
            float n = fbm2(px / (h * 0.03f), py / (h * 0.03f), graine, 3);
            float dessous = borne((py - cy) / rr * 0.5f + 0.5f);
            return fois(feuilles, base * (1.05f - 0.45f * dessous) * (0.75f + 0.5f * n));
        });
    }
}

void arbreMort(CToile& t, float x, float y, float h, const Couleur& c, uint32_t graine) {
    CHasard r(graine);
    std::function<void(float, float, float, float, float, int)> branche =
        [&](float x0, float y0, float angle, float longueur, float epaisseur, int niveau) {
            float x1 = x0 + std::cos(angle) * longueur, y1 = y0 + std::sin(angle) * longueur;
            t.capsule(x0, y0, epaisseur, x1, y1, epaisseur * 0.65f, c);
            if (niveau == 0) return;
            int n = niveau > 2 ? 2 : 3;
            for (int i = 0; i < n; ++i)
                branche(x1, y1, angle + float(r.entre(-0.7, 0.7)), longueur * float(r.entre(0.55, 0.75)), epaisseur * 0.6f, niveau - 1);
        };
    branche(x, y, float(-M_PI / 2 + r.entre(-0.1, 0.1)), h * 0.42f, h * 0.045f, 4);
}

void rocher(CToile& t, float x, float y, float l, float h, const Couleur& c, uint32_t graine) {
    CHasard r(graine);
    Polygone p;
    int n = 14;
    for (int i = 0; i <= n; ++i) {
        float a = float(M_PI) * i / n;  // upper half only: the rock sits on y
        float k = float(r.entre(0.82, 1.0));
        p.push_back({x - std::cos(a) * l * 0.5f * k, y - std::sin(a) * h * k});
    }
    p.push_back({x + l * 0.5f, y + h * 0.08f});
    p.push_back({x - l * 0.5f, y + h * 0.08f});
    t.polygone(p, [&](float px, float py) {
        float v = 0.85f + 0.3f * fbm2(px / (E * 6), py / (E * 6), graine, 3);
        float haut = borne((y - py) / h);
        return fois(c, v * (0.8f + 0.35f * haut));
    });
}

void touffe(CToile& t, float x, float y, float h, const Couleur& c, uint32_t graine, int brins) {
    CHasard r(graine);
    for (int i = 0; i < brins; ++i) {
        float dx = float(r.entre(-0.35, 0.35)) * h;
        float penche = float(r.entre(-0.5, 0.5)) * h;
        float hh = h * float(r.entre(0.6, 1.0));
        float e = h * 0.05f;
        Polygone p{{x + dx - e, y}, {x + dx + penche * 0.5f, y - hh * 0.6f}, {x + dx + penche, y - hh}, {x + dx + e, y}};
        t.polygone(p, fois(c, float(r.entre(0.8, 1.15))));
    }
}

}
