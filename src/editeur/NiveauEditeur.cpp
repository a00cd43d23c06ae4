#include "editeur/NiveauEditeur.h"

#include "editeur/GeometrieEditeur.h"
#include "editeur/ModeleNiveau.h"
#include "foundation/FichierDescription.h"
#include "foundation/FichierOrdinaire.h"
#include "game/ApercuActeurs.h"
#include "game/ControleHeros.h"
#include "game/Demarrage.h"
#include "game/FichiersJeu.h"
#include "render/CImageGL.h"
#include "render/PartageImages.h"
#include "scenery/CBackground.h"
#include "scenery/CLevel.h"
#include "scenery/DescriptionNiveau.h"
#include "sprites/CAnimGL.h"
#include "sprites/CSprite.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace editeur {

namespace {

// The view's size in level pixels at this zoom, rounded up.
int etendueVue(int ecran, int zoom)
{
    return static_cast<int>(std::ceil(ecran * 100.0 / zoom));
}

// Scales the opacity of every frame of `plan` for one drawing, and puts
// it back when it goes.
class CEstompe {
public:
    CEstompe(CBackground& plan, unsigned char alpha) : plan_(plan)
    {
        if (alpha == 255)
            return;
        for (int t = 0; t < plan.nombreTiles; ++t)
            for (int m = 0; m < plan.animTiles[t].getNbImages(); ++m) {
                CImageAnim* image = plan.animTiles[t].getImage(m);
                avant_.push_back(image->alpha);
                image->setAlphaBlending(static_cast<unsigned char>(image->alpha * alpha / 255));
            }
    }
    ~CEstompe()
    {
        size_t k = 0;
        for (int t = 0; t < plan_.nombreTiles && k < avant_.size(); ++t)
            for (int m = 0; m < plan_.animTiles[t].getNbImages() && k < avant_.size(); ++m)
                plan_.animTiles[t].getImage(m)->setAlphaBlending(avant_[k++]);
    }

private:
    CBackground& plan_;
    std::vector<unsigned char> avant_;
};

}  // namespace

CNiveauEditeur::CNiveauEditeur() = default;

CNiveauEditeur::~CNiveauEditeur()
{
}

void CNiveauEditeur::charge()
{
    ciel_.reset(new CImageGL());
    lune_.reset(new CImageGL());
    aspect_ = AspectNiveau();
    chargeCiel(*ciel_, *lune_, aspect_);
    heros_.reset(new CSprite());
    heros_->initFromIniFile(fichiersJeu::Heros);
    heros_->setAnimationCourante(animationEtat(EtatRepos));
    if (CAnimGL* a = heros_->getAnimationCourante())
        a->setImageCourante(0);
}

void CNiveauEditeur::suit(const CModeleNiveau& modele)
{
    if (charge_ && modele.revision() == revision_)
        return;
    charge_ = true;
    revision_ = modele.revision();
    // Without a copy the view shows the sky alone, as the game does for a
    // level it cannot read.
    if (modele.fichierNiveau().empty() || !copie_.ecrit(modele)) {
        niveau_.reset(new CLevel());
        acteurs_.reset(new CApercuActeurs());
        textesPlans_.clear();
        acteursCharges_.clear();
        return;
    }
    rechargePlans();
    AspectNiveau aspect = litAspectNiveau(copie_.niveau().c_str(), true);
    if (ciel_ && lune_ && (aspect.ciel != aspect_.ciel || aspect.lune != aspect_.lune))
        chargeCiel(*ciel_, *lune_, aspect);
    aspect_ = aspect;
    const std::vector<ActeurEdite>& acteurs = modele.acteurs();
    auto memeActeur = [](const ActeurEdite& a, const ActeurEdite& b) {
        return a.type == b.type && a.x == b.x && a.y == b.y;
    };
    // The preview shows each actor still at its start: only its type and
    // place matter.
    if (!acteurs_ || acteurs.size() != acteursCharges_.size()
        || !std::equal(acteurs.begin(), acteurs.end(), acteursCharges_.begin(), memeActeur)) {
        acteurs_.reset(new CApercuActeurs());
        acteurs_->charge(copie_.niveau().c_str());
        acteursCharges_ = acteurs;
    }
}

