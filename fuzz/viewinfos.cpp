// The sprite viewer's "viewinfos.vwe": the animation name it holds, then
// selected on a sprite as the viewer does.
#include "Commun.h"
#include "game/main.h"
#include "sprites/CSprite.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    fuzz::ecrit("viewinfos.vwe", donnees, taille);
    char nom[20];
    if (lisNomAnimationVue("viewinfos.vwe", nom)) {
        CSprite sprite;
        sprite.setAnimationCourante(nom);
        sprite.demarreAnim();
    }
    return 0;
}
