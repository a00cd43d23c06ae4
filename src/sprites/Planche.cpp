#include "sprites/Planche.h"

#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "foundation/util.h"
#include "sprites/SchemaSprite.h"
#include "render/CImageGL.h"

#include <SDL.h>

RectanglePlanche lisRectanglePlanche(InputOutput& io, const char* section, const char* fichier, bool muet)
{
    RectanglePlanche r;
    int v;
    litEntierCle(io, section, schemaSprite::RectX, fichier, v, muet);
    r.positionX = static_cast<int16_t>(v);
    litEntierCle(io, section, schemaSprite::RectY, fichier, v, muet);
    r.positionY = static_cast<int16_t>(v);
    litEntierCle(io, section, schemaSprite::RectLongueur, fichier, v, muet);
    r.longueur = static_cast<uint16_t>(v);
    litEntierCle(io, section, schemaSprite::RectHauteur, fichier, v, muet);
    r.hauteur = static_cast<uint16_t>(v);
    return r;
}

void borneRectanglePlanche(RectanglePlanche& rectangle, const SDL_Surface* planche)
{
    if (!planche)
        return;
    if (rectangle.longueur > planche->w)
        rectangle.longueur = static_cast<uint16_t>(planche->w);
    if (rectangle.hauteur > planche->h)
        rectangle.hauteur = static_cast<uint16_t>(planche->h);
}

bool prelevePlanche(CBudgetChargement& budget, const SDL_Surface* planche)
{
    return !planche || budget.preleveImage(planche, static_cast<long long>(planche->pitch) * planche->h);
}

long long octetsRectanglePlanche(const SDL_Surface* planche, const RectanglePlanche& rectangle)
{
    RectanglePlanche borne = rectangle;
    borneRectanglePlanche(borne, planche);
    return 4LL * calcPower(borne.longueur) * calcPower(borne.hauteur);
}

int chargeRectanglePlanche(CImageGL& image, SDL_Surface* planche, const RectanglePlanche& rectangle,
                           int r, int g, int b, bool bilineaire)
{
    RectanglePlanche borne = rectangle;
    borneRectanglePlanche(borne, planche);
    return image.chargeImageSDL(planche, borne.positionX, borne.positionY, borne.longueur, borne.hauteur,
                                r, g, b, bilineaire);
}
