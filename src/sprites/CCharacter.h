#ifndef CORVANTHELIS_SPRITES_CCHARACTER_H
#define CORVANTHELIS_SPRITES_CCHARACTER_H

// An actor that moves by itself in one-pixel steps, each direction at its own
// pace, drawn through a sprite it does not own. Whoever creates it fills the
// fields; the defaults below keep every direction still. All directions share
// one step clock; every whole delay that passes is one step.

#include "sprites/CSprite.h"

#include <cstdint>

class CCharacter {
public:
    // Steps x and y from the clock.
    void update();
    // Draws the sprite at the sprite's own position (x and y are not passed).
    void affiche();

    CSprite* sprite = nullptr;      // not owned
    uint32_t tempsDernierPas = 0;   // ms, moment of the last step
    int32_t x = 0;
    int32_t y = 0;
    int32_t delaiGauche = INT32_MAX;  // ms after the last step before x -= 1
    int32_t delaiDroite = INT32_MAX;  // ... before x += 1
    int32_t delaiHaut = INT32_MAX;    // ... before y -= 1
    int32_t delaiBas = INT32_MAX;     // ... before y += 1
};

#endif
