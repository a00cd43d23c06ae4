// The hero: every frame is drawn from a posed skeleton (hip, torso, head,
// two legs, two arms and a sword), outlined, lit by the moon and reduced.
//
// Frame sizes follow the game's placement of the sprite: its top is at
// y 286 standing, walking and turning, 292 striking, 316 striking crouched,
// 300 crouched and 295 as the jump's base. Every frame's bottom row is the
// ground line (390), so the feet never float or sink. The hip stays 38
// pixels from the frame's left edge and the narrowest frame of every
// animation is 76 wide, so the body stays put when the sprite is mirrored;
// strike frames grow to the right with the blade.

#include "Contenu.h"
#include "Decor.h"
#include "Formats.h"
#include "Heros.h"
#include "Sprites.h"
#include "sprites/SchemaSprite.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace gendata {

namespace {

void avertit(const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); }

constexpr float kDeg = float(M_PI) / 180;
constexpr int kSolEcran = 390;
constexpr float kHanche = 38;     // hip x in every frame: half the narrowest width
constexpr int kLargeurMin = 76;

// Lengths in final pixels.
constexpr float kCuisse = 23, kTibia = 22, kBuste = 28, kCou = 4, kTete = 9.5f;
constexpr float kBras = 13, kAvantBras = 12, kLame = 30;
constexpr float kTrait = 1.3f;    // outline width

const Couleur kContour = rvb(16, 12, 22), kPeau = rvb(234, 192, 160), kCheveux = rvb(70, 42, 40);
const Couleur kTunique = rvb(176, 50, 52), kPantalon = rvb(78, 58, 56), kBottes = rvb(54, 38, 36);
const Couleur kCeinture = rvb(130, 90, 46), kEcharpe = rvb(236, 184, 70), kLameC = rvb(214, 224, 240);
const Couleur kGarde = rvb(206, 164, 62);

Point dir(float angle) { return {std::sin(angle * kDeg), std::cos(angle * kDeg)}; }  // 0 = down, + = forward
Point plus(Point a, Point d, float l) { return {a.x + d.x * l, a.y + d.y * l}; }

struct Squelette {
    Point hanche, epaule, cou, tete;
    Point genou[2], cheville[2], orteil[2], talon[2];
    Point coude[2], main[2];
    Point pointe, pommeau;
    float angleTete;
};

Squelette articule(const Pose& p) {
    Squelette s;
    s.hanche = {0, 0};
    Point haut = {std::sin(p.buste * kDeg), -std::cos(p.buste * kDeg)};
    s.epaule = plus(s.hanche, haut, kBuste);
    s.cou = plus(s.epaule, haut, kCou);
    Point ht = {std::sin((p.buste + p.tete) * kDeg), -std::cos((p.buste + p.tete) * kDeg)};
    s.tete = plus(s.cou, ht, kTete * 0.85f);
    s.angleTete = p.buste + p.tete;
    for (int i = 0; i < 2; ++i) {
        s.genou[i] = plus(s.hanche, dir(p.cuisse[i]), kCuisse);
        s.cheville[i] = plus(s.genou[i], dir(p.tibia[i]), kTibia);
        float a = (p.pied[i]) * kDeg;  // 0: flat, + toes down
        s.orteil[i] = {s.cheville[i].x + 7 * std::cos(a), s.cheville[i].y + 3 + 7 * std::sin(a)};
        s.talon[i] = {s.cheville[i].x - 2 * std::cos(a), s.cheville[i].y + 3 - 2 * std::sin(a)};
        s.coude[i] = plus(s.epaule, dir(p.bras[i]), kBras);
        s.main[i] = plus(s.coude[i], dir(p.avantBras[i]), kAvantBras);
    }
    Point d = {std::sin(p.epee * kDeg), -std::cos(p.epee * kDeg)};  // 0 = up
    s.pointe = plus(s.main[1], d, kLame);
    s.pommeau = plus(s.main[1], d, -5);
    return s;
}

// Where the picture's pixels go: final coordinates of the skeleton turned
// into hi-res canvas coordinates, with the profile squeeze for turning.
struct Repere {
    float ox, oy, profil;
    Point operator()(Point p) const { return {(ox + p.x * profil) * E, (oy + p.y) * E}; }
};

