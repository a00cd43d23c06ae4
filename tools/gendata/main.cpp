// gendata: writes the complete runtime folder of the game.
//
//   gendata <folder>
//
// Everything is written under <folder> with the relative names the game
// opens ("./data/...", "config.ini", ...). Output is deterministic.

#include "Contenu.h"
#include "Outils.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gendata <dossier de sortie>\n");
        return 1;
    }
    gendata::creeDossiers(argv[1]);
    if (chdir(argv[1]) != 0) gendata::echec(std::string("dossier inaccessible: ") + argv[1]);
    auto debut = std::chrono::steady_clock::now();

    // Music, the game-over frames and the third level share nothing with
    // the rest: they run beside it on the second core.
    std::thread musique([] {
        gendata::genereMusique(); gendata::genereGameOver(); gendata::genereEffets(); gendata::genereCreatures();
        gendata::genereTitre(); gendata::genereCol();
    });
    gendata::genereConfiguration();
    gendata::genereNiveau();
    gendata::genereMarais();
    gendata::genereNiveauQV();
    gendata::genereHeros();
    gendata::genereIntro();
    gendata::generePolices();
    gendata::genereIcone();
    musique.join();

    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    std::printf("gendata: contenu écrit dans %s en %.1f s\n", argv[1], s);
    return 0;
}
