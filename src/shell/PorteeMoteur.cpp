#include "shell/PorteeMoteur.h"

#include "foundation/Messages.h"
#include "render/ReglagesRendu.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"

#include <SDL.h>

CPorteeMoteur::CPorteeMoteur(Ouverture ouverture, const std::function<void(CEngineGL&)>& ajuste)
    : proprietaire(config == nullptr), ouverte_(true)
{
    if (proprietaire) {
        config = new CEngineGL();
        fixeJournal(reglages().journal);
    }
    if (ajuste)
        ajuste(*config);
    if (ouverture == ConfigurationSeule) {
        SDL_InitSubSystem(SDL_INIT_TIMER);
        return;
    }
    ouvreAffichage();
}

bool CPorteeMoteur::ouvreAffichage()
{
    // Inside another scope too: the mode sets its own video mode on the
    // open window (the viewer's 800 x 600).
    const CEngineGL& r = reglages();
    ouverte_ = initSDL(r.resolutionHorizontale, r.resolutionVerticale) == 0;
    if (ouverte_)
        initGL(r.largeurLogique, r.hauteurLogique);
    return ouverte_;
}

CPorteeMoteur::~CPorteeMoteur()
{
    if (!proprietaire)
        return;
    // Reverse order: the display and SDL, then the configuration.
    SDL_Quit();
    delete config;
    config = nullptr;
    fixeReglagesRendu(ReglagesRendu());
    fixeJournal(true);
}