void membre(CToile& t, const Repere& R, Point a, float ra, Point b, float rb, const Couleur& c) {
    Point A = R(a), B = R(b);
    t.capsule(A.x, A.y, (ra + kTrait) * E, B.x, B.y, (rb + kTrait) * E, kContour);
    t.capsule(A.x, A.y, ra * E, B.x, B.y, rb * E, c);
}

// Seen from the front the limbs part to either side of the body; the near
// limbs, which hold the sword, go to the viewer's left as the hero turns
// from facing right towards the viewer.
Repere deCote(const Repere& R, int i, float ecart) {
    return Repere{R.ox + (1 - std::fabs(R.profil)) * (i == 1 ? -ecart : ecart), R.oy, R.profil};
}

void dessineJambe(CToile& t, const Repere& Rc, const Squelette& s, int i, float ombre) {
    Repere R = deCote(Rc, i, 4.5f);
    membre(t, R, s.hanche, 4.6f, s.genou[i], 3.7f, fois(kPantalon, ombre));
    membre(t, R, s.genou[i], 3.7f, s.cheville[i], 3.2f, fois(kBottes, ombre));
    membre(t, R, s.talon[i], 2.8f, s.orteil[i], 2.2f, fois(kBottes, ombre * 0.9f));
}

void dessineBras(CToile& t, const Repere& Rc, const Squelette& s, int i, float ombre) {
    Repere R = deCote(Rc, i, 8.5f);
    membre(t, R, s.epaule, 3.4f, s.coude[i], 2.8f, fois(kTunique, ombre));
    membre(t, R, s.coude[i], 2.8f, s.main[i], 2.4f, fois(kCeinture, ombre));
    Point m = R(s.main[i]);
    t.disque(m.x, m.y, (2.8f + kTrait) * E, kContour);
    t.disque(m.x, m.y, 2.8f * E, fois(kPeau, ombre));
}

void dessineEpee(CToile& t, const Repere& Rc, const Squelette& s) {
    Repere R = deCote(Rc, 1, 8.5f);  // in the near hand
    Point d = {s.pointe.x - s.main[1].x, s.pointe.y - s.main[1].y};
    float l = std::hypot(d.x, d.y);
    Point n = {-d.y / l, d.x / l};
    Point base = plus(s.main[1], {d.x / l, d.y / l}, 2.5f);
    // Blade as a long thin quad with a point.
    Polygone lame = {R(plus(base, n, 1.5f)), R(plus(plus(s.pointe, {d.x / l, d.y / l}, -4), n, 1.1f)), R(s.pointe),
                     R(plus(plus(s.pointe, {d.x / l, d.y / l}, -4), n, -1.1f)), R(plus(base, n, -1.5f))};
    Polygone bord;
    for (const Point& p : lame) bord.push_back(p);
    // Outline: the same shape drawn fatter underneath.
    Point A = R(base), B = R(s.pointe);
    t.capsule(A.x, A.y, (1.5f + kTrait) * E, B.x, B.y, kTrait * E, kContour);
    t.polygone(lame, [&](float x, float y) {
        // Bright edge on one side of the blade.
        Point c = R(s.main[1]);
        float cote = ((x - c.x) * n.x * R.profil + (y - c.y) * n.y);
        return cote > 0 ? kLameC : fois(kLameC, 0.75f);
    });
    Point g1 = R(plus(base, n, 5)), g2 = R(plus(base, n, -5));
    t.capsule(g1.x, g1.y, (1.2f + kTrait) * E, g2.x, g2.y, (1.2f + kTrait) * E, kContour);
    t.capsule(g1.x, g1.y, 1.2f * E, g2.x, g2.y, 1.2f * E, kGarde);
    Point p = R(s.pommeau), m = R(s.main[1]);
    t.capsule(p.x, p.y, (1.2f + kTrait) * E, m.x, m.y, (1.2f + kTrait) * E, kContour);
    t.capsule(p.x, p.y, 1.2f * E, m.x, m.y, 1.2f * E, kGarde);
}

