// The game's icon at the desktop's usual sizes: the moon over a dark tree
// on a night-sky rounded square, as the level shows them.
#include "Ciel.h"
#include "Contenu.h"
#include "Formats.h"
#include "Outils.h"

#include <cmath>
#include <string>

namespace gendata {

namespace {

// Painted at 256 pixels times `e`: every size is a reduction of the same
// drawing, so small icons keep the shapes, just softer.
CToile peintIcone(int e) {
    const int cote = 256;
    const float s = float(e);
    CToile t(cote * e, cote * e);
    // A rounded square of night sky.
    const float marge = 8 * s, rayon = 44 * s, bord = cote * s - marge;
    Polygone carre;
    for (int coin = 0; coin < 4; ++coin) {
        float cx = coin == 0 || coin == 3 ? marge + rayon : bord - rayon;
        float cy = coin < 2 ? marge + rayon : bord - rayon;
        for (int i = 0; i <= 12; ++i) {
            float a = float(M_PI) * (1 + coin * 0.5f + i / 24.f);
            carre.push_back({cx + std::cos(a) * rayon, cy + std::sin(a) * rayon});
        }
    }
    const float haut = marge, bas = bord;
    t.polygone(carre, [&](float, float y) { return couleurCiel(borne((y - haut) / (bas - haut)) * 300); });

    // The moon, upper right, with a faint halo.
    const float luneX = 168 * s, luneY = 84 * s;
    for (int i = 12; i >= 1; --i)
        t.disque(luneX, luneY, (40 + i * 3) * s, rvb(200, 210, 240, 0.025f));
    CToile lune = peintLune(e, 96, 40);
    t.compose(lune, int(luneX - lune.longueur() / 2), int(luneY - lune.hauteur() / 2));

    // A hill and a fir tree in silhouette, kept inside the square.
    const Couleur ombre = rvb(14, 22, 30);
    Polygone colline{{marge, 206 * s}};
    for (int i = 0; i <= 32; ++i) {
        float x = marge + (bord - marge) * i / 32.f;
        colline.push_back({x, (196 + 14 * std::sin(i / 32.f * 3.4f + 0.6f)) * s});
    }
    colline.push_back({bord, bord - rayon});
    colline.push_back({bord, bas});
    colline.push_back({marge, bas});
    t.polygone(colline, ombre);
    const float pied = 200 * s, tronc = 86 * s;
    t.polygone({{tronc - 7 * s, pied + 8 * s}, {tronc + 7 * s, pied + 8 * s}, {tronc + 5 * s, 150 * s},
                {tronc - 5 * s, 150 * s}},
               ombre);
    for (int etage = 0; etage < 4; ++etage) {
        float base = (186 - etage * 34) * s, largeur = (58 - etage * 11) * s;
        t.polygone({{tronc - largeur, base}, {tronc + largeur, base}, {tronc, base - 66 * s}}, ombre);
    }
    // The square's own edge cuts whatever overflows it.
    CToile masque(cote * e, cote * e);
    masque.polygone(carre, Couleur(1, 1, 1));
    t.attenue([&](int x, int y) { return masque.alpha(x, y); });
    return t;
}

}  // namespace

void genereIcone() {
    // 768 pixels: a whole multiple of every size.
    const int e = 3;
    CToile grande = peintIcone(e);
    for (int taille : {16, 32, 48, 64, 128, 256}) {
        const std::string dossier = "icones/" + std::to_string(taille) + "x" + std::to_string(taille);
        creeDossiers(dossier);
        ecritPng(dossier + "/corvanthelis.png", grande.reduit(grande.longueur() / taille));
    }
}

}
