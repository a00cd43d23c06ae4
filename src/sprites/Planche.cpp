#include "sprites/Planche.h"

#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "foundation/util.h"
#include "render/CImageGL.h"

#include <SDL.h>

RectanglePlanche lisRectanglePlanche(InputOutput& io, const char* section, const char* fichier)
{
    RectanglePlanche r;
    r.positionX = static_cast<int16_t>(io.getPrivateProfileInt(section, "positionX", 0, fichier, false));
    r.positionY = static_cast<int16_t>(io.getPrivateProfileInt(section, "positionY", 0, fichier, false));
    r.longueur = static_cast<uint16_t>(io.getPrivateProfileInt(section, "longueur", 0, fichier, false));
    r.hauteur = static_cast<uint16_t>(io.getPrivateProfileInt(section, "hauteur", 0, fichier, false));
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
