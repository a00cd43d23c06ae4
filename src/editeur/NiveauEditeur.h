#ifndef CORVANTHELIS_EDITEUR_NIVEAUEDITEUR_H
#define CORVANTHELIS_EDITEUR_NIVEAUEDITEUR_H

// The level as the game draws it, for the editor's view: the model's
// playable copy (editeur/CopieJouable.h) loaded by the game's own loaders
// (CLevel and its planes, the actors' preview of game/ApercuActeurs.h), again
// only when the model's revision changes and then only the planes whose file
// changed, and drawn at the editor's camera
// through the game's windowed plane drawing. The sky and the moon are the
// level's own, as the game shows them (game/Demarrage.h), the hero stands at his place in his resting
// picture. Tile animations are not stepped: an editor's screen only changes
// when the author does something.
//
// One per editor view. Needs `config` and a current GL context; destroy it
// while that context lives.

#include "editeur/CopieJouable.h"
#include "editeur/ModeleNiveau.h"
#include "game/Demarrage.h"
#include "render/PartageImages.h"

#include <memory>
#include <string>
#include <vector>

class CApercuActeurs;
class CImageGL;
class CLevel;
class CSprite;

namespace editeur {

struct Cadrage;

class CNiveauEditeur {
public:
    CNiveauEditeur();
    ~CNiveauEditeur();
    CNiveauEditeur(const CNiveauEditeur&) = delete;
    CNiveauEditeur& operator=(const CNiveauEditeur&) = delete;

    // The default sky and moon, and the hero.
    void charge();
    // Loads the level and its actors again when `modele` changed since the
    // last call (or is another model), and its own sky and moon when they
    // changed.
    void suit(const CModeleNiveau& modele);

    // In screen coordinates.
    void dessineCiel();
    // The rest under the editor's zoom (editeur/VueEditeur.h commenceZoom).
    // Plane `plan` (0-based, as in the model) at scroll ratio `ratio`, its
    // frames' opacity scaled by alpha / 255. Nothing when the loaded level
    // has no such plane.
    void dessinePlan(int plan, const Cadrage& c, int ratio, unsigned char alpha);
    void dessineActeurs(const Cadrage& c);
    void dessineHeros();

    // Planes of the loaded level.
    int nombrePlans() const;

private:
    void rechargePlans();

    // One decoding of each sheet for the whole session: a click reads its
    // plane again but cuts its tiles from the pictures already decoded (a
    // sheet rewritten on disk is decoded again).
    CPartageImages partage_;
    std::unique_ptr<CImageGL> ciel_, lune_;
    AspectNiveau aspect_;  // the sky and moon loaded
    std::unique_ptr<CSprite> heros_;
    std::unique_ptr<CLevel> niveau_;
    std::unique_ptr<CApercuActeurs> acteurs_;
    CCopieJouable copie_;
    std::vector<std::string> textesPlans_;  // per plane: its path and text as loaded
    std::vector<ActeurEdite> acteursCharges_;
    unsigned revision_ = 0;
    bool charge_ = false;
};

}

#endif
