#ifndef CORVANTHELIS_FOUNDATION_UTIL_H
#define CORVANTHELIS_FOUNDATION_UTIL_H

// Small arithmetic shared by the drawing classes. No state, no GL.

#include <cstdint>

// Smallest power of two not below n; 0 for n <= 0 and for n above 2^30.
int calcPower(int n);

// Pixel rectangle (x, y, w, h) inside a totalW x totalH texture to texture
// coordinates. Only the upper side is clamped. A total of 0 gives zeros.
void getMap(int x, int y, int w, int h, int totalW, int totalH,
            float& uLeft, float& uRight, float& vTop, float& vBottom);

// Rotation of (x, y) about the origin by `angle` degrees, truncated toward
// zero. With y pointing down a positive angle turns clockwise on screen.
int calcTransX(int x, int y, double angle);
int calcTransY(int x, int y, double angle);

// 1 when (px, py) lies in the closed rectangle, else 0.
int isPointInQuad(int px, int py, int x, int y, int w, int h);

// Packs a colour as 0xAARRGGBB.
uint32_t getColorKeyValue(uint8_t rouge, uint8_t vert, uint8_t bleu, uint8_t alpha);

#endif
