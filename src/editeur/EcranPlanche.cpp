#include "editeur/EcranPlanche.h"

#include "editeur/EtatPlanche.h"
#include "editeur/GeometrieEditeur.h"
#include "editeur/ModeleNiveau.h"
#include "foundation/Messages.h"
#include "game/FichiersJeu.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "render/CTexte.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/gfx.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <memory>

namespace editeur {

namespace {

// The sheet's zone fills the drawing space (the editor's, which follows the
// window) but for the three text lines under it.
const int ZoneX = 0, ZoneY = 0;
const int HauteurLignes = 56;
struct Espace {
    int largeur = 640, hauteur = 480;
    int zoneHauteur() const { return hauteur - HauteurLignes; }
};
Espace espace()
{
    Espace e;
    if (const SDL_Surface* ecran = SDL_GetVideoSurface())
        editeur::tailleDessin(ecran->w, ecran->h, e.largeur, e.hauteur);
    return e;
}
// Text at this share of the font's size, as in the editor's main screen.
const float TailleTexte = 0.65f;

struct Couleur4 {
    unsigned char r, g, b, a;
};

// A filled or outlined rectangle in the drawing space, GL's state left as found.
void rectangle(int x, int y, int l, int h, Couleur4 c, bool plein)
{
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(c.r, c.g, c.b, c.a);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (plein) {
        glBegin(GL_QUADS);
        glVertex2i(x, y);
        glVertex2i(x + l, y);
        glVertex2i(x + l, y + h);
        glVertex2i(x, y + h);
    } else {
        // Pixel centres, so each side covers exactly one row or column.
        const float g = x + 0.5f, d = x + l - 0.5f, hh = y + 0.5f, b = y + h - 0.5f;
        glBegin(GL_LINE_LOOP);
        glVertex2f(g, hh);
        glVertex2f(d, hh);
        glVertex2f(d, b);
        glVertex2f(g, b);
    }
    glEnd();
    glPopMatrix();
    glPopAttrib();
}

// Text scaled through the projection: every picture's drawing resets the
// model-view matrix.
void ecrit(CTexte& texte, int x, int y, const std::string& ligne)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glScalef(TailleTexte, TailleTexte, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    texte.affiche(static_cast<int>(x / TailleTexte), static_cast<int>(y / TailleTexte), ligne);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// A window point in the drawing space, through the same viewport as the
// projection.
void versDessin(int fx, int fy, int& x, int& y)
{
    const SDL_Surface* ecran = SDL_GetVideoSurface();
    const Espace e = espace();
    double dx = fx, dy = fy;
    if (ecran)
        editeur::ecranDepuisFenetre(fx, fy, ecran->w, ecran->h, reglages().garderProportions, dx, dy, e.largeur,
                                    e.hauteur);
    x = static_cast<int>(dx);
    y = static_cast<int>(dy);
}

// A frame's place and size as the plane file writes them.
std::string rectangleTexte(int x, int y, int largeur, int hauteur)
{
    return std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(largeur) + " × "
           + std::to_string(hauteur);
}

bool memesFrames(const std::vector<FrameEditee>& a, const std::vector<FrameEditee>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].positionX != b[i].positionX || a[i].positionY != b[i].positionY || a[i].longueur != b[i].longueur
            || a[i].hauteur != b[i].hauteur || a[i].alpha != b[i].alpha || a[i].pause != b[i].pause)
            return false;
    return true;
}

std::string nomDeFichier(const std::string& chemin)
{
    return chemin.substr(chemin.rfind('/') + 1);
}

class CEcranPlanche {
public:
    CEcranPlanche(CModeleNiveau& modele, int plan, int tile);
    bool lance();

private:
    void chargePlanche();
    void dessine();
    // False when the screen ends; `accepte` then says how.
    bool traite(const SDL_Event& e);
    void traiteSouris(const SDL_Event& e);
    bool traiteTouche(const SDL_keysym& k);
    bool accepte();

