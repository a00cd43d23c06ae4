#include "foundation/FichierDescription.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

long tailleDescription(const char* fichier)
{
    // Non-blocking, so a pipe with no writer does not stop the game here.
    int fd = fichier ? open(fichier, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    struct stat etat;
    bool ouvert = fd >= 0 && fstat(fd, &etat) == 0 && !S_ISDIR(etat.st_mode);
    if (fd >= 0)
        close(fd);
    if (!ouvert) {
        fprintf(stderr, "Fichier introuvable : %s\n", fichier ? fichier : "");
        return -1;
    }
    // A pipe or a device tells no size.
    return S_ISREG(etat.st_mode) ? static_cast<long>(etat.st_size) : 0;
}
