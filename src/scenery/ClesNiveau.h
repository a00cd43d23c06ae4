#ifndef CORVANTHELIS_SCENERY_CLESNIVEAU_H
#define CORVANTHELIS_SCENERY_CLESNIVEAU_H

// The section and key names of level and plane files, in one place for the
// reader, the data checker and the content generator. Numbered sections are
// printf formats: "Plan%d", "Tile%d", "Tile%dFrame%d", "Tile%dPosition%d".

namespace clesNiveau {

constexpr const char* Entete = "Entete";

// Level file: [Entete], then [Plan n] for n = 1 .. nombrePlans.
constexpr const char* NombrePriorites = "nombrePriorites";
constexpr const char* NombrePlans = "nombrePlans";
constexpr const char* SectionPlan = "Plan%d";
constexpr const char* PathPlan = "pathPlan";
constexpr const char* Priorite = "priorite";
constexpr const char* RepeatX = "repeatX";
constexpr const char* RepeatY = "repeatY";
constexpr const char* PositionEcranX = "positionEcranX";
constexpr const char* PositionEcranY = "positionEcranY";
constexpr const char* ScrollRatio = "scrollRatio";

// Level file, optional: actors and the finish line, in the coordinates of a
// ratio-100 plane. [Acteur n] for n = 1 .. nombreActeurs; its other keys
// override the type's [Comportement] for that actor.
constexpr const char* NombreActeurs = "nombreActeurs";
constexpr const char* ArriveeX = "arriveeX";
constexpr const char* SectionActeur = "Acteur%d";
constexpr const char* TypeActeur = "type";

// Level file, optional: the level's own sky, moon (its top-left on screen)
// and music; without them, the first level's.
constexpr const char* PathCiel = "pathCiel";
constexpr const char* PathLune = "pathLune";
constexpr const char* PositionLuneX = "positionLuneX";
constexpr const char* PositionLuneY = "positionLuneY";
constexpr const char* PathMusique = "pathMusique";

// Plane file: [Entete], [Tile t], [Tile t Frame m], [Tile t Position j].
constexpr const char* NombreTiles = "nombreTiles";
constexpr const char* SectionTile = "Tile%d";
constexpr const char* NbPositions = "nbPositions";
constexpr const char* NbFrames = "nbFrames";
constexpr const char* PathPlanche = "pathPlanche";
constexpr const char* ColorkeyR = "colorkeyR";
constexpr const char* ColorkeyG = "colorkeyG";
constexpr const char* ColorkeyB = "colorkeyB";
constexpr const char* SectionFrame = "Tile%dFrame%d";
constexpr const char* ValeurAlpha = "valeurAlpha";
// Optional: ms the frame shows before the next one; 0 (the default) keeps
// a tile on its first frame in the level.
constexpr const char* PauseFrame = "pause";
// Pauses above this (one minute) are refused by the checker.
const int PauseFrameMax = 60000;
constexpr const char* SectionPosition = "Tile%dPosition%d";
constexpr const char* PositionX = "positionX";
constexpr const char* PositionY = "positionY";

}

#endif
