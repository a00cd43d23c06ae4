#include "game/SchemaActeur.h"

#include "game/Acteurs.h"
#include "game/ControleHeros.h"
#include "game/OutilsJeu.h"
#include "scenery/SchemaNiveau.h"

namespace schemaActeur {

const char* const comportements[NbComportements] = {"feu_follet", "loup",     "chauve_souris", "lueur",
                                                     "sanctuaire", "lanterne", "crapaud",       "rocher"};
const char* const rolesAnim[NbRolesAnim] = {"repos", "marche", "attaque", "blesse", "mort", "allume"};
const char* const rolesSon[NbRolesSon] = {"blesse", "mort", "attaque"};

const std::vector<DefCle> acteur = {Comportement, Sprite,    Sante,          Degats,
                                    ContactX,     ContactY, ContactLargeur, ContactHauteur};
const std::vector<DefCle> animations = {
    {rolesAnim[0], Texte, 0, 0, 0, TailleNom},       {rolesAnim[1], Texte, 0, 0, 0, TailleNom, true},
    {rolesAnim[2], Texte, 0, 0, 0, TailleNom, true}, {rolesAnim[3], Texte, 0, 0, 0, TailleNom, true},
    {rolesAnim[4], Texte, 0, 0, 0, TailleNom, true}, {rolesAnim[5], Texte, 0, 0, 0, TailleNom, true},
};
const std::vector<DefCle> sons = {{rolesSon[0], Texte, 0, 0, 0, TailleNom, true},
                                  {rolesSon[1], Texte, 0, 0, 0, TailleNom, true},
                                  {rolesSon[2], Texte, 0, 0, 0, TailleNom, true}};
const std::vector<DefCle> comportement = {Vitesse, VitesseAttaque, DistanceAlerte, Patrouille,
                                          Amplitude, Periode, Recul};
const std::vector<DefCle> enteteEffets = {NombreSons};
const std::vector<DefCle> son = {NomSon, FichierSon};

}

// The lists above and the game's enums and fields must go together.
static_assert(schemaActeur::NbRolesAnim == NbRolesAnim && schemaActeur::NbRolesSon == NbRolesSon,
              "one name per role");
static_assert(schemaActeur::NbComportements == Rocher + 1, "one name per behaviour");
static_assert(schemaActeur::NbParams == NB_PARAMS, "one key per behaviour number");
static_assert(sizeof(TypeActeur::anims[0]) == schemaActeur::TailleNom &&
                  sizeof(TypeActeur::sons[0]) == schemaActeur::TailleNom,
              "names read through their own buffer");
// The finish and the actors stand where the level's positions reach.
static_assert(schemaNiveau::ArriveeMin == PositionNiveauMin + CControleHeros::PositionX &&
                  schemaNiveau::ArriveeMax == PositionNiveauMax + CControleHeros::PositionX,
              "the finish lies within the level");
static_assert(schemaNiveau::ActeurXMax == PositionNiveauMax + 640, "actors stand within the level");
static_assert(ParamsComportement{}.vitesse == schemaActeur::Vitesse.defaut &&
                  ParamsComportement{}.vitesseAttaque == schemaActeur::VitesseAttaque.defaut &&
                  ParamsComportement{}.distanceAlerte == schemaActeur::DistanceAlerte.defaut &&
                  ParamsComportement{}.patrouille == schemaActeur::Patrouille.defaut &&
                  ParamsComportement{}.amplitude == schemaActeur::Amplitude.defaut &&
                  ParamsComportement{}.periode == schemaActeur::Periode.defaut &&
                  ParamsComportement{}.recul == schemaActeur::Recul.defaut,
              "a type without [Comportement] plays the listed defaults");
