#include "game/Acteurs.h"

#include "foundation/FichierDescription.h"
#include "foundation/Schema.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "scenery/DescriptionNiveau.h"
#include "sprites/CSprite.h"

#include <cstdio>
#include <cstring>

const char* const clesParams[NB_PARAMS] = {"vitesse", "vitesseAttaque", "distanceAlerte", "patrouille",
                                           "amplitude", "periode", "recul"};

int* champParam(ParamsComportement& p, int i)
{
    int* champs[NB_PARAMS] = {&p.vitesse, &p.vitesseAttaque, &p.distanceAlerte, &p.patrouille,
                              &p.amplitude, &p.periode, &p.recul};
    return champs[i];
}

int comportementNomme(const char* nom)
{
    static const char* const noms[] = {"feu_follet", "loup", "chauve_souris", "lueur", "sanctuaire"};
    for (int i = 0; i < 5; ++i)
        if (strcmp(nom, noms[i]) == 0)
            return i;
    return -1;
}

namespace {

const char* const clesAnims[NbRolesAnim] = {"repos", "marche", "attaque", "blesse", "mort", "allume"};
const char* const clesSons[NbRolesSon] = {"blesse", "mort", "attaque"};
// Above these, a value is a typing error rather than a creature.
const int SANTE_MAX = 1000;
const int PARAM_MAX = 100000;
const int COTE_MAX = 4096;

// A value without what follows it on the line (spaces, a comment).
int litMot(InputOutput& io, const char* section, const char* cle, char* mot, int taille, const char* fichier)
{
    int lu = io.getPrivateProfileString(section, cle, "", mot, taille, fichier, false);
    coupeMot(mot);
    return lu;
}

bool horsLimites(const char* fichier, const char* cle, int valeur, int min, int max)
{
    if (valeur >= min && valeur <= max)
        return false;
    messageErreur("Valeur hors limites pour %s dans %s : %d (de %d à %d)\n", cle, fichier, valeur, min, max);
    return true;
}

}

bool litTypeActeur(const char* fichier, TypeActeur& type)
{
    if (tailleDescription(fichier) < 0)
        return false;
    InputOutput io(true);
    char mot[200];
    litMot(io, "Acteur", "comportement", mot, sizeof mot, fichier);
    type.comportement = comportementNomme(mot);
    if (type.comportement < 0) {
        messageErreur("Comportement inconnu dans %s : \"%s\"\n", fichier, mot);
        return false;
    }
    litMot(io, "Acteur", "sprite", mot, sizeof mot, fichier);
    type.sprite = mot;
    type.sante = io.getPrivateProfileInt("Acteur", "sante", 0, fichier, false);
    type.degats = io.getPrivateProfileInt("Acteur", "degats", 0, fichier, false);
    RectangleFrame& c = type.contact;
    c.x = io.getPrivateProfileInt("Acteur", "contactX", 0, fichier, false);
    c.y = io.getPrivateProfileInt("Acteur", "contactY", 0, fichier, false);
    c.largeur = io.getPrivateProfileInt("Acteur", "contactLargeur", 0, fichier, false);
    c.hauteur = io.getPrivateProfileInt("Acteur", "contactHauteur", 0, fichier, false);
    if (horsLimites(fichier, "sante", type.sante, 0, SANTE_MAX)
        || horsLimites(fichier, "degats", type.degats, 0, SANTE_MAX)
        || horsLimites(fichier, "contactX", c.x, -COTE_MAX, COTE_MAX)
        || horsLimites(fichier, "contactY", c.y, -COTE_MAX, COTE_MAX)
        || horsLimites(fichier, "contactLargeur", c.largeur, 1, COTE_MAX)
        || horsLimites(fichier, "contactHauteur", c.hauteur, 1, COTE_MAX))
        return false;

    for (int i = 0; i < NbRolesAnim; ++i)
        litMot(io, "Animations", clesAnims[i], type.anims[i], sizeof type.anims[i], fichier);
    if (!type.anims[AnimRepos][0]) {
        messageErreur("Animation repos manquante dans %s\n", fichier);
        return false;
    }
    for (int i = 0; i < NbRolesSon; ++i)
        litMot(io, "Sons", clesSons[i], type.sons[i], sizeof type.sons[i], fichier);

    for (int i = 0; i < NB_PARAMS; ++i) {
        int* v = champParam(type.params, i);
        *v = io.getPrivateProfileInt("Comportement", clesParams[i], *v, fichier, false);
        if (horsLimites(fichier, clesParams[i], *v, i == 5 ? 1 : 0, PARAM_MAX))
            return false;
    }
    return true;
}

bool CActeurs::charge(const char* fichierNiveau, bool avecImages, int& arriveeX)
{
    vide();
    LecteurDescriptionNiveau lecteur(fichierNiveau);
    if (!lecteur.ouvert())
        return false;
    bool arrivee = lecteur.litArrivee(arriveeX);
    int n = lecteur.litNombreActeurs();
    CBudgetChargement budget;
    if (!budget.preleve(n, sizeof(CActeur))) {
        budget.signaleDepassement(fichierNiveau);
        n = 0;
    }
    acteurs.reserve(n);
    for (int i = 1; i <= n; ++i) {
        ActeurPlace place;
        if (!lecteur.litActeur(i, place))
            continue;
        int t = 0;
        while (t < static_cast<int>(types.size()) && types[t].nom != place.type)
            ++t;
        if (t == static_cast<int>(types.size())) {
            // A type is read once, however many actors it has; a bad one is
            // remembered as bad (no sprite, no repos) and said once.
            TypeActeur type;
            type.nom = place.type;
            std::string chemin = std::string("./data/acteurs/") + place.type + ".ini";
            if (!litTypeActeur(chemin.c_str(), type))
                type.anims[AnimRepos][0] = '\0';
            else if (avecImages) {
                type.image = new CSprite();
                if (type.image->initFromIniFile(type.sprite.c_str()) != 0 || type.image->getNbAnims() == 0) {
                    messageErreur("Sprite d'acteur illisible dans %s : %s\n", chemin.c_str(), type.sprite.c_str());
                    delete type.image;
                    type.image = nullptr;
                    type.anims[AnimRepos][0] = '\0';
                }
            }
            prepareJeu(type);
            types.push_back(type);
        }
        if (!types[t].anims[AnimRepos][0])
            continue;
        ParamsComportement params = types[t].params;
        for (int k = 0; k < NB_PARAMS; ++k) {
            int* v = champParam(params, k);
            *v = lecteur.litCleActeur(i, clesParams[k], *v);
            if (*v < 0)
                *v = 0;
        }
        if (params.periode < 1)
            params.periode = 1;
        ajoute(t, place.positionX, place.positionY, params);
    }
    recommence();
    return arrivee;
}
