#ifndef CORVANTHELIS_SPRITES_PLANCHE_H
#define CORVANTHELIS_SPRITES_PLANCHE_H

// Frames cut out of a sheet picture (a "planche"), as sprites and background
// tiles describe them: a rectangle read from a profile section, then copied
// out of the decoded sheet into a picture.
//
// Reading needs nothing but the file. Cutting creates textures, so it needs
// `config` and a current GL context; the sheet surface stays the caller's.

#include <cstdint>

class CBudgetChargement;
class CImageGL;
class InputOutput;
struct SDL_Surface;

// A frame's rectangle in its sheet, in the 16 bits the files allow.
struct RectanglePlanche {
    int16_t positionX;
    int16_t positionY;
    uint16_t longueur;
    uint16_t hauteur;
};

// Keys positionX, positionY, longueur and hauteur of `section`, default 0,
// each kept to its low 16 bits (a longueur of -1 reads as 65535). A value
// outside sprites/SchemaSprite.h's range is said unless muet.
RectanglePlanche lisRectanglePlanche(InputOutput& io, const char* section, const char* fichier, bool muet = false);

// Lowers the rectangle's width and height to the sheet's (a null sheet
// changes nothing). The picture loader lowers a picture's size to its
// sheet's anyway, so asking for more only builds blocks that stay
// transparent: with a size of 65535 by 65535 from a bad file, gigabytes.
void borneRectanglePlanche(RectanglePlanche& rectangle, const SDL_Surface* planche);

// Bytes that cutting `rectangle` out of `planche` keeps at most: the padded
// pixel buffers of the frame cut by borneRectanglePlanche.
long long octetsRectanglePlanche(const SDL_Surface* planche, const RectanglePlanche& rectangle);

// Charges the decoded sheet to the load's budget (once per sheet); false
// when it does not fit.
bool prelevePlanche(CBudgetChargement& budget, const SDL_Surface* planche);

// Loads `rectangle` of `planche`, cut by borneRectanglePlanche, into
// `image` with the colour key (r, g, b), r = -1 for none. 0 on success, 1 on failure (the picture is then empty).
int chargeRectanglePlanche(CImageGL& image, SDL_Surface* planche, const RectanglePlanche& rectangle,
                           int r, int g, int b, bool bilineaire);

#endif
