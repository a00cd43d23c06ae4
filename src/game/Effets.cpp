#include "game/Effets.h"

#include "foundation/FichierDescription.h"
#include "foundation/Schema.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "sound/CMusique.h"

#include <cstdio>
#include <cstring>

int chargeEffets(GestionnaireSon& son, const char* fichier)
{
    long taille = tailleFichier(fichier);
    if (taille < 0)
        return 0;
    InputOutput io(true);
    int n = io.getPrivateProfileInt("Entete", "nombreSons", 0, fichier, false);
    long maximum = maxElements(taille) < MAX_EFFETS ? maxElements(taille) : MAX_EFFETS;
    if (n > maximum) {
        messageErreur("Trop de sons dans %s : %d (au plus %ld)\n", fichier, n, maximum);
        return 0;
    }
    int charges = 0;
    for (int i = 1; i <= n; ++i) {
        char section[32];
        snprintf(section, sizeof section, "Son%d", i);
        char nom[64];
        char chemin[200];
        io.getPrivateProfileString(section, "nom", "", nom, sizeof nom, fichier, false);
        io.getPrivateProfileString(section, "fichier", "", chemin, sizeof chemin, fichier, false);
        coupeMot(nom);
        coupeMot(chemin);
        if (!nom[0] || strlen(nom) > 19 || !chemin[0]) {
            messageErreur("Son %d incomplet dans %s\n", i, fichier);
            continue;
        }
        if (tailleDescription(chemin) < 0)
            continue;
        son.chargeSon(chemin, nom);
        ++charges;
    }
    return charges;
}

int angleEcran(int xEcran)
{
    if (xEcran < 0)
        xEcran = 0;
    if (xEcran > 640)
        xEcran = 640;
    if (xEcran >= 320)
        return (xEcran - 320) * 90 / 320;
    return 360 - (320 - xEcran) * 90 / 320;
}

void SortieEffetsSon::joue(const char* nom, int xEcran)
{
    if (!son)
        return;
    int angle = xEcran == SonHeros ? 0 : angleEcran(xEcran) % 360;
    son->setPositionSon(nom, 0, angle);
    son->joueSon(nom, 0, 0, angle);
}
