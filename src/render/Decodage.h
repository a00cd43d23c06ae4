#ifndef CORVANTHELIS_RENDER_DECODAGE_H
#define CORVANTHELIS_RENDER_DECODAGE_H

// The one door through which picture files become SDL surfaces. Every loader
// (pictures, sheets of sprites and planes, the converter) decodes through
// decodeImage, so checks on the file and sharing of decoded pictures live in
// one place. Needs no display. decodeImage itself is defined with the sharing
// (render/PartageImages.cpp); a surface it returns may be shared: change
// nothing in it but its per-surface alpha flag.

struct SDL_Surface;

// A new surface holding the picture file, or null when it cannot be read
// (null name included). The caller frees it with SDL_FreeSurface. Prints
// nothing: the callers keep their own messages.
SDL_Surface* decodeImage(const char* fichier);

// Reads and decodes the file itself, every time. decodeImage comes here
// through the sharing layer (render/PartageImages.h), which is its only
// caller.
SDL_Surface* decodeFichierImage(const char* fichier);

// No picture the engine accepts needs a bigger file.
const long long TAILLE_FICHIER_IMAGE_MAX = 256LL * 1024 * 1024;

#endif
