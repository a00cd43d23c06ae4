// The wolf and the bat, posed from a few joint angles like the hero.
// Angles in degrees: legs from straight down (positive swings forward).

#include "Creatures.h"

#include "Decor.h"

#include <algorithm>
#include <cmath>

namespace gendata {

const Couleur kContourCreature = rvb(16, 12, 22);

namespace {

constexpr float kDeg = float(M_PI) / 180;
constexpr float kT = kTraitCreature;

Point dirBas(float a) { return {std::sin(a * kDeg), std::cos(a * kDeg)}; }
Point avance(Point a, Point d, float l) { return {a.x + d.x * l, a.y + d.y * l}; }
Point tourne(Point p, Point c, float a) {
    float s = std::sin(a * kDeg), k = std::cos(a * kDeg);
    return {c.x + (p.x - c.x) * k - (p.y - c.y) * s, c.y + (p.x - c.x) * s + (p.y - c.y) * k};
}
Point hr(Point p) { return {p.x * E, p.y * E}; }

// Outlined limb, final-pixel coordinates.
void membre(CToile& t, Point a, float ra, Point b, float rb, const Couleur& c) {
    t.capsule(a.x * E, a.y * E, (ra + kT) * E, b.x * E, b.y * E, (rb + kT) * E, kContourCreature);
    t.capsule(a.x * E, a.y * E, ra * E, b.x * E, b.y * E, rb * E, c);
}
void ovale(CToile& t, Point c, float rx, float ry, float angle, const Couleur& k, bool contour) {
    if (contour) t.ellipse(c.x * E, c.y * E, (rx + kT) * E, (ry + kT) * E, angle * kDeg, kContourCreature);
    else t.ellipse(c.x * E, c.y * E, rx * E, ry * E, angle * kDeg, k);
}

// ---- Wolf ---------------------------------------------------------------

const Couleur kPoil = rvb(104, 108, 126), kPoilSombre = rvb(68, 70, 88), kVentre = rvb(150, 150, 164);
const Couleur kOeilLoup = rvb(250, 214, 96);

struct PoseLoup {
    float cuisse[4] = {0, 0, 0, 0}, tibia[4] = {0, 0, 0, 0};  // 0,1 rear (far, near); 2,3 front
    float corpsY = 0, inclinaison = 0, tete = 0, queue = 30, gueule = 0, recul = 0, enAir = 0;
    float couche = 0;   // 0 standing .. 1 lying on its side
    float eclat = 0;    // hurt flash
};

Couleur teinteLoup(const PoseLoup& p, Couleur c) { return melange(c, rvb(255, 226, 220), p.eclat); }

// Where the wolf's joints fall in a pose; `dy` sets its lowest paw on the
// ground (d() applies it).
struct SqueletteLoup {
    Point hanche, epaule, centre;
    float a;  // the body's angle
    Point attache[4], genou[4], patte[4];
    float dy;
    Point d(Point q) const { return Point{q.x, q.y + dy}; }
};

SqueletteLoup squeletteLoup(const PoseLoup& p) {
    SqueletteLoup s;
    const float sol = kLoupHauteur - 2;
    // Lying down, the legs fold and the body sinks to the ground.
    float baisse = p.couche * 30;
    Point hanche = {38 + p.recul, sol - 50 + p.corpsY + baisse}, epaule = {88 + p.recul, sol - 52 + p.corpsY + baisse};
    Point centre = {(hanche.x + epaule.x) / 2, (hanche.y + epaule.y) / 2};
    hanche = tourne(hanche, centre, p.inclinaison);
    epaule = tourne(epaule, centre, p.inclinaison);
    s.hanche = hanche;
    s.epaule = epaule;
    s.centre = centre;
    s.a = std::atan2(epaule.y - hanche.y, epaule.x - hanche.x) / kDeg;
    // Legs: their joints under the body, paws on the ground unless leaping.
    const Point attache[4] = {{hanche.x + 2, hanche.y + 6}, {hanche.x - 2, hanche.y + 6}, {epaule.x - 2, epaule.y + 8}, {epaule.x + 2, epaule.y + 8}};
    float lc = 20 * (1 - 0.4f * p.couche), lt = 22 * (1 - 0.4f * p.couche);
    for (int i = 0; i < 4; ++i) {
        float c = p.cuisse[i] + p.couche * (i < 2 ? -70 : 70), ti = p.tibia[i] + p.couche * (i < 2 ? -80 : 80);
        s.attache[i] = attache[i];
        s.genou[i] = avance(attache[i], dirBas(c), lc);
        s.patte[i] = avance(s.genou[i], dirBas(ti), lt);
    }
    // Standing, the lowest paw rests on the ground.
    float bas = -1e9f;
    for (int i = 0; i < 4; ++i) bas = std::max(bas, s.patte[i].y + 3);
    s.dy = p.couche > 0 ? 0 : sol - bas - p.enAir;
    return s;
}

void peintJambeLoup(CToile& t, const SqueletteLoup& s, const PoseLoup& p, int i, float ombre) {
    const Point patte = s.patte[i];
    membre(t, s.d(s.attache[i]), i < 2 ? 6.5f : 5.5f, s.d(s.genou[i]), 3.4f, teinteLoup(p, fois(kPoil, ombre)));
    membre(t, s.d(s.genou[i]), 3.0f, s.d(patte), 2.4f, teinteLoup(p, fois(kPoilSombre, ombre)));
    membre(t, s.d(patte), 3.4f, s.d({patte.x + (i < 2 ? 4.f : 5.f), patte.y + 0.5f}), 2.8f, teinteLoup(p, fois(kPoilSombre, ombre * 0.9f)));
}

// A bushy curve from the rump.
void peintQueueLoup(CToile& t, const SqueletteLoup& s, const PoseLoup& p) {
    Point q0 = s.d(avance(s.hanche, {-0.9f, -0.2f}, 8));
    float aq = -28 - p.queue;
    Point q1 = avance(q0, dirBas(aq), 15);
    Point q2 = avance(q1, dirBas(aq + 15), 14);
    membre(t, q0, 4, q1, 7, teinteLoup(p, kPoil));
    membre(t, q1, 7, q2, 3, teinteLoup(p, kPoil));
    t.capsule((q1.x + (q2.x - q1.x) * 0.55f) * E, (q1.y + (q2.y - q1.y) * 0.55f) * E, 4.5f * E, q2.x * E, q2.y * E, 2 * E, teinteLoup(p, kPoilSombre));
}

void peintOreillesLoup(CToile& t, const PoseLoup& p, Point tete, float at, bool contour) {
    for (float ex : {-4.f, 1.f}) {
        Point e0 = tourne({tete.x + ex - 3, tete.y - 5}, tete, at), e1 = tourne({tete.x + ex + 3, tete.y - 6}, tete, at);
        Point e2 = tourne({tete.x + ex - 1, tete.y - 16}, tete, at);
        Polygone oreille = {hr(e0), hr(e1), hr(e2)};
        if (contour) {
            for (Point& q : oreille) q = {q.x + (q.x - hr(tete).x) * 0.06f, q.y + (q.y - hr(tete).y) * 0.06f};
            t.polygone(oreille, kContourCreature);
        } else {
            t.polygone(oreille, teinteLoup(p, ex < 0 ? kPoilSombre : kPoil));
        }
    }
}

// Body, haunch, chest, neck and head: one silhouette, outlined once; then
// the pale belly and throat, the darker back, the nose and the eye.
void peintCorpsLoup(CToile& t, const SqueletteLoup& s, const PoseLoup& p) {
    const Point hanche = s.hanche, epaule = s.epaule;
    const float a = s.a;
    Point tronc = s.d(s.centre), croupe = s.d({hanche.x + 2, hanche.y + 3}), poitrail = s.d({epaule.x + 3, epaule.y + 5});
    Point base = s.d(epaule), cou = s.d(tourne({epaule.x + 16, epaule.y - 14}, epaule, p.tete));
    Point tete = s.d(tourne({epaule.x + 22, epaule.y - 16}, epaule, p.tete));
    float at = a + p.tete;
    Point museau = s.d(tourne({epaule.x + 40, epaule.y - 9}, epaule, p.tete));
    Point machoire = s.d(tourne(tourne({epaule.x + 35, epaule.y - 7}, {epaule.x + 24, epaule.y - 12}, p.gueule), epaule, p.tete));
    float longTronc = std::hypot(epaule.x - hanche.x, epaule.y - hanche.y) / 2 + 8;
    for (bool contour : {true, false}) {
        auto o = [&](Point c, float rx, float ry, float ang, Couleur k) { ovale(t, c, rx, ry, ang, teinteLoup(p, k), contour); };
        o(tronc, longTronc, 11.5f, a, kPoil);
        o(croupe, 13, 13, 0, kPoil);
        o(poitrail, 15, 18, -10, kPoil);
        float r = contour ? kT : 0;
        t.capsule(base.x * E, base.y * E, (9 + r) * E, cou.x * E, cou.y * E, (8 + r) * E, contour ? kContourCreature : teinteLoup(p, kPoil));
        o(tete, 10, 8.5f, at, kPoil);
        t.capsule(tete.x * E, tete.y * E, (6 + r) * E, museau.x * E, museau.y * E, (3.6f + r) * E, contour ? kContourCreature : teinteLoup(p, kPoil));
        t.capsule(tete.x * E, (tete.y + 3) * E, (4 + r) * E, machoire.x * E, machoire.y * E, (2.6f + r) * E, contour ? kContourCreature : teinteLoup(p, kPoilSombre));
        peintOreillesLoup(t, p, tete, at, contour);
    }
    t.ellipse(tronc.x * E, (tronc.y + 7) * E, (longTronc - 6) * E, 5 * E, a * kDeg, teinteLoup(p, kVentre));
    t.ellipse(poitrail.x * E, (poitrail.y + 6) * E, 8 * E, 9 * E, 0, teinteLoup(p, kVentre));
    t.ellipse(tronc.x * E, (tronc.y - 8) * E, (longTronc - 4) * E, 4 * E, a * kDeg, teinteLoup(p, kPoilSombre));
    t.disque(museau.x * E, museau.y * E, 2.2f * E, kContourCreature);  // nose
    Point oeil = tourne({tete.x + 4, tete.y - 2}, tete, at);
    t.ellipse(oeil.x * E, oeil.y * E, 2.0f * E, 1.4f * E, at * kDeg, kContourCreature);
    t.disque(oeil.x * E + 0.3f * E, oeil.y * E, 1.1f * E, kOeilLoup);
}

// The far legs first, the near ones last, over the body.
CToile dessineLoup(const PoseLoup& p) {
    CToile t(kLoupLargeur * E, kLoupHauteur * E);
    const SqueletteLoup s = squeletteLoup(p);
    peintJambeLoup(t, s, p, 0, 0.7f);
    peintJambeLoup(t, s, p, 2, 0.7f);
    peintQueueLoup(t, s, p);
    peintCorpsLoup(t, s, p);
    peintJambeLoup(t, s, p, 1, 1);
    peintJambeLoup(t, s, p, 3, 1);
    return termine(t);
}

// ---- Bat ------------------------------------------------------------------

const Couleur kAileSouris = rvb(72, 50, 74), kCorpsSouris = rvb(96, 70, 84), kOeilSouris = rvb(255, 96, 80);

// Wings out (seen from the front), `ouverture` 1 raised, -1 lowered.
CToile dessineSouris(float ouverture, float chute, float rotation, float eclat) {
    CToile t(kSourisLargeur * E, kSourisHauteur * E);
    auto teinte = [&](Couleur c) { return melange(c, rvb(255, 226, 220), eclat); };
    Point c = {kSourisLargeur / 2.f, 20 + chute};
    auto R = [&](Point q) { return hr(tourne(q, c, rotation)); };
    for (bool contour : {true, false}) {
        for (float s : {-1.f, 1.f}) {
            // Arm, then fingers fanning out; the membrane scallops between them.
            Point epaule = {c.x + s * 4, c.y - 3};
            Point poignet = {c.x + s * 17, c.y - 4 - 10 * ouverture};
            Polygone aile = {R(epaule)};
            aile.push_back(R(poignet));
            Point doigts[3] = {{c.x + s * 34, c.y - 8 - 14 * ouverture}, {c.x + s * 31, c.y + 6 - 6 * ouverture}, {c.x + s * 20, c.y + 12 - 2 * ouverture}};
            aile.push_back(R(doigts[0]));
            for (int k = 0; k < 3; ++k) {
                Point a = doigts[k], b = k < 2 ? doigts[k + 1] : Point{c.x + s * 5, c.y + 8};
                Point m = {(a.x + b.x) / 2 - s * 2.5f, (a.y + b.y) / 2 - 3};
                aile.push_back(R(m));
                aile.push_back(R(b));
            }
            if (contour) {
                Polygone g;
                for (Point q : aile) { Point h = R(c); float dx = q.x - h.x, dy = q.y - h.y, l = std::max(1.f, std::hypot(dx, dy)); g.push_back({q.x + dx / l * kT * E, q.y + dy / l * kT * E}); }
                t.polygone(g, kContourCreature);
            } else {
                t.polygone(aile, teinte(kAileSouris));
                for (Point dg : doigts) { Point a = R(poignet), b = R(dg); t.capsule(a.x, a.y, 0.6f * E, b.x, b.y, 0.4f * E, teinte(fois(kAileSouris, 0.6f))); }
            }
        }
        // Body and head with big ears.
        float r = contour ? kT : 0;
        Couleur k = contour ? kContourCreature : teinte(kCorpsSouris);
        Point b = R({c.x, c.y + 3}), h = R({c.x, c.y - 6});
        t.ellipse(b.x, b.y, (5.5f + r) * E, (8 + r) * E, rotation * kDeg, k);
        t.disque(h.x, h.y, (5 + r) * E, k);
        for (float s : {-1.f, 1.f})
            t.polygone({R({c.x + s * 2 - s * r, c.y - 9}), R({c.x + s * 6 + s * r, c.y - 18 - r}), R({c.x + s * 6.5f + s * r, c.y - 7})}, k);
    }
    for (float s : {-1.f, 1.f}) { Point o = R({c.x + s * 2, c.y - 6.5f}); t.disque(o.x, o.y, 1.2f * E, kOeilSouris); }
    return termine(t);
}

// Hanging by its feet from the frame's top, wings wrapped.
CToile dessineSourisSuspendue(float balance) {
    CToile t(kSourisLargeur * E, kSourisHauteur * E);
    Point pied = {kSourisLargeur / 2.f, 1.5f};
    auto R = [&](Point q) { return hr(tourne(q, pied, balance)); };
    for (bool contour : {true, false}) {
        float r = contour ? kT : 0;
        Couleur k = contour ? kContourCreature : kAileSouris;
        Point a = R({pied.x, pied.y + 3}), b = R({pied.x, pied.y + 22});
        t.capsule(a.x, a.y, (4 + r) * E, b.x, b.y, (7 + r) * E, k);
        Point h = R({pied.x, pied.y + 27});
        t.disque(h.x, h.y, (5 + r) * E, contour ? k : kCorpsSouris);
        for (float s : {-1.f, 1.f})
            t.polygone({R({pied.x + s * 2 - s * r, pied.y + 30}), R({pied.x + s * 6 + s * r, pied.y + 38 + r}), R({pied.x + s * 6.5f + s * r, pied.y + 27})}, k);
        Point f0 = R({pied.x - 2, pied.y}), f1 = R({pied.x + 2, pied.y});
        t.capsule(f0.x, f0.y, (1 + r) * E, f1.x, f1.y, (1 + r) * E, k);
    }
    for (float s : {-1.f, 1.f}) { Point o = R({pied.x + s * 2, pied.y + 27.5f}); t.disque(o.x, o.y, 1.1f * E, kOeilSouris); }
    return termine(t);
}

}

CToile termine(CToile& t) {
    t.eclaireBord(2 * E, -2 * E, rvb(200, 214, 250), 0.35f);
    return t.reduit(E);
}

CToile estompe(CToile t, float opacite) {
    t.attenue([=](int, int) { return opacite; });
    return t;
}

CToile peintLoup(EtatCreature e, float t) {
    PoseLoup p;
    float s = std::sin(t * 2 * float(M_PI)), c = std::cos(t * 2 * float(M_PI));
    switch (e) {
    case Immobile:  // breathing, tail swaying
        p.corpsY = 0.8f * s; p.tete = 3 * s; p.queue = 26 + 6 * c;
        p.cuisse[0] = 10; p.cuisse[1] = 18; p.cuisse[2] = 4; p.cuisse[3] = -4;
        p.tibia[0] = -14; p.tibia[1] = -8; p.tibia[2] = -2; p.tibia[3] = -6;
        break;
    case EnMarche:  // diagonal pairs swing together
        for (int i = 0; i < 4; ++i) {
            float ph = t * 2 * float(M_PI) + (i == 1 || i == 2 ? float(M_PI) : 0) + (i >= 2 ? 0.5f : 0);
            p.cuisse[i] = 22 * std::sin(ph);
            p.tibia[i] = p.cuisse[i] + (i < 2 ? -22 : -8) + 18 * std::max(0.f, std::cos(ph));
            if (i < 2) p.cuisse[i] += 12;
        }
        p.corpsY = -1.2f * std::fabs(c); p.tete = 4 + 2 * s; p.queue = 20 + 5 * s;
        break;
    case EnAttaque:  // a lunge: stretched out, jaws open, off the ground
        p.cuisse[0] = -30 + 8 * s; p.cuisse[1] = -24 + 8 * s; p.tibia[0] = -58; p.tibia[1] = -50;
        p.cuisse[2] = 42 - 6 * s; p.cuisse[3] = 50 - 6 * s; p.tibia[2] = 58; p.tibia[3] = 66;
        p.inclinaison = 3; p.tete = 10; p.gueule = 24; p.queue = 50; p.enAir = 8 + 3 * s; p.recul = -2;
        break;
    case Touche:  // flinch back, head up, a pale flash
        p.recul = -5 * (1 - t); p.tete = -22; p.inclinaison = -6; p.gueule = 14; p.queue = 50; p.eclat = 0.55f * (1 - t);
        p.cuisse[2] = -10; p.tibia[2] = -16; p.cuisse[3] = -14; p.tibia[3] = -20; p.cuisse[0] = 16; p.cuisse[1] = 24;
        p.tibia[0] = -8; p.tibia[1] = -4;
        break;
    case Mourant:  // collapses on its side
        p.couche = std::min(1.f, t * 1.6f); p.tete = 20 * p.couche; p.queue = -20 * p.couche - 10; p.gueule = 10;
        p.cuisse[2] = 10; p.cuisse[3] = 16; p.cuisse[0] = -10; p.cuisse[1] = -4;
        break;
    }
    return dessineLoup(p);
}

CToile peintChauveSouris(EtatCreature e, float t) {
    switch (e) {
    case Immobile: return dessineSourisSuspendue(4 * std::sin(t * 2 * float(M_PI)));
    case Touche: return dessineSouris(-0.3f, 2 * t, -18 * (1 - t), 0.55f * (1 - t));
    case Mourant: return dessineSouris(-0.6f + 0.3f * std::sin(t * 9), 30 * t * t, 160 * t, 0);
    default: return dessineSouris(std::cos(t * 2 * float(M_PI)), 0, 0, 0);
    }
}

}
