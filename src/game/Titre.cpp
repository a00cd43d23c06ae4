#include "game/Titre.h"

#include "foundation/FichierDescription.h"
#include "game/FichiersJeu.h"
#include "game/OutilsJeu.h"
#include "game/Pause.h"
#include "render/CImageGL.h"
#include "render/CTexte.h"
#include "shell/Affichage.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/Signaux.h"
#include "shell/gfx.h"
#include "sound/CMusique.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>

CMenuTitre::CMenuTitre(const Parcours& parcours, const CRecords& records, bool avecEditeur)
    : parcours(parcours), records(records), avecEditeur(avecEditeur)
{
}

std::vector<CMenuTitre::Demande> CMenuTitre::principales() const
{
    // Niveaux stands for the list; it asks nothing of the game.
    std::vector<Demande> l = {Jouer, Rien, Options};
    if (avecEditeur)
        l.push_back(Editeur);
    l.push_back(Quitter);
    return l;
}

void CMenuTitre::revient()
{
    ecran = Principal;
    choix = 0;
    message.clear();
}

std::string CMenuTitre::titre() const
{
    return ecran == Principal ? "" : "Niveaux";
}

std::string CMenuTitre::recordsDe(int indice) const
{
    if (!niveauOuvert(parcours, records, indice))
        return "verrouillé";
    const RecordNiveau* r = records.cherche(parcours.niveaux[indice].fichier);
    if (!r || !r->termine)
        return "à découvrir";
    return texteDuree(r->meilleur.temps) + "   ·   " + std::to_string(r->meilleur.lueurs) + " lueurs   ·   "
        + std::to_string(r->meilleur.creatures) + " créatures";
}

std::vector<LigneMenu> CMenuTitre::lignes() const
{
    std::vector<LigneMenu> l;
    if (ecran == Niveaux) {
        for (size_t i = 0; i < parcours.niveaux.size(); ++i)
            l.push_back({parcours.niveaux[i].nom, recordsDe(static_cast<int>(i)), ""});
        l.push_back({"Retour", "", ""});
        return l;
    }
    const int aJouer = niveauAJouer(parcours, records);
    const int edite = pointe >= 0 ? pointe : aJouer;
    for (Demande d : principales()) {
        switch (d) {
        case Jouer: l.push_back({"Jouer", "", parcours.niveaux[aJouer].nom}); break;
        case Rien: l.push_back({"Niveaux", "", ""}); break;
        case Options: l.push_back({"Options", "", ""}); break;
        case Editeur: l.push_back({"Éditeur", "", parcours.niveaux[edite].nom}); break;
        case Quitter: l.push_back({"Quitter", "", ""}); break;
        }
    }
    return l;
}

CMenuTitre::Demande CMenuTitre::touche(int sym)
{
    const int n = static_cast<int>(ecran == Principal ? principales().size() : parcours.niveaux.size() + 1);
    switch (sym) {
    case SDLK_UP:
    case SDLK_DOWN:
        choix = (choix + (sym == SDLK_UP ? n - 1 : 1)) % n;
        message.clear();
        // The editor edits the level the list last pointed at.
        if (ecran == Niveaux && choix < n - 1)
            pointe = choix;
        return Rien;
    case SDLK_BACKSPACE:
        if (ecran == Niveaux)
            revient();
        return Rien;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE: break;
    default: return Rien;
    }
    message.clear();
    if (ecran == Niveaux) {
        if (choix == n - 1) {
            revient();
            choix = 1;
            return Rien;
        }
        pointe = choix;
        if (!niveauOuvert(parcours, records, choix)) {
            message = "Verrouillé : terminez d'abord « " + parcours.niveaux[choix - 1].nom + " »";
            return Rien;
        }
        niveau = choix;
        return Jouer;
    }
    const Demande d = principales()[choix];
    switch (d) {
    case Jouer: niveau = niveauAJouer(parcours, records); break;
    case Editeur: niveau = pointe >= 0 ? pointe : niveauAJouer(parcours, records); break;
    case Rien:
        ecran = Niveaux;
        choix = pointe >= 0 ? pointe : niveauAJouer(parcours, records);
        break;
    default: break;
    }
    return d;
}

// ---------------------------------------------------------------------------
// The screen

namespace {

const char* const MusiqueTitre = fichiersJeu::MusiqueIntro;

class CEcranTitre {
public:
    CEcranTitre()
    {
        avecPeinture = tailleFichier(ImageTitre) >= 0 && peinture.chargeImageSDL(ImageTitre, -1, 0, 0) == 0
            && peinture.getLongueur() > 0;
        texte.charge(fichiersJeu::PoliceTexte);
        titre.charge(fichiersJeu::PoliceTitre);
    }

