#ifndef CORVANTHELIS_RENDER_DECODAGETIFF_H
#define CORVANTHELIS_RENDER_DECODAGETIFF_H

// TIFF pictures decoded with libtiff from a file held in memory, as a 32-bit
// RGBA surface of the first directory. The size the directory declares is
// checked against the picture limits, and against what the file can hold,
// before any pixel is allocated; the file handle is closed on every path
// (the picture library's own reader keeps it when a picture fails).

#include <cstddef>

struct SDL_Surface;

// True when the data starts with a TIFF signature.
bool signatureTIFF(const unsigned char* donnees, std::size_t taille);

// Null when the data holds no readable picture or one past the limits.
// Prints nothing.
SDL_Surface* decodeTIFF(const unsigned char* donnees, std::size_t taille);

#endif
