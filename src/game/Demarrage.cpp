#include "game/Demarrage.h"

#include "foundation/IndexProfil.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "render/PartageImages.h"
#include "scenery/CLevel.h"
#include "sprites/CSprite.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Buffer sizes of the loaders' readers: counts, plane names, sheet names.
const int TAILLE_ENTIER = 100;
const int TAILLE_PLAN = 100;
const int TAILLE_PLANCHE = 200;
// A data file may name any number of pictures; only the first distinct
// ones are worth decoding ahead.
const size_t IMAGES_MAX = 64;

// The string reader's value, without its message: nothing when missing.
bool texte(const char* fichier, const char* section, const char* cle, int taille, std::string& valeur)
{
    std::shared_ptr<const CIndexProfil> index = indexProfil(fichier, taille);
    const SectionProfil* s = index ? index->trouveSection(section) : nullptr;
    const CleProfil* c = s ? index->trouveCle(*s, cle) : nullptr;
    if (!c)
        return false;
    // The reader drops the line's last character (its line break) and keeps
    // what fits in its buffer.
    size_t n = strlen(c->valeur.c_str());
    n = n > 0 ? n - 1 : 0;
    valeur.assign(c->valeur.c_str(), n < static_cast<size_t>(taille - 1) ? n : taille - 1);
    return true;
}

int entier(const char* fichier, const char* section, const char* cle)
{
    std::shared_ptr<const CIndexProfil> index = indexProfil(fichier, TAILLE_ENTIER);
    const SectionProfil* s = index ? index->trouveSection(section) : nullptr;
    const CleProfil* c = s ? index->trouveCle(*s, cle) : nullptr;
    return c ? atoi(c->valeur.c_str()) : 0;
}

// A sheet shared by many tiles is listed once.
void ajoute(const std::string& image, std::vector<std::string>& images)
{
    if (images.size() < IMAGES_MAX && std::find(images.begin(), images.end(), image) == images.end())
        images.push_back(image);
}

// The sheets of sections mot1..motN of a plane or sprite file.
void ajoutePlanches(const char* fichier, const char* compte, const char* mot, std::vector<std::string>& images)
{
    int n = entier(fichier, "Entete", compte);
    for (int i = 1; i <= n && images.size() < IMAGES_MAX; ++i) {
        std::string planche;
        std::string section = mot + std::to_string(i);
        if (texte(fichier, section.c_str(), "pathPlanche", TAILLE_PLANCHE, planche))
            ajoute(planche, images);
    }
}

} // namespace

std::vector<std::string> imagesDuDemarrage(bool avecIntro)
{
    std::vector<std::string> images;
    for (int n = ImThanks; avecIntro && n <= ImLogoVask; ++n)
        images.push_back(fichierImageIntro(n));
    images.push_back(fichiersJeu::Ciel);
    images.push_back(fichiersJeu::Lune);
    int plans = entier(fichiersJeu::Niveau, "Entete", "nombrePlans");
    for (int i = 1; i <= plans && images.size() < IMAGES_MAX; ++i) {
        std::string plan;
        std::string section = "Plan" + std::to_string(i);
        if (texte(fichiersJeu::Niveau, section.c_str(), "pathPlan", TAILLE_PLAN, plan))
            ajoutePlanches(plan.c_str(), "nombreTiles", "Tile", images);
    }
    ajoutePlanches(fichiersJeu::Heros, "nbAnims", "Anim", images);
    return images;
}

void chargeScene(SceneJeu& scene)
{
    scene.ciel = new CImageGL();
    scene.ciel->chargeImageSDL(fichiersJeu::Ciel, -1, 0, 0);
    scene.lune = new CImageGL();
    scene.lune->chargeImageSDL(fichiersJeu::Lune, 255, 0, 255);

    scene.niveau = new CLevel();
    scene.niveau->initFromIniFile(fichiersJeu::Niveau);
    scene.niveau->setPositionX(PositionNiveauDepart);

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
