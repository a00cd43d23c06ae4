#ifndef CORVANTHELIS_GAME_SCHEMAACTEUR_H
#define CORVANTHELIS_GAME_SCHEMAACTEUR_H

// Every key of an actor type file (data/acteurs/<type>.ini) and of the
// sound effects list (data/sons/effets.ini): name, type, default, range and
// buffer, with the behaviour and animation-role names, for the game's
// readers, the data checker and the content generator.
//
// The behaviour's numbers ([Comportement]) may also be given to one actor
// in its level section; there a value out of range is brought within it.

#include "foundation/Schema.h"

#include <vector>

namespace schemaActeur {

constexpr int TE = TAILLE_LIGNE_ENTIER;
// Above these, a value is a typing error rather than a creature.
constexpr int SanteMax = 1000;
constexpr int ParamMax = 100000;
constexpr int CoteMax = 4096;

// In the order of the Comportement enum (game/Acteurs.h).
constexpr int NbComportements = 8;
extern const char* const comportements[NbComportements];
// In the order of RoleAnim and RoleSon.
constexpr int NbRolesAnim = 6;
extern const char* const rolesAnim[NbRolesAnim];
constexpr int NbRolesSon = 3;
extern const char* const rolesSon[NbRolesSon];

// [Acteur]
constexpr DefCle Comportement{"comportement", Texte, 0, 0, 0, 200};
constexpr DefCle Sprite{"sprite", Texte, 0, 0, 0, 200};
constexpr DefCle Sante{"sante", Entier, 0, 0, SanteMax, TE};
constexpr DefCle Degats{"degats", Entier, 0, 0, SanteMax, TE};
constexpr DefCle ContactX{"contactX", Entier, 0, -CoteMax, CoteMax, TE};
constexpr DefCle ContactY{"contactY", Entier, 0, -CoteMax, CoteMax, TE};
constexpr DefCle ContactLargeur{"contactLargeur", Entier, 0, 1, CoteMax, TE};
constexpr DefCle ContactHauteur{"contactHauteur", Entier, 0, 1, CoteMax, TE};

// [Animations] (names in the sprite; repos is required) and [Sons]
// (effect names), one key per role, each read through a 20-byte buffer.
constexpr int TailleNom = 20;

// [Comportement], in the order of ParamsComportement's fields; the
// defaults are ParamsComportement's.
constexpr int NbParams = 7;
constexpr DefCle Vitesse{"vitesse", Entier, 60, 0, ParamMax, TE, true};
constexpr DefCle VitesseAttaque{"vitesseAttaque", Entier, 220, 0, ParamMax, TE, true};
constexpr DefCle DistanceAlerte{"distanceAlerte", Entier, 260, 0, ParamMax, TE, true};
constexpr DefCle Patrouille{"patrouille", Entier, 160, 0, ParamMax, TE, true};
constexpr DefCle Amplitude{"amplitude", Entier, 12, 0, ParamMax, TE, true};
constexpr DefCle Periode{"periode", Entier, 1800, 1, ParamMax, TE, true};
constexpr DefCle Recul{"recul", Entier, 400, 0, ParamMax, TE, true};

// The effects list: [Entete], then [Son n] for n = 1 .. nombreSons. A name
// is at most 19 characters.
constexpr int MaxEffets = 256;
constexpr int NomSonMax = 19;
constexpr DefCle NombreSons{"nombreSons", Entier, 0, 0, MaxEffets, TE};
constexpr DefCle NomSon{"nom", Texte, 0, 0, 0, 64};
constexpr DefCle FichierSon{"fichier", Texte, 0, 0, 0, 200};

extern const std::vector<DefCle> acteur, animations, sons, comportement;
extern const std::vector<DefCle> enteteEffets, son;

}

#endif
