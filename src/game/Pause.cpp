#include "game/Pause.h"

#include "foundation/Temps.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/gfx.h"
#include "sound/CMusique.h"

#include <SDL.h>

CPauseJeu::CPauseJeu(GestionnaireSon* son) : touchePause(SDLK_p), son(son)
{
    const CEngineGL& r = reglages();
    menu.reglages.pleinEcran = r.pleinEcran;
    menu.reglages.garderProportions = r.garderProportions;
    menu.reglages.vSync = r.vSync;
    menu.reglages.bilineaire = r.bilineaire;
}

void CPauseJeu::metEnPause(CMenuPause::Ecran ecran)
{
    if (!enPause) {
        enPause = true;
        suspendTemps();
        if (son)
            son->pause();
    }
    menu.ouvre(ecran);
}

void CPauseJeu::reprend()
{
    if (!enPause)
        return;
    enPause = false;
    reprendTemps();
    if (son)
        son->resume();
}

bool CPauseJeu::traite(const SDL_Event& evenement)
{
    switch (evenement.type) {
    case SDL_ACTIVEEVENT:
        // The mouse leaving the window is no reason to stop.
        if (!evenement.active.gain && (evenement.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE))
            && !enPause)
            metEnPause();
        return false;
    case SDL_KEYDOWN: {
        int touche = evenement.key.keysym.sym;
        if (enPause)
            return toucheEnPause(touche);
        if (touche == touchePause || touche == SDLK_PAUSE)
            metEnPause();
        else if (touche == SDLK_F1)
            metEnPause(CMenuPause::Aide);
        return false;
    }
    default: return false;
    }
}

bool CPauseJeu::toucheEnPause(int touche)
{
    if (menu.getEcran() != CMenuPause::NouvelleTouche
        && (touche == touchePause || touche == SDLK_PAUSE
            || (touche == SDLK_F1 && menu.getEcran() == CMenuPause::Aide))) {
        reprend();
        return false;
    }
    switch (menu.touche(touche)) {
    case CMenuPause::Reprendre: reprend(); return false;
    case CMenuPause::Quitter: return true;
    case CMenuPause::ReglageChange: appliqueReglage(menu.getReglageChange()); return false;
    default: return false;
    }
}

void CPauseJeu::appliqueReglage(int ligne)
{
    const ReglagesJoueur& r = menu.reglages;
    switch (ligne) {
    case CMenuPause::OptVolumeMusique:
        if (son)
            son->setVolumeZic(r.volumeMusique * MIX_MAX_VOLUME / 100);
        break;
    case CMenuPause::OptVolumeEffets:
        if (son)
            son->setVolumeSons(r.volumeEffets * MIX_MAX_VOLUME / 100);
        break;
    case CMenuPause::OptPleinEcran:
        if (config && config->pleinEcran != r.pleinEcran)
            basculePleinEcran();
        break;
    case CMenuPause::OptProportions:
        if (config) {
            config->garderProportions = r.garderProportions;
            appliqueProjection(config->resolutionHorizontale, config->resolutionVerticale,
                               config->largeurLogique, config->hauteurLogique);
        }
        break;
    default: break;
    }
}

void CPauseJeu::dessine(CTexte*) const
{
    if (!enPause)
        return;
    voileEcran(150);
}
