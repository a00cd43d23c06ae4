#include "game/main.h"

#include "foundation/Messages.h"
#include "foundation/FichierOrdinaire.h"
#include "foundation/Temps.h"
#include "game/ApercuActeurs.h"
#include "game/FichiersJeu.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "scenery/CLevel.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/PorteeMoteur.h"
#include "shell/gfx.h"
#include "sprites/CSprite.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// The loop the plain modes share: until Escape or a window close, take every
// pending event (other key presses go to `surTouche`), sample the held keys,
// clear, draw, present, then wait `pause` ms. The events of a pass are all
// taken before the end is decided, so that pass's frame is still shown.
void boucleMode(const std::function<void()>& dessine, uint32_t pause = 0,
                const std::function<void(int)>& surTouche = nullptr)
{
    bool fin = false;
    while (!fin) {
        fin = prendEvenements(surTouche);
        SDL_GetKeyState(nullptr);
        clearScreen();
        if (dessine)
            dessine();
        presenteImage();
        if (pause > 0)
            attendre(pause);
    }
}

}

int mainCorvanthelis()
{
    CPorteeMoteur portee;
    if (!portee.ouverte())
        return portee.statut();
    CLevel* niveau = new CLevel();
    niveau->initFromIniFile(fichiersJeu::NiveauVisionneuse);
    CApercuActeurs acteurs;
    acteurs.charge(fichiersJeu::NiveauVisionneuse);

    CDefilementVue defilement(tempsCourant());
    CCompteurFPS fps(true);
    fps.demarre();

    bool quitter = false;
    while (!quitter) {
        quitter = prendEvenements();
        Uint8* clavier = SDL_GetKeyState(nullptr);
        clearScreen();
        defilement.etape(*niveau, clavier);
        acteurs.affiche(niveau->getPositionX());
        presenteImage();
        fps.compteImage();
    }

    delete niveau;
    return 0;
}

void CDefilementVue::etape(CLevel& niveau, const unsigned char* clavier)
{
    bool defilement = false;
    if (clavier[SDLK_RIGHT]) {
        defilement = true;
        sensDefilement = true;
    }
    // Tested second, so Left wins when both are held.
    if (clavier[SDLK_LEFT]) {
        defilement = true;
        sensDefilement = false;
    }

    if (niveau.getPositionX() <= 0)
        niveau.setPositionX(1);
    avanceNiveau(niveau, chrono.etape(), defilement, sensDefilement);
}

namespace {
const int LongueurNomVue = fichiersJeu::LongueurNomVue;
}

bool lisNomAnimationVue(const char* fichier, char nom[LongueurNomVue])
{
    FILE* f = ouvreFichierOrdinaire(fichier, "r");
    if (!f)
        return false;
    size_t lus = fread(nom, 1, LongueurNomVue, f);
    fclose(f);
    return lus == static_cast<size_t>(LongueurNomVue) && memchr(nom, '\0', LongueurNomVue);
}

int viewMode(const char* fichier)
{
    // A window of its own, 800 x 600 and never full screen, but opened like
    // every mode's: configuration, title, pacing and the drawing space.
    CPorteeMoteur portee(CPorteeMoteur::AvecAffichage, [](CEngineGL& reglage) {
        reglage.pleinEcran = false;
        reglage.resolutionHorizontale = 800;
        reglage.resolutionVerticale = 600;
    });
    if (!portee.ouverte())
        return portee.statut();
    if (!fichier)
        fichier = fichiersJeu::AnimsVue;

    char nom[LongueurNomVue];
    bool anime = lisNomAnimationVue(fichiersJeu::InfosVue, nom);
    if (!anime)
        messageErreur("viewinfos.vwe illisible : aucune animation\n");

    CSprite* sprite = new CSprite();
    sprite->init(fichier);
    if (anime) {
        sprite->setAnimationCourante(nom);
        CAnimGL* choisie = sprite->getAnimationCourante();
        if (choisie && strcmp(choisie->getNomAnimation(), nom) != 0) {
            messageErreur("Animation absente du sprite : %s\n", nom);
            messageErreur("Fichier : %s\n", fichier);
        }
        sprite->demarreAnim();
    }

    boucleMode([&] {
        if (anime)
            sprite->affiche();
    });
    delete sprite;
    return 0;
}

void testSprite()
{
    CSprite* sprite = new CSprite();
    sprite->init("c:\\ficresult.tst");
    sprite->stoppeAnim();
    sprite->setPosition(400, 400);
    sprite->demarreAnim();

    boucleMode([&] { sprite->affiche(); }, 20);
    delete sprite;
}

void testZoom()
{
    CImageGL* image = new CImageGL();
    image->chargeImageSDL("c:\\data\\vorna\\TEST.JPG", 0, 0, 0);
    int zoom = 1;
    int angle = 0;

    boucleMode(
        [&] {
            image->setZoom(zoom);
            image->setRotation(angle);
            image->affiche(80, 60);
            // The next frame's values; this one is drawn already.
            zoom += 10;
            if (zoom > 1000)
                zoom = 1;
            ++angle;
        },
        20);
    delete image;
}

void testImg()
{
    CImageGL* premiere = new CImageGL();
    CImageGL* seconde = new CImageGL();
    premiere->chargeImageSDL("c:\\data\\vorna\\TEST.JPG", -1, 0, 0);
    seconde->chargeImageSDL("c:\\data\\vorna\\TEST2.JPG", -1, 0, 0);

    boucleMode([&] {
        premiere->affiche(80, 60);
        seconde->setAlphaBlending(120);
        seconde->affiche(0, 0);
    });
    delete seconde;
    delete premiere;
}
