// The lights (will-o'-wisp, floating light, the shrine's flame), the
// heads-up display pictures, and every actor's sheet, description and type
// file.

#include "Contenu.h"
#include "Creatures.h"
#include "Decor.h"
#include "Formats.h"
#include "Outils.h"
#include "Sprites.h"
#include "game/SchemaActeur.h"

#include <cmath>
#include <functional>

namespace gendata {

namespace sa = schemaActeur;

void lueurRonde(CToile& t, float cx, float cy, float rayon, const Couleur& c, float force, float durete) {
    int x0 = std::max(0, int(cx - rayon)), x1 = std::min(t.longueur() - 1, int(cx + rayon));
    int y0 = std::max(0, int(cy - rayon)), y1 = std::min(t.hauteur() - 1, int(cy + rayon));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / rayon;
            if (d < 1) t.pose(x, y, c, force * std::pow(1 - d, durete));
        }
}

namespace {

constexpr float kPi = float(M_PI);

}

Polygone flamme(float cx, float cy, float r, float h, float balance) {
    Polygone p;
    for (int k = 0; k < 48; ++k) {
        float u = 2 * kPi * k / 48, v = std::cos(u), s = std::sin(u);
        float larg = v > 0 ? r * s * std::pow(1 - v, 0.7f) : r * s;
        float y = v > 0 ? cy - h * v : cy - r * v;
        p.push_back({cx + larg + balance * std::max(0.f, v) * std::max(0.f, v), y});
    }
    return p;
}

namespace {

// Will-o'-wisp: bluish-green flame, soft halo, two dark eyes.
CToile peintFeuFollet(float phase, float etirement, float eclat, float taille, float opacite) {
    const int L = 48, H = 60;
    CToile t(L * E, H * E);
    float cx = L / 2.f * E, cy = 38.f * E;
    float vacille = 0.5f + 0.5f * std::sin(phase * 2 * kPi * 2 + 1.3f);
    lueurRonde(t, cx, cy - 4 * E, (21 + 2 * vacille) * E * taille, rvb(80, 220, 190), 0.8f * opacite, 1.4f);
    float b = 5 * E * std::sin(phase * 2 * kPi) * (1 + etirement);
    auto c = [&](Couleur k) { k = melange(k, rvb(255, 230, 230), eclat); k.a = opacite; return k; };
    t.polygone(flamme(cx, cy, 9 * E * taille, (22 + 4 * vacille) * E * taille * (1 + etirement), b), c(rvb(70, 210, 170, 1)));
    t.polygone(flamme(cx, cy + 1 * E, 6.5f * E * taille, (15 + 3 * vacille) * E * taille * (1 + etirement), b * 0.7f), c(rvb(150, 250, 220)));
    t.polygone(flamme(cx, cy + 2 * E, 3.8f * E * taille, 8 * E * taille, b * 0.4f), c(rvb(235, 255, 248)));
    if (taille > 0.6f)
        for (float s : {-1.f, 1.f}) t.ellipse(cx + s * 2.6f * E, cy - 2 * E, 1.1f * E, 1.7f * E, 0, c(rvb(18, 46, 56)));
    return t.reduit(E);
}

// Floating light: golden glow, a bright core and four turning rays.
CToile peintLueur(int cote, float phase, float eclat) {
    CToile t(cote * E, cote * E);
    float c = cote / 2.f * E, k = cote / 32.f;
    float pulse = 0.5f + 0.5f * std::sin(phase * 2 * kPi);
    lueurRonde(t, c, c, (14 + 1.5f * pulse) * k * E * (1 + eclat * 0.1f), rvb(255, 196, 90), 0.95f * (1 - eclat), 1.3f);
    lueurRonde(t, c, c, 7 * k * E, rvb(255, 226, 150), 0.8f * (1 - eclat), 1.2f);
    for (int i = 0; i < 4; ++i) {
        float a = phase * kPi / 2 + i * kPi / 2, l = (i % 2 ? 8.f : 11.f) * k * (1 + 0.15f * pulse) * (1 + eclat);
        t.capsule(c, c, 1.3f * k * E, c + std::cos(a) * l * E, c + std::sin(a) * l * E, 0.3f * k * E, rvb(255, 236, 170, 1 - eclat));
    }
    t.disque(c, c, (3.6f + 0.6f * pulse) * k * E * (1 - eclat), rvb(255, 248, 220));
    return t.reduit(E);
}

// The shrine's flame: a faint cold glimmer, or lit and blazing gold.
constexpr int kSanctL = 96, kSanctH = 112;
CToile peintFlammeSanctuaire(bool allume, float phase) {
    CToile t(kSanctL * E, kSanctH * E);
    float cx = kSanctL / 2.f * E, cy = 66.f * E;
    if (!allume) {
        lueurRonde(t, cx, cy, (14 + 2 * std::sin(phase * 2 * kPi)) * E, rvb(120, 190, 255), 0.22f);
        return t.reduit(E);
    }
    float v = 0.5f + 0.5f * std::sin(phase * 2 * kPi * 2 + 0.7f);
    lueurRonde(t, cx, cy - 10 * E, (44 + 4 * v) * E, rvb(255, 214, 130), 0.75f);
    float b = 4 * E * std::sin(phase * 2 * kPi);
    t.polygone(flamme(cx, cy + 12 * E, 12 * E, (34 + 5 * v) * E, b), rvb(255, 176, 70, 0.95f));
    t.polygone(flamme(cx, cy + 12 * E, 8 * E, (24 + 4 * v) * E, b * 0.7f), rvb(255, 226, 140));
    t.polygone(flamme(cx, cy + 13 * E, 4.5f * E, 12 * E, b * 0.4f), rvb(255, 252, 236));
    return t.reduit(E);
}

// ---- Heads-up display ---------------------------------------------------------

CToile peintCoeur(bool plein) {
    CToile t(24 * E, 22 * E);
    auto forme = [&](float r, const Couleur& c) {
        t.disque(7.5f * E, 8 * E, (5.5f + r) * E, c);
        t.disque(16.5f * E, 8 * E, (5.5f + r) * E, c);
        t.polygone({{(2.2f - r) * E, (10 - r * 0.3f) * E}, {(21.8f + r) * E, (10 - r * 0.3f) * E}, {12 * E, (19.5f + r) * E}}, c);
    };
    forme(kTraitCreature, kContourCreature);
    if (plein) {
        forme(0, rvb(214, 52, 66));
        t.ellipse(7 * E, 6.5f * E, 2.2f * E, 1.5f * E, -0.5f, rvb(255, 210, 214, 0.85f));
    } else {
        forme(0, rvb(64, 52, 72, 0.85f));
    }
    eclaireLune(t, rvb(200, 214, 250), 0.3f, 2 * E);
    return t.reduit(E);
}

// ---- Sprites and type files -------------------------------------------------------

}

