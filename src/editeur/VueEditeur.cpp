#include "editeur/VueEditeur.h"

#include "game/Acteurs.h"
#include "game/FichiersJeu.h"
#include "render/CImageGL.h"
#include "render/CTexte.h"
#include "sprites/CAnimGL.h"
#include "sprites/CSprite.h"

#include <SDL_opengl.h>
#include <algorithm>

namespace editeur {

namespace {
// Other planes when dimmed.
const int AlphaEstompe = 70;

}

void rectanglePlein(double x, double y, double l, double h, unsigned char r, unsigned char g,
                    unsigned char b, unsigned char a)
{
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex2d(x, y);
    glVertex2d(x + l, y);
    glVertex2d(x + l, y + h);
    glVertex2d(x, y + h);
    glEnd();
    glDisable(GL_BLEND);
    glColor4ub(255, 255, 255, 255);
}

void cadre(double x, double y, double l, double h, unsigned char r, unsigned char g, unsigned char b,
           unsigned char a)
{
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(r, g, b, a);
    glBegin(GL_LINE_LOOP);
    glVertex2d(x + 0.5, y + 0.5);
    glVertex2d(x + l - 0.5, y + 0.5);
    glVertex2d(x + l - 0.5, y + h - 0.5);
    glVertex2d(x + 0.5, y + h - 0.5);
    glEnd();
    glDisable(GL_BLEND);
    glColor4ub(255, 255, 255, 255);
}

// The projection carries the zoom: every picture's drawing resets the
// model-view matrix.
void commenceZoom(int zoom, int haut)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glScalef(zoom / 100.0f, zoom / 100.0f, 1.0f);
    glTranslatef(0.0f, static_cast<float>(-haut), 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void commenceEchelle(double sx, double sy)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glScaled(sx, sy, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

void finZoom()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

CVueEditeur::CVueEditeur() = default;
CVueEditeur::~CVueEditeur() = default;

void CVueEditeur::charge()
{
    texte_.reset(new CTexte());
    texte_->charge(fichiersJeu::PoliceTexte);
    niveau_.charge();
}

CImageGL* CVueEditeur::imageTile(const TileEditee& tile)
{
    if (tile.frames.empty())
        return nullptr;
    const FrameEditee& f = tile.frames[0];
    std::string cle = tile.planche + '|' + std::to_string(f.positionX) + ',' + std::to_string(f.positionY) + ','
                      + std::to_string(f.longueur) + ',' + std::to_string(f.hauteur) + '|'
                      + std::to_string(tile.cleR) + ',' + std::to_string(tile.cleG) + ','
                      + std::to_string(tile.cleB);
    auto trouve = images_.find(cle);
    if (trouve != images_.end())
        return trouve->second.get();
    // A failed cut is kept too (empty, draws nothing), so that a bad sheet
    // is reported once and not read again every frame.
    CImageGL* image = new CImageGL();
    images_[cle].reset(image);
    if (f.longueur > 0 && f.hauteur > 0)
        image->chargeImageSDL(tile.planche.c_str(), f.positionX, f.positionY, f.longueur, f.hauteur,
                              tile.cleR, tile.cleG, tile.cleB, false);
    return image;
}

CVueEditeur::SpriteActeur& CVueEditeur::spriteActeur(const std::string& type)
{
    auto trouve = acteurs_.find(type);
    if (trouve != acteurs_.end())
        return trouve->second;
    SpriteActeur& s = acteurs_[type];
    TypeActeur t;
    if (!litTypeActeur(("./data/acteurs/" + type + ".ini").c_str(), t))
        return s;
    s.sprite.reset(new CSprite());
    s.sprite->initFromIniFile(t.sprite.c_str());
    if (s.sprite->getNbAnims() == 0) {
        s.sprite.reset();
        return s;
    }
    s.sprite->setAnimationCourante(t.anims[AnimRepos]);
    if (CAnimGL* a = s.sprite->getAnimationCourante()) {
        a->setImageCourante(0);
        if (a->getLongueurImageCourante() > 0) {
            s.largeur = a->getLongueurImageCourante();
            s.hauteur = a->getHauteurImageCourante();
        }
        int alphaMax = 0;
        if (CImageGL* image = a->getImage(0))
            s.pale = !cadreVisibleImage(*image, s.visible, &alphaMax) || alphaMax < AlphaPale;
    }
    return s;
}

void CVueEditeur::tailleActeur(const std::string& type, int& largeur, int& hauteur)
{
    const SpriteActeur& s = spriteActeur(type);
    largeur = s.largeur;
    hauteur = s.hauteur;
}

// The game's preview leaves out an actor without a picture: while editing
// it shows as a box, something to click.
void CVueEditeur::dessineActeurs(const CModeleNiveau& modele, const EtatEditeur& etat)
{
    niveau_.dessineActeurs(etat.cadrage);
    if (etat.apercu)
        return;
    const int position = etat.cadrage.position;
    for (const ActeurEdite& a : modele.acteurs()) {
        SpriteActeur& s = spriteActeur(a.type);
        if (!s.sprite)
            rectanglePlein(a.x - position, a.y, s.largeur, s.hauteur, 200, 60, 200, 160);
        else if (s.pale && s.visible.largeur > 0)
            // A faint figure (the shrine before it lights) is outlined
            // where its pixels are.
            cadre(a.x - position + s.visible.x, a.y + s.visible.y, s.visible.largeur, s.visible.hauteur, 255, 230,
                  140, 170);
    }
}

// With the actor tool, every actor is framed: some rest on a frame that
// is almost transparent.
void CVueEditeur::dessineCadresActeurs(const CModeleNiveau& modele, const EtatEditeur& etat)
{
    for (const ActeurEdite& a : modele.acteurs()) {
        const SpriteActeur& s = spriteActeur(a.type);
        double x, y, x2, y2;
        ecranDepuisPlan(etat.cadrage, 100, 0, 0, a.x, a.y, x, y);
        ecranDepuisPlan(etat.cadrage, 100, 0, 0, a.x + s.largeur, a.y + s.hauteur, x2, y2);
        if (x2 >= 0 && x < etat.cadrage.largeur && y2 >= 0 && y < etat.cadrage.hauteur)
            cadre(x, y, x2 - x, y2 - y, 255, 255, 255, 90);
    }
}

void CVueEditeur::dessineNiveau(const CModeleNiveau& modele, const EtatEditeur& etat)
{
    const auto& plans = modele.plans();
    std::vector<int> ordre;
    // A plane the game does not draw is left out of the preview, and only
    // dimmed while editing, so that it can still be found and mended.
    for (int i = 0; i < static_cast<int>(plans.size()); ++i)
        if (modele.dessineEnJeu(i) || !etat.apercu)
            ordre.push_back(i);
    std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) {
        return plans[a].parametres.priorite < plans[b].parametres.priorite;
    });
    for (int i : ordre) {
        unsigned char alpha = modele.dessineEnJeu(i) ? 255 : AlphaEstompe;
        if (!etat.apercu && i != etat.plan && etat.outil == OutilTuiles) {
            if (etat.visibilite == AutresCaches)
                continue;
            if (etat.visibilite == AutresEstompes)
                alpha = AlphaEstompe;
        }
        niveau_.dessinePlan(i, etat.cadrage, etat.ratio(plans[i]), alpha);
    }
    dessineActeurs(modele, etat);
    niveau_.dessineHeros();
}

void CVueEditeur::dessineSelection(const EtatEditeur& etat, const COutilsEditeur& outils)
{
    int dx = 0, dy = 0;
    if (etat.glisse == EtatEditeur::Deplacement)
        outils.decalageGlisse(etat.souris[0], etat.souris[1], dx, dy);
    for (const Element& e : etat.selection) {
        double x, y, x2, y2;
        outils.rectEcran(e, dx, dy, x, y, x2, y2);
        rectanglePlein(x, y, x2 - x, y2 - y, 80, 160, 255, 60);
        cadre(x, y, x2 - x, y2 - y, 80, 200, 255);
    }
    if (etat.glisse == EtatEditeur::Elastique) {
        Rect r = rectEntre(static_cast<int>(etat.x0), static_cast<int>(etat.y0), static_cast<int>(etat.souris[0]),
                           static_cast<int>(etat.souris[1]));
        rectanglePlein(r.x, r.y, r.largeur, r.hauteur, 255, 255, 255, 40);
        cadre(r.x, r.y, r.largeur, r.hauteur, 255, 255, 255);
    }
}

// The chosen tile or actor, faint, where a click would place it.
void CVueEditeur::dessineFantome(const CModeleNiveau& modele, const EtatEditeur& etat,
                                 const COutilsEditeur& outils)
{
    if (etat.glisse != EtatEditeur::Aucun || etat.souris[1] >= etat.hautPalette() || outils.nbPalette() == 0)
        return;
    if (etat.panneau && etat.souris[0] < LargeurPanneau)
        return;
    Element sous;
    if (outils.elementSous(etat.souris[0], etat.souris[1], sous)) {
        // What a click would take.
        double x, y, x2, y2;
        outils.rectEcran(sous, 0, 0, x, y, x2, y2);
        cadre(x, y, x2 - x, y2 - y, 255, 255, 255, 160);
        return;
    }
    Point p = outils.pointOutil(etat.souris[0], etat.souris[1]);
    if (etat.grille) {
        p.x = aligneGrille(p.x);
        p.y = aligneGrille(p.y);
    }
    commenceZoom(etat.cadrage.zoom, etat.cadrage.haut);
    if (etat.outil == OutilActeurs) {
        SpriteActeur& s = spriteActeur(etat.typesActeurs[outils.choixPalette()]);
        if (CAnimGL* anim = s.sprite ? s.sprite->getAnimationCourante() : nullptr) {
            CImageAnim* image = anim->getImage(anim->getImageCourante());
            image->setAlphaBlending(120);
            anim->afficheImageCourante(p.x - etat.cadrage.position, p.y);
            image->setAlphaBlending(255);
        }
    } else {
        const PlanEdite& plan = modele.plans()[etat.plan];
        CImageGL* image = imageTile(plan.tiles[outils.choixPalette()]);
        if (image) {
            image->setAlphaBlending(120);
            image->affiche(plan.parametres.positionEcranX + p.x - fenetrePlan(etat.cadrage.position, etat.ratio(plan)),
                           plan.parametres.positionEcranY + p.y);
        }
    }
    finZoom();
}

void CVueEditeur::dessineGrille(const CModeleNiveau& modele, const EtatEditeur& etat)
{
    const Cadrage& c = etat.cadrage;
    int ratio = 100, ex = 0, ey = 0;
    if (etat.outil == OutilTuiles && etat.plan < static_cast<int>(modele.plans().size())) {
        const PlanEdite& p = modele.plans()[etat.plan];
        ratio = etat.ratio(p);
        ex = p.parametres.positionEcranX;
        ey = p.parametres.positionEcranY;
    }
    // Below 50 % the 16 px lines would fill the screen: every fourth then.
    const int pas = c.zoom < 50 ? PasGrille * 4 : PasGrille;
    Point debut = planDepuisEcran(c, ratio, ex, ey, 0, 0);
    int x0 = aligneGrille(debut.x, pas), y0 = aligneGrille(debut.y, pas);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(255, 255, 255, 40);
    glBegin(GL_LINES);
    for (int px = x0;; px += pas) {
        double x, y;
        ecranDepuisPlan(c, ratio, ex, ey, px, y0, x, y);
        if (x > c.largeur)
            break;
        glVertex2d(x + 0.5, 0);
        glVertex2d(x + 0.5, c.hauteur);
    }
    for (int py = y0;; py += pas) {
        double x, y;
        ecranDepuisPlan(c, ratio, ex, ey, x0, py, x, y);
        if (y > c.hauteur)
            break;
        glVertex2d(0, y + 0.5);
        glVertex2d(c.largeur, y + 0.5);
    }
    glEnd();
    glDisable(GL_BLEND);
    glColor4ub(255, 255, 255, 255);
}

void CVueEditeur::dessine(const CModeleNiveau& modele, const EtatEditeur& etat, const COutilsEditeur& outils,
                          const Annonces& annonces)
{
    niveau_.suit(modele);
    // Sky and moon stay where the game puts them on its 640 x 480 screen,
    // scaled to the window's width, so that the palette's strip below
    // leaves them as the game shows them.
    commenceEchelle(etat.cadrage.largeur / 640.0, etat.cadrage.largeur / 640.0);
    niveau_.dessineCiel();
    finZoom();
    commenceZoom(etat.cadrage.zoom, etat.cadrage.haut);
    dessineNiveau(modele, etat);
    finZoom();
    if (!etat.apercu) {
        // The finish line, where a drag of its flag would leave it.
        int arrivee = 0;
        if (outils.arriveeGlissee(arrivee) || modele.arrivee(arrivee)) {
            double x, y;
            ecranDepuisPlan(etat.cadrage, 100, 0, 0, arrivee, 0, x, y);
            rectanglePlein(x - 1, 0, 3, etat.cadrage.hauteur, 255, 220, 40, 200);
            rectanglePlein(x - 6, HautDrapeau, LargeurDrapeau, HauteurDrapeau, 120, 90, 0, 200);
            cadre(x - 6, HautDrapeau, LargeurDrapeau, HauteurDrapeau, 255, 220, 40);
            ecrit(static_cast<int>(x) + 4, HautDrapeau + 4, "Arrivée");
        }
        if (etat.grille)
            dessineGrille(modele, etat);
        if (etat.outil == OutilActeurs)
            dessineCadresActeurs(modele, etat);
        dessineFantome(modele, etat, outils);
        dessineSelection(etat, outils);
        if (etat.palette)
            dessinePalette(modele, etat, outils);
        if (etat.panneau && etat.panneauNiveau)
            dessinePanneauNiveau(modele, etat.lignePanneau);
        else if (etat.panneau && etat.panneauActeur)
            dessinePanneauActeur(modele, outils.acteurPanneau(), etat.lignePanneau);
        else if (etat.panneau)
            dessinePanneau(modele, etat);
        dessineStatut(modele, etat, annonces, outils.pointOutil(etat.souris[0], etat.souris[1]));
        dessineMessages(annonces, etat.cadrage);
    }
    if (!annonces.question.empty())
        dessineQuestion(annonces.question, etat.cadrage);
}

}
