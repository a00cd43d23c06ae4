#include "game/main.h"

#include "game/Controles.h"
#include "game/Demarrage.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OptionsJeu.h"
#include "game/OutilsJeu.h"
#include "game/PartieJeu.h"
#include "render/PartageImages.h"
#include "shell/CEngineGL.h"
#include "shell/PorteeMoteur.h"
#include "shell/Signaux.h"
#include "sound/CMusique.h"

int mainVorna()
{
    return mainVorna(OptionsJeu());
}

int mainVorna(const OptionsJeu& options)
{
    CPorteeMoteur portee(CPorteeMoteur::ConfigurationSeule);
    // A start position is a test of that place: no intro before it.
    const bool intro = reglages().intro && !options.positionDonnee();
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
    son->setVolumeZic(reglages().volumeMusique * MIX_MAX_VOLUME / 100);
    son->setVolumeSons(reglages().volumeEffets * MIX_MAX_VOLUME / 100);
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
    // The session goes before the sound: its pictures while the context
    // still lives.
    {
        CPartieJeu partie(son, fichierNiveau, depart);
        bool quitter = false;
        while (!quitter) {
            quitter = partie.prendEvenements();
            partie.etape();
            partie.dessine();
            partie.attend();
            partie.recommenceSiTerminee();
        }
    }
    delete son;
    return 0;
}
