#include "sprites/CCharacter.h"

#include "foundation/Temps.h"

void CCharacter::update()
{
    // One elapsed time for all four tests, so opposing delays that both
    // expire cancel out while still restarting the clock.
    int32_t ecoule = static_cast<int32_t>(tempsCourant() - tempsDernierPas);
    if (ecoule >= delaiGauche) {
        x -= 1;
        tempsDernierPas = tempsCourant();
    }
    if (ecoule >= delaiDroite) {
        x += 1;
        tempsDernierPas = tempsCourant();
    }
    if (ecoule >= delaiHaut) {
        y -= 1;
        tempsDernierPas = tempsCourant();
    }
    if (ecoule >= delaiBas) {
        y += 1;
        tempsDernierPas = tempsCourant();
    }
}

void CCharacter::affiche()
{
    if (sprite)
        sprite->affiche();
}