AnimSprite anim(const std::string& nom, int n, int pause, const Peintre& p, float fin) {
    AnimSprite a{nom, {}, {}, {}};
    for (int k = 0; k < n; ++k) {
        a.images.push_back(p(fin < 1 ? fin * k / (n - 1) : float(k) / n));
        a.pauses.push_back(pause);
    }
    return a;
}

AnimSprite passe(const std::string& nom, int n, int pause, const Peintre& p) {
    AnimSprite a{nom, {}, {}, {}};
    for (int k = 0; k < n; ++k) { a.images.push_back(p(float(k) / (n - 1))); a.pauses.push_back(pause); }
    return a;
}

namespace {

void ecritType(const TypeActeur& a) {
    CFichierProfil f;
    f.section("Acteur");
    f.cle(sa::Comportement.nom, a.nom);
    f.cle(sa::Sprite.nom, std::string("./data/sprites/") + a.nom + ".ini");
    f.cle(sa::Sante.nom, a.sante);
    f.cle(sa::Degats.nom, a.degats);
    f.cle(sa::ContactX.nom, a.contact.x);
    f.cle(sa::ContactY.nom, a.contact.y);
    f.cle(sa::ContactLargeur.nom, a.contact.l);
    f.cle(sa::ContactHauteur.nom, a.contact.h);
    f.section("Animations");
    for (const auto& c : a.animations) f.cle(c.first, c.second);
    f.section("Comportement");
    for (const auto& c : a.comportement) f.cle(c.first, c.second);
    if (!a.sons.empty()) {
        f.section("Sons");
        for (const auto& c : a.sons) f.cle(c.first, c.second);
    }
    f.ecrit(std::string("./data/acteurs/") + a.nom + ".ini");
}

}

void ecritActeur(const TypeActeur& a, const std::vector<AnimSprite>& anims) {
    std::string base = std::string("./data/sprites/") + a.nom;
    ecritSprite(base + ".png", base + ".ini", anims, {}, 512);
    ecritType(a);
}

