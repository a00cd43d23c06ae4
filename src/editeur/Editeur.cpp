// The level editor's loop: events to the tools and the model, autosave,
// saving with the checker's answer, the questions at start and on leaving.
#include "editeur/Editeur.h"

#include "editeur/EcouteMusique.h"
#include "editeur/EcranPlanche.h"
#include "editeur/Jouer.h"
#include "editeur/ModeleNiveau.h"
#include "editeur/OutilsEditeur.h"
#include "editeur/PanneauNiveau.h"
#include "editeur/VueEditeur.h"
#include "foundation/Messages.h"
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
const char* const QuestionAutosave = "Une sauvegarde automatique existe :\nEntrée la reprend, Échap l'ignore";
const char* const QuestionNouveau = "Ce niveau n'existe pas :\nEntrée le crée, avec un plan sans tuile\nÉchap ne crée rien";
const char* const QuestionQuitter = "Le niveau a des modifications non enregistrées.\n"
                                    "Entrée : enregistrer et quitter\nN : quitter sans enregistrer\n"
                                    "Échap : rester";
const char* const DebutQuestionConflit = "Un autre programme a modifié ces fichiers depuis leur lecture :\n";

// The autosave period; CORVANTHELIS_AUTOSAVE_MS shortens it (tests).
uint32_t periodeAutosave()
{
    const char* v = std::getenv("CORVANTHELIS_AUTOSAVE_MS");
    long ms = v ? std::strtol(v, nullptr, 10) : 0;
    return ms > 0 ? static_cast<uint32_t>(ms) : PeriodeAutosave;
}

class CEditeur;
CEditeur* editeurCourant = nullptr;

class CEditeur {
public:
    CEditeur(const std::string& fichier, GestionnaireSon* son)
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
    ~CEditeur() { editeurCourant = nullptr; }

    void basculeApercu() { etat.apercu = !etat.apercu; }
    int lance();

private:
    enum Fin { Continuer, Quitter };
    Fin traite(const SDL_Event& e);
    Fin touche(const SDL_keysym& k);
    Fin reponse(int sym);
    Fin demandeFin();
    // Escape: closes what is open over the view, innermost first; from the
    // plain view, asks to quit.
    Fin echappe();
    // The drawing space follows the window (a larger one shows more).
    void suitFenetre();
    // True when an arrow key scrolled the view.
    bool defileClavier(uint32_t ecoule);
    bool enregistre(bool ecraser = false);
    bool demandeSiConflit();
    Fin reponseConflit(int sym);
    void zoome(int sens, double x, double y);
    bool souris(int fx, int fy, double& x, double& y);
    void apresPas(bool change);
    void retirePlan();
    void deplacePlan(int sens);
    // L: the level panel, its choices read afresh; again: closed.
    void basculePanneauNiveau();
    // Left/Right or the wheel on line `ligne` of the open panel.
    void changeLigne(int ligne, int pas);
    int lignesPanneau() const { return etat.panneauNiveau ? NbLignesNiveau : NbLignesPanneau; }

    // The level panel's music plays while the panel is open.
    void suitMusique();

    CEcouteMusique ecoute;
    CModeleNiveau modele;
    EtatEditeur etat;
    CVueEditeur vue;
    COutilsEditeur outils;
    Annonces annonces;
    bool ouvert = false;
    bool autosaveEcrite = false;  // by this session
    std::string aCreer;           // the level that did not exist
};

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

void CEditeur::apresPas(bool change)
{
    if (!change)
        return;
    etat.change = true;
    outils.valideSelection();
    annonces.messages.clear();
}

void CEditeur::retirePlan()
{
    const int n = static_cast<int>(modele.plans().size());
    if (etat.plan >= n)
        return;
    const std::string chemin = modele.plans()[etat.plan].chemin;
    if (!modele.retirePlan(etat.plan)) {
        annonces.info = n == 1 ? "Un niveau garde au moins un plan" : "Plan impossible à retirer";
        return;
    }
    etat.tileChoisie.erase(etat.tileChoisie.begin() + etat.plan);
    etat.selection.clear();
    etat.plan = std::min(etat.plan, n - 2);
    apresPas(true);
    annonces.info = "Plan retiré du niveau, son fichier reste : " + chemin + " (Ctrl+Z le remet)";
}

