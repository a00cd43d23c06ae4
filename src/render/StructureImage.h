#ifndef CORVANTHELIS_RENDER_STRUCTUREIMAGE_H
#define CORVANTHELIS_RENDER_STRUCTUREIMAGE_H

// Whole-file checks for XPM pictures, whose decoder trusts what the file
// says: it crashes on a pixel missing from the colour table. A file these
// checks pass keeps every such read inside the file. Pure byte reading: no
// SDL, no display.

#include <cstddef>

// Width, height, colours and characters a pixel from an XPM file's first
// string; false when it holds no four such numbers.
bool valeursXPM(const unsigned char* donnees, std::size_t taille, long long valeurs[4]);

// True when every pixel row of an XPM file has exactly its width of pixels
// and names only colours of its table.
bool xpmComplet(const unsigned char* donnees, std::size_t taille);

#endif
