#include "sprites/CSprite.h"

#include <cstdio>

// Placeholder until the converter lands.
int CSprite::convert(const char*, const char*)
{
    fprintf(stderr, "Conversion non disponible\n");
    return 1;
}
