#ifndef CORVANTHELIS_GAME_CONTROLES_H
#define CORVANTHELIS_GAME_CONTROLES_H

// The player's own controls: which key does what, and how the first
// joystick plays, kept in the CONTROLES section of config.ini:
//
//   Droite, Gauche, Saut, Accroupi, Frappe, Pause   key names as SDL 1.2
//       names them ("right", "left shift", "[0]" for keypad 0, "f1", "a"),
//       any case; defaults right, left, up, down, space, p
//   ManetteSaut, ManetteFrappe, ManettePause   joystick button numbers
//       (0 to 31, -1 for none); defaults 0, 1, 7
//   ManetteSeuil   how far (0 to 32767) the stick must lean before it walks
//       or crouches; default 8000
//
// The keys, defaults and ranges are shell/SchemaConfiguration.h's. Missing
// keys take their defaults silently; a value that names no key or button,
// or a key the options screen refuses (Escape), prints one line on standard
// error and keeps the default.
//
// Key names are known without SDL being initialised (SDL_GetKeyName needs
// the video subsystem). The joystick state is fed from SDL events by the
// game's event pump, so it needs no device to be tested.

#include "game/ControleHeros.h"
#include "shell/SchemaConfiguration.h"

#include <SDL.h>
#include <cstdint>
#include <string>

class CDocumentProfil;

// SDL 1.2's name of a key, or nullptr for a key that has none.
const char* nomTouche(SDLKey touche);
// The key named `nom` (any case, surrounding spaces ignored); SDLK_UNKNOWN
// when no key has that name.
SDLKey toucheNommee(const std::string& nom);
// The key's name as the player reads it on screen, in French ("Droite",
// "Espace", "Pavé 0", "A"); SDL's name for the rare keys without one, and
// "Touche <n>" for a key SDL does not name either. config.ini keeps SDL's
// names (nomTouche).
std::string nomToucheAffiche(SDLKey touche);

enum ActionJoueur {
    ActionDroite,
    ActionGauche,
    ActionSaut,
    ActionAccroupi,
    ActionFrappe,
    ActionPause,
    NombreActions
};

// The action's config.ini key, which is also its name shown to the player.
const char* nomAction(int action);

// Whether `touche` may play an action at all, whoever holds it: Escape always
// leaves the game, and a key without a name could not be saved. The French
// line to show goes to `refus` when it may not.
bool toucheAdmise(SDLKey touche, std::string* refus = nullptr);

struct Controles {
    static const int AucunBouton = -1;
    static const int BoutonsMax = schemaConfiguration::BoutonsManette;

    // The defaults.
    Controles();

    SDLKey touches[NombreActions];
    // Joystick button of each action; AucunBouton for the ones the stick
    // and hat play (Droite, Gauche, Accroupi).
    int boutons[NombreActions];
    int seuilManette;

    // The action holding `touche`, or -1.
    int quiUtilise(SDLKey touche) const;
    // The action holding joystick button `bouton`, or -1.
    int quiUtiliseBouton(int bouton) const;

    // Gives `action` the key `touche`. Refused, with the French line to show
    // in `refus`, when another action holds it, when the key has no name, or
    // for Escape, which always leaves the game.
    bool changeTouche(int action, SDLKey touche, std::string* refus = nullptr);
    // The same for a joystick button, for the actions that have one.
    bool changeBouton(int action, int bouton, std::string* refus = nullptr);

    // Reads the CONTROLES section; `fichier` names the file in messages.
    void lis(const CDocumentProfil& document, const char* fichier = "config.ini");
    // Writes every control into the document, adding the missing keys.
    bool ecris(CDocumentProfil& document) const;
};

// The controls of config.ini in the working folder (the defaults when it is
// missing).
Controles lisControles(const char* fichier = "config.ini");

// The first joystick as its events left it.
struct EtatManette {
    int axeX = 0;                   // first stick, -32768 (left) to 32767
    int axeY = 0;                   // -32768 (up) to 32767 (down)
    uint8_t chapeau = SDL_HAT_CENTERED;
    uint32_t boutons = 0;           // bit n: button n held

    // Takes in one event of the first joystick; false for any other event.
    bool metAJour(const SDL_Event& evenement);
    bool boutonTenu(int bouton) const;
};

// True for the event that asks for the pause: the pause key pressed, or the
// first joystick's pause button pressed.
bool demandePause(const SDL_Event& evenement, const Controles& controles);

// The held keys and the joystick together. `clavier` is SDL's held-key table
// (SDL_GetKeyState) and may be null.
TouchesHeros lisTouchesHeros(const uint8_t* clavier, const Controles& controles,
                             const EtatManette& manette);

// Opens the first joystick, when one is plugged in, and turns its events on.
// SDL 1.2 only sees the ones present when its joystick subsystem starts.
// Null when there is none; close it with SDL_JoystickClose.
SDL_Joystick* ouvreManette();

#endif
