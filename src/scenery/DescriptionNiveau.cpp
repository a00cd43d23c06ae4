#include "scenery/DescriptionNiveau.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/Messages.h"
#include "foundation/Schema.h"
#include "scenery/CBackground.h"
#include "scenery/ClesNiveau.h"
#include "scenery/SchemaNiveau.h"
#include "sprites/CAnimGL.h"

#include <cstdio>
#include <cstring>

using namespace clesNiveau;
namespace sn = schemaNiveau;

namespace {

long tailleLue(const char* fichier, bool muet)
{
    return muet ? tailleFichier(fichier) : tailleDescription(fichier);
}

int positif(int n)
{
    return n < 0 ? 0 : n;
}

int lis(InputOutput& io, const char* section, const DefCle& cle, const char* fichier, bool muet)
{
    int v;
    litEntierCle(io, section, cle, fichier, v, muet);
    return v;
}

// A count, never negative; above its limit the caller refuses it.
int compte(InputOutput& io, const char* section, const DefCle& cle, const char* fichier, bool muet)
{
    int v;
    litCompteCle(io, section, cle, fichier, v, muet);
    return positif(v);
}

}

LecteurDescriptionNiveau::LecteurDescriptionNiveau(const char* fichier, bool muet)
    : io(muet), fichier(fichier), muet(muet), taille(tailleLue(fichier, muet))
{
}

EnteteNiveau LecteurDescriptionNiveau::litEntete()
{
    EnteteNiveau entete;
    entete.nombrePriorites = positif(lis(io, Entete, sn::NombrePriorites, fichier, muet));
    int n = compte(io, Entete, sn::NombrePlans, fichier, muet);
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
    return litTexteCle(io, section, sn::PathPlan, "nothing", chemin, fichier, muet) > 0;
}

