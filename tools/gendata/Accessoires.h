// Props standing on the ground plane: each is painted once, hi-res, with
// its foot at the bottom centre of its picture, then reduced.

#ifndef GENDATA_ACCESSOIRES_H
#define GENDATA_ACCESSOIRES_H

#include "Toile.h"

#include <string>

namespace gendata {

// Names: chene, sapin, arbreMort, buisson, rocher, rocherGrand, barriere,
// panneau, lanterne, halo, maison, puits, tombe, croix, arche, menhir,
// sanctuaire, pilier. The picture's bottom row lies `enfoncement` pixels
// below the ground line.
CToile peintAccessoire(const std::string& nom);
constexpr int enfoncement = 4;

}

#endif
