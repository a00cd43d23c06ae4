#include "game/Cloture.h"

#include "foundation/FichierDescription.h"
#include "foundation/Temps.h"
#include "game/FichiersJeu.h"
#include "game/MenuPause.h"
#include "game/OutilsJeu.h"
#include "game/Titre.h"
#include "render/CImageGL.h"
#include "render/CTexte.h"
#include "shell/Plateforme.h"
#include "shell/Signaux.h"
#include "shell/gfx.h"

#include <SDL.h>

void TotauxParcours::ajoute(const ResultatNiveau& r)
{
    temps += r.temps;
    lueurs += r.lueurs;
    lueursTotal += r.lueursTotal;
    creatures += r.creatures;
    ++niveaux;
}

namespace {

// The intro's credits, which name roles rather than people.
const char* const Credits[][2] = {
    {"Programmation", "moteur, outils et génération du monde"},
    {"Graphismes", "décors, héros et peintures"},
    {"Musique", "composition et synthèse"},
    {"Conception", "niveaux, animation et mise en scène"},
};

// A key, a click or a pad button leaves; held keys and moves do not.
bool quitteEcran(const SDL_Event& e)
{
    return e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_JOYBUTTONDOWN;
}

}

std::vector<std::string> lignesCloture(const TotauxParcours& t)
{
    uint32_t s = t.temps / 1000;
    return {
        "Temps : " + std::to_string(s / 60) + " min " + (s % 60 < 10 ? "0" : "") + std::to_string(s % 60) + " s",
        "Lueurs : " + std::to_string(t.lueurs) + " / " + std::to_string(t.lueursTotal),
        "Créatures vaincues : " + std::to_string(t.creatures),
    };
}

bool lanceCloture(const TotauxParcours& totaux)
{
    CImageGL peinture;
    const bool avecPeinture = tailleFichier(ImageTitre) >= 0 && peinture.chargeImageSDL(ImageTitre, -1, 0, 0) == 0
        && peinture.getLongueur() > 0;
    CTexte texte, titre;
    texte.charge(fichiersJeu::PoliceTexte);
    titre.charge(fichiersJeu::PoliceTitre);
    CTexte& grand = titre.chargee() ? titre : texte;
    const std::vector<std::string> lignes = lignesCloture(totaux);
    // A key already on its way as the last ending closed is not an answer.
    const uint32_t debut = tempsCourant();

    bool redessine = true;
    for (;;) {
        bool suite = false;
        const bool fin = prendEvenements(
            [&](const SDL_Event& e) {
                redessine = true;
                suite = quitteEcran(e) && tempsCourant() - debut > 800;
                return suite;
            },
            ArretAuPremier);
        if (arretDemande() || (fin && !suite))
            return true;
        if (suite)
            return false;
        if (redessine) {
            clearScreen();
            if (avecPeinture) {
                peinture.affiche(0, 0);
                voileEcran(190);
            }
            grand.setBrightness(255, 236, 190);
            grand.afficheCentre(320, 36, "Le voyage s'achève");
            int y = 44 + grand.getHauteurLigne() + 12;
            texte.setBrightness(235, 235, 245);
            for (const std::string& l : lignes) {
                texte.afficheCentre(320, y, l);
                y += texte.getHauteurLigne() + 4;
            }
            y += 26;
            for (const auto& c : Credits) {
                texte.setBrightness(255, 214, 110);
                texte.afficheCentre(320, y, c[0]);
                texte.setBrightness(190, 200, 225);
                texte.afficheCentre(320, y + texte.getHauteurLigne(), c[1]);
                y += 2 * texte.getHauteurLigne() + 8;
            }
            texte.setBrightness(170, 170, 190);
            texte.afficheCentre(320, 444, std::string("Une touche pour revenir au titre   ·   ") + CMenuPause::RappelEchap);
            presenteImage();
            redessine = false;
        }
        attendEvenement(500);
    }
}
