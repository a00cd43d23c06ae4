#include "foundation/FichierOrdinaire.h"

#include "foundation/DossiersJoueur.h"

#include <SDL.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

FILE* ouvreFichierOrdinaire(const char* fichier, const char* mode)
{
    if (!fichier || !mode) {
        errno = EINVAL;
        return nullptr;
    }
    const int acces = strchr(mode, '+') ? O_RDWR : O_RDONLY;
    const std::string lu = acces == O_RDONLY ? cheminContenuLu(fichier) : std::string(fichier);
    int fd = open(lu.c_str(), acces | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat etat;
    if (fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        close(fd);
        errno = EINVAL;
        return nullptr;
    }
    // Reads of a regular file never wait; the flag only mattered for open.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* f = fdopen(fd, mode);
    if (!f) {
        const int erreur = errno;
        close(fd);
        errno = erreur;
    }
    return f;
}

bool lisFichierOrdinaire(const char* fichier, std::vector<unsigned char>& donnees, long long tailleMax)
{
    FILE* f = ouvreFichierOrdinaire(fichier, "rb");
    if (!f)
        return false;
    struct stat etat;
    bool ok = fstat(fileno(f), &etat) == 0 && etat.st_size <= tailleMax;
    if (ok) {
        donnees.resize(static_cast<size_t>(etat.st_size));
        ok = fread(donnees.data(), 1, donnees.size(), f) == donnees.size();
    }
    fclose(f);
    return ok;
}

SDL_RWops* fluxFichierOrdinaire(const char* fichier)
{
    FILE* f = ouvreFichierOrdinaire(fichier, "rb");
#ifdef __EMSCRIPTEN__
    // The browser's SDL reads files by name, never from a FILE.
    if (!f)
        return nullptr;
    fclose(f);
    return SDL_RWFromFile(cheminContenuLu(fichier).c_str(), "rb");
#else
    SDL_RWops* flux = f ? SDL_RWFromFP(f, SDL_TRUE) : nullptr;
    if (f && !flux)
        fclose(f);
    return flux;
#endif
}
