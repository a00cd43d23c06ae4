#include "render/Decodage.h"

#include <SDL.h>
#include <SDL_image.h>

SDL_Surface* decodeImage(const char* fichier)
{
    return fichier ? IMG_Load(fichier) : nullptr;
}
