#ifndef CORVANTHELIS_GAME_SCHEMAPARCOURS_H
#define CORVANTHELIS_GAME_SCHEMAPARCOURS_H

// Every key of the journey (data/parcours.ini: the levels in the order they
// are played, each with the name the title screen shows) and of the
// player's records (records.ini in the working folder, beside config.ini):
// name, type, default, range and buffer, for the game's readers, the data
// checker and the content generator.
//
// Header only: the content generator may use it without linking the engine.

#include "foundation/Schema.h"

#include <vector>

namespace schemaParcours {

constexpr int TE = TAILLE_LIGNE_ENTIER;
constexpr int NiveauxMax = 100;

const char* const Fichier = "./data/parcours.ini";
const char* const SectionEntete = "Entete";
// [Niveau n], n from 1 to nombreNiveaux.
const char* const PrefixeNiveau = "Niveau";

// [Entete]
constexpr DefCle NombreNiveaux{"nombreNiveaux", Entier, 0, 0, NiveauxMax, TE};
// [Niveau n]; a missing name is the level file's own.
constexpr DefCle FichierNiveau{"fichier", Texte, 0, 0, 0, 100};
constexpr DefCle Nom{"nom", Texte, 0, 0, 0, 64, true};

inline const std::vector<DefCle> entete = {NombreNiveaux};
inline const std::vector<DefCle> niveau = {FichierNiveau, Nom};

// records.ini: [Entete] version and nombreNiveaux, then [Niveau n] per level
// ever finished or tried, keyed by its file.
namespace records {
const char* const Fichier = "records.ini";
const int VersionCourante = 1;
// A best time above a day is no time anyone played.
const long TempsMax = 24L * 3600 * 1000;
const long CompteMax = 100000;
constexpr DefCle Version{"version", Entier, 1, 1, VersionCourante, TE};
constexpr DefCle NombreNiveaux{"nombreNiveaux", Entier, 0, 0, NiveauxMax, TE};
constexpr DefCle FichierNiveau{"fichier", Texte, 0, 0, 0, 100};
constexpr DefCle Termine{"termine", Booleen, 0, 0, 1, TE};
constexpr DefCle Temps{"temps", Entier, 0, 0, TempsMax, TE};
constexpr DefCle Lueurs{"lueurs", Entier, 0, 0, CompteMax, TE};
constexpr DefCle Creatures{"creatures", Entier, 0, 0, CompteMax, TE};

inline const std::vector<DefCle> entete = {Version, NombreNiveaux};
inline const std::vector<DefCle> niveau = {FichierNiveau, Termine, Temps, Lueurs, Creatures};
}

}

#endif
