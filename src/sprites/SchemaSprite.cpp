#include "sprites/SchemaSprite.h"

namespace schemaSprite {

const std::vector<DefCle> entete = {NbAnims, ContactX, ContactY, ContactLargeur, ContactHauteur};
const std::vector<DefCle> anim = {NbFrames,      ColorkeyR, ColorkeyG,     ColorkeyB,     NomAnim,     PathPlanche,
                                  FrappeX,       FrappeY,   FrappeLargeur, FrappeHauteur, FrappeDebut, FrappeFin};
const std::vector<DefCle> frame = {RectX, RectY, RectLongueur, RectHauteur, Pause};

}
