#include "game/main.h"

#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "shell/Plateforme.h"
#include "shell/gfx.h"

#include <cstdio>

namespace {
const std::size_t TailleNom = 100;
}

void playIntro(int nbImages, int delai, const char* debut, const char* fin)
{
    CImageGL* image = new CImageGL();
    uint32_t echeance = tempsCourant();
    for (int n = 1; n <= nbImages; ++n) {
        if (QuitIntro())
            break;
        clearScreen();
        char* nom = new char[TailleNom];
        if (!nomImageSerie(nom, TailleNom, debut, n, fin)) {
            messageErreur("Nom de fichier trop long : %s%i%s\n", debut ? debut : "", n,
                    fin ? fin : "");
            delete[] nom;
            continue;
        }
        // Loading again releases the previous frame's textures first.
        image->chargeImageSDL(nom, -1, 0, 0);
        image->affiche(0, 0);
        presenteImage();
        attendEcheance(echeance, delai);
        delete[] nom;
    }
    delete image;
}

void vornaGameOver()
{
    playIntro(fichiersJeu::NbImagesGameOver, fichiersJeu::PauseGameOver, fichiersJeu::DebutGameOver,
              fichiersJeu::FinGameOver);
}
