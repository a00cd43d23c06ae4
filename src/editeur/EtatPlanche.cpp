#include "editeur/EtatPlanche.h"

#include "scenery/ClesNiveau.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace editeur {

CEtatPlanche::CEtatPlanche(const TileEditee& tile, int largeurPlanche, int hauteurPlanche)
    : tile_(tile), largeur_(std::max(0, largeurPlanche)), hauteur_(std::max(0, hauteurPlanche))
{
}

void CEtatPlanche::changePlanche(const std::string& planche, int largeur, int hauteur)
{
    tile_.planche = planche;
    largeur_ = std::max(0, largeur);
    hauteur_ = std::max(0, hauteur);
    borneFrames();
}

// Frames drawn on a larger sheet lose what falls outside the new one; a
// frame left with nothing is dropped.
void CEtatPlanche::borneFrames()
{
    std::vector<FrameEditee> gardees;
    for (FrameEditee f : tile_.frames) {
        int x1 = std::min(f.positionX + f.longueur, largeur_);
        int y1 = std::min(f.positionY + f.hauteur, hauteur_);
        f.positionX = std::max(0, f.positionX);
        f.positionY = std::max(0, f.positionY);
        f.longueur = x1 - f.positionX;
        f.hauteur = y1 - f.positionY;
        if (f.longueur > 0 && f.hauteur > 0)
            gardees.push_back(f);
    }
    tile_.frames = gardees;
    if (selection_ >= static_cast<int>(tile_.frames.size()))
        selection_ = -1;
}

void CEtatPlanche::ajuste(int zoneX, int zoneY, int zoneLargeur, int zoneHauteur)
{
    zoom_ = 100;
    if (largeur_ > 0 && hauteur_ > 0)
        zoom_ = std::max(ZOOM_MIN, std::min({100, zoneLargeur * 100 / largeur_, zoneHauteur * 100 / hauteur_}));
    origineX_ = zoneX + (zoneLargeur - largeur_ * zoom_ / 100.0) / 2;
    origineY_ = zoneY + (zoneHauteur - hauteur_ * zoom_ / 100.0) / 2;
    origineX_ = std::floor(std::max(origineX_, static_cast<double>(zoneX)));
    origineY_ = std::floor(std::max(origineY_, static_cast<double>(zoneY)));
}

void CEtatPlanche::zoome(int pas, int x, int y)
{
    int nouveau = static_cast<int>(std::lround(zoom_ * std::pow(1.25, pas)));
    if (nouveau == zoom_)
        nouveau += pas > 0 ? 1 : -1;
    nouveau = std::max(ZOOM_MIN, std::min(ZOOM_MAX, nouveau));
    // The sheet point under (x, y) stays there.
    double u = (x - origineX_) * 100.0 / zoom_;
    double v = (y - origineY_) * 100.0 / zoom_;
    zoom_ = nouveau;
    origineX_ = std::floor(x - u * zoom_ / 100.0);
    origineY_ = std::floor(y - v * zoom_ / 100.0);
}

void CEtatPlanche::defile(int dx, int dy)
{
    origineX_ += dx;
    origineY_ += dy;
}

void CEtatPlanche::versPlanche(int x, int y, int& u, int& v) const
{
    u = static_cast<int>(std::floor((x - origineX_) * 100.0 / zoom_));
    v = static_cast<int>(std::floor((y - origineY_) * 100.0 / zoom_));
}

void CEtatPlanche::versEcran(int u, int v, int& x, int& y) const
{
    x = static_cast<int>(std::lround(origineX_ + u * zoom_ / 100.0));
    y = static_cast<int>(std::lround(origineY_ + v * zoom_ / 100.0));
}

void CEtatPlanche::appuie(int x, int y)
{
    appuye_ = true;
    trace_ = false;
    departX_ = courantX_ = x;
    departY_ = courantY_ = y;
}

