#include "Decor.h"
#include "Formats.h"
#include "scenery/ClesNiveau.h"
#include "scenery/SchemaNiveau.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

namespace {

// A numbered section name from the reader's own format.
std::string section(const char* format, size_t a, size_t b = 0) {
    char nom[64];
    std::snprintf(nom, sizeof nom, format, int(a), int(b));
    return nom;
}

}

void ecritPlan(const std::string& chemin, const std::string& planche, const std::vector<TuilePlan>& tuiles) {
    using namespace clesNiveau;
    CFichierProfil f;
    f.section(Entete);
    f.cle(NombreTiles, long(tuiles.size()));
    for (size_t n = 0; n < tuiles.size(); ++n) {
        const TuilePlan& t = tuiles[n];
        f.section(section(SectionTile, n + 1));
        f.cle(NbPositions, long(t.positions.size()));
        f.cle(NbFrames, long(t.cadres.size()));
        f.cle(PathPlanche, planche);
        f.cle(ColorkeyR, 255);
        f.cle(ColorkeyG, 0);
        f.cle(ColorkeyB, 255);
        for (size_t m = 0; m < t.cadres.size(); ++m) {
            f.section(section(SectionFrame, n + 1, m + 1));
            f.cle(schemaNiveau::RectX.nom, t.cadres[m].x);
            f.cle(schemaNiveau::RectY.nom, t.cadres[m].y);
            f.cle(schemaNiveau::RectLongueur.nom, t.cadres[m].l);
            f.cle(schemaNiveau::RectHauteur.nom, t.cadres[m].h);
            f.cle(ValeurAlpha, t.alphas[m]);
            if (t.pauses[m] > 0) f.cle(PauseFrame, t.pauses[m]);
        }
        for (size_t k = 0; k < t.positions.size(); ++k) {
            f.section(section(SectionPosition, n + 1, k + 1));
            f.cle(PositionX, long(std::lround(t.positions[k].x)));
            f.cle(PositionY, long(std::lround(t.positions[k].y)));
        }
    }
    f.ecrit(chemin);
}

void CPlanDecor::ecrit(const std::string& base) const {
    planche.ecrit(base + ".png");
    ecritPlan(base + ".ini", base + ".png", tuiles);
}

void ecritNiveau(const std::string& chemin, const std::vector<PlanNiveau>& plans,
                 const std::vector<std::pair<std::string, long>>& entete,
                 const std::function<void(CFichierProfil&)>& acteurs,
                 const std::vector<std::pair<std::string, std::string>>& enteteTexte) {
    using namespace clesNiveau;
    CFichierProfil f;
    f.section(Entete);
    f.cle(NombrePriorites, long(plans.size()));
    f.cle(NombrePlans, long(plans.size()));
    for (const auto& c : entete) f.cle(c.first, c.second);
    for (const auto& c : enteteTexte) f.cle(c.first, c.second);
    for (size_t i = 0; i < plans.size(); ++i) {
        f.section(section(SectionPlan, i + 1));
        f.cle(PathPlan, plans[i].chemin);
        f.cle(Priorite, long(i + 1));
        f.cle(RepeatX, plans[i].repeatX ? 1 : 0);
        f.cle(RepeatY, 0);
        f.cle(PositionEcranX, 0);
        f.cle(PositionEcranY, 0);
        f.cle(ScrollRatio, plans[i].scrollRatio);
    }
    if (acteurs) acteurs(f);
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
    float demiLarge = h * float(r.entre(0.17, 0.24));
    float penche = h * float(r.entre(-0.04, 0.04));   // the top leans a little
    int etages = r.entier(5, 8);
    float piedFeuilles = y - h * float(r.entre(0.06, 0.12));
    t.capsule(x, y, h * 0.028f, x + penche * 0.3f, y - h * 0.4f, h * 0.016f, fois(c, 0.6f));
    // Boughs from the bottom up, each a drooping fan that overlaps the one
    // below, with a ragged lower edge; the moonlit right side is lighter.
    for (int i = 0; i < etages; ++i) {
        float v0 = 0.86f * i / etages, v1 = std::min(1.f, v0 + 1.9f / etages);
        float bas = piedFeuilles - (piedFeuilles - (y - h)) * v0;
        float haut = piedFeuilles - (piedFeuilles - (y - h)) * v1;
        float demi = demiLarge * std::pow(1 - v0, 0.85f) * float(r.entre(0.85, 1.08));
        float sommetX = x + penche * v1, chute = h * 0.035f * (1 - v0);
        Polygone p{{sommetX, haut}};
        for (int k = 1; k <= 4; ++k) {  // right flank, slightly convex
            float u = k / 4.f;
            p.push_back({sommetX + (x + demi - sommetX) * u, haut + (bas + chute - haut) * std::pow(u, 1.15f)});
        }
        int dents = 5 + r.entier(0, 3);
        for (int k = 1; k < dents; ++k) {  // ragged lower edge, right to left
            float u = k / float(dents);
            float px = x + demi - 2 * demi * u;
            float creux = (k % 2 ? -1.f : 0.4f) * h * 0.03f * float(r.entre(0.5, 1.0));
            p.push_back({px, bas + creux + chute * (0.4f + 0.6f * std::fabs(1 - 2 * u))});
        }
        for (int k = 0; k < 4; ++k) {  // left flank back up
            float u = 1 - k / 4.f;
            p.push_back({sommetX + (x - demi - sommetX) * u, haut + (bas + chute - haut) * std::pow(u, 1.15f)});
        }
        float rang = 0.9f + 0.1f * float(i) / etages;
        t.polygone(p, [&, bas, haut](float px, float py) {
            float cote = borne((px - x) / (2 * demiLarge) + 0.5f);
            float dessous = borne((py - haut) / std::max(1.f, bas - haut));
            float grain = fbm2(px / (h * 0.04f), py / (h * 0.03f), graine, 2);
            return fois(c, rang * (0.72f + 0.42f * cote) * (1.08f - 0.3f * dessous) * (0.88f + 0.24f * grain));
        });
    }
}