void dessineEcharpe(CToile& t, const Repere& R, const Squelette& s, const Pose& p) {
    // A scarf streaming back from the neck, waving with the pose's phase.
    Polygone haut, bas;
    Point racine = s.cou;
    for (int k = 0; k <= 8; ++k) {
        float u = k / 8.f;
        float x = racine.x - u * p.echarpeLongueur;
        float y = racine.y + 2 + u * p.echarpeChute + std::sin(p.echarpePhase + u * 5) * 2.2f * u;
        float e = 2.6f * (1 - 0.6f * u);
        haut.push_back(R({x, y - e}));
        bas.push_back(R({x, y + e}));
    }
    Polygone forme = haut;
    for (auto it = bas.rbegin(); it != bas.rend(); ++it) forme.push_back(*it);
    CToile contour(t.longueur(), t.hauteur());
    contour.polygone(forme, kContour);
    // Fatten for the outline by drawing offset copies.
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            Polygone f = forme;
            for (Point& q : f) { q.x += dx * kTrait * E; q.y += dy * kTrait * E; }
            t.polygone(f, kContour);
        }
    t.polygone(forme, [&](float, float y) { return fois(kEcharpe, 0.85f + 0.15f * std::sin(y / E)); });
}

// Seen from the front the body keeps most of its width.
Repere largeurGardee(const Repere& R) {
    float k = std::max(std::fabs(R.profil), 0.8f);
    return Repere{R.ox, R.oy, R.profil < 0 ? -k : k};
}

void dessineTorse(CToile& t, const Repere& Rp, const Squelette& s, const Pose& p) {
    Repere R = largeurGardee(Rp);
    Point haut = {s.epaule.x - s.hanche.x, s.epaule.y - s.hanche.y};
    float l = std::hypot(haut.x, haut.y);
    Point u = {haut.x / l, haut.y / l}, n = {-u.y, u.x};
    auto at = [&](float along, float across) { return R({s.hanche.x + u.x * along + n.x * across, s.hanche.y + u.y * along + n.y * across}); };
    // Tunic: wider at the shoulders, a skirt flaring over the hips.
    Polygone tunique = {at(-10, -9.5f), at(3, -7.5f), at(kBuste - 3, -8.5f), at(kBuste + 1, -5), at(kBuste + 1, 5), at(kBuste - 3, 8.5f), at(3, 7.5f), at(-10, 10)};
    Polygone epais;
    for (size_t i = 0; i < tunique.size(); ++i) {
        // Outline by pushing each vertex away from the torso's centre line.
        Point c = at(kBuste / 2, 0);
        Point q = tunique[i];
        float dx = q.x - c.x, dy = q.y - c.y, d = std::hypot(dx, dy);
        epais.push_back({q.x + dx / d * kTrait * E, q.y + dy / d * kTrait * E});
    }
    t.polygone(epais, kContour);
    t.polygone(tunique, [&](float x, float) {
        Point c = at(0, 0);
        float cote = (x - c.x) / E * R.profil;
        return fois(kTunique, 0.9f + 0.02f * cote);
    });
    // Belt.
    Polygone ceinture = {at(1, -8), at(4, -8), at(4, 8), at(1, 8)};
    t.polygone(ceinture, kCeinture);
    Point boucle = at(2.5f, 0);
    (void)p;
    t.disque(boucle.x + 3 * E * R.profil, boucle.y, 1.3f * E, kGarde);
}

