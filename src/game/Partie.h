#ifndef CORVANTHELIS_GAME_PARTIE_H
#define CORVANTHELIS_GAME_PARTIE_H

// One run of the level: the hero's health and blinking invulnerability,
// the knock-back a hit gives (the level scrolls away from the creature),
// the last lantern lit (where a death resumes the run), the finish line
// and the ending, the counts and the time (tempsCourant(), so the pause
// does not count; a death's pictures do). The game loop asks it each frame what to
// do; it draws the heads-up display and the ending's text.
//
// CPartie needs no display; CAffichagePartie loads its pictures and fonts
// and needs `config` and a current GL context.

#include "game/Acteurs.h"
#include "game/ControleHeros.h"
#include "game/Records.h"
#include "render/CImageGL.h"
#include "render/CTexte.h"

#include <string>
#include <vector>

class CSprite;

// The hero's body and strikes, from its sprite description's optional keys.
struct GeometrieHeros {
    RectangleFrame contact;
    int largeurMin = 0;  // narrowest frame of Repos
    struct Frappe {
        char anim[20];
        FrappeDecrite frappe;
    };
    std::vector<Frappe> frappes;
    // The strike of an animation name, null when it has none.
    const FrappeDecrite* frappeDe(const char* anim) const;
};
// Contact default: the middle half of a largeur x hauteur frame, full height.
GeometrieHeros litGeometrieHeros(const char* fichier, int largeur, int hauteur);

// The hero in the world this frame. `anim` and `image` (0-based) are the
// sprite's current animation, its narrowest frame's width and the frame;
// `x`, `y` the sprite's position.
HerosMonde herosDansLeMonde(const GeometrieHeros& g, int positionNiveau, int x, int y, bool versGauche,
                            const char* anim, int largeurAnim, int image, int numeroFrappe);

class CPartie {
public:
    static const int SanteMax = 3;
    static const int DureeInvulnerable = 1500; // ms
    static const int DureeRecul = 200;         // ms
    static const int DistanceRecul = 40;       // px of level scroll
    static const int DureeFin = 5000;          // ms the ending shows
    static const int DecalageHeros = CControleHeros::PositionX; // hero world x = level position + this

    enum Etat { EnJeu, Fin, Perdu };

    // A run from now, with this finish line (avecArrivee false: none).
    void commence(bool avecArrivee, int arriveeX);
    // The same run after a death, resumed at the last lantern lit: full
    // health, the clock running on. Only with a lantern lit.
    bool reprisePossible() const { return repriseX >= 0; }
    void reprend();
    // The level position that puts the hero at that lantern, within the
    // level's positions.
    int positionReprise() const;

    // One frame of play. Updates the actors, takes the damage, and moves to
    // Fin (the shrine lit, the line printed) or to Perdu. The level
    // position is the one before this frame's knock-back.
    void metAJour(CActeurs& acteurs, HerosMonde heros, int positionNiveau, SortieEffets* sons);
    // The knock-back's scroll for this frame (positive: towards greater
    // positions); 0 when none runs.
    int reculCetteImage();
    bool enRecul() const;
    bool invulnerable() const;
    // False on the blinking's off beats.
    bool herosVisible() const;
    // True once the ending has been shown long enough.
    bool finTerminee() const;

    // "Niveau terminé en M min SS s : L lueurs sur T, C créatures vaincues"
    std::string ligneFin(const CActeurs& acteurs) const;

    // What a scripted player sees this frame, for the automatic play-through
    // (CORVANTHELIS_SONDE=1): "sonde <health> <hero contact x> <its right
    // edge>" then " <x> <y> <w> <h>" for the contact of each creature that
    // can still hurt and stands within `portee` px of the hero, then "\n";
    // those a strike cannot stop come last, after " |".
    std::string ligneSonde(const CActeurs& acteurs, const HerosMonde& heros, int portee = 400) const;

    Etat etat = EnJeu;
    int sante = SanteMax;
    uint32_t debut = 0;
    uint32_t dureeFinale = 0;   // ms the run took, once finished
    uint32_t debutFin = 0;
    uint32_t debutInvulnerable = 0;
    bool blesse = false;        // invulnerability started at least once
    bool avecArrivee = false;
    int arriveeX = 0;
    int repriseX = -1;          // world x of the last lantern lit; -1: none
    int sensRecul = 0;          // +1 / -1 while a knock-back runs
    int reculFait = 0;          // px of it already scrolled
};

class CAffichagePartie {
public:
    // Heart and light pictures, the text font; a missing one falls back to text.
    void charge();
    void dessineHUD(const CPartie& partie, const CActeurs& acteurs);
    // `records` (null: none) marks the figures that beat the player's best
    // with "Nouveau record !".
    void dessineFin(const CPartie& partie, const CActeurs& acteurs, const Ameliorations* records = nullptr);

private:
    CImageGL coeur, coeurVide, lueur;
    bool avecCoeurs = false;
    bool avecLueur = false;
    CTexte texte;
    CTexte titre;
    std::string ligne; // kept, so that drawing allocates nothing once it has grown
};

#endif
