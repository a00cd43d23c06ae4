#include "game/Demarrage.h"

#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "foundation/Schema.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "render/PartageImages.h"
#include "scenery/CLevel.h"
#include "scenery/DescriptionNiveau.h"
#include "sprites/CSprite.h"
#include "sprites/DescriptionSprite.h"

#include <algorithm>

namespace {

// A data file may name any number of pictures; only the first distinct
// ones are worth decoding ahead.
const size_t IMAGES_MAX = 64;

// A sheet shared by many tiles is listed once.
void ajoute(const std::string& image, std::vector<std::string>& images)
{
    if (images.size() < IMAGES_MAX && std::find(images.begin(), images.end(), image) == images.end())
        images.push_back(image);
}

// The sheets a plane's loader will open, up to the first count it refuses.
void ajoutePlanchesPlan(const char* plan, std::vector<std::string>& images)
{
    CBudgetChargement budget;
    LecteurDescriptionPlan lecteur(plan, budget, true);
    std::vector<int> positions;
    long long total;
    int n = lecteur.litComptes(positions, total);
    TileDecrite tile;
    for (int t = 1; t <= n && images.size() < IMAGES_MAX && lecteur.litTile(t, tile); ++t)
        ajoute(tile.pathPlanche, images);
}

void ajoutePlanchesSprite(const char* sprite, std::vector<std::string>& images)
{
    LecteurDescriptionSprite lecteur(sprite, true);
    AnimationDecrite animation;
    int n = lecteur.litNbAnims();
    for (int a = 1; a <= n && images.size() < IMAGES_MAX && lecteur.litAnimation(a, animation); ++a)
        ajoute(animation.pathPlanche, images);
}

void litChemin(InputOutput& io, const DefCle& cle, const char* fichier, bool muet, std::string& chemin)
{
    char lu[schemaNiveau::PathCiel.tampon];
    static_assert(schemaNiveau::PathLune.tampon == sizeof lu && schemaNiveau::PathMusique.tampon == sizeof lu,
                  "one buffer for the look's paths");
    if (litTexteCle(io, clesNiveau::Entete, cle, "", lu, fichier, muet) > 0)
        chemin = lu;
}

void litPosition(InputOutput& io, const DefCle& cle, const char* fichier, bool muet, int& position)
{
    int lu;
    if (litEntierCle(io, clesNiveau::Entete, cle, fichier, lu, muet))
        position = lu;
}

} // namespace

AspectNiveau litAspectNiveau(const char* fichierNiveau, bool muet)
{
    AspectNiveau aspect;
    if (tailleFichier(fichierNiveau) < 0)
        return aspect;
    // Optional keys: their absence is not worth a notice.
    InputOutput io(true);
    litChemin(io, schemaNiveau::PathCiel, fichierNiveau, muet, aspect.ciel);
    litChemin(io, schemaNiveau::PathLune, fichierNiveau, muet, aspect.lune);
    litPosition(io, schemaNiveau::PositionLuneX, fichierNiveau, muet, aspect.luneX);
    litPosition(io, schemaNiveau::PositionLuneY, fichierNiveau, muet, aspect.luneY);
    litChemin(io, schemaNiveau::PathMusique, fichierNiveau, muet, aspect.musique);
    return aspect;
}

std::vector<std::string> imagesDuDemarrage(bool avecIntro, const char* fichierNiveau)
{
    std::vector<std::string> images;
    for (int n = ImThanks; avecIntro && n <= ImLogoVask; ++n)
        images.push_back(fichierImageIntro(n));
    const AspectNiveau aspect = litAspectNiveau(fichierNiveau, true);
    ajoute(aspect.ciel, images);
    ajoute(aspect.lune, images);
    LecteurDescriptionNiveau niveau(fichierNiveau, true);
    int plans = niveau.ouvert() ? niveau.litEntete().nombrePlans : 0;
    for (int i = 1; i <= plans && images.size() < IMAGES_MAX; ++i) {
        char plan[LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN];
        niveau.litCheminPlan(i, plan);
        ajoutePlanchesPlan(plan, images);
    }
    ajoutePlanchesSprite(fichiersJeu::Heros, images);
    return images;
}

void chargeCiel(CImageGL& ciel, CImageGL& lune, const AspectNiveau& aspect)
{
    if (ciel.chargeImageSDL(aspect.ciel.c_str(), -1, 0, 0) != 0 && aspect.ciel != fichiersJeu::Ciel)
        ciel.chargeImageSDL(fichiersJeu::Ciel, -1, 0, 0);
    if (lune.chargeImageSDL(aspect.lune.c_str(), 255, 0, 255) != 0 && aspect.lune != fichiersJeu::Lune)
        lune.chargeImageSDL(fichiersJeu::Lune, 255, 0, 255);
}

void dessineCiel(CImageGL& ciel, CImageGL& lune, const AspectNiveau& aspect)
{
    ciel.affiche(0, 40, 0, 0, 640, 360);
    lune.affiche(aspect.luneX, aspect.luneY);
}

void chargeScene(SceneJeu& scene, const char* niveau, int positionNiveau)
{
    scene.aspect = litAspectNiveau(niveau);
    scene.ciel = new CImageGL();
    scene.lune = new CImageGL();
    chargeCiel(*scene.ciel, *scene.lune, scene.aspect);

    scene.niveau = new CLevel();
    scene.niveau->initFromIniFile(niveau);
    scene.niveau->setPositionX(positionNiveau >= 0 ? positionNiveau : PositionNiveauDepart);

    scene.sprite = new CSprite();
    scene.sprite->initFromIniFile(fichiersJeu::Heros);
    scene.sprite->setAnimationCourante("Repos");
    scene.sprite->demarreAnim();
    terminePrechargement();
}

void libereScene(SceneJeu& scene)
{
    delete scene.sprite;
    delete scene.niveau;
    delete scene.lune;
    delete scene.ciel;
    scene = SceneJeu();
}
