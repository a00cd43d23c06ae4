#include "game/Acteurs.h"

#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "game/ControleHeros.h"
#include "sprites/CSprite.h"

#include <cmath>
#include <cstring>

namespace {
// A hurt creature stands still and cannot be hurt again this long, at least.
const int DUREE_BLESSURE = 300;
// A frame longer than this (a game-over sequence, a stall) moves no further.
const int PAS_MAX = 100;
}

bool seRencontrent(const RectangleJeu& a, const RectangleJeu& b)
{
    return a.largeur > 0 && a.hauteur > 0 && b.largeur > 0 && b.hauteur > 0 && a.x < b.x + b.largeur
        && b.x < a.x + a.largeur && a.y < b.y + b.hauteur && b.y < a.y + a.hauteur;
}

RectangleJeu placeRectangle(const RectangleFrame& r, int x, int y, int largeurMin, bool versGauche)
{
    RectangleJeu p;
    p.x = versGauche ? x + largeurMin - (r.x + r.largeur) : x + r.x;
    p.y = y + r.y;
    p.largeur = r.largeur;
    p.hauteur = r.hauteur;
    return p;
}

CActeurs::~CActeurs()
{
    vide();
}

void CActeurs::vide()
{
    for (TypeActeur& t : types)
        delete t.image;
    types.clear();
    acteurs.clear();
    lueursPrises = lueursTotal = creaturesVaincues = 0;
}

// Timings and the frame width come from the sprite when there is one; a
// type without (tests, a failed load) plays frame 0 of everything and
// measures its contact rectangle.
void CActeurs::prepareJeu(TypeActeur& type)
{
    type.largeur = type.contact.x + type.contact.largeur;
    type.hauteur = type.contact.y + type.contact.hauteur;
    if (!type.image)
        return;
    for (int r = 0; r < NbRolesAnim; ++r) {
        AnimActeur& jeu = type.jeu[r];
        jeu = AnimActeur();
        const char* nom = type.anims[r][0] ? type.anims[r] : type.anims[AnimRepos];
        for (int i = 0; i < type.image->getNbAnims(); ++i) {
            if (strcmp(type.image->getAnim(i)->getNomAnimation(), nom) == 0) {
                jeu.index = i;
                break;
            }
        }
        if (jeu.index < 0 && r != AnimRepos)
            jeu = type.jeu[AnimRepos];
        if (jeu.index < 0)
            continue;
        CAnimGL* anim = type.image->getAnim(jeu.index);
        for (int m = 0; m < anim->getNbImages(); ++m) {
            // Kept within a minute, so that the sum stays an int and the
            // frame search cannot run past the end on a negative pause.
            int pause = static_cast<int>(anim->getImage(m)->getTempsPause());
            jeu.pauses.push_back(pause < 0 ? 0 : (pause > 60000 ? 60000 : pause));
            jeu.duree += jeu.pauses.back();
        }
    }
    if (type.jeu[AnimRepos].index < 0) {
        messageErreur("Animation introuvable dans %s : %s\n", type.sprite.c_str(), type.anims[AnimRepos]);
        type.anims[AnimRepos][0] = '\0';
        return;
    }
    CAnimGL* repos = type.image->getAnim(type.jeu[AnimRepos].index);
    if (repos->getMinLongueurImage() > 0) {
        type.largeur = repos->getMinLongueurImage();
        type.hauteur = repos->getHauteurImageCourante();
    }
}

int CActeurs::ajouteType(const TypeActeur& type)
{
    types.push_back(type);
    prepareJeu(types.back());
    return static_cast<int>(types.size()) - 1;
}

void CActeurs::ajoute(int type, int x, int y, const ParamsComportement& params)
{
    CActeur a;
    a.type = type;
    a.params = params;
    a.departX = x;
    a.departY = y;
    acteurs.push_back(a);
}

void CActeurs::recommence()
{
    dernier = tempsCourant();
    lueursPrises = lueursTotal = creaturesVaincues = 0;
    lanterneAllumeeX = -1;
    for (CActeur& a : acteurs) {
        a.definitif = false;
        remetAuDepart(a);
        if (types[a.type].comportement == Lueur)
            ++lueursTotal;
    }
}

