#include "sprites/CSprite.h"

#include "foundation/FichierDescription.h"
#include "foundation/Messages.h"
#include "render/Decodage.h"
#include "render/PartageImages.h"
#include "sprites/DescriptionSprite.h"
#include "sprites/ConversionSprite.h"
#include "sprites/SpriteConverti.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <vector>

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
    CBudgetChargement budget;

    // Animations cut from one sheet share one decode of it.
    CPartageImages partage;
    for (int n = 1; n <= nbAnims; ++n) {
        AnimationDecrite description;
        if (!lecteur.litAnimation(n, description))
            return 1;
        if (!budget.preleve(description.nbFrames, sizeof(CImageAnim))) {
            budget.signaleDepassement(fichier);
            return 1;
        }
        CAnimGL& anim = anims[n - 1];
        anim.setNbImages(description.nbFrames);
        anim.alloueImages(description.nbFrames);
        anim.setNomAnimation(description.nomAnim);

        SDL_Surface* feuille = decodeImage(description.pathPlanche);
        if (!feuille) {
            messageErreur("Impossible de charger la planche du sprite\n");
            messageErreur("Nom de l'image: %s\n", description.pathPlanche);
            return 1;
        }
        if (!prelevePlanche(budget, feuille)) {
            budget.signaleDepassement(fichier);
            SDL_FreeSurface(feuille);
            return 1;
        }
        for (int m = 1; m <= description.nbFrames; ++m) {
            FrameDecrite frame = lecteur.litFrame(n, m);
            if (!budget.preleve(octetsRectanglePlanche(feuille, frame.rectangle))) {
                budget.signaleDepassement(fichier);
                SDL_FreeSurface(feuille);
                return 1;
            }
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
// Converted file

int CSprite::init(const char* fichier)
{
    libere();
    std::vector<unsigned char> donnees;
    SpriteConverti lu;
    if (litSpriteConverti(fichier, donnees, lu) != 0)
        return 1;
    if (lu.animations.empty())
        return 0;

    const int nb = static_cast<int>(lu.animations.size());
    anims = new CAnimGL[nb];
    nbAnims = nb;
    for (int n = 0; n < nb; ++n) {
        const AnimationConvertie& animation = lu.animations[n];
        const int nbFrames = static_cast<int>(animation.frames.size());
        anims[n].setNbImages(nbFrames);
        anims[n].alloueImages(nbFrames);
        anims[n].setNomAnimation(animation.nom.c_str());
        for (int m = 0; m < nbFrames; ++m) {
            CImageAnim* image = anims[n].getImage(m);
            if (chargeFrameConvertie(*image, donnees.data(), animation.frames[m]) != 0) {
                messageErreur("Fichier : %s\n", fichier);
                libere();
                return 1;
            }
            image->setTempsPause(static_cast<int>(animation.frames[m].pause));
        }
    }
    return 0;
}

int CSprite::convert(const char* source, const char* destination)
{
    return convertitSprite(source, destination);
}
