// The night sky and the moon, shared by the level, the viewer's level and
// the intro paintings.

#ifndef GENDATA_CIEL_H
#define GENDATA_CIEL_H

#include "Toile.h"

namespace gendata {

// Sky colour at height y of a 360-pixel-high sky (0 = top).
Couleur couleurCiel(float y);
// Paints the sky (gradient, faint veil, stars, moon glow centred on
// (luneX, luneY)) at scale e into a picture of 640x360 final pixels.
CToile peintCiel(int e, float luneX, float luneY, uint32_t graine);
// The moon disc, `rayon` final pixels, at scale e, centred in a square of
// `cote` final pixels.
CToile peintLune(int e, int cote, float rayon);

}

#endif
