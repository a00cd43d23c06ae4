// Converted sprite files as CSprite::init reads them: checked and described
// from memory, then every frame loaded into a picture (OpenGL calls without
// a context do nothing, the pixel copies are real).
#include "Commun.h"
#include "render/CImageGL.h"
#include "sprites/SpriteConverti.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    SpriteConverti sprite;
    std::string erreur;
    if (!analyseSpriteConverti(donnees, taille, sprite, erreur))
        return 0;
    for (const AnimationConvertie& animation : sprite.animations)
        for (const FrameConvertie& frame : animation.frames) {
            CImageGL image;
            chargeFrameConvertie(image, donnees, frame);
        }
    return 0;
}
