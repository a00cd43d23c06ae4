#include "sprites/CCharacter.h"

#include "foundation/Temps.h"

void CCharacter::update()
{
    // One elapsed time for all four tests, so opposing delays that both
    // expire cancel out while still restarting the clock.
    int32_t ecoule = static_cast<int32_t>(tempsCourant() - tempsDernierPas);
    auto pas = [&](int32_t delai, int32_t& coordonnee, int32_t sens) {
        if (ecoule >= delai) {
            coordonnee += sens;
            tempsDernierPas = tempsCourant();
        }
    };
    pas(delaiGauche, x, -1);
    pas(delaiDroite, x, +1);
    pas(delaiHaut, y, -1);
    pas(delaiBas, y, +1);
}

void CCharacter::affiche()
{
    if (sprite)
        sprite->affiche();
}
