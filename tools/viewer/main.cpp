// Sprite viewer: shows the animation named in "viewinfos.vwe" of the sprite
// "viewanims.spr" in an 800x600 window; Escape or closing the window quits.
#include "game/OutilsJeu.h"
#include "game/main.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"

#include <SDL.h>
#include <cstdlib>

namespace {
// The viewer's window is its own; the 640x480 drawing space goes over it
// once it is open.
void prepareVue()
{
    appliqueProjection(800, 600, config->largeurLogique, config->hauteurLogique);
}
}

int main()
{
    config = new CEngineGL();
    int statut = viewMode(prepareVue);
    fermeConfiguration();
    return statut;
}
