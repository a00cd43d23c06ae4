#ifndef CORVANTHELIS_RENDER_DECODAGEXCF_H
#define CORVANTHELIS_RENDER_DECODAGEXCF_H

// XCF pictures (the paint program's own files, versions 0 to 3) decoded
// from a file held in memory: the visible layers flattened from the bottom
// one up, each at its offsets, with its opacity and, when it is applied,
// its mask, into a 32-bit surface with alpha. Layers are painted in normal
// mode whatever mode the file gives; channels (saved selections) are not
// painted. Uncompressed and run-length tiles. Every offset, length, run and
// size is checked against the file before it is used, so a cut or hostile
// file fails instead of being read past its end.

#include <cstddef>

struct SDL_Surface;

// Null when the data holds no whole picture of a version read here, or one
// whose layers cost more to paint than the file can honestly ask for.
SDL_Surface* decodeXCF(const unsigned char* donnees, std::size_t taille);

#endif
