// Picture file writers (PNG, JPEG, GIF, BMP) and text drawing with
// FreeType. Each writer takes 8-bit pixels row by row from the top and
// stops the generator with a clear message when the file can't be written.

#ifndef GENDATA_FORMATS_H
#define GENDATA_FORMATS_H

#include "Toile.h"

#include <string>

namespace gendata {

// RGBA PNG. Transparent pixels take the colour `cle` (the colour key).
void ecritPng(const std::string& chemin, const CToile& t, const Couleur& cle = Couleur(0, 0, 0, 0));
// Opaque RGB PNG over black.
void ecritPngOpaque(const std::string& chemin, const CToile& t);
void ecritJpeg(const std::string& chemin, const CToile& t, int qualite);
// 24-bit BMP, transparent parts filled with `fond`.
void ecritBmp(const std::string& chemin, const CToile& t, const Couleur& fond);
// Palette GIF; pixels with alpha below one half use a transparent index.
void ecritGif(const std::string& chemin, const CToile& t);

// Text in one of the DejaVu fonts, drawn with FreeType's anti-aliasing.
enum class Police { Sans, SansGras, Serif, SerifGras };
struct MesureTexte { int longueur, montee, descente; };
MesureTexte mesureTexte(const std::string& utf8, Police p, int taille);
// Draws text with its baseline starting at (x, y); the nuanceur colours
// each covered pixel.
void ecritTexte(CToile& t, const std::string& utf8, Police p, int taille, float x, float y, const Nuanceur& n);
void ecritTexte(CToile& t, const std::string& utf8, Police p, int taille, float x, float y, const Couleur& c);
// Centred on x.
void ecritTexteCentre(CToile& t, const std::string& utf8, Police p, int taille, float x, float y, const Couleur& c);

}

#endif
