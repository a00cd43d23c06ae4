// Editor: an empty window with the mouse cursor; F1 is the editing hook,
// Escape or closing the window quits.
#include "game/FichiersJeu.h"
#include "game/main.h"
#include "shell/DossierDepart.h"

int main()
{
    choisitDossierJeu(fichiersJeu::Niveau);
    return mainEdit();
}
