#include "game/main.h"

#include "foundation/Temps.h"
#include "game/ControleHeros.h"
#include "game/Demarrage.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "render/PartageImages.h"
#include "scenery/CLevel.h"
#include "shell/Plateforme.h"
#include "shell/PorteeMoteur.h"
#include "shell/Signaux.h"
#include "shell/gfx.h"
#include "sound/CMusique.h"
#include "sprites/CSprite.h"

#include <SDL.h>

int mainVorna()
{
    // The first pictures decode on a worker while the display opens.
    prechargeImages(imagesDuDemarrage(true));
    CPorteeMoteur portee;
    if (!portee.ouverte()) {
        terminePrechargement();
        return portee.statut();
    }

    GestionnaireSon* son = new GestionnaireSon();
    son->init();
    son->joueMusique(fichiersJeu::MusiqueIntro, 0);

    // A quit request during the intro ends only the intro; a signal ends
    // the game too.
    introVorna();
    if (arretDemande()) {
        delete son;
        return 0;
    }

    son->stoppeMusique();
    son->joueMusique(fichiersJeu::MusiqueNiveau, -1);

    SceneJeu scene;
    chargeScene(scene);
    CImageGL* ciel = scene.ciel;
    CImageGL* lune = scene.lune;
    CLevel* niveau = scene.niveau;
    CSprite* sprite = scene.sprite;

    CControleHeros heros;
    SpriteHerosCSprite spriteHeros(sprite);

    CChronoImage chrono;
    CCompteurFPS fps;
    fps.demarre();

    auto teinte = [ciel](int touche) {
        unsigned char r, g, b;
        if (teinteCiel(touche, r, g, b))
            ciel->setBrightness(r, g, b);
    };

    bool quitter = false;
    while (!quitter) {
        // Escape still lets this frame run to its end.
        quitter = prendEvenements(teinte);

        heros.metAJour(lisTouchesHeros(SDL_GetKeyState(nullptr)), spriteHeros);

        clearScreen();
        ciel->affiche(0, 40, 0, 0, 640, 360);
        lune->affiche(500, 70);

        niveau->setPositionX(bornePositionNiveau(niveau->getPositionX()));
        avanceNiveau(*niveau, chrono.etape(), heros.defilement, heros.sensDefilement);

        sprite->affiche();
        presenteImage();
        fps.compteImage();
        attendre(1);
    }

    // Reverse order of creation; pictures go while the context still lives.
    libereScene(scene);
    delete son;
    return 0;
}
