#include "game/main.h"

#include "foundation/Temps.h"
#include "game/ControleHeros.h"
#include "game/Demarrage.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/Pause.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "render/PartageImages.h"
#include "scenery/CLevel.h"
#include "shell/CEngineGL.h"
#include "shell/CaptureEcran.h"
#include "shell/Plateforme.h"
#include "shell/PorteeMoteur.h"
#include "shell/Signaux.h"
#include "shell/gfx.h"
#include "sound/CMusique.h"
#include "sprites/CSprite.h"

#include <SDL.h>

int mainVorna()
{
    CPorteeMoteur portee(CPorteeMoteur::ConfigurationSeule);
    const bool intro = config->intro;
    // The first pictures decode on a worker while the display opens.
    prechargeImages(imagesDuDemarrage(intro));
    if (!portee.ouvreAffichage()) {
        terminePrechargement();
        return portee.statut();
    }

    GestionnaireSon* son = new GestionnaireSon();
    son->init();
    son->setVolumeZic(config->volumeMusique * MIX_MAX_VOLUME / 100);
    son->setVolumeSons(config->volumeEffets * MIX_MAX_VOLUME / 100);
    if (intro) {
        son->joueMusique(fichiersJeu::MusiqueIntro, 0);
        // A quit request or a skip during the intro ends only the intro; a
        // signal ends the game too.
        introVorna();
        if (arretDemande()) {
            delete son;
            return 0;
        }
        son->stoppeMusique();
    }
    son->joueMusique(fichiersJeu::MusiqueNiveau, -1);
    ouvreManette();

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

    CPauseJeu pause(son);
    bool capture = false;
    auto surEvenement = [&](const SDL_Event& evenement) {
        if (evenement.type == SDL_KEYDOWN && evenement.key.keysym.sym == SDLK_F12) {
            capture = true;
            return false;
        }
        bool enPause = pause.active();
        if (pause.traite(evenement))
            return true;
        unsigned char r, g, b;
        if (!enPause && !pause.active() && evenement.type == SDL_KEYDOWN
            && teinteCiel(evenement.key.keysym.sym, r, g, b))
            ciel->setBrightness(r, g, b);
        return false;
    };

    bool quitter = false;
    while (!quitter) {
        // Escape still lets this frame run to its end.
        quitter = prendEvenements(surEvenement, ViderFile);

        if (!pause.active())
            heros.metAJour(pause.touchesHeros(), spriteHeros);

        clearScreen();
        ciel->affiche(0, 40, 0, 0, 640, 360);
        lune->affiche(500, 70);

        niveau->setPositionX(bornePositionNiveau(niveau->getPositionX()));
        avanceNiveau(*niveau, chrono.etape(), heros.defilement, heros.sensDefilement);

        sprite->affiche();
        pause.dessine();
        if (capture) {
            // The picture of this frame, before it is shown.
            enregistreCapture();
            capture = false;
        }
        presenteImage();
        fps.compteImage();
        if (pause.active())
            attendEvenement(300);
        else
            attendre(1);
    }

    // Reverse order of creation; pictures go while the context still lives.
    libereScene(scene);
    delete son;
    return 0;
}
