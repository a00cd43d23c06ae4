#ifndef CORVANTHELIS_RENDER_DECODAGEGIF_H
#define CORVANTHELIS_RENDER_DECODAGEGIF_H

// GIF pictures decoded with giflib from a file held in memory: the first
// image, as an 8-bit surface with a 256-colour palette and the transparent
// index as its colour key. Every read is checked against the data's end, so
// a truncated or malformed file fails at once instead of being waited on.

#include <cstddef>

struct SDL_Surface;

// Null when the data holds no whole first image, or when an image is
// larger than the picture limits.
SDL_Surface* decodeGIF(const unsigned char* donnees, std::size_t taille);

#endif
