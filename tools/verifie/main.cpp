// verifie [folder | level.ini]: checks every file the game and its tools
// read in that runtime folder (the current one by default), the way the
// game reads them, every level under data/levels/ included; or one level
// file, its planes and its actors' types alone, named from the current
// folder. One line per problem, "file:line: severity : message", then the
// count. Status 0 without errors (warnings do not count), 1 with errors.
// Without a folder, from a folder without data/, an installed game's
// content is checked, with the author's own levels read first.
#include "foundation/DossierDepart.h"
#include "foundation/DossiersJoueur.h"
#include "verification/Verificateur.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool finitPar(const char* texte, const char* fin)
{
    size_t l = strlen(texte), f = strlen(fin);
    return l >= f && strcmp(texte + l - f, fin) == 0;
}

}

int main(int argc, char** argv)
{
    if (argc > 2 || (argc == 2 && (strcmp(argv[1], "-h") == 0 || strcmp(argv[1], "--help") == 0))) {
        fprintf(stderr, "Usage : verifie [dossier | niveau.ini]\n"
                        "Vérifie les fichiers que lisent le jeu et ses outils dans ce dossier (par défaut, le dossier courant),\n"
                        "tous les niveaux de data/levels/ compris ; ou un seul niveau, avec ses plans et ses acteurs.\n");
        return argc == 2 ? 0 : 2;
    }
    SDL_Init(0);
    struct stat infos;
    const char* cible = argc == 2 ? argv[1] : ".";
    if (argc == 1 && (stat("data", &infos) != 0 || !S_ISDIR(infos.st_mode)))
        choisitDossierJeu();
    char courant[4096];
    if (argc == 1 && !dossiersJoueur().locaux && getcwd(courant, sizeof courant))
        printf("Jeu installé (%s) et fichiers de l'auteur (%s/data), la copie de l'auteur d'abord\n", courant,
               dossiersJoueur().donnees.c_str());
    const bool dossier = stat(cible, &infos) == 0 ? S_ISDIR(infos.st_mode) : !finitPar(cible, ".ini");
    int statut = dossier ? verifieDossier(cible, stdout) : verifieFichierNiveau(cible, stdout);
    SDL_Quit();
    return statut;
}
