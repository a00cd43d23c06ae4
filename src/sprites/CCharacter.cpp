#include "sprites/CCharacter.h"

#include "foundation/Temps.h"

void CCharacter::update()
{
    // One elapsed time for all four tests, so opposing delays that both
    // expire cancel out. Every whole delay that has passed is a step, and the
    // clock keeps what the fastest moving direction has not used, so the
    // pace does not depend on how often this is called.
    int32_t ecoule = static_cast<int32_t>(tempsCourant() - tempsDernierPas);
    int64_t utilise = -1;
    auto pas = [&](int32_t delai, int32_t& coordonnee, int32_t sens) {
        if (ecoule < delai)
            return;
        int64_t n = delai > 0 ? ecoule / delai : 1;
        int64_t c = coordonnee + sens * n;
        coordonnee = static_cast<int32_t>(c > INT32_MAX ? INT32_MAX : (c < INT32_MIN ? INT32_MIN : c));
        int64_t u = delai > 0 ? n * delai : ecoule;
        if (u > utilise)
            utilise = u;
    };
    pas(delaiGauche, x, -1);
    pas(delaiDroite, x, +1);
    pas(delaiHaut, y, -1);
    pas(delaiBas, y, +1);
    if (utilise >= 0)
        tempsDernierPas += static_cast<uint32_t>(utilise);
}

void CCharacter::affiche()
{
    if (sprite)
        sprite->affiche();
}
