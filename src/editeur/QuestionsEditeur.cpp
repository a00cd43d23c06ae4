// The editor's questions (a new level, an autosave, leaving, files changed
// by another program), Escape, and saving with the checker's answer.
#include "editeur/SessionEditeur.h"

#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "shell/Signaux.h"

namespace editeur {

bool CEditeur::enregistre(bool ecraser)
{
    if (!ouvert)
        return false;
    uint32_t debut = tempsCourant();
    bool ok = ecraser ? modele.ecrase() : modele.sauve();
    if (!ok && !ecraser && demandeSiConflit())
        return false;
    annonces.messages = modele.verifie();
    uint32_t duree = tempsCourant() - debut;
    messageInfo("Enregistrement et vérification : %u ms, %u problème(s)\n", static_cast<unsigned>(duree),
                static_cast<unsigned>(annonces.messages.size()));
    videMessages();
    if (!ok)
        annonces.info = "Échec de l'enregistrement (voir la sortie d'erreur)";
    else if (annonces.messages.empty())
        annonces.info = "Niveau enregistré, aucun problème";
    else
        annonces.info = "Niveau enregistré, " + std::to_string(annonces.messages.size()) + " problème(s)";
    if (ok)
        CModeleNiveau::effaceAutosave(modele.fichierNiveau());
    return ok;
}

// When the save stopped because another program changed the files, asks
// the author what to keep: nothing is lost without being asked.
bool CEditeur::demandeSiConflit()
{
    const std::vector<std::string> fichiers = modele.fichiersChangesSurDisque();
    if (fichiers.empty())
        return false;
    std::string question = DebutQuestionConflit;
    for (size_t i = 0; i < fichiers.size() && i < 3; ++i) {
        size_t barre = fichiers[i].rfind('/');
        question += (barre == std::string::npos ? fichiers[i] : fichiers[i].substr(barre + 1)) + "\n";
    }
    if (fichiers.size() > 3)
        question += "et " + std::to_string(fichiers.size() - 3) + " autre(s)\n";
    question += "E : écraser avec vos modifications\n"
                "R : reprendre sa version (Ctrl+Z rend la vôtre)\n"
                "C : copier vos modifications dans <fichier>.mien\n"
                "Échap : ne rien enregistrer";
    annonces.question = question;
    annonces.info = "Fichiers modifiés par un autre programme : rien n'est enregistré";
    return true;
}

CEditeur::Fin CEditeur::reponseConflit(int sym)
{
    if (sym == SDLK_e) {
        annonces.question.clear();
        enregistre(true);
    } else if (sym == SDLK_r) {
        annonces.question.clear();
        bool repris = modele.recharge();
        apresPas(repris);
        etat.selection.clear();
        etat.tileChoisie.resize(modele.plans().size(), 0);
        annonces.info = repris ? "Version du disque reprise (Ctrl+Z rend la vôtre)"
                               : "Rechargement impossible (voir la sortie d'erreur)";
    } else if (sym == SDLK_c) {
        annonces.question.clear();
        std::vector<std::string> copies;
        bool ok = modele.sauveACote(&copies);
        annonces.info = ok && !copies.empty() ? "Vos modifications sont dans " + copies[0]
                                                    + (copies.size() > 1 ? " (et les autres .mien)" : "")
                                              : "Copie impossible (voir la sortie d'erreur)";
    } else if (sym == SDLK_ESCAPE) {
        annonces.question.clear();
        annonces.info = "Rien n'est enregistré";
    }
    return Continuer;
}

CEditeur::Fin CEditeur::demandeFin()
{
    if (arretDemande() || !ouvert)
        return Quitter;
    if (!modele.modifie()) {
        // Undone back to the files: this session's autosave holds nothing
        // to offer any more.
        if (autosaveEcrite)
            CModeleNiveau::effaceAutosave(modele.fichierNiveau());
        return Quitter;
    }
    annonces.question = QuestionQuitter;
    return Continuer;
}

CEditeur::Fin CEditeur::echappe()
{
    if (!annonces.messages.empty()) {
        annonces.messages.clear();
        return Continuer;
    }
    if (etat.glisse == EtatEditeur::Elastique || etat.glisse == EtatEditeur::Deplacement) {
        etat.glisse = EtatEditeur::Aucun;
        return Continuer;
    }
    if (etat.panneau && !etat.apercu) {
        etat.panneau = false;
        etat.panneauNiveau = false;
        return Continuer;
    }
    return demandeFin();
}

CEditeur::Fin CEditeur::reponse(int sym)
{
    if (annonces.question.rfind(DebutQuestionConflit, 0) == 0)
        return reponseConflit(sym);
    if (annonces.question == QuestionNouveau) {
        if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
            ouvert = CModeleNiveau::creeNiveau(aCreer) && modele.ouvre(aCreer);
            etat.tileChoisie.assign(modele.plans().size(), 0);
            annonces.info = ouvert ? "Niveau créé : Maj+T découpe sa première tuile"
                                   : "Impossible de créer le niveau (voir la sortie d'erreur)";
        } else if (sym == SDLK_ESCAPE) {
            annonces.info = "Niveau introuvable : " + aCreer;
        } else {
            return Continuer;
        }
        annonces.question.clear();
        return Continuer;
    }
    if (annonces.question == QuestionAutosave) {
        if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) {
            bool repris = modele.reprendAutosave();
            apresPas(repris);
            annonces.info = repris ? "Sauvegarde automatique reprise (Ctrl+Z la défait)"
                                   : "Sauvegarde automatique illisible";
        } else if (sym == SDLK_ESCAPE) {
            annonces.info = "Sauvegarde automatique ignorée";
        } else {
            return Continuer;
        }
        annonces.question.clear();
        return Continuer;
    }
    if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER || sym == SDLK_s) {
        annonces.question.clear();
        return enregistre() ? Quitter : Continuer;
    }
    if (sym == SDLK_n) {
        CModeleNiveau::effaceAutosave(modele.fichierNiveau());
        return Quitter;
    }
    if (sym == SDLK_ESCAPE)
        annonces.question.clear();
    return Continuer;
}

}
