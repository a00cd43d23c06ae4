// Level viewer: scrolls the level of "./dataqv/levels/level1.ini" with the
// arrow keys; Escape or closing the window quits.
#include "foundation/DossierDepart.h"
#include "game/FichiersJeu.h"
#include "game/main.h"

#include <cstdio>

int main()
{
    choisitDossierJeu(fichiersJeu::NiveauVisionneuse);
    int statut = mainCorvanthelis();
    fflush(stdout);
    return statut;
}