ParamPlan LecteurDescriptionNiveau::litParametresPlan(int n)
{
    char section[32];
    snprintf(section, sizeof section, SectionPlan, n);
    ParamPlan p;
    p.priorite = lis(io, section, sn::Priorite, fichier, muet);
    p.repeatX = lis(io, section, sn::RepeatX, fichier, muet) != 0;
    p.repeatY = lis(io, section, sn::RepeatY, fichier, muet) != 0;
    p.positionEcranX = lis(io, section, sn::PositionEcranX, fichier, muet);
    p.positionEcranY = lis(io, section, sn::PositionEcranY, fichier, muet);
    p.scrollRatio = lis(io, section, sn::ScrollRatio, fichier, muet);
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

std::vector<std::string> typesActeursSurDisque()
{
    std::vector<std::string> types;
    const std::string dossier = "./data/acteurs/";
    for (const std::string& n : fichiersContenu(dossier, false))
        if (n.size() > dossier.size() + 4 && n.compare(n.size() - 4, 4, ".ini") == 0)
            types.push_back(n.substr(dossier.size(), n.size() - 4 - dossier.size()));
    return types;
}

int LecteurDescriptionNiveau::litNombreActeurs()
{
    // Optional keys: a level without them says nothing more than before.
    InputOutput discret(true);
    int n;
    // A count that is not one leaves every actor out: said, not silent.
    if (!litCompteCle(discret, Entete, sn::NombreActeurs, fichier, n, muet))
        return 0;
    return compteAccepte(n, MAX_ACTEURS_NIVEAU, "Trop d'acteurs");
}

bool LecteurDescriptionNiveau::litArrivee(int& x)
{
    InputOutput discret(true);
    const int absent = -2147483647;
    DefCle cle = sn::ArriveeX;
    cle.defaut = absent;
    // Out of the level's positions, a finish ends the level at its first
    // frame or never: the level then has none, as without the key.
    return litEntierCle(discret, Entete, cle, fichier, x, muet) && x != absent;
}

bool LecteurDescriptionNiveau::litActeur(int n, ActeurPlace& acteur)
{
    char section[32];
    snprintf(section, sizeof section, SectionActeur, n);
    InputOutput discret(true);
    char type[sn::TypeActeur.tampon];
    litTexteCle(discret, section, sn::TypeActeur, "", type, fichier, muet);
    coupeMot(type);
    acteur.type[0] = '\0';
    // Far positions would overflow the actor's motion and drawing.
    bool place = litEntierCle(discret, section, sn::ActeurX, fichier, acteur.positionX, muet);
    place = litEntierCle(discret, section, sn::ActeurY, fichier, acteur.positionY, muet) && place;
    if (!nomTypeActeurValide(type)) {
        if (!muet)
            messageErreur("Type d'acteur invalide dans %s [%s] : \"%s\"\n", fichier, section, type);
        return false;
    }
    if (!place)
        return false;
    memcpy(acteur.type, type, strlen(type) + 1); // checked to fit
    return true;
}

int LecteurDescriptionNiveau::litCleActeur(int n, const DefCle& cle, int defaut)
{
    char section[32];
    snprintf(section, sizeof section, SectionActeur, n);
    InputOutput discret(true);
    DefCle avecDefaut = cle;
    avecDefaut.defaut = defaut;
    int v;
    if (!litEntierCle(discret, section, avecDefaut, fichier, v, muet))
        v = static_cast<int>(borneCle(cle, v));
    return v;
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
    int n = compte(io, Entete, sn::NombreTiles, fichier, muet);
    return compteRefuse(NombreTiles, n, MAX_TILES_PLAN, sizeof(CAnimGL)) ? -1 : n;
}

long long LecteurDescriptionPlan::litNbPositions(int nbTiles, std::vector<int>& nbPositions)
{
    nbPositions.assign(nbTiles > 0 ? nbTiles : 0, 0);
    long long total = 0;
    char section[32];
    for (int t = 1; t <= nbTiles; ++t) {
        snprintf(section, sizeof section, SectionTile, t);
        nbPositions[t - 1] = compte(io, section, sn::NbPositions, fichier, muet);
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
    tile.nbFrames = compte(io, section, sn::NbFrames, fichier, muet);
    tile.pathPlanche[0] = '\0';
    tile.colorkeyR = -1;
    tile.colorkeyG = tile.colorkeyB = 0;
    if (compteRefuse(NbFrames, tile.nbFrames, MAX_FRAMES_TILE, sizeof(CImageAnim)))
        return false;
    litTexteCle(io, section, sn::PathPlanche, "nothing", tile.pathPlanche, fichier, muet);
    return true;
}

void LecteurDescriptionPlan::litCleCouleur(int t, TileDecrite& tile)
{
    char section[32];
    snprintf(section, sizeof section, SectionTile, t);
    tile.colorkeyR = lis(io, section, sn::ColorkeyR, fichier, muet);
    tile.colorkeyG = lis(io, section, sn::ColorkeyG, fichier, muet);
    tile.colorkeyB = lis(io, section, sn::ColorkeyB, fichier, muet);
}

RectanglePlanche LecteurDescriptionPlan::litRectangle(int t, int m)
{
    char section[64];
    snprintf(section, sizeof section, SectionFrame, t, m);
    if (!muet)
        messageDetail("clé : %s\n", section);
    return lisRectanglePlanche(io, section, fichier, muet);
}

int LecteurDescriptionPlan::litAlpha(int t, int m)
{
    char section[64];
    snprintf(section, sizeof section, SectionFrame, t, m);
    return lis(io, section, sn::ValeurAlpha, fichier, muet);
}

int LecteurDescriptionPlan::litPause(int t, int m)
{
    char section[64];
    snprintf(section, sizeof section, SectionFrame, t, m);
    // Optional: a plane without pauses says nothing more than before.
    InputOutput discret(true);
    int pause = lis(discret, section, sn::PauseTile, fichier, muet);
    return pause > 0 ? pause : 0;
}

void LecteurDescriptionPlan::litPosition(int t, int j, int& positionX, int& positionY)
{
    char section[64];
    snprintf(section, sizeof section, SectionPosition, t, j);
    positionX = lis(io, section, sn::PlaceX, fichier, muet);
    positionY = lis(io, section, sn::PlaceY, fichier, muet);
}
