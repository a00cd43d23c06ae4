// Picture tests: imagetests sprite | zoom | img
//   sprite: the sprite "c:\ficresult.tst" at 400, 400
//   zoom:   "c:\data\vorna\TEST.JPG" growing and turning
//   img:    "c:\data\vorna\TEST2.JPG" at opacity 120 over "c:\data\vorna\TEST.JPG"
// The names, backslashes included, are plain file names in the working
// folder. Escape or closing the window quits.
#include "foundation/DossierDepart.h"
#include "game/OutilsJeu.h"
#include "game/main.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    void (*mode)() = nullptr;
    if (argc == 2 && strcmp(argv[1], "sprite") == 0)
        mode = testSprite;
    else if (argc == 2 && strcmp(argv[1], "zoom") == 0)
        mode = testZoom;
    else if (argc == 2 && strcmp(argv[1], "img") == 0)
        mode = testImg;
    if (!mode) {
        fprintf(stderr, "Usage : imagetests sprite|zoom|img\n");
        return 2;
    }
    choisitDossierJeu();
    return lanceSurAffichage(mode);
}