void CEtatPlanche::glisse(int x, int y)
{
    if (!appuye_)
        return;
    courantX_ = x;
    courantY_ = y;
    if (std::abs(x - departX_) > SEUIL_GLISSE || std::abs(y - departY_) > SEUIL_GLISSE)
        trace_ = true;
}

bool CEtatPlanche::rectangleDeGlisse(int x, int y, FrameEditee& frame) const
{
    int u0, v0, u1, v1;
    versPlanche(departX_, departY_, u0, v0);
    versPlanche(x, y, u1, v1);
    // Both end pixels are inside the rectangle, cut to the sheet.
    int gauche = std::max(0, std::min(u0, u1));
    int haut = std::max(0, std::min(v0, v1));
    int droite = std::min(largeur_ - 1, std::max(u0, u1));
    int bas = std::min(hauteur_ - 1, std::max(v0, v1));
    if (droite < gauche || bas < haut)
        return false;
    frame.positionX = gauche;
    frame.positionY = haut;
    frame.longueur = droite - gauche + 1;
    frame.hauteur = bas - haut + 1;
    return true;
}

bool CEtatPlanche::rectangleEnCours(int& u, int& v, int& largeur, int& hauteur) const
{
    FrameEditee f;
    if (!trace_ || !rectangleDeGlisse(courantX_, courantY_, f))
        return false;
    u = f.positionX;
    v = f.positionY;
    largeur = f.longueur;
    hauteur = f.hauteur;
    return true;
}

void CEtatPlanche::relache(int x, int y)
{
    if (!appuye_)
        return;
    glisse(x, y);
    appuye_ = false;
    if (trace_) {
        trace_ = false;
        // The new frame times like the last one, so an animation keeps its
        // pace; after an untimed one (the file's default), PAUSE_NOUVELLE.
        FrameEditee frame = tile_.frames.empty() ? FrameEditee() : tile_.frames.back();
        if (frame.pause <= 0)
            frame.pause = PAUSE_NOUVELLE;
        if (rectangleDeGlisse(x, y, frame)) {
            tile_.frames.push_back(frame);
            selection_ = static_cast<int>(tile_.frames.size()) - 1;
        }
        return;
    }
    int u, v;
    versPlanche(x, y, u, v);
    selection_ = -1;
    for (int i = static_cast<int>(tile_.frames.size()) - 1; i >= 0; --i) {
        const FrameEditee& f = tile_.frames[i];
        if (u >= f.positionX && u < f.positionX + f.longueur && v >= f.positionY && v < f.positionY + f.hauteur) {
            selection_ = i;
            break;
        }
    }
}

bool CEtatPlanche::supprimeSelection()
{
    if (selection_ < 0 || selection_ >= static_cast<int>(tile_.frames.size()))
        return false;
    tile_.frames.erase(tile_.frames.begin() + selection_);
    selection_ = -1;
    return true;
}

bool CEtatPlanche::changePause(int delta)
{
    if (selection_ < 0 || selection_ >= static_cast<int>(tile_.frames.size()))
        return false;
    int& pause = tile_.frames[selection_].pause;
    long nouvelle = std::max(0L, std::min(static_cast<long>(clesNiveau::PauseFrameMax), static_cast<long>(pause) + delta));
    if (nouvelle == pause)
        return false;
    pause = static_cast<int>(nouvelle);
    return true;
}

bool CEtatPlanche::acceptable(std::string& raison) const
{
    if (tile_.planche.empty()) {
        raison = "Aucune planche : les tuiles de ce plan n'en nomment encore aucune.";
        return false;
    }
    if (largeur_ <= 0 || hauteur_ <= 0) {
        raison = "Planche illisible : " + tile_.planche;
        return false;
    }
    if (tile_.frames.empty()) {
        raison = "Une tuile sans frame ne peut pas être acceptée : tracez un rectangle.";
        return false;
    }
    return true;
}

}
