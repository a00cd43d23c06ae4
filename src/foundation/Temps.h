#ifndef CORVANTHELIS_FOUNDATION_TEMPS_H
#define CORVANTHELIS_FOUNDATION_TEMPS_H

// The one door to the millisecond clock. Everything that times itself
// (animations, the level scroll, the hero, the intro pauses) reads the clock
// and waits through these functions, so tests can replace the clock with a
// fake one and move time by hand instead of sleeping.

#include <cstdint>

// Milliseconds since SDL started, or the fake clock's value when one is set.
uint32_t tempsCourant();

// Waits ms milliseconds; with a fake clock, advances it instead of sleeping.
void attendre(uint32_t ms);

// Switches to a fake clock that reads `ms` until moved again.
void fixeTempsFactice(uint32_t ms);
void avanceTempsFactice(uint32_t ms);
// Back to the real clock.
void retireTempsFactice();

#endif
