// Start-up: from the start of the game (intro skipped) to its first level
// frame, display opening included, against decoding each picture that
// frame needs once and uploading each of its textures once (with the
// display already open). Ratio on wall time: the point is what the display
// opening hides.

#include "Banc.h"
#include "Niveau.h"

#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "scenery/CLevel.h"
#include "shell/gfx.h"
#include "sprites/CSprite.h"

namespace {

const char* const CIEL = "./data/levels/level1/fond.jpg";
const char* const LUNE = "./data/levels/level1/lune.bmp";

void ferme()
{
    fermeConfiguration();
    SDL_Quit();
}

}

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("startup/engine", [](benchmark::State& etat) {
        CImageGL *ciel = nullptr, *lune = nullptr;
        CLevel* niveau = nullptr;
        CSprite* sprite = nullptr;
        banc::chronometre(
            etat, "moteur",
            [&] {
                SDL_Init(0);
                if (ouvreAffichage() != 0)
                    return;
                ciel = new CImageGL();
                ciel->chargeImageSDL(CIEL, -1, 0, 0);
                lune = new CImageGL();
                lune->chargeImageSDL(LUNE, 255, 0, 255);
                niveau = new CLevel();
                niveau->initFromIniFile(banc::NIVEAU_DEMO);
                niveau->setPositionX(PositionNiveauDepart);
                sprite = new CSprite();
                sprite->initFromIniFile(banc::HEROS_DEMO);
                sprite->setAnimationCourante("Repos");
                sprite->demarreAnim();
                clearScreen();
                ciel->affiche(0, 40, 0, 0, 640, 360);
                lune->affiche(500, 70);
                niveau->drawScene(0, 0, false, true, false, false);
                sprite->affiche();
                SDL_GL_SwapBuffers();
                glFinish();
            },
            nullptr,
            [&] {
                delete sprite;
                delete niveau;
                delete lune;
                delete ciel;
                ferme();
            });
    })->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup/bound", [](benchmark::State& etat) {
        banc::Chargement chargement;
        chargement.ajouteImage(CIEL);
        chargement.ajouteImage(LUNE);
        banc::ajouteNiveau(chargement, banc::NIVEAU_DEMO);
        banc::ajouteSprite(chargement, banc::HEROS_DEMO);
        std::vector<GLuint> textures;
        banc::chronometre(
            etat, "borne", [&] { banc::borneChargement(chargement, textures); },
            [] {
                SDL_Init(0);
                ouvreAffichage();
            },
            [&] {
                banc::libereTextures(textures);
                ferme();
            });
    })->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("start-up", "moteur", "borne", banc::MUR);
    return 0;
}
