#include "scenery/CBackground.h"

#include "foundation/FichierDescription.h"
#include "foundation/Messages.h"
#include "render/Decodage.h"
#include "render/PartageImages.h"
#include "render/ReglagesRendu.h"
#include "scenery/DescriptionNiveau.h"
#include "sprites/CAnimGL.h"
#include "sprites/Planche.h"

#include <SDL.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A sheet held for the frames cut from it; the load's sharing scope makes
// every tile that names it get the same decoded picture.
struct LiberePlanche {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Planche = std::unique_ptr<SDL_Surface, LiberePlanche>;

}

CBackground::CBackground()
    : CBasic_TemplateVector<CPosTile*>(8, 4), CBasic_TemplateVector<CAnimGL*>(8, 4),
      animTiles(nullptr), nombreTiles(0), posTiles(nullptr), nbPosTiles(0), continuX(true),
      nbPosRemplies(0)
{
}

CBackground::~CBackground()
{
    libere();
}

void CBackground::libere()
{
    delete[] animTiles;
    delete[] posTiles;
    animTiles = nullptr;
    posTiles = nullptr;
    nombreTiles = 0;
    nbPosTiles = 0;
    nbPosRemplies = 0;
    tilesMinutees.clear();
}

int CBackground::init(const char*)
{
    return 0;
}

int CBackground::initFromIniFile(const char* fichier)
{
    CBudgetChargement budget;
    return initFromIniFile(fichier, budget);
}

int CBackground::initFromIniFile(const char* fichier, CBudgetChargement& budget)
{
    // A second load replaces the first instead of adding to it.
    libere();
    LecteurDescriptionPlan lecteur(fichier, budget);
    if (!lecteur.ouvert())
        return 0;
    int n = lecteur.litNombreTiles();
    if (n < 0)
        return 1;
    animTiles = new CAnimGL[n];
    nombreTiles = n;
    // The placements of each tile are read with the count the table was
    // sized for.
    std::vector<int> nbPositions;
    long long total = lecteur.litNbPositions(n, nbPositions);
    if (total < 0)
        return 1;
    posTiles = new CPosTile[total];
    nbPosTiles = static_cast<int>(total);

    CPartageImages partage;
    for (int t = 1; t <= n; ++t) {
        if (chargeTile(lecteur, t) != 0)
            return 1;
        for (int j = 1; j <= nbPositions[t - 1] && nbPosRemplies < nbPosTiles; ++j) {
            CPosTile& p = posTiles[nbPosRemplies++];
            p.numeroTile = t - 1;
            lecteur.litPosition(t, j, p.positionX, p.positionY);
        }
    }
    return 0;
}

int CBackground::chargeTile(LecteurDescriptionPlan& lecteur, int t)
{
    TileDecrite description;
    if (!lecteur.litTile(t, description))
        return 1;
    CAnimGL& tile = animTiles[t - 1];
    int f = description.nbFrames;
    tile.setNbImages(f);
    tile.alloueImages(f);
    tile.setImageCourante(0);

    Planche tenue(decodeImage(description.pathPlanche));
    SDL_Surface* feuille = tenue.get();
    if (!feuille) {
        messageErreur("Impossible de charger la planche du sprite\n");
        messageErreur("Nom de l'image: %s\n", description.pathPlanche);
        return 1;
    }
    if (!prelevePlanche(lecteur.getBudget(), feuille)) {
        lecteur.getBudget().signaleDepassement(lecteur.getFichier());
        return 1;
    }
    lecteur.litCleCouleur(t, description);
    bool bilineaire = reglagesRendu().bilineaire;
    for (int m = 1; m <= f; ++m) {
        RectanglePlanche rectangle = lecteur.litRectangle(t, m);
        if (!lecteur.getBudget().preleve(octetsRectanglePlanche(feuille, rectangle))) {
            lecteur.getBudget().signaleDepassement(lecteur.getFichier());
            return 1;
        }
        CImageAnim* image = tile.getImage(m - 1);
        chargeRectanglePlanche(*image, feuille, rectangle, description.colorkeyR, description.colorkeyG,
                               description.colorkeyB, bilineaire);
        image->setAlphaBlending(static_cast<unsigned char>(lecteur.litAlpha(t, m) & 0xFF));
        image->setTempsPause(lecteur.litPause(t, m));
        if (image->tempsPause > 0 && (tilesMinutees.empty() || tilesMinutees.back() != t - 1))
            tilesMinutees.push_back(t - 1);
    }
    return 0;
}

