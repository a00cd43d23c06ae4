#include "foundation/FichierDescription.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

long tailleFichier(const char* fichier)
{
    // Non-blocking, so a pipe with no writer does not stop the game here.
    int fd = fichier ? open(fichier, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    struct stat etat;
    bool ouvert = fd >= 0 && fstat(fd, &etat) == 0 && !S_ISDIR(etat.st_mode);
    if (fd >= 0)
        close(fd);
    if (!ouvert)
        return -1;
    // A pipe or a device tells no size.
    return S_ISREG(etat.st_mode) ? static_cast<long>(etat.st_size) : 0;
}

long tailleDescription(const char* fichier)
{
    long taille = tailleFichier(fichier);
    if (taille < 0)
        fprintf(stderr, "Fichier introuvable : %s\n", fichier ? fichier : "");
    return taille;
}

long maxElements(long taille)
{
    return taille < 0 ? 0 : taille / OCTETS_PAR_ELEMENT;
}

bool CBudgetChargement::preleve(long long n, long long taille)
{
    if (n < 0 || taille <= 0 || n > reste / taille)
        return false;
    reste -= n * taille;
    return true;
}

bool CBudgetChargement::preleveImage(const void* image, long long octets)
{
    for (const void* deja : images)
        if (deja == image)
            return true;
    if (!preleve(octets))
        return false;
    images.push_back(image);
    return true;
}

void CBudgetChargement::signaleDepassement(const char* fichier)
{
    if (signale)
        return;
    signale = true;
    fprintf(stderr, "Trop de mémoire demandée (au plus %lld Mo par chargement) : %s\n",
            OCTETS_MAX / (1024 * 1024), fichier ? fichier : "");
}