void masseFeuilles(CToile& t, float cx, float cy, float rayon, const Couleur& c, uint32_t graine) {
    CHasard r(graine);
    float p1 = float(r.entre(0, 6.3)), p2 = float(r.entre(0, 6.3)), p3 = float(r.entre(0, 6.3));
    // A lobed outline: a few big bulges and a fine leafy fringe.
    Polygone p;
    const int n = 72;
    for (int i = 0; i < n; ++i) {
        float a = 2 * float(M_PI) * i / n;
        float k = 1 + 0.13f * std::sin(3 * a + p1) + 0.08f * std::sin(5 * a + p2) + 0.05f * std::sin(13 * a + p3)
                  + 0.06f * (alea01(i, 7, graine) - 0.5f);
        p.push_back({cx + std::cos(a) * rayon * k, cy + std::sin(a) * rayon * k * 0.86f});
    }
    t.polygone(p, [&](float px, float py) {
        // Moonlight from the upper right, shade underneath, leaf speckle.
        float dx = (px - cx) / rayon, dy = (py - cy) / rayon;
        float lumiere = borne(0.5f + 0.45f * (dx * 0.6f - dy * 0.8f));
        float grain = fbm2(px / (rayon * 0.16f), py / (rayon * 0.16f), graine + 3, 3);
        float tache = grain > 0.62f ? 1.15f : grain < 0.36f ? 0.8f : 1.f;
        // A darker rim on the shaded side sets each clump off from the next.
        float bord = borne((std::sqrt(dx * dx + dy * dy) - 0.75f) / 0.3f) * (1 - lumiere);
        return fois(c, (0.62f + 0.6f * lumiere) * tache * (0.92f + 0.16f * grain) * (1 - 0.35f * bord));
    });
}

void feuillu(CToile& t, float x, float y, float h, const Couleur& tronc, const Couleur& feuilles, uint32_t graine) {
    CHasard r(graine);
    float e = h * 0.05f;
    // Trunk flaring at the foot, three main limbs into the crown.
    t.polygone({{x - e * 1.9f, y}, {x - e * 1.1f, y - h * 0.08f}, {x - e * 0.7f, y - h * 0.45f}, {x + e * 0.7f, y - h * 0.45f},
                {x + e * 1.1f, y - h * 0.08f}, {x + e * 1.9f, y}},
               [&](float px, float) { return fois(tronc, 0.75f + 0.45f * borne((px - x) / (4 * e) + 0.5f)); });
    t.capsule(x, y - h * 0.4f, e * 0.7f, x - h * 0.17f, y - h * 0.62f, e * 0.3f, tronc);
    t.capsule(x, y - h * 0.42f, e * 0.7f, x + h * 0.19f, y - h * 0.66f, e * 0.3f, tronc);
    t.capsule(x, y - h * 0.44f, e * 0.6f, x + h * 0.02f, y - h * 0.78f, e * 0.25f, tronc);
    // Leaf masses back to front: dark ones behind, lit ones in front, so
    // the crown has depth and gaps rather than one round cloud.
    struct Masse { float x, y, r; int couche; };
    std::vector<Masse> masses;
    for (int couche = 0; couche < 3; ++couche) {
        int nb = couche == 0 ? 7 : couche == 1 ? 8 : 6;
        for (int i = 0; i < nb; ++i) {
            float a = float(r.entre(0, 2 * M_PI));
            float d = float(std::sqrt(r.unite())) * h * (couche == 2 ? 0.2f : 0.26f);
            masses.push_back({x + std::cos(a) * d * 1.25f, y - h * 0.7f + std::sin(a) * d * 0.75f,
                              h * float(r.entre(0.09, 0.14)) * (couche == 0 ? 1.15f : 1.f), couche});
        }
    }
    for (const Masse& m : masses) {
        float valeur = m.couche == 0 ? 0.6f : m.couche == 1 ? 0.85f : 1.05f;
        masseFeuilles(t, m.x, m.y, m.r, fois(feuilles, valeur), graine * 31 + uint32_t(&m - masses.data()));
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
