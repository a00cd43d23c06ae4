// The editor's keys, and the level steps they take that need more than the
// model: planes, the level panel and its music.
#include "editeur/Editeur.h"
#include "editeur/EcranPlanche.h"
#include "editeur/Jouer.h"
#include "editeur/SessionEditeur.h"

#include <algorithm>

namespace editeur {

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
    if (ctrl)
        toucheCtrl(k.sym, maj);
    else
        toucheEdition(k.sym, maj);
    return Continuer;
}

void CEditeur::toucheCtrl(SDLKey sym, bool maj)
{
    switch (sym) {
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
}

void CEditeur::nouveauPlan()
{
    if (!ouvert || !creePlan(modele))
        return;
    apresPas(true);
    etat.plan = static_cast<int>(modele.plans().size()) - 1;
    etat.outil = OutilTuiles;
    annonces.info = "Nouveau plan : " + modele.plans()[etat.plan].chemin;
}

void CEditeur::toucheEdition(SDLKey sym, bool maj)
{
    const int nbPlans = static_cast<int>(modele.plans().size());
    switch (sym) {
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
    case SDLK_n: nouveauPlan(); break;
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
            deplacePlan(sym == SDLK_PAGEUP ? 1 : -1);
        else
            outils.choisitPalette(outils.choixPalette() + (sym == SDLK_PAGEUP ? -1 : 1));
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
            etat.lignePanneau = (etat.lignePanneau + (sym == SDLK_UP ? lignesPanneau() - 1 : 1)) % lignesPanneau();
        break;
    case SDLK_LEFT: case SDLK_RIGHT:
        if (etat.panneau)
            changeLigne(etat.lignePanneau, sym == SDLK_LEFT ? -1 : 1);
        break;
    default: break;
    }
}

}
