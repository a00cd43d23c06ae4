#include "shell/CaptureEcran.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <ctime>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

bool lisImageAffichee(ImageRGB& image)
{
    GLint vue[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, vue);
    if (vue[2] <= 0 || vue[3] <= 0)
        return false;
    const int l = vue[2];
    const int h = vue[3];
    std::vector<unsigned char> brut(static_cast<size_t>(l) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(vue[0], vue[1], l, h, GL_RGB, GL_UNSIGNED_BYTE, brut.data());
    // GL reads bottom row first.
    image.largeur = l;
    image.hauteur = h;
    image.pixels.resize(brut.size());
    const size_t ligne = static_cast<size_t>(l) * 3;
    for (int y = 0; y < h; ++y)
        std::copy_n(&brut[static_cast<size_t>(h - 1 - y) * ligne], ligne, &image.pixels[y * ligne]);
    return true;
}

namespace {

void ajouteOctets(png_structp png, png_bytep donnees, png_size_t taille)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(donnees), taille);
}

void rienAVider(png_structp) {}

bool encodePNG(const ImageRGB& image, std::string& octets)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &octets, ajouteOctets, rienAVider);
    png_set_IHDR(png, info, image.largeur, image.hauteur, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t ligne = static_cast<size_t>(image.largeur) * 3;
    for (int y = 0; y < image.hauteur; ++y)
        png_write_row(png, const_cast<png_bytep>(&image.pixels[y * ligne]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool ecritPNG(const char* chemin, const ImageRGB& image)
{
    if (image.largeur <= 0 || image.hauteur <= 0
        || image.pixels.size() != static_cast<size_t>(image.largeur) * image.hauteur * 3)
        return false;
    std::string octets;
    // Written whole or not at all, like the profile files.
    return encodePNG(image, octets) && remplaceFichierAtomique(chemin, octets);
}

std::string enregistreCapture()
{
    ImageRGB image;
    if (!lisImageAffichee(image)) {
        messageErreur("Impossible de faire une capture d'écran\n");
        return "";
    }
    const std::string dossier = cheminDonneesJoueur("captures");
    if (mkdir(dossier.c_str(), 0755) != 0 && errno != EEXIST) {
        messageErreur("Impossible de créer le dossier %s\n", dossier.c_str());
        return "";
    }
    char date[32];
    time_t maintenant = time(nullptr);
    struct tm local;
    localtime_r(&maintenant, &local);
    strftime(date, sizeof date, "%Y%m%d-%H%M%S", &local);
    std::string base = dossier + "/corvanthelis-" + date;
    std::string chemin = base + ".png";
    for (int n = 2; access(chemin.c_str(), F_OK) == 0 && n < 1000; ++n)
        chemin = base + "-" + std::to_string(n) + ".png";
    if (!ecritPNG(chemin.c_str(), image)) {
        messageErreur("Impossible d'enregistrer %s\n", chemin.c_str());
        return "";
    }
    messageInfo("Capture enregistrée : %s\n", chemin.c_str());
    videMessages();
    return chemin;
}