void CActeurs::reprend()
{
    dernier = tempsCourant();
    lanterneAllumeeX = -1;
    for (CActeur& a : acteurs) {
        // The hero's death cut its fall short: defeated all the same.
        if (a.etat == Mourant) {
            a.etat = Parti;
            a.definitif = true;
            ++creaturesVaincues;
        }
        if (!a.definitif && !(types[a.type].comportement == Lanterne && a.etat == Allume))
            remetAuDepart(a);
    }
}

void CActeurs::remetAuDepart(CActeur& a)
{
    a.x = static_cast<float>(a.departX);
    a.y = static_cast<float>(a.departY);
    a.sante = types[a.type].sante;
    // Creatures face the hero, who comes from the left.
    int c = types[a.type].comportement;
    a.sens = (c == Lueur || c == Sanctuaire || c == Lanterne) ? 1 : -1;
    a.attaqueY = a.y;
    a.derniereFrappe = -1;
    changeEtat(a, Errance, c == Loup ? AnimMarche : AnimRepos);
}

void CActeurs::changeEtat(CActeur& a, int etat, int anim)
{
    a.etat = etat;
    a.debutEtat = tempsCourant();
    if (a.anim != anim || etat == Blesse) {
        a.anim = anim;
        a.debutAnim = a.debutEtat;
    }
}

RectangleJeu CActeurs::contactMonde(const CActeur& a) const
{
    const TypeActeur& t = types[a.type];
    return placeRectangle(t.contact, static_cast<int>(std::lround(a.x)), static_cast<int>(std::lround(a.y)),
                          t.largeur, a.sens < 0);
}

int CActeurs::imageCourante(const CActeur& a, bool& finie) const
{
    const AnimActeur& jeu = types[a.type].jeu[a.anim];
    bool uneFois = a.anim == AnimBlesse || a.anim == AnimMort || a.anim == AnimAllume;
    long ecoule = static_cast<long>(tempsCourant() - a.debutAnim);
    finie = uneFois && ecoule >= jeu.duree;
    if (jeu.pauses.empty() || jeu.duree <= 0)
        return 0;
    if (finie)
        return static_cast<int>(jeu.pauses.size()) - 1;
    if (!uneFois)
        ecoule %= jeu.duree;
    int i = 0;
    while (ecoule >= jeu.pauses[i]) {
        ecoule -= jeu.pauses[i];
        ++i;
    }
    return i;
}

void CActeurs::frappe(CActeur& a, const HerosMonde& heros, SortieEffets* sons, int xEcran)
{
    const TypeActeur& t = types[a.type];
    // A boulder and a lantern take blows as stone and iron do.
    if (t.comportement == Rocher || t.comportement == Lanterne)
        return;
    if (!heros.frappe || t.sante <= 0 || a.derniereFrappe == heros.numeroFrappe)
        return;
    if (a.etat == Blesse || a.etat == Mourant || a.etat == Parti)
        return;
    if (!seRencontrent(heros.rectFrappe, contactMonde(a)))
        return;
    a.derniereFrappe = heros.numeroFrappe;
    if (--a.sante <= 0) {
        changeEtat(a, Mourant, AnimMort);
        if (sons)
            sons->joue(t.sons[SonMort][0] ? t.sons[SonMort] : "mort", xEcran);
    } else {
        changeEtat(a, Blesse, AnimBlesse);
        if (sons)
            sons->joue(t.sons[SonBlesse][0] ? t.sons[SonBlesse] : "touche", xEcran);
    }
}

