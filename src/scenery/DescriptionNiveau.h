#ifndef CORVANTHELIS_SCENERY_DESCRIPTIONNIVEAU_H
#define CORVANTHELIS_SCENERY_DESCRIPTIONNIVEAU_H

// Reading level and plane files (key names in scenery/ClesNiveau.h).
//
// One reader reads one file, section by section in the order its caller
// asks, with the loaders' buffer sizes and defaults: the level and plane
// loaders, the start-up prefetch and the benchmarks see the same values.
// It opens no picture and needs no display. Counts are checked here, before
// the caller allocates anything, against the format's limits, against what
// the file's size can hold (maxElements) and, for planes, against the
// load's budget; a refused count prints one line on standard error naming
// the file.
//
// A silent reader (muet) prints nothing at all, neither the profile
// reader's notices nor refusals: for callers that only look ahead of the
// loader, which will say it all when it runs.

#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "scenery/CLevel.h"
#include "scenery/SchemaNiveau.h"
#include "sprites/Planche.h"

#include <string>
#include <vector>

struct EnteteNiveau {
    int nombrePriorites;  // 0 or more
    int nombrePlans;      // 0 or more; 0 when refused
};

struct ActeurPlace {
    char type[32];  // names data/acteurs/<type>.ini
    int positionX;  // world top-left of the actor's frame
    int positionY;
};

// True for a non-empty name of [a-z0-9_] that fits ActeurPlace::type.
bool nomTypeActeurValide(const char* nom);
// The names of the type files data/acteurs/<type>.ini, the installed ones
// and the author's (foundation/DossiersJoueur.h), sorted, each once.
std::vector<std::string> typesActeursSurDisque();

class LecteurDescriptionNiveau {
public:
    static const int TAILLE_CHEMIN_PLAN = schemaNiveau::PathPlan.tampon;

    explicit LecteurDescriptionNiveau(const char* fichier, bool muet = false);

    // False when the file cannot be opened ("Fichier introuvable").
    bool ouvert() const { return taille >= 0; }
    // nombrePriorites, then nombrePlans.
    EnteteNiveau litEntete();
    // Section "Plan"+n: pathPlan, "nothing" when missing (then false).
    bool litCheminPlan(int n, char (&chemin)[TAILLE_CHEMIN_PLAN]);
    // The rest of the section: priorite, repeatX, repeatY, positionEcranX,
    // positionEcranY, scrollRatio.
    ParamPlan litParametresPlan(int n);

    // Optional actor keys, read without notices. nombreActeurs: 0 when
    // missing, and 0 with a message when not a number, negative, or above
    // MAX_ACTEURS_NIVEAU or what the file can hold.
    int litNombreActeurs();
    // False when the level has no finish line: arriveeX missing, or (with
    // a message) not a number or outside the level's positions.
    bool litArrivee(int& x);
    // Section "Acteur"+n: type, positionX, positionY. False, with one
    // message, when the type is missing or not made of [a-z0-9_], or a
    // position is not one the level can hold.
    bool litActeur(int n, ActeurPlace& acteur);
    // Any other key of that section, the key's default when missing; a
    // value out of the key's range is said and brought within it.
    int litCleActeur(int n, const DefCle& cle, int defaut);

private:
    // n, or 0 with "<trop> dans <file> : n (au plus m)" when above `limite`
    // or what the file can hold.
    int compteAccepte(int n, long limite, const char* trop);

    InputOutput io;
    const char* fichier;
    bool muet;
    long taille;
};

struct TileDecrite {
    int nbFrames;          // 0 or more
    char pathPlanche[schemaNiveau::PathPlanche.tampon];
    int colorkeyR;         // -1: no colour key
    int colorkeyG;
    int colorkeyB;
};

class LecteurDescriptionPlan {
public:
    // Items kept are charged to `budget`, which outlives the reader.
    LecteurDescriptionPlan(const char* fichier, CBudgetChargement& budget, bool muet = false);

    bool ouvert() const { return elementsRestants >= 0; }
    // "Entete"/nombreTiles; a negative count is 0. -1 when refused.
    int litNombreTiles();
    // nbPositions of tiles 1 .. nbTiles (negative is 0), read once each so
    // that the placements are later read with the counts checked here. The
    // total, or -1 when it is refused.
    long long litNbPositions(int nbTiles, std::vector<int>& nbPositions);
    // Both in turn, for readers that keep nothing between them: the tile
    // count, or -1 when the file could not be opened or a count is refused;
    // `total` gets the placements' total.
    int litComptes(std::vector<int>& nbPositions, long long& total);
    // Section "Tile"+t: nbFrames, then pathPlanche. False when nbFrames is
    // refused; the sheet is then not read.
    bool litTile(int t, TileDecrite& tile);
    // Its colour key, once the sheet is known to open.
    void litCleCouleur(int t, TileDecrite& tile);
    // Section "Tile"+t+"Frame"+m: the rectangle, then valeurAlpha (255
    // when missing). The key is named when the notices are wanted.
    RectanglePlanche litRectangle(int t, int m);
    int litAlpha(int t, int m);
    // Its pause in ms (key "pause"): 0 when missing, and a negative one
    // is read as 0.
    int litPause(int t, int m);
    // Section "Tile"+t+"Position"+j.
    void litPosition(int t, int j, int& positionX, int& positionY);

    const char* getFichier() const { return fichier; }
    CBudgetChargement& getBudget() { return budget; }

private:
    bool compteRefuse(const char* cle, long long n, long long limite, long long taille);

    InputOutput io;
    const char* fichier;
    bool muet;
    CBudgetChargement& budget;
    long elementsRestants;  // counted items the file can still hold; -1: no file
};

#endif
