#ifndef CORVANTHELIS_EDITEUR_VUEEDITEUR_H
#define CORVANTHELIS_EDITEUR_VUEEDITEUR_H

// The editor's drawing: the level as the model holds it now, as the game
// shows it (sky, moon, planes at their ratios, actors, the hero, the finish
// line), zoomed, then the editing overlays (selection, grid, palette, plane
// panel, status, messages, questions).
//
// The level itself is the game's drawing of it (editeur/NiveauEditeur.h);
// this view adds what only the editor shows: planes the game leaves out
// (dimmed), the planes other than the edited one dimmed or hidden, boxes for
// actors without a picture, and the overlays.
//
// One CVueEditeur per editor screen. For the palette and the placing ghost it
// owns one picture per distinct tile frame (sheet, rectangle, colour key),
// so a tile edited in the model gets a new picture on its next drawing and
// untouched ones are never cut again, and one sprite per actor type.
// Loading and drawing need `config` and a current GL context; destroy the
// view while that context lives.

#include "editeur/NiveauEditeur.h"
#include "editeur/OutilsEditeur.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CImageGL;
class CSprite;
class CTexte;

namespace editeur {

// What the loop shows over the level besides the editing state.
struct Annonces {
    std::vector<std::string> messages;  // the checker's panel; empty: hidden
    std::string question;               // asked on screen, waiting for a key
    std::string info;                   // one short line under the status
};

class CVueEditeur {
public:
    CVueEditeur();
    ~CVueEditeur();
    CVueEditeur(const CVueEditeur&) = delete;
    CVueEditeur& operator=(const CVueEditeur&) = delete;

    // The font, the sky, the moon and the hero.
    void charge();
    void dessine(const CModeleNiveau& modele, const EtatEditeur& etat, const COutilsEditeur& outils,
                 const Annonces& annonces);
    // An actor type's resting frame size; 32 x 32 without a sprite.
    void tailleActeur(const std::string& type, int& largeur, int& hauteur);

private:
    struct SpriteActeur {
        std::unique_ptr<CSprite> sprite;
        int largeur = 32, hauteur = 32;
        // Where its resting picture shows; `pale` when that is so faint
        // that a placed one needs an outline to be found.
        Rect visible;
        bool pale = false;
    };
    CImageGL* imageTile(const TileEditee& tile);
    SpriteActeur& spriteActeur(const std::string& type);

    void dessineNiveau(const CModeleNiveau& modele, const EtatEditeur& etat);
    void dessineActeurs(const CModeleNiveau& modele, const EtatEditeur& etat);
    void dessineCadresActeurs(const CModeleNiveau& modele, const EtatEditeur& etat);
    void dessineSelection(const EtatEditeur& etat, const COutilsEditeur& outils);
    void dessineFantome(const CModeleNiveau& modele, const EtatEditeur& etat, const COutilsEditeur& outils);
    void dessineGrille(const CModeleNiveau& modele, const EtatEditeur& etat);
    // Overlays, in screen coordinates (PanneauxEditeur.cpp).
    void dessineStatut(const CModeleNiveau& modele, const EtatEditeur& etat, const Annonces& annonces,
                       Point curseur);
    void dessinePalette(const CModeleNiveau& modele, const EtatEditeur& etat, const COutilsEditeur& outils);
    void dessinePanneau(const CModeleNiveau& modele, const EtatEditeur& etat);
    // One actor's behaviour numbers (acteur -1: none chosen).
    void dessinePanneauActeur(const CModeleNiveau& modele, int acteur, int ligne);
    // The level's look and journey (editeur/PanneauNiveau.h).
    void dessinePanneauNiveau(const CModeleNiveau& modele, int ligne);
    void dessineMessages(const Annonces& annonces, const Cadrage& ecran);
    void dessineQuestion(const std::string& question, const Cadrage& ecran);
    void ecrit(int x, int y, const std::string& texte, float taille = 0.75f);

    std::unique_ptr<CTexte> texte_;
    CNiveauEditeur niveau_;
    std::map<std::string, std::unique_ptr<CImageGL>> images_;
    std::map<std::string, SpriteActeur> acteurs_;
};

// The rectangle of a picture's pixels that are not fully transparent, and
// their strongest alpha (from the pixels the picture keeps). False when
// all are transparent.
bool cadreVisibleImage(const CImageGL& image, Rect& r, int* alphaMax = nullptr);
// A picture whose strongest pixel is fainter than this is hard to see: its
// palette cell draws it over itself, a placed one gets an outline.
const int AlphaPale = 160;

// Plain GL shapes in the current drawing space.
void rectanglePlein(double x, double y, double l, double h, unsigned char r, unsigned char g,
                    unsigned char b, unsigned char a);
void cadre(double x, double y, double l, double h, unsigned char r, unsigned char g, unsigned char b,
           unsigned char a = 255);
// Scales the drawing space by zoom percent and shifts it up by `haut`
// until finZoom().
void commenceZoom(int zoom, int haut);
// Scales it by sx across and sy down until finZoom().
void commenceEchelle(double sx, double sy);
void finZoom();

}

#endif
