#include "game/OutilsJeu.h"

#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "scenery/CLevel.h"
#include "shell/Affichage.h"
#include "shell/PorteeMoteur.h"
#include "shell/Signaux.h"
#include "sprites/CSprite.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int lanceSurAffichage(const std::function<void()>& mode)
{
    CPorteeMoteur portee;
    if (portee.ouverte())
        mode();
    return portee.statut();
}

namespace {

// The event that ended a wait, for the next pump: looking at the queue
// without taking from it is not offered by every SDL.
SDL_Event evenementTenu;
bool tenu = false;

bool evenementSuivant(SDL_Event& evenement)
{
    if (tenu) {
        evenement = evenementTenu;
        tenu = false;
        return true;
    }
    return SDL_PollEvent(&evenement) == 1;
}

}  // namespace

void attendEvenement(uint32_t ms)
{
    // The pacer's clock: the game's stands still in the pause.
    const uint64_t fin = tempsMicro() + static_cast<uint64_t>(ms) * 1000u;
    // Small steps: the queue is looked at, not waited on, so a signal or a
    // key gets an answer within 10 ms.
    while (!arretDemande() && tempsMicro() < fin) {
        if (tenu || SDL_PollEvent(&evenementTenu) == 1) {
            tenu = true;
            return;
        }
        attendre(10);
    }
}

void avanceNiveau(CLevel& niveau, int ecoule, bool defile, bool versPlusX)
{
    niveau.drawScene(ecoule, defile ? ecoule : 0, defile, versPlusX, false, false);
}

bool prendEvenements(const std::function<bool(const SDL_Event&)>& surEvenement, PompeEvenements mode)
{
    bool quitter = false;
    SDL_Event evenement;
    while (!(quitter && mode != ViderFile) && evenementSuivant(evenement)) {
        if (traiteEvenementAffichage(evenement))
            continue;
        if (mode != FinParEcran
            && (evenement.type == SDL_QUIT
                || (evenement.type == SDL_KEYDOWN && evenement.key.keysym.sym == SDLK_ESCAPE)))
            quitter = true;
        else if (surEvenement && surEvenement(evenement))
            quitter = true;
    }
    return quitter || arretDemande();
}

bool prendEvenements(const std::function<void(int)>& surTouche, PompeEvenements mode)
{
    return prendEvenements(
        [&surTouche](const SDL_Event& evenement) {
            if (surTouche && evenement.type == SDL_KEYDOWN)
                surTouche(evenement.key.keysym.sym);
            return false;
        },
        mode);
}

CCompteurFPS::CCompteurFPS(bool auMoinsUneSeconde)
    : compteurImages(0), debutFPS(0), auMoinsUneSeconde_(auMoinsUneSeconde)
{
}

void CCompteurFPS::demarre()
{
    compteurImages = 0;
    debutFPS = tempsCourant();
}

void CCompteurFPS::compteImage()
{
    ++compteurImages;
    uint32_t ecoule = tempsCourant() - debutFPS;
    if (ecoule > 1000 || (auMoinsUneSeconde_ && ecoule == 1000)) {
        messageDetail("FPS : %i\n", compteurImages);
        // Flushed so that the report shows while the game runs, even when
        // standard output is a file or a pipe.
        videMessages();
        compteurImages = 0;
        debutFPS = tempsCourant();
    }
}

bool teinteCiel(int touche, unsigned char& r, unsigned char& g, unsigned char& b)
{
    static const unsigned char teintes[9][3] = {
        {255, 255, 255}, {170, 255, 255}, {255, 170, 255},
        {255, 255, 170}, {170, 170, 255}, {255, 170, 170},
        {170, 255, 170}, {20, 200, 150},  {150, 200, 20},
    };
    if (touche < SDLK_1 || touche > SDLK_9)
        return false;
    const unsigned char* t = teintes[touche - SDLK_1];
    r = t[0];
    g = t[1];
    b = t[2];
    return true;
}

int bornePositionNiveau(int position)
{
    if (position <= 3)
        position = PositionNiveauMin;
    if (position > PositionNiveauMax)
        position = PositionNiveauMax;
    return position;
}

void avanceNiveauBorne(CLevel& niveau, int ecoule, bool defile, bool versPlusX)
{
    etapeNiveauBorne(niveau, ecoule, defile, versPlusX);
    dessineNiveau(niveau, versPlusX);
}

void etapeNiveauBorne(CLevel& niveau, int ecoule, bool defile, bool versPlusX)
{
    niveau.avance(defile ? ecoule : 0, defile, versPlusX, false, false);
    int borne = bornePositionNiveau(niveau.getPositionX());
    bool contreUnBout = defile && (versPlusX ? borne == PositionNiveauMax : borne == PositionNiveauMin);
    if (borne != niveau.getPositionX() || contreUnBout) {
        niveau.setPositionX(borne);
        niveau.resteX = 0;
    }
}

void dessineNiveau(CLevel& niveau, bool versPlusX)
{
    niveau.drawScene(0, 0, false, versPlusX, false, false);
}

bool nomImageSerie(char* tampon, std::size_t taille, const char* debut, int n, const char* fin)
{
    if (!tampon || taille == 0)
        return false;
    int ecrit = snprintf(tampon, taille, "%s%i%s", debut ? debut : "", n, fin ? fin : "");
    if (ecrit < 0 || static_cast<std::size_t>(ecrit) >= taille) {
        tampon[0] = '\0';
        return false;
    }
    return true;
}

void SpriteHerosCSprite::setAnimationCourante(const char* nom)
{
    sprite_->setAnimationCourante(nom);
}

void SpriteHerosCSprite::demarreAnim()
{
    sprite_->demarreAnim();
}

void SpriteHerosCSprite::setRepeteAnimCourante(bool repete)
{
    sprite_->setRepeteAnimCourante(repete);
}

void SpriteHerosCSprite::setMirroirY(bool miroir)
{
    sprite_->setMirroirY(miroir);
}

void SpriteHerosCSprite::setPosition(int x, int y)
{
    sprite_->setPosition(x, y);
}

bool SpriteHerosCSprite::isAnimCouranteFinished()
{
    if (sprite_->getNbAnims() == 0 || sprite_->isAnimCouranteFinished())
        return true;
    // A strike or a turn drawn with one picture ends after its pause.
    const CAnimGL* anim = sprite_->getAnimationCourante();
    return anim && anim->isImageUniqueEcoulee();
}