void CEditeur::deplacePlan(int sens)
{
    if (etat.plan >= static_cast<int>(modele.plans().size()))
        return;
    if (!modele.dessineEnJeu(etat.plan))
        annonces.info = "Ce plan est absent du jeu : changez sa priorité (P)";
    else if (modele.deplacePlan(etat.plan, sens))
        apresPas(true);
    else
        annonces.info = sens > 0 ? "Ce plan est déjà devant les autres" : "Ce plan est déjà derrière les autres";
}

void CEditeur::basculePanneauNiveau()
{
    if (etat.panneau && etat.panneauNiveau) {
        etat.panneau = false;
        return;
    }
    etat.panneau = true;
    etat.panneauNiveau = true;
    etat.lignePanneau = 0;
    etat.images = CModeleNiveau::imagesPossibles();
    etat.musiques = CModeleNiveau::musiquesPossibles();
}

void CEditeur::suitMusique()
{
    const bool voulue = ouvert && etat.panneau && etat.panneauNiveau;
    const std::string musique = voulue ? modele.aspect().musique : "";
    if (musique != ecoute.enCours() && !ecoute.suit(musique))
        annonces.info = "Musique muette : " + musique + " (voir la sortie d'erreur)";
}

void CEditeur::changeLigne(int ligne, int pas)
{
    if (!etat.panneauNiveau) {
        outils.changeParametre(ligne, pas);
        apresPas(etat.change);
        return;
    }
    std::string info;
    const bool change = ouvert && changeLigneNiveau(modele, etat.images, etat.musiques, ligne, pas, info);
    apresPas(change);
    if (change || !info.empty())
        annonces.info = info;
}

// About the point (x, y) of the screen, which stays over the same place.
void CEditeur::zoome(int sens, double x, double y)
{
    int avant = etat.cadrage.zoom;
    etat.cadrage.zoom = zoomSuivant(avant, sens);
    etat.cadrage.position = positionApresZoom(etat.cadrage.position, static_cast<int>(x), avant, etat.cadrage.zoom);
    etat.cadrage.haut = positionApresZoom(etat.cadrage.haut, static_cast<int>(y), avant, etat.cadrage.zoom);
}

bool CEditeur::enregistre(bool ecraser)
{
    if (!ouvert)
        return false;
    uint32_t debut = tempsCourant();
    bool ok = ecraser ? modele.ecrase() : modele.sauve();
    if (!ok && !ecraser && demandeSiConflit())
        return false;
    annonces.messages = modele.verifie();
    uint32_t duree = tempsCourant() - debut;
    messageInfo("Enregistrement et vérification : %u ms, %u problème(s)\n", static_cast<unsigned>(duree),
                static_cast<unsigned>(annonces.messages.size()));
    videMessages();
    if (!ok)
        annonces.info = "Échec de l'enregistrement (voir la sortie d'erreur)";
    else if (annonces.messages.empty())
        annonces.info = "Niveau enregistré, aucun problème";
    else
        annonces.info = "Niveau enregistré, " + std::to_string(annonces.messages.size()) + " problème(s)";
    if (ok)
        CModeleNiveau::effaceAutosave(modele.fichierNiveau());
    return ok;
}

// When the save stopped because another program changed the files, asks
// the author what to keep: nothing is lost without being asked.
bool CEditeur::demandeSiConflit()
{
    const std::vector<std::string> fichiers = modele.fichiersChangesSurDisque();
    if (fichiers.empty())
        return false;
    std::string question = DebutQuestionConflit;
    for (size_t i = 0; i < fichiers.size() && i < 3; ++i) {
        size_t barre = fichiers[i].rfind('/');
        question += (barre == std::string::npos ? fichiers[i] : fichiers[i].substr(barre + 1)) + "\n";
    }
    if (fichiers.size() > 3)
        question += "et " + std::to_string(fichiers.size() - 3) + " autre(s)\n";
    question += "E : écraser avec vos modifications\n"
                "R : reprendre sa version (Ctrl+Z rend la vôtre)\n"
                "C : copier vos modifications dans <fichier>.mien\n"
                "Échap : ne rien enregistrer";
    annonces.question = question;
    annonces.info = "Fichiers modifiés par un autre programme : rien n'est enregistré";
    return true;
}

