#include "sprites/CSprite.h"

#include "foundation/InputOutput.h"
#include "foundation/util.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

CSprite::CSprite()
    : anims(nullptr), nbAnims(0), animCourante(0), positionX(0), positionY(0),
      mirroirY(false), mirroirX(false)
{
}

CSprite::~CSprite()
{
    libere();
}

void CSprite::libere()
{
    delete[] anims;
    anims = nullptr;
    nbAnims = 0;
    animCourante = 0;
}

int CSprite::init(const char*)
{
    return 0;
}

int CSprite::viewEditeur(const char*)
{
    return 0;
}

int convertSprite(const char*)
{
    return 0;
}

// ---------------------------------------------------------------------------
// Description file

int CSprite::initFromIniFile(const char* fichier)
{
    libere();
    InputOutput io;

    int nb = io.getPrivateProfileInt("Entete", "nbAnims", 0, fichier, false);
    if (nb < 0)
        nb = 0;
    // Checked before allocating: section names only go up to Anim999.
    if (nb > NB_ANIMS_MAX) {
        fprintf(stderr, "Trop d'animations (%d, au plus %d) dans le fichier de sprite: %s\n",
                nb, NB_ANIMS_MAX, fichier);
        return 1;
    }
    if (nb == 0)
        return 0;
    anims = new CAnimGL[nb];
    nbAnims = nb;

    char section[64];
    for (int n = 1; n <= nbAnims; ++n) {
        snprintf(section, sizeof section, "Anim%d", n);
        int f = io.getPrivateProfileInt(section, "nbFrames", 0, fichier, false);
        int cleR = io.getPrivateProfileInt(section, "colorkeyR", -1, fichier, false);
        int cleG = io.getPrivateProfileInt(section, "colorkeyG", 0, fichier, false);
        int cleB = io.getPrivateProfileInt(section, "colorkeyB", 0, fichier, false);
        if (f < 0)
            f = 0;
        if (f > NB_FRAMES_MAX) {
            fprintf(stderr, "Trop d'images (%d, au plus %d) dans l'animation %d du fichier de sprite: %s\n",
                    f, NB_FRAMES_MAX, n, fichier);
            return 1;
        }

        CAnimGL& anim = anims[n - 1];
        anim.setNbImages(f);
        anim.alloueImages(f);

        char nom[20];
        io.getPrivateProfileString(section, "nomAnim", "nothing", nom, sizeof nom, fichier, false);
        anim.setNomAnimation(nom);

        char planche[200];
        io.getPrivateProfileString(section, "pathPlanche", "nothing", planche, sizeof planche,
                                   fichier, false);
        // One decode per animation; every frame is cut from this surface.
        SDL_Surface* feuille = IMG_Load(planche);
        if (!feuille) {
            fprintf(stderr, "Impossible de charger la planche du sprite\n");
            fprintf(stderr, "Nom de l'image: %s\n", planche);
            return 1;
        }

        char sectionFrame[80];
        for (int m = 1; m <= f; ++m) {
            snprintf(sectionFrame, sizeof sectionFrame, "Anim%dFrame%d", n, m);
            int16_t px = static_cast<int16_t>(
                io.getPrivateProfileInt(sectionFrame, "positionX", 0, fichier, false));
            int16_t py = static_cast<int16_t>(
                io.getPrivateProfileInt(sectionFrame, "positionY", 0, fichier, false));
            uint16_t longueur = static_cast<uint16_t>(
                io.getPrivateProfileInt(sectionFrame, "longueur", 0, fichier, false));
            uint16_t hauteur = static_cast<uint16_t>(
                io.getPrivateProfileInt(sectionFrame, "hauteur", 0, fichier, false));
            CImageAnim* image = anim.getImage(m - 1);
            image->chargeImageSDL(feuille, px, py, longueur, hauteur, cleR, cleG, cleB, false);
            image->setTempsPause(io.getPrivateProfileInt(sectionFrame, "pause", 0, fichier, false));
        }
        SDL_FreeSurface(feuille);
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Playing

void CSprite::setPosition(int x, int y)
{
    positionX = x;
    positionY = y;
}

CAnimGL* CSprite::getAnimationCourante()
{
    if (animCourante < 0 || animCourante >= nbAnims)
        return nullptr;
    return &anims[animCourante];
}

void CSprite::setAnimationCourante(const char* nom)
{
    if (!nom)
        return;
    for (int i = 0; i < nbAnims; ++i) {
        if (strcmp(anims[i].getNomAnimation(), nom) == 0) {
            animCourante = i;
            return;
        }
    }
}

void CSprite::demarreAnim()
{
    if (CAnimGL* anim = getAnimationCourante())
        anim->joueAnim();
}

void CSprite::stoppeAnim()
{
    if (CAnimGL* anim = getAnimationCourante())
        anim->stoppeAnim();
}

void CSprite::setRepeteAnimCourante(bool repete)
{
    if (CAnimGL* anim = getAnimationCourante())
        anim->setRepete(repete);
}

bool CSprite::isAnimCouranteFinished() const
{
    if (animCourante < 0 || animCourante >= nbAnims)
        return false;
    return anims[animCourante].isAnimFinished();
}

void CSprite::setMirroirY(bool m)
{
    for (int i = 0; i < nbAnims; ++i)
        anims[i].setMirrorY(m);
    mirroirY = m;
}

void CSprite::setMirroirX(bool m)
{
    for (int i = 0; i < nbAnims; ++i)
        anims[i].setMirrorX(m);
    mirroirX = m;
}

void CSprite::affiche()
{
    CAnimGL* anim = getAnimationCourante();
    if (!anim)
        return;
    anim->update();
    int largeurMin = anim->getMinLongueurImage();
    int largeur = anim->getLongueurImageCourante();
    // Mirrored, a frame wider than the narrowest grows to the left so the
    // body in the narrow part stays put when the sprite turns.
    if (mirroirY)
        anim->afficheImageCourante(positionX - (largeur - largeurMin), positionY);
    else
        anim->afficheImageCourante(positionX, positionY);
}

// ---------------------------------------------------------------------------
// Sprite data converter

namespace {

const char* const MSG_OUVERTURE = "Impossible d'ouvrir le fichier de données\n";
const char* const MSG_LECTURE = "Impossible de lire l'en tête du fichier de données\n";
const char* const MSG_ECRITURE = "Impossible d'écrire\n";
const char* const MSG_PLANCHE = "Impossible de charger la planche du sprite\n";
const char* const MSG_SURFACE = "Impossible de créer une texture à partir d'un graphique\n";

// Record sizes of the source (read) and destination (written) files.
const size_t SRC_ENTETE = 28, SRC_ANIM = 76, SRC_FRAME = 80;
const size_t DST_ENTETE = 22, DST_ANIM = 32, DST_FRAME = 40;
const uint32_t COMPTE_MAX = 65535;

uint32_t lit32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void ecrit16(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

// Copies a NUL-terminated text field into a zeroed one, cut so its NUL fits.
void copieNom(unsigned char* dest, size_t tailleDest, const unsigned char* source, size_t tailleSource)
{
    size_t n = strnlen(reinterpret_cast<const char*>(source), tailleSource);
    if (n > tailleDest - 1)
        n = tailleDest - 1;
    memcpy(dest, source, n);
}

// Holds the open files and surfaces so every early return releases them.
class Conversion {
public:
    ~Conversion()
    {
        if (cadre)
            SDL_FreeSurface(cadre);
        if (feuille)
            SDL_FreeSurface(feuille);
        if (source)
            fclose(source);
        if (destination)
            fclose(destination);
    }

    int echec(const char* message)
    {
        fputs(message, stderr);
        return 1;
    }

    bool lit(unsigned char* tampon, size_t taille)
    {
        return fread(tampon, 1, taille, source) == taille;
    }

    // A write of zero bytes is a failure too: an empty pixel block means a
    // frame of no size, which the format cannot hold.
    bool ecrit(const void* tampon, size_t taille)
    {
        return taille > 0 && fwrite(tampon, 1, taille, destination) == taille;
    }

    int convertit(const char* nomSource, const char* nomDestination);

private:
    int convertitAnimation();
    int convertitFrame();

    FILE* source = nullptr;
    FILE* destination = nullptr;
    SDL_Surface* feuille = nullptr;
    SDL_Surface* cadre = nullptr;
};

int Conversion::convertit(const char* nomSource, const char* nomDestination)
{
    // The destination first: it exists, empty, even when the source is missing.
    destination = fopen(nomDestination, "wb");
    if (!destination)
        return echec(MSG_OUVERTURE);
    source = fopen(nomSource, "rb");
    if (!source)
        return echec(MSG_OUVERTURE);

    unsigned char entete[SRC_ENTETE];
    if (!lit(entete, sizeof entete))
        return echec(MSG_LECTURE);
    uint32_t nbAnims = lit32(entete + 24);
    if (nbAnims > COMPTE_MAX)
        return echec(MSG_ECRITURE);

    unsigned char sortie[DST_ENTETE] = {};
    copieNom(sortie, 20, entete, 24);
    ecrit16(sortie + 20, nbAnims);
    if (!ecrit(sortie, sizeof sortie))
        return echec(MSG_ECRITURE);

    for (uint32_t a = 0; a < nbAnims; ++a)
        if (convertitAnimation() != 0)
            return 1;

    FILE* f = destination;
    destination = nullptr;
    if (fclose(f) != 0)
        return echec(MSG_ECRITURE);
    return 0;
}

int Conversion::convertitAnimation()
{
    unsigned char enregistrement[SRC_ANIM];
    if (!lit(enregistrement, sizeof enregistrement))
        return echec(MSG_LECTURE);
    uint32_t nbFrames = lit32(enregistrement + 20);
    if (nbFrames > COMPTE_MAX)
        return echec(MSG_ECRITURE);

    unsigned char sortie[DST_ANIM] = {};
    copieNom(sortie, 30, enregistrement, 20);
    ecrit16(sortie + 30, nbFrames);
    if (!ecrit(sortie, sizeof sortie))
        return echec(MSG_ECRITURE);

    char planche[53] = {};
    memcpy(planche, enregistrement + 24, 52);
    feuille = IMG_Load(planche);
    if (!feuille)
        return echec(MSG_PLANCHE);
    // Copy the sheet's alpha channel as it is; blending onto the zeroed
    // frame would keep the frame's alpha at 0 and lose every pixel.
    SDL_SetAlpha(feuille, 0, 255);

    for (uint32_t m = 0; m < nbFrames; ++m)
        if (convertitFrame() != 0)
            return 1;

    SDL_FreeSurface(feuille);
    feuille = nullptr;
    return 0;
}

int Conversion::convertitFrame()
{
    unsigned char enregistrement[SRC_FRAME];
    if (!lit(enregistrement, sizeof enregistrement))
        return echec(MSG_LECTURE);
    // Height comes before width here, and the other way round when written.
    int16_t x = static_cast<int16_t>(lit32(enregistrement));
    int16_t y = static_cast<int16_t>(lit32(enregistrement + 4));
    uint16_t h = static_cast<uint16_t>(lit32(enregistrement + 8));
    uint16_t w = static_cast<uint16_t>(lit32(enregistrement + 12));

    unsigned char sortie[DST_FRAME] = {};
    ecrit16(sortie, w);
    ecrit16(sortie + 2, h);
    if (!ecrit(sortie, sizeof sortie))
        return echec(MSG_ECRITURE);

    int largeurBloc = calcPower(w);
    int hauteurBloc = calcPower(h);
    if (largeurBloc == 0 || hauteurBloc == 0)
        return echec(MSG_ECRITURE);

    cadre = SDL_CreateRGBSurface(0, largeurBloc, hauteurBloc, 32,
                                 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!cadre)
        return echec(MSG_SURFACE);
    const size_t ligne = size_t(largeurBloc) * 4;
    unsigned char* pixels = static_cast<unsigned char*>(cadre->pixels);
    for (int j = 0; j < hauteurBloc; ++j)
        memset(pixels + size_t(j) * cadre->pitch, 0, ligne);

    SDL_Rect rect = {x, y, w, h};
    SDL_Rect coin = {0, 0, 0, 0};
    SDL_UpperBlit(feuille, &rect, cadre, &coin);

    bool ok;
    if (size_t(cadre->pitch) == ligne) {
        ok = ecrit(pixels, ligne * hauteurBloc);
    } else {
        ok = true;
        for (int j = 0; ok && j < hauteurBloc; ++j)
            ok = ecrit(pixels + size_t(j) * cadre->pitch, ligne);
    }
    SDL_FreeSurface(cadre);
    cadre = nullptr;
    if (!ok)
        return echec(MSG_ECRITURE);
    return 0;
}

}  // namespace

int CSprite::convert(const char* source, const char* destination)
{
    Conversion conversion;
    return conversion.convertit(source, destination);
}
