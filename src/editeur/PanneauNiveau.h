#ifndef CORVANTHELIS_EDITEUR_PANNEAUNIVEAU_H
#define CORVANTHELIS_EDITEUR_PANNEAUNIVEAU_H

// The level panel (L): the level's sky, moon (picture and place) and music,
// chosen among the files under data/, and its place in the journey. Each
// change is one step of the model; choosing a default removes its key.
// Needs no display: the view draws what lignesNiveau() gives.

#include "editeur/ModeleNiveau.h"

#include <string>
#include <vector>

namespace editeur {

enum LigneNiveau { LigneCiel, LigneLune, LigneLuneX, LigneLuneY, LigneMusique, LigneParcours, NbLignesNiveau };

struct LigneAffichee {
    std::string nom, valeur;
    bool propre = false;  // the level's own value, not the default
};
std::vector<LigneAffichee> lignesNiveau(const CModeleNiveau& modele);

// Moves line `ligne` `pas` choices on (files cycle; the moon's place moves
// by 10 px a step). True when the model changed; `info` then says what
// was chosen, in words for the status line.
bool changeLigneNiveau(CModeleNiveau& modele, const std::vector<std::string>& images,
                       const std::vector<std::string>& musiques, int ligne, int pas, std::string& info);

}

#endif
