#include "Accessoires.h"
#include "Decor.h"
#include "Formats.h"

#include <cmath>

namespace gendata {

namespace {

const Couleur kLune = rvb(170, 190, 230);
const Couleur kBois = rvb(62, 44, 40), kBoisSombre = rvb(38, 28, 30);
const Couleur kPierre = rvb(84, 88, 104), kPierreSombre = rvb(52, 54, 68);
const Couleur kFeuillage = rvb(24, 52, 50), kTronc = rvb(40, 30, 32);
const Couleur kFenetre = rvb(255, 196, 110);

struct Toile4 {
    CToile t;
    int l, h;
    float sol;  // hi-res y of the ground line
    Toile4(int l_, int h_) : t(l_ * E, h_ * E), l(l_), h(h_), sol(float(h_ - enfoncement) * E) {}
    float cx() const { return l * E / 2.f; }
};

CToile fin(Toile4& t, float lumiere = 0.55f) {
    eclaireLune(t.t, kLune, lumiere);
    return t.t.reduit(E);
}

void fenetre(CToile& t, float x, float y, float l, float h) {
    t.polygone({{x, y}, {x + l, y}, {x + l, y + h}, {x, y + h}}, kFenetre);
    t.polygone({{x + l * 0.45f, y}, {x + l * 0.55f, y}, {x + l * 0.55f, y + h}, {x + l * 0.45f, y + h}}, kBoisSombre);
    t.polygone({{x, y + h * 0.45f}, {x + l, y + h * 0.45f}, {x + l, y + h * 0.55f}, {x, y + h * 0.55f}}, kBoisSombre);
}

CToile halo(int cote, const Couleur& c) {
    CToile t(cote, cote);
    for (int y = 0; y < cote; ++y)
        for (int x = 0; x < cote; ++x) {
            float d = std::hypot(x + 0.5f - cote / 2.f, y + 0.5f - cote / 2.f) / (cote / 2.f);
            if (d < 1) { Couleur k = c; k.a = std::pow(1 - d, 2.2f) * 0.9f; t.pose(x, y, k); }
        }
    return t;
}

CToile peintChene() {
    Toile4 t(300, 290);
    feuillu(t.t, t.cx(), t.sol, 265 * E, kTronc, kFeuillage, 11);
    return fin(t);
}

CToile peintSapin() {
    Toile4 t(130, 260);
    sapin(t.t, t.cx(), t.sol, 250 * E, rvb(20, 44, 44), 12);
    return fin(t);
}

CToile peintArbreMort() {
    Toile4 t(180, 220);
    arbreMort(t.t, t.cx(), t.sol, 210 * E, rvb(48, 40, 46), 13);
    return fin(t, 0.6f);
}

CToile peintBuisson() {
    Toile4 t(120, 64);
    CHasard r(14);
    for (int i = 0; i < 9; ++i)
        masseFeuilles(t.t, t.cx() + float(r.entre(-34, 34)) * E, t.sol - float(r.entre(16, 30)) * E, float(r.entre(13, 21)) * E,
                      fois(rvb(26, 56, 48), 0.75f + 0.04f * i), 140 + i);
    touffe(t.t, t.cx(), t.sol, 20 * E, rvb(34, 70, 56), 15, 12);
    return fin(t);
}

CToile peintRocher() {
    Toile4 t(110, 60);
    rocher(t.t, t.cx(), t.sol, 100 * E, 52 * E, kPierre, 16);
    touffe(t.t, t.cx() - 40 * E, t.sol, 14 * E, rvb(34, 70, 56), 17);
    return fin(t);
}

CToile peintRocherGrand() {
    Toile4 t(220, 150);
    rocher(t.t, t.cx() - 20 * E, t.sol, 170 * E, 140 * E, kPierreSombre, 18);
    rocher(t.t, t.cx() + 50 * E, t.sol, 100 * E, 70 * E, kPierre, 19);
    return fin(t);
}

CToile peintBarriere() {
    Toile4 t(170, 54);
    for (int i = 0; i < 4; ++i) {
        float x = (14 + i * 47) * E;
        t.t.polygone({{x - 4 * E, t.sol}, {x - 4 * E, t.sol - 44 * E}, {x, t.sol - 48 * E}, {x + 4 * E, t.sol - 44 * E}, {x + 4 * E, t.sol}}, kBois);
    }
    for (float y : {16.f, 34.f})
        t.t.polygone({{4 * E, t.sol - y * E}, {166 * E, t.sol - (y + 3) * E}, {166 * E, t.sol - (y + 8) * E}, {4 * E, t.sol - (y + 5) * E}}, fois(kBois, 1.15f));
    return fin(t);
}

CToile peintPanneau() {
    Toile4 t(70, 86);
    t.t.polygone({{33 * E, t.sol}, {33 * E, t.sol - 78 * E}, {38 * E, t.sol - 78 * E}, {38 * E, t.sol}}, kBois);
    t.t.polygone({{6 * E, t.sol - 74 * E}, {56 * E, t.sol - 74 * E}, {66 * E, t.sol - 66 * E}, {56 * E, t.sol - 58 * E}, {6 * E, t.sol - 58 * E}}, fois(kBois, 1.3f));
    t.t.polygone({{64 * E, t.sol - 50 * E}, {14 * E, t.sol - 50 * E}, {4 * E, t.sol - 42 * E}, {14 * E, t.sol - 34 * E}, {64 * E, t.sol - 34 * E}}, fois(kBois, 1.2f));
    return fin(t);
}

CToile peintLanterne() {
    Toile4 t(50, 150);
    float x = t.cx();
    t.t.polygone({{x - 3 * E, t.sol}, {x - 2 * E, t.sol - 120 * E}, {x + 2 * E, t.sol - 120 * E}, {x + 3 * E, t.sol}}, rvb(30, 30, 38));
    t.t.polygone({{x - 9 * E, t.sol}, {x - 6 * E, t.sol - 10 * E}, {x + 6 * E, t.sol - 10 * E}, {x + 9 * E, t.sol}}, rvb(30, 30, 38));
    t.t.polygone({{x - 10 * E, t.sol - 120 * E}, {x + 10 * E, t.sol - 120 * E}, {x + 7 * E, t.sol - 142 * E}, {x - 7 * E, t.sol - 142 * E}}, kFenetre);
    t.t.polygone({{x - 13 * E, t.sol - 142 * E}, {x + 13 * E, t.sol - 142 * E}, {x, t.sol - 148 * E}}, rvb(30, 30, 38));
    t.t.polygone({{x - 12 * E, t.sol - 118 * E}, {x + 12 * E, t.sol - 118 * E}, {x + 12 * E, t.sol - 121 * E}, {x - 12 * E, t.sol - 121 * E}}, rvb(30, 30, 38));
    return fin(t, 0.4f);
}

CToile peintHalo() {
    return halo(130, rvb(255, 190, 110));
}

CToile peintMaison() {
    Toile4 t(280, 220);
    float g = 30 * E, d = 250 * E, murHaut = t.sol - 105 * E;
    t.t.polygone({{g, t.sol}, {g, murHaut}, {d, murHaut}, {d, t.sol}}, [&](float x, float y) {
        float pierre = 0.85f + 0.25f * fbm2(x / (E * 5), y / (E * 4), 31, 3);
        return fois(rvb(92, 84, 96), pierre);
    });
    // Timber frame.
    for (float x : {g, g + 72 * E, g + 148 * E, d - 6 * E})
        t.t.polygone({{x, t.sol}, {x, murHaut}, {x + 6 * E, murHaut}, {x + 6 * E, t.sol}}, kBoisSombre);
    t.t.polygone({{g, murHaut + 50 * E}, {d, murHaut + 50 * E}, {d, murHaut + 56 * E}, {g, murHaut + 56 * E}}, kBoisSombre);
    // Roof with a chimney.
    t.t.polygone({{d - 40 * E, murHaut - 70 * E}, {d - 40 * E, murHaut - 110 * E}, {d - 18 * E, murHaut - 110 * E}, {d - 18 * E, murHaut - 50 * E}}, kPierreSombre);
    t.t.polygone({{g - 22 * E, murHaut + 6 * E}, {t.cx() - 10 * E, murHaut - 95 * E}, {t.cx() + 10 * E, murHaut - 95 * E}, {d + 22 * E, murHaut + 6 * E}},
                 [&](float x, float y) {
                     float rangs = std::fmod(y / E, 9.f) < 1.5f ? 0.7f : 1.f;
                     return fois(rvb(70, 46, 52), rangs * (0.9f + 0.2f * bruit2(x / (E * 7), y / (E * 9), 32)));
                 });
    fenetre(t.t, g + 20 * E, murHaut + 14 * E, 34 * E, 28 * E);
    fenetre(t.t, g + 170 * E, murHaut + 14 * E, 34 * E, 28 * E);
    t.t.polygone({{g + 96 * E, t.sol}, {g + 96 * E, murHaut + 62 * E}, {g + 130 * E, murHaut + 62 * E}, {g + 130 * E, t.sol}}, kBois);
    fenetre(t.t, g + 28 * E, murHaut + 68 * E, 26 * E, 22 * E);
    return fin(t);
}

CToile peintPuits() {
    Toile4 t(110, 110);
    float x = t.cx();
    t.t.polygone({{x - 40 * E, t.sol}, {x - 40 * E, t.sol - 36 * E}, {x + 40 * E, t.sol - 36 * E}, {x + 40 * E, t.sol}}, [&](float px, float py) {
        bool joint = std::fmod(py / E, 9.f) < 1.2f || std::fmod(px / E + (int(py / E / 9) % 2) * 8, 16.f) < 1.2f;
        return joint ? kPierreSombre : kPierre;
    });
    for (float s : {-1.f, 1.f})
        t.t.polygone({{x + s * 36 * E, t.sol - 36 * E}, {x + s * 30 * E, t.sol - 36 * E}, {x + s * 30 * E, t.sol - 86 * E}, {x + s * 36 * E, t.sol - 86 * E}}, kBois);
    t.t.polygone({{x - 50 * E, t.sol - 82 * E}, {x, t.sol - 104 * E}, {x + 50 * E, t.sol - 82 * E}, {x + 50 * E, t.sol - 78 * E}, {x - 50 * E, t.sol - 78 * E}}, rvb(70, 46, 52));
    t.t.capsule(x, t.sol - 76 * E, 0.6f * E, x, t.sol - 52 * E, 0.6f * E, rvb(120, 110, 100));
    t.t.polygone({{x - 6 * E, t.sol - 52 * E}, {x + 6 * E, t.sol - 52 * E}, {x + 5 * E, t.sol - 42 * E}, {x - 5 * E, t.sol - 42 * E}}, kBois);
    return fin(t);
}

CToile peintTombe() {
    Toile4 t(48, 60);
    float x = t.cx();
    Polygone p{{x - 16 * E, t.sol}, {x - 16 * E, t.sol - 38 * E}};
    for (int i = 0; i <= 12; ++i) {
        float a = float(M_PI) * (1 - i / 12.f);
        p.push_back({x + std::cos(a) * 16 * E, t.sol - 38 * E - std::sin(a) * 14 * E});
    }
    p.push_back({x + 16 * E, t.sol});
    t.t.polygone(p, [&](float px, float py) { return fois(kPierre, 0.8f + 0.35f * fbm2(px / (E * 4), py / (E * 4), 41, 3)); });
    t.t.polygone({{x - 2 * E, t.sol - 40 * E}, {x + 2 * E, t.sol - 40 * E}, {x + 2 * E, t.sol - 22 * E}, {x - 2 * E, t.sol - 22 * E}}, kPierreSombre);
    t.t.polygone({{x - 8 * E, t.sol - 34 * E}, {x + 8 * E, t.sol - 34 * E}, {x + 8 * E, t.sol - 31 * E}, {x - 8 * E, t.sol - 31 * E}}, kPierreSombre);
    touffe(t.t, x - 14 * E, t.sol, 10 * E, rvb(50, 66, 60), 42);
    return fin(t);
}

CToile peintCroix() {
    Toile4 t(50, 78);
    float x = t.cx();
    t.t.polygone({{x - 4 * E, t.sol}, {x - 4 * E, t.sol - 70 * E}, {x + 4 * E, t.sol - 70 * E}, {x + 4 * E, t.sol}}, kPierre);
    t.t.polygone({{x - 18 * E, t.sol - 54 * E}, {x + 18 * E, t.sol - 54 * E}, {x + 18 * E, t.sol - 46 * E}, {x - 18 * E, t.sol - 46 * E}}, kPierre);
    return fin(t);
}

CToile peintArche() {
    Toile4 t(250, 220);
    Nuanceur pierre = [&](float px, float py) {
        bool joint = std::fmod(py / E, 14.f) < 1.5f || std::fmod(px / E + (int(py / E / 14) % 2) * 11, 22.f) < 1.5f;
        return fois(joint ? kPierreSombre : kPierre, 0.85f + 0.3f * fbm2(px / (E * 9), py / (E * 9), 51, 3));
    };
    float cx = t.cx(), haut = t.sol - 200 * E;
    Polygone p{{cx - 110 * E, t.sol}, {cx - 110 * E, haut + 40 * E}, {cx - 60 * E, haut}, {cx + 40 * E, haut + 10 * E},
               {cx + 70 * E, haut + 60 * E}, {cx + 110 * E, haut + 70 * E}, {cx + 110 * E, t.sol}};
    // The opening: a round arch, cut by winding the other way.
    Polygone trou;
    trou.push_back({cx + 50 * E, t.sol});
    for (int i = 0; i <= 16; ++i) {
        float a = float(M_PI) * i / 16;
        trou.push_back({cx + std::cos(a) * 50 * E, t.sol - 90 * E - std::sin(a) * 50 * E});
    }
    trou.push_back({cx - 50 * E, t.sol});
    CToile masque(t.t.longueur(), t.t.hauteur());
    masque.polygone(p, pierre);
    CToile vide(t.t.longueur(), t.t.hauteur());
    vide.polygone(trou, Couleur(1, 1, 1, 1));
    masque.attenue([&](int x, int y) { return 1 - vide.alpha(x, y); });
    t.t.compose(masque, 0, 0);
    touffe(t.t, cx - 100 * E, t.sol, 22 * E, rvb(30, 60, 52), 52, 10);
    touffe(t.t, cx + 90 * E, t.sol, 18 * E, rvb(30, 60, 52), 53, 10);
    return fin(t);
}

CToile peintMenhir() {
    Toile4 t(60, 130);
    float x = t.cx();
    t.t.polygone({{x - 22 * E, t.sol}, {x - 18 * E, t.sol - 90 * E}, {x - 6 * E, t.sol - 122 * E}, {x + 12 * E, t.sol - 110 * E}, {x + 22 * E, t.sol - 60 * E}, {x + 24 * E, t.sol}},
                 [&](float px, float py) { return fois(kPierre, 0.75f + 0.4f * fbm2(px / (E * 6), py / (E * 10), 61, 4)); });
    // Carved spiral glowing faintly.
    for (int i = 0; i < 40; ++i) {
        float a = i * 0.45f, r = 1.5f + i * 0.3f;
        t.t.disque(x + std::cos(a) * r * E, t.sol - 70 * E + std::sin(a) * r * E, 1.1f * E, rvb(120, 200, 230, 0.8f));
    }
    return fin(t);
}

CToile peintSanctuaire() {
    Toile4 t(210, 190);
    float x = t.cx();
    Nuanceur pierre = [&](float px, float py) { return fois(kPierre, 0.8f + 0.35f * fbm2(px / (E * 8), py / (E * 8), 71, 3)); };
    t.t.polygone({{x - 95 * E, t.sol}, {x - 95 * E, t.sol - 16 * E}, {x + 95 * E, t.sol - 16 * E}, {x + 95 * E, t.sol}}, pierre);
    for (float s : {-1.f, 1.f})
        t.t.polygone({{x + s * 70 * E, t.sol - 16 * E}, {x + s * 70 * E, t.sol - 130 * E}, {x + s * 50 * E, t.sol - 130 * E}, {x + s * 50 * E, t.sol - 16 * E}}, pierre);
    t.t.polygone({{x - 90 * E, t.sol - 130 * E}, {x, t.sol - 180 * E}, {x + 90 * E, t.sol - 130 * E}}, pierre);
    // A blue flame in the middle.
    CToile lueur = halo(90 * E / 2, rvb(120, 200, 255));
    t.t.compose(lueur, int(x - 45 * E / 2.f), int(t.sol - 16 * E - 70 * E));
    t.t.ellipse(x, t.sol - 40 * E, 9 * E, 20 * E, 0, rvb(180, 230, 255));
    t.t.ellipse(x, t.sol - 36 * E, 5 * E, 12 * E, 0, rvb(240, 250, 255));
    return fin(t);
}

CToile peintPilier() {
    Toile4 t(36, 100);
    float x = t.cx();
    t.t.polygone({{x - 10 * E, t.sol + 4 * E}, {x - 10 * E, t.sol - 44 * E}, {x - 7 * E, t.sol - 50 * E}, {x + 7 * E, t.sol - 50 * E}, {x + 10 * E, t.sol - 44 * E}, {x + 10 * E, t.sol + 4 * E}},
                 [&](float, float py) { return fois(kBois, std::fmod(py / E, 12.f) < 1.f ? 0.7f : 1.f); });
    return fin(t);
}

struct Accessoire {
    const char* nom;
    CToile (*peint)();
};

const Accessoire kAccessoires[] = {
    {"chene", peintChene}, {"sapin", peintSapin}, {"arbreMort", peintArbreMort}, {"buisson", peintBuisson},
    {"rocher", peintRocher}, {"rocherGrand", peintRocherGrand}, {"barriere", peintBarriere},
    {"panneau", peintPanneau}, {"lanterne", peintLanterne}, {"halo", peintHalo}, {"maison", peintMaison},
    {"puits", peintPuits}, {"tombe", peintTombe}, {"croix", peintCroix}, {"arche", peintArche},
    {"menhir", peintMenhir}, {"sanctuaire", peintSanctuaire}, {"pilier", peintPilier},
};

}

CToile peintAccessoire(const std::string& nom) {
    for (const Accessoire& a : kAccessoires)
        if (nom == a.nom) return a.peint();
    echec("accessoire inconnu: " + nom);
}

}