void dessineTete(CToile& t, const Repere& R, const Squelette& s) {
    Point c = R(s.tete);
    float r = kTete * E;
    t.disque(c.x, c.y, r + kTrait * E, kContour);
    t.disque(c.x, c.y, r, kPeau);
    // Hair: a cap over the back and top of the head, with a tuft behind.
    float a = s.angleTete * kDeg;
    // The head is round from every side: once the hero is more in profile
    // than facing the viewer, hair and face are drawn in full profile
    // (squeezing them would leave a bald disc).
    float sens = R.profil < 0 ? -1.f : 1.f;
    auto tourne = [&](float x, float y) {
        return Point{c.x + (x * std::cos(a) - y * std::sin(a)) * E * sens, c.y + (x * std::sin(a) + y * std::cos(a)) * E};
    };
    Polygone cheveux;
    if (std::fabs(R.profil) < 0.5f) {  // a cap and a fringe seen from the front
        for (int k = 0; k <= 16; ++k) {
            float ang = float(M_PI) * (1 + k / 16.f);
            cheveux.push_back({c.x + std::cos(ang) * (kTete + 0.8f) * E, c.y + std::sin(ang) * (kTete + 0.8f) * E});
        }
        cheveux.push_back({c.x + 6 * E, c.y - 2 * E});
        cheveux.push_back({c.x, c.y - 4.5f * E});
        cheveux.push_back({c.x - 6 * E, c.y - 2 * E});
        t.polygone(cheveux, kCheveux);
        for (float dx : {-3.2f, 3.2f}) t.ellipse(c.x + dx * E, c.y + 0.5f * E, 1.0f * E, 1.4f * E, 0, kContour);
        return;
    }
    for (int k = 0; k <= 16; ++k) {
        float ang = float(M_PI) * (0.95f + 1.2f * k / 16);
        cheveux.push_back(tourne(std::cos(ang) * (kTete + 0.6f), std::sin(ang) * (kTete + 0.6f)));
    }
    cheveux.push_back(tourne(2, -3));
    cheveux.push_back(tourne(-3, 1));
    cheveux.push_back(tourne(-11, 5));
    cheveux.push_back(tourne(-8, 6));
    t.polygone(cheveux, kCheveux);
    if (std::fabs(R.profil) > 0.2f) {
        Point oeil = tourne(4.6f, -0.8f);
        t.ellipse(oeil.x, oeil.y, 1.1f * E, 1.5f * E, 0, kContour);
        Point nez = tourne(8.6f, 1.0f);
        t.disque(nez.x, nez.y, 1.3f * E, kPeau);
    } else {  // facing the player
        for (float dx : {-3.2f, 3.2f}) {
            Point oeil = tourne(dx, -0.5f);
            t.ellipse(oeil.x, oeil.y, 1.0f * E, 1.4f * E, 0, kContour);
        }
    }
}

}  // namespace

// Height of the drawn body from the soles to the top of the hair.
float hauteurPose(const Pose& p) {
    Squelette s = articule(p);
    float bas = -1e9f;
    for (int i = 0; i < 2; ++i) bas = std::max({bas, s.orteil[i].y + 2.2f, s.talon[i].y + 2.8f, s.genou[i].y + 3.7f});
    return bas + p.enAir - (s.tete.y - kTete - 1.2f) + 2 * kTrait;
}

// A pose taller than its frame bends its knees and leans until it fits.
Pose ajuste(Pose p, int hauteur) {
    for (int k = 0; k < 40 && hauteurPose(p) > hauteur - 1; ++k) {
        for (int i = 0; i < 2; ++i) { p.cuisse[i] += 1.5f; p.tibia[i] -= 1.5f; }
        p.buste += 0.8f;
    }
    return p;
}

CToile dessinePose(const Pose& pose, int largeur, int hauteur, bool verifie) {
    Pose p = ajuste(pose, hauteur);
    Squelette s = articule(p);
    // Put the lowest point of the feet on the frame's bottom row.
    float bas = -1e9f;
    for (int i = 0; i < 2; ++i) bas = std::max({bas, s.orteil[i].y + 2.2f, s.talon[i].y + 2.8f, s.genou[i].y + 3.7f});
    Repere R{kHanche + p.decalage, hauteur - kTrait - bas - p.enAir, p.profil};
    CToile t(largeur * E, hauteur * E);
    bool epeeDerriere = p.epeeDerriere;
    if (epeeDerriere) dessineEpee(t, R, s);
    dessineBras(t, R, s, 0, 0.72f);
    dessineJambe(t, R, s, 0, 0.72f);
    dessineEcharpe(t, R, s, p);
    dessineTorse(t, R, s, p);
    dessineJambe(t, R, s, 1, 1.f);
    dessineTete(t, R, s);
    if (!epeeDerriere) dessineEpee(t, R, s);
    dessineBras(t, R, s, 1, 1.f);
    t.eclaireBord(2 * E, -2 * E, rvb(200, 214, 250), 0.35f);
    if (verifie) {
        // The body must stay inside its frame.
        int minX = t.longueur(), maxX = -1, minY = t.hauteur();
        for (int y = 0; y < t.hauteur(); ++y)
            for (int x = 0; x < t.longueur(); ++x)
                if (t.alpha(x, y) > 0) { minX = std::min(minX, x); maxX = std::max(maxX, x); minY = std::min(minY, y); }
        if (minX < E || maxX >= t.longueur() - E || minY < 1)
            (std::getenv("GENDATA_TRACE") ? avertit : echec)("pose hors cadre (" + std::to_string(minX / E) + ".." + std::to_string(maxX / E) + ", haut " + std::to_string(minY / E) + ") dans " +
                  std::to_string(largeur) + "x" + std::to_string(hauteur));
    }
    return t.reduit(E);
}

