#ifndef CORVANTHELIS_SPRITES_CONVERSIONSPRITE_H
#define CORVANTHELIS_SPRITES_CONVERSIONSPRITE_H

// The sprite data converter: a sprite data file (sheets and frame
// rectangles) in, a converted file (frames cut out, padded to power-of-two
// blocks) out. Both layouts are described in sprites/SpriteConverti.h.
// Needs no display: sheets are decoded into SDL surfaces, nothing reaches
// OpenGL.

// Converts a sprite data file into a converted file. 0 on success; 1 on
// failure, after the failure's message and "Fichier : <nom>" naming the file
// concerned, both on standard error. The result appears under the
// destination's name only once whole (foundation/FichierProvisoire.h), so a
// failure, an interruption or a killed process creates nothing and leaves
// an existing destination as it was. Frame rectangles are cut to their
// sheet's size before anything is made of them. The pause and the colour
// key of a frame are taken from the source only when its record carries
// the producer mark; otherwise the frame gets the default pause and no key.
int convertitSprite(const char* source, const char* destination);

#endif
