#ifndef CORVANTHELIS_GAME_PAUSE_H
#define CORVANTHELIS_GAME_PAUSE_H

// The game's pause: P, the Pause key, the pad's start button or a lost
// focus pause the game; F1 pauses on the help. While paused the game clock
// stands still (foundation/Temps.h), so nothing moves and nothing jumps
// ahead on resume; music and effects pause too. The overlay darkens the
// scene and shows CMenuPause's screens; what the options change is applied
// at once where the display allows (volumes, full screen, proportions) and
// saved to config.ini.
//
// It also holds the player's controls (config.ini's CONTROLES) and the
// first joystick's state, which the hero reads through touchesHeros().
//
// One object per game, created once `config` and the display exist. The
// sound manager is not owned and may be null.

#include "game/Controles.h"
#include "game/MenuPause.h"
#include "render/CTexte.h"

union SDL_Event;
class GestionnaireSon;

class CPauseJeu {
public:
    explicit CPauseJeu(GestionnaireSon* son);

    bool active() const { return enPause; }
    void metEnPause(CMenuPause::Ecran ecran = CMenuPause::Principal);
    void reprend();

    // The game's share of an event while it runs or pauses. True when the
    // event asks to end the game (Quitter in the menu).
    bool traite(const SDL_Event& evenement);

    // Draws the veil and the current screen over the scene already drawn.
    void dessine();

    // The hero's keys and pad as held now.
    TouchesHeros touchesHeros() const;

    Controles controles;
    EtatManette manette;
    CMenuPause menu;

private:
    GestionnaireSon* son;
    bool enPause = false;
    CTexte texte;
    CTexte titre;

    bool toucheEnPause(const SDL_Event& evenement);
    void appliqueReglage(int ligne);
    void changeTouche();
    void listeCommandes();
    void sauve(schemaConfiguration::CleVideo cle, int valeur);
};

#endif
