// Editor: an empty window with the mouse cursor; F1 is the editing hook,
// Escape or closing the window quits.
#include "game/main.h"
#include "shell/DossierDepart.h"

int main()
{
    choisitDossierJeu();
    return mainEdit();
}
