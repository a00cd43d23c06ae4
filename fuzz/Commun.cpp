#include "Commun.h"

#include "foundation/IndexProfil.h"
#include "shell/Plateforme.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fuzz {

namespace {
std::string dossierTravail;
void effaceDossier()
{
    std::error_code ignore;
    std::filesystem::remove_all(dossierTravail, ignore);
}
}

void prepareDossier()
{
    static bool pret = false;
    if (pret)
        return;
    pret = true;
    // Fuzzing runs many processes at once beside other work: none of them
    // raises its priority when it opens a display.
    garderPrioriteNormale();
    // In memory when the system offers it: rewriting a file on disk for
    // every input costs milliseconds, a hundred times the parsing.
    std::string modele = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    modele += "/corvanthelis-fuzz-XXXXXX";
    const char* dossier = mkdtemp(&modele[0]);
    if (!dossier || chdir(dossier) != 0)
        abort();
    dossierTravail = dossier;
    atexit(effaceDossier);
    // Each input is written, read, then forgotten by the target itself: no
    // other writer can slip a change past the file's clock.
    fixeMargeHorloge(0);
    // A 16 x 16 sheet of four colours, one of them the usual colour key.
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 16, 16, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + 3 * x;
            p[0] = x < 8 ? 255 : 0;
            p[1] = y < 8 ? 0 : 255;
            p[2] = (x + y) % 2 ? 255 : 0;
        }
    SDL_SaveBMP(s, "p.bmp");
    SDL_FreeSurface(s);
    FILE* f = fopen("p.ini", "w");
    fputs("[Entete]\nnombreTiles=1\n[Tile1]\nnbPositions=2\nnbFrames=1\npathPlanche=p.bmp\n"
          "[Tile1Frame1]\nlongueur=8\nhauteur=8\n[Tile1Position1]\npositionX=0\n"
          "[Tile1Position2]\npositionX=8\n",
          f);
    fclose(f);
}

void ecrit(const char* nom, const uint8_t* donnees, size_t taille)
{
    FILE* f = fopen(nom, "wb");
    if (!f)
        abort();
    if (taille > 0 && fwrite(donnees, 1, taille, f) != taille)
        abort();
    fclose(f);
}

std::string separe(const uint8_t* donnees, size_t taille, int n, std::string* lignes,
                   size_t longueurMax)
{
    size_t i = 0;
    for (int k = 0; k < n; ++k) {
        size_t debut = i;
        while (i < taille && donnees[i] != '\n')
            ++i;
        size_t longueur = i - debut < longueurMax ? i - debut : longueurMax;
        lignes[k].assign(reinterpret_cast<const char*>(donnees) + debut, longueur);
        if (i < taille)
            ++i;
    }
    return std::string(reinterpret_cast<const char*>(donnees) + i, taille - i);
}

}
