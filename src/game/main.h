#ifndef CORVANTHELIS_GAME_MAIN_H
#define CORVANTHELIS_GAME_MAIN_H

#include "foundation/Temps.h"

#include <cstdint>

// The game and its secondary entry functions.
//
// mainVorna is the game; SDL_main calls it (with the command line's
// options, game/OptionsJeu.h). It creates the configuration,
// opens the display, plays the intro to its music, then the title screen and
// the journey of levels under keyboard control until Escape or a window
// close, and releases everything it
// created, `config` last. SIGINT, SIGTERM or SIGHUP end the intro and the
// game alike. Returns the process status: 0, or 1 when no display
// could be opened.
//
// The other entry functions are started by the small programs under tools/:
// - mainCorvanthelis: the second data set's level ("./dataqv/..."), scrolled
//   with the arrows. Creates the configuration and the display like
//   mainVorna and returns the same statuses.
//   (The level editor's entry functions are in editeur/Editeur.h.)
// - vornaGameOver, playIntro: play a numbered series of pictures; they need
//   `config` and an open display.
// - viewMode: one named animation (first 20 bytes of "viewinfos.vwe") of a
//   converted sprite (`fichier`, "viewanims.spr" when null) in an 800x600
//   window, opened like every mode's (creating `config` when there is none,
//   never full screen). 0, or 1 when the window could not be opened.
// - testSprite, testZoom, testImg: a sprite, a zooming and turning picture,
//   two blended pictures; they need `config` and an open display. Their file
//   names are fixed and contain backslashes ("c:\ficresult.tst",
//   "c:\data\vorna\TEST.JPG", "c:\data\vorna\TEST2.JPG"): on Linux these are
//   plain names in the working folder.

struct OptionsJeu;
int mainVorna();
// The same game with the command line's options (game/OptionsJeu.h): another
// level, a start position without the intro, restarts at that position.
// Without either, the intro leads to the title screen and the journey
// (game/Titre.h, game/Parcours.h); `editeur` (null: none) is the level
// editor the title offers, run inside the open display with the game's
// sound manager.
class GestionnaireSon;
using LanceurEditeur = int (*)(const char* fichierNiveau, GestionnaireSon* son);
int mainVorna(const OptionsJeu& options, LanceurEditeur editeur = nullptr);

int mainCorvanthelis();

class CLevel;
// One frame of the level viewer: the arrows held in `clavier` (SDL's key
// state) scroll `niveau` by the time since the previous frame, Left winning
// over Right, then the level is drawn. Whether to scroll is decided afresh
// each frame, but the direction carries over, so a fast plane keeps the part
// step it has already shown when the arrow is released.
class CDefilementVue {
public:
    explicit CDefilementVue(uint32_t maintenant) : chrono(maintenant), sensDefilement(false) {}
    void etape(CLevel& niveau, const unsigned char* clavier);

private:
    CChronoImage chrono;
    bool sensDefilement;
};

void vornaGameOver();
void playIntro(int nbImages, int delai, const char* debut, const char* fin);

// The animation name held in the first 20 bytes of `fichier` (the viewer's
// "viewinfos.vwe"). False when the file is missing, shorter, or has no NUL
// within them.
bool lisNomAnimationVue(const char* fichier, char nom[20]);
int viewMode(const char* fichier = nullptr);
void testSprite();
void testZoom();
void testImg();

#endif
