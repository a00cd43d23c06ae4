#ifndef CORVANTHELIS_FOUNDATION_DOSSIERDEPART_H
#define CORVANTHELIS_FOUNDATION_DOSSIERDEPART_H

// The folder the game runs in. The game and its tools name their files
// relative to the working folder ("./data/...", "config.ini"), so started
// from elsewhere they would find nothing. They call choisitDossierJeu first.

#include <string>

// When the working folder has no "data" folder but the program's own folder
// (that of /proc/self/exe) has one, makes the program's folder the working
// folder and returns true; else the same with the installed content,
// <program's folder>/../share/games/corvanthelis (the program installed in
// <prefix>/games). When none has one, says on standard error
// which folders were searched and how to start the game, and changes
// nothing; otherwise changes nothing either, but says so on standard error
// when `fichierVoulu` (a file the program needs, such as the game's level)
// is missing from the working folder and present in the program's.
bool choisitDossierJeu(const char* fichierVoulu = nullptr);

// A path given on the command line, as the user meant it: relative to the
// folder the program was started in. Unchanged unless choisitDossierJeu
// moved; then a relative path gets that folder in front. Null gives "".
std::string cheminDepuisDepart(const char* chemin);

// The folder of the running program (/proc/self/exe), "" when unknown.
std::string dossierProgramme();

#endif
