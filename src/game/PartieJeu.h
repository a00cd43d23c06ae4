#ifndef CORVANTHELIS_GAME_PARTIEJEU_H
#define CORVANTHELIS_GAME_PARTIEJEU_H

// One game session on a level: the scene (sky, moon, level, hero), the hero
// control, the actors and their rules, the heads-up display, the pause and
// the frame pacing. mainVorna creates one once the display is open and the
// level's music plays, then runs each frame as
//   prendEvenements, etape, dessine, attend, recommenceSiTerminee.
//
// The sound manager is not owned and must outlive the session. Creating it
// loads every picture, sound and font the level needs (the loaders say what
// is missing); it needs `config`, the display and a current GL context, and
// must be destroyed while the context lives.

#include "foundation/Temps.h"
#include "game/Acteurs.h"
#include "game/ControleHeros.h"
#include "game/Demarrage.h"
#include "game/Effets.h"
#include "game/OutilsJeu.h"
#include "game/Partie.h"
#include "game/Records.h"

#include <functional>
#include <memory>

class CPauseJeu;
class GestionnaireSon;

class CPartieJeu {
public:
    // `depart`: the level position of the start and of every restart.
    CPartieJeu(GestionnaireSon* son, const char* fichierNiveau, int depart);
    ~CPartieJeu();
    CPartieJeu(const CPartieJeu&) = delete;
    CPartieJeu& operator=(const CPartieJeu&) = delete;

    // Takes every pending event; true when the game should end after this
    // frame (Escape, a window close, Quitter, a signal).
    bool prendEvenements();
    // The hero, the rules and the knock-back (not while paused), then the
    // level's scroll by the time since the previous frame.
    void etape();
    // Draws the frame and presents it.
    void dessine();
    // Paces the loop: a short sleep while playing, a wait for an event while
    // paused.
    void attend();
    // After a loss (its picture series first), the level again at the last
    // lantern lit, else from the start; after a shown ending, from the
    // start, unless the level is part of a journey, which goes on to the
    // next one.
    void recommenceSiTerminee();

    // Makes the level a journey's: `surArrivee` is told the run's figures
    // the frame the finish is reached (the completion line just printed)
    // and answers which of them beat the records, which the ending shows.
    // With `suivant` false (a journey of one level without its file) the
    // level still starts again after its ending.
    using SurArrivee = std::function<Ameliorations(const ResultatNiveau&)>;
    void enchaine(SurArrivee surArrivee, bool suivant = true);
    // In a journey, true once the ending has been shown long enough.
    bool niveauTermine() const;

private:
    void etapeHeros();
    void etapeRegles();
    void recommence();

    SceneJeu scene;
    int depart;
    CControleHeros heros;
    SpriteHerosCSprite spriteHeros;
    SortieEffetsSon effets;
    CActeurs acteurs;
    int arriveeX = 0;
    bool arrivee = false;
    bool avecRegles = false;
    CPartie partie;
    CAffichagePartie affichagePartie;
    GeometrieHeros geometrie;
    CChronoImage chrono;
    CCompteurFPS fps;
    bool avecSonde = false;
    std::unique_ptr<CPauseJeu> pause;
    bool capture = false;
    SurArrivee surArrivee;
    bool dansParcours = false;
    bool suivant = false;
    Ameliorations records;
};

#endif
