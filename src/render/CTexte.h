#ifndef CORVANTHELIS_RENDER_CTEXTE_H
#define CORVANTHELIS_RENDER_CTEXTE_H

// Text in UTF-8 drawn from a font sheet in the 640x480 drawing space.
//
// CTexte: one object per font. A font is a description file ("Entete" with
// pathPlanche, hauteurLigne, base and nombreGlyphes, then "Glyphe"n with
// code, x, y, largeur, hauteur, decalageX, decalageY and avance) and the one
// sheet picture it names, held as one CImageGL that the object owns. The
// offsets place a glyph's rectangle from the pen at the top of the line;
// avance moves the pen right. Loading and drawing need a current GL
// context (after initSDL/initGL); destroy the object while that context still lives.
//
// A missing or broken description prints one line on standard error and
// leaves the font empty: it draws nothing and every width is 0. Bytes that
// are not UTF-8, and characters the font lacks, draw as its '?'. '\n' starts
// a new line hauteurLigne lower, at the same x.

#include "render/CImageGL.h"
#include "render/SchemaPolice.h"

#include <cstdint>
#include <string>
#include <vector>

// What a bad UTF-8 sequence, or a character without a glyph, stands for.
const uint32_t CARACTERE_REMPLACEMENT = '?';

// Decodes the character at `p` (before `fin`) and moves `p` past it. An
// invalid sequence (stray continuation byte, truncated, overlong, surrogate,
// above U+10FFFF, or a lead byte F5 to FF) gives CARACTERE_REMPLACEMENT and
// moves past the lead byte and the continuation bytes that followed it.
uint32_t lisCaractereUtf8(const char*& p, const char* fin);

struct GlyphePolice {
    uint32_t code;
    int x, y, largeur, hauteur, decalageX, decalageY, avance;
};
// A font description as read, before its sheet is opened.
struct DescriptionPolice {
    std::string planche;
    int hauteurLigne = 0, base = 0;
    std::vector<GlyphePolice> glyphes; // in file order; bad codes left out
};
// Reads `fichier` with the font's rules (sizes and offsets brought within
// their ranges); a value out of range is said. False, with one message, when
// the file is missing or its glyph count is refused.
bool litDescriptionPolice(const char* fichier, DescriptionPolice& police);

class CTexte {
public:
    // Most glyphs a font may describe.
    static const int NB_GLYPHES_MAX = schemaPolice::NbGlyphesMax;
    // Offsets, advances and line metrics are kept within +-DECALAGE_MAX.
    static const int DECALAGE_MAX = schemaPolice::DecalageMax;

    CTexte();
    CTexte(const CTexte&) = delete;
    CTexte& operator=(const CTexte&) = delete;

    // Reads the description and its sheet, dropping what was loaded
    // before. 0 on success, 1 on failure (the font is then empty).
    int charge(const char* fichier);
    bool chargee() const { return !glyphes.empty(); }

    // First line's top-left corner at (x, y).
    void affiche(int x, int y, const std::string& utf8);
    // Each line centred on xCentre.
    void afficheCentre(int xCentre, int y, const std::string& utf8);
    // Width in pixels of the widest line: the sum of its advances.
    int largeur(const std::string& utf8) const;

    int getHauteurLigne() const { return hauteurLigne; }
    int getBase() const { return base; }

    // Opacity and colour factors of the next drawings (the outline stays dark).
    void setAlphaBlending(unsigned char a) { planche.setAlphaBlending(a); }
    void setBrightness(unsigned char r, unsigned char g, unsigned char b) { planche.setBrightness(r, g, b); }

private:
    using Glyphe = GlyphePolice;
    const Glyphe* glyphe(uint32_t code) const;
    // Width of the line starting at p, which is moved past its '\n'.
    long long largeurLigne(const char*& p, const char* fin) const;
    void afficheLigne(long long x, long long y, const char*& p, const char* fin);
    void vide();

    CImageGL planche;
    std::vector<Glyphe> glyphes; // sorted by code, without duplicates
    int hauteurLigne;
    int base;
};

#endif
