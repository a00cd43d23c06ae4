#include "scenery/DescriptionNiveau.h"

#include "foundation/Messages.h"
#include "foundation/Schema.h"
#include "scenery/CBackground.h"
#include "scenery/ClesNiveau.h"
#include "sprites/CAnimGL.h"

#include <cstdio>
#include <cstring>

using namespace clesNiveau;

namespace {

long tailleLue(const char* fichier, bool muet)
{
    return muet ? tailleFichier(fichier) : tailleDescription(fichier);
}

int positif(int n)
{
    return n < 0 ? 0 : n;
}

}

LecteurDescriptionNiveau::LecteurDescriptionNiveau(const char* fichier, bool muet)
    : io(muet), fichier(fichier), muet(muet), taille(tailleLue(fichier, muet))
{
}

EnteteNiveau LecteurDescriptionNiveau::litEntete()
{
    EnteteNiveau entete;
    entete.nombrePriorites = positif(io.getPrivateProfileInt(Entete, NombrePriorites, 0, fichier, false));
    int n = positif(io.getPrivateProfileInt(Entete, NombrePlans, 0, fichier, false));
    entete.nombrePlans = compteAccepte(n, MAX_PLANS_NIVEAU, "Trop de plans");
    return entete;
}

int LecteurDescriptionNiveau::compteAccepte(int n, long limite, const char* trop)
{
    long maximum = maxElements(taille) < limite ? maxElements(taille) : limite;
    if (n <= maximum)
        return n;
    if (!muet)
        messageErreur("%s dans %s : %d (au plus %ld)\n", trop, fichier, n, maximum);
    return 0;
}

bool LecteurDescriptionNiveau::litCheminPlan(int n, char (&chemin)[TAILLE_CHEMIN_PLAN])
{
    char section[32];
    snprintf(section, sizeof section, SectionPlan, n);
    return io.getPrivateProfileString(section, PathPlan, "nothing", chemin, sizeof chemin, fichier, false) > 0;
}

ParamPlan LecteurDescriptionNiveau::litParametresPlan(int n)
{
    char section[32];
    snprintf(section, sizeof section, SectionPlan, n);
    ParamPlan p;
    p.priorite = io.getPrivateProfileInt(section, Priorite, 1, fichier, false);
    p.repeatX = io.getPrivateProfileBool(section, RepeatX, false, fichier, false);
    p.repeatY = io.getPrivateProfileBool(section, RepeatY, false, fichier, false);
    p.positionEcranX = io.getPrivateProfileInt(section, PositionEcranX, 1, fichier, false);
    p.positionEcranY = io.getPrivateProfileInt(section, PositionEcranY, 1, fichier, false);
    p.scrollRatio = io.getPrivateProfileInt(section, ScrollRatio, 1, fichier, false);
    return p;
}

bool nomTypeActeurValide(const char* nom)
{
    std::size_t n = 0;
    for (; nom[n]; ++n) {
        char c = nom[n];
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    }
    return n > 0 && n < sizeof(ActeurPlace::type);
}

int LecteurDescriptionNiveau::litNombreActeurs()
{
    // Optional keys: a level without them says nothing more than before.
    InputOutput discret(true);
    int n = positif(discret.getPrivateProfileInt(Entete, NombreActeurs, 0, fichier, false));
    return compteAccepte(n, MAX_ACTEURS_NIVEAU, "Trop d'acteurs");
}

bool LecteurDescriptionNiveau::litArrivee(int& x)
{
    InputOutput discret(true);
    const int absent = -2147483647;
    x = discret.getPrivateProfileInt(Entete, ArriveeX, absent, fichier, false);
    return x != absent;
}

bool LecteurDescriptionNiveau::litActeur(int n, ActeurPlace& acteur)
{
    char section[32];
    snprintf(section, sizeof section, SectionActeur, n);
    InputOutput discret(true);
    char type[64];
    discret.getPrivateProfileString(section, TypeActeur, "", type, sizeof type, fichier, false);
    coupeMot(type);
    acteur.type[0] = '\0';
    acteur.positionX = discret.getPrivateProfileInt(section, PositionX, 0, fichier, false);
    acteur.positionY = discret.getPrivateProfileInt(section, PositionY, 0, fichier, false);
    if (!nomTypeActeurValide(type)) {
        if (!muet)
            messageErreur("Type d'acteur invalide dans %s [%s] : \"%s\"\n", fichier, section, type);
        return false;
    }
    memcpy(acteur.type, type, strlen(type) + 1); // checked to fit
    return true;
}

int LecteurDescriptionNiveau::litCleActeur(int n, const char* cle, int defaut)
{
    char section[32];
    snprintf(section, sizeof section, SectionActeur, n);
    InputOutput discret(true);
    return discret.getPrivateProfileInt(section, cle, defaut, fichier, false);
}

