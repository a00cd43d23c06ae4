#include "sprites/CSprite.h"

#include "foundation/FichierDescription.h"
#include "foundation/util.h"
#include "sprites/DescriptionSprite.h"

#include <SDL.h>
#include "render/Decodage.h"
#include <cstdint>
#include <cstdio>
#include <cstring>

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
    // Missing, the sprite stays empty as before, but says why.
    if (tailleDescription(fichier) < 0)
        return 0;
    LecteurDescriptionSprite lecteur(fichier);

    int nb = lecteur.litNbAnims();
    if (nb < 0)
        return 1;
    if (nb == 0)
        return 0;
    anims = new CAnimGL[nb];
    nbAnims = nb;

    for (int n = 1; n <= nbAnims; ++n) {
        AnimationDecrite description;
        if (!lecteur.litAnimation(n, description))
            return 1;
        CAnimGL& anim = anims[n - 1];
        anim.setNbImages(description.nbFrames);
        anim.alloueImages(description.nbFrames);
        anim.setNomAnimation(description.nomAnim);

        // One decode per animation; every frame is cut from this surface.
        SDL_Surface* feuille = decodeImage(description.pathPlanche);
        if (!feuille) {
            fprintf(stderr, "Impossible de charger la planche du sprite\n");
            fprintf(stderr, "Nom de l'image: %s\n", description.pathPlanche);
            return 1;
        }
        for (int m = 1; m <= description.nbFrames; ++m) {
            FrameDecrite frame = lecteur.litFrame(n, m);
            CImageAnim* image = anim.getImage(m - 1);
            chargeRectanglePlanche(*image, feuille, frame.rectangle, description.colorkeyR,
                                   description.colorkeyG, description.colorkeyB, false);
            image->setTempsPause(frame.pause);
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
static_assert(DST_ENTETE <= DST_ANIM, "records share one output buffer");
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
    int recopieNomEtCompte(unsigned char* enregistrement, size_t taille, size_t tailleNom,
                           size_t tailleSortie, uint32_t& compte);
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
    uint32_t nbAnims;
    if (recopieNomEtCompte(entete, sizeof entete, 24, DST_ENTETE, nbAnims) != 0)
        return 1;
    for (uint32_t a = 0; a < nbAnims; ++a)
        if (convertitAnimation() != 0)
            return 1;

    FILE* f = destination;
    destination = nullptr;
    if (fclose(f) != 0)
        return echec(MSG_ECRITURE);
    return 0;
}

// The file header and the animation records have the same shape: a name
// field of `tailleNom` bytes followed by a 32-bit count in the source, and
// the name then the count in 16 bits at the end of the destination record.
int Conversion::recopieNomEtCompte(unsigned char* enregistrement, size_t taille, size_t tailleNom,
                                   size_t tailleSortie, uint32_t& compte)
{
    if (!lit(enregistrement, taille))
        return echec(MSG_LECTURE);
    compte = lit32(enregistrement + tailleNom);
    // The destination's counts are 16-bit: a larger one cannot be written.
    if (compte > COMPTE_MAX)
        return echec(MSG_ECRITURE);

    unsigned char sortie[DST_ANIM] = {};
    copieNom(sortie, tailleSortie - 2, enregistrement, tailleNom);
    ecrit16(sortie + tailleSortie - 2, compte);
    if (!ecrit(sortie, tailleSortie))
        return echec(MSG_ECRITURE);
    return 0;
}

int Conversion::convertitAnimation()
{
    unsigned char enregistrement[SRC_ANIM];
    uint32_t nbFrames;
    if (recopieNomEtCompte(enregistrement, sizeof enregistrement, 20, DST_ANIM, nbFrames) != 0)
        return 1;

    char planche[53] = {};
    memcpy(planche, enregistrement + 24, 52);
    feuille = decodeImage(planche);
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
