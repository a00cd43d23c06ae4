#include "game/Partie.h"

#include "foundation/FichierDescription.h"
#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "game/FichiersJeu.h"
#include "game/OutilsJeu.h"

#include <cstdio>
#include <cstring>

const FrappeDecrite* GeometrieHeros::frappeDe(const char* anim) const
{
    if (!anim)
        return nullptr;
    for (const Frappe& f : frappes)
        if (strcmp(f.anim, anim) == 0)
            return &f.frappe;
    return nullptr;
}

GeometrieHeros litGeometrieHeros(const char* fichier, int largeur, int hauteur)
{
    GeometrieHeros g;
    g.largeurMin = largeur;
    LecteurDescriptionSprite lecteur(fichier, true);
    if (!lecteur.litContact(g.contact)) {
        g.contact.x = largeur / 4;
        g.contact.y = 0;
        g.contact.largeur = largeur / 2;
        g.contact.hauteur = hauteur;
    }
    if (tailleFichier(fichier) < 0)
        return g;
    int n = lecteur.litNbAnims();
    for (int i = 1; i <= n; ++i) {
        GeometrieHeros::Frappe f;
        if (!lecteur.litFrappe(i, f.frappe))
            continue;
        AnimationDecrite a;
        if (!lecteur.litAnimation(i, a))
            break;
        snprintf(f.anim, sizeof f.anim, "%s", a.nomAnim);
        g.frappes.push_back(f);
    }
    return g;
}

HerosMonde herosDansLeMonde(const GeometrieHeros& g, int positionNiveau, int x, int y, bool versGauche,
                            const char* anim, int largeurAnim, int image, int numeroFrappe)
{
    HerosMonde h;
    h.contact = placeRectangle(g.contact, positionNiveau + x, y, g.largeurMin, versGauche);
    h.numeroFrappe = numeroFrappe;
    if (const FrappeDecrite* f = g.frappeDe(anim)) {
        h.frappe = image + 1 >= f->debut && image + 1 <= f->fin;
        h.rectFrappe = placeRectangle(f->rectangle, positionNiveau + x, y, largeurAnim, versGauche);
    }
    return h;
}

void CPartie::commence(bool arrivee, int x)
{
    etat = EnJeu;
    sante = SanteMax;
    debut = tempsCourant();
    dureeFinale = 0;
    blesse = false;
    sensRecul = 0;
    reculFait = 0;
    avecArrivee = arrivee;
    arriveeX = x;
    repriseX = -1;
}

void CPartie::reprend()
{
    etat = EnJeu;
    sante = SanteMax;
    dureeFinale = 0;
    blesse = false;
    sensRecul = 0;
    reculFait = 0;
}

int CPartie::positionReprise() const
{
    return bornePositionNiveau(repriseX - DecalageHeros);
}

bool CPartie::invulnerable() const
{
    return blesse && tempsCourant() - debutInvulnerable < static_cast<uint32_t>(DureeInvulnerable);
}

bool CPartie::herosVisible() const
{
    return !invulnerable() || ((tempsCourant() - debutInvulnerable) / 100) % 2 == 0;
}

bool CPartie::enRecul() const
{
    return sensRecul != 0;
}

int CPartie::reculCetteImage()
{
    if (!sensRecul)
        return 0;
    uint32_t ecoule = tempsCourant() - debutInvulnerable;
    int voulu = ecoule >= static_cast<uint32_t>(DureeRecul)
        ? DistanceRecul
        : static_cast<int>(DistanceRecul * ecoule / DureeRecul);
    int pas = voulu - reculFait;
    reculFait = voulu;
    int sens = sensRecul;
    if (voulu >= DistanceRecul)
        sensRecul = 0;
    return sens * pas;
}

bool CPartie::finTerminee() const
{
    return etat == Fin && tempsCourant() - debutFin >= static_cast<uint32_t>(DureeFin);
}

void CPartie::metAJour(CActeurs& acteurs, HerosMonde heros, int positionNiveau, SortieEffets* sons)
{
    // The ending and the game over leave the hero alone.
    heros.invulnerable = etat != EnJeu || invulnerable();
    int xCoup = 0;
    int degats = acteurs.metAJour(heros, sons, positionNiveau, xCoup);
    if (acteurs.lanterneAllumeeX >= 0)
        repriseX = acteurs.lanterneAllumeeX;
    if (etat != EnJeu)
        return;
    if (degats > 0) {
        sante = degats >= sante ? 0 : sante - degats;
        blesse = true;
        debutInvulnerable = tempsCourant();
        // Away from the creature: the level scrolls the other way.
        sensRecul = xCoup >= positionNiveau + DecalageHeros ? -1 : 1;
        reculFait = 0;
        if (sons)
            sons->joue("blessure", SonHeros);
        if (sante == 0) {
            etat = Perdu;
            return;
        }
    }
    if (avecArrivee && positionNiveau + DecalageHeros >= arriveeX) {
        etat = Fin;
        debutFin = tempsCourant();
        dureeFinale = debutFin - debut;
        acteurs.allume();
        if (sons)
            sons->joue("fin", SonHeros);
        messageInfo("%s\n", ligneFin(acteurs).c_str());
        videMessages();
    }
}

