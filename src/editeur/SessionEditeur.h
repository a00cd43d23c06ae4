#ifndef CORVANTHELIS_EDITEUR_SESSIONEDITEUR_H
#define CORVANTHELIS_EDITEUR_SESSIONEDITEUR_H

// One editing session: the level's model, what the author has chosen
// (tools, panels, view), the view and the questions waiting for an answer.
// Shared by the editor's own sources: the loop and mouse (Editeur.cpp), the
// keys (ToucheEditeur.cpp), the questions and saving (QuestionsEditeur.cpp).
// One exists at a time, while mainEditNiveau runs; it needs the display.

#include "editeur/EcouteMusique.h"
#include "editeur/ModeleNiveau.h"
#include "editeur/OutilsEditeur.h"
#include "editeur/PanneauNiveau.h"
#include "editeur/VueEditeur.h"

#include <SDL.h>
#include <cstdint>
#include <string>

class GestionnaireSon;

namespace editeur {

// The questions the editor asks; the answer is read from their text.
inline const char* const QuestionAutosave = "Une sauvegarde automatique existe :\nEntrée la reprend, Échap l'ignore";
inline const char* const QuestionNouveau =
    "Ce niveau n'existe pas :\nEntrée le crée, avec un plan sans tuile\nÉchap ne crée rien";
inline const char* const QuestionQuitter = "Le niveau a des modifications non enregistrées.\n"
                                           "Entrée : enregistrer et quitter\nN : quitter sans enregistrer\n"
                                           "Échap : rester";
inline const char* const DebutQuestionConflit = "Un autre programme a modifié ces fichiers depuis leur lecture :\n";

class CEditeur {
public:
    CEditeur(const std::string& fichier, GestionnaireSon* son);
    ~CEditeur();

    void basculeApercu() { etat.apercu = !etat.apercu; }
    int lance();

private:
    enum Fin { Continuer, Quitter };

    // ---- The loop and the mouse (Editeur.cpp)
    Fin traite(const SDL_Event& e);
    // The drawing space follows the window (a larger one shows more).
    void suitFenetre();
    bool souris(int fx, int fy, double& x, double& y);
    void zoome(int sens, double x, double y);
    // True when an arrow key scrolled the view.
    bool defileClavier(uint32_t ecoule);

    // ---- Keys (ToucheEditeur.cpp)
    Fin touche(const SDL_keysym& k);
    // The keys that change the level or the tools, not in the preview.
    void toucheCtrl(SDLKey sym, bool maj);
    void toucheEdition(SDLKey sym, bool maj);
    void apresPas(bool change);
    void nouveauPlan();
    void retirePlan();
    void deplacePlan(int sens);
    // L: the level panel, its choices read afresh; again: closed.
    void basculePanneauNiveau();
    // Left/Right or the wheel on line `ligne` of the open panel.
    void changeLigne(int ligne, int pas);
    int lignesPanneau() const { return etat.panneauNiveau ? NbLignesNiveau : NbLignesPanneau; }
    // The level panel's music plays while the panel is open.
    void suitMusique();

    // ---- Questions and saving (QuestionsEditeur.cpp)
    Fin reponse(int sym);
    Fin reponseConflit(int sym);
    Fin demandeFin();
    // Escape: closes what is open over the view, innermost first; from the
    // plain view, asks to quit.
    Fin echappe();
    bool enregistre(bool ecraser = false);
    bool demandeSiConflit();

    CEcouteMusique ecoute;
    CModeleNiveau modele;
    EtatEditeur etat;
    CVueEditeur vue;
    COutilsEditeur outils;
    Annonces annonces;
    bool ouvert = false;
    bool autosaveEcrite = false;  // by this session
    std::string aCreer;           // the level that did not exist
};

}

#endif