    // `avecMenu` false: the background alone, under the options.
    void dessine(const CMenuTitre& menu, bool avecMenu)
    {
        const bool niveaux = menu.getEcran() == CMenuTitre::Niveaux;
        if (avecPeinture) {
            clearScreen();
            peinture.affiche(0, 0);
            voileEcran(niveaux ? 170 : 80);
        } else {
            // Night blue, the painting's absence made plain but not broken.
            glClearColor(0.04f, 0.05f, 0.11f, 1.f);
            clearScreen();
            glClearColor(0.f, 0.f, 0.f, 0.f);
        }
        if (!avecMenu)
            return;
        CTexte& grand = titre.chargee() ? titre : texte;
        grand.setBrightness(255, 236, 190);
        if (niveaux)
            grand.afficheCentre(320, 40, menu.titre());
        else if (!avecPeinture)
            grand.afficheCentre(320, 110, "CORVANTHELIS");

        const std::vector<LigneMenu> lignes = menu.lignes();
        // A level takes two lines: its name, then its records.
        const int pas = texte.getHauteurLigne() * (niveaux ? 2 : 1) + (niveaux ? 14 : 8);
        int y = niveaux ? 40 + grand.getHauteurLigne() + 30 : 250;
        // A long list (an author's many levels) scrolls with the choice;
        // each entry's two lines end above the message line.
        const size_t visibles = niveaux ? static_cast<size_t>(std::max(1, (412 + 14 - y) / pas)) : lignes.size();
        size_t premier = 0;
        if (lignes.size() > visibles)
            premier = std::min(static_cast<size_t>(std::max(0, menu.getChoix() - static_cast<int>(visibles) / 2)),
                               lignes.size() - visibles);
        for (size_t i = premier; i < lignes.size() && i < premier + visibles; ++i, y += pas) {
            const LigneMenu& l = lignes[i];
            const bool choisie = static_cast<int>(i) == menu.getChoix();
            std::string ligne = l.texte;
            if (!l.note.empty())
                ligne += "  (" + l.note + ")";
            if (choisie) {
                texte.setBrightness(255, 214, 110);
                ligne = "» " + ligne + " «";
            } else {
                texte.setBrightness(235, 235, 245);
            }
            texte.afficheCentre(320, y, ligne);
            if (!l.valeur.empty()) {
                const bool ferme = l.valeur == "verrouillé";
                texte.setBrightness(ferme ? 150 : 190, ferme ? 140 : 200, ferme ? 150 : 225);
                texte.afficheCentre(320, y + texte.getHauteurLigne(), l.valeur);
            }
        }
        if (!menu.message.empty()) {
            texte.setBrightness(255, 170, 120);
            texte.afficheCentre(320, 412, menu.message);
        }
        texte.setBrightness(170, 170, 190);
        texte.afficheCentre(320, 444,
                            std::string("Entrée : choisir   ·   ") + (niveaux ? "Retour arrière : revenir   ·   " : "")
                                + CMenuPause::RappelEchap);
    }

private:
    CImageGL peinture;
    bool avecPeinture = false;
    CTexte texte;
    CTexte titre;
};

// The editor in the open window; the title comes back as it was.
void lanceEditeur(LanceurEditeur editeur, const std::string& fichier, GestionnaireSon* son)
{
    if (son)
        son->stoppeMusique();
    editeur(fichier.c_str(), son);
    gardeCurseurVisible(false);
    SDL_ShowCursor(reglages().pleinEcran ? SDL_DISABLE : SDL_ENABLE);
    if (son)
        son->joueMusique(MusiqueTitre, -1);
}

}

ChoixTitre lanceTitre(CMenuTitre& menu, GestionnaireSon* son, LanceurEditeur editeur)
{
    CEcranTitre ecran;
    // The pause menu's options, shown over the title.
    CPauseJeu options(son);
    if (son)
        son->joueMusique(MusiqueTitre, -1);
    menu.revient();
    ChoixTitre choix;
    bool redessine = true;
    for (;;) {
        CMenuTitre::Demande demande = CMenuTitre::Rien;
        bool quitte = false;
        const bool fin = prendEvenements(
            [&](const SDL_Event& e) {
                redessine = true;
                if (options.active()) {
                    quitte = options.traite(e);
                    // Leaving the options leads back here, not to the pause.
                    if (options.menu.getEcran() == CMenuPause::Principal)
                        options.reprend();
                    return quitte;
                }
                if (e.type != SDL_KEYDOWN)
                    return false;
                demande = menu.touche(e.key.keysym.sym);
                return demande != CMenuTitre::Rien;
            },
            ArretAuPremier);
        if (arretDemande() || quitte || (fin && demande == CMenuTitre::Rien) || demande == CMenuTitre::Quitter)
            return choix;
        switch (demande) {
        case CMenuTitre::Jouer:
            choix.quitter = false;
            choix.niveau = menu.getNiveau();
            return choix;
        case CMenuTitre::Options:
            options.metEnPause(CMenuPause::Options);
            // The title's music plays on, so the volume is heard as it changes.
            if (son)
                son->resume();
            break;
        case CMenuTitre::Editeur:
            if (editeur)
                lanceEditeur(editeur, menu.fichierNiveau(), son);
            break;
        default: break;
        }
        if (redessine) {
            ecran.dessine(menu, !options.active());
            options.dessine();
            presenteImage();
            redessine = false;
        }
        attendEvenement(500);
    }
}
