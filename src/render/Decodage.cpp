#include "render/Decodage.h"

#include "foundation/FichierOrdinaire.h"
#include "render/DecodageBibliotheque.h"
#include "render/DecodageXCF.h"
#include "render/EnteteImage.h"
#include "render/StructureImage.h"

#include <SDL.h>

#include <cstring>
#include <strings.h>
#include <vector>

namespace {

// The file name's extension tells SDL_image about formats without a
// signature (TGA), as when it opens the file itself.
const char* extension(const char* fichier)
{
    const char* point = strrchr(fichier, '.');
    return point ? point + 1 : nullptr;
}

// What the header could not tell: the size of formats it does not know, and
// pixels a cut or hostile file made the decoder invent.
bool imageVraisemblable(const SDL_Surface* image, FormatImage format, size_t tailleFichier)
{
    // A BMP with a nonsense bit count comes out as pixels of under a byte
    // with no palette, which no blit can read.
    const SDL_PixelFormat* f = image->format;
    if ((f->BytesPerPixel == 1 && !f->palette) || f->BytesPerPixel > 4 ||
        (image->w > 0 && image->h > 0 && !image->pixels))
        return false;
    EnteteImage decodee = {format, image->w, image->h, true};
    const long long octets = static_cast<long long>(image->w) * image->h * image->format->BytesPerPixel;
    return tailleImageAcceptable(decodee) && octets <= octetsDecodesMax(format, tailleFichier);
}

SDL_Surface* decodeFichier(const char* fichier)
{
    std::vector<unsigned char> donnees;
    if (!lisFichierOrdinaire(fichier, donnees, TAILLE_FICHIER_IMAGE_MAX))
        return nullptr;
    const char* suffixe = extension(fichier);
    EnteteImage entete =
        lisEnteteImage(donnees.data(), donnees.size(), suffixe && strcasecmp(suffixe, "tga") == 0);
    if (!tailleImageAcceptable(entete) || !coutPlausible(entete, donnees.size()))
        return nullptr;
    if (entete.format == FORMAT_XPM && !xpmComplet(donnees.data(), donnees.size()))
        return nullptr;
    // XCF is read by our own code, the same in every build.
    SDL_Surface* image = entete.format == FORMAT_XCF
                             ? decodeXCF(donnees.data(), donnees.size())
                             : decodeParBibliotheque(donnees.data(), donnees.size(), entete, suffixe);
    if (image && !imageVraisemblable(image, entete.format, donnees.size())) {
        SDL_FreeSurface(image);
        image = nullptr;
    }
    return image;
}

} // namespace

SDL_Surface* decodeFichierImage(const char* fichier)
{
    return fichier ? decodeFichier(fichier) : nullptr;
}
