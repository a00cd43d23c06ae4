#include "foundation/Temps.h"

#include <SDL.h>

namespace {
bool facticeActif = false;
uint32_t tempsFactice = 0;
}

uint32_t tempsCourant()
{
    return facticeActif ? tempsFactice : SDL_GetTicks();
}

void attendre(uint32_t ms)
{
    if (facticeActif)
        tempsFactice += ms;
    else
        SDL_Delay(ms);
}

void fixeTempsFactice(uint32_t ms)
{
    facticeActif = true;
    tempsFactice = ms;
}

void avanceTempsFactice(uint32_t ms)
{
    tempsFactice += ms;
}

void retireTempsFactice()
{
    facticeActif = false;
}