int CActeurs::metAJour(const HerosMonde& heros, SortieEffets* sons, int positionNiveau, int& xCoup)
{
    uint32_t maintenant = tempsCourant();
    int pas = static_cast<int>(maintenant - dernier);
    dernier = maintenant;
    if (pas > PAS_MAX)
        pas = PAS_MAX;
    float dt = pas / 1000.0f;
    int degats = 0;
    lanterneAllumeeX = -1;
    for (CActeur& a : acteurs) {
        const TypeActeur& t = types[a.type];
        if (a.etat == Parti)
            continue;
        int xEcran = static_cast<int>(a.x) + t.largeur / 2 - positionNiveau;
        if (t.comportement == Lanterne) {
            eclaire(a, positionNiveau + CControleHeros::PositionX, sons, xEcran);
            continue;
        }
        bool finie = false;
        if (a.etat == Mourant) {
            imageCourante(a, finie);
            if (finie) {
                a.etat = Parti;
                a.definitif = true;
                ++creaturesVaincues;
            }
            continue;
        }
        if (a.etat == Blesse) {
            imageCourante(a, finie);
            if (finie && maintenant - a.debutEtat >= static_cast<uint32_t>(DUREE_BLESSURE))
                changeEtat(a, Recul, AnimRepos);
            frappe(a, heros, sons, xEcran);
            continue;
        }
        int etatAvant = a.etat;
        comporte(a, heros, dt);
        if (a.etat == Attaque && etatAvant != Attaque && sons && t.sons[SonAttaque][0])
            sons->joue(t.sons[SonAttaque], xEcran);
        frappe(a, heros, sons, xEcran);
        if (a.etat == Mourant || a.etat == Blesse)
            continue;
        // A boulder that rolled past the screen is gone (not defeated).
        if (t.comportement == Rocher && a.etat == Attaque
            && (a.sens > 0 ? a.x > positionNiveau + 640 : a.x + t.largeur < positionNiveau)) {
            a.etat = Parti;
            continue;
        }
        if (!seRencontrent(heros.contact, contactMonde(a)))
            continue;
        if (t.comportement == Lueur) {
            a.etat = Parti;
            a.definitif = true;
            ++lueursPrises;
            if (sons)
                sons->joue("lueur", SonHeros);
        } else if (t.degats > 0 && !heros.invulnerable && degats == 0 && a.etat != Recul) {
            degats = t.degats;
            xCoup = static_cast<int>(a.x) + t.largeur / 2;
            // A creature that touched the hero draws back before it tries
            // again; a leaping toad lands first and a boulder rolls on.
            if (t.comportement != Crapaud && t.comportement != Rocher)
                changeEtat(a, Recul, AnimRepos);
        }
    }
    return degats;
}

void CActeurs::eclaire(CActeur& a, int herosX, SortieEffets* sons, int xEcran)
{
    if (a.etat == Allume || herosX < a.departX)
        return;
    changeEtat(a, Allume, AnimAllume);
    lanterneAllumeeX = a.departX;
    const TypeActeur& t = types[a.type];
    if (sons && t.sons[SonAttaque][0])
        sons->joue(t.sons[SonAttaque], xEcran);
}

void CActeurs::allume()
{
    for (CActeur& a : acteurs)
        if (types[a.type].comportement == Sanctuaire)
            changeEtat(a, Allume, AnimAllume);
}

void CActeurs::dessine(int positionNiveau, int haut, int largeurVue, int hauteurVue)
{
    for (CActeur& a : acteurs) {
        const TypeActeur& t = types[a.type];
        if (a.etat == Parti || !t.image)
            continue;
        const AnimActeur& jeu = t.jeu[a.anim];
        if (jeu.index < 0)
            continue;
        int x = static_cast<int>(std::lround(a.x)) - positionNiveau;
        int y = static_cast<int>(std::lround(a.y));
        CAnimGL* anim = t.image->getAnim(jeu.index);
        bool finie;
        anim->setImageCourante(imageCourante(a, finie));
        int largeur = anim->getLongueurImageCourante();
        int hauteur = anim->getHauteurImageCourante();
        bool versGauche = a.sens < 0;
        if (versGauche)
            x -= largeur - t.largeur;
        if (x >= largeurVue || y >= haut + hauteurVue || x + largeur <= 0 || y + hauteur <= haut)
            continue;
        anim->setMirrorY(versGauche);
        anim->afficheImageCourante(x, y);
    }
}
