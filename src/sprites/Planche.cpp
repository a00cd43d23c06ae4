#include "sprites/Planche.h"

#include "foundation/InputOutput.h"
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

int chargeRectanglePlanche(CImageGL& image, SDL_Surface* planche, const RectanglePlanche& rectangle,
                           int r, int g, int b, bool bilineaire)
{
    int largeur = rectangle.longueur;
    int hauteur = rectangle.hauteur;
    // The picture loader lowers a picture's size to its sheet's, so asking
    // for more only builds textures that stay transparent: with a size of
    // 65535 by 65535 from a bad file, gigabytes of them.
    if (planche) {
        if (largeur > planche->w)
            largeur = planche->w;
        if (hauteur > planche->h)
            hauteur = planche->h;
    }
    return image.chargeImageSDL(planche, rectangle.positionX, rectangle.positionY, largeur, hauteur,
                                r, g, b, bilineaire);
}
