// Game-over player. Without arguments plays the game-over animation
// ("./data/cin/gameover/anim_gameover_<n>.png", 95 frames, 75 ms each).
// With four: gameover <frames> <pause ms> <leading text> <trailing text>
// plays any numbered picture series. Escape or closing the window stops it.
#include "foundation/DossierDepart.h"
#include "game/OutilsJeu.h"
#include "game/main.h"

#include <cstdio>
#include <string>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 1 && argc != 5) {
        fprintf(stderr, "Usage : gameover [<images> <pause ms> <début> <fin>]\n");
        return 2;
    }
    choisitDossierJeu();
    const std::string debut = cheminDepuisDepart(argc == 5 ? argv[3] : nullptr);
    return lanceSurAffichage([&] {
        if (argc == 5)
            playIntro(atoi(argv[1]), atoi(argv[2]), debut.c_str(), argv[4]);
        else
            vornaGameOver();
    });
}
