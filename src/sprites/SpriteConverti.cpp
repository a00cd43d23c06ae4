#include "sprites/SpriteConverti.h"

#include "foundation/util.h"
#include "render/CImageGL.h"
#include "render/Decodage.h"
#include "render/Decoupe.h"
#include "render/PartageImages.h"
#include "sprites/Planche.h"

#include <SDL.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// Record sizes of the data file (read) and the converted file (written).
const size_t SRC_ENTETE = 28, SRC_ANIM = 76, SRC_FRAME = 80;
const size_t DST_ENTETE = 22, DST_ANIM = 32, DST_FRAME = 40;
static_assert(DST_ENTETE <= DST_ANIM, "records share one output buffer");
const uint32_t COMPTE_MAX = 65535;
// Names as an animation holds them (20 bytes with the NUL).
const size_t LONGUEUR_NOM_MAX = 19;

const Uint32 MASQUE_R = 0x000000FF, MASQUE_G = 0x0000FF00, MASQUE_B = 0x00FF0000, MASQUE_A = 0xFF000000;

uint32_t lit32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t lit16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void ecrit16(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

void ecrit32(unsigned char* p, uint32_t v)
{
    ecrit16(p, v & 0xFFFF);
    ecrit16(p + 2, v >> 16);
}

// ---------------------------------------------------------------------------
// Reading

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
            frame.pause = lit32(p + 4);
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
    fprintf(stderr, "Sprite converti illisible : %s\n", raison.c_str());
    fprintf(stderr, "Fichier : %s\n", fichier ? fichier : "");
}

// The whole file, refused before reading when larger than the limit.
bool litFichier(const char* fichier, std::vector<unsigned char>& donnees, std::string& erreur)
{
    FILE* f = fichier ? fopen(fichier, "rb") : nullptr;
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

// ---------------------------------------------------------------------------
// Converting

namespace {

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

// A new file next to `destination`, created with the usual permissions;
// -1 when none can be made.
int creeTemporaire(const std::string& destination, std::string& nom)
{
    for (int essai = 0; essai < 100; ++essai) {
        nom = destination + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(essai);
        int fd = open(nom.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            break;
    }
    nom.clear();
    return -1;
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
    ~Sortie()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    // Takes over the open file `fd`; false when there is none.
    bool ouvre(int fd)
    {
        fd_ = fd;
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
    // Writes what is gathered and closes the file; false on any failure.
    bool ferme()
    {
        bool ok = vide();
        ok = close(fd_) == 0 && ok;
        fd_ = -1;
        return ok;
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
        if (!temporaire.empty())
            unlink(temporaire.c_str());
    }

    int convertit(const char* nomSource, const char* nomDestination);

private:
    int echec(const char* message, const char* fichier)
    {
        fputs(message, stderr);
        fprintf(stderr, "Fichier : %s\n", fichier ? fichier : "");
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
    std::string temporaire;
    SDL_Surface* feuille = nullptr;
};

int Conversion::convertit(const char* nomSourceDonne, const char* nomDestinationDonne)
{
    nomSource = nomSourceDonne;
    nomDestination = nomDestinationDonne;
    if (!destination.ouvre(nomDestination ? creeTemporaire(nomDestination, temporaire) : -1))
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

    if (!destination.ferme() || rename(temporaire.c_str(), nomDestination) != 0)
        return echecEcriture();
    temporaire.clear();
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

    unsigned char sortie[DST_FRAME] = {};
    ecrit16(sortie, w);
    ecrit16(sortie + 2, h);
    ecrit32(sortie + 4, lit32(enregistrement + 16));
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
    const unsigned char* cle = enregistrement + 20;
    if (!copieRectangle(feuille, rectangle.positionX, rectangle.positionY, w, h, bloc, largeurBloc,
                        cle[3] == 1 ? cle[0] : -1, cle[1], cle[2]))
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