    CModeleNiveau& modele;
    int plan, tile;
    std::vector<TileEditee> planches;  // a new tile's choices of sheet and colour key
    size_t planchesIndex = 0;
    std::unique_ptr<CImageGL> image;
    std::unique_ptr<CEtatPlanche> etat;
    CTexte texte;
    std::string avis;  // a refusal, shown until the next change
    bool panoramique = false;
    int panX = 0, panY = 0;
    bool resultat = false;
};

CEcranPlanche::CEcranPlanche(CModeleNiveau& modele, int plan, int tile) : modele(modele), plan(plan), tile(tile)
{
    TileEditee depart;
    if (tile >= 0) {
        depart = modele.plans()[plan].tiles[tile];
    } else {
        planches = modele.planchesPossibles(plan);
        if (!planches.empty())
            depart = planches[0];
    }
    etat.reset(new CEtatPlanche(depart, 0, 0));
    chargePlanche();
    texte.charge(fichiersJeu::PoliceTexte);
    // Said at once when there is no sheet to draw on.
    if (image->getLongueur() <= 0 || image->getHauteur() <= 0)
        etat->acceptable(avis);
}

void CEcranPlanche::chargePlanche()
{
    const TileEditee& t = etat->tile();
    image.reset(new CImageGL());
    if (!t.planche.empty())
        image->chargeImageSDL(t.planche.c_str(), t.cleR, t.cleG, t.cleB);
    etat->changePlanche(t.planche, image->getLongueur(), image->getHauteur());
    const Espace e = espace();
    etat->ajuste(ZoneX, ZoneY, e.largeur, e.zoneHauteur());
}

bool CEcranPlanche::accepte()
{
    std::string raison;
    if (!etat->acceptable(raison)) {
        avis = raison;
        return false;
    }
    const TileEditee& t = etat->tile();
    if (tile >= 0) {
        const TileEditee& avant = modele.plans()[plan].tiles[tile];
        resultat = !(avant.planche == t.planche && memesFrames(avant.frames, t.frames)) && modele.modifieTile(plan, tile, t);
    } else {
        TileEditee nouvelle = t;
        nouvelle.positions.clear();
        resultat = plan < 0 ? modele.ajoutePlan(nouvelle) : modele.ajouteTile(plan, nouvelle);
    }
    return true;
}

bool CEcranPlanche::traite(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_QUIT: {
        // The editor asks about unsaved work: the request goes back to it.
        SDL_Event quitter = e;
        SDL_PushEvent(&quitter);
        return false;
    }
    case SDL_KEYDOWN:
        return traiteTouche(e.key.keysym);
    default:
        traiteSouris(e);
        return true;
    }
}

void CEcranPlanche::traiteSouris(const SDL_Event& e)
{
    int x = 0, y = 0;
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        versDessin(e.button.x, e.button.y, x, y);
        if (e.button.button == SDL_BUTTON_LEFT) {
            etat->appuie(x, y);
        } else if (e.button.button == SDL_BUTTON_MIDDLE) {
            panoramique = true;
            panX = x;
            panY = y;
        } else if (e.button.button == SDL_BUTTON_WHEELUP || e.button.button == SDL_BUTTON_WHEELDOWN) {
            const int sens = e.button.button == SDL_BUTTON_WHEELUP ? 1 : -1;
            if (SDL_GetModState() & KMOD_CTRL)
                etat->zoome(sens, x, y);
            else
                etat->changePause(sens * CEtatPlanche::PAUSE_PAS);
        }
        break;
    case SDL_MOUSEMOTION:
        versDessin(e.motion.x, e.motion.y, x, y);
        etat->glisse(x, y);
        if (panoramique) {
            etat->defile(x - panX, y - panY);
            panX = x;
            panY = y;
        }
        break;
    case SDL_MOUSEBUTTONUP:
        versDessin(e.button.x, e.button.y, x, y);
        if (e.button.button == SDL_BUTTON_LEFT) {
            etat->relache(x, y);
            avis.clear();
        } else if (e.button.button == SDL_BUTTON_MIDDLE) {
            panoramique = false;
        }
        break;
    default:
        break;
    }
}

bool CEcranPlanche::traiteTouche(const SDL_keysym& k)
{
    const bool maj = (k.mod & KMOD_SHIFT) != 0;
    const int pas = maj ? 10 * CEtatPlanche::PAUSE_PAS : CEtatPlanche::PAUSE_PAS;
    switch (k.sym) {
    case SDLK_ESCAPE:
        return false;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return !accepte();
    case SDLK_DELETE:
    case SDLK_BACKSPACE:
        etat->supprimeSelection();
        break;
    case SDLK_PLUS:
    case SDLK_KP_PLUS:
    case SDLK_EQUALS:
        etat->changePause(pas);
        break;
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        etat->changePause(-pas);
        break;
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN:
        etat->zoome(k.sym == SDLK_PAGEUP ? 1 : -1, espace().largeur / 2, espace().zoneHauteur() / 2);
        break;
    case SDLK_HOME:
        etat->ajuste(ZoneX, ZoneY, espace().largeur, espace().zoneHauteur());
        break;
    case SDLK_LEFT:
    case SDLK_RIGHT:
        etat->defile(k.sym == SDLK_LEFT ? 40 : -40, 0);
        break;
    case SDLK_UP:
    case SDLK_DOWN:
        etat->defile(0, k.sym == SDLK_UP ? 40 : -40);
        break;
    case SDLK_TAB:
        if (planches.size() > 1) {
            planchesIndex = (planchesIndex + (maj ? planches.size() - 1 : 1)) % planches.size();
            // Another sheet: its frames are not this one's.
            etat.reset(new CEtatPlanche(planches[planchesIndex], 0, 0));
            chargePlanche();
        }
        break;
    default:
        return true;
    }
    avis.clear();
    return true;
}

