#include "sprites/ConversionSprite.h"

#include "foundation/Messages.h"
#include "foundation/util.h"
#include "render/Decodage.h"
#include "render/Decoupe.h"
#include "render/PartageImages.h"
#include "foundation/FichierProvisoire.h"
#include "sprites/FormatSprite.h"
#include "sprites/Planche.h"

#include <SDL.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

using namespace formatsprite;

namespace {

static_assert(DST_ENTETE <= DST_ANIM, "records share one output buffer");
const uint32_t COMPTE_MAX = 65535;

const char* const MSG_OUVERTURE = "Impossible d'ouvrir le fichier de données\n";
const char* const MSG_LECTURE = "Impossible de lire l'en tête du fichier de données\n";
const char* const MSG_ECRITURE = "Impossible d'écrire\n";
const char* const MSG_PLANCHE = "Impossible de charger la planche du sprite\n";
const char* const MSG_SURFACE = "Impossible de créer une texture à partir d'un graphique\n";

// Copies a NUL-terminated text field into a zeroed one, cut so its NUL fits.
void copieNom(unsigned char* dest, size_t tailleDest, const unsigned char* source, size_t tailleSource)
{
    size_t n = strnlen(reinterpret_cast<const char*>(source), tailleSource);
    if (n > tailleDest - 1)
        n = tailleDest - 1;
    memcpy(dest, source, n);
}

// The converted file, gathered and written 256 KiB at a time (or a block at
// a time when one is larger). Beyond the decoding, writing is most of a
// conversion's cost, and the kernel charges for each call: records and
// frame blocks written one by one cost half as much again as the same
// bytes in large writes.
class Sortie {
public:
    Sortie() = default;
    Sortie(const Sortie&) = delete;
    Sortie& operator=(const Sortie&) = delete;
    // Starts the file that will replace `destination`; false when none can
    // be made.
    bool ouvre(const char* destination)
    {
        fd_ = fichier_.ouvre(destination);
        return fd_ >= 0;
    }
    // Room for `taille` more bytes at the end of the file, to be filled
    // before the next call. Null when earlier bytes could not be written.
    unsigned char* ajoute(size_t taille)
    {
        if (utilise_ + taille > capacite_) {
            if (!vide())
                return nullptr;
            if (taille > capacite_) {
                tampon_.reset(new unsigned char[taille]);
                capacite_ = taille;
            }
        }
        unsigned char* place = tampon_.get() + utilise_;
        utilise_ += taille;
        return place;
    }
    // Writes what is gathered and puts the file in place of the
    // destination; false on any failure, and then nothing is left.
    bool publie()
    {
        bool ok = fd_ >= 0 && vide();
        fd_ = -1;
        return ok && fichier_.publie();
    }

private:
    bool vide()
    {
        for (size_t fait = 0; fait < utilise_;) {
            ssize_t n = write(fd_, tampon_.get() + fait, utilise_ - fait);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            fait += size_t(n);
        }
        utilise_ = 0;
        return true;
    }

    // Unfinished, the file disappears with this object.
    CFichierProvisoire fichier_;
    int fd_ = -1;
    // Reused from one write to the next: fresh memory would be paid for
    // again in page faults.
    size_t capacite_ = 256 * 1024;
    std::unique_ptr<unsigned char[]> tampon_{new unsigned char[capacite_]};
    size_t utilise_ = 0;
};

// Holds the open files and surfaces so that every early return releases
// them and removes the unfinished output.
class Conversion {
public:
    ~Conversion()
    {
        if (feuille)
            SDL_FreeSurface(feuille);
        if (source)
            fclose(source);
    }

    int convertit(const char* nomSource, const char* nomDestination);

private:
    int echec(const char* message, const char* fichier)
    {
        messageErreur("%s", message);
        messageErreur("Fichier : %s\n", fichier ? fichier : "");
        return 1;
    }
    int echecLecture() { return echec(MSG_LECTURE, nomSource); }
    int echecEcriture() { return echec(MSG_ECRITURE, nomDestination); }

    bool lit(unsigned char* tampon, size_t taille)
    {
        return fread(tampon, 1, taille, source) == taille;
    }

    bool ecrit(const void* tampon, size_t taille)
    {
        unsigned char* place = destination.ajoute(taille);
        if (place)
            memcpy(place, tampon, taille);
        return place != nullptr;
    }

    int recopieNomEtCompte(unsigned char* enregistrement, size_t taille, size_t tailleNom,
                           size_t tailleSortie, uint32_t& compte);
    int convertitAnimation();
    int convertitFrame();

