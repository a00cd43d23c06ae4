#include "render/SchemaPolice.h"

namespace schemaPolice {

const std::vector<DefCle> entete = {PathPlanche, HauteurLigne, Base, NombreGlyphes};
const std::vector<DefCle> glyphe = {Code, X, Y, Largeur, Hauteur, DecalageX, DecalageY, Avance};

}
