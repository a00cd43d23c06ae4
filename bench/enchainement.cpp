// The step from one level of the journey to the next: from the end of the
// ending to the next level's first frame, through the game's own path (its
// pictures decoded ahead while the ending showed, its music started, the
// session loaded, one frame drawn), against decoding each picture the
// level shows once and uploading each of its textures once (sky, moon,
// planes, hero, creatures). Ratio on wall time: the wait is what the player
// sees.

#include "Banc.h"
#include "Niveau.h"

#include "game/Acteurs.h"
#include "game/Demarrage.h"
#include "game/PartieJeu.h"
#include "render/PartageImages.h"
#include "shell/PorteeMoteur.h"
#include "sound/CMusique.h"

#include <memory>
#include <thread>

namespace {

const char* const NIVEAUX[] = {"./data/levels/marais.ini", "./data/levels/col.ini"};
const char* const NOMS[] = {"marais", "col"};
// The ending shows this long; the prefetch runs meanwhile.
const int DUREE_FIN_MS = 3000;

GestionnaireSon* son = nullptr;

void bornes(banc::Chargement& c, const char* niveau)
{
    AspectNiveau aspect = litAspectNiveau(niveau, true);
    c.ajouteImage(aspect.ciel);
    c.ajouteImage(aspect.lune);
    banc::ajouteNiveau(c, niveau);
    banc::ajouteSprite(c, banc::HEROS_DEMO);
    CActeurs acteurs;
    int arrivee = 0;
    acteurs.charge(niveau, false, arrivee);
    for (const TypeActeur& t : acteurs.types)
        banc::ajouteSprite(c, t.sprite);
}

void enregistre(int n)
{
    const std::string moteur = std::string("moteur ") + NOMS[n], borne = std::string("borne ") + NOMS[n];
    benchmark::RegisterBenchmark(("next_level/" + std::string(NOMS[n]) + "/engine").c_str(),
                                 [n, moteur](benchmark::State& etat) {
                                     std::unique_ptr<CPartieJeu> partie;
                                     banc::chronometre(
                                         etat, moteur,
                                         [&] {
                                             son->joueMusique(litAspectNiveau(NIVEAUX[n], true).musique.c_str(), -1);
                                             partie.reset(new CPartieJeu(son, NIVEAUX[n], PositionNiveauDepart));
                                             partie->dessine();
                                             glFinish();
                                         },
                                         [n] {
                                             prechargeImages(imagesDuDemarrage(false, NIVEAUX[n]));
                                             std::this_thread::sleep_for(std::chrono::milliseconds(DUREE_FIN_MS));
                                         },
                                         [&] { partie.reset(); });
                                 })
        ->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("next_level/" + std::string(NOMS[n]) + "/bound").c_str(),
                                 [n, borne](benchmark::State& etat) {
                                     banc::Chargement chargement;
                                     bornes(chargement, NIVEAUX[n]);
                                     std::vector<GLuint> textures;
                                     banc::chronometre(
                                         etat, borne, [&] { banc::borneChargement(chargement, textures); }, nullptr,
                                         [&] { banc::libereTextures(textures); });
                                 })
        ->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);
}

}

int main(int argc, char** argv)
{
    banc::vaDansLeDossier(argv[0]);
    enregistre(0);
    enregistre(1);
    CPorteeMoteur portee;
    if (!portee.ouverte())
        return 1;
    son = new GestionnaireSon();
    son->init();
    banc::lance(argc, argv);
    banc::afficheCharge();
    banc::afficheRatios("next level (marais)", "moteur marais", "borne marais", banc::MUR);
    banc::afficheRatios("next level (col)", "moteur col", "borne col", banc::MUR);
    delete son;
    return 0;
}
