// The second level: dawn over a marsh. A pink and gold sky with a low,
// pale sun, violet hills far off, banks of mist drifting slowly, a lagoon
// with reed beds and willows, and a walk over mud, peat and boardwalks to
// a shrine on an old stone causeway. Toads leap from the reeds.

#include "Accessoires.h"
#include "Contenu.h"
#include "Paysage.h"

#include <cmath>

namespace gendata {

namespace {

using namespace paysage;

const std::string kDossier = "./data/levels/marais/";
const Couleur kAube = rvb(255, 196, 160);     // rim light from the low sun
constexpr int kSoleilX = 430, kSoleilY = 188, kCoteSoleil = 80;
constexpr int kPeriode = 2048;
// Far planes are soft: painted at twice the size.
constexpr int kE2 = 2;

// ---- Sky, hills, mist ---------------------------------------------------------

void ecritCielMarais() {
    Ciel c{{{0, rvb(40, 40, 92)}, {120, rvb(118, 96, 150)}, {220, rvb(226, 150, 150)}, {300, rvb(250, 196, 150)}, {360, rvb(252, 222, 176)}},
           kSoleilX + kCoteSoleil / 2.f, kSoleilY + kCoteSoleil / 2.f - 40, rvb(255, 236, 190), 0.85f, 60, 40, 0.5f,
           rvb(246, 186, 176), 1201};
    ecritCiel(kDossier, c, peintDisque(kCoteSoleil, 26, rvb(255, 250, 228), rvb(255, 214, 150), 0.2f), kSoleilX, kSoleilY);
}

// Violet hills with a fringe of distant trees, paler the farther.
void ecritLointain() {
    CPlanDecor plan;
    ajouteBandeHaute(plan, rvb(20, 16, 44), kPeriode);
    constexpr int haut = 170, hauteur = 170;
    for (int i = 0; i < kPeriode / 256; ++i) {
        CToile t(256 * kE2, hauteur * kE2);
        struct Rang { uint32_t graine; float base, ampl; Couleur c; };
        for (const Rang& r : {Rang{1210, 280, 90, rvb(150, 118, 156)}, Rang{1211, 305, 60, rvb(112, 92, 128)}}) {
            CToile couche(t.longueur(), t.hauteur());
            auto crete = [&](float wx) {
                // A period that divides 2048 keeps the hills seamless.
                float base = r.base - r.ampl * std::pow(fbm1(wx / 256.f, r.graine, 4, kPeriode / 256), 1.4f);
                float arbres = fbm1(wx / 8.f, r.graine + 5, 2, kPeriode / 8) * 10 * borne((fbm1(wx / 128.f, r.graine + 6, 2, kPeriode / 128) - 0.4f) * 4);
                return base - arbres;
            };
            peintTerrain(couche, [&](float x) { return (crete(i * 256 + x / kE2) - haut) * kE2; }, [&](float, float y) {
                float wy = y / kE2 + haut;
                return melange(r.c, rvb(236, 180, 170), borne((wy - 250) / 90.f) * 0.6f);
            });
            couche.eclaireBord(2 * kE2, -2 * kE2, kAube, 0.35f);
            t.compose(couche, 0, 0);
        }
        TuilePlan p;
        p.cadre(plan.planche.ajoute(t.reduit(kE2), true));
        p.place(i * 256, haut);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "lointain");
}

void ecritBrume(const std::string& nom, int y, int h, uint32_t graine, int alpha, float densite) {
    CPlanDecor plan;
    TuilePlan p;
    p.cadre(plan.planche.ajoute(bancDeBrume(320, h, graine, rvb(250, 226, 222), densite), true), alpha);
    for (int x = 0; x < 2560; x += 320) p.place(x, y);
    plan.tuiles.push_back(p);
    plan.ecrit(kDossier + nom);
}

// ---- The lagoon: water, reed beds and willows on the far bank -------------------

void saule(CToile& t, float x, float y, float h, const Couleur& c, uint32_t graine) {
    CHasard r(graine);
    t.capsule(x, y, h * 0.05f, x + h * 0.04f, y - h * 0.55f, h * 0.025f, fois(c, 0.7f));
    // Drooping strands from a domed crown.
    masseFeuilles(t, x, y - h * 0.8f, h * 0.2f, fois(c, 0.9f), graine + 1);
    for (int i = 0; i < 70; ++i) {
        float a = float(r.entre(-1.35, 1.35));
        float x0 = x + std::sin(a) * h * 0.3f, y0 = y - h * (0.6f + 0.24f * std::cos(a));
        float chute = h * float(r.entre(0.2, 0.5)) * (0.6f + 0.4f * std::fabs(std::sin(a)));
        t.capsule(x0, y0, h * 0.014f, x0 + std::sin(a) * h * 0.07f, y0 + chute, h * 0.004f, fois(c, float(r.entre(0.8, 1.2))));
    }
}

void ecritRives() {
    CPlanDecor plan;
    constexpr int haut = 240, hauteur = 200;
    for (int i = 0; i < kPeriode / 256; ++i) {
        CToile t(256 * kE2, hauteur * kE2);
        // Still water from line 352 down, mirroring the dawn sky.
        for (int y = 0; y < t.hauteur(); ++y) {
            float wy = y / float(kE2) + haut;
            if (wy < 352) continue;
            for (int x = 0; x < t.longueur(); ++x) {
                float wx = i * 256 + x / float(kE2);
                float ride = fbm2(wx / 64.f, wy / 2.f, 1220, 3, kPeriode / 64);
                Couleur c = melange(rvb(236, 178, 160), rvb(96, 80, 120), borne((wy - 352) / 70.f));
                c = melange(c, rvb(255, 232, 200), borne((ride - 0.62f) * 4) * 0.6f);
                t.pose(x, y, c);
            }
        }
        // Reed beds along the far bank, willows and a dead tree here and there.
        CHasard r(1230 + i);
        const Couleur sombre = rvb(62, 52, 70);
        for (int k = 0; k < 9; ++k) {
            float x = float(r.entre(30, 226)) * kE2;  // whole clumps: tiles meet on open water
            touffe(t, x, (356 - haut) * kE2, float(r.entre(18, 34)) * kE2, sombre, 1240 + i * 16 + k, 14);
        }
        if (i % 3 != 2) saule(t, float(r.entre(60, 200)) * kE2, (356 - haut) * kE2, float(r.entre(62, 86)) * kE2, rvb(100, 96, 118), 1250 + i);
        else arbreMort(t, 128.f * kE2, (356 - haut) * kE2, 110.f * kE2, rvb(64, 54, 70), 1260 + i);
        t.eclaireBord(2 * kE2, -2 * kE2, kAube, 0.4f);
        TuilePlan p;
        p.cadre(plan.planche.ajoute(t.reduit(kE2), true));
        p.place(i * 256, haut);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "rives");
}

// ---- Ground ---------------------------------------------------------------

enum SolMarais { Berge, Vase, Ponton, Tourbe, Chaussee };

Couleur couleurMarais(int s, float x, float y) {
    float d = y - surfaceSol(x);
    auto bruit = [&](float echelle, uint32_t k) { return bruitSol(x, y, echelle, 1300 + s * 10 + k); };
    float strate = std::sin((d + 6 * bruitSol(x, 0, 32, 1291)) / 9.f * 2 * float(M_PI));
    Couleur terre = fois(rvb(70, 52, 50), (0.8f + 0.4f * bruitSol(x, y, 16, 1290)) * (1 + 0.07f * strate));
    terre = fois(terre, 1 - 0.5f * borne((d - 20) / 70.f));
    Couleur c = terre;
    switch (s) {
    case Vase: {  // wet mud with pools of sky
        c = melange(terre, rvb(46, 38, 44), 0.5f);
        float flaque = bruitSol(x, y * 3, 20, 1292);
        if (d > 4 && d < 34 && flaque > 0.58f) c = fois(melange(rvb(170, 128, 146), rvb(246, 196, 170), borne((flaque - 0.58f) * 5)), 1 - d / 70);
        break;
    }
    case Ponton:
        if (d < 8) {
            float planche = std::fmod(x, 256 / 14.f);  // whole planks per tile
            c = fois(rvb(104, 78, 64), (planche < 1.2f ? 0.5f : 0.9f + 0.2f * bruit(4, 1)) * (d < 2 ? 1.3f : 1.f));
        } else {
            float reflet = borne((bruitSol(x, y * 3, 6, 1293) - 0.6f) * 6) * borne(1 - (d - 8) / 80);
            c = melange(rvb(70, 62, 96), rvb(250, 200, 176), reflet * 0.7f);
            float pieu = std::fmod(x + 64, 128.f);
            if (pieu < 8) c = fois(rvb(66, 48, 44), pieu < 2 ? 0.6f : 1.f);
        }
        break;
    case Tourbe:
        c = melange(c, rvb(66, 76, 50), borne(bruit(8, 2) - 0.3f) * 1.1f);
        break;
    case Chaussee: {
        const float dalle = 256 / 8.f;
        int rang = int(d / 14);
        float u = std::fmod(x + dalle * 0.3f + (rang % 2) * dalle / 2, dalle), v = std::fmod(d, 14.f);  // no joint on the tile's edge
        bool joint = u < 1.8f || v < 1.8f;
        if (d < 42) c = joint ? rvb(58, 70, 48) : fois(rvb(132, 120, 124), (0.75f + 0.35f * bruit(5, 3)) * (1 - d / 100));
        break;
    }
    default: break;
    }
    float base = s == Berge ? 8 : s == Tourbe ? 10 : s == Vase ? 3 : s == Chaussee ? 2 : 0;
    float herbe = base + 4 * fbm1(x / 16, 1294, 3, 16);
    if (d < herbe) {
        Couleur vert = s == Tourbe ? rvb(92, 106, 60) : rvb(100, 112, 66);
        c = melange(fois(vert, 0.8f + 0.4f * bruit(4, 4)), c, borne((d - herbe + 3) / 3));
    }
    if (d < 1.5f && s != Ponton) c = melange(c, rvb(250, 206, 170), 0.45f);  // the dawn on the rim
    if (d < 0) c.a = 0;
    return c;
}

void decorMarais(CToile& t, int g, int s, int d) {
    if (s == Ponton) {
        for (float x : {68.f, 196.f})
            t.polygone({{(x - 3) * E, (surfaceSol(x) - 14) * E}, {(x + 3) * E, (surfaceSol(x) - 14) * E},
                        {(x + 3) * E, surfaceSol(x) * E}, {(x - 3) * E, surfaceSol(x) * E}}, rvb(80, 60, 52));
        return;
    }
    CHasard r(1310 + s);
    int brins = s == Chaussee ? 14 : s == Vase ? 24 : 56;
    for (int i = 0; i < brins; ++i) {
        float x = float(r.entre(0, 256)), h = float(r.entre(5, s == Vase ? 16 : 12));
        uint32_t gr = uint32_t(r.suivant());
        if ((x < 12 && g != s) || (x > 244 && d != s)) continue;
        for (int k = -1; k <= 1; ++k) touffe(t, (x + k * 256) * E, (surfaceSol(x) + 2) * E, h * E, rvb(92, 104, 62), gr, 5);
    }
}

std::vector<int> suiteMarais() {
    std::vector<int> s;
    auto ajoute = [&](int type, int n) { for (int i = 0; i < n; ++i) s.push_back(type); };
    ajoute(Berge, 4); ajoute(Vase, 1); ajoute(Berge, 2); ajoute(Tourbe, 2); ajoute(Berge, 3);
    ajoute(Ponton, 3); ajoute(Tourbe, 2); ajoute(Vase, 2); ajoute(Berge, 3);
    ajoute(Tourbe, 2); ajoute(Vase, 1); ajoute(Berge, 2); ajoute(Ponton, 4);
    ajoute(Berge, 3); ajoute(Tourbe, 2); ajoute(Vase, 2); ajoute(Berge, 3);
    ajoute(Chaussee, 6); ajoute(Ponton, 3); ajoute(Chaussee, 4); ajoute(Berge, 6);
    return s;
}

// Props: cattail clumps on the banks, willows, dead trees (bats hang from
// those at 5300 and 9780), boardwalk posts, standing stones by the causeway.
CToile peintRoseaux() {
    CToile t(120 * E, 110 * E);
    float bas = 106 * E, cx = 60 * E;
    touffe(t, cx, bas, 90 * E, rvb(60, 70, 46), 1320, 18);
    CHasard r(1321);
    for (int k = 0; k < 6; ++k) {
        float x = cx + float(r.entre(-36, 36)) * E, y = bas - float(r.entre(70, 100)) * E;
        t.capsule(x, bas, 1.1f * E, x, y, 0.9f * E, rvb(70, 78, 50));
        t.capsule(x, y + 4 * E, 2.8f * E, x, y + 17 * E, 2.8f * E, rvb(96, 60, 44));
    }
    t.eclaireBord(2 * E, -2 * E, kAube, 0.45f);
    return t.reduit(E);
}

CToile peintSaule() {
    CToile t(200 * E, 230 * E);
    saule(t, 100 * E, 226 * E, 220 * E, rvb(74, 88, 66), 1330);
    t.eclaireBord(3 * E, -3 * E, kAube, 0.45f);
    return t.reduit(E);
}

std::vector<PoseDecor> posesMarais() {
    std::vector<PoseDecor> p = {
        {"arbreMort", 300}, {"saule", 900}, {"rocherGrand", 1500}, {"saule", 2300}, {"arbreMort", 3000},
        {"pilier", 3456}, {"pilier", 3712}, {"pilier", 3968}, {"pilier", 4224},
        {"arbreMort", 5300}, {"saule", 6300}, {"saule", 6800},
        {"pilier", 7680}, {"pilier", 7936}, {"pilier", 8192}, {"pilier", 8448}, {"pilier", 8704},
        {"saule", 9200}, {"arbreMort", 9780}, {"saule", 10500},
        {"menhir", 11300}, {"menhir", 11900}, {"croix", 12400}, {"menhir", 12700},
        {"pilier", 12800}, {"pilier", 13056}, {"pilier", 13312}, {"pilier", 13568},
        {"menhir", 14300}, {"sanctuaire", 15020}, {"saule", 15400},
    };
    CHasard r(1340);
    for (float x = 100; x < 15300; x += float(r.entre(140, 420))) {
        bool surPonton = (x > 3300 && x < 4200) || (x > 7600 && x < 8800) || (x > 12700 && x < 13600);
        if (!surPonton && (x < 14700 || x > 15300)) p.push_back({r.unite() < 0.8 ? "roseaux" : "buisson", x});
    }
    return p;
}

void ecritSolMarais() {
    CPlanDecor plan;
    ajouteSol(plan, suiteMarais(), couleurMarais, decorMarais, kAube);
    const Couleur aube = rvb(255, 214, 200);  // the night props warmed
    std::vector<Accessoire> images = {
        {"saule", peintSaule()}, {"arbreMort", teinte(peintAccessoire("arbreMort"), aube)},
        {"sanctuaire", teinte(peintAccessoire("sanctuaire"), aube)}, {"rocherGrand", teinte(peintAccessoire("rocherGrand"), aube)},
        {"menhir", teinte(peintAccessoire("menhir"), aube)}, {"croix", teinte(peintAccessoire("croix"), aube)},
        {"pilier", peintAccessoire("pilier")}, {"buisson", teinte(peintAccessoire("buisson"), aube)}, {"roseaux", peintRoseaux()},
    };
    ajouteAccessoires(plan, images, posesMarais());
    plan.ecrit(kDossier + "sol");
}

// ---- Foreground reeds -----------------------------------------------------------

void ecritAvantPlan() {
    CPlanDecor plan;
    const Couleur sombre = rvb(30, 24, 34);
    for (int type = 0; type < 3; ++type) {
        int l = 140, h = 90 + type * 20;
        CToile t(l * E, h * E);
        float bas = h * E, cx = l * E / 2.f;
        touffe(t, cx, bas, float(h - 6) * E, sombre, 1350 + type, 16 + type * 6);
        CHasard r(1355 + type);
        for (int k = 0; k < 3 + type; ++k) {
            float x = cx + float(r.entre(-45, 45)) * E, y = bas - float(r.entre(h * 0.6, h - 8)) * E;
            t.capsule(x, bas, 1.3f * E, x, y, 1.1f * E, sombre);
            t.capsule(x, y + 4 * E, 3.2f * E, x, y + 18 * E, 3.2f * E, rvb(44, 30, 28));
        }
        t.eclaireBord(2 * E, -2 * E, kAube, 0.5f);
        TuilePlan p;
        p.cadre(plan.planche.ajoute(t.reduit(E)));
        plan.tuiles.push_back(p);
    }
    CHasard r(1360);
    for (float x = 40; x < 3100; x += float(r.entre(240, 560))) {
        int type = r.entier(0, 2);
        plan.tuiles[type].place(x, 480 - (90 + type * 20) + 24);
    }
    plan.ecrit(kDossier + "avantplan");
}

// ---- Actors -----------------------------------------------------------------

// The hero starts at 3100 and walks about 80 pixels a second. Toads sit low
// in the reeds (feet at 390: y 328), lights at 320 are in reach and those
// at 240 need a jump; bats hang from the dead trees at 5300 and 9780; the
// lanterns (y 270) split the walk in thirds.
const std::vector<ActeurPose> kActeurs = {
    {"lueur", 3450, 320, nullptr, 0},       {"crapaud", 3800, 328, nullptr, 0},     {"lueur", 4100, 240, nullptr, 0},
    {"feu_follet", 4450, 300, nullptr, 0},  {"crapaud", 4800, 328, nullptr, 0},     {"lueur", 5050, 320, nullptr, 0},
    {"chauve_souris", 5320, 225, nullptr, 0}, {"crapaud", 5700, 328, nullptr, 0},   {"crapaud", 5920, 328, nullptr, 0},
    {"lueur", 6200, 240, nullptr, 0},       {"feu_follet", 6550, 290, nullptr, 0},  {"lanterne", 7000, 270, nullptr, 0},
    {"lueur", 7300, 320, nullptr, 0},       {"loup", 7750, 300, "patrouille", 120}, {"crapaud", 8250, 328, nullptr, 0},
    {"lueur", 8450, 240, nullptr, 0},       {"feu_follet", 8850, 290, nullptr, 0},  {"crapaud", 9250, 328, nullptr, 0},
    {"lueur", 9500, 320, nullptr, 0},       {"chauve_souris", 9800, 225, nullptr, 0}, {"crapaud", 10200, 328, nullptr, 0},
    {"lueur", 10420, 240, nullptr, 0},      {"lanterne", 11000, 270, nullptr, 0},   {"loup", 11450, 300, nullptr, 0},
    {"lueur", 11700, 320, nullptr, 0},      {"crapaud", 12150, 328, nullptr, 0},    {"feu_follet", 12550, 300, nullptr, 0},
    {"lueur", 12850, 240, nullptr, 0},      {"crapaud", 13250, 328, nullptr, 0},    {"crapaud", 13480, 328, nullptr, 0},
    {"lueur", 13720, 320, nullptr, 0},      {"feu_follet", 14100, 290, nullptr, 0}, {"lueur", 14420, 240, nullptr, 0},
    // The shrine's flame, on the flame painted in the shrine (x 15020, y 350).
    {"sanctuaire", 14972, 284, nullptr, 0},
};

}

void genereMarais() {
    creeDossiers(kDossier.substr(0, kDossier.size() - 1));
    ecritCielMarais();
    ecritLointain();
    ecritBrume("brume", 200, 90, 1270, 150, 0.8f);
    ecritRives();
    ecritBrume("brumebasse", 318, 70, 1271, 120, 0.7f);
    ecritSolMarais();
    ecritAvantPlan();
    ecritFichierNiveau("./data/levels/marais.ini",
                       {{kDossier + "lointain.ini", 15, true},
                        {kDossier + "brume.ini", 28, true},
                        {kDossier + "rives.ini", 55, true},
                        {kDossier + "brumebasse.ini", 75, true},
                        {kDossier + "sol.ini", 100, false},
                        {kDossier + "avantplan.ini", 170, true}},
                       {kDossier + "fond.jpg", kDossier + "astre.bmp", "./data/zic/marais.ogg", kSoleilX, kSoleilY}, kActeurs, 14820);
}

}
