#include "scenery/CBackground.h"

#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "render/Decodage.h"
#include "render/PartageImages.h"
#include "shell/CEngineGL.h"
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

int compteLu(InputOutput& io, const char* section, const char* cle, const char* fichier)
{
    int n = io.getPrivateProfileInt(section, cle, 0, fichier, false);
    return n < 0 ? 0 : n;
}

// Refuses a count above the format's limit, above what the file can still
// hold, or above what the load's budget can still keep of `taille`-byte
// items. An accepted count is taken from both.
bool compteRefuse(const char* cle, long long n, long long limite, long& elements,
                  CBudgetChargement& budget, long long taille, const char* fichier)
{
    long long maximum = limite;
    if (elements < maximum)
        maximum = elements;
    if (budget.combien(taille) < maximum)
        maximum = budget.combien(taille);
    if (n > maximum) {
        fprintf(stderr, "Valeur trop grande pour %s dans %s : %lld (au plus %lld)\n", cle, fichier,
                n, maximum);
        return true;
    }
    elements -= static_cast<long>(n);
    budget.preleve(n, taille);
    return false;
}

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
    long taille = tailleDescription(fichier);
    if (taille < 0)
        return 0;
    long elements = maxElements(taille);
    InputOutput io;

    int n = compteLu(io, "Entete", "nombreTiles", fichier);
    if (compteRefuse("nombreTiles", n, MAX_TILES_PLAN, elements, budget, sizeof(CAnimGL), fichier))
        return 1;
    animTiles = new CAnimGL[n];
    nombreTiles = n;

    char section[64];
    // Counted once: the placements of each tile are read with the count the
    // table was sized for.
    std::vector<int> nbPositions(n);
    long long total = 0;
    for (int t = 1; t <= n; ++t) {
        snprintf(section, sizeof section, "Tile%d", t);
        nbPositions[t - 1] = compteLu(io, section, "nbPositions", fichier);
        total += nbPositions[t - 1];
    }
    if (compteRefuse("nbPositions", total, MAX_POSITIONS_PLAN, elements, budget, sizeof(CPosTile),
                     fichier))
        return 1;
    posTiles = new CPosTile[total];
    nbPosTiles = static_cast<int>(total);

    bool bilineaire = config ? config->bilineaire : false;
    CPartageImages partage;
    for (int t = 1; t <= n; ++t) {
        CAnimGL& tile = animTiles[t - 1];
        snprintf(section, sizeof section, "Tile%d", t);
        int f = compteLu(io, section, "nbFrames", fichier);
        if (compteRefuse("nbFrames", f, MAX_FRAMES_TILE, elements, budget, sizeof(CImageAnim),
                         fichier))
            return 1;
        tile.setNbImages(f);
        tile.alloueImages(f);
        tile.setImageCourante(0);

        char planche[200];
        io.getPrivateProfileString(section, "pathPlanche", "nothing", planche, sizeof planche,
                                   fichier, false);
        Planche tenue(decodeImage(planche));
        SDL_Surface* feuille = tenue.get();
        if (!feuille) {
            fprintf(stderr, "Impossible de charger la planche du sprite\n");
            fprintf(stderr, "Nom de l'image: %s\n", planche);
            return 1;
        }
        if (!prelevePlanche(budget, feuille)) {
            budget.signaleDepassement(fichier);
            return 1;
        }
        int cleR = io.getPrivateProfileInt(section, "colorkeyR", -1, fichier, false);
        int cleG = io.getPrivateProfileInt(section, "colorkeyG", 0, fichier, false);
        int cleB = io.getPrivateProfileInt(section, "colorkeyB", 0, fichier, false);

        for (int m = 1; m <= f; ++m) {
            char sectionFrame[64];
            snprintf(sectionFrame, sizeof sectionFrame, "Tile%dFrame%d", t, m);
            if (journalActif())
                printf("clé : %s\n", sectionFrame);
            RectanglePlanche rectangle = lisRectanglePlanche(io, sectionFrame, fichier);
            if (!budget.preleve(octetsRectanglePlanche(feuille, rectangle))) {
                budget.signaleDepassement(fichier);
                return 1;
            }
            CImageAnim* image = tile.getImage(m - 1);
            chargeRectanglePlanche(*image, feuille, rectangle, cleR, cleG, cleB, bilineaire);
            int alpha = io.getPrivateProfileInt(sectionFrame, "valeurAlpha", 255, fichier, false);
            image->setAlphaBlending(static_cast<unsigned char>(alpha & 0xFF));
        }

        for (int j = 1; j <= nbPositions[t - 1] && nbPosRemplies < nbPosTiles; ++j) {
            char sectionPos[64];
            snprintf(sectionPos, sizeof sectionPos, "Tile%dPosition%d", t, j);
            CPosTile& p = posTiles[nbPosRemplies];
            p.numeroTile = t - 1;
            p.positionX = io.getPrivateProfileInt(sectionPos, "positionX", 0, fichier, false);
            p.positionY = io.getPrivateProfileInt(sectionPos, "positionY", 0, fichier, false);
            ++nbPosRemplies;
        }
    }
    return 0;
}

void CBackground::updateTiles()
{
    for (int i = 0; i < nombreTiles; ++i)
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