CEditeur::Fin CEditeur::reponseConflit(int sym)
{
    if (sym == SDLK_e) {
        annonces.question.clear();
        enregistre(true);
    } else if (sym == SDLK_r) {
        annonces.question.clear();
        bool repris = modele.recharge();
        apresPas(repris);
        etat.selection.clear();
        etat.tileChoisie.resize(modele.plans().size(), 0);
        annonces.info = repris ? "Version du disque reprise (Ctrl+Z rend la vôtre)"
                               : "Rechargement impossible (voir la sortie d'erreur)";
    } else if (sym == SDLK_c) {
        annonces.question.clear();
        std::vector<std::string> copies;
        bool ok = modele.sauveACote(&copies);
        annonces.info = ok && !copies.empty() ? "Vos modifications sont dans " + copies[0]
                                                    + (copies.size() > 1 ? " (et les autres .mien)" : "")
                                              : "Copie impossible (voir la sortie d'erreur)";
    } else if (sym == SDLK_ESCAPE) {
        annonces.question.clear();
        annonces.info = "Rien n'est enregistré";
    }
    return Continuer;
}

CEditeur::Fin CEditeur::demandeFin()
{
    if (arretDemande() || !ouvert)
        return Quitter;
    if (!modele.modifie()) {
        // Undone back to the files: this session's autosave holds nothing
        // to offer any more.
        if (autosaveEcrite)
            CModeleNiveau::effaceAutosave(modele.fichierNiveau());
        return Quitter;
    }
    annonces.question = QuestionQuitter;
    return Continuer;
}

CEditeur::Fin CEditeur::echappe()
{
    if (!annonces.messages.empty()) {
        annonces.messages.clear();
        return Continuer;
    }
    if (etat.glisse == EtatEditeur::Elastique || etat.glisse == EtatEditeur::Deplacement) {
        etat.glisse = EtatEditeur::Aucun;
        return Continuer;
    }
    if (etat.panneau && !etat.apercu) {
        etat.panneau = false;
        etat.panneauNiveau = false;
        return Continuer;
    }
    return demandeFin();
}

CEditeur::Fin CEditeur::reponse(int sym)
{
    if (annonces.question.rfind(DebutQuestionConflit, 0) == 0)
        return reponseConflit(sym);
    if (annonces.question == QuestionNouveau) {
        if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
            ouvert = CModeleNiveau::creeNiveau(aCreer) && modele.ouvre(aCreer);
            etat.tileChoisie.assign(modele.plans().size(), 0);
            annonces.info = ouvert ? "Niveau créé : Maj+T découpe sa première tuile"
                                   : "Impossible de créer le niveau (voir la sortie d'erreur)";
        } else if (sym == SDLK_ESCAPE) {
            annonces.info = "Niveau introuvable : " + aCreer;
        } else {
            return Continuer;
        }
        annonces.question.clear();
        return Continuer;
    }
    if (annonces.question == QuestionAutosave) {
        if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
            bool repris = modele.reprendAutosave();
            apresPas(repris);
            annonces.info = repris ? "Sauvegarde automatique reprise (Ctrl+Z la défait)"
                                   : "Sauvegarde automatique illisible";
        } else if (sym == SDLK_ESCAPE) {
            annonces.info = "Sauvegarde automatique ignorée";
        } else {
            return Continuer;
        }
        annonces.question.clear();
        return Continuer;
    }
    if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER || sym == SDLK_s) {
        annonces.question.clear();
        return enregistre() ? Quitter : Continuer;
    }
    if (sym == SDLK_n) {
        CModeleNiveau::effaceAutosave(modele.fichierNiveau());
        return Quitter;
    }
    if (sym == SDLK_ESCAPE)
        annonces.question.clear();
    return Continuer;
}

