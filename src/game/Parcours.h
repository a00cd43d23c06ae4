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
// is finished, an author's own level always).
//
// An installed game lists, after the journey, the levels the author made
// in the editor that the journey does not name (foundation/DossiersJoueur.h):
// each is played on its own, and counts for neither "Jouer" nor locks.

#include "game/FichiersJeu.h"

#include <string>
#include <vector>

class CRecords;

struct NiveauParcours {
    std::string fichier;
    std::string nom;
    bool auteur = false;  // the author's own, after the journey
};

// How an author's level is named on the title: "mien (votre niveau)".
const char* const SuffixeNiveauAuteur = " (votre niveau)";

struct Parcours {
    std::vector<NiveauParcours> niveaux;
    // False for the single level played without a journey file.
    bool lu = false;
};

// The name shown for a level file without `nom`: its file name without
// folder and extension ("./data/levels/marais.ini" gives "marais").
std::string nomParDefaut(const std::string& fichier);

// A level file as the journey would name it: "./data/levels/x.ini" and
// "data/levels/x.ini" are the same level; so is the absolute path of a
// file under the working folder.
std::string niveauNormalise(const std::string& chemin);

// Reads `fichier`. A level whose file cannot be read is left out, with one
// line on standard error; with no file, or no level left, the journey is
// the game's level alone (`lu` false).
Parcours litParcours(const char* fichier);
// Adds the author's levels the journey does not name, in name order (none
// when the game writes in its own folder).
void ajouteNiveauxAuteur(Parcours& parcours);

// The level "Jouer" plays.
int niveauAJouer(const Parcours& parcours, const CRecords& records);
bool niveauOuvert(const Parcours& parcours, const CRecords& records, int indice);

#endif
