#include "editeur/EcouteMusique.h"

#include "shell/CEngineGL.h"
#include "sound/CMusique.h"

namespace editeur {

CEcouteMusique::CEcouteMusique(GestionnaireSon* prete) : son(prete) {}

CEcouteMusique::~CEcouteMusique()
{
    suit("");
}

bool CEcouteMusique::suit(const std::string& musique)
{
    if (musique == voulue)
        return joue || musique.empty();
    voulue = musique;
    if (musique.empty()) {
        if (son && joue)
            son->stoppeMusique();
        joue = false;
        return true;
    }
    if (!son) {
        propre.reset(new GestionnaireSon());
        son = propre.get();
        // A device that does not open leaves every call harmless.
        son->init();
        son->setVolumeZic(reglages().volumeMusique * MIX_MAX_VOLUME / 100);
    }
    joue = son->joueMusique(musique.c_str(), -1) == 0;
    return joue;
}

}
