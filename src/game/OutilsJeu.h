#ifndef CORVANTHELIS_GAME_OUTILSJEU_H
#define CORVANTHELIS_GAME_OUTILSJEU_H

// Small pieces shared by the game's entry functions: opening the display,
// the event pump of the plain loops, the frame-rate report, the sky tints,
// the level's scroll limits, the names of numbered picture series, and the
// wrapper that lets the hero control drive a CSprite.

#include "game/ControleHeros.h"

#include <cstddef>
#include <cstdint>
#include <functional>

class CLevel;
class CSprite;

// The whole life of a program whose mode needs `config` and an open display
// but creates neither: opens them (CPorteeMoteur), runs `mode`, closes them.
// 0, or 1 when no display could be opened.
int lanceSurAffichage(const std::function<void()>& mode);

// The one event pump of every loop. Takes every pending event. True when a
// window close or an Escape press came, or an end was asked by a signal; the
// queue is emptied either way, unless ArretAuPremier stops the pump at the
// first close or Escape and leaves the events behind it queued (the intro
// hands them to what follows). Resizes and Alt+Enter go to the
// display; other key presses go to `surTouche` with their SDL key code.
// FinParEcran is for screens that give Escape and the close meanings of
// their own (the editor's): those go to the handler like any other event,
// and only the handler's answer (or a signal) ends the pump, at that event.
// The queue is read with SDL_PollEvent alone, which the browser's SDL also
// offers.
enum PompeEvenements { ViderFile, ArretAuPremier, FinParEcran };
bool prendEvenements(const std::function<void(int)>& surTouche = nullptr,
                     PompeEvenements mode = ViderFile);
// The same pump handing every other event (key presses but Escape, focus,
// mouse, joystick) to `surEvenement`, which returns true when the event
// ends the pump like a close (ArretAuPremier stops there too).
union SDL_Event;
bool prendEvenements(const std::function<bool(const SDL_Event&)>& surEvenement, PompeEvenements mode);

// Waits until an event is queued or `ms` milliseconds have passed: a loop
// that has nothing to animate (the pause, the editor) redraws only that
// often. The event that ends the wait is kept for the next pump.
void attendEvenement(uint32_t ms);

// One frame of a level: `ecoule` ms of its animations, and of scrolling
// towards greater x (versPlusX) or smaller when `defile`.
void avanceNiveau(CLevel& niveau, int ecoule, bool defile, bool versPlusX);

// Counts presented frames and prints "FPS : %i\n" on standard output once a
// second, while the journal is on: once more than 1000 ms have passed, or with `auMoinsUneSeconde`
// once 1000 ms or more have.
class CCompteurFPS {
public:
    explicit CCompteurFPS(bool auMoinsUneSeconde = false);
    // Starts a window now, with no frame counted.
    void demarre();
    void compteImage();

    int compteurImages;
    uint32_t debutFPS;

private:
    bool auMoinsUneSeconde_;
};

// Sky colour factors for a digit key (SDLK_1 to SDLK_9); false for any
// other key, leaving r, g, b alone.
bool teinteCiel(int touche, unsigned char& r, unsigned char& g, unsigned char& b);

// The game's level position limits: 3 or less becomes 4, above 14580
// becomes 14580.
const int PositionNiveauDepart = 2800;
const int PositionNiveauMin = 4;
const int PositionNiveauMax = 14580;
int bornePositionNiveau(int position);
// One frame of the game's level: the scroll steps, then is held within
// those limits before anything is drawn, and the time carried towards the
// next step is dropped at a limit, so a hero walking against an end sees
// the planes stand still.
void avanceNiveauBorne(CLevel& niveau, int ecoule, bool defile, bool versPlusX);
// Its two halves: the scroll and its limits, then the drawing where the
// level stands (versPlusX, the last direction, places a fast plane's part step).
void etapeNiveauBorne(CLevel& niveau, int ecoule, bool defile, bool versPlusX);
void dessineNiveau(CLevel& niveau, bool versPlusX);

// Writes debut, n in decimal and fin into `tampon` (taille bytes with the
// terminating NUL). False, with the buffer emptied, when it does not fit.
// Null parts count as empty.
bool nomImageSerie(char* tampon, std::size_t taille, const char* debut, int n, const char* fin);

// Lets the hero control drive a CSprite (not owned). A sprite without
// animations counts its current animation as finished, so a turn cannot
// hang the hero when the description file is missing.
class SpriteHerosCSprite : public SpriteHeros {
public:
    explicit SpriteHerosCSprite(CSprite* sprite) : sprite_(sprite) {}
    void setAnimationCourante(const char* nom) override;
    void demarreAnim() override;
    void setRepeteAnimCourante(bool repete) override;
    void setMirroirY(bool miroir) override;
    void setPosition(int x, int y) override;
    bool isAnimCouranteFinished() override;

private:
    CSprite* sprite_;
};

#endif
