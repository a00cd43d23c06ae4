#ifndef CORVANTHELIS_GAME_APERCUACTEURS_H
#define CORVANTHELIS_GAME_APERCUACTEURS_H

// A still picture of a level's actors for the authors' viewers: the game's
// own actor set (game/Acteurs.h), loaded and placed at its start, drawn
// without ever being stepped. An actor whose type file or sprite is missing
// is left out with one line on standard error. Needs `config` and a current
// GL context, and must be destroyed while that context lives.

#include <memory>

class CActeurs;

class CApercuActeurs {
public:
    CApercuActeurs();
    ~CApercuActeurs();
    CApercuActeurs(const CApercuActeurs&) = delete;
    CApercuActeurs& operator=(const CApercuActeurs&) = delete;

    // Reads the actors of `niveau`; returns how many will be drawn.
    int charge(const char* niveau);
    // Draws them for a level at `positionNiveau` (screen x = world x - it),
    // those meeting the largeur x hauteur space from world y `haut`.
    void affiche(int positionNiveau, int haut = 0, int largeur = 640, int hauteur = 480);

private:
    std::unique_ptr<CActeurs> acteurs_;
};

#endif
