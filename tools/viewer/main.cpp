// Sprite viewer: shows the animation named in "viewinfos.vwe" of a converted
// sprite file in an 800x600 window; Escape or closing the window quits.
//
//   viewer [fichier]     (default "viewanims.spr")
#include "game/main.h"
#include "foundation/DossierDepart.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc > 2) {
        fprintf(stderr, "Usage : viewer [sprite converti]\n");
        return 2;
    }
    choisitDossierJeu();
    const std::string fichier = cheminDepuisDepart(argc == 2 ? argv[1] : nullptr);
    return viewMode(argc == 2 ? fichier.c_str() : nullptr);
}