std::string CPartie::ligneFin(const CActeurs& acteurs) const
{
    char ligne[160];
    uint32_t secondes = dureeFinale / 1000;
    snprintf(ligne, sizeof ligne, "Niveau terminé en %u min %02u s : %d lueurs sur %d, %d créatures vaincues",
             secondes / 60, secondes % 60, acteurs.lueursPrises, acteurs.lueursTotal, acteurs.creaturesVaincues);
    return ligne;
}

std::string CPartie::ligneSonde(const CActeurs& acteurs, const HerosMonde& heros, int portee) const
{
    const RectangleJeu& h = heros.contact;
    std::string ligne = "sonde " + std::to_string(sante) + " " + std::to_string(h.x) + " "
        + std::to_string(h.x + h.largeur);
    // What a strike cannot stop (a boulder, a creature that cannot be hurt)
    // comes last, after " |": it has to be jumped over.
    std::string aSauter;
    for (const CActeur& a : acteurs.acteurs) {
        const TypeActeur& t = acteurs.types[a.type];
        if (t.degats <= 0 || t.comportement == Lanterne || a.etat == Mourant || a.etat == Parti)
            continue;
        RectangleJeu r = acteurs.contactMonde(a);
        if (r.x > h.x + h.largeur + portee || r.x + r.largeur < h.x - portee)
            continue;
        std::string& vers = (t.comportement == Rocher || t.sante <= 0) ? aSauter : ligne;
        vers += " " + std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.largeur) + " "
            + std::to_string(r.hauteur);
    }
    if (!aSauter.empty())
        ligne += " |" + aSauter;
    return ligne + "\n";
}

// ---------------------------------------------------------------------------
// Drawing

namespace {
const char* const ImageCoeur = "./data/hud/coeur.png";
const char* const ImageCoeurVide = "./data/hud/coeur_vide.png";
const char* const ImageLueur = "./data/hud/lueur.png";

bool chargeSiPresente(CImageGL& image, const char* fichier)
{
    return tailleFichier(fichier) >= 0 && image.chargeImageSDL(fichier, -1, 0, 0) == 0 && image.getLongueur() > 0;
}
}

void CAffichagePartie::charge()
{
    avecCoeurs = chargeSiPresente(coeur, ImageCoeur) && chargeSiPresente(coeurVide, ImageCoeurVide);
    if (!avecCoeurs)
        messageErreur("Cœurs de santé introuvables (%s, %s) : la santé s'affiche en texte\n", ImageCoeur,
                      ImageCoeurVide);
    avecLueur = chargeSiPresente(lueur, ImageLueur);
    if (tailleFichier(fichiersJeu::PoliceTexte) >= 0)
        texte.charge(fichiersJeu::PoliceTexte);
    if (tailleFichier(fichiersJeu::PoliceTitre) >= 0)
        titre.charge(fichiersJeu::PoliceTitre);
}

void CAffichagePartie::dessineHUD(const CPartie& partie, const CActeurs& acteurs)
{
    char tampon[64];
    int x = 12;
    if (avecCoeurs) {
        for (int i = 0; i < CPartie::SanteMax; ++i) {
            CImageGL& image = i < partie.sante ? coeur : coeurVide;
            image.affiche(x, 12);
            x += image.getLongueur() + 4;
        }
    } else {
        snprintf(tampon, sizeof tampon, "Santé %d / %d", partie.sante, CPartie::SanteMax);
        ligne.assign(tampon);
        texte.affiche(x, 12, ligne);
        x += texte.largeur(ligne);
    }
    x += 16;
    if (avecLueur) {
        lueur.affiche(x, 12);
        x += lueur.getLongueur() + 6;
        snprintf(tampon, sizeof tampon, "%d / %d", acteurs.lueursPrises, acteurs.lueursTotal);
    } else {
        snprintf(tampon, sizeof tampon, "Lueurs %d / %d", acteurs.lueursPrises, acteurs.lueursTotal);
    }
    ligne.assign(tampon);
    texte.affiche(x, 14, ligne);
}

void CAffichagePartie::dessineFin(const CPartie& partie, const CActeurs& acteurs, const Ameliorations* records)
{
    uint32_t secondes = partie.dureeFinale / 1000;
    char lignes[3][96];
    snprintf(lignes[0], sizeof lignes[0], "Temps : %u min %02u s", secondes / 60, secondes % 60);
    snprintf(lignes[1], sizeof lignes[1], "Lueurs : %d / %d", acteurs.lueursPrises, acteurs.lueursTotal);
    snprintf(lignes[2], sizeof lignes[2], "Créatures vaincues : %d", acteurs.creaturesVaincues);
    const bool battus[3] = {records && records->temps, records && records->lueurs, records && records->creatures};
    CTexte& grand = titre.chargee() ? titre : texte;
    ligne.assign("Niveau terminé");
    grand.afficheCentre(320, 150, ligne);
    static const char* const Marque = "   Nouveau record !";
    int y = 150 + grand.getHauteurLigne() + 16;
    for (int i = 0; i < 3; ++i, y += texte.getHauteurLigne()) {
        ligne.assign(lignes[i]);
        if (!battus[i]) {
            texte.afficheCentre(320, y, ligne);
            continue;
        }
        // The figure keeps its place in the column; the mark follows it.
        const int largeurLigne = texte.largeur(ligne);
        const int x = 320 - largeurLigne / 2;
        texte.affiche(x, y, ligne);
        ligne.assign(Marque);
        texte.setBrightness(255, 214, 110);
        texte.affiche(x + largeurLigne, y, ligne);
        texte.setBrightness(255, 255, 255);
    }
}
