#ifndef CORVANTHELIS_FOUNDATION_DOSSIERSJOUEUR_H
#define CORVANTHELIS_FOUNDATION_DOSSIERSJOUEUR_H

// Where the game writes the player's files. A game played from its own
// folder (a build, an unpacked copy) writes everything there, as it always
// has: config.ini, records.ini, captures/, the editor's autosaves. An
// installed game's content folder belongs to the system: it cannot be
// written, or is the package's (…/share/games/corvanthelis, which root could
// write but must not). Then the player's files go to their own folders:
//   settings (config.ini, records.ini): $XDG_CONFIG_HOME/corvanthelis,
//     by default ~/.config/corvanthelis, created 0700 (they are private);
//   data (captures/, autosaves/): $XDG_DATA_HOME/corvanthelis,
//     by default ~/.local/share/corvanthelis, created 0700 too.
// A relative or empty XDG variable is ignored, as the XDG rules ask.
// Folders are made only when something is written: the first start
// creates and copies nothing.
//
// An author's levels in an installed game: the content's relative names
// ("./data/levels/mien.ini", its planes, pictures, music, the journey
// data/parcours.ini) are written to the same names under the data folder,
// ~/.local/share/corvanthelis/data/..., and read from there first, then
// from the installed content. Local, every name is the working folder's.
//
// The choice is made once per run, on the working folder at the first
// call: call choisitDossierJeu (foundation/DossierDepart.h) first.

#include <string>
#include <vector>

class CDocumentProfil;

struct DossiersJoueur {
    bool locaux = true;     // everything in the working folder
    std::string reglages;   // settings folder when not locaux
    std::string donnees;    // data folder when not locaux
};

// The choice for a content folder that can (or cannot) be written, given
// the environment's values (null when unset). No home and no absolute XDG
// variable leaves the files in the working folder.
DossiersJoueur choisitDossiersJoueur(bool contenuInscriptible, const char* xdgConfig, const char* xdgData,
                                     const char* home);

// Whether the game may write into `dossier`: it can be written (for root,
// only a read-only file system says no) and is not an installed content
// folder.
bool contenuInscriptible(const std::string& dossier);

// This run's choice, made at the first call from the working folder and
// the environment.
const DossiersJoueur& dossiersJoueur();
// Forgets it, so that the next call chooses again (tests).
void oublieDossiersJoueur();

// The file a settings file is written to: `nom` itself when local, else in
// the settings folder, which is created: call it only to write.
std::string fichierReglages(const char* nom);
// The file it is read from: the player's own copy when there is one, else
// `nom` in the working folder (the installed default). Creates nothing.
// records.ini, which has no installed default, is read through this one
// (nothing there: no records yet) and written through fichierReglages.
std::string fichierReglagesLu(const char* nom);
// Loads the settings file `nom` to be changed and saved: the player's copy,
// or the installed default's text, to be saved as the player's copy.
// False as CDocumentProfil::charge.
bool chargeReglages(CDocumentProfil& document, const char* nom);

// "." when local, else the data folder, which is created.
std::string dossierDonneesJoueur();
// `relatif` ("captures", "autosaves/...") as it is when local, else under
// the data folder. Creates nothing below the data folder.
std::string cheminDonneesJoueur(const std::string& relatif);

// The file the game reads for the content name `nom`: the author's copy
// when there is one, else `nom`. Local, absolute and names outside data/
// are `nom` itself. Creates nothing; safe from any thread.
std::string cheminContenuLu(const std::string& nom);
// Where the editor writes `nom`: the author's copy when not local, else
// `nom`. Creates nothing (see creeDossierContenu).
std::string cheminContenuEcrit(const std::string& nom);
// Both for a given data folder ("" when local), for tests.
std::string cheminContenuLu(const std::string& nom, const std::string& donnees);
std::string cheminContenuEcrit(const std::string& nom, const std::string& donnees);
// Makes the folder of `fichier`, a path from cheminContenuEcrit, 0700 when
// it lies in the player's data folder, as the other player's folders;
// nothing otherwise. False, with one line on standard error, on failure.
bool creeDossierContenu(const std::string& fichier);
// The regular files under the content folder `dossier` ("data/levels"),
// named "./data/levels/...", sorted: the installed ones and the author's,
// each name once; `recursif` false keeps only those right in `dossier`.
std::vector<std::string> fichiersContenu(const std::string& dossier, bool recursif = true);
// Those of the author alone (empty when local).
std::vector<std::string> fichiersAuteur(const std::string& dossier, bool recursif = true);
// A level named on the command line: as cheminDepuisDepart (relative to
// the folder the program was started in), unless it is missing there and
// names the content ("data/levels/mien.ini") of an installed game: then the
// content name, the author's level or the installed one.
std::string cheminNiveauDonne(const char* donne);
// Loads the content file `nom` to be edited: the text read as the game
// reads it, saved to cheminContenuEcrit(nom). False as CDocumentProfil::charge.
bool chargeContenu(CDocumentProfil& document, const std::string& nom);

// Makes `dossier` and its missing parents with `mode`. False, errno set,
// when one cannot be made.
bool creeDossiers(const std::string& dossier, unsigned mode);

#endif