int largeurNecessaire(const Pose& p, int hauteur) {
    // Draw wide, measure, and round up to leave a pixel of margin.
    CToile t = dessinePose(p, 200, hauteur, false);
    int maxX = 0;
    for (int y = 0; y < t.hauteur(); ++y)
        for (int x = 0; x < t.longueur(); ++x)
            if (t.alpha(x, y) > 0) maxX = std::max(maxX, x);
    return std::max(kLargeurMin, maxX + 3);
}

// The blade's reach over frames debut..fin (1-based) of an animation, in
// frame pixels with a small margin: the strike's hit rectangle.
Cadre zoneFrappe(const Animation& a, int debut, int fin) {
    int hauteur = kSolEcran - a.yEcran;
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (int i = debut - 1; i < fin; ++i) {
        Pose p = ajuste(a.poses[i], hauteur);
        Squelette s = articule(p);
        float bas = -1e9f;
        for (int k = 0; k < 2; ++k) bas = std::max({bas, s.orteil[k].y + 2.2f, s.talon[k].y + 2.8f, s.genou[k].y + 3.7f});
        float ox = kHanche + p.decalage, oy = hauteur - kTrait - bas - p.enAir;
        for (Point q : {s.main[1], s.pointe, plus(s.main[1], {s.pointe.x - s.main[1].x, s.pointe.y - s.main[1].y}, 0.5f)}) {
            x0 = std::min(x0, ox + q.x); x1 = std::max(x1, ox + q.x);
            y0 = std::min(y0, oy + q.y); y1 = std::max(y1, oy + q.y);
        }
    }
    const float marge = 4;
    int x = int(std::floor(x0 - marge)), y = std::max(0, int(std::floor(y0 - marge)));
    return Cadre{x, y, int(std::ceil(x1 + marge)) - x, std::min(hauteur, int(std::ceil(y1 + marge))) - y};
}

void genereHeros() {
    std::vector<Animation> anims = animationsHeros();
    std::vector<AnimSprite> sprite;
    for (const Animation& a : anims) {
        int hauteur = kSolEcran - a.yEcran;
        AnimSprite e{a.nom, {}, a.pauses, {}};
        int plusEtroite = 1 << 30;
        for (const Pose& p : a.poses) {
            int l = largeurNecessaire(p, hauteur);
            plusEtroite = std::min(plusEtroite, l);
            if (std::getenv("GENDATA_TRACE")) std::fprintf(stderr, "%s %d\n", a.nom.c_str(), l);
            e.images.push_back(dessinePose(p, l, hauteur, true));
        }
        if (plusEtroite != kLargeurMin) (std::getenv("GENDATA_TRACE") ? avertit : echec)("l'animation " + a.nom + " n'a pas de cadre de 76 pixels");
        // Strikes hurt from the frame where the blade comes forward to the
        // last frame of the follow-through.
        if (a.nom == "Frappe" || a.nom == "FAccroupi" || a.nom == "FSaute") {
            int debut = 2, fin = int(a.poses.size()) - 1;
            Cadre z = zoneFrappe(a, debut, fin);
            int plusLarge = 0;
            for (const CToile& img : e.images) plusLarge = std::max(plusLarge, img.longueur());
            z.l = std::min(z.x + z.l, plusLarge) - z.x;  // the blade's tip is the frame's edge
            e.cles = {{schemaSprite::FrappeX.nom, z.x}, {schemaSprite::FrappeY.nom, z.y}, {schemaSprite::FrappeLargeur.nom, z.l},
                      {schemaSprite::FrappeHauteur.nom, z.h}, {schemaSprite::FrappeDebut.nom, debut}, {schemaSprite::FrappeFin.nom, fin}};
        }
        sprite.push_back(e);
    }
    // The body: the torso and legs around the hip, head to feet.
    ClesEnPlus contact = {{schemaSprite::ContactX.nom, long(kHanche) - 14}, {schemaSprite::ContactY.nom, 6},
                          {schemaSprite::ContactLargeur.nom, 28}, {schemaSprite::ContactHauteur.nom, 98}};
    ecritSprite("./data/sprites/vorna.png", "./data/sprites/vornaSprite.ini", sprite, contact);
}

}
