#ifndef CORVANTHELIS_RENDER_DECODAGEBIBLIOTHEQUE_H
#define CORVANTHELIS_RENDER_DECODAGEBIBLIOTHEQUE_H

// The one step of picture decoding that differs between the desktop and the
// browser: the decoding libraries' own call. The file's checks before it and
// the plausibility check after it are shared (render/Decodage.cpp). The
// desktop's is render/DecodageBibliotheque.cpp (SDL_image, giflib, libtiff);
// the browser's is web/DecodageWeb.cpp (stb_image).

#include "render/EnteteImage.h"

#include <cstddef>

struct SDL_Surface;

// A new surface from `taille` bytes of a file whose header reads `entete`
// (`suffixe`: its extension, or null), or null when the library refuses it.
SDL_Surface* decodeParBibliotheque(const unsigned char* donnees, std::size_t taille, const EnteteImage& entete,
                                   const char* suffixe);

#endif
