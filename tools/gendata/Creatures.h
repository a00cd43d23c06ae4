// The creatures, the lights and the shrine's flame: each painted in the
// hero's manner (dark outline, moonlit rim, drawn 4x and reduced), written as
// a sheet, a sprite description and an actor type file, plus the
// heads-up display pictures.

#ifndef GENDATA_CREATURES_H
#define GENDATA_CREATURES_H

#include "Decor.h"
#include "Sprites.h"
#include "Toile.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace gendata {

// Shared by the painters.
extern const Couleur kContourCreature;   // the hero's outline colour
constexpr float kTraitCreature = 1.3f;   // outline width, final pixels
// A soft round glow added over the picture (hi-res coordinates).
// `durete` shapes the fall-off: higher is tighter around the centre.
void lueurRonde(CToile& t, float cx, float cy, float rayon, const Couleur& c, float force, float durete = 2.2f);
// The moon's rim light and the reduction to final pixels.
CToile termine(CToile& t);
// Fades a finished picture (for death frames).
CToile estompe(CToile t, float opacite);

// A teardrop flame standing on (cx, cy) (its round bottom's centre), hi-res.
Polygone flamme(float cx, float cy, float r, float h, float balance);

// Animations from a painter of t: `anim` a cycle of n frames (t from 0 up
// to `fin` when fin < 1, else k / n), `passe` a single pass (t 0..1
// inclusive, for hurt and death).
using Peintre = std::function<CToile(float)>;
AnimSprite anim(const std::string& nom, int n, int pause, const Peintre& p, float fin = 1);
AnimSprite passe(const std::string& nom, int n, int pause, const Peintre& p);

// An actor type: its sheet and description under ./data/sprites/<nom>,
// its type file ./data/acteurs/<nom>.ini.
struct TypeActeur {
    const char* nom;
    int sante, degats;
    Cadre contact;
    std::vector<std::pair<const char*, const char*>> animations, sons;
    ClesEnPlus comportement;
};
void ecritActeur(const TypeActeur& a, const std::vector<AnimSprite>& anims);

// What a frame shows; `t` runs over the animation (0..1, or the cycle's
// phase).
enum EtatCreature { Immobile, EnMarche, EnAttaque, Touche, Mourant };
constexpr int kLoupLargeur = 140, kLoupHauteur = 92;   // feet on the bottom row
constexpr int kSourisLargeur = 72, kSourisHauteur = 64; // perched by the top centre
CToile peintLoup(EtatCreature e, float t);
CToile peintChauveSouris(EtatCreature e, float t);

}

#endif
