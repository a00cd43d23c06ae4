#include "game/main.h"

#include "foundation/DossiersJoueur.h"
#include "game/Cloture.h"
#include "game/Controles.h"
#include "game/Demarrage.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OptionsJeu.h"
#include "game/OutilsJeu.h"
#include "game/Parcours.h"
#include "game/PartieJeu.h"
#include "game/Records.h"
#include "game/SchemaParcours.h"
#include "game/Titre.h"
#include "render/PartageImages.h"
#include "shell/CEngineGL.h"
#include "shell/PorteeMoteur.h"
#include "shell/Signaux.h"
#include "sound/CMusique.h"

#include <algorithm>
#include <cstddef>

int mainVorna()
{
    return mainVorna(OptionsJeu());
}

namespace {

// The music a level plays.
std::string musiqueDuNiveau(const char* fichierNiveau)
{
    return litAspectNiveau(fichierNiveau, true).musique;
}

// The pictures decoded ahead: the intro's first, the title's painting, then
// the level's.
std::vector<std::string> imagesAvantTitre(bool intro, const char* fichierNiveau)
{
    std::vector<std::string> images = imagesDuDemarrage(intro, fichierNiveau);
    size_t apresIntro = intro ? static_cast<size_t>(ImLogoVask - ImThanks + 1) : 0;
    images.insert(images.begin() + static_cast<std::ptrdiff_t>(std::min(apresIntro, images.size())), ImageTitre);
    return images;
}

// One level until the game ends (true) or, in a journey that goes on
// (`suivant`), until its ending has been shown (false).
bool joueNiveau(GestionnaireSon* son, const char* fichierNiveau, int depart, const CPartieJeu::SurArrivee& surArrivee,
                bool suivant)
{
    son->joueMusique(musiqueDuNiveau(fichierNiveau).c_str(), -1);
    // The session goes before the sound: its pictures while the context
    // still lives.
    CPartieJeu partie(son, fichierNiveau, depart);
    if (surArrivee)
        partie.enchaine(surArrivee, suivant);
    for (;;) {
        if (partie.prendEvenements())
            return true;
        partie.etape();
        partie.dessine();
        partie.attend();
        partie.recommenceSiTerminee();
        if (partie.niveauTermine())
            return false;
    }
}

// From `premier` to the journey's end, then the closing screen; records
// kept at each finish. An author's own level is played alone, then the
// title comes back. True when the game should end.
bool joueParcours(GestionnaireSon* son, const Parcours& parcours, CRecords& records, int premier)
{
    TotauxParcours totaux;
    const bool seul = parcours.niveaux[static_cast<size_t>(premier)].auteur;
    // The journey's levels come first; the author's follow them.
    size_t fin = static_cast<size_t>(premier) + 1;
    while (!seul && fin < parcours.niveaux.size() && !parcours.niveaux[fin].auteur)
        ++fin;
    for (size_t i = static_cast<size_t>(premier); i < fin; ++i) {
        const std::string& fichier = parcours.niveaux[i].fichier;
        auto surArrivee = [&](const ResultatNiveau& r) {
            totaux.ajoute(r);
            Ameliorations a = records.enregistre(fichier, r);
            ecritRecords(fichierReglages(schemaParcours::records::Fichier).c_str(), records);
            // The next level's pictures decode while the ending shows.
            if (i + 1 < fin)
                prechargeImages(imagesDuDemarrage(false, parcours.niveaux[i + 1].fichier.c_str()));
            return a;
        };
        son->effaceSons();
        // Without a journey file the one level starts again after its
        // ending, as it always has.
        if (joueNiveau(son, fichier.c_str(), PositionNiveauDepart, surArrivee, parcours.lu || seul))
            return true;
    }
    // An author's level ends back at the title, without the closing screen.
    if (seul)
        return false;
    son->stoppeMusique();
    return lanceCloture(totaux);
}

}

int mainVorna(const OptionsJeu& options, LanceurEditeur editeur)
{
    CPorteeMoteur portee(CPorteeMoteur::ConfigurationSeule);
    // A given level or start position is a test of that place: straight
    // into it, no title, and it restarts after its ending as it always has.
    const bool seul = options.positionDonnee() || !options.niveau.empty();
    const bool intro = reglages().intro && !options.positionDonnee();
    Parcours parcours;
    CRecords records;
    if (!seul) {
        parcours = litParcours(schemaParcours::Fichier);
        ajouteNiveauxAuteur(parcours);
        litRecords(fichierReglagesLu(schemaParcours::records::Fichier).c_str(), records);
    }
    const char* fichierNiveau = seul ? (options.niveau.empty() ? fichiersJeu::Niveau : options.niveau.c_str())
                                     : parcours.niveaux[niveauAJouer(parcours, records)].fichier.c_str();
    const int depart = options.positionDonnee() ? bornePositionNiveau(options.position) : PositionNiveauDepart;
    // The first pictures decode on a worker while the display opens.
    prechargeImages(seul ? imagesDuDemarrage(intro, fichierNiveau) : imagesAvantTitre(intro, fichierNiveau));
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
    ouvreManette();
    if (seul) {
        joueNiveau(son, fichierNiveau, depart, nullptr, false);
    } else {
        CMenuTitre menu(parcours, records, editeur != nullptr);
        for (;;) {
            ChoixTitre choix = lanceTitre(menu, son, editeur);
            if (choix.quitter || joueParcours(son, parcours, records, choix.niveau))
                break;
        }
    }
    delete son;
    return 0;
}