LecteurDescriptionPlan::LecteurDescriptionPlan(const char* fichier, CBudgetChargement& budget, bool muet)
    : io(muet), fichier(fichier), muet(muet), budget(budget), elementsRestants(-1)
{
    long taille = tailleLue(fichier, muet);
    if (taille >= 0)
        elementsRestants = maxElements(taille);
}

// Refuses a count above the format's limit, above what the file can still
// hold, or above what the budget can still keep of `taille`-byte items. An
// accepted count is taken from both.
bool LecteurDescriptionPlan::compteRefuse(const char* cle, long long n, long long limite, long long taille)
{
    long long maximum = limite;
    if (elementsRestants < maximum)
        maximum = elementsRestants;
    if (budget.combien(taille) < maximum)
        maximum = budget.combien(taille);
    if (n > maximum) {
        if (!muet)
            messageErreur("Valeur trop grande pour %s dans %s : %lld (au plus %lld)\n", cle, fichier, n,
                    maximum);
        return true;
    }
    elementsRestants -= static_cast<long>(n);
    budget.preleve(n, taille);
    return false;
}

int LecteurDescriptionPlan::litNombreTiles()
{
    int n = positif(io.getPrivateProfileInt(Entete, NombreTiles, 0, fichier, false));
    return compteRefuse(NombreTiles, n, MAX_TILES_PLAN, sizeof(CAnimGL)) ? -1 : n;
}

long long LecteurDescriptionPlan::litNbPositions(int nbTiles, std::vector<int>& nbPositions)
{
    nbPositions.assign(nbTiles > 0 ? nbTiles : 0, 0);
    long long total = 0;
    char section[32];
    for (int t = 1; t <= nbTiles; ++t) {
        snprintf(section, sizeof section, SectionTile, t);
        nbPositions[t - 1] = positif(io.getPrivateProfileInt(section, NbPositions, 0, fichier, false));
        total += nbPositions[t - 1];
    }
    return compteRefuse(NbPositions, total, MAX_POSITIONS_PLAN, sizeof(CPosTile)) ? -1 : total;
}

int LecteurDescriptionPlan::litComptes(std::vector<int>& nbPositions, long long& total)
{
    int n = ouvert() ? litNombreTiles() : -1;
    total = n < 0 ? -1 : litNbPositions(n, nbPositions);
    return total < 0 ? -1 : n;
}

bool LecteurDescriptionPlan::litTile(int t, TileDecrite& tile)
{
    char section[32];
    snprintf(section, sizeof section, SectionTile, t);
    tile.nbFrames = positif(io.getPrivateProfileInt(section, NbFrames, 0, fichier, false));
    tile.pathPlanche[0] = '\0';
    tile.colorkeyR = -1;
    tile.colorkeyG = tile.colorkeyB = 0;
    if (compteRefuse(NbFrames, tile.nbFrames, MAX_FRAMES_TILE, sizeof(CImageAnim)))
        return false;
    io.getPrivateProfileString(section, PathPlanche, "nothing", tile.pathPlanche, sizeof tile.pathPlanche,
                               fichier, false);
    return true;
}

void LecteurDescriptionPlan::litCleCouleur(int t, TileDecrite& tile)
{
    char section[32];
    snprintf(section, sizeof section, SectionTile, t);
    tile.colorkeyR = io.getPrivateProfileInt(section, ColorkeyR, -1, fichier, false);
    tile.colorkeyG = io.getPrivateProfileInt(section, ColorkeyG, 0, fichier, false);
    tile.colorkeyB = io.getPrivateProfileInt(section, ColorkeyB, 0, fichier, false);
}

RectanglePlanche LecteurDescriptionPlan::litRectangle(int t, int m)
{
    char section[64];
    snprintf(section, sizeof section, SectionFrame, t, m);
    if (!muet)
        messageDetail("clé : %s\n", section);
    return lisRectanglePlanche(io, section, fichier);
}

int LecteurDescriptionPlan::litAlpha(int t, int m)
{
    char section[64];
    snprintf(section, sizeof section, SectionFrame, t, m);
    return io.getPrivateProfileInt(section, ValeurAlpha, 255, fichier, false);
}

int LecteurDescriptionPlan::litPause(int t, int m)
{
    char section[64];
    snprintf(section, sizeof section, SectionFrame, t, m);
    // Optional: a plane without pauses says nothing more than before.
    InputOutput discret(true);
    int pause = discret.getPrivateProfileInt(section, PauseFrame, 0, fichier, false);
    return pause > 0 ? pause : 0;
}

void LecteurDescriptionPlan::litPosition(int t, int j, int& positionX, int& positionY)
{
    char section[64];
    snprintf(section, sizeof section, SectionPosition, t, j);
    positionX = io.getPrivateProfileInt(section, PositionX, 0, fichier, false);
    positionY = io.getPrivateProfileInt(section, PositionY, 0, fichier, false);
}
