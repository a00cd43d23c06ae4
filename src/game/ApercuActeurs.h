#ifndef CORVANTHELIS_GAME_APERCUACTEURS_H
#define CORVANTHELIS_GAME_APERCUACTEURS_H

// A still picture of a level's actors for the authors' viewers: each actor
// drawn where it stands, on the first frame of its resting animation, facing
// right. It reads the level's [ActeurN] sections and the type files they
// name; an actor whose type file or sprite is missing is left out with one
// line on standard error. Sprites are loaded once per type, so it needs
// `config` and a current GL context, and must be destroyed while that
// context lives.

#include <map>
#include <memory>
#include <string>
#include <vector>

class CSprite;

// An actor type names data/acteurs/<type>.ini: only a-z, 0-9 and _.
bool nomDeTypeActeurValide(const std::string& type);

class CApercuActeurs {
public:
    CApercuActeurs();
    ~CApercuActeurs();
    CApercuActeurs(const CApercuActeurs&) = delete;
    CApercuActeurs& operator=(const CApercuActeurs&) = delete;

    // Reads the actors of `niveau`; returns how many will be drawn.
    int charge(const char* niveau);
    // Draws them for a level at `positionNiveau` (screen x = world x - it).
    void affiche(int positionNiveau);
    int nombre() const { return static_cast<int>(places_.size()); }

private:
    struct Place {
        CSprite* sprite;
        int x, y;
    };
    // The sprite of a type, loaded on first use; null when unusable.
    CSprite* spriteDe(const std::string& type);
    std::map<std::string, std::unique_ptr<CSprite>> sprites_;
    std::vector<Place> places_;
};

#endif
