#ifndef CORVANTHELIS_SPRITES_CSPRITE_H
#define CORVANTHELIS_SPRITES_CSPRITE_H

// A movable, mirrorable actor made of named animations, one of them current.
//
// The sprite owns its animation table (and through it every frame), so it
// must be destroyed while the GL context that loaded it still lives. It is
// filled once right after construction, from a description file
// (initFromIniFile) or a converted file (init), which need `config` and a
// current GL context. A sprite without animations (missing or bad file) or
// whose current animation has no frame is inert: starting, stopping,
// selecting, measuring and drawing it do nothing.
//
// convert() is a stand-alone file converter that uses no field of the sprite
// and needs no display.

#include "sprites/CAnimGL.h"

class CSprite {
public:
    CSprite();
    ~CSprite();
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    // Loads the animations of a sprite description file. 0 when read (a
    // missing file leaves the sprite empty), 1 when a sheet picture cannot be
    // loaded or a count is out of range.
    int initFromIniFile(const char* fichier);
    // Loads the animations of a converted sprite file (the converter's
    // output): names, frames and pixels as written, pauses as written by
    // this program's converter (a file from another one animates at the
    // default pause, sprites/SpriteConverti.h). 0 when read; 1
    // when the file cannot be read, is too large, short or inconsistent, or
    // a frame cannot be loaded, with the reason on standard error and the
    // sprite left empty. Needs `config` and a current GL context.
    int init(const char* fichier);
    // Does nothing. Always 0.
    int viewEditeur(const char* fichier);

    // Converts a sprite data file into a converted file (convertitSprite).
    // 0 on success, 1 on failure (reported on standard error).
    int convert(const char* source, const char* destination);

    void setPosition(int x, int y);
    int getPositionX() const { return positionX; }
    int getPositionY() const { return positionY; }

    // First animation named exactly `nom` becomes current; unknown names are
    // ignored. Neither starts nor rewinds it.
    void setAnimationCourante(const char* nom);
    int getAnimCourante() const { return animCourante; }
    // The current animation, or null for a sprite without animations.
    CAnimGL* getAnimationCourante();

    // Current animation: play from its first frame / stop and rewind.
    void demarreAnim();
    void stoppeAnim();
    void setRepeteAnimCourante(bool repete);
    bool isAnimCouranteFinished() const;

    // Left-to-right flip (facing the other way) / top-to-bottom flip, passed
    // to every frame of every animation.
    void setMirroirY(bool m);
    void setMirroirX(bool m);
    bool getMirroirY() const { return mirroirY; }
    bool getMirroirX() const { return mirroirX; }

    // Updates the current animation and draws its current frame. Unmirrored,
    // left edges stay at positionX; mirrored left to right, right edges stay
    // at positionX + the narrowest frame's width.
    void affiche();

    int getNbAnims() const { return nbAnims; }
    // No range check: 0 <= i < getNbAnims().
    CAnimGL* getAnim(int i) { return &anims[i]; }

private:
    void libere();

    CAnimGL* anims;
    int nbAnims;
    int animCourante;
    int positionX;
    int positionY;
    bool mirroirY;
    bool mirroirX;
};

// Kept for old callers: does nothing and returns 0.
int convertSprite(const char* fichier);

#endif
