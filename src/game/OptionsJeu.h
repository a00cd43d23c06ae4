#ifndef CORVANTHELIS_GAME_OPTIONSJEU_H
#define CORVANTHELIS_GAME_OPTIONSJEU_H

// The game's command line:
//   corvanthelis [--niveau FICHIER] [--position X]
//   corvanthelis --editeur [niveau.ini]
//   corvanthelis --version | --help
// --niveau plays that level file instead of the game's; --position starts
// the level at position X (the hero at X + 300 in ratio-100 coordinates),
// restarts it there after a death or the finish, and skips the intro.
// Without options the game plays exactly as it always has; words that are
// not options are ignored, as they always were.

#include <string>

struct OptionsJeu {
    std::string niveau;      // empty: the game's own level
    int position = -1;       // < 0: the level's usual start
    bool editeur = false;
    std::string niveauEditeur;  // empty: the editor's default
    bool version = false;       // print the version and stop
    bool aide = false;          // print the usage and stop

    bool positionDonnee() const { return position >= 0; }
};

// Reads argv[1..]. False, with one French line on standard error, on an
// unknown "--" option, a missing value, or a position that is not a whole
// number from 0 to the level's last position (PositionNiveauMax). Files are not looked at here.
// --version and --help stop the reading: what follows them is not looked at.
bool litOptionsJeu(int argc, char** argv, OptionsJeu& options);

// "corvanthelis <version>\n".
std::string texteVersion();
// The French usage text that --help prints.
std::string texteAide();

// Once the working folder is chosen: relative file names made relative to
// the folder the program was started in (foundation/DossierDepart.h), and the
// level checked to be a readable file. False, with one French line on
// standard error, when it is not.
bool resousOptionsJeu(OptionsJeu& options);

#endif
