// Level editor: `editor [niveau.ini]`, the game's level by default. The
// working folder is chosen from the game's level, so data/ is found.
#include "editeur/Editeur.h"
#include "foundation/DossierDepart.h"
#include "foundation/DossiersJoueur.h"
#include "game/FichiersJeu.h"

int main(int argc, char** argv)
{
    choisitDossierJeu(fichiersJeu::Niveau);
    if (argc > 1)
        return mainEditNiveau(cheminNiveauDonne(argv[1]).c_str());
    return mainEdit();
}
