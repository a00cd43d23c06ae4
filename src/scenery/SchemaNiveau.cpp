#include "scenery/SchemaNiveau.h"

namespace schemaNiveau {

const std::vector<DefCle> enteteNiveau = {NombrePriorites, NombrePlans,   NombreActeurs, ArriveeX, PathCiel,
                                         PathLune,        PositionLuneX, PositionLuneY, PathMusique};
const std::vector<DefCle> planNiveau = {PathPlan, Priorite, RepeatX, RepeatY, PositionEcranX, PositionEcranY,
                                        ScrollRatio};
const std::vector<DefCle> acteurNiveau = {TypeActeur, ActeurX, ActeurY};
const std::vector<DefCle> entetePlan = {NombreTiles};
const std::vector<DefCle> tile = {NbPositions, NbFrames, PathPlanche, ColorkeyR, ColorkeyG, ColorkeyB};
const std::vector<DefCle> frameTile = {RectX, RectY, RectLongueur, RectHauteur, ValeurAlpha, PauseTile};
const std::vector<DefCle> positionTile = {PlaceX, PlaceY};

}
