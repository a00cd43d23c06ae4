#include "foundation/FichierDescription.h"

#include "foundation/Messages.h"
#include "foundation/FichierOrdinaire.h"

#include <cstdio>
#include <sys/stat.h>

long tailleFichier(const char* fichier)
{
    // A pipe or a device is no description: its reader would refuse it.
    FILE* f = ouvreFichierOrdinaire(fichier, "rb");
    if (!f)
        return -1;
    struct stat etat;
    const long taille = fstat(fileno(f), &etat) == 0 ? static_cast<long>(etat.st_size) : -1;
    fclose(f);
    return taille;
}

long tailleDescription(const char* fichier)
{
    long taille = tailleFichier(fichier);
    if (taille < 0)
        messageErreur("Fichier introuvable : %s\n", fichier ? fichier : "");
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
    messageErreur("Trop de mémoire demandée (au plus %lld Mo par chargement) : %s\n",
            OCTETS_MAX / (1024 * 1024), fichier ? fichier : "");
}
