#include "game/PartieJeu.h"

#include "game/Pause.h"
#include "game/main.h"
#include "scenery/CLevel.h"
#include "shell/CaptureEcran.h"
#include "shell/Plateforme.h"
#include "shell/gfx.h"
#include "sprites/CSprite.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>

namespace {

SceneJeu sceneChargee(const char* fichierNiveau, int depart)
{
    SceneJeu scene;
    chargeScene(scene, fichierNiveau, depart);
    return scene;
}

} // namespace

CPartieJeu::CPartieJeu(GestionnaireSon* son, const char* fichierNiveau, int depart)
    : scene(sceneChargee(fichierNiveau, depart)), depart(depart), spriteHeros(scene.sprite), effets(son)
{
    // The rules come with the level: one without actors nor finish line
    // plays and shows exactly as the scenery alone.
    chargeEffets(*son, FichierEffets);
    arrivee = acteurs.charge(fichierNiveau, true, arriveeX);
    avecRegles = arrivee || !acteurs.acteurs.empty();
    partie.commence(arrivee, arriveeX);
    if (avecRegles)
        affichagePartie.charge();
    CAnimGL* repos = scene.sprite->getAnimationCourante();
    geometrie = litGeometrieHeros(fichiersJeu::Heros, repos ? repos->getMinLongueurImage() : 0,
                                  repos ? repos->getHauteurImageCourante() : 0);

    // The first frame's scroll counts from here, once everything is loaded.
    chrono = CChronoImage();
    fps.demarre();

    // A scripted player reads what it needs to react on standard output.
    const char* sonde = getenv("CORVANTHELIS_SONDE");
    avecSonde = sonde && sonde[0] == '1';

    pause.reset(new CPauseJeu(son));
}

CPartieJeu::~CPartieJeu()
{
    // Pictures go while the context still lives.
    libereScene(scene);
}

bool CPartieJeu::prendEvenements()
{
    auto surEvenement = [this](const SDL_Event& evenement) {
        if (evenement.type == SDL_KEYDOWN && evenement.key.keysym.sym == SDLK_F12) {
            capture = true;
            return false;
        }
        bool enPause = pause->active();
        if (pause->traite(evenement))
            return true;
        unsigned char r, g, b;
        if (!enPause && !pause->active() && evenement.type == SDL_KEYDOWN
            && teinteCiel(evenement.key.keysym.sym, r, g, b))
            scene.ciel->setBrightness(r, g, b);
        return false;
    };
    // Escape still lets this frame run to its end.
    return ::prendEvenements(surEvenement, ViderFile);
}

void CPartieJeu::etape()
{
    if (!pause->active()) {
        etapeHeros();
        if (avecRegles)
            etapeRegles();
    }
    // The clock stands still during the pause, so this scrolls nothing then.
    const bool defile = heros.defilement && !partie.enRecul() && partie.etat == CPartie::EnJeu;
    etapeNiveauBorne(*scene.niveau, chrono.etape(), defile, heros.sensDefilement);
}

void CPartieJeu::etapeHeros()
{
    const int frappe = heros.numeroFrappe;
    const bool enSaut = heros.enSaut;
    // The ending leaves the hero standing.
    heros.metAJour(partie.etat == CPartie::EnJeu ? pause->touchesHeros() : TouchesHeros(), spriteHeros);
    if (heros.numeroFrappe != frappe)
        effets.joue("frappe", SonHeros);
    if (heros.enSaut != enSaut)
        effets.joue(heros.enSaut ? "saut" : "atterrissage", SonHeros);
}

void CPartieJeu::etapeRegles()
{
    CLevel* niveau = scene.niveau;
    CSprite* sprite = scene.sprite;
    CAnimGL* anim = sprite->getAnimationCourante();
    HerosMonde h = herosDansLeMonde(geometrie, niveau->getPositionX(), sprite->getPositionX(), sprite->getPositionY(),
                                    sprite->getMirroirY(), anim ? anim->getNomAnimation() : nullptr,
                                    anim ? anim->getMinLongueurImage() : 0, anim ? anim->getImageCourante() : 0,
                                    heros.numeroFrappe);
    const CPartie::Etat avant = partie.etat;
    partie.metAJour(acteurs, h, niveau->getPositionX(), &effets);
    if (avant == CPartie::EnJeu && partie.etat == CPartie::Fin && surArrivee) {
        ResultatNiveau r;
        r.temps = partie.dureeFinale;
        r.lueurs = acteurs.lueursPrises;
        r.lueursTotal = acteurs.lueursTotal;
        r.creatures = acteurs.creaturesVaincues;
        records = surArrivee(r);
    }
    if (avecSonde && partie.etat == CPartie::EnJeu) {
        fputs(partie.ligneSonde(acteurs, h).c_str(), stdout);
        fflush(stdout);
    }
    niveau->setPositionX(niveau->getPositionX() + partie.reculCetteImage());
}

void CPartieJeu::dessine()
{
    clearScreen();
    dessineCiel(*scene.ciel, *scene.lune, scene.aspect);
    dessineNiveau(*scene.niveau, heros.sensDefilement);
    acteurs.dessine(scene.niveau->getPositionX());

    if (partie.herosVisible())
        scene.sprite->affiche();
    else if (CAnimGL* anim = scene.sprite->getAnimationCourante())
        anim->update(); // a strike still ends while the hero blinks
    if (avecRegles)
        affichagePartie.dessineHUD(partie, acteurs);
    if (partie.etat == CPartie::Fin)
        affichagePartie.dessineFin(partie, acteurs, dansParcours ? &records : nullptr);
    pause->dessine();
    if (capture) {
        // The picture of this frame, before it is shown.
        enregistreCapture();
        capture = false;
    }
    presenteImage();
    fps.compteImage();
}

void CPartieJeu::attend()
{
    if (pause->active())
        attendEvenement(300);
    else
        attendre(1);
}

void CPartieJeu::recommenceSiTerminee()
{
    if (partie.etat == CPartie::Perdu) {
        vornaGameOver();
        recommence();
    } else if (partie.finTerminee() && !suivant) {
        recommence();
    }
}

void CPartieJeu::enchaine(SurArrivee surArrivee_, bool suivant_)
{
    surArrivee = std::move(surArrivee_);
    dansParcours = true;
    suivant = suivant_;
}

bool CPartieJeu::niveauTermine() const
{
    return suivant && partie.finTerminee();
}

void CPartieJeu::recommence()
{
    // After a death, at the last lantern lit when there is one; else the
    // level from its beginning (the given start). The music plays on.
    if (partie.etat == CPartie::Perdu && partie.reprisePossible()) {
        scene.niveau->setPositionX(partie.positionReprise());
        acteurs.reprend();
        partie.reprend();
    } else {
        scene.niveau->setPositionX(depart);
        acteurs.recommence();
        partie.commence(arrivee, arriveeX);
    }
    scene.niveau->resteX = 0;
    heros = CControleHeros();
    CSprite* sprite = scene.sprite;
    sprite->setAnimationCourante("Repos");
    sprite->demarreAnim();
    sprite->setMirroirY(false);
    sprite->setPosition(CControleHeros::PositionX, CControleHeros::SolY);
    chrono.etape();
}
