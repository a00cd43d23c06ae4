// Picture file writers (PNG, JPEG, GIF, BMP) and text drawing with
// FreeType. Each writer takes 8-bit pixels row by row from the top and
// stops the generator with a clear message when the file can't be written.

#ifndef GENDATA_FORMATS_H
#define GENDATA_FORMATS_H

#include "Toile.h"

#include <cstdint>
#include <string>
#include <vector>

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

// One character as FreeType renders it at `taille` pixels: coverage rows
// from the top, its corner relative to the pen on the baseline (gauche to
// the right, haut upwards) and the pen's advance, in whole pixels.
struct GlypheRendu {
    bool present = false;   // the font has this character
    int longueur = 0, hauteur = 0, gauche = 0, haut = 0, avance = 0;
    std::vector<uint8_t> couverture;
};
GlypheRendu rendGlyphe(uint32_t code, Police p, int taille);
// Ascent above the baseline and distance between baselines, in pixels.
struct MetriquesPolice { int montee, interligne; };
MetriquesPolice metriquesPolice(Police p, int taille);

}

#endif
