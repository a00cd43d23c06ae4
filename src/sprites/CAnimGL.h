#ifndef CORVANTHELIS_SPRITES_CANIMGL_H
#define CORVANTHELIS_SPRITES_CANIMGL_H

// Timed frame sequences.
//
// CImageAnim: one frame, a picture plus the time it stays on screen.
//
// CAnimGL: a named sequence of frames with its playing state. It owns its
// frame array (alloueImages) and destroys every frame with it, so it must be
// destroyed while the GL context that loaded the frames still lives. Owners
// create animations in arrays and never copy them. Set-up order:
// setNbImages(n), alloueImages(n), then load each frame through getImage(i).
//
// Playback is polled: whoever draws calls update() once per drawn frame and
// update() works out from the clock (foundation/Temps.h) how many frames to
// step. An animation plays from construction on. An animation without frames
// is harmless: it never steps, measures 0 and draws nothing.

#include "render/CImageGL.h"

#include <cstdint>

class CImageAnim : public CImageGL {
public:
    CImageAnim() : tempsPause(0) {}

    uint32_t getTempsPause() const { return static_cast<uint32_t>(tempsPause); }
    void setTempsPause(int pause) { tempsPause = pause; }

    int tempsPause;  // ms on screen before the next frame
};

class CAnimGL {
public:
    CAnimGL();
    ~CAnimGL();
    CAnimGL(const CAnimGL&) = delete;
    CAnimGL& operator=(const CAnimGL&) = delete;

    // Sets the frame count only; allocates nothing.
    void setNbImages(int n);
    int getNbImages() const { return nbImages; }
    // Replaces the frame array with n default frames; nbImages is unchanged.
    void alloueImages(int n);
    // No range check: 0 <= i < nbImages.
    CImageAnim* getImage(int i) { return &images[i]; }

    // Ignored unless 0 <= i < nbImages.
    void setImageCourante(int i);
    int getImageCourante() const { return imageCourante; }

    // Factor on every pause: 2.0 plays twice as slowly.
    void setVitesse(float v) { vitesse = v; }
    float getVitesse() const { return vitesse; }

    // Copies at most 19 bytes of the name.
    void setNomAnimation(const char* nom);
    const char* getNomAnimation() const { return nomAnimation; }

    void setRepete(bool r) { repete = r; }
    bool getRepete() const { return repete; }

    // Plays from frame 0, timed from now.
    void joueAnim();
    // Stops on the current frame. There is no resume: joueAnim restarts.
    void pauseAnim();
    // Stops and rewinds to frame 0.
    void stoppeAnim();
    // True once stopped: paused, stopped, or at the end of a non-repeating run.
    bool isAnimFinished() const;
    // A non-repeating animation of one picture (or none) has nothing to step
    // to, so it never finishes by itself. As a one-shot move it still lasts
    // that picture's pause: true once the pause has passed since the start.
    bool isImageUniqueEcoulee() const;

    // Steps the current frame by the time elapsed since the last change.
    void update();

    // Draw the current frame without updating.
    void afficheImageCourante(int x, int y);
    void afficheImageCourante(int x, int y, int sourceX, int sourceY, int largeur, int hauteur);
    // update() then afficheImageCourante(x, y).
    void affiche(int x, int y);

    // Pass the flag to every frame's picture.
    void setMirrorX(bool m);
    void setMirrorY(bool m);

    int getLongueurImageCourante() const;
    int getHauteurImageCourante() const;
    // Narrowest frame; 0 without frames.
    int getMinLongueurImage() const;

    uint32_t getTempsChangement() const { return tempsChangement; }

private:
    // Frames that can be used: both counted and allocated.
    int nbUtilisables() const;
    int32_t pauseEchelonnee(int i) const;

    CImageAnim* images;
    int nbImages;
    int imageCourante;
    float vitesse;
    uint32_t tempsChangement;  // last frame change or start of play
    unsigned char enCours;     // 1 while playing
    char nomAnimation[20];
    bool repete;
    int nbAlloues;             // size of the images array
};

#endif
