// Intro pictures and game-over frames. Sizes follow where the game draws
// them: full-screen logos centred on black (black is keyed out, and each
// logo ends up in a quarter of the screen at half size), full-screen
// credits, a caption drawn at x 150, a title centred on (320, 225), two
// 640x360 paintings drawn at (0, 40), and 640x480 game-over frames.
// The credits name roles, never people.

#include "Ciel.h"
#include "Contenu.h"
#include "Decor.h"
#include "Formats.h"
#include "Heros.h"

#include <cmath>

namespace gendata {

namespace {

const std::string kIntro = "./data/intro/";

Nuanceur degradeVertical(const Couleur& haut, const Couleur& bas, float y0, float y1) {
    return [=](float, float y) { return melange(haut, bas, borne((y - y0) / (y1 - y0))); };
}

// Text with a dark rim, so that it reads over anything.
void texteCercle(CToile& t, const std::string& s, Police p, int taille, float cx, float y, const Nuanceur& n, const Couleur& rim, float epaisseur) {
    float x = cx - mesureTexte(s, p, taille).longueur / 2.f;
    for (int k = 0; k < 16; ++k) {
        float a = k * float(M_PI) / 8;
        ecritTexte(t, s, p, taille, x + std::cos(a) * epaisseur, y + std::sin(a) * epaisseur, rim);
    }
    ecritTexte(t, s, p, taille, x, y, n);
}

CToile ecranNoir() {
    CToile t(640, 480);
    t.remplit(Couleur(0, 0, 0, 1));
    return t;
}

void logos() {
    {
        CToile t = ecranNoir();
        ecritTexteCentre(t, "Merci à celles et ceux qui jouent, testent et partagent", Police::Sans, 17, 320, 456, rvb(150, 170, 220));
        ecritPngOpaque(kIntro + "thanks.png", t);
    }
    {   // Publisher: a crescent in a ring, and the name.
        CToile h(640 * E, 480 * E);
        float cx = 320 * E, cy = 170 * E;
        h.disque(cx, cy, 78 * E, rvb(214, 176, 82));
        h.disque(cx, cy, 70 * E, rvb(20, 24, 50));
        h.disque(cx, cy, 50 * E, rvb(240, 226, 180));
        h.disque(cx + 20 * E, cy - 12 * E, 44 * E, rvb(20, 24, 50));
        CToile t = h.reduit(E);
        texteCercle(t, "QUARVELIN", Police::SerifGras, 78, 320, 340, degradeVertical(rvb(255, 230, 160), rvb(200, 140, 60), 280, 345), rvb(60, 30, 10), 2);
        ecritTexteCentre(t, "é d i t i o n s", Police::Serif, 30, 320, 392, rvb(200, 200, 220));
        ecritPngOpaque(kIntro + "logo_quarvelin.png", t);
    }
    {
        CToile t = ecranNoir();
        texteCercle(t, "SDL", Police::SansGras, 170, 320, 290, degradeVertical(rvb(230, 240, 255), rvb(90, 140, 220), 160, 290), rvb(20, 40, 90), 3);
        ecritTexteCentre(t, "Simple DirectMedia Layer", Police::Sans, 32, 320, 350, rvb(190, 200, 230));
        ecritPngOpaque(kIntro + "logo_SDL.png", t);
    }
    {
        CToile t = ecranNoir();
        texteCercle(t, "OpenGL", Police::SansGras, 120, 320, 275, degradeVertical(rvb(255, 255, 255), rvb(120, 180, 200), 180, 275), rvb(20, 60, 80), 3);
        ecritTexteCentre(t, "rendu accéléré", Police::Sans, 32, 320, 340, rvb(190, 210, 220));
        ecritPngOpaque(kIntro + "logo_GL.png", t);
    }
    {   // The group: a four-pointed star and the name.
        CToile h(640 * E, 480 * E);
        float cx = 320 * E, cy = 150 * E;
        Polygone etoile;
        for (int k = 0; k < 8; ++k) {
            float a = k * float(M_PI) / 4 - float(M_PI) / 2, r = (k % 2 ? 18 : 70) * E;
            etoile.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
        }
        h.polygone(etoile, degradeVertical(rvb(190, 230, 255), rvb(80, 120, 220), cy - 70 * E, cy + 70 * E));
        CToile t = h.reduit(E);
        texteCercle(t, "VASK", Police::SerifGras, 120, 320, 340, degradeVertical(rvb(220, 236, 255), rvb(110, 150, 230), 250, 340), rvb(20, 30, 70), 3);
        ecritTexteCentre(t, "le collectif", Police::Serif, 30, 320, 390, rvb(190, 200, 230));
        ecritPngOpaque(kIntro + "logo_vask.png", t);
    }
}

CToile fondCredit(uint32_t graine) {
    CToile t(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            float d = std::hypot(x - 320.f, (y - 240.f) * 1.2f) / 400.f;
            float n = fbm2(x / 120.f, y / 120.f, graine, 4);
            Couleur c = melange(rvb(26, 30, 64), rvb(4, 5, 14), borne(d));
            t.pose(x, y, melange(c, rvb(60, 50, 100), borne(n - 0.5f) * 0.6f));
        }
    CHasard r(graine);
    for (int i = 0; i < 90; ++i) t.pose(int(r.entre(0, 640)), int(r.entre(0, 480)), Couleur(0.9f, 0.9f, 1, float(r.entre(0.2, 0.8))));
    return t;
}

void credits() {
    struct Credit { const char* fichier; const char* role; const char* detail; };
    const Credit liste[] = {
        {"cr_mirvane.png", "Programmation", "moteur, outils et génération du monde"},
        {"cr_quenb.png", "Graphismes", "décors, héros et peintures"},
        {"cr_dorva.png", "Musique", "composition et synthèse"},
        {"cr_selku.png", "Conception", "niveaux, animation et mise en scène"},
    };
    uint32_t graine = 1200;
    for (const Credit& c : liste) {
        CToile t = fondCredit(graine++);
        texteCercle(t, c.role, Police::SerifGras, 58, 320, 235, degradeVertical(rvb(255, 234, 170), rvb(214, 150, 70), 190, 240), rvb(30, 16, 8), 2);
        CToile h(640 * E, 20 * E);
        h.capsule(170 * E, 10 * E, 1.2f * E, 470 * E, 10 * E, 1.2f * E, rvb(214, 176, 82));
        h.disque(320 * E, 10 * E, 4 * E, rvb(240, 210, 120));
        t.compose(h.reduit(E), 0, 252);
        ecritTexteCentre(t, c.detail, Police::Sans, 24, 320, 305, rvb(200, 206, 230));
        ecritPngOpaque(kIntro + c.fichier, t);
    }
}

void presenteEtTitre() {
    {
        CToile t(340, 70);
        t.remplit(Couleur(0, 0, 0, 1));
        ecritTexteCentre(t, "présente", Police::Serif, 46, 170, 48, rvb(210, 220, 245));
        ecritPngOpaque(kIntro + "presents.png", t);
    }
    {
        // The title sits on transparent pixels (the GIF's transparent index).
        // The picture is 310 by 90 so that the intro's place for it, 165, 180,
        // centres it on the screen; the lettering keeps within its middle
        // 250 pixels, so that it still fits the screen at the intro's
        // largest zoom, 250 %.
        const std::string titre = "CORVANTHELIS";
        int taille = 60;
        while (mesureTexte(titre, Police::SerifGras, taille).longueur > 246) --taille;
        CToile t(310, 90);
        texteCercle(t, titre, Police::SerifGras, taille, 155, 62, degradeVertical(rvb(255, 240, 180), rvb(200, 120, 40), 30, 64), rvb(40, 14, 10), 2.5f);
        ecritGif(kIntro + "kvtrvorna1.gif", t);
    }
}

// A landscape painting: sky, moon, mountains, hills, a rocky foreground
// and the hero on it. `aube` 0 is full night, 1 the first light.
CToile peinture(float aube, float heroX, uint32_t graine) {
    // The moon keeps its place in both paintings and only pales at dawn, so
    // the long cross-fade between them shows no second moon.
    const float luneX = 440, luneY = 96;
    CToile h = peintCiel(E, luneX, luneY, graine);
    // Dawn: warm the lower sky.
    for (int y = 0; y < h.hauteur(); ++y) {
        float v = borne((y / float(E) - 160) / 200.f) * aube;
        if (v <= 0) continue;
        for (int x = 0; x < h.longueur(); ++x) h.pose(x, y, rvb(230, 140, 110), v * 0.7f);
    }
    CToile lune = peintLune(E, 70, 24);
    h.compose(lune, int((luneX - 35) * E), int((luneY - 35) * E), 1 - 0.55f * aube);
    auto crete = [](float x, uint32_t g, float base, float ampl) { return base - ampl * std::pow(fbm1(x / 180.f, g, 5), 1.5f) * 1.8f; };
    auto couche = [&](uint32_t g, float base, float ampl, const Couleur& c) {
        CToile k(h.longueur(), h.hauteur());
        peintTerrain(k, [&](float x) { return crete(x / E, g, base, ampl) * E; }, [&](float, float y) {
            return melange(c, fois(c, 0.6f), borne((y / E - base + ampl) / 200.f));
        });
        eclaireLune(k, melange(rvb(170, 190, 230), rvb(255, 190, 150), aube), 0.4f);
        h.compose(k, 0, 0);
    };
    couche(graine + 1, 250, 120, melange(rvb(70, 80, 128), rvb(120, 90, 120), aube));
    couche(graine + 2, 300, 80, melange(rvb(36, 50, 80), rvb(70, 60, 86), aube));
    couche(graine + 3, 340, 40, melange(rvb(20, 30, 44), rvb(40, 36, 52), aube));
    // Foreground rock where the hero stands.
    float sol = 318;
    Polygone roche = {{float(heroX - 120) * E, 360.f * E}, {float(heroX - 90) * E, sol * E + 6 * E}, {float(heroX - 30) * E, sol * E},
                      {float(heroX + 40) * E, sol * E + 2 * E}, {float(heroX + 110) * E, sol * E + 14 * E}, {float(heroX + 170) * E, 360.f * E}};
    CToile k(h.longueur(), h.hauteur());
    k.polygone(roche, [&](float x, float y) { return fois(rvb(30, 30, 42), 0.8f + 0.4f * fbm2(x / (E * 10), y / (E * 10), graine + 4, 3)); });
    eclaireLune(k, rvb(150, 170, 220), 0.5f);
    h.compose(k, 0, 0);
    CToile img = h.reduit(E);
    // The hero, looking at the moon.
    Pose p;
    p.cuisse[0] = -8; p.tibia[0] = -10; p.cuisse[1] = 12; p.tibia[1] = 4;
    p.bras[1] = 20; p.avantBras[1] = 40; p.tete = -12; p.echarpeLongueur = 20; p.echarpeChute = 1; p.echarpePhase = 1;
    CToile heros = dessinePose(p, 90, 104, false);
    img.compose(heros, int(heroX - 38), int(sol + 2 - 104));
    return img;
}

void peintures() {
    ecritPngOpaque(kIntro + "vorna_intro3.png", peinture(0.f, 150, 3001));
    ecritPngOpaque(kIntro + "vorna_intro3-1.png", peinture(1.f, 150, 3001));
}

}

void genereIntro() {
    creeDossiers("./data/intro");
    logos();
    credits();
    presenteEtTitre();
    peintures();
}

// Game over: the night turns red and dark, the moon sinks, embers rise and
// the words fade in.
void genereGameOver() {
    creeDossiers("./data/cin/gameover");
    CToile fond = peinture(0.f, 150, 3001);
    CToile texte(640, 480);
    texteCercle(texte, "Fin de la partie", Police::SerifGras, 60, 320, 250, degradeVertical(rvb(255, 200, 150), rvb(190, 40, 30), 200, 250), rvb(20, 0, 0), 2.5f);
    ecritTexteCentre(texte, "la nuit garde ses secrets", Police::Serif, 24, 320, 295, rvb(220, 190, 190));
    CHasard r(4000);
    struct Braise { float x, y, v, taille; };
    std::vector<Braise> braises;
    for (int i = 0; i < 60; ++i) braises.push_back({float(r.entre(0, 640)), float(r.entre(200, 560)), float(r.entre(1.5, 4)), float(r.entre(1, 2.5))});
    for (int n = 1; n <= 95; ++n) {
        float u = (n - 1) / 94.f;
        CToile t(640, 480);
        t.remplit(Couleur(0, 0, 0, 1));
        CToile teinte = fond;
        float rouge = borne(u * 2.5f), sombre = 1 - 0.65f * borne(u * 1.6f);
        for (int y = 0; y < teinte.hauteur(); ++y)
            for (int x = 0; x < teinte.longueur(); ++x) {
                float* p = teinte.pixel(x, y);
                float g = (p[0] + p[1] + p[2]) / 3;
                p[0] = melangeLin(p[0], g * 1.6f, rouge) * sombre;
                p[1] = melangeLin(p[1], g * 0.45f, rouge) * sombre;
                p[2] = melangeLin(p[2], g * 0.4f, rouge) * sombre;
            }
        t.compose(teinte, 0, 40 + int(u * 12));
        for (const Braise& b : braises) {
            float y = b.y - n * b.v, x = b.x + 8 * std::sin(n * 0.1f + b.y);
            float a = borne(u * 3) * borne((y - 60) / 200.f);
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    float d = std::hypot(float(dx), float(dy)) / (b.taille + 0.5f);
                    if (d < 1.5f) t.pose(int(x) + dx, int(y) + dy, rvb(255, 150, 60), a * borne(1.5f - d));
                }
        }
        t.compose(texte, 0, 0, borne((u - 0.25f) * 2.5f));
        ecritPngOpaque("./data/cin/gameover/anim_gameover_" + std::to_string(n) + ".png", t);
    }
}

}
