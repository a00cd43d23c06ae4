#ifndef CORVANTHELIS_GAME_TITRE_H
#define CORVANTHELIS_GAME_TITRE_H

// The title screen: the title painting (data/titre/titre.png) under a menu
// in the game's fonts. Jouer plays the first level of the journey not yet
// finished; Niveaux lists the levels with their records, the locked ones
// marked "verrouillé"; Options is the pause menu's own screen; Éditeur (when
// the program has one) edits the level last pointed at in Niveaux; Quitter
// ends the game. Up, Down, Return and Space move and choose as in the pause
// menu, Backspace goes back; Escape ends the game from any screen.
//
// CMenuTitre is the menu as a model (no display). lanceTitre shows it until
// a level is chosen or the game ends; it needs `config` and the display,
// and waits for events rather than drawing frames, so an idle title costs
// next to nothing.

#include "game/MenuPause.h"
#include "game/Parcours.h"
#include "game/Records.h"
#include "game/main.h"

#include <string>
#include <vector>

class GestionnaireSon;

const char* const ImageTitre = "./data/titre/titre.png";

class CMenuTitre {
public:
    enum Ecran { Principal, Niveaux };
    enum Demande { Rien, Jouer, Options, Editeur, Quitter };

    // Both must outlive the menu; the records may change between calls.
    CMenuTitre(const Parcours& parcours, const CRecords& records, bool avecEditeur);

    Demande touche(int sym);
    Ecran getEcran() const { return ecran; }
    int getChoix() const { return choix; }
    // The level a Jouer or an Editeur asks for.
    int getNiveau() const { return niveau; }
    const std::string& fichierNiveau() const { return parcours.niveaux[niveau].fichier; }
    // Back to the main screen (after a game, the options, the editor).
    void revient();

    std::string titre() const;
    std::vector<LigneMenu> lignes() const;
    // Under the menu: why a locked level does not start.
    std::string message;

private:
    // The lines of the main screen, in order; the editor's only with one.
    std::vector<Demande> principales() const;
    std::string recordsDe(int indice) const;

    const Parcours& parcours;
    const CRecords& records;
    bool avecEditeur;
    Ecran ecran = Principal;
    int choix = 0;
    int niveau = 0;
    int pointe = -1; // level last pointed at in Niveaux, -1 none yet
};

// What the title ends with.
struct ChoixTitre {
    bool quitter = true;
    int niveau = 0;
};

// Runs the title until a level is chosen, or Escape, a window close, a
// signal or Quitter. `editeur` (null: no editor) edits a level file inside
// the open display, with the title's sound for its music, and returns when
// the editor is left; `son` may be null.
ChoixTitre lanceTitre(CMenuTitre& menu, GestionnaireSon* son, LanceurEditeur editeur);

#endif
