// The creatures, the lights and the shrine's flame: each painted in the
// hero's manner (dark outline, moonlit rim, drawn 4x and reduced), written as
// a sheet, a sprite description and an actor type file, plus the
// heads-up display pictures.

#ifndef GENDATA_CREATURES_H
#define GENDATA_CREATURES_H

#include "Toile.h"

namespace gendata {

// Shared by the painters.
extern const Couleur kContourCreature;   // the hero's outline colour
constexpr float kTraitCreature = 1.3f;   // outline width, final pixels
// A soft round glow added over the picture (hi-res coordinates).
// `durete` shapes the fall-off: higher is tighter around the centre.
void lueurRonde(CToile& t, float cx, float cy, float rayon, const Couleur& c, float force, float durete = 2.2f);
// The moon's rim light and the reduction to final pixels.
CToile termine(CToile& t);
// Fades a finished picture (for death frames).
CToile estompe(CToile t, float opacite);

// What a frame shows; `t` runs over the animation (0..1, or the cycle's
// phase).
enum EtatCreature { Immobile, EnMarche, EnAttaque, Touche, Mourant };
constexpr int kLoupLargeur = 140, kLoupHauteur = 92;   // feet on the bottom row
constexpr int kSourisLargeur = 72, kSourisHauteur = 64; // perched by the top centre
CToile peintLoup(EtatCreature e, float t);
CToile peintChauveSouris(EtatCreature e, float t);

}

#endif
