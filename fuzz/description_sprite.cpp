// Sprite description files, loaded whole: the description reader, the
// counts' bounds and the frames cut from the sheet "p.bmp" when the file
// names it. OpenGL calls without a context do nothing, so no display is
// needed.
#include "Commun.h"
#include "foundation/IndexProfil.h"
#include "sprites/CSprite.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    fuzz::ecrit("sprite.ini", donnees, taille);
    {
        CSprite sprite;
        sprite.initFromIniFile("sprite.ini");
        sprite.setAnimationCourante("Marche");
        sprite.demarreAnim();
        sprite.setMirroirY(true);
        sprite.affiche();
    }
    oublieProfil("sprite.ini");
    return 0;
}
