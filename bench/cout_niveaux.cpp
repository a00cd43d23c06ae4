// Frame cost of the journey's later levels against the first: the sky, the
// moon and every plane, drawn at ten places spread along each level, two
// frames at each. Ratio on CPU time (the rasteriser's threads included).

#include "Banc.h"
#include "Niveau.h"

#include "game/Demarrage.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "scenery/CLevel.h"
#include "shell/PorteeMoteur.h"
#include "shell/gfx.h"

namespace {

struct Decor {
    AspectNiveau aspect;
    CImageGL ciel, lune;
    CLevel niveau;
};

Decor* charge(const char* fichier)
{
    banc::Silence silence;
    Decor* d = new Decor();
    d->aspect = litAspectNiveau(fichier, true);
    chargeCiel(d->ciel, d->lune, d->aspect);
    d->niveau.initFromIniFile(fichier);
    return d;
}

void dessine(benchmark::State& etat, const std::string& nom, Decor* d)
{
    banc::chronometre(etat, nom, [d] {
        for (int place = 0; place < 10; ++place) {
            d->niveau.setPositionX(PositionNiveauDepart + place * (PositionNiveauMax - PositionNiveauDepart) / 9);
            for (int i = 0; i < 2; ++i) {
                clearScreen();
                dessineCiel(d->ciel, d->lune, d->aspect);
                d->niveau.drawScene(0, 0, false, true, false, false);
            }
        }
        glFinish();
    });
}

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    CPorteeMoteur portee;
    if (!portee.ouverte())
        return 1;
    static Decor* foret = charge(banc::NIVEAU_DEMO);
    static Decor* marais = charge("./data/levels/marais.ini");
    static Decor* col = charge("./data/levels/col.ini");
    benchmark::RegisterBenchmark("levels/foret", [](benchmark::State& e) { dessine(e, "foret", foret); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("levels/marais", [](benchmark::State& e) { dessine(e, "marais", marais); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("levels/col", [](benchmark::State& e) { dessine(e, "col", col); })
        ->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("frame cost marais / foret", "marais", "foret", banc::CPU);
    banc::afficheRatios("frame cost col / foret", "col", "foret", banc::CPU);
    return 0;
}
