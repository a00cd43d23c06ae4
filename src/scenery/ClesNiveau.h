#ifndef CORVANTHELIS_SCENERY_CLESNIVEAU_H
#define CORVANTHELIS_SCENERY_CLESNIVEAU_H

// The section and key names of level and plane files, in one place for the
// reader, the data checker and the content generator. Numbered sections are
// printf formats: "Plan%d", "Tile%d", "Tile%dFrame%d", "Tile%dPosition%d".

namespace clesNiveau {

const char* const Entete = "Entete";

// Level file: [Entete], then [Plan n] for n = 1 .. nombrePlans.
const char* const NombrePriorites = "nombrePriorites";
const char* const NombrePlans = "nombrePlans";
const char* const SectionPlan = "Plan%d";
const char* const PathPlan = "pathPlan";
const char* const Priorite = "priorite";
const char* const RepeatX = "repeatX";
const char* const RepeatY = "repeatY";
const char* const PositionEcranX = "positionEcranX";
const char* const PositionEcranY = "positionEcranY";
const char* const ScrollRatio = "scrollRatio";

// Level file, optional: actors and the finish line, in the coordinates of a
// ratio-100 plane. [Acteur n] for n = 1 .. nombreActeurs; its other keys
// override the type's [Comportement] for that actor.
const char* const NombreActeurs = "nombreActeurs";
const char* const ArriveeX = "arriveeX";
const char* const SectionActeur = "Acteur%d";
const char* const TypeActeur = "type";

// Plane file: [Entete], [Tile t], [Tile t Frame m], [Tile t Position j].
const char* const NombreTiles = "nombreTiles";
const char* const SectionTile = "Tile%d";
const char* const NbPositions = "nbPositions";
const char* const NbFrames = "nbFrames";
const char* const PathPlanche = "pathPlanche";
const char* const ColorkeyR = "colorkeyR";
const char* const ColorkeyG = "colorkeyG";
const char* const ColorkeyB = "colorkeyB";
const char* const SectionFrame = "Tile%dFrame%d";
const char* const ValeurAlpha = "valeurAlpha";
// Optional: ms the frame shows before the next one; 0 (the default) keeps
// a tile on its first frame in the level.
const char* const PauseFrame = "pause";
// Pauses above this (one minute) are refused by the checker.
const int PauseFrameMax = 60000;
const char* const SectionPosition = "Tile%dPosition%d";
const char* const PositionX = "positionX";
const char* const PositionY = "positionY";

}

#endif
