#include "game/Parcours.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "game/Records.h"
#include "game/SchemaParcours.h"
#include "scenery/ClesNiveau.h"

#include <filesystem>

namespace sp = schemaParcours;

std::string nomParDefaut(const std::string& fichier)
{
    size_t debut = fichier.find_last_of('/');
    std::string nom = debut == std::string::npos ? fichier : fichier.substr(debut + 1);
    size_t point = nom.rfind('.');
    if (point != std::string::npos && point > 0)
        nom.erase(point);
    return nom.empty() ? fichier : nom;
}

namespace {

Parcours niveauSeul()
{
    Parcours p;
    p.niveaux.push_back({fichiersJeu::Niveau, nomParDefaut(fichiersJeu::Niveau)});
    return p;
}

}

Parcours litParcours(const char* fichier)
{
    long taille = tailleFichier(fichier);
    if (taille < 0)
        return niveauSeul();
    InputOutput io(true);
    int n = 0;
    if (!litCompteCle(io, sp::SectionEntete, sp::NombreNiveaux, fichier, n))
        return niveauSeul();
    // Each level needs a header of its own: a count the file cannot hold is
    // a typing error.
    if (n > sp::NombreNiveaux.max || n > maxElements(taille)) {
        messageErreur("Trop de niveaux dans %s : %d (au plus %ld)\n", fichier, n, sp::NombreNiveaux.max);
        return niveauSeul();
    }
    Parcours p;
    p.lu = true;
    for (int i = 1; i <= n; ++i) {
        std::string section = sp::PrefixeNiveau + std::to_string(i);
        char chemin[sp::FichierNiveau.tampon];
        char nom[sp::Nom.tampon];
        litTexteCle(io, section.c_str(), sp::FichierNiveau, "", chemin, fichier);
        coupeMot(chemin);
        if (!chemin[0]) {
            messageErreur("[%s] sans fichier dans %s : niveau ignoré\n", section.c_str(), fichier);
            continue;
        }
        if (tailleFichier(chemin) < 0) {
            messageErreur("Niveau introuvable dans %s : %s (ignoré)\n", fichier, chemin);
            continue;
        }
        // A name keeps its spaces: "Le marais à l'aube".
        if (litTexteCle(io, section.c_str(), sp::Nom, "", nom, fichier) <= 0 || !nom[0])
            p.niveaux.push_back({chemin, nomParDefaut(chemin)});
        else
            p.niveaux.push_back({chemin, nom});
    }
    if (p.niveaux.empty()) {
        messageErreur("Aucun niveau jouable dans %s : le jeu joue %s\n", fichier, fichiersJeu::Niveau);
        return niveauSeul();
    }
    return p;
}

std::string niveauNormalise(const std::string& chemin)
{
    namespace fs = std::filesystem;
    fs::path p = fs::path(chemin).lexically_normal();
    if (p.is_absolute()) {
        std::error_code erreur;
        fs::path relatif = p.lexically_relative(fs::current_path(erreur));
        if (!erreur && !relatif.empty() && *relatif.begin() != "..")
            p = relatif;
    }
    return p.generic_string();
}

void ajouteNiveauxAuteur(Parcours& parcours)
{
    for (const std::string& fichier : fichiersAuteur("data/levels")) {
        if (std::filesystem::path(fichier).extension() != ".ini")
            continue;
        bool nomme = false;
        for (const NiveauParcours& n : parcours.niveaux)
            nomme = nomme || niveauNormalise(n.fichier) == niveauNormalise(fichier);
        // A plane file has no plane count: only levels are listed.
        InputOutput io(true);
        if (nomme || io.getPrivateProfileInt(clesNiveau::Entete, clesNiveau::NombrePlans, 0, fichier.c_str(), false) <= 0)
            continue;
        NiveauParcours n;
        n.fichier = fichier;
        n.nom = nomParDefaut(fichier) + SuffixeNiveauAuteur;
        n.auteur = true;
        parcours.niveaux.push_back(n);
    }
}

int niveauAJouer(const Parcours& parcours, const CRecords& records)
{
    for (size_t i = 0; i < parcours.niveaux.size() && !parcours.niveaux[i].auteur; ++i)
        if (!records.termine(parcours.niveaux[i].fichier))
            return static_cast<int>(i);
    return 0;
}

bool niveauOuvert(const Parcours& parcours, const CRecords& records, int indice)
{
    if (indice <= 0)
        return indice == 0;
    if (indice >= static_cast<int>(parcours.niveaux.size()))
        return false;
    return parcours.niveaux[indice].auteur || records.termine(parcours.niveaux[indice - 1].fichier);
}