CEditeur::Fin CEditeur::touche(const SDL_keysym& k)
{
    const bool ctrl = (k.mod & KMOD_CTRL) != 0, maj = (k.mod & KMOD_SHIFT) != 0;
    if (!annonces.question.empty())
        return reponse(k.sym);
    if (k.sym == SDLK_ESCAPE)
        return echappe();
    if (k.sym != SDLK_s || !ctrl)
        annonces.messages.clear();
    switch (k.sym) {
    case SDLK_F1: editF1Mode(); return Continuer;
    case SDLK_F2: etat.palette = !etat.palette; return Continuer;
    case SDLK_F5:
        // The game plays its own music.
        ecoute.suit("");
        if (ouvert && !joueDepuis(modele, etat.cadrage.position))
            annonces.info = "Impossible de lancer le jeu (voir la sortie d'erreur)";
        return Continuer;
    case SDLK_MINUS: case SDLK_KP_MINUS:
        zoome(-1, etat.cadrage.largeur / 2, etat.cadrage.hauteur / 2);
        return Continuer;
    case SDLK_PLUS: case SDLK_EQUALS: case SDLK_KP_PLUS:
        zoome(+1, etat.cadrage.largeur / 2, etat.cadrage.hauteur / 2);
        return Continuer;
    default: break;
    }
    if (etat.apercu)
        return Continuer;
    const int nbPlans = static_cast<int>(modele.plans().size());
    if (ctrl) {
        switch (k.sym) {
        case SDLK_z:
            apresPas(maj ? modele.retablit() : modele.annule());
            etat.selection.clear();
            break;
        case SDLK_y: apresPas(modele.retablit()); etat.selection.clear(); break;
        case SDLK_s: enregistre(); break;
        case SDLK_c: outils.copieSelection(); break;
        case SDLK_v: outils.colle(); apresPas(etat.change); break;
        default: break;
        }
        return Continuer;
    }
    switch (k.sym) {
    case SDLK_TAB:
        if (nbPlans > 0)
            etat.plan = (etat.plan + (maj ? nbPlans - 1 : 1)) % nbPlans;
        etat.outil = OutilTuiles;
        etat.selection.clear();
        break;
    case SDLK_h: etat.visibilite = static_cast<Visibilite>((etat.visibilite + 1) % 3); break;
    case SDLK_p: outils.basculePanneau(); break;
    case SDLK_l: basculePanneauNiveau(); break;
    case SDLK_f: outils.arriveeSousPointeur(); apresPas(etat.change); break;
    case SDLK_n:
        if (ouvert && creePlan(modele)) {
            apresPas(true);
            etat.plan = static_cast<int>(modele.plans().size()) - 1;
            etat.outil = OutilTuiles;
            annonces.info = "Nouveau plan : " + modele.plans()[etat.plan].chemin;
        }
        break;
    case SDLK_g: etat.grille = !etat.grille; break;
    case SDLK_r: etat.ratio100 = !etat.ratio100; break;
    case SDLK_a:
        etat.outil = etat.outil == OutilTuiles ? OutilActeurs : OutilTuiles;
        etat.selection.clear();
        // Types written since the start (a new checkpoint, say) are offered.
        etat.typesActeurs = modele.typesActeurs();
        break;
    case SDLK_PAGEUP: case SDLK_PAGEDOWN:
        if (maj)
            deplacePlan(k.sym == SDLK_PAGEUP ? 1 : -1);
        else
            outils.choisitPalette(outils.choixPalette() + (k.sym == SDLK_PAGEUP ? -1 : 1));
        break;
    case SDLK_DELETE:
        if (maj) {
            retirePlan();
            break;
        }
        outils.supprimeSelection();
        apresPas(etat.change);
        break;
    case SDLK_BACKSPACE: outils.supprimeSelection(); apresPas(etat.change); break;
    case SDLK_t:
        if (ouvert && etat.plan < nbPlans && (maj || outils.nbPalette() > 0) && etat.outil == OutilTuiles)
            apresPas(editePlanche(modele, etat.plan, maj ? -1 : outils.choixPalette()));
        break;
    case SDLK_UP: case SDLK_DOWN:
        if (etat.panneau)
            etat.lignePanneau = (etat.lignePanneau + (k.sym == SDLK_UP ? lignesPanneau() - 1 : 1)) % lignesPanneau();
        break;
    case SDLK_LEFT: case SDLK_RIGHT:
        if (etat.panneau)
            changeLigne(etat.lignePanneau, k.sym == SDLK_LEFT ? -1 : 1);
        break;
    default: break;
    }
    return Continuer;
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
                && y < HautPanneau + NbLignesPanneau * LignePanneau) {
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