void CBackground::updateTiles()
{
    for (int i = 0; i < nombreTiles; ++i)
        animTiles[i].update();
}

void CBackground::updateTilesMinutees()
{
    for (int i : tilesMinutees)
        if (i < nombreTiles)
            animTiles[i].update();
}

CAnimGL* CBackground::tileDe(const CPosTile& p) const
{
    if (p.numeroTile < 0 || p.numeroTile >= nombreTiles)
        return nullptr;
    CAnimGL* tile = &animTiles[p.numeroTile];
    return tile->getNbImages() > 0 ? tile : nullptr;
}

// Farthest right (or bottom) edge of a placed frame, from the plane's origin.
int CBackground::etendue(bool horizontale) const
{
    long long etendue = 0;
    for (int i = 0; i < nbPosRemplies; ++i) {
        const CPosTile& p = posTiles[i];
        if (CAnimGL* tile = tileDe(p)) {
            long long bord = horizontale
                ? static_cast<long long>(p.positionX) + tile->getLongueurImageCourante()
                : static_cast<long long>(p.positionY) + tile->getHauteurImageCourante();
            if (bord > etendue)
                etendue = bord;
        }
    }
    return etendue > INT_MAX ? INT_MAX : static_cast<int>(etendue);
}

int CBackground::getLongueur() const
{
    return etendue(true);
}

int CBackground::getHauteur() const
{
    return etendue(false);
}

void CBackground::affiche(int scrollX, int scrollY, int largeur, int hauteur)
{
    updateTiles();
    if (continuX) {
        affiche(0, 0, scrollX, scrollY, largeur, hauteur, true, false);
        return;
    }
    for (int i = 0; i < nbPosRemplies; ++i) {
        const CPosTile& p = posTiles[i];
        if (CAnimGL* tile = tileDe(p))
            tile->afficheImageCourante(p.positionX - scrollX, p.positionY - scrollY);
    }
}

void CBackground::affiche(int x, int y, int sx, int sy, int w, int h)
{
    for (int i = 0; i < nbPosRemplies; ++i) {
        const CPosTile& p = posTiles[i];
        CAnimGL* tile = tileDe(p);
        if (!tile)
            continue;
        int fw = tile->getLongueurImageCourante();
        int fh = tile->getHauteurImageCourante();
        if (fw <= 0 || fh <= 0)
            continue;
        MorceauFenetre m;
        if (decoupeDansFenetre(p.positionX, p.positionY, fw, fh, x, y, sx, sy, w, h, m))
            tile->afficheImageCourante(m.ecranX, m.ecranY, m.sourceX, m.sourceY, m.longueur,
                                       m.hauteur);
    }
}

void CBackground::affiche(int x, int y, int sx, int sy, int w, int h, bool repeatX, bool repeatY)
{
    // The plane's size does not change while it is drawn (no tile is
    // updated here), so it is measured once per call.
    int longueur = repeatX ? getLongueur() : 0;
    int hauteur = repeatY ? getHauteur() : 0;
    pourChaqueCopie(longueur, hauteur, x, y, sx, sy, w, h, repeatX, repeatY,
                    [this](int ex, int ey, int ssx, int ssy, int ww, int hh) {
                        affiche(ex, ey, ssx, ssy, ww, hh);
                    });
}
