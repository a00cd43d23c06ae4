// Picture files through the engine's picture loader, with a real OpenGL
// context: needs a display (run it under Xvfb). Each input is loaded whole,
// as a rectangle with a colour key and as a single-texture picture, and
// drawn. The file is named after the format its header shows, so every
// decoder is reached; an input the header reader does not know goes, by its
// last byte, either to the TGA reader (which only the name selects) or to
// the decoder's own guess among the other formats.
#include "Commun.h"
#include "render/CImageGL.h"
#include "render/EnteteImage.h"
#include "shell/PorteeMoteur.h"

#include <SDL.h>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    FILE* f = fopen("config.ini", "w");
    fputs("[VIDEO]\nResolutionHorizontale=64\nResolutionVerticale=64\nPleinEcran=0\nVSync=0\n", f);
    fclose(f);
    // Open for the whole run; the process ends without closing it.
    static CPorteeMoteur* portee = new CPorteeMoteur();
    if (!portee->ouverte())
        abort();
    return 0;
}

namespace {

const char* nomPour(const uint8_t* donnees, size_t taille)
{
    switch (lisEnteteImage(donnees, taille).format) {
    case FORMAT_PNG:
        return "image.png";
    case FORMAT_JPEG:
        return "image.jpg";
    case FORMAT_GIF:
        return "image.gif";
    case FORMAT_BMP:
        return "image.bmp";
    case FORMAT_ICO:
        return "image.ico";
    case FORMAT_XCF:
        return "image.xcf";
    case FORMAT_XPM:
        return "image.xpm";
    case FORMAT_PCX:
        return "image.pcx";
    case FORMAT_PNM:
        return "image.pnm";
    case FORMAT_LBM:
        return "image.lbm";
    case FORMAT_TGA:
        return "image.tga";
    default:
        return taille > 0 && (donnees[taille - 1] & 1) ? "image.tga" : "image.img";
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const char* nom = nomPour(donnees, taille);
    fuzz::ecrit(nom, donnees, taille);
    CImageGL entiere;
    if (entiere.chargeImageSDL(nom, -1, 0, 0) == 0)
        entiere.affiche(0, 0);
    CImageGL rectangle;
    if (rectangle.chargeImageSDL(nom, 3, 2, 300, 20, 255, 0, 255, true) == 0)
        rectangle.affiche(0, 0, 1, 1, 10, 10);
    CImageGL3 unique;
    if (unique.chargeImageSDL(nom, 0, 0, 0) == 0)
        unique.affiche(0, 0);
    remove(nom);
    return 0;
}
