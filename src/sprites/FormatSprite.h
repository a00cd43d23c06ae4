#ifndef CORVANTHELIS_SPRITES_FORMATSPRITE_H
#define CORVANTHELIS_SPRITES_FORMATSPRITE_H

// Byte layouts shared by the sprite data file (spritedata writes it, the
// converter reads it) and the converted file (the converter writes it, the
// reader takes it back): record sizes, the marks that say which spare bytes
// this program filled itself, and little-endian access.
//
// Spare bytes belong to whoever wrote the file. They are read only behind
// this program's own tag and a version it knows; any other content counts
// as foreign and is ignored.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace formatsprite {

// Sprite data file (the converter's source).
const size_t SRC_ENTETE = 28, SRC_ANIM = 76, SRC_FRAME = 80;
// Its frame record's own bytes start here: tag, version, pause, colour key.
const size_t SRC_PROPRE = 16;
const size_t SRC_TAG = SRC_PROPRE, SRC_VERSION = SRC_PROPRE + 4, SRC_PAUSE = SRC_PROPRE + 8,
             SRC_CLE = SRC_PROPRE + 12;

// Converted file.
const size_t DST_ENTETE = 22, DST_ANIM = 32, DST_FRAME = 40;
const size_t DST_TAG = 4, DST_VERSION = 8, DST_PAUSE = 12;

const char TAG_SOURCE[4] = {'C', 'V', 'T', 'S'};
const char TAG_CONVERTI[4] = {'C', 'V', 'T', 'C'};
const uint32_t VERSION_FORMAT = 1;

// The pause of a frame whose file does not carry one: a foreign file still
// animates, at a plausible pace.
const uint32_t PAUSE_PAR_DEFAUT = 100;

inline uint32_t lit32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint16_t lit16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline void ecrit16(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

inline void ecrit32(unsigned char* p, uint32_t v)
{
    ecrit16(p, v & 0xFFFF);
    ecrit16(p + 2, v >> 16);
}

// True when `p` holds `tag` followed by a version this program reads.
inline bool porteMarque(const unsigned char* p, const char (&tag)[4])
{
    return memcmp(p, tag, 4) == 0 && lit32(p + 4) == VERSION_FORMAT;
}

inline void ecritMarque(unsigned char* p, const char (&tag)[4])
{
    memcpy(p, tag, 4);
    ecrit32(p + 4, VERSION_FORMAT);
}

}  // namespace formatsprite

#endif
