#include "game/Pause.h"

#include "foundation/DocumentProfil.h"
#include "foundation/DossiersJoueur.h"
#include "foundation/Temps.h"
#include "game/FichiersJeu.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/SchemaConfiguration.h"
#include "shell/gfx.h"
#include "sound/CMusique.h"

#include <SDL.h>
#include <algorithm>

namespace sc = schemaConfiguration;

namespace {
const char* const FichierConfiguration = sc::Fichier;
}

CPauseJeu::CPauseJeu(GestionnaireSon* son) : controles(lisControles(fichierReglagesLu(FichierConfiguration).c_str())), son(son)
{
    const CEngineGL& r = reglages();
    menu.reglages.volumeMusique = r.volumeMusique;
    menu.reglages.volumeEffets = r.volumeEffets;
    menu.reglages.pleinEcran = r.pleinEcran;
    menu.reglages.garderProportions = r.garderProportions;
    menu.reglages.vSync = r.vSync;
    menu.reglages.bilineaire = r.bilineaire;
    menu.reglages.intro = r.intro;
    listeCommandes();
    texte.charge(fichiersJeu::PoliceTexte);
    titre.charge(fichiersJeu::PoliceTitre);
}

void CPauseJeu::listeCommandes()
{
    menu.commandes.clear();
    for (int a = 0; a < NombreActions; ++a)
        menu.commandes.emplace_back(nomAction(a), nomToucheAffiche(controles.touches[a]));
}

TouchesHeros CPauseJeu::touchesHeros() const
{
    return lisTouchesHeros(SDL_GetKeyState(nullptr), controles, manette);
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
    manette.metAJour(evenement);
    if (enPause)
        return toucheEnPause(evenement);
    if (demandePause(evenement, controles) || (evenement.type == SDL_KEYDOWN && evenement.key.keysym.sym == SDLK_PAUSE)) {
        metEnPause();
        return false;
    }
    switch (evenement.type) {
    case SDL_ACTIVEEVENT:
        // The mouse leaving the window is no reason to stop.
        if (!evenement.active.gain && (evenement.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE))
            && !enPause)
            metEnPause();
        return false;
    case SDL_KEYDOWN:
        if (evenement.key.keysym.sym == SDLK_F1)
            metEnPause(CMenuPause::Aide);
        return false;
    default: return false;
    }
}

bool CPauseJeu::toucheEnPause(const SDL_Event& evenement)
{
    bool attenteTouche = menu.getEcran() == CMenuPause::NouvelleTouche;
    bool toucheReprise = evenement.type == SDL_KEYDOWN
                         && (evenement.key.keysym.sym == SDLK_PAUSE
                             || (evenement.key.keysym.sym == SDLK_F1 && menu.getEcran() == CMenuPause::Aide));
    if (!attenteTouche && (demandePause(evenement, controles) || toucheReprise)) {
        reprend();
        return false;
    }
    if (evenement.type != SDL_KEYDOWN)
        return false;
    switch (menu.touche(evenement.key.keysym.sym)) {
    case CMenuPause::Reprendre: reprend(); return false;
    case CMenuPause::Quitter: return true;
    case CMenuPause::ReglageChange: appliqueReglage(menu.getReglageChange()); return false;
    case CMenuPause::ToucheChoisie: changeTouche(); return false;
    default: return false;
    }
}

void CPauseJeu::changeTouche()
{
    std::string refus;
    if (!controles.changeTouche(menu.getActionChoisie(), static_cast<SDLKey>(menu.getToucheChoisie()),
                                &refus)) {
        menu.message = refus;
        return;
    }
    listeCommandes();
    CDocumentProfil document;
    if (chargeReglages(document, FichierConfiguration) && controles.ecris(document))
        document.sauve();
}

void CPauseJeu::sauve(sc::CleVideo cle, int valeur)
{
    CDocumentProfil document;
    if (chargeReglages(document, FichierConfiguration)
        && document.fixe(sc::SectionVideo, sc::cleVideo(cle).nom, std::to_string(valeur)))
        document.sauve();
}

void CPauseJeu::appliqueReglage(int ligne)
{
    const ReglagesJoueur& r = menu.reglages;
    switch (ligne) {
    case CMenuPause::OptVolumeMusique:
        if (son)
            son->setVolumeZic(r.volumeMusique * MIX_MAX_VOLUME / 100);
        sauve(sc::VolumeMusique, r.volumeMusique);
        break;
    case CMenuPause::OptVolumeEffets:
        if (son)
            son->setVolumeSons(r.volumeEffets * MIX_MAX_VOLUME / 100);
        sauve(sc::VolumeEffets, r.volumeEffets);
        break;
    case CMenuPause::OptPleinEcran:
        if (config && reglages().pleinEcran != r.pleinEcran)
            basculePleinEcran();
        sauve(sc::PleinEcran, r.pleinEcran);
        break;
    case CMenuPause::OptProportions:
        if (config) {
            config->garderProportions = r.garderProportions;
            const CEngineGL& e = reglages();
            appliqueProjection(e.resolutionHorizontale, e.resolutionVerticale, e.largeurLogique, e.hauteurLogique);
        }
        sauve(sc::GarderProportions, r.garderProportions);
        break;
    // These wait for the next start.
    case CMenuPause::OptVSync: sauve(sc::VSync, r.vSync); break;
    case CMenuPause::OptBilineaire: sauve(sc::Bilineaire, r.bilineaire); break;
    case CMenuPause::OptIntro: sauve(sc::Intro, r.intro); break;
    default: break;
    }
}

void CPauseJeu::dessine()
{
    if (!enPause)
        return;
    voileEcran(160);
    const std::vector<LigneMenu> lignes = menu.lignes();
    const bool choix = menu.getEcran() != CMenuPause::Aide;
    const int pas = texte.getHauteurLigne() + 6;
    int y = 250 - static_cast<int>(lignes.size()) * pas / 2;
    titre.setBrightness(255, 255, 255);
    titre.afficheCentre(320, y - titre.getHauteurLigne() - 24, menu.titre());
    for (size_t i = 0; i < lignes.size(); ++i, y += pas) {
        const LigneMenu& l = lignes[i];
        std::string ligne = l.valeur.empty() ? l.texte : l.texte + " : " + l.valeur;
        if (!l.note.empty())
            ligne += "  (" + l.note + ")";
        if (choix && static_cast<int>(i) == menu.getChoix()) {
            texte.setBrightness(255, 214, 110);
            ligne = "» " + ligne + " «";
        } else {
            texte.setBrightness(235, 235, 245);
        }
        texte.afficheCentre(320, y, ligne);
    }
    if (!menu.message.empty()) {
        texte.setBrightness(255, 170, 120);
        // A message of several lines grows upwards, clear of the foot line.
        const int lignesMessage = 1 + static_cast<int>(std::count(menu.message.begin(), menu.message.end(), '\n'));
        texte.afficheCentre(320, 400 - (lignesMessage - 1) * texte.getHauteurLigne(), menu.message);
    }
    texte.setBrightness(170, 170, 190);
    std::string pied = menu.getEcran() == CMenuPause::Aide
                           ? "Une touche pour reprendre"
                           : nomToucheAffiche(controles.touches[ActionPause]) + " : reprendre";
    texte.afficheCentre(320, 440, pied + "   ·   " + CMenuPause::RappelEchap);
}
