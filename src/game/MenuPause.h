#ifndef CORVANTHELIS_GAME_MENUPAUSE_H
#define CORVANTHELIS_GAME_MENUPAUSE_H

// The pause overlay's menus, as a model: which screen is shown, its lines,
// the chosen line, and what a key press asks the game to do. The game
// applies the changes (volumes, display) and saves them; dessineMenuPause
// (game/Pause.h) draws the model.
//
// Screens: the main menu (Continuer, Options, Quitter), the options, the
// controls, the wait for a new key, and the help (the keys as configured).
// Up and Down choose a line, Return or Space takes it, Left and Right change
// a value; Backspace goes back a screen, or cancels the wait for a key.

#include "shell/SchemaConfiguration.h"

#include <string>
#include <vector>

// The settings the options show, as config.ini holds them; their defaults
// and ranges are shell/SchemaConfiguration.h's.
struct ReglagesJoueur {
    static int defaut(schemaConfiguration::CleVideo cle)
    {
        return static_cast<int>(schemaConfiguration::cleVideo(cle).defaut);
    }
    int volumeMusique = defaut(schemaConfiguration::VolumeMusique);
    int volumeEffets = defaut(schemaConfiguration::VolumeEffets);
    bool pleinEcran = defaut(schemaConfiguration::PleinEcran);
    bool garderProportions = defaut(schemaConfiguration::GarderProportions);
    bool vSync = defaut(schemaConfiguration::VSync);
    bool bilineaire = defaut(schemaConfiguration::Bilineaire);
    bool intro = defaut(schemaConfiguration::Intro);
};

struct LigneMenu {
    std::string texte;
    std::string valeur; // "" for a line without a value
    std::string note;   // "au prochain démarrage" for settings that wait
};

class CMenuPause {
public:
    enum Ecran { Principal, Options, Commandes, NouvelleTouche, Aide };
    enum Demande {
        Rien,          // nothing for the game to do (the menu moved)
        Reprendre,     // leave the pause
        Quitter,       // end the game
        ReglageChange, // a setting of `reglages` changed: apply and save
        ToucheChoisie, // NouvelleTouche took a key: getToucheChoisie()
    };

    // The commands screen and the help list these (action, key name) pairs;
    // the game fills them from its controls.
    std::vector<std::pair<std::string, std::string>> commandes;
    ReglagesJoueur reglages;

    void ouvre(Ecran ecran);
    Ecran getEcran() const { return ecran; }
    int getChoix() const { return choix; }
    // The setting a ReglageChange was about: its line on the options screen.
    int getReglageChange() const { return reglageChange; }
    // The action (index into `commandes`) and key of a ToucheChoisie.
    int getActionChoisie() const { return action; }
    int getToucheChoisie() const { return toucheChoisie; }

    Demande touche(int sym);

    std::string titre() const;
    std::vector<LigneMenu> lignes() const;
    // A line under the menu: a refusal ("Touche déjà prise par Saut"), or
    // the prompt of the new-key wait.
    std::string message;
    // The reminder at the foot of every screen.
    static const char* const RappelEchap;

    // Lines of the options screen, in order.
    enum LigneOptions {
        OptVolumeMusique,
        OptVolumeEffets,
        OptPleinEcran,
        OptProportions,
        OptVSync,
        OptBilineaire,
        OptIntro,
        OptCommandes,
        OptRetour,
        NbLignesOptions
    };

private:
    Ecran ecran = Principal;
    int choix = 0;
    int reglageChange = -1;
    int action = -1;
    int toucheChoisie = 0;

    int nbLignes() const;
    Demande valide();
    Demande change(int sens);
};

#endif
