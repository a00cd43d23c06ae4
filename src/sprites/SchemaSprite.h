#ifndef CORVANTHELIS_SPRITES_SCHEMASPRITE_H
#define CORVANTHELIS_SPRITES_SCHEMASPRITE_H

// Every key of a sprite description: name, type, default, range and the
// buffer it is read through, for the sprite reader, the data checker and
// the content generator. Also the rectangle keys every frame of a sheet
// has, in sprites and plane tiles alike.

#include "foundation/Schema.h"

#include <climits>
#include <vector>

namespace schemaSprite {

constexpr int TE = TAILLE_LIGNE_ENTIER;
// Highest animation count (section names go up to Anim999).
constexpr int NbAnimsMax = 999;
// Highest frame count of one animation (the converted file's 16-bit count).
constexpr int NbFramesMax = 65535;
// Sizes and offsets of the body and hit rectangles beyond this are not a
// sprite's.
constexpr int CoteMax = 16384;

// A frame's rectangle in its sheet, stored in 16 bits; a size of 0 draws
// nothing.
constexpr DefCle RectX{"positionX", Entier, 0, -32768, 32767, TE};
constexpr DefCle RectY{"positionY", Entier, 0, -32768, 32767, TE};
constexpr DefCle RectLongueur{"longueur", Entier, 0, 1, 65535, TE};
constexpr DefCle RectHauteur{"hauteur", Entier, 0, 1, 65535, TE};

// [Entete]: the animation count, and the body rectangle (optional; the
// hero's), given inside the first frame facing right.
constexpr DefCle NbAnims{"nbAnims", Entier, 0, 0, NbAnimsMax, TE};
constexpr DefCle ContactX{"contactX", Entier, 0, -CoteMax, CoteMax, TE, true};
constexpr DefCle ContactY{"contactY", Entier, 0, -CoteMax, CoteMax, TE, true};
constexpr DefCle ContactLargeur{"contactLargeur", Entier, 0, 1, CoteMax, TE, true};
constexpr DefCle ContactHauteur{"contactHauteur", Entier, 0, 1, CoteMax, TE, true};

// [Anim n], and its strike (optional): the hurting rectangle on frames
// frappeDebut .. frappeFin.
constexpr DefCle NbFrames{"nbFrames", Entier, 0, 1, NbFramesMax, TE};
constexpr DefCle ColorkeyR{"colorkeyR", Entier, -1, -1, 255, TE};
constexpr DefCle ColorkeyG{"colorkeyG", Entier, 0, 0, 255, TE};
constexpr DefCle ColorkeyB{"colorkeyB", Entier, 0, 0, 255, TE};
constexpr DefCle NomAnim{"nomAnim", Texte, 0, 0, 0, 20};
constexpr DefCle PathPlanche{"pathPlanche", Texte, 0, 0, 0, 200};
constexpr DefCle FrappeX{"frappeX", Entier, 0, -CoteMax, CoteMax, TE, true};
constexpr DefCle FrappeY{"frappeY", Entier, 0, -CoteMax, CoteMax, TE, true};
constexpr DefCle FrappeLargeur{"frappeLargeur", Entier, 0, 1, CoteMax, TE, true};
constexpr DefCle FrappeHauteur{"frappeHauteur", Entier, 0, 1, CoteMax, TE, true};
constexpr DefCle FrappeDebut{"frappeDebut", Entier, 1, 1, NbFramesMax, TE, true};
constexpr DefCle FrappeFin{"frappeFin", Entier, NbFramesMax, 1, NbFramesMax, TE, true};

// [Anim n Frame m]: the rectangle, then how long it shows in ms.
constexpr DefCle Pause{"pause", Entier, 0, 1, INT_MAX, TE};

extern const std::vector<DefCle> entete, anim, frame;

}

#endif
