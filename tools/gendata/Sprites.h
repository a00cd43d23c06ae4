// Writing a sprite: its frames packed into one sheet with the magenta
// colour key, and the description file the game's sprite reader opens.

#ifndef GENDATA_SPRITES_H
#define GENDATA_SPRITES_H

#include "Toile.h"

#include <string>
#include <utility>
#include <vector>

namespace gendata {

using ClesEnPlus = std::vector<std::pair<std::string, long>>;

struct AnimSprite {
    std::string nom;
    std::vector<CToile> images;   // final pixels
    std::vector<int> pauses;      // ms per frame
    ClesEnPlus cles;              // written in the animation's section
};

// Writes `feuille` (PNG) and `description`; `entete` goes into [Entete].
void ecritSprite(const std::string& feuille, const std::string& description, const std::vector<AnimSprite>& anims,
                 const ClesEnPlus& entete = {}, int largeurPlanche = 1024);

}

#endif
