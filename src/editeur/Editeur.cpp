// The level editor's loop: events to the tools and the model, the mouse,
// scrolling, the autosave, and the entry functions.
#include "editeur/Editeur.h"

#include "editeur/SessionEditeur.h"
#include "foundation/Temps.h"
#include "game/FichiersJeu.h"
#include "game/OutilsJeu.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/PorteeMoteur.h"
#include "shell/Signaux.h"
#include "shell/gfx.h"

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

using namespace editeur;

namespace {

const uint32_t PeriodeAutosave = 30000;  // ms

// The autosave period; CORVANTHELIS_AUTOSAVE_MS shortens it (tests).
uint32_t periodeAutosave()
{
    const char* v = std::getenv("CORVANTHELIS_AUTOSAVE_MS");
    long ms = v ? std::strtol(v, nullptr, 10) : 0;
    return ms > 0 ? static_cast<uint32_t>(ms) : PeriodeAutosave;
}

CEditeur* editeurCourant = nullptr;

}

namespace editeur {

CEditeur::CEditeur(const std::string& fichier, GestionnaireSon* son)
    : ecoute(son), outils(modele, etat, [this](const std::string& t, int& l, int& h) { vue.tailleActeur(t, l, h); })
{
    ouvert = modele.ouvre(fichier);
    struct stat infos;
    if (!ouvert && stat(fichier.c_str(), &infos) != 0 && errno == ENOENT) {
        aCreer = fichier;
        annonces.question = QuestionNouveau;
    } else if (!ouvert) {
        annonces.info = "Niveau illisible : " + fichier;
    }
    etat.typesActeurs = modele.typesActeurs();
    etat.tileChoisie.assign(modele.plans().size(), 0);
    etat.cadrage.position = PositionNiveauDepart;
    if (ouvert && CModeleNiveau::autosaveDisponible(fichier))
        annonces.question = QuestionAutosave;
    editeurCourant = this;
}

CEditeur::~CEditeur()
{
    editeurCourant = nullptr;
}

bool CEditeur::souris(int fx, int fy, double& x, double& y)
{
    SDL_Surface* ecran = SDL_GetVideoSurface();
    if (!ecran)
        return false;
    suitFenetre();
    ecranDepuisFenetre(fx, fy, ecran->w, ecran->h, reglages().garderProportions, x, y, etat.cadrage.largeur,
                       etat.cadrage.hauteur);
    return true;
}

void CEditeur::suitFenetre()
{
    SDL_Surface* ecran = SDL_GetVideoSurface();
    if (!ecran)
        return;
    tailleDessin(ecran->w, ecran->h, etat.cadrage.largeur, etat.cadrage.hauteur);
}

// About the point (x, y) of the screen, which stays over the same place.
void CEditeur::zoome(int sens, double x, double y)
{
    int avant = etat.cadrage.zoom;
    etat.cadrage.zoom = zoomSuivant(avant, sens);
    etat.cadrage.position = positionApresZoom(etat.cadrage.position, static_cast<int>(x), avant, etat.cadrage.zoom);
    etat.cadrage.haut = positionApresZoom(etat.cadrage.haut, static_cast<int>(y), avant, etat.cadrage.zoom);
}

CEditeur::Fin CEditeur::traite(const SDL_Event& e)
{
    double x = 0, y = 0;
    switch (e.type) {
    case SDL_QUIT: return annonces.question.empty() ? demandeFin() : Continuer;
    case SDL_KEYDOWN: return touche(e.key.keysym);
    case SDL_MOUSEMOTION:
        if (souris(e.motion.x, e.motion.y, x, y))
            outils.bouge(x, y);
        return Continuer;
    case SDL_MOUSEBUTTONDOWN:
        if (!annonces.question.empty() || !souris(e.button.x, e.button.y, x, y))
            return Continuer;
        if (!annonces.messages.empty() && e.button.button == SDL_BUTTON_LEFT) {
            // This click only closes the checker's panel, as a key does.
            annonces.messages.clear();
            return Continuer;
        }
        annonces.messages.clear();
        if (e.button.button == SDL_BUTTON_WHEELUP || e.button.button == SDL_BUTTON_WHEELDOWN) {
            int sens = e.button.button == SDL_BUTTON_WHEELUP ? 1 : -1;
            if (etat.panneau && !etat.apercu && x < LargeurPanneau && y >= HautPanneau
                && y < HautPanneau + lignesPanneau() * LignePanneau) {
                changeLigne(static_cast<int>(y - HautPanneau) / LignePanneau, sens);
            } else if (!etat.apercu && y >= etat.hautPalette()) {
                outils.choisitPalette(outils.choixPalette() - sens);
            } else {
                zoome(sens, x, y);
            }
            return Continuer;
        }
        outils.appuie(e.button.button, x, y, (SDL_GetModState() & KMOD_SHIFT) != 0);
        return Continuer;
    case SDL_MOUSEBUTTONUP:
        if (souris(e.button.x, e.button.y, x, y)) {
            outils.relache(e.button.button, x, y, (SDL_GetModState() & KMOD_SHIFT) != 0);
            apresPas(etat.change);
        }
        return Continuer;
    default: return Continuer;
    }
}

bool CEditeur::defileClavier(uint32_t ecoule)
{
    if (!annonces.question.empty())
        return false;
    Uint8* clavier = SDL_GetKeyState(nullptr);
    const bool vite = (SDL_GetModState() & KMOD_SHIFT) != 0;
    // 600 screen px a second, four times that with Shift.
    double pas = ecoule * 0.6 * (vite ? 4 : 1) * 100.0 / etat.cadrage.zoom;
    int d = static_cast<int>(pas + 0.5);
    if (etat.panneau && !etat.apercu)
        return false;
    const bool tenue = clavier[SDLK_RIGHT] || clavier[SDLK_LEFT] || clavier[SDLK_DOWN] || clavier[SDLK_UP];
    if (clavier[SDLK_RIGHT])
        etat.cadrage.position += d;
    if (clavier[SDLK_LEFT])
        etat.cadrage.position -= d;
    if (clavier[SDLK_DOWN])
        etat.cadrage.haut += d;
    if (clavier[SDLK_UP])
        etat.cadrage.haut -= d;
    return tenue;
}

int CEditeur::lance()
{
    vue.charge();
    CCompteurFPS fps(true);
    fps.demarre();
    const uint32_t periode = periodeAutosave();
    uint32_t derniereAutosave = tempsCourant();
    CChronoImage chrono;
    bool changeDepuisAutosave = false;
    for (;;) {
        bool actif = false;
        const bool fin = prendEvenements(
            [this, &actif](const SDL_Event& e) {
                actif = true;
                return traite(e) == Quitter;
            },
            FinParEcran);
        if (arretDemande()) {
            // Ended from outside: the work waits in the autosave.
            if (ouvert && modele.modifie())
                modele.ecritAutosave();
            break;
        }
        if (fin)
            break;
        // Time spent in the game or on the sheet screen is not scrolling.
        actif |= defileClavier(static_cast<uint32_t>(std::min(std::max(chrono.etape(), 0), 100)));
        const uint32_t maintenant = tempsCourant();
        if (etat.change) {
            changeDepuisAutosave = true;
            etat.change = false;
        }
        if (maintenant - derniereAutosave >= periode) {
            derniereAutosave = maintenant;
            if (changeDepuisAutosave && modele.modifie() && modele.ecritAutosave()) {
                changeDepuisAutosave = false;
                autosaveEcrite = true;
            }
        }
        // The sheet screen and a resized window leave their own drawing
        // space: this one is set again before each drawing.
        suitFenetre();
        suitMusique();
        if (SDL_Surface* ecran = SDL_GetVideoSurface())
            appliqueProjection(ecran->w, ecran->h, etat.cadrage.largeur, etat.cadrage.hauteur);
        clearScreen();
        vue.dessine(modele, etat, outils, annonces);
        presenteImage();
        fps.compteImage();
        // Nothing moves on an editor's screen by itself: while nothing
        // happens it sleeps until the next event, waking for the autosave.
        if (!actif)
            attendEvenement(300);
    }
    return 0;
}

}

void editF1Mode()
{
    if (editeurCourant)
        editeurCourant->basculeApercu();
}

int mainEditNiveau(const char* niveau, GestionnaireSon* son)
{
    CPorteeMoteur portee;
    if (!portee.ouverte())
        return portee.statut();
    gardeCurseurVisible(true);
    // A window of the game's height gets room for the palette below the
    // level, which it would otherwise cover where the ground is.
    SDL_Surface* ecran = SDL_GetVideoSurface();
    if (ecran && !(ecran->flags & SDL_FULLSCREEN)) {
        int largeur = 640, hauteur = 480;
        tailleDessin(ecran->w, ecran->h, largeur, hauteur);
        if (hauteur < 480 + HauteurPalette)
            redimensionne(ecran->w, ecran->h + (480 + HauteurPalette - hauteur) * ecran->h / hauteur);
    }
    CEditeur editeur(niveau ? niveau : fichiersJeu::Niveau, son);
    return editeur.lance();
}

int mainEdit()
{
    return mainEditNiveau(fichiersJeu::Niveau);
}
