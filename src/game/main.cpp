#include "game/main.h"

#include "foundation/Temps.h"
#include "game/ControleHeros.h"
#include "game/Demarrage.h"
#include "game/Effets.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OptionsJeu.h"
#include "game/Pause.h"
#include "game/OutilsJeu.h"
#include "game/Partie.h"
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
#include <cstdio>
#include <cstdlib>

int mainVorna()
{
    return mainVorna(OptionsJeu());
}

int mainVorna(const OptionsJeu& options)
{
    CPorteeMoteur portee(CPorteeMoteur::ConfigurationSeule);
    // A start position is a test of that place: no intro before it.
    const bool intro = config->intro && !options.positionDonnee();
    const char* fichierNiveau = options.niveau.empty() ? fichiersJeu::Niveau : options.niveau.c_str();
    const int depart = options.positionDonnee() ? bornePositionNiveau(options.position) : PositionNiveauDepart;
    // The first pictures decode on a worker while the display opens.
    prechargeImages(imagesDuDemarrage(intro, fichierNiveau));
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
    chargeScene(scene, fichierNiveau, depart);
    CImageGL* ciel = scene.ciel;
    CImageGL* lune = scene.lune;
    CLevel* niveau = scene.niveau;
    CSprite* sprite = scene.sprite;

    CControleHeros heros;
    SpriteHerosCSprite spriteHeros(sprite);

    // The rules come with the level: one without actors nor finish line
    // plays and shows exactly as the scenery alone.
    chargeEffets(*son, FichierEffets);
    SortieEffetsSon effets(son);
    CActeurs acteurs;
    int arriveeX = 0;
    const bool arrivee = acteurs.charge(fichierNiveau, true, arriveeX);
    const bool avecRegles = arrivee || !acteurs.acteurs.empty();
    CPartie partie;
    partie.commence(arrivee, arriveeX);
    CAffichagePartie affichagePartie;
    if (avecRegles)
        affichagePartie.charge();
    CAnimGL* repos = sprite->getAnimationCourante();
    const GeometrieHeros geometrie = litGeometrieHeros(fichiersJeu::Heros, repos ? repos->getMinLongueurImage() : 0,
                                                       repos ? repos->getHauteurImageCourante() : 0);

    CChronoImage chrono;
    CCompteurFPS fps;
    fps.demarre();

    // A scripted player reads what it needs to react on standard output.
    const char* sonde = getenv("CORVANTHELIS_SONDE");
    const bool avecSonde = sonde && sonde[0] == '1';

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

        if (!pause.active()) {
            const int frappe = heros.numeroFrappe;
            const bool enSaut = heros.enSaut;
            // The ending leaves the hero standing.
            heros.metAJour(partie.etat == CPartie::EnJeu ? pause.touchesHeros() : TouchesHeros(), spriteHeros);
            if (heros.numeroFrappe != frappe)
                effets.joue("frappe", SonHeros);
            if (heros.enSaut != enSaut)
                effets.joue(heros.enSaut ? "saut" : "atterrissage", SonHeros);
            if (avecRegles) {
                CAnimGL* anim = sprite->getAnimationCourante();
                HerosMonde h = herosDansLeMonde(geometrie, niveau->getPositionX(), sprite->getPositionX(),
                                                sprite->getPositionY(), sprite->getMirroirY(),
                                                anim ? anim->getNomAnimation() : nullptr,
                                                anim ? anim->getMinLongueurImage() : 0,
                                                anim ? anim->getImageCourante() : 0, heros.numeroFrappe);
                partie.metAJour(acteurs, h, niveau->getPositionX(), &effets);
                if (avecSonde && partie.etat == CPartie::EnJeu) {
                    fputs(partie.ligneSonde(acteurs, h).c_str(), stdout);
                    fflush(stdout);
                }
                niveau->setPositionX(niveau->getPositionX() + partie.reculCetteImage());
            }
        }

        clearScreen();
        dessineCiel(*ciel, *lune);

        const bool defile = heros.defilement && !partie.enRecul() && partie.etat == CPartie::EnJeu;
        avanceNiveauBorne(*niveau, chrono.etape(), defile, heros.sensDefilement);
        acteurs.dessine(niveau->getPositionX());

        if (partie.herosVisible())
            sprite->affiche();
        else if (CAnimGL* anim = sprite->getAnimationCourante())
            anim->update(); // a strike still ends while the hero blinks
        if (avecRegles)
            affichagePartie.dessineHUD(partie, acteurs);
        if (partie.etat == CPartie::Fin)
            affichagePartie.dessineFin(partie, acteurs);
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

        if (partie.etat == CPartie::Perdu || partie.finTerminee()) {
            if (partie.etat == CPartie::Perdu)
                vornaGameOver();
            // The level from its beginning (the given start); the music
            // plays on.
            niveau->setPositionX(depart);
            niveau->resteX = 0;
            acteurs.recommence();
            partie.commence(arrivee, arriveeX);
            heros = CControleHeros();
            sprite->setAnimationCourante("Repos");
            sprite->demarreAnim();
            sprite->setMirroirY(false);
            sprite->setPosition(CControleHeros::PositionX, CControleHeros::SolY);
            chrono.etape();
        }
    }

    // Reverse order of creation; pictures go while the context still lives.
    libereScene(scene);
    delete son;
    return 0;
}
