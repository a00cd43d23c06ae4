#ifndef CORVANTHELIS_SPRITES_SPRITECONVERTI_H
#define CORVANTHELIS_SPRITES_SPRITECONVERTI_H

// The converted sprite file: every frame already cut out of its sheet and
// padded to a power-of-two block of RGBA pixels. The converter
// (sprites/ConversionSprite.h) writes it from a sprite data file;
// CSprite::init reads it back. Sizes and marks: sprites/FormatSprite.h.
//
// Sprite data file (read), little-endian, records back to back:
//   header 28:     name[24], uint32 animation count
//   animation 76:  name[20], uint32 frame count, sheet file name[52]
//   frame 80:      int32 x, int32 y, int32 height, int32 width, then 64
//                  bytes of the producer's. Ours (spritedata) start them
//                  with "CVTS", uint32 version 1, uint32 pause (ms), then
//                  red, green, blue, flag (1: the colour key of the frame).
//                  Without that mark they are not read: default pause, no
//                  colour key.
// Converted file (written), little-endian, records back to back, nothing
// after the last:
//   header 22:     name[20] (NUL inside), uint16 animation count
//   animation 32:  name[30] (NUL inside), uint16 frame count
//   frame 40:      uint16 width w, uint16 height h, then 36 reserved bytes;
//                  this converter writes "CVTC", uint32 version 1, uint32
//                  pause (ms) and zeros. The reader takes the pause only
//                  behind that mark, PAUSE_PAR_DEFAUT otherwise.
//   then the pixel block: calcPower(h) rows of calcPower(w) pixels, 4 bytes
//   each (red, green, blue, alpha); the frame in the top-left w x h corner,
//   zero elsewhere; colour-keyed pixels already transparent black.
//
// Reading is split so that it can run without a display: litSpriteConverti
// checks a whole file and describes it (nothing is trusted: every count is
// checked against the bytes that are really there, and a file larger than
// TAILLE_MAX_SPRITE_CONVERTI is refused before anything is read), then
// chargeFrameConvertie turns one frame into a picture, which needs `config`
// and a current GL context.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CImageGL;

// The largest converted file read (the demo hero takes under 3 MB).
const size_t TAILLE_MAX_SPRITE_CONVERTI = 64u * 1024 * 1024;

struct FrameConvertie {
    int longueur;        // w, 1 .. TAILLE_MAX_IMAGE
    int hauteur;         // h, 1 .. TAILLE_MAX_IMAGE
    int largeurBloc;     // calcPower(w)
    int hauteurBloc;     // calcPower(h)
    uint32_t pause;      // ms
    size_t debutPixels;  // offset of the pixel block in the file's bytes
};

struct AnimationConvertie {
    std::string nom;     // at most 19 characters, as an animation holds it
    std::vector<FrameConvertie> frames;
};

struct SpriteConverti {
    std::string nom;
    std::vector<AnimationConvertie> animations;
};

// Checks and describes a converted file held in memory. True when it is
// whole and consistent; otherwise false with the reason, in French, in
// `erreur`, and `sprite` empty. Allocates only the descriptions, which are
// bounded by the size of the data.
bool analyseSpriteConverti(const unsigned char* donnees, size_t taille, SpriteConverti& sprite,
                           std::string& erreur);

// Reads the file `fichier` into `donnees` and describes it. 0 on success;
// 1 when it cannot be read, is too large or is not a whole converted file,
// after "Sprite converti illisible : <raison>" and "Fichier : <nom>" on
// standard error.
int litSpriteConverti(const char* fichier, std::vector<unsigned char>& donnees, SpriteConverti& sprite);

// Loads `frame`, whose pixels lie in `donnees`, into `image`. 0 or 1 as the
// picture loader says.
int chargeFrameConvertie(CImageGL& image, const unsigned char* donnees, const FrameConvertie& frame);

#endif
