// The game's level: sky, moon and five parallax planes of a night walk
// from a rocky start through meadow, forest, village, river, graveyard and
// highlands to a shrine. The hero's feet are on screen line 390 in every
// state, so the ground's surface lies on that line.

#include "Accessoires.h"
#include "Ciel.h"
#include "Contenu.h"
#include "Decor.h"
#include "Formats.h"
#include "Niveau.h"
#include "scenery/SchemaNiveau.h"

#include <array>
#include <cmath>
#include <map>

namespace gendata {

namespace {

using namespace niveau;

constexpr int kLuneX = 500, kLuneY = 70, kCoteLune = 80;

// ---- Sky and moon ------------------------------------------------------

void ecritCielEtLune() {
    // The moon's centre on screen, in sky coordinates (the sky is drawn 40
    // pixels down).
    float cx = kLuneX + kCoteLune / 2.f, cy = kLuneY + kCoteLune / 2.f - 40;
    CToile ciel = peintCiel(E, cx, cy, 2024).reduit(E);
    ecritJpeg(kDossier + "fond.jpg", ciel, 92);

    // The moon's soft edge is mixed with the sky behind it, so that only
    // the pixels fully outside the disc carry the magenta key.
    CToile lune = peintLune(E, kCoteLune, 27).reduit(E);
    CToile bmp(kCoteLune, kCoteLune);
    for (int y = 0; y < kCoteLune; ++y)
        for (int x = 0; x < kCoteLune; ++x) {
            float a = lune.alpha(x, y);
            if (a < 0.5f / 255) continue;
            Couleur fond = ciel.lit(kLuneX + x, kLuneY - 40 + y);
            fond.a = 1;
            bmp.pose(x, y, fond);
            bmp.pose(x, y, lune.lit(x, y), a);
        }
    ecritBmp(kDossier + "lune.bmp", bmp, Couleur(1, 0, 1, 1));
}

// ---- Far mountains and the top of the sky --------------------------------

constexpr int kPeriodeLointaine = 2048;

void ecritMontagnes() {
    CPlanDecor plan;
    // Band over the screen's top 40 lines. The game tints the sky picture
    // but not this band, so the two meet in black, which every tint leaves
    // black: the band darkens to it, the sky picture's top rises from it.
    {
        CToile bande(256 * E, 48 * E);
        for (int y = 0; y < bande.hauteur(); ++y) {
            float fy = (y + 0.5f) / E;
            Couleur c = melange(rvb(4, 6, 22), rvb(0, 0, 0), lisse(borne(fy / 40.f)));
            c.a = fy < 40 ? 1 : borne(1 - (fy - 40) / 8.f);
            for (int x = 0; x < bande.longueur(); ++x) bande.pose(x, y, c);
        }
        CHasard r(99);
        for (int i = 0; i < 26; ++i) {
            float x = float(r.entre(2, 254)), y = float(r.entre(3, 30));
            bande.disque(x * E, y * E, float(r.entre(0.45, 0.9)) * E, Couleur(0.95f, 0.95f, 1, float(r.entre(0.3, 1))));
        }
        TuilePlan t;
        t.cadre(plan.planche.ajoute(bande.reduit(E), true));
        for (int x = 0; x < kPeriodeLointaine; x += 256) t.place(x, 0);
        plan.tuiles.push_back(t);
    }
    // Two ranges: the farther one higher and paler.
    constexpr int haut = 60, hauteur = 290;
    auto crete = [](float x, uint32_t graine, float base, float ampl) {
        float f = fbm1(x / 256.f, graine, 5, kPeriodeLointaine / 256);
        return base - ampl * std::pow(f, 1.6f) * 1.9f;
    };
    for (int i = 0; i < kPeriodeLointaine / 256; ++i) {
        CToile t(256 * E, hauteur * E);
        auto chaine = [&](uint32_t graine, float base, float ampl, float profondeur, float neige) {
            CToile couche(t.longueur(), t.hauteur());
            peintTerrain(couche, [&](float x) { return (crete(i * 256 + x / E, graine, base, ampl) - haut) * E; },
                         [&](float x, float y) {
                             float wx = i * 256 + x / E, wy = y / E + haut;
                             float sommet = crete(wx, graine, base, ampl);
                             float roche = fbm2(wx / 32.f, wy / 24.f, graine + 7, 4, kPeriodeLointaine / 32);
                             Couleur c = melange(rvb(44, 56, 96), rvb(30, 38, 70), borne((wy - sommet) / 80.f));
                             // Snow on the upper slopes, broken by rock.
                             float n = borne((neige - wy) / 30.f + (roche - 0.5f) * 1.6f);
                             c = melange(c, rvb(150, 164, 205), n * 0.8f);
                             return brume(c, profondeur);
                         });
            eclaireLune(couche, kLumiere, 0.35f, 4 * E);
            t.compose(couche, 0, 0);
        };
        chaine(301, 300, 130, 0.62f, 215);
        chaine(302, 335, 95, 0.42f, 245);
        // Mist pooling at the foot of the mountains.
        for (int y = 0; y < t.hauteur(); ++y) {
            float wy = y / float(E) + haut;
            float m = borne((wy - 300) / 50.f) * 0.55f;
            if (m <= 0) continue;
            for (int x = 0; x < t.longueur(); ++x)
                if (t.alpha(x, y) > 0) t.pose(x, y, brume(rvb(90, 100, 140), 0.3f), m);
        }
        TuilePlan p;
        // Mountain tiles are cut so that they line up with each other.
        p.cadre(plan.planche.ajoute(t.reduit(E), true));
        p.place(i * 256, haut);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "montagnes");
}

// ---- Clouds ----------------------------------------------------------------

void ecritNuages() {
    CPlanDecor plan;
    struct Nuage { int l, h; uint32_t graine; int alpha; std::vector<Point> places; };
    std::vector<Nuage> nuages = {
        {300, 70, 401, 200, {{40, 92}, {1260, 70}}},
        {220, 56, 402, 185, {{520, 150}, {1900, 118}}},
        {360, 80, 403, 170, {{860, 64}}},
        {160, 44, 404, 210, {{1550, 172}, {2200, 60}}},
    };
    for (const Nuage& n : nuages) {
        CToile t(n.l * E, n.h * E);
        CHasard r(n.graine);
        int boules = n.l / 18;
        for (int i = 0; i < boules; ++i) {
            float u = (i + 0.5f) / boules;
            float rx = std::min(n.h * E * 0.3f, n.l * E * float(r.entre(0.06, 0.1)) * (1.3f - std::fabs(u - 0.5f)));
            float cx = n.l * E * (0.14f + 0.72f * u), cy = n.h * E * (0.6f - float(r.entre(0, 0.2)) * (1 - 2 * std::fabs(u - 0.5f)));
            t.ellipse(cx, cy, rx * 1.6f, rx, 0, [&] {
                return Couleur(1, 1, 1, 1);
            }());
        }
        // Shade: lit from above and from the moon's side.
        CToile ombre(t.longueur(), t.hauteur());
        for (int y = 0; y < t.hauteur(); ++y)
            for (int x = 0; x < t.longueur(); ++x) {
                float a = t.alpha(x, y);
                if (a <= 0) continue;
                float v = 1 - float(y) / t.hauteur();
                float bruit = fbm2(x / float(E * 14), y / float(E * 9), n.graine, 4);
                Couleur c = melange(rvb(40, 48, 86), rvb(120, 132, 178), borne(v * 0.9f + (bruit - 0.5f)));
                float bordX = std::min(x, t.longueur() - x) / float(t.longueur()) * 6;
                c.a = a * borne(bruit * 1.4f - 0.15f) * borne(bordX) * 0.85f;
                ombre.pose(x, y, c);
            }
        eclaireLune(ombre, rvb(200, 210, 240), 0.6f, 5 * E);
        ombre.floute(2 * E, 2);
        TuilePlan p;
        p.cadre(plan.planche.ajoute(ombre.reduit(E)), n.alpha);
        for (const Point& pt : n.places) p.place(pt.x, pt.y);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "nuages");
}

// ---- Hills and forest ----------------------------------------------------------

constexpr int kPeriodeCollines = 2048, kBasCollines = 410;

float creteCollines(float x) {
    return 330 - 110 * std::pow(fbm1(x / 256.f, 501, 4, kPeriodeCollines / 256), 1.3f);
}

struct Arbre { float x, pied, h; uint32_t graine; int rang; bool rond; };

// Three rows of trees along the ridge, in clumps with clearings: the
// farthest row stands higher up, smaller and paler; the nearest lower
// down the slope, taller and darker. A few round-topped trees break the
// line of spires.
std::vector<Arbre> arbresCollines() {
    constexpr int periode = kPeriodeCollines;
    std::vector<Arbre> arbres;
    const float tailles[3] = {26, 38, 52}, decalages[3] = {-4, 3, 11}, ecarts[3] = {7, 10, 15}, seuils[3] = {0.36f, 0.44f, 0.52f};
    for (int rang = 0; rang < 3; ++rang) {
        CHasard r(502 + rang);
        for (float x = 0; x < periode;) {
            float foret = fbm1(x / 256.f, 503 + rang * 11, 3, periode / 256);
            if (foret > seuils[rang]) {
                float h = tailles[rang] * float(r.entre(0.7, 1.25)) * (0.85f + 0.8f * (foret - seuils[rang]));
                bool rond = r.unite() < 0.12;
                arbres.push_back({x, creteCollines(x) + decalages[rang], rond ? h * 0.7f : h, uint32_t(r.suivant()), rang, rond});
                x += ecarts[rang] * float(r.entre(0.45, 1.5));
            } else {
                x += float(r.entre(18, 60));
            }
        }
    }
    return arbres;
}

// One tree standing at `ax` of a hill tile whose top is at `haut`.
void peintArbre(CToile& t, const Arbre& a, float ax, int haut, const Couleur& teinte) {
    if (!a.rond) {
        sapin(t, ax * E, a.pied * E - haut * E, a.h * E, teinte, a.graine);
        return;
    }
    float pied = (a.pied - haut) * E;
    t.capsule(ax * E, pied, a.h * 0.05f * E, ax * E, pied - a.h * 0.5f * E, a.h * 0.03f * E, fois(teinte, 0.7f));
    for (int m = 0; m < 3; ++m)
        masseFeuilles(t, (ax + (m - 1) * a.h * 0.18f) * E, pied - a.h * (0.62f + 0.12f * (m == 1)) * E, a.h * 0.24f * E,
                      fois(teinte, 1.1f), a.graine + m);
}

// The hills' tile `i`: slope and grass, then the trees row by row, the
// neighbouring periods' too where they reach over its edges.
void ajouteTuileCollines(CPlanDecor& plan, const std::vector<Arbre>& arbres, int i, int haut, int hauteur) {
    constexpr int periode = kPeriodeCollines;
    const Couleur teintes[3] = {brume(rvb(16, 32, 40), 0.5f), brume(rvb(14, 30, 36), 0.32f), brume(rvb(10, 22, 28), 0.14f)};
    CToile t(256 * E, hauteur * E);
    float x0 = i * 256.f;
    peintTerrain(t, [&](float x) { return (creteCollines(x0 + x / E) - haut) * E; }, [&](float x, float y) {
        float wx = x0 + x / E, wy = y / E + haut;
        float prof = borne((wy - creteCollines(wx)) / 60.f);
        float herbe = fbm2(wx / 32.f, wy / 20.f, 504, 3, periode / 32);
        return brume(melange(rvb(34, 58, 66), rvb(16, 26, 38), prof), 0.22f + 0.12f * herbe);
    });
    for (int rang = 0; rang < 3; ++rang)
        for (int k = -1; k <= 1; ++k)
            for (const Arbre& a : arbres) {
                float ax = a.x + k * periode - x0;
                if (a.rang != rang || ax < -50 || ax > 306) continue;
                peintArbre(t, a, ax, haut, teintes[rang]);
            }
    eclaireLune(t, kLumiere, 0.35f, 3 * E);
    TuilePlan p;
    p.cadre(plan.planche.ajoute(t.reduit(E), true));
    p.place(x0, haut);
    plan.tuiles.push_back(p);
}

// A ruined tower with one lit window on a far hill.
void ajouteTour(CPlanDecor& plan) {
    CToile t(60 * E, 120 * E);
    Couleur pierre = brume(rvb(40, 44, 60), 0.3f);
    t.polygone({{8.f * E, 120.f * E}, {12.f * E, 30.f * E}, {18.f * E, 22.f * E}, {24.f * E, 28.f * E}, {32.f * E, 18.f * E},
                {40.f * E, 26.f * E}, {48.f * E, 30.f * E}, {52.f * E, 120.f * E}}, pierre);
    t.polygone({{27.f * E, 44.f * E}, {33.f * E, 44.f * E}, {33.f * E, 54.f * E}, {27.f * E, 54.f * E}}, rvb(255, 190, 100));
    t.polygone({{20.f * E, 74.f * E}, {25.f * E, 74.f * E}, {25.f * E, 82.f * E}, {20.f * E, 82.f * E}}, rvb(230, 160, 80));
    eclaireLune(t, kLumiere, 0.4f);
    TuilePlan p;
    p.cadre(plan.planche.ajoute(t.reduit(E)));
    p.place(1380 - 30, creteCollines(1380) - 110);
    plan.tuiles.push_back(p);
}

// Mist lying in the valley between the hills and the ground.
void ajouteBrumeVallee(CPlanDecor& plan) {
    CToile t(256 * E, 70 * E);
    for (int y = 0; y < t.hauteur(); ++y)
        for (int x = 0; x < t.longueur(); ++x) {
            float fy = y / float(t.hauteur());
            float v = fbm2(x / float(E * 32), y / float(E * 12), 505, 4, 256 / 32);
            float a = std::pow(std::sin(fy * float(M_PI)), 2.f) * borne((v - 0.45f) * 2.5f);
            t.pose(x, y, Couleur(0.62f, 0.68f, 0.82f, a * 0.55f));
        }
    TuilePlan p;
    p.cadre(plan.planche.ajoute(t.reduit(E), true), 120);
    for (int x = 0; x < kPeriodeCollines; x += 256) p.place(x, 318);
    plan.tuiles.push_back(p);
}

void ecritCollines() {
    CPlanDecor plan;
    const std::vector<Arbre> arbres = arbresCollines();
    float cime = kBasCollines;
    for (const Arbre& a : arbres) cime = std::min(cime, a.pied - a.h);
    const int haut = int(std::floor(std::min(cime, 240.f))) - 4, hauteur = kBasCollines - haut;
    for (int i = 0; i < kPeriodeCollines / 256; ++i)
        ajouteTuileCollines(plan, arbres, i, haut, hauteur);
    ajouteTour(plan);
    ajouteBrumeVallee(plan);
    plan.ecrit(kDossier + "collines");
}


// ---- Foreground plants -----------------------------------------------------------

void ecritAvantPlan() {
    CPlanDecor plan;
    const Couleur sombre = rvb(8, 12, 16), bord = rvb(60, 84, 96);
    for (int type = 0; type < 4; ++type) {
        int l = 150, h = type == 3 ? 60 : 100 + type * 5;
        CToile t(l * E, h * E);
        CHasard r(800 + type);
        float bas = h * E, cx = l * E / 2.f;
        if (type == 0) {  // fern
            for (int f = 0; f < 7; ++f) {
                float a = float(-M_PI / 2 + (f - 3) * 0.33f);
                float longueur = float(r.entre(70, 95)) * E;
                for (int k = 0; k < 16; ++k) {
                    float u = k / 16.f;
                    float x = cx + std::cos(a) * longueur * u + (a + M_PI / 2) * longueur * u * u * 0.5f;
                    float y = bas + std::sin(a) * longueur * u + longueur * u * u * 0.45f;
                    float feuille = (1 - u) * 16 * E;
                    t.capsule(x, y, 1.2f * E, x - feuille * 0.8f, y - feuille * 0.35f, 0.4f * E, sombre);
                    t.capsule(x, y, 1.2f * E, x + feuille * 0.8f, y - feuille * 0.35f, 0.4f * E, sombre);
                }
            }
        } else if (type == 1 || type == 2) {  // tall grass, reeds
            touffe(t, cx, bas, float(h - 4) * E, sombre, 810 + type, type == 1 ? 26 : 12);
            if (type == 2)
                for (int k = 0; k < 4; ++k) {
                    float x = cx + float(r.entre(-40, 40)) * E, y = bas - float(r.entre(70, 96)) * E;
                    t.capsule(x, bas, 1.2f * E, x, y, 1.f * E, sombre);
                    t.capsule(x, y + 4 * E, 3 * E, x, y + 16 * E, 3 * E, rvb(30, 22, 20));
                }
        } else {  // dark rock with grass
            rocher(t, cx, bas, 130 * E, 44 * E, rvb(16, 18, 24), 830);
            touffe(t, cx + 30 * E, bas - 30 * E, 22 * E, sombre, 831, 9);
        }
        eclaireLune(t, bord, 0.7f, 2 * E);
        TuilePlan p;
        p.cadre(plan.planche.ajoute(t.reduit(E)));
        plan.tuiles.push_back(p);
    }
    // Scatter the clumps over a 3200-pixel repeating stretch.
    CHasard r(850);
    for (float x = 60; x < 3100; x += float(r.entre(260, 620))) {
        int type = r.entier(0, 3);
        int h = type == 3 ? 60 : 100 + type * 5;
        plan.tuiles[type].place(x, 480 - h);
    }
    plan.ecrit(kDossier + "avantplan");
}

// Creatures and lights along the walk, in world coordinates (the ground
// plane's). The hero walks about 80 pixels a second, so something waits
// every 5 to 15 seconds; a wisp just ahead of the start comes for a hero who
// idles. Lights at y 240 need a jump, those at 320 are in reach. Bats hang
// from a fir's branch (4650, 13890) and the graveyard's arch (10584).
struct ActeurPose { const char* type; int x, y; const char* cle; int valeur; };
const ActeurPose kActeurs[] = {
    {"lueur", 3480, 320, nullptr, 0},        {"feu_follet", 3750, 300, nullptr, 0},
    {"lueur", 4300, 240, nullptr, 0},        {"chauve_souris", 4650, 225, nullptr, 0},
    {"lueur", 5420, 320, nullptr, 0},        {"loup", 5500, 300, "patrouille", 120},
    {"feu_follet", 6500, 290, nullptr, 0},   {"lueur", 6900, 240, nullptr, 0},
    {"loup", 7600, 300, nullptr, 0},         {"lueur", 7660, 320, nullptr, 0},
    {"feu_follet", 8400, 290, nullptr, 0},   {"lueur", 9300, 240, nullptr, 0},
    {"feu_follet", 9600, 300, nullptr, 0},   {"loup", 10250, 300, nullptr, 0},
    {"chauve_souris", 10584, 246, nullptr, 0}, {"lueur", 10620, 320, nullptr, 0},
    {"feu_follet", 11200, 290, nullptr, 0},  {"lueur", 11500, 240, nullptr, 0},
    {"loup", 12000, 300, nullptr, 0},        {"lueur", 12080, 320, nullptr, 0},
    {"feu_follet", 13250, 300, nullptr, 0},  {"lueur", 13450, 240, nullptr, 0},
    {"chauve_souris", 13890, 225, nullptr, 0}, {"loup", 14000, 300, "patrouille", 200},
    {"lueur", 14300, 320, nullptr, 0},       {"feu_follet", 14520, 290, nullptr, 0},
    // The shrine's flame, on the flame painted in the shrine (x 15020, y 350).
    {"sanctuaire", 14972, 284, nullptr, 0},
    // Lanterns (checkpoints) in the village and at the graveyard's gate,
    // listed last so that the actors above keep their numbers.
    {"lanterne", 7150, 270, nullptr, 0},     {"lanterne", 10900, 270, nullptr, 0},
};
// The finish: the shrine in full view, before the level's last position.
constexpr int kArriveeX = 14820;

void ecritFichierNiveau() {
    const long n = long(sizeof kActeurs / sizeof kActeurs[0]);
    ecritNiveau("./data/levels/level1.ini",
                {{kDossier + "montagnes.ini", 20, true},
                 {kDossier + "nuages.ini", 35, true},
                 {kDossier + "collines.ini", 60, true},
                 {kDossier + "sol.ini", 100, false},
                 {kDossier + "avantplan.ini", 170, true}},
                {{schemaNiveau::NombreActeurs.nom, n}, {schemaNiveau::ArriveeX.nom, kArriveeX}}, [&](CFichierProfil& f) {
                    for (long i = 0; i < n; ++i) {
                        const ActeurPose& a = kActeurs[i];
                        f.section("Acteur" + std::to_string(i + 1));
                        f.cle(schemaNiveau::TypeActeur.nom, a.type);
                        f.cle(schemaNiveau::ActeurX.nom, a.x);
                        f.cle(schemaNiveau::ActeurY.nom, a.y);
                        if (a.cle) f.cle(a.cle, a.valeur);
                    }
                });
}

}

void genereNiveau() {
    creeDossiers(kDossier.substr(0, kDossier.size() - 1));
    ecritCielEtLune();
    ecritMontagnes();
    ecritNuages();
    ecritCollines();
    ecritSol();
    ecritAvantPlan();
    ecritFichierNiveau();
}

}
