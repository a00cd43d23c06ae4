#include "game/main.h"

#include "foundation/Temps.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "scenery/CLevel.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/gfx.h"
#include "sprites/CSprite.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>

int mainCorvanthelis()
{
    if (ouvreAffichage() != 0) {
        fermeConfiguration();
        return 1;
    }
    CLevel* niveau = new CLevel();
    niveau->initFromIniFile("./dataqv/levels/level1.ini");

    uint32_t debutDessin = tempsCourant();
    CCompteurFPS fps(true);
    fps.demarre();

    bool quitter = false;
    while (!quitter) {
        quitter = prendEvenements();

        Uint8* clavier = SDL_GetKeyState(nullptr);
        bool defilement = false;
        bool sensDefilement = false;
        if (clavier[SDLK_RIGHT]) {
            defilement = true;
            sensDefilement = true;
        }
        // Tested second, so Left wins when both are held.
        if (clavier[SDLK_LEFT]) {
            defilement = true;
            sensDefilement = false;
        }

        clearScreen();
        uint32_t debut = tempsCourant();
        if (niveau->getPositionX() <= 0)
            niveau->setPositionX(1);
        int ecoule = static_cast<int>(tempsCourant() - debutDessin);
        if (defilement)
            niveau->drawScene(ecoule, ecoule, true, sensDefilement, false, false);
        else
            niveau->drawScene(ecoule, 0, false, sensDefilement, false, false);
        debutDessin = debut;

        presenteImage();
        fps.compteImage();
    }

    delete niveau;
    fermeConfiguration();
    return 0;
}

void editF1Mode()
{
}

int mainEdit()
{
    if (ouvreAffichage() != 0) {
        fermeConfiguration();
        return 1;
    }
    SDL_ShowCursor(1);
    bool fin = false;
    while (!fin) {
        fin = prendEvenements([](int touche) {
            if (touche == SDLK_F1)
                editF1Mode();
        });
        clearScreen();
        presenteImage();
    }
    fermeConfiguration();
    return 0;
}

namespace {
const int LongueurNomVue = 20;

// The animation name held in the first 20 bytes of "viewinfos.vwe". False
// when the file is missing, shorter, or has no NUL within them.
bool lisNomAnimationVue(char nom[LongueurNomVue])
{
    FILE* f = fopen("viewinfos.vwe", "r");
    if (!f)
        return false;
    size_t lus = fread(nom, 1, LongueurNomVue, f);
    fclose(f);
    return lus == static_cast<size_t>(LongueurNomVue) && memchr(nom, '\0', LongueurNomVue);
}
}

void viewMode(void (*preparation)())
{
    SDL_Init(SDL_INIT_VIDEO);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 32);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(800, 600, 32, SDL_OPENGL)) {
        fprintf(stderr, "Impossible d'ouvrir l'écran!\n");
        SDL_Quit();
        return;
    }
    if (preparation)
        preparation();

    char nom[LongueurNomVue];
    bool anime = lisNomAnimationVue(nom);
    if (!anime)
        fprintf(stderr, "viewinfos.vwe illisible : aucune animation\n");

    CSprite* sprite = new CSprite();
    sprite->init("viewanims.spr");
    if (anime) {
        sprite->setAnimationCourante(nom);
        sprite->demarreAnim();
    }

    bool fin = false;
    while (!fin) {
        fin = prendEvenements();
        SDL_GetKeyState(nullptr);
        clearScreen();
        if (anime)
            sprite->affiche();
        presenteImage();
    }
    delete sprite;
    SDL_Quit();
}

void testSprite()
{
    CSprite* sprite = new CSprite();
    sprite->init("c:\\ficresult.tst");
    sprite->stoppeAnim();
    sprite->setPosition(400, 400);
    sprite->demarreAnim();

    bool fin = false;
    while (!fin) {
        fin = prendEvenements();
        SDL_GetKeyState(nullptr);
        clearScreen();
        sprite->affiche();
        presenteImage();
        attendre(20);
    }
    delete sprite;
}

void testZoom()
{
    CImageGL* image = new CImageGL();
    image->chargeImageSDL("c:\\data\\vorna\\TEST.JPG", 0, 0, 0);
    int zoom = 1;
    int angle = 0;

    bool fin = false;
    while (!fin) {
        fin = prendEvenements();
        SDL_GetKeyState(nullptr);
        clearScreen();
        image->setZoom(zoom);
        image->setRotation(angle);
        image->affiche(80, 60);
        presenteImage();
        attendre(20);
        zoom += 10;
        if (zoom > 1000)
            zoom = 1;
        ++angle;
    }
    delete image;
}

void testImg()
{
    CImageGL* premiere = new CImageGL();
    CImageGL* seconde = new CImageGL();
    premiere->chargeImageSDL("c:\\data\\vorna\\TEST.JPG", -1, 0, 0);
    seconde->chargeImageSDL("c:\\data\\vorna\\TEST2.JPG", -1, 0, 0);

    bool fin = false;
    while (!fin) {
        fin = prendEvenements();
        SDL_GetKeyState(nullptr);
        clearScreen();
        premiere->affiche(80, 60);
        seconde->setAlphaBlending(120);
        seconde->affiche(0, 0);
        presenteImage();
    }
    delete seconde;
    delete premiere;
}