// A step changes one plane file, or only the level's settings: reading
// every plane again would cut every sheet again at each click. So a plane
// is read again only when its file's text changed, as long as the count of
// planes stays.
void CNiveauEditeur::rechargePlans()
{
    const char* fichier = copie_.niveau().c_str();
    LecteurDescriptionNiveau lecteur(fichier, true);
    const EnteteNiveau entete = lecteur.ouvert() ? lecteur.litEntete() : EnteteNiveau{0, 0};
    const bool toutRelire = !niveau_ || entete.nombrePlans != niveau_->nombrePlans;
    if (toutRelire) {
        niveau_.reset(new CLevel());
        niveau_->initFromIniFile(fichier);
        textesPlans_.assign(niveau_->nombrePlans, std::string());
    }
    niveau_->nombrePriorites = entete.nombrePriorites;
    CBudgetChargement budget;
    for (int i = 0; i < niveau_->nombrePlans && i < static_cast<int>(textesPlans_.size()); ++i) {
        char chemin[LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN];
        lecteur.litCheminPlan(i + 1, chemin);
        niveau_->paramsPlans[i] = lecteur.litParametresPlan(i + 1);
        std::vector<unsigned char> contenu;
        lisFichierOrdinaire(chemin, contenu, CBudgetChargement::OCTETS_MAX);
        std::string texte = std::string(chemin) + '\n' + std::string(contenu.begin(), contenu.end());
        if (!toutRelire && texte != textesPlans_[i])
            niveau_->plans[i].initFromIniFile(chemin, budget);
        textesPlans_[i] = std::move(texte);
    }
}

int CNiveauEditeur::nombrePlans() const
{
    return niveau_ ? niveau_->nombrePlans : 0;
}

void CNiveauEditeur::dessineCiel()
{
    if (ciel_ && lune_)
        ::dessineCiel(*ciel_, *lune_, aspect_);
}

void CNiveauEditeur::dessinePlan(int plan, const Cadrage& c, int ratio, unsigned char alpha)
{
    if (plan < 0 || plan >= nombrePlans())
        return;
    CLevel& niveau = *niveau_;
    const ParamPlan& p = niveau.paramsPlans[plan];
    niveau.setPositionX(c.position);
    niveau.resteX = 0;
    // The game's window starts at the plane's screen corner, at the plane
    // x of the level's position and its y 0; here it reaches to the view's
    // right and bottom edges, and starts at its left and top ones when the
    // corner lies beyond them.
    const int droite = etendueVue(c.largeur, c.zoom);
    const int bas = c.haut + etendueVue(c.hauteur, c.zoom);
    const int x = std::max(p.positionEcranX, 0), y = std::max(p.positionEcranY, c.haut);
    if (x >= droite || y >= bas)
        return;
    CEstompe estompe(niveau.plans[plan], alpha);
    niveau.plans[plan].affiche(x, y, niveau.fenetreX(ratio, true) + x - p.positionEcranX, y - p.positionEcranY,
                               droite - x, bas - y, p.repeatX, p.repeatY);
}

void CNiveauEditeur::dessineActeurs(const Cadrage& c)
{
    if (acteurs_)
        acteurs_->affiche(c.position, c.haut, etendueVue(c.largeur, c.zoom), etendueVue(c.hauteur, c.zoom));
}

void CNiveauEditeur::dessineHeros()
{
    // He stands 300 px into the screen at the level's position.
    if (CAnimGL* anim = heros_ ? heros_->getAnimationCourante() : nullptr)
        anim->afficheImageCourante(CControleHeros::PositionX, CControleHeros::SolY);
}

}
