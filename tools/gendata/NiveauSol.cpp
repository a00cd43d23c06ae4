// The level's ground plane: 60 tiles of ground types that blend where
// they meet, and the props standing on it.

#include "Accessoires.h"
#include "Decor.h"
#include "Niveau.h"

#include <array>
#include <cmath>
#include <map>

namespace gendata {
namespace niveau {

namespace {

enum Sol { Herbe, HerbeFleurie, Chemin, Foret, Paves, Pont, Cimetiere, Rocheux, NbSols };

float surface(float x) {  // tile y of the ground line, period 256
    const float p = 2 * float(M_PI) / 256;
    return float(kSol - kHautTuileSol) + 0.9f * std::sin(p * 3 * x) + 0.6f * std::sin(p * 7 * x + 1);
}

// Noise that repeats every 256 pixels in x, whatever its scale: the
// lattice is stretched a little so that a whole number of cells fits.
float bruitSol(float x, float y, float echelle, uint32_t graine) {
    int cellules = std::max(1, int(std::lround(256 / echelle)));
    return fbm2(x * cellules / 256.f, y / echelle, graine, 4, cellules);
}

// Stones bedded in the earth: one chance per cell of 32 by 22 pixels.
// Returns the stone's shade (0 where there is none).
float pierreEnterree(float x, float d) {
    int ci = int(std::floor(x / 32)), cj = int(std::floor(d / 22));
    for (int j = cj - 1; j <= cj + 1; ++j)
        for (int i = ci - 1; i <= ci + 1; ++i) {
            int cle = ((i % 8) + 8) % 8;
            if (j < 1 || alea01(cle, j, 640) > 0.5f) continue;
            float cx = i * 32 + 6 + 20 * alea01(cle, j, 641), cy = j * 22 + 4 + 14 * alea01(cle, j, 642);
            float rx = 4 + 6 * alea01(cle, j, 643), ry = 2.5f + 3.5f * alea01(cle, j, 644);
            float u = (x - cx) / rx, v = (d - cy) / ry;
            float q = u * u + v * v;
            if (q < 1) return 0.7f + 0.45f * borne(-v * 0.7f + 0.3f) - 0.35f * borne((q - 0.7f) / 0.3f);
        }
    return 0;
}

// What ground type `s` looks like at tile point (x, y). The earth, its
// strata and stones are the same under every type, and every type repeats
// every 256 pixels, so different types can be blended at their meeting.
Couleur couleurSol(Sol s, float x, float y) {
    float d = y - surface(x);
    uint32_t g = 600 + s;
    auto bruit = [&](float echelle, uint32_t k) { return bruitSol(x, y, echelle, g + k); };
    float n = bruitSol(x, y, 16, 601);
    float strate = std::sin((d + 6 * bruitSol(x, 0, 32, 602)) / 9.f * 2 * float(M_PI));
    Couleur terre = fois(rvb(44, 34, 40), (0.8f + 0.4f * n) * (1 + 0.07f * strate));
    float caillou = d > 12 ? pierreEnterree(x, d) : 0;
    if (caillou > 0) terre = fois(rvb(70, 66, 80), caillou);
    terre = fois(terre, 1 - 0.45f * borne((d - 20) / 70.f));  // darker lower down
    Couleur c = terre;
    switch (s) {
    case Chemin: {
        float milieu = borne(std::min(x, 256 - x) / 40.f);  // the path fades out at the edges
        if (d < 16 && milieu > 0) c = melange(c, fois(rvb(92, 82, 86), 0.8f + 0.4f * bruit(6, 2)), milieu * borne((16 - d) / 4));
        break;
    }
    case Foret:
        c = melange(c, rvb(22, 18, 22), borne(bruit(8, 3) - 0.4f) * 1.5f);
        break;
    case Paves: {
        const float pave = 256 / 14.f;  // a whole number of cobbles per tile
        int rang = int(d / 10);
        float u = std::fmod(x + pave * 0.3f + (rang % 2) * pave / 2, pave), v = std::fmod(d, 10.f);
        bool joint = u < 1.6f || v < 1.6f;
        if (d < 40) c = joint ? rvb(30, 28, 36) : fois(rvb(96, 98, 116), (0.75f + 0.35f * bruit(4, 4)) * (1 - d / 90));
        break;
    }
    case Pont:
        if (d < 9) {
            float planche = std::fmod(x, 16.f);
            c = fois(rvb(92, 66, 56), (planche < 1.2f ? 0.5f : 0.9f + 0.2f * bruit(4, 5)) * (d < 2 ? 1.3f : 1.f));
        } else {
            // Dark water with broken reflections of the moon.
            float reflet = borne((bruitSol(x * 0.5f, y * 3, 3, g + 6) - 0.62f) * 6) * borne(1 - (d - 9) / 80);
            c = melange(rvb(14, 20, 44), rvb(150, 170, 220), reflet * 0.7f);
            float pieu = std::fmod(x + 64, 128.f);
            if (pieu < 8) c = fois(rvb(56, 40, 36), pieu < 2 ? 0.6f : 1.f);
        }
        break;
    case Cimetiere:
        c = melange(terre, rvb(36, 30, 46), 0.5f);
        break;
    case Rocheux: {
        float roche = bruit(12, 7);
        float fissure = std::fabs(bruit(21, 8) - 0.5f) < 0.025f ? 0.55f : 1.f;
        c = fois(melange(rvb(70, 70, 86), rvb(46, 44, 56), roche), fissure * (1 - 0.4f * borne(d / 90)));
        break;
    }
    default: break;
    }
    float base = s == Chemin ? 4 : s == Paves ? 2 : s == Rocheux ? 3 : s == Pont ? 0 : 9;
    float herbe = base + 4 * fbm1(x / 16, 610, 3, 16);
    if (d < herbe) {
        Couleur vert = s == Cimetiere ? rvb(44, 62, 58) : s == Foret ? rvb(26, 56, 44) : rvb(34, 74, 54);
        vert = fois(vert, 0.8f + 0.4f * bruit(4, 9));
        c = melange(vert, c, borne((d - herbe + 3) / 3));
    }
    if (d < 1.5f && s != Pont) c = melange(c, rvb(110, 150, 150), 0.5f);  // moonlit rim
    if (d < 0) c.a = 0;
    return c;
}

// One ground tile of type s between its neighbours: over the 40 pixels at
// an edge where the type changes, the two looks blend, half and half at
// the edge itself, so that no seam shows where zones meet.
CToile peintSol(Sol gauche, Sol s, Sol droite) {
    CToile t(256 * E, 110 * E);
    t.polygone({{0, 0}, {float(t.longueur()), 0}, {float(t.longueur()), float(t.hauteur())}, {0, float(t.hauteur())}}, [&](float hx, float hy) {
        float x = hx / E, y = hy / E;
        if (y < surface(x)) return Couleur(0, 0, 0, 0);
        float wg = gauche != s ? 0.5f * (1 - lisse(borne(x / 40))) : 0;
        float wd = droite != s ? 0.5f * (1 - lisse(borne((256 - x) / 40))) : 0;
        Couleur c = couleurSol(s, x, y);
        if (wg > 0) c = melange(c, couleurSol(gauche, x, y), wg / (1 - wd));
        if (wd > 0) c = melange(c, couleurSol(droite, x, y), wd);
        return c;
    });
    // Blades of grass and flowers above the line. Near an edge shared with
    // the same type they are repeated across it, so that neighbours meet;
    // near an edge with another type they stay clear of it.
    if (s != Pont && s != Paves) {
        CHasard r(620 + s);
        int brins = s == Rocheux ? 14 : s == Chemin ? 30 : 60;
        Couleur vert = s == Cimetiere ? rvb(50, 70, 64) : rvb(36, 80, 60);
        for (int i = 0; i < brins; ++i) {
            float x = float(r.entre(0, 256)), h = float(r.entre(4, 11));
            uint32_t gr = uint32_t(r.suivant());
            if (s == Chemin && std::min(x, 256 - x) > 40) continue;
            if ((x < 12 && gauche != s) || (x > 244 && droite != s)) continue;
            for (int k = -1; k <= 1; ++k) touffe(t, (x + k * 256) * E, (surface(x) + 2) * E, h * E, vert, gr, 5);
        }
        if (s == HerbeFleurie || s == Herbe) {
            int fleurs = s == HerbeFleurie ? 22 : 6;
            for (int i = 0; i < fleurs; ++i) {
                float x = float(r.entre(6, 250)), y = surface(x) - float(r.entre(1, 6));
                Couleur c = r.unite() < 0.5 ? rvb(190, 200, 255) : rvb(240, 230, 250);
                t.disque(x * E, y * E, 1.1f * E, c);
            }
        }
    }
    if (s == Pont) {  // posts over the piles; a rail would hide the feet
        for (float x : {68.f, 196.f})
            t.polygone({{(x - 3) * E, (surface(x) - 14) * E}, {(x + 3) * E, (surface(x) - 14) * E},
                        {(x + 3) * E, surface(x) * E}, {(x - 3) * E, surface(x) * E}}, rvb(70, 50, 44));
    }
    eclaireLune(t, kLumiere, 0.3f, 2 * E);
    return t.reduit(E);
}

struct Pose { std::string nom; float x; };

std::vector<Pose> posesSol() {
    std::vector<Pose> p = {
        // Rocky start.
        {"rocherGrand", 70}, {"arbreMort", 330}, {"rocher", 520}, {"rocherGrand", 768},
        // Meadow; the game starts at 2800, so 2800-3440 is the first view.
        {"chene", 1150}, {"buisson", 1400}, {"barriere", 1560}, {"barriere", 1728}, {"rocher", 1850}, {"chene", 1990},
        {"buisson", 2250}, {"menhir", 2460}, {"barriere", 2700}, {"chene", 2930}, {"panneau", 3210}, {"buisson", 3328},
        // Village.
        {"panneau", 5960}, {"buisson", 6010}, {"maison", 6230}, {"lanterne", 6520}, {"maison", 6790}, {"lanterne", 7080},
        {"puits", 7250}, {"maison", 7540}, {"lanterne", 7840}, {"barriere", 7990}, {"maison", 8240}, {"lanterne", 8560},
        {"barriere", 8720}, {"buisson", 8880},
        // River and bridge.
        {"pilier", 8960}, {"pilier", 9216}, {"lanterne", 9344}, {"pilier", 9472}, {"pilier", 9728},
        // Graveyard.
        {"arbreMort", 9900}, {"arche", 10620}, {"arbreMort", 11050}, {"barriere", 11480}, {"barriere", 11648},
        {"arbreMort", 12010}, {"rocher", 12288},
        // Highlands and the shrine at the end of the walk.
        {"rocherGrand", 12900}, {"menhir", 13300}, {"menhir", 13440}, {"menhir", 13590}, {"sapin", 13920},
        {"sapin", 14110}, {"arbreMort", 14420}, {"rocher", 14700}, {"sanctuaire", 15020}, {"rocherGrand", 15320},
    };
    CHasard r(700);
    for (float x = 3420; x < 5820; x += float(r.entre(110, 230))) {  // forest
        double u = r.unite();
        p.push_back({u < 0.6 ? "sapin" : u < 0.85 ? "chene" : u < 0.93 ? "buisson" : "rocher", x});
    }
    for (float x = 9820; x < 12200; x += float(r.entre(70, 170))) {  // graves
        if (x > 10480 && x < 10760) continue;  // keep the arch clear
        p.push_back({r.unite() < 0.65 ? "tombe" : "croix", x});
    }
    for (float x = 12400; x < 14900; x += float(r.entre(160, 320)))
        if (r.unite() < 0.5) p.push_back({r.unite() < 0.6 ? "rocher" : "buisson", x});
    return p;
}

}

void ecritSol() {
    CPlanDecor plan;
    // Zones of ground, one tile type per 256 pixels, 60 tiles in all.
    std::vector<Sol> suite;
    for (int i = 0; i < 3; ++i) suite.push_back(Rocheux);
    const Sol prairie[] = {Herbe, HerbeFleurie, Chemin, Chemin, Herbe, HerbeFleurie, Herbe, Chemin, HerbeFleurie, Herbe};
    for (Sol s : prairie) suite.push_back(s);
    for (int i = 0; i < 10; ++i) suite.push_back(Foret);
    for (int i = 0; i < 12; ++i) suite.push_back(Paves);
    for (int i = 0; i < 3; ++i) suite.push_back(Pont);
    for (int i = 0; i < 10; ++i) suite.push_back(Cimetiere);
    for (int i = 0; i < 12; ++i) suite.push_back(i == 4 || i == 5 ? HerbeFleurie : Rocheux);
    // One tile picture per type and pair of neighbours that occurs.
    std::map<std::array<int, 3>, size_t> tuileDe;
    for (size_t i = 0; i < suite.size(); ++i) {
        std::array<int, 3> cle = {suite[i > 0 ? i - 1 : i], suite[i], suite[i + 1 < suite.size() ? i + 1 : i]};
        auto trouve = tuileDe.find(cle);
        if (trouve == tuileDe.end()) {
            TuilePlan p;
            p.cadre(plan.planche.ajoute(peintSol(Sol(cle[0]), Sol(cle[1]), Sol(cle[2]))));
            trouve = tuileDe.emplace(cle, plan.tuiles.size()).first;
            plan.tuiles.push_back(p);
        }
        plan.tuiles[trouve->second].place(i * 256.f, kHautTuileSol);
    }
    // Props, big ones first so that small ones stand in front of them.
    const char* ordre[] = {"chene", "sapin", "maison", "arbreMort", "arche", "sanctuaire", "rocherGrand", "puits", "menhir",
                           "panneau", "lanterne", "barriere", "tombe", "croix", "pilier", "buisson", "rocher"};
    std::vector<Pose> poses = posesSol();
    std::map<std::string, CToile> images;
    for (const char* nom : ordre) {
        CToile img = peintAccessoire(nom);
        TuilePlan p;
        p.cadre(plan.planche.ajoute(img));
        for (const Pose& q : poses)
            if (q.nom == nom) p.place(q.x - img.longueur() / 2.f, kSol + enfoncement - img.hauteur());
        plan.tuiles.push_back(p);
        images[nom] = img;
    }
    // Lantern light, half transparent, drawn last.
    {
        CToile halo = peintAccessoire("halo");
        TuilePlan p;
        p.cadre(plan.planche.ajoute(halo), 150);
        int hautLanterne = images["lanterne"].hauteur();
        for (const Pose& q : poses)
            if (q.nom == "lanterne") p.place(q.x - halo.longueur() / 2.f, kSol + enfoncement - hautLanterne + 10 - halo.hauteur() / 2.f);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossier + "sol");
}

}
}
