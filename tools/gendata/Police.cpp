// Font sheets for the game's text: every character menus and hints may use,
// white with anti-aliased coverage as alpha and a dark 1-pixel outline, so a
// colour factor tints the letters and leaves the outline dark on any
// background. Each sheet comes with its description file.

#include "Contenu.h"
#include "Formats.h"
#include "Outils.h"
#include "render/SchemaPolice.h"

#include <algorithm>

namespace gendata {

namespace sp = schemaPolice;

namespace {

// The tiles the game cuts pictures into are 256 pixels a side: the sheet is
// one tile wide and no glyph row straddles two tiles.
const int LARGEUR_PLANCHE = 256;
const int TUILE = 256;

// Printable ASCII, the Latin-1 supplement, and the French typography that
// lies beyond it.
std::vector<uint32_t> codesVoulus() {
    std::vector<uint32_t> codes;
    for (uint32_t c = 0x20; c <= 0x7E; ++c) codes.push_back(c);
    for (uint32_t c = 0xA0; c <= 0xFF; ++c) codes.push_back(c);
    for (uint32_t c : {0x152u, 0x153u, 0x178u, 0x2013u, 0x2014u, 0x2018u, 0x2019u, 0x201Cu, 0x201Du, 0x2022u,
                       0x2026u, 0x202Fu, 0x20ACu})
        codes.push_back(c);
    return codes;
}

struct Place {
    uint32_t code;
    GlypheRendu rendu;
    int x, y, l, h; // rectangle in the sheet, outline included
};

// The glyph with its outline: coverage A in white over the 3 x 3 dilation of
// A in near-black.
void dessineGlyphe(CToile& planche, const Place& p) {
    const GlypheRendu& g = p.rendu;
    auto couverture = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= g.longueur || y >= g.hauteur) return 0.f;
        return g.couverture[size_t(y) * g.longueur + x] / 255.f;
    };
    const Couleur contour = rvb(8, 8, 16), blanc(1, 1, 1);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.l; ++x) {
            float bord = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) bord = std::max(bord, couverture(x - 1 + dx, y - 1 + dy));
            if (bord > 0) planche.pose(p.x + x, p.y + y, contour, bord);
            float a = couverture(x - 1, y - 1);
            if (a > 0) planche.pose(p.x + x, p.y + y, blanc, a);
        }
}

void generePlanche(const std::string& nom, Police police, int taille) {
    const std::string image = "./data/polices/" + nom + ".png";
    MetriquesPolice m = metriquesPolice(police, taille);
    // The outline adds a pixel on every side.
    const int base = m.montee + 1, hauteurLigne = m.interligne + 2;

    std::vector<Place> places;
    int x = 0, y = 0, hauteurRangee = 0;
    for (uint32_t code : codesVoulus()) {
        GlypheRendu g = rendGlyphe(code, police, taille);
        if (!g.present) continue;
        Place p{code, std::move(g), 0, 0, 0, 0};
        if (p.rendu.longueur > 0 && p.rendu.hauteur > 0) {
            p.l = p.rendu.longueur + 2;
            p.h = p.rendu.hauteur + 2;
            // A pixel of gap keeps bilinear filtering from bleeding.
            if (x + p.l > LARGEUR_PLANCHE) { x = 0; y += hauteurRangee + 1; hauteurRangee = 0; }
            if (y / TUILE != (y + p.h - 1) / TUILE) { x = 0; y = (y / TUILE + 1) * TUILE; hauteurRangee = 0; }
            p.x = x;
            p.y = y;
            x += p.l + 1;
            hauteurRangee = std::max(hauteurRangee, p.h);
        }
        places.push_back(std::move(p));
    }

    CToile planche(LARGEUR_PLANCHE, y + hauteurRangee);
    for (const Place& p : places)
        if (p.l > 0) dessineGlyphe(planche, p);
    ecritPng(image, planche);

    CFichierProfil f;
    f.commentaire(" DejaVu Sans " + std::to_string(taille) + " px; offsets from the top-left of the line");
    f.section("Entete");
    f.cle(sp::PathPlanche.nom, image);
    f.cle(sp::HauteurLigne.nom, hauteurLigne);
    f.cle(sp::Base.nom, base);
    f.cle(sp::NombreGlyphes.nom, long(places.size()));
    for (size_t i = 0; i < places.size(); ++i) {
        const Place& p = places[i];
        f.section("Glyphe" + std::to_string(i + 1));
        f.cle(sp::Code.nom, long(p.code));
        f.cle(sp::X.nom, p.x);
        f.cle(sp::Y.nom, p.y);
        f.cle(sp::Largeur.nom, p.l);
        f.cle(sp::Hauteur.nom, p.h);
        f.cle(sp::DecalageX.nom, p.l > 0 ? p.rendu.gauche - 1 : 0);
        f.cle(sp::DecalageY.nom, p.l > 0 ? base - p.rendu.haut - 1 : 0);
        f.cle(sp::Avance.nom, p.rendu.avance);
    }
    f.ecrit("./data/polices/" + nom + ".ini");
}

}

void generePolices() {
    generePlanche("texte", Police::Sans, 18);
    generePlanche("titre", Police::SansGras, 32);
}

}
