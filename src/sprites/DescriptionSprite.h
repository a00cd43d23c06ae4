#ifndef CORVANTHELIS_SPRITES_DESCRIPTIONSPRITE_H
#define CORVANTHELIS_SPRITES_DESCRIPTIONSPRITE_H

// Reading a sprite description file, the profile file a sprite's animations
// are loaded from: "Entete" with nbAnims, "Anim"n with the animation's keys,
// "Anim"n"Frame"m with each frame's rectangle and pause.
//
// One reader reads one file, section by section in the order its caller
// asks, with the game's buffer sizes and 16-bit storage: the game and the
// tools that write other formats from the same file see the same values.
// It opens no picture and needs no display. Counts are checked here, before
// the caller allocates anything, against the format's limits and against
// what the file's size can hold (maxElements: animations and frames
// together); a refused count prints one line on standard error naming the
// file.

#include "foundation/InputOutput.h"
#include "sprites/Planche.h"
#include "sprites/SchemaSprite.h"

struct AnimationDecrite {
    int nbFrames;         // 0 or more
    int colorkeyR;        // -1: no colour key
    int colorkeyG;
    int colorkeyB;
    char nomAnim[schemaSprite::NomAnim.tampon];  // cut as the game cuts it
    char pathPlanche[schemaSprite::PathPlanche.tampon];
};

struct FrameDecrite {
    RectanglePlanche rectangle;
    int pause;            // ms
};

// A rectangle inside a frame, given facing right; largeur 0: none.
struct RectangleFrame {
    int x = 0, y = 0, largeur = 0, hauteur = 0;
};

// The hurting part of a strike animation: its rectangle, on frames
// debut .. fin (1-based, inclusive).
struct FrappeDecrite {
    RectangleFrame rectangle;
    int debut = 0;
    int fin = 0;
};

class LecteurDescriptionSprite {
public:
    static const int NB_ANIMS_MAX = schemaSprite::NbAnimsMax;
    static const int NB_FRAMES_MAX = schemaSprite::NbFramesMax;

    // A silent reader (muet) prints neither the profile reader's notices nor
    // refusals.
    explicit LecteurDescriptionSprite(const char* fichier, bool muet = false);

    // "Entete"/nbAnims; a negative count is 0. -1 when above NB_ANIMS_MAX
    // or what the file can hold.
    int litNbAnims();
    // Section "Anim"+n: nbFrames (negative is 0), the colour key, then the
    // name and the sheet. False when nbFrames is above NB_FRAMES_MAX or what
    // the file can still hold; the name and the sheet are then not read.
    bool litAnimation(int n, AnimationDecrite& animation);
    // Section "Anim"+n+"Frame"+m: the rectangle, then the pause.
    FrameDecrite litFrame(int n, int m);
    // Optional keys, read without notices: "Entete"/contactX, contactY,
    // contactLargeur, contactHauteur (false when absent or not a positive
    // size), and "Anim"+n's frappeX, frappeY, frappeLargeur, frappeHauteur,
    // frappeDebut, frappeFin (false when absent or out of order). A value
    // given outside its range drops the rectangle with a message.
    bool litContact(RectangleFrame& contact);
    bool litFrappe(int n, FrappeDecrite& frappe);

    const char* getFichier() const { return fichier; }

private:
    InputOutput io;
    const char* fichier;
    bool muet;
    long elementsRestants;  // animations and frames the file can still hold
};

#endif
