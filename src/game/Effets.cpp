#include "game/Effets.h"

#include "foundation/FichierDescription.h"
#include "foundation/Schema.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "game/SchemaActeur.h"
#include "sound/CMusique.h"

#include <cstdio>
#include <cstring>

bool litEffets(const char* fichier, std::vector<EffetDecrit>& effets)
{
    namespace sa = schemaActeur;
    effets.clear();
    long taille = tailleFichier(fichier);
    if (taille < 0)
        return false;
    InputOutput io(true);
    int n;
    if (!litCompteCle(io, "Entete", sa::NombreSons, fichier, n))
        return false;
    long maximum = maxElements(taille) < MAX_EFFETS ? maxElements(taille) : MAX_EFFETS;
    if (n > maximum) {
        messageErreur("Trop de sons dans %s : %d (au plus %ld)\n", fichier, n, maximum);
        return false;
    }
    for (int i = 1; i <= n; ++i) {
        char section[32];
        snprintf(section, sizeof section, "Son%d", i);
        char nom[sa::NomSon.tampon];
        char chemin[sa::FichierSon.tampon];
        litTexteCle(io, section, sa::NomSon, "", nom, fichier);
        litTexteCle(io, section, sa::FichierSon, "", chemin, fichier);
        coupeMot(nom);
        coupeMot(chemin);
        if (!nom[0] || strlen(nom) > static_cast<size_t>(sa::NomSonMax) || !chemin[0]) {
            messageErreur("Son %d incomplet dans %s\n", i, fichier);
            continue;
        }
        if (tailleDescription(chemin) >= 0)
            effets.push_back({nom, chemin});
    }
    return true;
}

int chargeEffets(GestionnaireSon& son, const char* fichier)
{
    std::vector<EffetDecrit> effets;
    litEffets(fichier, effets);
    for (const EffetDecrit& e : effets)
        son.chargeSon(e.chemin.c_str(), e.nom.c_str());
    return static_cast<int>(effets.size());
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