    const char* nomSource = nullptr;
    const char* nomDestination = nullptr;
    char planche[53] = {};
    FILE* source = nullptr;
    Sortie destination;
    SDL_Surface* feuille = nullptr;
};

int Conversion::convertit(const char* nomSourceDonne, const char* nomDestinationDonne)
{
    nomSource = nomSourceDonne;
    nomDestination = nomDestinationDonne;
    if (!destination.ouvre(nomDestination))
        return echec(MSG_OUVERTURE, nomDestination);
    source = nomSource ? fopen(nomSource, "rb") : nullptr;
    if (!source)
        return echec(MSG_OUVERTURE, nomSource);

    unsigned char entete[SRC_ENTETE];
    uint32_t nbAnims;
    if (recopieNomEtCompte(entete, sizeof entete, 24, DST_ENTETE, nbAnims) != 0)
        return 1;
    for (uint32_t a = 0; a < nbAnims; ++a)
        if (convertitAnimation() != 0)
            return 1;

    if (!destination.publie())
        return echecEcriture();
    return 0;
}

// The file header and the animation records have the same shape: a name
// field of `tailleNom` bytes followed by a 32-bit count in the source, and
// the name then the count in 16 bits at the end of the destination record.
int Conversion::recopieNomEtCompte(unsigned char* enregistrement, size_t taille, size_t tailleNom,
                                   size_t tailleSortie, uint32_t& compte)
{
    if (!lit(enregistrement, taille))
        return echecLecture();
    compte = lit32(enregistrement + tailleNom);
    // The destination's counts are 16-bit: a larger one cannot be written.
    if (compte > COMPTE_MAX)
        return echecEcriture();

    unsigned char sortie[DST_ANIM] = {};
    copieNom(sortie, tailleSortie - 2, enregistrement, tailleNom);
    ecrit16(sortie + tailleSortie - 2, compte);
    if (!ecrit(sortie, tailleSortie))
        return echecEcriture();
    return 0;
}

int Conversion::convertitAnimation()
{
    unsigned char enregistrement[SRC_ANIM];
    uint32_t nbFrames;
    if (recopieNomEtCompte(enregistrement, sizeof enregistrement, 20, DST_ANIM, nbFrames) != 0)
        return 1;

    memcpy(planche, enregistrement + 24, 52);
    feuille = decodeImage(planche);
    if (!feuille)
        return echec(MSG_PLANCHE, planche);

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
        return echecLecture();
    // Height comes before width here, and the other way round when written.
    RectanglePlanche rectangle;
    rectangle.positionX = static_cast<int16_t>(lit32(enregistrement));
    rectangle.positionY = static_cast<int16_t>(lit32(enregistrement + 4));
    rectangle.hauteur = static_cast<uint16_t>(lit32(enregistrement + 8));
    rectangle.longueur = static_cast<uint16_t>(lit32(enregistrement + 12));
    // Cut as the sprite loader cuts it, before any block is made: a bad
    // size of 65535 x 65535 would otherwise ask for 16 GiB of zeros.
    borneRectanglePlanche(rectangle, feuille);
    const uint16_t w = rectangle.longueur, h = rectangle.hauteur;

    // The bytes after the rectangle are the producer's: a pause and a colour
    // key only when our own producer marked them.
    const bool marque = porteMarque(enregistrement + SRC_TAG, TAG_SOURCE);
    const unsigned char* cle = enregistrement + SRC_CLE;
    const bool avecCle = marque && cle[3] == 1;

    unsigned char sortie[DST_FRAME] = {};
    ecrit16(sortie, w);
    ecrit16(sortie + 2, h);
    ecritMarque(sortie + DST_TAG, TAG_CONVERTI);
    ecrit32(sortie + DST_PAUSE, marque ? lit32(enregistrement + SRC_PAUSE) : PAUSE_PAR_DEFAUT);
    if (!ecrit(sortie, sizeof sortie))
        return echecEcriture();

    int largeurBloc = calcPower(w);
    int hauteurBloc = calcPower(h);
    if (largeurBloc == 0 || hauteurBloc == 0)
        return echecEcriture();

    // Cut straight into the file's block, keyed when the record carries a
    // colour key, as the picture loader cuts and keys. The cut fills w x h;
    // the rest of the block, past the frame, is zero (the buffer holds
    // earlier bytes).
    const size_t ligne = size_t(largeurBloc) * 4;
    unsigned char* bloc = destination.ajoute(ligne * hauteurBloc);
    if (!bloc)
        return echecEcriture();
    for (int j = 0; j < h; ++j)
        memset(bloc + j * ligne + size_t(w) * 4, 0, ligne - size_t(w) * 4);
    memset(bloc + h * ligne, 0, (hauteurBloc - h) * ligne);
    if (!copieRectangle(feuille, rectangle.positionX, rectangle.positionY, w, h, bloc, largeurBloc,
                        avecCle ? cle[0] : -1, cle[1], cle[2]))
        return echec(MSG_SURFACE, nomSource);
    return 0;
}

}  // namespace

int convertitSprite(const char* source, const char* destination)
{
    // Animations cut from one sheet share one decode of it.
    CPartageImages partage;
    Conversion conversion;
    return conversion.convertit(source, destination);
}
