#ifndef CORVANTHELIS_GAME_ACTEURS_H
#define CORVANTHELIS_GAME_ACTEURS_H

// The level's actors: creatures, floating lights, lanterns (where the
// level resumes after a death) and the shrine.
//
// A TypeActeur is what data/acteurs/<type>.ini describes; CActeurs owns the
// types, their sprites (one CSprite per type, shared by its actors) and the
// actors. Actors live in world coordinates (those of a ratio-100 plane):
// screen x = world x - the level position. Every motion is timed by
// tempsCourant(), so the pause and the fake clock drive them; nothing is
// read or allocated per frame.
//
// Loading sprites needs `config` and a current GL context; the logic
// (metAJour) needs neither, so tests build types by hand. Destroy the
// object while the context that loaded the sprites lives.

#include "sprites/DescriptionSprite.h"

#include <cstdint>
#include <string>
#include <vector>

class CSprite;

struct RectangleJeu {
    int x = 0, y = 0, largeur = 0, hauteur = 0;
};
bool seRencontrent(const RectangleJeu& a, const RectangleJeu& b);
// `r`, given inside a frame facing right, placed for a frame whose
// top-left is (x, y): facing left, frames grow leftwards from the right
// edge of the narrowest one (largeurMin wide), as CSprite draws them.
RectangleJeu placeRectangle(const RectangleFrame& r, int x, int y, int largeurMin, bool versGauche);

enum Comportement { FeuFollet, Loup, ChauveSouris, Lueur, Sanctuaire, Lanterne, Crapaud, Rocher };
// -1 for an unknown name.
int comportementNomme(const char* nom);

enum RoleAnim { AnimRepos, AnimMarche, AnimAttaque, AnimBlesse, AnimMort, AnimAllume, NbRolesAnim };
enum RoleSon { SonBlesse, SonMort, SonAttaque, NbRolesSon };

struct ParamsComportement {
    int vitesse = 60;          // px per second
    int vitesseAttaque = 220;
    int distanceAlerte = 260;  // px
    int patrouille = 160;
    int amplitude = 12;
    int periode = 1800;        // ms
    int recul = 400;
};
// The keys of [Comportement], in the order of ParamsComportement's fields.
const int NB_PARAMS = 7;
extern const char* const clesParams[NB_PARAMS];
int* champParam(ParamsComportement& p, int i);

struct AnimActeur {
    int index = -1;            // in the type's sprite; -1: none
    std::vector<int> pauses;   // ms per frame
    int duree = 0;             // their sum
};

struct TypeActeur {
    std::string nom;
    int comportement = Lueur;
    std::string sprite;
    int sante = 0;
    int degats = 0;
    RectangleFrame contact;
    char anims[NbRolesAnim][20] = {};   // names in the sprite
    char sons[NbRolesSon][20] = {};     // effect names; empty: silent
    ParamsComportement params;
    // Filled when the sprite loads: the narrowest frame of repos.
    int largeur = 0;
    int hauteur = 0;
    AnimActeur jeu[NbRolesAnim];
    CSprite* image = nullptr;  // owned by CActeurs
};

// Reads a type file. False, with one line on standard error naming the
// file, when it is missing or wrong.
bool litTypeActeur(const char* fichier, TypeActeur& type);

enum EtatActeur { Errance, Attaque, Recul, Retour, Blesse, Mourant, Parti, Allume };

struct CActeur {
    int type = 0;
    ParamsComportement params;
    int departX = 0, departY = 0;
    float x = 0, y = 0;        // world top-left
    int sante = 0;
    int etat = Errance;
    uint32_t debutEtat = 0;
    int sens = 1;              // +1 moves / faces right
    int anim = AnimRepos;
    uint32_t debutAnim = 0;
    int derniereFrappe = -1;   // the strike that last hurt it
    bool definitif = false;    // taken or defeated: stays so when the level resumes
    // Swoop of a bat: where it started, its length and the lowest y.
    float attaqueX = 0, attaqueY = 0, longueur = 0, fond = 0;
};

// What the actors need of the hero this frame, in world coordinates.
struct HerosMonde {
    RectangleJeu contact;
    bool frappe = false;       // rectFrappe hurts this frame
    RectangleJeu rectFrappe;
    int numeroFrappe = 0;      // one number per strike
    bool invulnerable = false;
};

// Plays named effects; xEcran places a creature's sound, SonHeros for the
// hero's own (in the middle).
const int SonHeros = -1000000;
class SortieEffets {
public:
    virtual ~SortieEffets() {}
    virtual void joue(const char* nom, int xEcran) = 0;
};

class CActeurs {
public:
    CActeurs() = default;
    ~CActeurs();
    CActeurs(const CActeurs&) = delete;
    CActeurs& operator=(const CActeurs&) = delete;

    // The actors of a level file; each type from data/acteurs/<type>.ini,
    // with its sprite when avecImages. Bad data leaves that actor out.
    // False when the level has no finish line (arriveeX is then unset).
    bool charge(const char* fichierNiveau, bool avecImages, int& arriveeX);
    // A type ready for play (tests, benchmarks); its index.
    int ajouteType(const TypeActeur& type);
    void ajoute(int type, int x, int y, const ParamsComportement& params);
    void vide();

    // Everyone back at the start, counts at zero, lanterns out; the clock
    // starts now.
    void recommence();
    // After a death: lights taken and creatures defeated (or dying) stay
    // so, lanterns stay lit, the others go back to their start; the clock
    // starts now.
    void reprend();
    // One frame. Returns the damage the hero takes (0 or the first
    // creature's degats) and that creature's world x in xCoup.
    int metAJour(const HerosMonde& heros, SortieEffets* sons, int positionNiveau, int& xCoup);
    // Actors whose screen rectangle meets the 640 x 480 space, or the
    // largeur x hauteur space from world y `haut` (the editor's zoomed view).
    void dessine(int positionNiveau, int haut = 0, int largeur = 640, int hauteur = 480);
    // The shrine lights up.
    void allume();

    int lueursPrises = 0;
    int lueursTotal = 0;
    int creaturesVaincues = 0;
    // World x of the lantern the last metAJour lit; -1 when none.
    int lanterneAllumeeX = -1;

    std::vector<TypeActeur> types;
    std::vector<CActeur> acteurs;

    // Contact rectangle of an actor in the world.
    RectangleJeu contactMonde(const CActeur& a) const;
    // Frame of its current animation, and whether a one-shot run is over.
    int imageCourante(const CActeur& a, bool& finie) const;

private:
    void prepareJeu(TypeActeur& type);
    void remetAuDepart(CActeur& a);
    void changeEtat(CActeur& a, int etat, int anim);
    // A lantern lights once the hero's world x reaches its x.
    void eclaire(CActeur& a, int herosX, SortieEffets* sons, int xEcran);
    void comporte(CActeur& a, const HerosMonde& heros, float dt);
    // One per moving behaviour (game/Comportements.cpp), from what comporte
    // measured of the actor and the hero this frame.
    struct Situation;
    void comporteFeuFollet(CActeur& a, const Situation& s, float dt);
    void comporteLoup(CActeur& a, const Situation& s, float dt);
    void comporteChauveSouris(CActeur& a, const Situation& s, float dt);
    void comporteCrapaud(CActeur& a, const Situation& s, float dt);
    void comporteRocher(CActeur& a, const Situation& s, float dt);
    void frappe(CActeur& a, const HerosMonde& heros, SortieEffets* sons, int xEcran);
    uint32_t dernier = 0;
};

#endif
