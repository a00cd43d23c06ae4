#ifndef CORVANTHELIS_EDITEUR_MISEENPAGE_H
#define CORVANTHELIS_EDITEUR_MISEENPAGE_H

// Layout arithmetic of the editor's panels, free of GL: long messages cut
// into lines that fit a width, and the part of a picture that actually
// shows, so that a cell can frame it.

#include "editeur/GeometrieEditeur.h"

#include <functional>
#include <string>
#include <vector>

namespace editeur {

// `texte` cut into lines no wider than `largeurMax` as `largeur` measures
// them: at spaces, or inside a word longer than a line (never inside a
// UTF-8 character). Lines after the first start with `retrait`. Nothing is
// dropped: the pieces hold every non-space character in order.
std::vector<std::string> coupeLignes(const std::string& texte, int largeurMax,
                                     const std::function<int(const std::string&)>& largeur,
                                     const std::string& retrait = "  ");

// The smallest rectangle holding every pixel whose alpha is above `seuil`,
// in a largeur x hauteur RGBA picture of `pas` bytes a row, and the
// strongest alpha in it. False (r left alone) when there is none.
bool cadreVisible(const unsigned char* rgba, int largeur, int hauteur, int pas, int seuil, Rect& r,
                  int* alphaMax = nullptr);

// The zoom (percent) that fits a l x h rectangle into a cote x cote cell:
// at most `zoomMax`, at least 1.
int zoomAjuste(int l, int h, int cote, int zoomMax);

}

#endif
