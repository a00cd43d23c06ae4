#include "sprites/SpriteConverti.h"

#include "foundation/FichierOrdinaire.h"
#include "foundation/Messages.h"
#include "foundation/util.h"
#include "render/CImageGL.h"
#include "sprites/FormatSprite.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace formatsprite;

namespace {

// Names as an animation holds them (20 bytes with the NUL).
const size_t LONGUEUR_NOM_MAX = 19;

const Uint32 MASQUE_R = 0x000000FF, MASQUE_G = 0x0000FF00, MASQUE_B = 0x00FF0000, MASQUE_A = 0xFF000000;

// Walks the bytes of a converted file; every take is checked against what
// is left, so no count read from the file can reach past its end.
class Curseur {
public:
    Curseur(const unsigned char* donnees, size_t taille) : donnees(donnees), taille(taille) {}

    const unsigned char* prend(size_t n)
    {
        if (n > taille - position)
            return nullptr;
        const unsigned char* p = donnees + position;
        position += n;
        return p;
    }
    size_t getPosition() const { return position; }
    bool fini() const { return position == taille; }

private:
    const unsigned char* donnees;
    size_t taille;
    size_t position = 0;
};

// The text of a name field, which must hold its NUL.
bool litNom(const unsigned char* champ, size_t taille, std::string& nom)
{
    const void* fin = memchr(champ, '\0', taille);
    if (!fin)
        return false;
    nom.assign(reinterpret_cast<const char*>(champ), static_cast<const unsigned char*>(fin) - champ);
    return true;
}

bool analyse(Curseur& curseur, SpriteConverti& sprite, std::string& erreur)
{
    const char* const tronque = "fichier tronqué";
    const unsigned char* entete = curseur.prend(DST_ENTETE);
    if (!entete)
        return erreur = tronque, false;
    if (!litNom(entete, 20, sprite.nom))
        return erreur = "nom du sprite sans fin", false;
    const int nbAnims = lit16(entete + 20);

    for (int a = 0; a < nbAnims; ++a) {
        const unsigned char* enregistrement = curseur.prend(DST_ANIM);
        if (!enregistrement)
            return erreur = tronque, false;
        sprite.animations.emplace_back();
        AnimationConvertie& animation = sprite.animations.back();
        if (!litNom(enregistrement, 30, animation.nom))
            return erreur = "nom d'animation sans fin", false;
        if (animation.nom.size() > LONGUEUR_NOM_MAX)
            animation.nom.resize(LONGUEUR_NOM_MAX);
        const int nbFrames = lit16(enregistrement + 30);

        for (int m = 0; m < nbFrames; ++m) {
            const unsigned char* p = curseur.prend(DST_FRAME);
            if (!p)
                return erreur = tronque, false;
            FrameConvertie frame;
            frame.longueur = lit16(p);
            frame.hauteur = lit16(p + 2);
            // Reserved bytes mean something only behind our own mark.
            frame.pause = porteMarque(p + DST_TAG, TAG_CONVERTI) ? lit32(p + DST_PAUSE) : PAUSE_PAR_DEFAUT;
            if (frame.longueur == 0 || frame.hauteur == 0)
                return erreur = "frame de taille nulle", false;
            if (frame.longueur > TAILLE_MAX_IMAGE || frame.hauteur > TAILLE_MAX_IMAGE)
                return erreur = "frame trop grande", false;
            frame.largeurBloc = calcPower(frame.longueur);
            frame.hauteurBloc = calcPower(frame.hauteur);
            frame.debutPixels = curseur.getPosition();
            if (!curseur.prend(size_t(frame.largeurBloc) * frame.hauteurBloc * 4))
                return erreur = tronque, false;
            animation.frames.push_back(frame);
        }
    }
    if (!curseur.fini())
        return erreur = "octets en trop après la dernière frame", false;
    return true;
}

void signaleIllisible(const char* fichier, const std::string& raison)
{
    messageErreur("Sprite converti illisible : %s\n", raison.c_str());
    messageErreur("Fichier : %s\n", fichier ? fichier : "");
}

// The whole file, refused before reading when larger than the limit.
bool litFichier(const char* fichier, std::vector<unsigned char>& donnees, std::string& erreur)
{
    FILE* f = fichier ? ouvreFichierOrdinaire(fichier) : nullptr;
    if (!f)
        return erreur = "impossible d'ouvrir le fichier", false;
    long taille = -1;
    if (fseek(f, 0, SEEK_END) == 0)
        taille = ftell(f);
    bool ok = taille >= 0 && fseek(f, 0, SEEK_SET) == 0;
    if (!ok) {
        erreur = "impossible de lire le fichier";
    } else if (static_cast<unsigned long>(taille) > TAILLE_MAX_SPRITE_CONVERTI) {
        erreur = "fichier trop grand (plus de " + std::to_string(TAILLE_MAX_SPRITE_CONVERTI >> 20) + " Mo)";
        ok = false;
    } else {
        donnees.resize(static_cast<size_t>(taille));
        ok = fread(donnees.data(), 1, donnees.size(), f) == donnees.size() && fgetc(f) == EOF;
        if (!ok)
            erreur = "impossible de lire le fichier";
    }
    fclose(f);
    if (!ok)
        donnees.clear();
    return ok;
}

}  // namespace

bool analyseSpriteConverti(const unsigned char* donnees, size_t taille, SpriteConverti& sprite,
                           std::string& erreur)
{
    sprite = SpriteConverti();
    Curseur curseur(donnees, donnees ? taille : 0);
    if (analyse(curseur, sprite, erreur))
        return true;
    sprite = SpriteConverti();
    return false;
}

int litSpriteConverti(const char* fichier, std::vector<unsigned char>& donnees, SpriteConverti& sprite)
{
    sprite = SpriteConverti();
    std::string erreur;
    if (!litFichier(fichier, donnees, erreur) ||
        !analyseSpriteConverti(donnees.data(), donnees.size(), sprite, erreur)) {
        signaleIllisible(fichier, erreur);
        return 1;
    }
    return 0;
}

int chargeFrameConvertie(CImageGL& image, const unsigned char* donnees, const FrameConvertie& frame)
{
    // The surface only borrows the block, which the picture loader copies.
    void* pixels = const_cast<unsigned char*>(donnees + frame.debutPixels);
    SDL_Surface* bloc = SDL_CreateRGBSurfaceFrom(pixels, frame.largeurBloc, frame.hauteurBloc, 32,
                                                 frame.largeurBloc * 4, MASQUE_R, MASQUE_G, MASQUE_B,
                                                 MASQUE_A);
    int resultat = image.chargeImageSDL(bloc, 0, 0, frame.longueur, frame.hauteur, -1, 0, 0, false);
    if (bloc)
        SDL_FreeSurface(bloc);
    return resultat;
}
