#include "game/ControleHeros.h"

#include "foundation/Temps.h"
#include "game/Controles.h"

#include <SDL.h>

TouchesHeros lisTouchesHeros(const uint8_t* etatClavier)
{
    return lisTouchesHeros(etatClavier, Controles(), EtatManette());
}

const char* animationEtat(int etat)
{
    switch (etat) {
    case EtatRepos: return "Repos";
    case EtatMarche: return "Marche";
    case EtatSaut:
    case EtatSautAvant: return "Saute";
    case EtatFrappe: return "Frappe";
    case EtatFrappeAccroupi: return "FAccroupi";
    case EtatFrappeSaut:
    case EtatFrappeSautAvant: return "FSaute";
    case EtatAccroupi: return "Accroupi";
    case EtatRetourne: return "Retourne";
    default: return nullptr;
    }
}

namespace {
bool defileEn(int etat)
{
    return etat == EtatMarche || etat == EtatSautAvant || etat == EtatFrappeSautAvant;
}

bool estSaut(int etat)
{
    return etat == EtatSaut || etat == EtatSautAvant || etat == EtatFrappeSaut
        || etat == EtatFrappeSautAvant;
}
}

CControleHeros::CControleHeros()
    : etat(EtatRepos), etatPrecedent(EtatRepos), orientation(true), orientationPrecedente(true),
      debutEtat(tempsCourant()), enRetournement(false), enSaut(false), enDescente(false),
      dureeMontee(0), hauteurSaut(0), numeroFrappe(0), defilement(false), sensDefilement(true)
{
}

int CControleHeros::ecoule() const
{
    return static_cast<int>(tempsCourant() - debutEtat);
}

void CControleHeros::metAJour(const TouchesHeros& touches, SpriteHeros& sprite)
{
    etatPrecedent = etat;
    orientationPrecedente = orientation;
    defilement = false;
    if (!enRetournement && !enSaut)
        metAJourSol(touches, sprite);
    else if (enSaut)
        metAJourAir(touches, sprite);
    else
        metAJourRetournement(sprite);
}

void CControleHeros::metAJourSol(const TouchesHeros& t, SpriteHeros& sprite)
{
    if (!t.espace && (etat == EtatFrappe || etat == EtatFrappeAccroupi) && !sprite.isAnimCouranteFinished()) {
        defilement = false;
        return;
    }
    // The first matching row of the key table wins; where two directions are
    // held, Right is tested first, and Up before Down.
    if (t.espace) {
        if (t.haut)
            etat = (t.droite || t.gauche) ? EtatFrappeSautAvant : EtatFrappeSaut;
        else if (t.bas)
            etat = EtatFrappeAccroupi;
        else
            etat = EtatFrappe;
        if (etat != EtatFrappe) {
            if (t.droite)
                orientation = true;
            else if (t.gauche)
                orientation = false;
        }
    } else if (t.haut || t.bas) {
        if (t.haut)
            etat = (t.droite || t.gauche) ? EtatSautAvant : EtatSaut;
        else
            etat = EtatAccroupi;
        if (t.droite)
            orientation = true;
        else if (t.gauche)
            orientation = false;
    } else if (t.droite || t.gauche) {
        bool versDroite = t.droite;
        // A turn needs the hero standing or walking the other way.
        bool auSol = etatPrecedent == EtatRepos || etatPrecedent == EtatMarche;
        if (auSol && orientation != versDroite) {
            etat = EtatRetourne;
            enRetournement = true;
        } else {
            etat = EtatMarche;
        }
        orientation = versDroite;
    } else {
        etat = EtatRepos;
    }

    if (etat != etatPrecedent || orientation != orientationPrecedente) {
        debutEtat = tempsCourant();
        sprite.setAnimationCourante(animationEtat(etat));
        if (etat >= EtatFrappe)
            sprite.setRepeteAnimCourante(false);
        if (etat >= EtatFrappe && etat <= EtatFrappeSautAvant)
            ++numeroFrappe;
        sprite.demarreAnim();
        sprite.setMirroirY(!orientation);
    }
    // The turn animation is drawn facing where the hero comes from.
    if (etat == EtatRetourne)
        sprite.setMirroirY(orientation);

    defilement = defileEn(etat);
    sensDefilement = orientation;

    int y = SolY;
    if (etat == EtatFrappe)
        y = 292;
    else if (etat == EtatFrappeAccroupi)
        y = 316;
    else if (etat == EtatAccroupi)
        y = 300;
    sprite.setPosition(PositionX, y);
    if (estSaut(etat))
        enSaut = true;
}

void CControleHeros::metAJourAir(const TouchesHeros& t, SpriteHeros& sprite)
{
    // A strike in the air keeps the jump's clock.
    if (t.espace && (etat == EtatSaut || etat == EtatSautAvant)) {
        etat = (etat == EtatSaut) ? EtatFrappeSaut : EtatFrappeSautAvant;
        sprite.setAnimationCourante("FSaute");
        sprite.setRepeteAnimCourante(false);
        sprite.demarreAnim();
        ++numeroFrappe;
    }

    if (!enDescente && ecoule() / MsParPixel >= HauteurMaxSaut) {
        enDescente = true;
        hauteurSaut = HauteurMaxSaut;
        dureeMontee = ecoule();
    }

    if (t.haut && !enDescente) {
        sprite.setPosition(PositionX, BaseSautY - ecoule() / MsParPixel);
        defilement = defileEn(etat);
        return;
    }

    if (!enDescente) {
        // Up released early: the fall lasts as long as the rise did.
        dureeMontee = ecoule();
        hauteurSaut = dureeMontee / MsParPixel;
        enDescente = true;
    }
    int chute = ecoule() - dureeMontee;
    if (chute >= dureeMontee) {
        enDescente = false;
        enSaut = false;
        etat = EtatRepos;
        sprite.setAnimationCourante("Repos");
        sprite.demarreAnim();
        sprite.setPosition(PositionX, SolY);
        debutEtat = tempsCourant();
    } else {
        sprite.setPosition(PositionX, (BaseSautY - hauteurSaut) + chute / MsParPixel);
    }
    defilement = defileEn(etat);
}

void CControleHeros::metAJourRetournement(SpriteHeros& sprite)
{
    if (etat == EtatRetourne && sprite.isAnimCouranteFinished())
        enRetournement = false;
}
