#include "foundation/util.h"

#include <cmath>

namespace {
// The angle conversion deliberately uses this ten-decimal value: results are
// truncated, and the slightly small pi decides values such as 30 degrees.
const double PI_DIX_DECIMALES = 3.1415926535;

double radians(double angle)
{
    return angle * 2.0 * PI_DIX_DECIMALES / 360.0;
}
}

int calcPower(int n)
{
    if (n > (1 << 30))
        return 0;
    int resultat = 0;
    int exposant = 0;
    while (n > resultat) {
        resultat = static_cast<int>(pow(2.0, exposant));
        ++exposant;
    }
    return resultat;
}

void getMap(int x, int y, int w, int h, int totalW, int totalH,
            float& uLeft, float& uRight, float& vTop, float& vBottom)
{
    if (totalW == 0 || totalH == 0) {
        uLeft = uRight = vTop = vBottom = 0.0f;
        return;
    }
    if (x > totalW)
        x = totalW;
    if (x + w > totalW)
        w = totalW - x;
    if (y > totalH)
        y = totalH;
    if (y + h > totalH)
        h = totalH - y;
    uRight = static_cast<float>(static_cast<double>(x + w) / totalW);
    uLeft = static_cast<float>(static_cast<double>(x) / totalW);
    vBottom = static_cast<float>(static_cast<double>(y + h) / totalH);
    vTop = static_cast<float>(static_cast<double>(y) / totalH);
}

int calcTransX(int x, int y, double angle)
{
    double t = radians(angle);
    return static_cast<int>(x * cos(t) - y * sin(t));
}

int calcTransY(int x, int y, double angle)
{
    double t = radians(angle);
    return static_cast<int>(x * sin(t) + y * cos(t));
}

int isPointInQuad(int px, int py, int x, int y, int w, int h)
{
    return (px >= x && px <= x + w && py >= y && py <= y + h) ? 1 : 0;
}

uint32_t getColorKeyValue(uint8_t rouge, uint8_t vert, uint8_t bleu, uint8_t alpha)
{
    return (static_cast<uint32_t>(alpha) << 24) | (static_cast<uint32_t>(rouge) << 16) |
           (static_cast<uint32_t>(vert) << 8) | bleu;
}
