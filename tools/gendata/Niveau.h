// What the level's two source files share: Niveau.cpp paints the sky and
// the far and near planes and writes the level file, NiveauSol.cpp the
// ground plane the hero walks on.

#ifndef GENDATA_NIVEAU_H
#define GENDATA_NIVEAU_H

#include "Toile.h"

#include <string>

namespace gendata {
namespace niveau {

const std::string kDossier = "./data/levels/level1/";
constexpr int kSol = 390;            // screen line of the hero's feet
constexpr int kHautTuileSol = 370;   // top of the ground tiles
const Couleur kLumiere = rvb(170, 190, 230);

// <kDossier>sol.png and sol.ini.
void ecritSol();

}
}

#endif
