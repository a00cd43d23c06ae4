// The title screen's painting and the journey through the three levels.
//
// The painting is 640x480: a night sky whose upper third stays open for the
// title the game writes in its title font, ridges falling to a misty
// valley where lanterns mark the road, and the hero on a crag at the right
// looking towards a shrine glowing on the far hills. The middle and the
// lower middle are kept calm and dark, for the menu.

#include "Ciel.h"
#include "Contenu.h"
#include "Creatures.h"
#include "Decor.h"
#include "Formats.h"
#include "Heros.h"
#include "Outils.h"

#include <cmath>

namespace gendata {

namespace {

constexpr int kE = 2;  // soft landscape: twice the size is enough

CToile peintTitre() {
    const float luneX = 520, luneY = 92;
    CToile h(640 * kE, 480 * kE);
    h.remplit(couleurCiel(360));
    h.compose(peintCiel(kE, luneX, luneY, 5101), 0, 0);
    h.compose(peintLune(kE, 64, 21), int((luneX - 32) * kE), int((luneY - 32) * kE));
    // Ridges from far to near, each darker, mist pooling between them.
    struct Rang { uint32_t graine; float base, ampl; Couleur c; };
    const Rang rangs[] = {{5110, 300, 110, rvb(66, 76, 122)}, {5111, 350, 80, rvb(38, 48, 82)}, {5112, 410, 60, rvb(20, 26, 46)}};
    for (const Rang& r : rangs) {
        CToile k(h.longueur(), h.hauteur());
        auto crete = [&](float x) { return r.base - r.ampl * std::pow(fbm1(x / 170.f, r.graine, 5), 1.5f) * 1.7f; };
        peintTerrain(k, [&](float x) { return crete(x / kE) * kE; }, [&](float, float y) {
            return melange(r.c, fois(r.c, 0.55f), borne((y / kE - r.base + r.ampl) / 220.f));
        });
        k.eclaireBord(2 * kE, -2 * kE, rvb(170, 190, 230), 0.35f);
        h.compose(k, 0, 0);
        for (int y = 0; y < h.hauteur(); ++y) {
            float fy = y / float(kE), m = std::exp(-std::pow((fy - r.base - 10) / 26.f, 2.f)) * 0.35f;
            if (m > 0.01f)
                for (int x = 0; x < h.longueur(); ++x)
                    h.pose(x, y, rvb(120, 134, 180), m * (0.6f + 0.4f * fbm2(x / (kE * 60.f), fy / 14.f, r.graine + 9, 3)));
        }
    }
    // The shrine's glow on the far left hills, lanterns down the valley.
    lueurRonde(h, 96 * kE, 262 * kE, 26 * kE, rvb(140, 200, 255), 0.55f);
    h.disque(96 * kE, 262 * kE, 2.2f * kE, rvb(220, 240, 255));
    const Point lanternes[] = {{150, 330}, {232, 352}, {318, 372}, {410, 396}};
    for (const Point& p : lanternes) {
        lueurRonde(h, p.x * kE, p.y * kE, 14 * kE, rvb(255, 196, 110), 0.6f);
        h.disque(p.x * kE, p.y * kE, 1.6f * kE, rvb(255, 236, 190));
    }
    // The crag at the right where the hero stands.
    Polygone crag = {{430.f * kE, 480.f * kE}, {462.f * kE, 410.f * kE}, {500.f * kE, 380.f * kE}, {548.f * kE, 372.f * kE},
                     {600.f * kE, 388.f * kE}, {640.f * kE, 404.f * kE}, {640.f * kE, 480.f * kE}};
    CToile k(h.longueur(), h.hauteur());
    k.polygone(crag, [&](float x, float y) { return fois(rvb(22, 22, 34), 0.8f + 0.4f * fbm2(x / (kE * 10), y / (kE * 10), 5120, 3)); });
    k.eclaireBord(2 * kE, -2 * kE, rvb(150, 170, 220), 0.5f);
    h.compose(k, 0, 0);
    CToile img = h.reduit(kE);
    Pose p;
    p.cuisse[0] = -8; p.tibia[0] = -10; p.cuisse[1] = 12; p.tibia[1] = 4;
    p.bras[1] = 20; p.avantBras[1] = 40; p.tete = -6; p.profil = -1; p.echarpeLongueur = 22; p.echarpeChute = 1; p.echarpePhase = 1;
    img.compose(dessinePose(p, 90, 104, false), 548 - 45, 374 - 104);
    return img;
}

}

void genereTitre() {
    creeDossiers("./data/titre");
    ecritPngOpaque("./data/titre/titre.png", peintTitre());

    struct Etape { const char* fichier; const char* nom; };
    const Etape etapes[] = {{"./data/levels/level1.ini", "La forêt de nuit"},
                            {"./data/levels/marais.ini", "Le marais à l'aube"},
                            {"./data/levels/col.ini", "Le col enneigé"}};
    CFichierProfil f;
    f.section("Entete");
    f.cle("nombreNiveaux", long(std::size(etapes)));
    for (size_t i = 0; i < std::size(etapes); ++i) {
        f.section("Niveau" + std::to_string(i + 1));
        f.cle("fichier", etapes[i].fichier);
        f.cle("nom", etapes[i].nom);
    }
    f.ecrit("./data/parcours.ini");
}

}
