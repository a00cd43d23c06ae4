// Start-up: from the start of the game (intro skipped) to its first level
// frame, display opening included, through the game's own start (prefetch,
// display, scene), against decoding each picture that
// frame needs once and uploading each of its textures once (with the
// display already open). Ratio on wall time: the point is what the display
// opening hides.

#include "Banc.h"
#include "Niveau.h"

#include "game/Demarrage.h"
#include "game/OutilsJeu.h"
#include "render/PartageImages.h"
#include "render/CImageGL.h"
#include "scenery/CLevel.h"
#include "shell/PorteeMoteur.h"
#include "shell/gfx.h"
#include "sprites/CSprite.h"

#include <memory>

namespace {

const char* const CIEL = "./data/levels/level1/fond.jpg";
const char* const LUNE = "./data/levels/level1/lune.bmp";

std::unique_ptr<CPorteeMoteur> portee;

bool ouvre()
{
    portee.reset(new CPorteeMoteur());
    return portee->ouverte();
}

void ferme()
{
    portee.reset();
}

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    benchmark::RegisterBenchmark("startup/engine", [](benchmark::State& etat) {
        SceneJeu scene;
        banc::chronometre(
            etat, "moteur",
            [&] {
                prechargeImages(imagesDuDemarrage(false));
                if (!ouvre())
                    return;
                chargeScene(scene);
                clearScreen();
                scene.ciel->affiche(0, 40, 0, 0, 640, 360);
                scene.lune->affiche(500, 70);
                scene.niveau->drawScene(0, 0, false, true, false, false);
                scene.sprite->affiche();
                SDL_GL_SwapBuffers();
                glFinish();
            },
            nullptr,
            [&] {
                libereScene(scene);
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
            [] { ouvre(); },
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
