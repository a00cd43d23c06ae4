// The level viewer's landscape: a snowy valley at night under a green
// aurora. The viewer draws no sky picture, so the farthest plane carries
// the sky itself; every plane repeats, since the viewer scrolls without an
// end.

#include "Contenu.h"
#include "Decor.h"

#include <cmath>

namespace gendata {

namespace {

const std::string kDossierQV = "./dataqv/levels/level1/";
constexpr int kPeriode = 1024;

// One plane of tiles cut from a strip painted by `peint` (hi-res tile
// canvas, tile x origin in final pixels).
void planRepete(const std::string& nom, int haut, int hauteur, const std::function<void(CToile&, float)>& peint, int alpha = 255) {
    CPlanDecor plan;
    for (int i = 0; i < kPeriode / 256; ++i) {
        CToile t(256 * E, hauteur * E);
        peint(t, i * 256.f);
        TuilePlan p;
        p.cadre(plan.planche.ajoute(t.reduit(E), true), alpha);
        p.place(i * 256, haut);
        plan.tuiles.push_back(p);
    }
    plan.ecrit(kDossierQV + nom);
}

}

void genereNiveauQV() {
    creeDossiers(kDossierQV.substr(0, kDossierQV.size() - 1));
    // Sky with aurora and stars.
    planRepete("ciel", 0, 480, [](CToile& t, float x0) {
        for (int y = 0; y < t.hauteur(); ++y)
            for (int x = 0; x < t.longueur(); ++x) {
                float wx = x0 + x / float(E), wy = y / float(E);
                Couleur c = melange(rvb(4, 8, 24), rvb(30, 44, 80), borne(wy / 420.f));
                float ruban = std::exp(-std::pow((wy - 110 - 40 * fbm1(wx / 128.f, 901, 3, kPeriode / 128)) / 30.f, 2.f));
                float rideau = fbm2(wx / 16.f, wy / 90.f, 902, 3, kPeriode / 16);
                c = melange(c, rvb(80, 230, 160), borne(ruban * rideau * 0.9f));
                t.pose(x, y, c);
            }
        CHasard r(903 + uint32_t(x0));
        for (int i = 0; i < 40; ++i)
            t.disque(float(r.entre(0, 256)) * E, float(r.entre(0, 300)) * E, float(r.entre(0.4, 0.9)) * E, Couleur(1, 1, 1, float(r.entre(0.3, 1))));
    });
    auto crete = [](float x, uint32_t g, float base, float ampl, int echelle) {
        return base - ampl * fbm1(x / echelle, g, 4, kPeriode / echelle);
    };
    // Snowy mountains.
    planRepete("montagnes", 150, 250, [&](CToile& t, float x0) {
        peintTerrain(t, [&](float x) { return (crete(x0 + x / E, 911, 330, 170, 128) - 150) * E; }, [&](float x, float y) {
            float n = fbm2((x0 + x / E) / 16.f, y / (E * 10.f), 912, 3, kPeriode / 16);
            return brume(melange(rvb(200, 214, 240), rvb(90, 104, 150), borne(y / (E * 220.f) + (n - 0.5f))), 0.45f);
        });
        eclaireLune(t, rvb(230, 240, 255), 0.5f);
    });
    // Snow-laden pines on a ridge.
    planRepete("foret", 250, 230, [&](CToile& t, float x0) {
        peintTerrain(t, [&](float x) { return (crete(x0 + x / E, 921, 400, 60, 256) - 250) * E; },
                     [&](float, float y) { return melange(rvb(170, 186, 220), rvb(110, 124, 170), borne(y / (E * 230.f))); });
        CHasard r(922);
        for (float x = 0; x < kPeriode; x += float(r.entre(18, 46))) {
            float h = float(r.entre(50, 110));
            uint32_t g = uint32_t(r.suivant());
            for (int k = -1; k <= 1; ++k) {
                float ax = x + k * kPeriode - x0;
                if (ax < -40 || ax > 296) continue;
                float pied = (crete(x, 921, 400, 60, 256) - 250 + 6) * E;
                sapin(t, ax * E, pied, h * E, rvb(24, 44, 56), g);
            }
        }
        eclaireLune(t, rvb(235, 245, 255), 0.7f, 2 * E);
    });
    // Snowfield in front.
    planRepete("neige", 380, 100, [&](CToile& t, float x0) {
        peintTerrain(t, [&](float x) { return (396 - 380 + 5 * std::sin((x0 + x / E) * 2 * float(M_PI) / 256)) * E; }, [&](float x, float y) {
            float n = fbm2((x0 + x / E) / 16.f, y / (E * 8.f), 931, 3, kPeriode / 16);
            return melange(rvb(220, 230, 250), rvb(120, 134, 180), borne(y / (E * 90.f) + (n - 0.5f) * 0.5f));
        });
    });
    ecritNiveau("./dataqv/levels/level1.ini", {{kDossierQV + "ciel.ini", 10, true},
                                               {kDossierQV + "montagnes.ini", 30, true},
                                               {kDossierQV + "foret.ini", 60, true},
                                               {kDossierQV + "neige.ini", 100, true}});
}

}
