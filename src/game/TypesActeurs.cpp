#include "game/Acteurs.h"

#include "foundation/FichierDescription.h"
#include "foundation/Schema.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "game/SchemaActeur.h"
#include "scenery/DescriptionNiveau.h"
#include "sprites/CSprite.h"

#include <cstdio>
#include <cstring>

namespace sa = schemaActeur;

const char* const clesParams[NB_PARAMS] = {sa::Vitesse.nom,   sa::VitesseAttaque.nom, sa::DistanceAlerte.nom,
                                           sa::Patrouille.nom, sa::Amplitude.nom,      sa::Periode.nom,
                                           sa::Recul.nom};

int* champParam(ParamsComportement& p, int i)
{
    int* champs[NB_PARAMS] = {&p.vitesse, &p.vitesseAttaque, &p.distanceAlerte, &p.patrouille,
                              &p.amplitude, &p.periode, &p.recul};
    return champs[i];
}

int comportementNomme(const char* nom)
{
    for (int i = 0; i < sa::NbComportements; ++i)
        if (strcmp(nom, sa::comportements[i]) == 0)
            return i;
    return -1;
}

namespace {

// A word value without what follows it on the line (spaces, a comment).
void litMot(InputOutput& io, const char* section, const DefCle& cle, char* mot, const char* fichier)
{
    litTexteCle(io, section, cle, "", mot, fichier);
    coupeMot(mot);
}

// Every key is read, so each bad value is said; false when one is.
bool litEntiers(InputOutput& io, const char* section, const DefCle* const* cles, int* const* valeurs, int n,
                const char* fichier)
{
    bool bon = true;
    for (int i = 0; i < n; ++i)
        bon = litEntierCle(io, section, *cles[i], fichier, *valeurs[i]) && bon;
    return bon;
}

}

bool litTypeActeur(const char* fichier, TypeActeur& type)
{
    if (tailleDescription(fichier) < 0)
        return false;
    InputOutput io(true);
    char mot[sa::Comportement.tampon];
    litMot(io, "Acteur", sa::Comportement, mot, fichier);
    type.comportement = comportementNomme(mot);
    if (type.comportement < 0) {
        messageErreur("Comportement inconnu dans %s : \"%s\"\n", fichier, mot);
        return false;
    }
    char sprite[sa::Sprite.tampon];
    litMot(io, "Acteur", sa::Sprite, sprite, fichier);
    type.sprite = sprite;
    RectangleFrame& c = type.contact;
    const DefCle* const cles[] = {&sa::Sante, &sa::Degats, &sa::ContactX, &sa::ContactY, &sa::ContactLargeur,
                                  &sa::ContactHauteur};
    int* const valeurs[] = {&type.sante, &type.degats, &c.x, &c.y, &c.largeur, &c.hauteur};
    if (!litEntiers(io, "Acteur", cles, valeurs, 6, fichier))
        return false;

    for (int i = 0; i < NbRolesAnim; ++i)
        litMot(io, "Animations", sa::animations[i], type.anims[i], fichier);
    if (!type.anims[AnimRepos][0]) {
        messageErreur("Animation repos manquante dans %s\n", fichier);
        return false;
    }
    for (int i = 0; i < NbRolesSon; ++i)
        litMot(io, "Sons", sa::sons[i], type.sons[i], fichier);

    bool bon = true;
    for (int i = 0; i < NB_PARAMS; ++i)
        bon = litEntierCle(io, "Comportement", sa::comportement[i], fichier, *champParam(type.params, i)) && bon;
    return bon;
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
            *v = lecteur.litCleActeur(i, sa::comportement[k], *v);
        }
        ajoute(t, place.positionX, place.positionY, params);
    }
    recommence();
    return arrivee;
}
