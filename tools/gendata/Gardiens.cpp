// The creatures and fixtures of the marsh and the pass: the toad that
// leaps from the reeds, the boulder that rolls down on the hero, and the
// lantern on a post that lights up as the hero passes (a checkpoint).
// Painted like the others: dark outline, rim light, drawn 4x and reduced.

#include "Creatures.h"
#include "Decor.h"
#include "Outils.h"
#include "game/SchemaActeur.h"

#include <cmath>

namespace gendata {

namespace sa = schemaActeur;

namespace {

constexpr float kPi = float(M_PI);
constexpr float kT = kTraitCreature;

// An outlined oval or limb in final-pixel coordinates: the outline pass
// grows each shape by the stroke, the fill pass paints it.
void ovale(CToile& t, bool contour, Point c, float rx, float ry, float angle, const Couleur& k) {
    float r = contour ? kT : 0;
    t.ellipse(c.x * E, c.y * E, (rx + r) * E, (ry + r) * E, angle, contour ? kContourCreature : k);
}
void membre(CToile& t, bool contour, Point a, float ra, Point b, float rb, const Couleur& k) {
    float r = contour ? kT : 0;
    t.capsule(a.x * E, a.y * E, (ra + r) * E, b.x * E, b.y * E, (rb + r) * E, contour ? kContourCreature : k);
}

// ---- Toad -----------------------------------------------------------------

constexpr int kCrapaudL = 80, kCrapaudH = 64;   // feet on row 62
const Couleur kPeau = rvb(92, 108, 66), kPeauSombre = rvb(58, 70, 46), kVentreCrapaud = rvb(176, 168, 118);

struct PoseCrapaud {
    float etire = 0;    // 0 crouched .. 1 stretched out in the leap
    float enAir = 0;    // pixels above the ground
    float gorge = 0;    // throat puff 0..1
    float bouche = 0;   // mouth open 0..1
    float eclat = 0;    // hurt flash
    float renverse = 0; // 0 upright .. 1 slumped back, eyes shut (death)
};

CToile dessineCrapaud(const PoseCrapaud& p) {
    CToile t(kCrapaudL * E, kCrapaudH * E);
    auto k = [&](Couleur c) { return melange(c, rvb(255, 232, 214), p.eclat); };
    const float sol = kCrapaudH - 5 - p.enAir;   // the webbed feet reach row 62
    const float e = p.etire;
    // Body centre and tilt: crouched it sits low and level, leaping it
    // stretches forward and up.
    Point corps = {42 + 4 * e, sol - 12 - 4 * e + 3 * p.renverse};
    float angle = -0.35f * e - 0.45f * p.renverse;
    auto tourneCorps = [&](Point q) {
        float s = std::sin(angle), c = std::cos(angle);
        return Point{corps.x + (q.x - corps.x) * c - (q.y - corps.y) * s, corps.y + (q.x - corps.x) * s + (q.y - corps.y) * c};
    };
    // Hind leg: thigh folded along the body when crouched, kicked straight
    // back in the leap; the webbed foot flat on the ground or trailing.
    Point hanche = tourneCorps({corps.x - 12, corps.y + 3});
    Point genou = {hanche.x + 12 - 20 * e, hanche.y + 4 + 2 * e};
    Point cheville = {genou.x - 14 + 6 * e, std::min(sol - 1, genou.y + 6 + 8 * e)};
    Point pied = {cheville.x + 12 - 18 * e, std::min(sol, cheville.y + 2 + 6 * e)};
    // Front leg: propped under the chest, reaching forward in the leap.
    Point epaule = tourneCorps({corps.x + 12, corps.y + 6});
    Point main = {epaule.x + 4 + 14 * e, std::min(sol, epaule.y + 10 - 2 * e)};
    Point tete = tourneCorps({corps.x + 17, corps.y - 5});
    for (bool contour : {true, false}) {
        membre(t, contour, hanche, 6, genou, 4, k(fois(kPeau, 0.8f)));
        membre(t, contour, genou, 3.4f, cheville, 2.6f, k(fois(kPeauSombre, 0.9f)));
        membre(t, contour, cheville, 2.4f, pied, 3.2f, k(kPeauSombre));
        ovale(t, contour, corps, 18 + 2 * e, 12 - 2 * e, angle, k(kPeau));
        ovale(t, contour, tete, 11, 8.5f, angle, k(kPeau));
        membre(t, contour, epaule, 3.2f, main, 2.4f, k(kPeauSombre));
        // The eye bulging on top of the head.
        ovale(t, contour, tourneCorps({tete.x + 1, tete.y - 7}), 4.2f, 3.8f, 0, k(kPeau));
    }
    // Pale belly and throat (puffing when it croaks), warts, the mouth line.
    t.ellipse(corps.x * E, (corps.y + 6) * E, 13 * E, 5 * E, angle, k(kVentreCrapaud));
    Point gorge = tourneCorps({tete.x - 1, tete.y + 6});
    t.ellipse(gorge.x * E, gorge.y * E, (6 + 4 * p.gorge) * E, (3 + 3.5f * p.gorge) * E, angle, k(fois(kVentreCrapaud, 1.05f)));
    CHasard r(4401);
    for (int i = 0; i < 14; ++i) {
        float a = float(r.entre(kPi * 1.05, kPi * 1.95)), d = float(r.entre(0.35, 0.9));
        Point v = tourneCorps({corps.x + std::cos(a) * 17 * d, corps.y + std::sin(a) * 11 * d});
        t.disque(v.x * E, v.y * E, float(r.entre(0.9, 1.6)) * E, k(fois(kPeauSombre, 0.85f)));
    }
    Point b0 = tourneCorps({tete.x + 10, tete.y + 2}), b1 = tourneCorps({tete.x - 4, tete.y + 1 + 3 * p.bouche});
    t.capsule(b0.x * E, b0.y * E, (0.6f + p.bouche) * E, b1.x * E, b1.y * E, (0.6f + p.bouche) * E, kContourCreature);
    Point oeil = tourneCorps({tete.x + 1.5f, tete.y - 7.5f});
    t.disque(oeil.x * E, oeil.y * E, 3 * E, rvb(232, 190, 70));
    t.ellipse(oeil.x * E, oeil.y * E, 2.2f * E, (p.renverse > 0.5f ? 0.3f : 1.1f) * E, 0, kContourCreature);
    t.disque((oeil.x + 0.9f) * E, (oeil.y - 1.1f) * E, 0.7f * E, rvb(255, 250, 230));
    return termine(t);
}

CToile peintCrapaud(int etat, float t) {
    PoseCrapaud p;
    float s = std::sin(t * 2 * kPi);
    switch (etat) {
    case 0:  // hiding low, its throat pulsing
        p.gorge = 0.5f + 0.5f * s;
        break;
    case 1:  // the leap: crouch, spring, fly, land
        p.etire = std::sin(std::min(1.f, t * 1.25f) * kPi);
        p.enAir = 10 * std::sin(t * kPi);
        p.bouche = t > 0.2f && t < 0.7f ? 0.6f : 0;
        break;
    case 2:  // hurt: flattened, a pale flash
        p.etire = 0.15f * (1 - t); p.bouche = 0.8f; p.eclat = 0.6f * (1 - t);
        break;
    default:  // dying: slumps back and sinks
        p.renverse = std::min(1.f, t * 1.5f); p.bouche = 0.5f;
        break;
    }
    return dessineCrapaud(p);
}

// ---- Boulder ---------------------------------------------------------------

constexpr int kRocherL = 60, kRocherH = 58;   // the disc touches row 56

// A rounded boulder with snow on its shoulders; `angle` turns its cracks
// and lichen as it rolls (stored rolling right, the game mirrors it), the
// light and the snow stay on top.
CToile peintRocher(float angle) {
    CToile t(kRocherL * E, kRocherH * E);
    const float cx = kRocherL / 2.f * E, cy = (kRocherH - 2 - 25) * E, R = 25 * E;
    Polygone bord;
    CHasard r(4501);
    for (int i = 0; i < 40; ++i) {
        float a = 2 * kPi * i / 40 + angle;
        float k = 1 - 0.06f * std::fabs(std::sin(3 * (a - angle) + 0.6f)) - 0.03f * float(r.unite());
        bord.push_back({cx + std::cos(a) * R * k, cy + std::sin(a) * R * k});
    }
    Polygone contour;
    for (const Point& q : bord) {
        float dx = q.x - cx, dy = q.y - cy, l = std::hypot(dx, dy);
        contour.push_back({q.x + dx / l * kT * E, q.y + dy / l * kT * E});
    }
    t.polygone(contour, kContourCreature);
    const float ca = std::cos(-angle), sa = std::sin(-angle);
    t.polygone(bord, [&](float x, float y) {
        // Texture in the rock's own frame, so it turns with the roll.
        float u = ((x - cx) * ca - (y - cy) * sa) / R, v = ((x - cx) * sa + (y - cy) * ca) / R;
        float grain = fbm2(u * 3 + 4, v * 3 + 4, 4502, 3);
        float fissure = std::fabs(fbm2(u * 1.6f + 9, v * 1.6f + 9, 4503, 2) - 0.5f) < 0.03f ? 0.55f : 1.f;
        float lichen = borne((fbm2(u * 2.2f + 1, v * 2.2f + 1, 4504, 2) - 0.6f) * 5);
        Couleur c = melange(rvb(96, 100, 116), rvb(58, 60, 74), grain);
        c = melange(c, rvb(104, 112, 84), lichen * 0.6f);
        // Lit from the upper left, dark underneath.
        float dx = (x - cx) / R, dy = (y - cy) / R;
        float lumiere = borne(0.55f - 0.35f * dx - 0.45f * dy);
        c = fois(c, (0.6f + 0.65f * lumiere) * fissure);
        // Snow clinging to the top.
        float neige = borne((-dy - 0.45f + 0.25f * (grain - 0.5f)) * 6);
        return melange(c, rvb(226, 234, 246), neige * 0.9f);
    });
    t.eclaireBord(-2 * E, -2 * E, rvb(214, 224, 250), 0.3f);
    return t.reduit(E);
}

// ---- Lantern ---------------------------------------------------------------

constexpr int kLanterneL = 48, kLanterneH = 124;   // post foot 4 px under row 122

CToile peintLanterne(bool allumee, float phase) {
    CToile t(kLanterneL * E, kLanterneH * E);
    const float x = kLanterneL / 2.f * E, sol = (kLanterneH - 2) * E;
    const Couleur fer = rvb(40, 38, 48), bois = rvb(70, 52, 44);
    float v = 0.5f + 0.5f * std::sin(phase * 2 * kPi * 2 + 0.4f);
    if (allumee) lueurRonde(t, x, 26 * E, (22 + 2 * v) * E, rvb(255, 200, 110), 0.8f, 1.5f);
    // Post with a crossbar and a bracket; the lantern hangs under it.
    for (bool contour : {true, false}) {
        float r = contour ? kT * E : 0;
        Couleur k = contour ? kContourCreature : bois;
        t.polygone({{x - 3.5f * E - r, sol}, {x - 2.5f * E - r, 8 * E - r}, {x + 2.5f * E + r, 8 * E - r}, {x + 3.5f * E + r, sol}},
                   [&](float px, float) { return contour ? k : fois(k, 0.75f + 0.5f * borne((px - x) / (7 * E) + 0.5f)); });
        t.polygone({{x - 9 * E - r, sol}, {x - 6 * E - r, sol - 10 * E - r}, {x + 6 * E + r, sol - 10 * E - r}, {x + 9 * E + r, sol}}, k);
        t.capsule(x, 10 * E, 1.6f * E + r, x + 15 * E, 10 * E, 1.2f * E + r, contour ? k : fer);
    }
    // The lantern: a little house of iron and glass hanging from the bracket.
    const float lx = x + 13 * E, haut = 14 * E;
    Couleur verre = allumee ? melange(rvb(255, 206, 120), rvb(255, 240, 190), v * 0.5f) : rvb(54, 58, 76);
    t.capsule(lx, 10 * E, 0.5f * E, lx, haut, 0.5f * E, fer);
    for (bool contour : {true, false}) {
        float r = contour ? kT * E : 0;
        t.polygone({{lx - 6 * E - r, haut + 5 * E}, {lx, haut - r}, {lx + 6 * E + r, haut + 5 * E}}, contour ? kContourCreature : fer);
        t.polygone({{lx - 5 * E - r, haut + 5 * E}, {lx + 5 * E + r, haut + 5 * E}, {lx + 4 * E + r, haut + 19 * E + r}, {lx - 4 * E - r, haut + 19 * E + r}},
                   contour ? kContourCreature : verre);
    }
    t.capsule(lx, haut + 5 * E, 0.5f * E, lx, haut + 19 * E, 0.5f * E, fer);
    t.capsule(lx - 5 * E, haut + 12 * E, 0.4f * E, lx + 5 * E, haut + 12 * E, 0.4f * E, fer);
    if (allumee) {
        t.polygone(flamme(lx, haut + 15 * E, 2.2f * E, (6 + 1.5f * v) * E, 0.6f * E * std::sin(phase * 2 * kPi)), rvb(255, 250, 226));
        lueurRonde(t, lx, haut + 12 * E, 14 * E, rvb(255, 230, 160), 0.45f, 1.2f);
    }
    return termine(t);
}

}

void genereGardiens() {
    ecritActeur({"crapaud", 1, 1, {22, 36, 40, 24}, {{"repos", "Repos"}, {"attaque", "Saut"}, {"blesse", "Blesse"}, {"mort", "Mort"}},
                 {{"blesse", "touche"}, {"mort", "mort"}, {"attaque", "coassement"}},
                 // A leap of about 140 px at 60 px high, then a rest: one blow,
                 // standing while it leaps or crouching while it sits, ends it.
                 {{sa::VitesseAttaque.nom, 170}, {sa::DistanceAlerte.nom, 210}, {sa::Amplitude.nom, 60}, {sa::Periode.nom, 820}, {sa::Recul.nom, 1300}}},
                {anim("Repos", 4, 200, [](float t) { return peintCrapaud(0, t); }),
                 passe("Saut", 6, 110, [](float t) { return peintCrapaud(1, t); }),
                 passe("Blesse", 3, 90, [](float t) { return peintCrapaud(2, t); }),
                 passe("Mort", 6, 110, [](float t) { return estompe(peintCrapaud(3, t), t < 0.6f ? 1 : 1 - (t - 0.6f) * 2.4f); })});

    // The contact is the boulder's lower middle: a hero at the top of a
    // jump (65 px) clears it even from a standstill.
    // It hurts by its lower part only and rolls slowly enough that a jump
    // taken a little early or late still clears it.
    ecritActeur({"rocher", 0, 1, {15, 44, 30, 12}, {{"repos", "Repos"}, {"marche", "Roule"}}, {{"attaque", "grondement"}},
                 {{sa::VitesseAttaque.nom, 140}, {sa::DistanceAlerte.nom, 360}}},
                {anim("Repos", 1, 1000, [](float) { return peintRocher(0); }),
                 anim("Roule", 8, 60, [](float t) { return peintRocher(t * 2 * kPi); })});

    ecritActeur({"lanterne", 0, 0, {18, 40, 10, 78}, {{"repos", "Repos"}, {"allume", "Allume"}}, {{"attaque", "lanterne"}}, {}},
                {anim("Repos", 1, 1000, [](float t) { return peintLanterne(false, t); }),
                 anim("Allume", 6, 110, [](float t) { return peintLanterne(true, t); })});
}

}
