#ifndef CORVANTHELIS_GAME_CONTROLEHEROS_H
#define CORVANTHELIS_GAME_CONTROLEHEROS_H

// The hero's control: one CControleHeros per game, updated once per frame
// with the keys held at that moment. It chooses the hero's state and facing,
// drives the hero sprite through the small SpriteHeros interface (which it
// does not own), times the jumps with tempsCourant(), and tells the game loop
// whether the level scrolls this frame (defilement) and which way
// (sensDefilement, true towards higher level positions).
//
// The hero never moves horizontally on screen: it stays at x 300 and the
// level scrolls under it. The facing chosen at take-off holds until landing:
// there is no turning in the air.

#include <cstdint>

// The keys the hero listens to, as held this frame.
struct TouchesHeros {
    bool espace = false; // strike
    bool haut = false;   // jump
    bool bas = false;    // crouch
    bool droite = false; // walk / face right
    bool gauche = false; // walk / face left
};

// Reads the five keys at their defaults out of SDL's held-key table
// (SDL_GetKeyState); game/Controles.h reads the player's own.
TouchesHeros lisTouchesHeros(const uint8_t* etatClavier);

// What the control needs from the hero's sprite. The game wraps its CSprite
// in one; tests use a recording stand-in.
class SpriteHeros {
public:
    virtual ~SpriteHeros() {}
    virtual void setAnimationCourante(const char* nom) = 0;
    virtual void demarreAnim() = 0;
    virtual void setRepeteAnimCourante(bool repete) = 0;
    virtual void setMirroirY(bool miroir) = 0;
    virtual void setPosition(int x, int y) = 0;
    virtual bool isAnimCouranteFinished() = 0;
};

enum EtatHeros {
    EtatRepos = 1,
    EtatMarche = 2,
    EtatSaut = 3,
    EtatSautAvant = 4,
    EtatFrappe = 5,
    EtatFrappeAccroupi = 6,
    EtatFrappeSaut = 7,
    EtatFrappeSautAvant = 8,
    EtatAccroupi = 9,
    EtatRetourne = 10
};

// Name of the animation played in a state (1 to 10), nullptr otherwise.
const char* animationEtat(int etat);

class CControleHeros {
public:
    static const int PositionX = 300;
    static const int SolY = 286;          // standing, walking, turning, landed
    static const int BaseSautY = 295;     // y during a jump is this minus the height
    static const int HauteurMaxSaut = 65; // pixels
    static const int MsParPixel = 5;      // rise and fall speed

    // Standing, facing right; the state's clock starts now.
    CControleHeros();

    // One frame: the hero update with the keys held now.
    void metAJour(const TouchesHeros& touches, SpriteHeros& sprite);

    int etat;
    int etatPrecedent;
    bool orientation;           // true: faces right, sprite drawn as stored
    bool orientationPrecedente;
    uint32_t debutEtat;         // when the current state (or jump) began
    bool enRetournement;        // a turn is playing
    bool enSaut;                // airborne
    bool enDescente;            // the ascent of the current jump is over
    int dureeMontee;            // ms the current jump rose
    int hauteurSaut;            // pixels the current jump rose
    int numeroFrappe;           // counts strikes started: one hurts a creature once

    // Handed to the game loop every frame.
    bool defilement;
    bool sensDefilement;

private:
    void metAJourSol(const TouchesHeros& touches, SpriteHeros& sprite);
    void metAJourAir(const TouchesHeros& touches, SpriteHeros& sprite);
    void metAJourRetournement(SpriteHeros& sprite);
    int ecoule() const;
};

#endif