void CEcranPlanche::dessine()
{
    const Espace es = espace();
    if (const SDL_Surface* ecran = SDL_GetVideoSurface())
        appliqueProjection(ecran->w, ecran->h, es.largeur, es.hauteur);
    const int lignes = es.zoneHauteur();
    clearScreen();
    const int z = etat->zoom();
    const int l = image->getLongueur(), h = image->getHauteur();
    // A dark checker-free backdrop shows where the sheet ends.
    int x0, y0, x1, y1;
    etat->versEcran(0, 0, x0, y0);
    etat->versEcran(l, h, x1, y1);
    rectangle(x0, y0, x1 - x0, y1 - y0, {60, 60, 70, 255}, true);
    // CImageGL zooms around the picture's centre: place it so that sheet
    // pixel (0, 0) lands on the view's origin.
    image->setZoom(z);
    const double centreX = etat->origineX() + (l / 2) * z / 100.0;
    const double centreY = etat->origineY() + (h / 2) * z / 100.0;
    image->affiche(static_cast<int>(centreX + 0.5) - l / 2, static_cast<int>(centreY + 0.5) - h / 2);

    const std::vector<FrameEditee>& frames = etat->tile().frames;
    for (size_t i = 0; i < frames.size(); ++i) {
        const FrameEditee& f = frames[i];
        int fx0, fy0, fx1, fy1;
        etat->versEcran(f.positionX, f.positionY, fx0, fy0);
        etat->versEcran(f.positionX + f.longueur, f.positionY + f.hauteur, fx1, fy1);
        const bool choisie = static_cast<int>(i) == etat->selection();
        Couleur4 c = choisie ? Couleur4{255, 220, 0, 255} : Couleur4{0, 230, 255, 255};
        rectangle(fx0, fy0, std::max(1, fx1 - fx0), std::max(1, fy1 - fy0), c, false);
        if (choisie)
            rectangle(fx0 + 1, fy0 + 1, std::max(0, fx1 - fx0 - 2), std::max(0, fy1 - fy0 - 2), c, false);
        ecrit(texte, fx0 + 3, fy0 + 1, std::to_string(i + 1));
    }
    int u, v, rl, rh;
    if (etat->rectangleEnCours(u, v, rl, rh)) {
        int rx0, ry0, rx1, ry1;
        etat->versEcran(u, v, rx0, ry0);
        etat->versEcran(u + rl, v + rh, rx1, ry1);
        rectangle(rx0, ry0, std::max(1, rx1 - rx0), std::max(1, ry1 - ry0), {255, 255, 255, 255}, false);
    }

    rectangle(0, lignes, es.largeur, HauteurLignes, {0, 0, 0, 230}, true);
    const TileEditee& t = etat->tile();
    // The frame first: on a narrow screen the line's end is what is cut.
    std::string ligne;
    if (etat->rectangleEnCours(u, v, rl, rh)) {
        ligne = "Nouvelle frame : " + rectangleTexte(u, v, rl, rh);
    } else if (etat->selection() >= 0) {
        const FrameEditee& f = frames[etat->selection()];
        ligne = "Frame " + std::to_string(etat->selection() + 1) + " : "
                + rectangleTexte(f.positionX, f.positionY, f.longueur, f.hauteur) + ", pause " + std::to_string(f.pause)
                + " ms";
    } else {
        ligne = std::to_string(frames.size()) + " frame(s)";
    }
    ligne += "   " + (tile >= 0 ? "tuile " + std::to_string(tile + 1)
                       : plan < 0 ? "nouveau plan " + nomDeFichier(modele.cheminNouveauPlan(t.planche))
                                  : std::string("nouvelle tuile"))
             + " : " + t.planche + "  " + std::to_string(z) + " %";
    if (tile < 0 && planches.size() > 1)
        ligne += "  (Tab : autre planche)";
    ecrit(texte, 6, lignes + 3, ligne);
    if (!avis.empty()) {
        texte.setBrightness(255, 90, 90);
        ecrit(texte, 6, lignes + 20, avis);
        texte.setBrightness(255, 255, 255);
    } else {
        ecrit(texte, 6, lignes + 20, "Glisser : nouvelle frame   Clic : choisir   Suppr : retirer   "
                                   "Molette, + - : pause (Maj : x10)");
    }
    ecrit(texte, 6, lignes + 37, "Ctrl+molette, Pg.préc/suiv : zoom   Flèches, bouton du milieu : défiler   "
                                "Entrée : accepter   Échap : annuler");
    presenteImage();
}

bool CEcranPlanche::lance()
{
    // A signal ends the screen as Escape does; the editor then keeps the
    // work in its autosave.
    while (!prendEvenements([this](const SDL_Event& e) { return !traite(e); }, FinParEcran)) {
        dessine();
        attendEvenement(30);
    }
    return resultat;
}

}  // namespace

bool editePlanche(CModeleNiveau& modele, int plan, int tile)
{
    if (plan < 0 || plan >= static_cast<int>(modele.plans().size()) || !modele.plans()[plan].lisible
        || tile >= static_cast<int>(modele.plans()[plan].tiles.size())) {
        messageErreur("Tuile introuvable : plan %d, tuile %d\n", plan + 1, tile + 1);
        return false;
    }
    CEcranPlanche ecran(modele, plan, tile);
    return ecran.lance();
}

bool creePlan(CModeleNiveau& modele)
{
    CEcranPlanche ecran(modele, -1, -1);
    return ecran.lance();
}

}
