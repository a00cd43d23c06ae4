// Frame cost of the level's actors: a game frame (the actors' update, the
// level, the actors drawn) with the demo level's own actors and with 200
// actors along the level, against the same frame without actors, 20 frames
// a pass, and with the 200 all beyond the level's end (their update and
// culling alone). Actors off the screen must cost almost nothing. Ratio on CPU
// time; the added CPU time per frame is printed too.

#include "Banc.h"
#include "Niveau.h"

#include "foundation/Temps.h"
#include "game/Acteurs.h"
#include "game/OutilsJeu.h"
#include "scenery/CLevel.h"
#include "shell/PorteeMoteur.h"
#include "shell/gfx.h"
#include "sprites/CSprite.h"

namespace {

const int IMAGES = 20;

struct Scene {
    CLevel niveau;
    CActeurs acteurs;
};

void dessine(benchmark::State& etat, const std::string& nom, Scene* scene)
{
    banc::chronometre(etat, nom, [scene] {
        HerosMonde heros;
        for (int i = 0; i < IMAGES; ++i) {
            clearScreen();
            int position = scene->niveau.getPositionX();
            heros.contact = {position + 319, 286, 38, 104};
            int x = 0;
            scene->acteurs.metAJour(heros, nullptr, position, x);
            avanceNiveauBorne(scene->niveau, 16, false, true);
            scene->acteurs.dessine(position);
        }
        glFinish();
    });
}

Scene* charge(int nombre, bool acteursDuNiveau, int debut = 200, int etendue = 17000)
{
    banc::Silence silence;
    Scene* scene = new Scene();
    scene->niveau.initFromIniFile(banc::NIVEAU_DEMO);
    scene->niveau.setPositionX(PositionNiveauDepart);
    int arrivee = 0;
    if (acteursDuNiveau)
        scene->acteurs.charge(banc::NIVEAU_DEMO, true, arrivee);
    if (nombre > 0) {
        // Every behaviour, drawn with the hero's frames.
        const int comportements[4] = {Loup, FeuFollet, ChauveSouris, Lueur};
        int types[4];
        for (int k = 0; k < 4; ++k) {
            TypeActeur t;
            t.comportement = comportements[k];
            t.sante = 2;
            t.degats = k == 3 ? 0 : 1;
            t.contact = {8, 10, 60, 90};
            snprintf(t.anims[AnimRepos], sizeof t.anims[AnimRepos], "Repos");
            snprintf(t.anims[AnimMarche], sizeof t.anims[AnimMarche], "Marche");
            t.image = new CSprite();
            t.image->initFromIniFile(banc::HEROS_DEMO);
            types[k] = scene->acteurs.ajouteType(t);
        }
        for (int i = 0; i < nombre; ++i)
            scene->acteurs.ajoute(types[i % 4], debut + i * etendue / nombre, i % 4 == 2 ? 60 : 286,
                                  ParamsComportement());
    }
    scene->acteurs.recommence();
    return scene;
}

double ajoutParImage(const std::string& avec, const std::string& sans)
{
    return (banc::mediane(banc::releves()[avec].cpu) - banc::mediane(banc::releves()[sans].cpu)) * 1000
        / IMAGES;
}

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    CPorteeMoteur portee;
    if (!portee.ouverte())
        return 1;
    static Scene* aucun = charge(0, false);
    static Scene* demo = charge(0, true);
    static Scene* deuxCents = charge(200, false);
    // The same 200 beyond the level's end: their update and culling alone.
    static Scene* caches = charge(200, false, 20000, 4000);
    printf("demo level actors: %zu\n", demo->acteurs.acteurs.size());
    benchmark::RegisterBenchmark("frame/none", [](benchmark::State& e) { dessine(e, "none", aucun); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/demo", [](benchmark::State& e) { dessine(e, "demo", demo); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/200", [](benchmark::State& e) { dessine(e, "200", deuxCents); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/200 hidden", [](benchmark::State& e) { dessine(e, "hidden", caches); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    banc::lance(argc, argv);
    banc::afficheCharge();
    printf("CPU added per frame: demo %.3f ms, 200 actors %.3f ms, 200 off the screen %.3f ms\n",
           ajoutParImage("demo", "none"), ajoutParImage("200", "none"), ajoutParImage("hidden", "none"));
    banc::afficheRatios("frame cost demo actors", "demo", "none", banc::CPU);
    banc::afficheRatios("frame cost 200 actors", "200", "none", banc::CPU);
    return 0;
}
