// The converter's source files, converted with the sheet "p.bmp" at hand.
// A conversion that succeeds must write a file its own reader accepts.
#include "Commun.h"
#include "sprites/ConversionSprite.h"
#include "sprites/SpriteConverti.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    fuzz::ecrit("source.dat", donnees, taille);
    remove("sortie.spr");
    if (convertitSprite("source.dat", "sortie.spr") == 0) {
        std::vector<unsigned char> octets;
        SpriteConverti sprite;
        if (litSpriteConverti("sortie.spr", octets, sprite) != 0)
            abort();
    }
    return 0;
}
