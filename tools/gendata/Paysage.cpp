#include "Paysage.h"

#include "Accessoires.h"
#include "Formats.h"
#include "scenery/SchemaNiveau.h"

#include <array>
#include <cmath>
#include <map>

namespace gendata {
namespace paysage {

namespace {

// Skies are smooth: painted at twice the size, which is enough for the
// stars' edges and keeps the generator quick.
constexpr int kECiel = 2;

Couleur degrade(const std::vector<std::pair<float, Couleur>>& arrets, float y) {
    if (y <= arrets.front().first) return arrets.front().second;
    for (size_t i = 1; i < arrets.size(); ++i)
        if (y < arrets[i].first)
            return melange(arrets[i - 1].second, arrets[i].second, lisse((y - arrets[i - 1].first) / (arrets[i].first - arrets[i - 1].first)));
    return arrets.back().second;
}

// The top rows fade to black, where the untinted band above meets them.
float noirEnHaut(float y) { return lisse(borne(y / 48.f)); }

}

void ecritCiel(const std::string& dossier, const Ciel& d, const CToile& disque, int ecranX, int ecranY) {
    const int e = kECiel;
    CToile h(640 * e, 360 * e);
    for (int y = 0; y < h.hauteur(); ++y)
        for (int x = 0; x < h.longueur(); ++x) {
            float fx = (x + 0.5f) / e, fy = (y + 0.5f) / e;
            Couleur c = degrade(d.arrets, fy);
            if (d.voile > 0) {  // long banks of cloud, thicker towards the horizon
                float n = fbm2(fx / 120.f, fy / 26.f, d.graine, 4);
                c = melange(c, d.couleurVoile, borne((n - 0.42f) * 2.5f) * d.voile * (0.4f + 0.6f * borne(fy / 300.f)));
            }
            float dist = std::hypot(fx - d.astreX, fy - d.astreY);
            float halo = d.forceHalo * (0.7f * std::exp(-dist / d.etendueHalo) + 0.3f * std::exp(-dist / (3 * d.etendueHalo)));
            c = melange(c, d.halo, borne(halo) * lisse(borne(fy / 60.f)));
            h.pose(x, y, fois(c, noirEnHaut(fy)));
        }
    CHasard r(d.graine);
    for (int i = 0; i < d.etoiles; ++i) {
        float x = float(r.entre(0, 640)), y = float(r.entre(0, 200));
        float eclat = float(r.entre(0.2, 0.9)) * (1.f - y / 200.f) * noirEnHaut(y);
        if (std::hypot(x - d.astreX, y - d.astreY) < 80) continue;
        h.disque(x * e, y * e, float(r.entre(0.4, 0.8)) * e, Couleur(1, 0.97f, 0.94f, eclat));
    }
    CToile ciel = h.reduit(e);
    ecritJpeg(dossier + "fond.jpg", ciel, 92);
    // The disc's soft edge is mixed with the sky behind it, so that only
    // the pixels fully outside it carry the magenta key.
    const int cote = disque.longueur();
    CToile bmp(cote, cote);
    for (int y = 0; y < cote; ++y)
        for (int x = 0; x < cote; ++x) {
            float a = disque.alpha(x, y);
            if (a < 0.5f / 255) continue;
            int sx = std::clamp(ecranX + x, 0, 639), sy = std::clamp(ecranY - 40 + y, 0, 359);
            Couleur fond = ciel.lit(sx, sy);
            fond.a = 1;
            bmp.pose(x, y, fond);
            bmp.pose(x, y, disque.lit(x, y), a);
        }
    ecritBmp(dossier + "astre.bmp", bmp, Couleur(1, 0, 1, 1));
}

CToile peintDisque(int cote, float rayon, const Couleur& coeur, const Couleur& bord, float pale) {
    CToile t(cote * E, cote * E);
    float c = cote * E / 2.f, R = rayon * E;
    for (int y = 0; y < t.hauteur(); ++y)
        for (int x = 0; x < t.longueur(); ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c, dist = std::hypot(dx, dy) / R;
            if (dist > 1) continue;
            float marbre = fbm2(dx / R * 2 + 5, dy / R * 2 + 5, 78, 3);
            Couleur k = melange(coeur, bord, std::pow(dist, 2.5f));
            k = fois(k, 0.92f + 0.12f * marbre * pale);
            k.a = 1 - pale * 0.25f;
            t.pose(x, y, k);
        }
    return t.reduit(E);
}

void ajouteBandeHaute(CPlanDecor& plan, const Couleur& couleur, int periode) {
    CToile bande(256, 48);
    for (int y = 0; y < bande.hauteur(); ++y) {
        float fy = y + 0.5f;
        Couleur c = melange(couleur, rvb(0, 0, 0), lisse(borne(fy / 40.f)));
        c.a = fy < 40 ? 1 : borne(1 - (fy - 40) / 8.f);
        for (int x = 0; x < bande.longueur(); ++x) bande.pose(x, y, c);
    }
    TuilePlan t;
    t.cadre(plan.planche.ajoute(bande, true));
    for (int x = 0; x < periode; x += 256) t.place(x, 0);
    plan.tuiles.push_back(t);
}

float surfaceSol(float x) {
    const float p = 2 * float(M_PI) / 256;
    return float(kSol - kHautTuileSol) + 0.9f * std::sin(p * 3 * x) + 0.6f * std::sin(p * 7 * x + 1);
}

float bruitSol(float x, float y, float echelle, uint32_t graine) {
    int cellules = std::max(1, int(std::lround(256 / echelle)));
    return fbm2(x * cellules / 256.f, y / echelle, graine, 4, cellules);
}

void ajouteSol(CPlanDecor& plan, const std::vector<int>& suite, const CouleurSol& couleur, const DecorSol& decor, const Couleur& lumiere) {
    if (suite.size() != size_t(kTuilesSol)) echec("sol de " + std::to_string(suite.size()) + " tuiles au lieu de " + std::to_string(kTuilesSol));
    std::map<std::array<int, 3>, size_t> tuileDe;
    for (size_t i = 0; i < suite.size(); ++i) {
        std::array<int, 3> cle = {suite[i > 0 ? i - 1 : i], suite[i], suite[i + 1 < suite.size() ? i + 1 : i]};
        auto trouve = tuileDe.find(cle);
        if (trouve == tuileDe.end()) {
            const int g = cle[0], s = cle[1], d = cle[2];
            // The colour is asked once per final pixel (the reduction would
            // average finer detail away); the ground line is cut at the full
            // painting scale, so its edge stays smooth.
            constexpr int L = 256, H = 110;
            std::vector<Couleur> teintes(L * H);
            std::vector<bool> faites(L * H, false);
            CToile t(L * E, H * E);
            t.polygone({{0, 0}, {float(t.longueur()), 0}, {float(t.longueur()), float(t.hauteur())}, {0, float(t.hauteur())}}, [&](float hx, float hy) {
                if (hy / E < surfaceSol(hx / E)) return Couleur(0, 0, 0, 0);
                int px = std::min(L - 1, int(hx / E)), py = std::min(H - 1, int(hy / E));
                size_t k = size_t(py) * L + px;
                if (!faites[k]) {
                    float x = px + 0.5f, y = std::max(py + 0.5f, surfaceSol(x) + 0.05f);
                    float wg = g != s ? 0.5f * (1 - lisse(borne(x / 40))) : 0;
                    float wd = d != s ? 0.5f * (1 - lisse(borne((256 - x) / 40))) : 0;
                    Couleur c = couleur(s, x, y);
                    if (wg > 0) c = melange(c, couleur(g, x, y), wg / (1 - wd));
                    if (wd > 0) c = melange(c, couleur(d, x, y), wd);
                    teintes[k] = c;
                    faites[k] = true;
                }
                return teintes[k];
            });
            if (decor) decor(t, g, s, d);
            eclaireLune(t, lumiere, 0.3f, 2 * E);
            TuilePlan p;
            p.cadre(plan.planche.ajoute(t.reduit(E)));
            trouve = tuileDe.emplace(cle, plan.tuiles.size()).first;
            plan.tuiles.push_back(p);
        }
        plan.tuiles[trouve->second].place(i * 256.f, kHautTuileSol);
    }
}

void ajouteAccessoires(CPlanDecor& plan, const std::vector<Accessoire>& images, const std::vector<PoseDecor>& poses) {
    for (const Accessoire& a : images) {
        TuilePlan p;
        p.cadre(plan.planche.ajoute(a.image));
        for (const PoseDecor& q : poses)
            if (q.nom == a.nom) p.place(q.x - a.image.longueur() / 2.f, kSol + enfoncement - a.image.hauteur());
        if (!p.positions.empty()) plan.tuiles.push_back(p);
    }
}

CToile bancDeBrume(int l, int h, uint32_t graine, const Couleur& c, float densite) {
    CToile t(l, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) {
            float fy = (y + 0.5f) / h;
            float v = fbm2(x / 40.f, y / 10.f, graine, 4, l / 40);
            Couleur k = c;
            k.a = std::pow(std::sin(fy * float(M_PI)), 1.5f) * borne((v - 0.3f) * 2.2f) * densite;
            t.pose(x, y, k);
        }
    return t;
}

CToile teinte(CToile t, const Couleur& f) {
    for (int y = 0; y < t.hauteur(); ++y)
        for (int x = 0; x < t.longueur(); ++x) {
            float* p = t.pixel(x, y);
            p[0] *= f.r; p[1] *= f.g; p[2] *= f.b;
        }
    return t;
}

void ecritFichierNiveau(const std::string& chemin, const std::vector<PlanNiveau>& plans, const Aspect& aspect,
                        const std::vector<ActeurPose>& acteurs, int arriveeX) {
    ecritNiveau(chemin, plans, {{schemaNiveau::NombreActeurs.nom, long(acteurs.size())}, {schemaNiveau::ArriveeX.nom, arriveeX},
                                {schemaNiveau::PositionLuneX.nom, aspect.luneX}, {schemaNiveau::PositionLuneY.nom, aspect.luneY}},
                [&](CFichierProfil& f) {
                    for (size_t i = 0; i < acteurs.size(); ++i) {
                        const ActeurPose& a = acteurs[i];
                        f.section("Acteur" + std::to_string(i + 1));
                        f.cle(schemaNiveau::TypeActeur.nom, a.type);
                        f.cle(schemaNiveau::ActeurX.nom, a.x);
                        f.cle(schemaNiveau::ActeurY.nom, a.y);
                        if (a.cle) f.cle(a.cle, a.valeur);
                    }
                },
                {{schemaNiveau::PathCiel.nom, aspect.ciel}, {schemaNiveau::PathLune.nom, aspect.lune},
                 {schemaNiveau::PathMusique.nom, aspect.musique}});
}

}
}
