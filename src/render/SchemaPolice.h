#ifndef CORVANTHELIS_RENDER_SCHEMAPOLICE_H
#define CORVANTHELIS_RENDER_SCHEMAPOLICE_H

// Every key of a font description: name, type, default, range and buffer,
// for the font reader (render/CTexte.cpp), the data checker and the content
// generator.

#include "foundation/Schema.h"

#include <climits>
#include <vector>

namespace schemaPolice {

constexpr int TE = TAILLE_LIGNE_ENTIER;
// Most glyphs a font may describe.
constexpr int NbGlyphesMax = 65536;
// Offsets, advances and line metrics are kept within +-DecalageMax.
constexpr int DecalageMax = 4096;

// [Entete]
constexpr DefCle PathPlanche{"pathPlanche", Texte, 0, 0, 0, 200};
constexpr DefCle HauteurLigne{"hauteurLigne", Entier, 0, 1, DecalageMax, TE};
constexpr DefCle Base{"base", Entier, 0, 0, DecalageMax, TE};
constexpr DefCle NombreGlyphes{"nombreGlyphes", Entier, 0, 1, NbGlyphesMax, TE};

// [Glyphe n]: the character, its rectangle in the sheet, where it is drawn
// from the pen and how far the pen then moves.
constexpr DefCle Code{"code", Entier, 0, 0, 0x10FFFF, TE};
constexpr DefCle X{"x", Entier, 0, 0, INT_MAX, TE};
constexpr DefCle Y{"y", Entier, 0, 0, INT_MAX, TE};
constexpr DefCle Largeur{"largeur", Entier, 0, 0, INT_MAX, TE};
constexpr DefCle Hauteur{"hauteur", Entier, 0, 0, INT_MAX, TE};
constexpr DefCle DecalageX{"decalageX", Entier, 0, -DecalageMax, DecalageMax, TE};
constexpr DefCle DecalageY{"decalageY", Entier, 0, -DecalageMax, DecalageMax, TE};
constexpr DefCle Avance{"avance", Entier, 0, -DecalageMax, DecalageMax, TE};

extern const std::vector<DefCle> entete, glyphe;

}

#endif