void genereCreatures() {
    creeDossiers("./data/acteurs");
    creeDossiers("./data/hud");
    const std::vector<std::pair<const char*, const char*>> communes = {{"repos", "Repos"}, {"attaque", "Attaque"}, {"blesse", "Blesse"}, {"mort", "Mort"}};

    AnimSprite marcheLoup = anim("Marche", 8, 90, [](float t) { return peintLoup(EnMarche, t); });
    ecritActeur({"loup", 3, 1, {28, 28, 88, 60}, {{"repos", "Repos"}, {"marche", "Marche"}, {"attaque", "Attaque"}, {"blesse", "Blesse"}, {"mort", "Mort"}},
                 {{"blesse", "touche"}, {"mort", "mort"}, {"attaque", "grognement"}},
                 {{"vitesse", 55}, {"vitesseAttaque", 200}, {"distanceAlerte", 300}, {"patrouille", 160}, {"recul", 1200}}},
                {anim("Repos", 4, 220, [](float t) { return peintLoup(Immobile, t); }), marcheLoup,
                 anim("Attaque", 2, 120, [](float t) { return peintLoup(EnAttaque, t); }),
                 passe("Blesse", 3, 90, [](float t) { return peintLoup(Touche, t); }),
                 passe("Mort", 6, 120, [](float t) { return estompe(peintLoup(Mourant, std::min(1.f, t * 1.4f)), t < 0.7f ? 1 : 1 - (t - 0.7f) * 2.5f); })});

    AnimSprite vol = anim("Attaque", 4, 70, [](float t) { return peintChauveSouris(EnAttaque, t); });
    AnimSprite volLent = vol;
    volLent.nom = "Marche";
    for (int& p : volLent.pauses) p = 110;
    ecritActeur({"chauve_souris", 1, 1, {24, 4, 24, 32}, {{"repos", "Repos"}, {"marche", "Marche"}, {"attaque", "Attaque"}, {"blesse", "Blesse"}, {"mort", "Mort"}},
                 {{"blesse", "touche"}, {"mort", "mort"}, {"attaque", "cri"}},
                 {{"vitesse", 90}, {"vitesseAttaque", 200}, {"distanceAlerte", 220}, {"recul", 1600}}},
                {anim("Repos", 4, 260, [](float t) { return peintChauveSouris(Immobile, t); }), volLent, vol,
                 passe("Blesse", 3, 90, [](float t) { return peintChauveSouris(Touche, t); }),
                 passe("Mort", 6, 90, [](float t) { return estompe(peintChauveSouris(Mourant, t), 1 - 0.8f * t * t); })});

    ecritActeur({"feu_follet", 1, 1, {14, 16, 20, 30}, communes, {{"blesse", "touche"}, {"mort", "mort"}, {"attaque", "souffle"}},
                 {{sa::Vitesse.nom, 35}, {sa::VitesseAttaque.nom, 90}, {sa::DistanceAlerte.nom, 240}, {sa::Amplitude.nom, 10}, {sa::Periode.nom, 1600}, {sa::Recul.nom, 1700}}},
                {anim("Repos", 6, 90, [](float t) { return peintFeuFollet(t, 0, 0, 1, 1); }),
                 anim("Attaque", 4, 70, [](float t) { return peintFeuFollet(t, 0.35f, 0, 1.05f, 1); }),
                 passe("Blesse", 3, 80, [](float t) { return peintFeuFollet(t, 0, 0.7f * (1 - t), 1, 1); }),
                 passe("Mort", 5, 90, [](float t) { return peintFeuFollet(t, 0.2f * t, 0.3f, 1 - 0.7f * t, 1 - 0.85f * t); })});

    ecritActeur({"lueur", 0, 0, {8, 8, 16, 16}, {{"repos", "Repos"}, {"mort", "Mort"}}, {},
                 {{sa::Amplitude.nom, 8}, {sa::Periode.nom, 2000}}},
                {anim("Repos", 6, 110, [](float t) { return peintLueur(32, t, 0); }),
                 passe("Mort", 4, 60, [](float t) { return peintLueur(32, t, 0.25f + 0.7f * t); })});

    ecritActeur({"sanctuaire", 0, 0, {36, 52, 24, 28}, {{"repos", "Repos"}, {"allume", "Allume"}}, {}, {}},
                {anim("Repos", 4, 240, [](float t) { return peintFlammeSanctuaire(false, t); }),
                 anim("Allume", 6, 100, [](float t) { return peintFlammeSanctuaire(true, t); })});

    genereGardiens();
    ecritPng("./data/hud/coeur.png", peintCoeur(true));
    ecritPng("./data/hud/coeur_vide.png", peintCoeur(false));
    ecritPng("./data/hud/lueur.png", peintLueur(22, 0.25f, 0));
}

}
