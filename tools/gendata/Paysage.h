// What the marsh and the mountain pass share: a sky with its sun or moon,
// the dark band over the screen's top, ground tiles blended where their
// types meet, props standing on the ground, and the level file with its
// look and actors. Level 1 keeps its own painter (Niveau.cpp).

#ifndef GENDATA_PAYSAGE_H
#define GENDATA_PAYSAGE_H

#include "Decor.h"

#include <functional>
#include <string>
#include <vector>

namespace gendata {
namespace paysage {

constexpr int kSol = 390;            // screen line of the hero's feet
constexpr int kHautTuileSol = 370;   // top of the ground tiles
constexpr int kTuilesSol = 60;       // 60 x 256 covers positions 4..14580 and a screen

// The sky: colour stops from top (y 0) to bottom (y 360), a glow round
// the sun or moon (sky coordinates, the sky being drawn 40 lines down),
// faint stars near the top, and a veil of cloud.
struct Ciel {
    std::vector<std::pair<float, Couleur>> arrets;
    float astreX, astreY;
    Couleur halo;
    float forceHalo, etendueHalo;
    int etoiles;
    float voile;          // 0 clear .. 1 overcast
    Couleur couleurVoile;
    uint32_t graine;
};
// Writes <dossier>fond.jpg and <dossier>astre.bmp: the disc (`disque`, a
// square picture in final pixels with alpha) over the sky behind it, the
// magenta key around. (ecranX, ecranY) is the disc's corner on screen.
void ecritCiel(const std::string& dossier, const Ciel& c, const CToile& disque, int ecranX, int ecranY);
// A sun or moon disc of `rayon` in a square of `cote` final pixels; `pale`
// 0 keeps the colour, 1 washes it into the haze.
CToile peintDisque(int cote, float rayon, const Couleur& coeur, const Couleur& bord, float pale);

// The band over the screen's top 40 lines (the sky is tinted, the band is
// not, so both fade to black where they meet), for a far plane repeating
// every `periode` pixels.
void ajouteBandeHaute(CPlanDecor& plan, const Couleur& c, int periode);

// Ground: the surface line of a tile (tile y, period 256), and a strip of
// 256-pixel tiles of the types in `suite`, one picture per type and pair of
// neighbours; over 40 pixels at a change of type the two looks blend.
float surfaceSol(float x);
// Noise that repeats every 256 pixels in x.
float bruitSol(float x, float y, float echelle, uint32_t graine);
using CouleurSol = std::function<Couleur(int type, float x, float y)>;        // tile pixels
using DecorSol = std::function<void(CToile& hr, int gauche, int type, int droite)>;  // hi-res, after the fill
void ajouteSol(CPlanDecor& plan, const std::vector<int>& suite, const CouleurSol& couleur, const DecorSol& decor, const Couleur& lumiere);

// Props on the ground line: each picture's foot at x, drawn in the order given.
struct Accessoire { std::string nom; CToile image; };
struct PoseDecor { std::string nom; float x; };
void ajouteAccessoires(CPlanDecor& plan, const std::vector<Accessoire>& images, const std::vector<PoseDecor>& poses);
// Long soft banks of mist or cloud, `l` wide (a multiple of 40) and
// seamless across it, fading at top and bottom.
CToile bancDeBrume(int l, int h, uint32_t graine, const Couleur& c, float densite);
// Multiplies a finished picture's colours (a night prop into dawn or snow light).
CToile teinte(CToile t, const Couleur& facteur);

// Actors in world coordinates; `cle` = `valeur` overrides one behaviour number.
struct ActeurPose { const char* type; int x, y; const char* cle; int valeur; };
struct Aspect { std::string ciel, lune, musique; int luneX, luneY; };
void ecritFichierNiveau(const std::string& chemin, const std::vector<PlanNiveau>& plans, const Aspect& aspect,
                        const std::vector<ActeurPose>& acteurs, int arriveeX);

}
}

#endif
