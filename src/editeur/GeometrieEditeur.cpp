#include "editeur/GeometrieEditeur.h"

#include "shell/Affichage.h"

#include <algorithm>
#include <cmath>

namespace editeur {

namespace {
const int LargeurMin = 640;
const int HauteurMin = 480;
}

void tailleDessin(int largeurFenetre, int hauteurFenetre, int& largeur, int& hauteur)
{
    if (largeurFenetre < 1 || hauteurFenetre < 1) {
        largeur = LargeurMin;
        hauteur = HauteurMin;
        return;
    }
    double echelle = std::max(1.0, std::max(static_cast<double>(LargeurMin) / largeurFenetre,
                                            static_cast<double>(HauteurMin) / hauteurFenetre));
    largeur = std::max(LargeurMin, static_cast<int>(std::ceil(largeurFenetre * echelle - 1e-9)));
    hauteur = std::max(HauteurMin, static_cast<int>(std::ceil(hauteurFenetre * echelle - 1e-9)));
}

int fenetrePlan(int position, int scrollRatio)
{
    return static_cast<int>(position * (scrollRatio / 100.0));
}

Point planDepuisEcran(const Cadrage& c, int ratio, int ecranX, int ecranY, double x, double y)
{
    double vueX = x * 100.0 / c.zoom;
    double vueY = y * 100.0 / c.zoom + c.haut;
    Point p;
    p.x = static_cast<int>(std::floor(vueX - ecranX)) + fenetrePlan(c.position, ratio);
    p.y = static_cast<int>(std::floor(vueY - ecranY));
    return p;
}

void ecranDepuisPlan(const Cadrage& c, int ratio, int ecranX, int ecranY, int px, int py,
                     double& x, double& y)
{
    double vueX = static_cast<double>(px) - fenetrePlan(c.position, ratio) + ecranX;
    double vueY = static_cast<double>(py) + ecranY - c.haut;
    x = vueX * c.zoom / 100.0;
    y = vueY * c.zoom / 100.0;
}

int aligneGrille(int v, int pas)
{
    if (pas <= 0)
        return v;
    int r = v % pas;
    return r < 0 ? v - r - pas : v - r;
}

int zoomSuivant(int zoom, int sens)
{
    int z = sens > 0 ? (zoom / PasZoom + 1) * PasZoom : ((zoom + PasZoom - 1) / PasZoom - 1) * PasZoom;
    return z < ZoomMin ? ZoomMin : (z > ZoomMax ? ZoomMax : z);
}

int positionApresZoom(int position, int ecranX, int avant, int apres)
{
    double monde = position + ecranX * 100.0 / avant;
    return static_cast<int>(std::lround(monde - ecranX * 100.0 / apres));
}

Rect rectEntre(int x0, int y0, int x1, int y1)
{
    Rect r;
    r.x = x0 < x1 ? x0 : x1;
    r.y = y0 < y1 ? y0 : y1;
    r.largeur = x0 < x1 ? x1 - x0 : x0 - x1;
    r.hauteur = y0 < y1 ? y1 - y0 : y0 - y1;
    return r;
}

bool contient(const Rect& r, int x, int y)
{
    return x >= r.x && y >= r.y && x < r.x + r.largeur && y < r.y + r.hauteur;
}

bool chevauche(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.largeur && b.x < a.x + a.largeur && a.y < b.y + b.hauteur && b.y < a.y + a.hauteur;
}

bool ecranDepuisFenetre(int fx, int fy, int largeur, int hauteur, bool garderProportions,
                        double& x, double& y, int largeurLogique, int hauteurLogique)
{
    RectangleVue v = rectangleVue(largeur, hauteur, largeurLogique, hauteurLogique, garderProportions);
    if (v.largeur <= 0 || v.hauteur <= 0)
        return false;
    // GL's rectangle counts from the bottom; the mouse from the top.
    int haut = hauteur - v.y - v.hauteur;
    x = (fx - v.x + 0.5) * largeurLogique / v.largeur;
    y = (fy - haut + 0.5) * hauteurLogique / v.hauteur;
    return x >= 0 && y >= 0 && x < largeurLogique && y < hauteurLogique;
}

}
