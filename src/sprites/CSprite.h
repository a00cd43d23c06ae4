#ifndef CORVANTHELIS_SPRITES_CSPRITE_H
#define CORVANTHELIS_SPRITES_CSPRITE_H

class CSprite {
public:
    // Converts a sprite data file into a file of ready texture blocks.
    // 0 on success, 1 on failure (reported on standard error).
    int convert(const char* source, const char* destination);
};

#endif
