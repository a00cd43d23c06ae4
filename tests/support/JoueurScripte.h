#ifndef CORVANTHELIS_TESTS_JOUEURSCRIPTE_H
#define CORVANTHELIS_TESTS_JOUEURSCRIPTE_H

// A scripted player for play-throughs of the built game: it reads the probe
// lines the game prints with CORVANTHELIS_SONDE=1 (its output in a file)
// and answers with real key presses. It walks right, stands and strikes
// what comes within reach (crouching for what sits low), and jumps over
// what a strike cannot stop (the creatures listed after " |" on the probe
// line).
//
// A first-time player judges distances badly and answers late: each time a
// danger comes near, the distance it answers at is off by up to `ecart` px
// either way, and its answer comes after a delay of up to twice `retardMs`,
// both drawn from a seeded generator, so one seed plays one way.

#include <string>
#include <vector>

namespace testsupport {

struct Sonde {
    bool lue = false;
    int sante = 0;
    int herosX = 0, herosDroite = 0;
    int devant = 1 << 30;    // nearest creature ahead that a strike meets, from the hero's right edge
    bool devantBas = false;  // that one is below a standing strike: strike crouching
    int obstacle = 1 << 30;  // nearest one ahead that must be jumped over
};
// The last complete probe line of a program's output.
Sonde derniereSonde(const std::string& sortie);

struct StyleJoueur {
    int reaction = 120;      // px: strike what comes this close
    int elan = 70;           // px: jump what cannot be struck from this far
    int ecart = 0;           // px: how far off its judgement of a distance may be
    int retardMs = 0;        // mean delay of its answers, wall-clock ms
    unsigned graine = 1;
    int delaiMs = 9 * 60 * 1000;
};

struct ResultatJeu {
    bool fini = false;
    int morts = 0;
    std::vector<int> lieuxMorts;  // the hero's world x on its last probe before each death
    int minutes = 0, secondes = 0, lueurs = 0, lueursTotal = 0, creatures = 0;
    std::string sortie;      // the output file when it ended
};

// Plays the level the game shows now, until a completion line appears in
// `fichierSortie` past its first `depuis` bytes or `delaiMs` passes; the
// keys are let go at the end.
ResultatJeu joueJusquAuBout(const StyleJoueur& style, size_t depuis = 0,
                            const std::string& fichierSortie = "sortie.txt");

}

#endif
