#ifndef CORVANTHELIS_GAME_INTRO_H
#define CORVANTHELIS_GAME_INTRO_H

// The intro: logos spinning into the corners, fading credits, a falling
// caption with a trail, the title zooming in and two cross-fades.
//
// The script is a table computed by imageIntro(phase, k): what frame k of a
// phase draws (picture, place, opacity, zoom, turn), how long it pauses, and
// whether it first asks QuitIntro. introVorna plays that table; it needs
// `config` and an open display (initSDL, initGL), owns its pictures only for
// its own run, and releases each after its last use, or all of them when a
// quit request cuts it short. Pauses go through attendre(), frames through
// presenteImage().
//
// QuitIntro is also the event pump of the picture-series player: it drains
// the event queue, answers 1 on Escape, a window close or an end asked by a
// signal (leaving later events queued), and hands resizes and Alt+Enter to
// the display.
//
// Pauses are kept on the clock: each frame is due a pause after the one
// before, whatever drawing and loading took, so the intro lasts as long at
// any frame rate.

#include <cstdint>

enum ImageIntro {
    ImThanks,
    ImLogoQuarvelin,
    ImLogoSDL,
    ImLogoGL,
    ImLogoVask,
    ImCredit1,
    ImCredit2,
    ImCredit3,
    ImCredit4,
    ImPresents,
    ImPeinture1,
    ImPeinture2,
    ImTitre,
    NbImagesIntro
};

enum PhaseIntro {
    PhaseLogo1, // publisher, SDL, OpenGL, group logos in turn
    PhaseLogo2,
    PhaseLogo3,
    PhaseLogo4,
    PhaseMaintienLogos,
    PhaseCredit1,
    PhaseCredit2,
    PhaseCredit3,
    PhaseCredit4,
    PhasePauseCredits,
    PhasePresents,
    PhaseZoomTitre,
    PhaseFonduTitre,
    PhaseFonduPeintures,
    PhaseAttenteFinale,
    NbPhasesIntro
};

struct DessinIntro {
    int image; // ImageIntro
    int x;
    int y;
    int alpha;       // 0..255
    int zoom;        // percent
    double rotation; // degrees
};

struct ImageIntroCalculee {
    bool verifieQuitter; // ask QuitIntro before the frame
    bool dessine;        // clear, draw and present (else only pause)
    int nbDessins;
    DessinIntro dessins[5];
    int pause;           // ms after the frame
};

// File of each intro picture and its colour key (red -1: none).
const char* fichierImageIntro(int image);
bool cleNoireImageIntro(int image);

int nbImagesPhase(int phase);
ImageIntroCalculee imageIntro(int phase, int k);

// Logo phase formulas for the step i (0 to 360 by 2).
int zoomLogo(int i);
int pauseLogo(int i);
// signe * demi * i / 360, truncated towards zero.
int positionLogo(int signe, int demi, int i);

// The hint "Appuyez sur une touche pour passer" fades in from DelaiIndice
// ms into the intro: its opacity then, 0 to 200.
const uint32_t DelaiIndice = 3000;
int opaciteIndice(uint32_t ecoule);

// 1 when a quit request (a close, Escape) or a skip (any other key press but
// a modifier alone, a mouse click, a pad button) was found, 0 once the
// queue is empty.
int QuitIntro();

// Moves `echeance` (ms) on by `pause` and waits until the clock reaches it;
// more than a second behind, the schedule restarts from now. Returns early
// when a signal asks to end.
void attendEcheance(uint32_t& echeance, int pause);

// 1 when a quit request ended it, 0 when it ran to its end.
int introVorna();

#endif
