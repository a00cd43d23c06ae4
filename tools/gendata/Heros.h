// The hero's poses and animations. A pose is a set of joint angles in
// degrees: legs and arms measure from straight down (positive swings
// forward, to the right), the torso from upright (positive leans forward),
// the sword from straight up (90 points forward). Index 0 is the far limb,
// 1 the near one; the near hand holds the sword.

#ifndef GENDATA_HEROS_H
#define GENDATA_HEROS_H

#include "Toile.h"

#include <string>
#include <vector>

namespace gendata {

struct Pose {
    float buste = 4, tete = 0;
    float cuisse[2] = {0, 0}, tibia[2] = {0, 0}, pied[2] = {0, 0};
    float bras[2] = {0, 0}, avantBras[2] = {0, 0};
    float epee = 160;
    bool epeeDerriere = false;
    float profil = 1;        // 1 facing right, 0 facing the player, -1 left
    float enAir = 0;         // pixels between the feet and the frame bottom
    float decalage = 0;      // hip shift from its usual place
    float echarpePhase = 0, echarpeLongueur = 14, echarpeChute = 6;
};

struct Animation {
    std::string nom;
    int yEcran;              // the sprite's top on screen in this state
    std::vector<Pose> poses;
    std::vector<int> pauses; // ms per frame
};

std::vector<Animation> animationsHeros();
// Draws one pose into a frame of the given size (final pixels). With
// `verifie`, a pose that leaves its frame stops the generator.
CToile dessinePose(const Pose& p, int largeur, int hauteur, bool verifie);

}

#endif
