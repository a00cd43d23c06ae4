// The third level: a mountain pass in falling snow. A grey-blue overcast
// sky with a veiled moon, great snowy peaks, snow clouds drifting past,
// slopes of snow-laden pines, and a walk over snow, rock, a frozen pond
// and stone steps to the shrine. Boulders roll down on the hero; a plane
// of falling snow (animated tiles) lies over everything.

#include "Accessoires.h"
#include "Contenu.h"
#include "Paysage.h"

#include <cmath>

namespace gendata {

namespace {

using namespace paysage;

const std::string kDossier = "./data/levels/col/";
const Couleur kFroid = rvb(200, 214, 240);    // cold light from the veiled moon
const Couleur kNeige = rvb(232, 238, 248);
constexpr int kLuneX = 96, kLuneY = 58, kCoteLune = 80;
constexpr int kPeriode = 2048;
constexpr int kE2 = 2;

void ecritCielCol() {
    Ciel c{{{0, rvb(22, 28, 44)}, {140, rvb(64, 76, 100)}, {280, rvb(120, 132, 156)}, {360, rvb(150, 160, 180)}},
           kLuneX + kCoteLune / 2.f, kLuneY + kCoteLune / 2.f - 40, rvb(190, 204, 230), 0.6f, 70, 12, 0.8f,
           rvb(126, 136, 160), 2201};
    ecritCiel(kDossier, c, peintDisque(kCoteLune, 22, rvb(236, 240, 248), rvb(180, 190, 210), 0.8f), kLuneX, kLuneY);
}

// Snow lies on every upper edge: a strong cold light from straight above.
void enneige(CToile& t, int epaisseur, float force) { t.eclaireBord(0, -epaisseur, kNeige, force); }

// ---- Peaks, clouds, pine slopes -------------------------------------------------

void ecritMontagnes() {
    CPlanDecor plan;
    ajouteBandeHaute(plan, rvb(10, 12, 22), kPeriode);
    constexpr int haut = 70, hauteur = 300;
    struct Chaine { uint32_t graine; float base, ampl, neige; Couleur roche; };
    for (int i = 0; i < kPeriode / 256; ++i) {
        CToile t(256 * kE2, hauteur * kE2);
        for (const Chaine& c : {Chaine{2210, 300, 200, 250, rvb(84, 94, 118)}, Chaine{2211, 340, 120, 290, rvb(62, 70, 92)}}) {
            CToile couche(t.longueur(), t.hauteur());
            auto crete = [&](float wx) { return c.base - c.ampl * std::pow(fbm1(wx / 256.f, c.graine, 5, kPeriode / 256), 1.7f) * 1.8f; };
            peintTerrain(couche, [&](float x) { return (crete(i * 256 + x / kE2) - haut) * kE2; }, [&](float x, float y) {
                float wx = i * 256 + x / kE2, wy = y / kE2 + haut;
                float roche = fbm2(wx / 32.f, wy / 16.f, c.graine + 3, 4, kPeriode / 32);
                // Snow down to `neige`, broken by rock ribs; haze at the foot.
                float n = borne((c.neige - wy) / 40.f + (roche - 0.5f) * 2.2f);
                Couleur k = melange(c.roche, rvb(210, 218, 234), n * 0.9f);
                k = fois(k, 0.85f + 0.3f * borne((crete(wx) + 60 - wy) / 60.f + 0.5f) * (roche > 0.5f ? 1 : 0.8f));
                return melange(k, rvb(140, 150, 172), borne((wy - 280) / 90.f) * 0.6f);
            });
            couche.eclaireBord(2 * kE2, -2 * kE2, kFroid, 0.3f);
            t.compose(couche, 0, 0);
        }
        TuilePlan p;
        p.cadre(plan.planche.ajoute(t.reduit(kE2), true));
        p.place(i * 256, haut);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "montagnes");
}

void ecritNuages() {
    CPlanDecor plan;
    TuilePlan haut, bas;
    haut.cadre(plan.planche.ajoute(bancDeBrume(400, 80, 2220, rvb(196, 204, 222), 0.9f), true), 170);
    bas.cadre(plan.planche.ajoute(bancDeBrume(400, 60, 2221, rvb(214, 220, 234), 0.8f), true), 140);
    for (int x = 0; x < 2400; x += 400) { haut.place(x, 120); bas.place(x, 290); }
    plan.tuiles = {haut, bas};
    plan.ecrit(kDossier + "nuages");
}

void ecritPentes() {
    CPlanDecor plan;
    constexpr int haut = 180, hauteur = 230;
    auto crete = [](float wx) { return 330 - 60 * std::pow(fbm1(wx / 256.f, 2230, 4, kPeriode / 256), 1.3f); };
    for (int i = 0; i < kPeriode / 256; ++i) {
        CToile t(256 * kE2, hauteur * kE2);
        peintTerrain(t, [&](float x) { return (crete(i * 256 + x / kE2) - haut) * kE2; }, [&](float x, float y) {
            float wx = i * 256 + x / kE2, wy = y / kE2 + haut;
            float n = fbm2(wx / 32.f, wy / 12.f, 2231, 3, kPeriode / 32);
            return melange(rvb(176, 186, 208), rvb(120, 130, 156), borne((wy - crete(wx)) / 70.f) * 0.7f + (n - 0.5f) * 0.3f);
        });
        // Pines in clumps along the slope, the neighbours' too where they
        // reach in; snow goes on the whole row at once.
        CToile foret(t.longueur(), t.hauteur());
        for (int k = -1; k <= 1; ++k) {
            int j = (i + k + 8) % 8;
            CHasard r(2240 + j);
            for (int a = 0; a < 7; ++a) {
                float ax = float(r.entre(0, 256)), h = float(r.entre(50, 90));
                uint32_t g = uint32_t(r.suivant());
                if (fbm1((j * 256 + ax) / 256.f, 2241, 2, kPeriode / 256) < 0.42f) continue;
                float x = (ax + k * 256) * kE2;
                if (x < -40 * kE2 || x > 296 * kE2) continue;
                sapin(foret, x, (crete(j * 256 + ax) + 8 - haut) * kE2, h * kE2, rvb(34, 52, 60), g);
            }
        }
        enneige(foret, 3 * kE2, 0.9f);
        t.compose(foret, 0, 0);
        t.eclaireBord(2 * kE2, -2 * kE2, kFroid, 0.25f);
        TuilePlan p;
        p.cadre(plan.planche.ajoute(t.reduit(kE2), true));
        p.place(i * 256, haut);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "pentes");
}

// ---- Ground ---------------------------------------------------------------

enum SolCol { Neige, Roche, Sentier, Glace, Dalles };

Couleur couleurCol(int s, float x, float y) {
    float d = y - surfaceSol(x);
    auto bruit = [&](float echelle, uint32_t k) { return bruitSol(x, y, echelle, 2300 + s * 10 + k); };
    // Rock under everything, snow over the top of every type but the ice.
    float roche = bruitSol(x, y, 12, 2290);
    float fissure = std::fabs(bruitSol(x, y, 21, 2291) - 0.5f) < 0.025f ? 0.55f : 1.f;
    Couleur c = fois(melange(rvb(92, 96, 114), rvb(56, 58, 74), roche), fissure * (1 - 0.45f * borne((d - 10) / 80)));
    float neige = 14;
    switch (s) {
    case Neige: neige = 26 + 8 * bruit(10, 1); break;
    case Roche: neige = 3 + 8 * borne((bruit(14, 2) - 0.45f) * 3); break;
    case Sentier: {
        neige = 13;
        // Trodden snow: greyer, with the prints of those who went before.
        float pas = std::fmod(x, 23.f);
        if (d < 5 && pas > 4 && pas < 10) c = rvb(150, 158, 182);
        break;
    }
    case Glace:
        neige = 1.2f;
        if (d < 30) {
            float eclat = borne((bruitSol(x * 0.6f, y * 2, 6, 2292) - 0.6f) * 5);
            c = melange(rvb(120, 150, 186), rvb(230, 242, 255), eclat * 0.8f);
            c = fois(c, 1 - d / 60);
        }
        break;
    case Dalles: {
        neige = 3;
        const float dalle = 256 / 8.f;
        int rang = int(d / 12);
        float u = std::fmod(x + dalle * 0.3f + (rang % 2) * dalle / 2, dalle), v = std::fmod(d, 12.f);  // no joint on the tile's edge
        if (d < 40) c = u < 1.8f || v < 1.8f ? rvb(46, 48, 62) : fois(rvb(118, 122, 140), (0.8f + 0.3f * bruit(5, 3)) * (1 - d / 100));
        break;
    }
    default: break;
    }
    float bord = neige + 2 * fbm1(x / 16, 2293, 3, 16);
    if (d < bord) c = melange(fois(kNeige, 0.86f + 0.16f * bruit(6, 4) - 0.12f * borne(d / bord)), c, borne((d - bord + 2) / 2));
    if (d < 1.5f && s != Glace) c = melange(c, rvb(250, 252, 255), 0.5f);
    if (d < 0) c.a = 0;
    return c;
}

void decorCol(CToile& t, int g, int s, int d) {
    if (s == Glace || s == Dalles) return;
    // Tufts of dry grass poking through the snow.
    CHasard r(2310 + s);
    for (int i = 0; i < (s == Roche ? 12 : 6); ++i) {
        float x = float(r.entre(0, 256)), h = float(r.entre(4, 9));
        uint32_t gr = uint32_t(r.suivant());
        if ((x < 12 && g != s) || (x > 244 && d != s)) continue;
        for (int k = -1; k <= 1; ++k) touffe(t, (x + k * 256) * E, (surfaceSol(x) + 2) * E, h * E, rvb(124, 112, 92), gr, 4);
    }
}

std::vector<int> suiteCol() {
    std::vector<int> s;
    auto ajoute = [&](int type, int n) { for (int i = 0; i < n; ++i) s.push_back(type); };
    ajoute(Roche, 3); ajoute(Neige, 4); ajoute(Sentier, 5); ajoute(Neige, 3); ajoute(Roche, 2);
    ajoute(Sentier, 6); ajoute(Glace, 3); ajoute(Neige, 4); ajoute(Roche, 3); ajoute(Sentier, 6);
    ajoute(Neige, 3); ajoute(Glace, 2); ajoute(Sentier, 5); ajoute(Roche, 3); ajoute(Dalles, 8);
    return s;
}

// A pine under snow: snow on every bough's upper edge.
CToile peintSapinNeige() {
    CToile t(130 * E, 260 * E);
    sapin(t, 65 * E, (260 - enfoncement) * E, 250 * E, rvb(24, 44, 50), 2320);
    enneige(t, 3 * E, 0.9f);
    t.eclaireBord(3 * E, -3 * E, kFroid, 0.35f);
    return t.reduit(E);
}

// A night prop brought into the cold light with snow on its top.
CToile neigeSur(const std::string& nom) {
    CToile t = teinte(peintAccessoire(nom), rvb(220, 228, 250));
    enneige(t, 5, 0.9f);
    return t;
}

std::vector<PoseDecor> posesCol() {
    std::vector<PoseDecor> p = {
        {"rocherGrand", 200}, {"sapin", 700}, {"sapin", 1100}, {"rocherGrand", 1700}, {"sapin", 2300}, {"menhir", 2900},
        {"sapin", 5436}, {"sapin", 9136}, {"sapin", 13036},   // the bats' perches
        {"arbreMort", 6000}, {"menhir", 7400}, {"barriere", 8400}, {"barriere", 8560}, {"arbreMort", 10200},
        {"menhir", 11800}, {"menhir", 12100}, {"menhir", 13800}, {"menhir", 14150}, {"sanctuaire", 15020}, {"rocherGrand", 15380},
    };
    CHasard r(2330);
    for (float x = 3300; x < 14700; x += float(r.entre(180, 460))) {
        bool glace = (x > 6000 && x < 6900) || (x > 11300 && x < 11900);
        double u = r.unite();
        if (!glace) p.push_back({u < 0.45 ? "sapin" : u < 0.8 ? "rocher" : "rocherGrand", x});
    }
    return p;
}

void ecritSolCol() {
    CPlanDecor plan;
    ajouteSol(plan, suiteCol(), couleurCol, decorCol, kFroid);
    std::vector<Accessoire> images = {
        {"sapin", peintSapinNeige()}, {"arbreMort", neigeSur("arbreMort")}, {"sanctuaire", neigeSur("sanctuaire")},
        {"rocherGrand", neigeSur("rocherGrand")}, {"menhir", neigeSur("menhir")}, {"barriere", neigeSur("barriere")},
        {"rocher", neigeSur("rocher")},
    };
    ajouteAccessoires(plan, images, posesCol());
    plan.ecrit(kDossier + "sol");
}

// ---- Falling snow ---------------------------------------------------------------

// Two tiles of flakes, 256 x 160, in rows down the screen; each plays 16
// frames in which every flake falls a sixteenth of the tile and sways, so
// the cycle closes on itself.
void ecritNeige() {
    constexpr int L = 256, H = 160, images = 16, pause = 100;
    CPlanDecor plan;
    for (int variante = 0; variante < 2; ++variante) {
        struct Flocon { float x, y, r, a, phase; };
        std::vector<Flocon> flocons;
        CHasard r(2340 + variante);
        for (int i = 0; i < 70; ++i)
            flocons.push_back({float(r.entre(0, L)), float(r.entre(0, H)), float(r.entre(0.6, 1.8)), float(r.entre(0.45, 0.95)), float(r.entre(0, 6.28))});
        TuilePlan p;
        for (int k = 0; k < images; ++k) {
            CToile t(L * kE2, H * kE2);
            for (const Flocon& f : flocons) {
                float y = std::fmod(f.y + H * float(k) / images, float(H));
                float x = f.x + 3 * std::sin(f.phase + 2 * float(M_PI) * k / images);
                for (int dx : {-L, 0, L})
                    for (int dy : {-H, 0, H}) t.disque((x + dx) * kE2, (y + dy) * kE2, f.r * kE2, Couleur(0.96f, 0.97f, 1, f.a));
            }
            p.cadre(plan.planche.ajoute(t.reduit(kE2), true), 255, pause);
        }
        for (int x = 0; x < 2048; x += L)
            for (int y = variante * H; y < 480; y += 2 * H) p.place(x, y);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "neige");
}

// ---- Actors -----------------------------------------------------------------

// Boulders wait (y 334: resting on the ground) and roll at the hero once he
// is near; each stands alone, so that a jump is the only thing asked.
// Bats hang from the pines at 5436, 9136 and 13036.
const std::vector<ActeurPose> kActeurs = {
    {"lueur", 3450, 320, nullptr, 0},        {"rocher", 3900, 334, nullptr, 0},      {"lueur", 4200, 240, nullptr, 0},
    {"loup", 4700, 300, "patrouille", 120},  {"lueur", 5000, 320, nullptr, 0},       {"chauve_souris", 5400, 225, nullptr, 0},
    {"rocher", 5900, 334, nullptr, 0},       {"lueur", 6150, 240, nullptr, 0},       {"feu_follet", 6500, 290, nullptr, 0},
    {"lanterne", 6900, 270, nullptr, 0},     {"lueur", 7200, 320, nullptr, 0},       {"rocher", 7650, 334, nullptr, 0},
    {"loup", 8050, 300, nullptr, 0},         {"lueur", 8300, 240, nullptr, 0},       {"rocher", 8750, 334, nullptr, 0},
    {"chauve_souris", 9100, 225, nullptr, 0}, {"lueur", 9400, 320, nullptr, 0},      {"loup", 9850, 300, "patrouille", 160},
    {"rocher", 10350, 334, nullptr, 0},      {"lueur", 10550, 240, nullptr, 0},      {"lanterne", 10900, 270, nullptr, 0},
    {"feu_follet", 11300, 290, nullptr, 0},  {"lueur", 11600, 320, nullptr, 0},      {"rocher", 12000, 334, nullptr, 0},
    {"loup", 12450, 300, nullptr, 0},        {"lueur", 12700, 240, nullptr, 0},      {"chauve_souris", 13000, 225, nullptr, 0},
    {"rocher", 13400, 334, nullptr, 0},      {"lueur", 13650, 320, nullptr, 0},      {"loup", 14000, 300, nullptr, 0},
    {"lueur", 14300, 240, nullptr, 0},       {"rocher", 14500, 334, nullptr, 0},
    {"sanctuaire", 14972, 284, nullptr, 0},
};

}

void genereCol() {
    creeDossiers(kDossier.substr(0, kDossier.size() - 1));
    ecritCielCol();
    ecritMontagnes();
    ecritNuages();
    ecritPentes();
    ecritSolCol();
    ecritNeige();
    ecritFichierNiveau("./data/levels/col.ini",
                       {{kDossier + "montagnes.ini", 15, true},
                        {kDossier + "nuages.ini", 30, true},
                        {kDossier + "pentes.ini", 55, true},
                        {kDossier + "sol.ini", 100, false},
                        {kDossier + "neige.ini", 130, true}},
                       {kDossier + "fond.jpg", kDossier + "astre.bmp", "./data/zic/col.ogg", kLuneX, kLuneY}, kActeurs, 14820);
}

}
