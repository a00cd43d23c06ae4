#ifndef CORVANTHELIS_GAME_DEMARRAGE_H
#define CORVANTHELIS_GAME_DEMARRAGE_H

// The game's start: what it draws in its first level frame, and the
// pictures decoded for it while the display opens.
//
// imagesDuDemarrage lists, in the order the game needs them, the pictures
// of that first frame: the intro's first pictures when it plays, the sky,
// the moon, the level's sheets and the hero's sheets. It reads the level,
// plane and sprite files through the loaders' own readers, silent: the
// loaders still say what is missing when they run. Needs no display; give the list to prechargeImages
// (render/PartageImages.h) before opening it.
//
// A level's look (AspectNiveau) is its sky, moon and music, from the
// optional keys of its [Entete]; a level without them looks and sounds like
// the first one. chargeCiel and dessineCiel load and draw the sky and the
// moon where the game's screen shows them, for the game and for the
// editor's view alike.
//
// chargeScene reads the level's look, loads the sky, the moon, the level
// (at its start position) and the hero (playing "Repos"), taking what the
// prefetch decoded, then ends the prefetch; the caller starts the look's
// music. It needs `config` and the display. The scene owns its four
// objects; libereScene deletes them while the context lives.

#include "game/FichiersJeu.h"

#include <string>
#include <vector>

class CImageGL;
class CLevel;
class CSprite;

struct AspectNiveau {
    std::string ciel = fichiersJeu::Ciel;
    std::string lune = fichiersJeu::Lune;
    std::string musique = fichiersJeu::MusiqueNiveau;
    int luneX = 500;
    int luneY = 70;
};
// The look a level file asks for. Missing keys keep the defaults; a bad
// value is said in one line on standard error and keeps its default too.
// A missing level file is the default look, silently (its loader says it).
// `muet` says nothing at all (the prefetch, which looks ahead of the load).
AspectNiveau litAspectNiveau(const char* fichierNiveau, bool muet = false);

std::vector<std::string> imagesDuDemarrage(bool avecIntro, const char* niveau = fichiersJeu::Niveau);

struct SceneJeu {
    CImageGL* ciel = nullptr;
    CImageGL* lune = nullptr;
    CLevel* niveau = nullptr;
    CSprite* sprite = nullptr;
    AspectNiveau aspect;
};

// Both need `config` and the display; the pictures belong to the caller.
// A level's own sky or moon that cannot be loaded gives way to the default
// one, after the loader's message.
void chargeCiel(CImageGL& ciel, CImageGL& lune, const AspectNiveau& aspect = AspectNiveau());
void dessineCiel(CImageGL& ciel, CImageGL& lune, const AspectNiveau& aspect = AspectNiveau());

// `positionNiveau` < 0: the level's usual start position.
void chargeScene(SceneJeu& scene, const char* niveau = fichiersJeu::Niveau, int positionNiveau = -1);
void libereScene(SceneJeu& scene);

#endif
