#ifndef CORVANTHELIS_SCENERY_SCHEMANIVEAU_H
#define CORVANTHELIS_SCENERY_SCHEMANIVEAU_H

// Every key of level and plane files: name, type, default, range and the
// buffer it is read through. The level and plane readers, the editor's
// model, the data checker and the content generator all take them from
// here. Each section kind also has its table, in file order, for the
// checker. Section names are in scenery/ClesNiveau.h.

#include "foundation/Schema.h"
#include "scenery/CBackground.h"
#include "scenery/CLevel.h"
#include "scenery/ClesNiveau.h"
#include "sprites/SchemaSprite.h"

#include <climits>
#include <vector>

// More actors than this in one level file are refused.
const int MAX_ACTEURS_NIVEAU = 10000;

namespace schemaNiveau {

constexpr int TE = TAILLE_LIGNE_ENTIER;

// The finish is reached by the hero's x (level position + 300), so it must
// lie between the level's first and last positions (4 and 14580).
constexpr long ArriveeMin = 304;
constexpr long ArriveeMax = 14880;
// Where an actor may stand: the level's width (last position + one screen)
// and a screen's height above and below it.
constexpr long ActeurXMax = 14580 + 640;
constexpr long ActeurYMin = -480;
constexpr long ActeurYMax = 960;

// Level file, [Entete].
constexpr DefCle NombrePriorites{clesNiveau::NombrePriorites, Entier, 0, 0, INT_MAX, TE};
constexpr DefCle NombrePlans{clesNiveau::NombrePlans, Entier, 0, 0, MAX_PLANS_NIVEAU, TE};
constexpr DefCle NombreActeurs{clesNiveau::NombreActeurs, Entier, 0, 0, MAX_ACTEURS_NIVEAU, TE, true};
constexpr DefCle ArriveeX{clesNiveau::ArriveeX, Entier, 0, ArriveeMin, ArriveeMax, TE, true};
// The level's look; the defaults are game/FichiersJeu.h's pictures and
// music, the moon anywhere from a screen off to the left or above to one
// off to the right or below.
constexpr DefCle PathCiel{clesNiveau::PathCiel, Texte, 0, 0, 0, 100, true};
constexpr DefCle PathLune{clesNiveau::PathLune, Texte, 0, 0, 0, 100, true};
constexpr DefCle PositionLuneX{clesNiveau::PositionLuneX, Entier, 500, -640, 1280, TE, true};
constexpr DefCle PositionLuneY{clesNiveau::PositionLuneY, Entier, 70, -480, 960, TE, true};
constexpr DefCle PathMusique{clesNiveau::PathMusique, Texte, 0, 0, 0, 100, true};

// Level file, [Plan n].
constexpr DefCle PathPlan{clesNiveau::PathPlan, Texte, 0, 0, 0, 100};
// Checked against nombrePriorites as well.
constexpr DefCle Priorite{clesNiveau::Priorite, Entier, 1, INT_MIN, INT_MAX, TE};
constexpr DefCle RepeatX{clesNiveau::RepeatX, Booleen, 0, 0, 1, TE};
constexpr DefCle RepeatY{clesNiveau::RepeatY, Booleen, 0, 0, 1, TE};
constexpr DefCle PositionEcranX{clesNiveau::PositionEcranX, Entier, 1, INT_MIN, INT_MAX, TE};
constexpr DefCle PositionEcranY{clesNiveau::PositionEcranY, Entier, 1, INT_MIN, INT_MAX, TE};
constexpr DefCle ScrollRatio{clesNiveau::ScrollRatio, Entier, 1, 0, 10000, TE};

// Level file, [Acteur n]: the type (made of a-z, 0-9 and _, shorter than
// 32) and where it stands; the behaviour's keys may follow
// (game/SchemaActeur.h).
constexpr DefCle TypeActeur{clesNiveau::TypeActeur, Texte, 0, 0, 0, 64};
constexpr DefCle ActeurX{clesNiveau::PositionX, Entier, 0, 0, ActeurXMax, TE};
constexpr DefCle ActeurY{clesNiveau::PositionY, Entier, 0, ActeurYMin, ActeurYMax, TE};

// Plane file, [Entete] and [Tile t].
constexpr DefCle NombreTiles{clesNiveau::NombreTiles, Entier, 0, 0, MAX_TILES_PLAN, TE};
constexpr DefCle NbPositions{clesNiveau::NbPositions, Entier, 0, 0, MAX_POSITIONS_PLAN, TE};
constexpr DefCle NbFrames{clesNiveau::NbFrames, Entier, 0, 0, MAX_FRAMES_TILE, TE};
constexpr DefCle PathPlanche{clesNiveau::PathPlanche, Texte, 0, 0, 0, 200};
constexpr DefCle ColorkeyR{clesNiveau::ColorkeyR, Entier, -1, -1, 255, TE};
constexpr DefCle ColorkeyG{clesNiveau::ColorkeyG, Entier, 0, 0, 255, TE};
constexpr DefCle ColorkeyB{clesNiveau::ColorkeyB, Entier, 0, 0, 255, TE};

// A frame's rectangle: schemaSprite::RectX, RectY, RectLongueur, RectHauteur.
using schemaSprite::RectHauteur;
using schemaSprite::RectLongueur;
using schemaSprite::RectX;
using schemaSprite::RectY;

// Plane file, [Tile t Frame m]: the rectangle, its opacity, and how long
// it shows in ms (optional; 0 keeps the tile on its first frame).
constexpr DefCle ValeurAlpha{clesNiveau::ValeurAlpha, Entier, 255, 0, 255, TE};
constexpr DefCle PauseTile{clesNiveau::PauseFrame, Entier, 0, 0, clesNiveau::PauseFrameMax, TE, true};

// Plane file, [Tile t Position j].
constexpr DefCle PlaceX{clesNiveau::PositionX, Entier, 0, INT_MIN, INT_MAX, TE};
constexpr DefCle PlaceY{clesNiveau::PositionY, Entier, 0, INT_MIN, INT_MAX, TE};

// The sections, key by key.
extern const std::vector<DefCle> enteteNiveau, planNiveau, acteurNiveau;
extern const std::vector<DefCle> entetePlan, tile, frameTile, positionTile;

}

#endif
