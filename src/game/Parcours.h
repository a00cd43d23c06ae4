#ifndef CORVANTHELIS_GAME_PARCOURS_H
#define CORVANTHELIS_GAME_PARCOURS_H

// The journey: the levels in the order the game plays them, each with the
// name the title screen shows (game/SchemaParcours.h gives the file's keys).
// Reading needs no display. A game without a journey file plays the game's
// one level alone, as it always has.
//
// The choices that follow from the player's records are pure functions:
// which level "Jouer" plays (the first not yet finished, else the first)
// and which are open (the first always, any other once the one before it
// is finished).

#include "game/FichiersJeu.h"

#include <string>
#include <vector>

class CRecords;

struct NiveauParcours {
    std::string fichier;
    std::string nom;
};

struct Parcours {
    std::vector<NiveauParcours> niveaux;
    // False for the single level played without a journey file.
    bool lu = false;
};

// The name shown for a level file without `nom`: its file name without
// folder and extension ("./data/levels/marais.ini" gives "marais").
std::string nomParDefaut(const std::string& fichier);

// Reads `fichier`. A level whose file cannot be read is left out, with one
// line on standard error; with no file, or no level left, the journey is
// the game's level alone (`lu` false).
Parcours litParcours(const char* fichier);

// The level "Jouer" plays.
int niveauAJouer(const Parcours& parcours, const CRecords& records);
bool niveauOuvert(const Parcours& parcours, const CRecords& records, int indice);

#endif
