// The editor's files besides the level itself: the autosave, the copy that
// "play from here" runs, and the checker's report on the saved files.
#include "editeur/EtatModele.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"
#include "verification/Rapport.h"
#include "verification/Verificateur.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace clesNiveau;

namespace editeur {

namespace {

// "<path length> <text length>\n<path>\n<text>\n" per document after the
// header line and the count line: lengths, so that any byte survives and a
// cut file is seen as such.
const char* const ENTETE_AUTOSAVE = "corvanthelis-autosave 1\n";
const size_t MAX_DOCUMENTS = 10000;

using Documents = std::vector<std::pair<std::string, std::string>>;

std::string serialise(const Documents& documents)
{
    std::string s = ENTETE_AUTOSAVE;
    s += std::to_string(documents.size()) + "\n";
    for (const auto& d : documents) {
        s += std::to_string(d.first.size()) + " " + std::to_string(d.second.size()) + "\n";
        s += d.first + "\n" + d.second + "\n";
    }
    return s;
}

// Reads a decimal number ending with `fin` at `pos`, at most `maximum`.
bool litNombre(const std::string& s, size_t& pos, char fin, size_t maximum, size_t& n)
{
    size_t debut = pos;
    n = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && pos - debut < 19)
        n = n * 10 + static_cast<size_t>(s[pos++] - '0');
    if (pos == debut || pos >= s.size() || s[pos] != fin || n > maximum)
        return false;
    ++pos;
    return true;
}

bool deserialise(const std::string& s, Documents& documents)
{
    documents.clear();
    size_t entete = strlen(ENTETE_AUTOSAVE);
    if (s.compare(0, entete, ENTETE_AUTOSAVE) != 0)
        return false;
    size_t pos = entete, nombre;
    if (!litNombre(s, pos, '\n', MAX_DOCUMENTS, nombre) || nombre == 0)
        return false;
    for (size_t i = 0; i < nombre; ++i) {
        size_t lChemin, lTexte;
        if (!litNombre(s, pos, ' ', s.size(), lChemin) || !litNombre(s, pos, '\n', s.size(), lTexte))
            return false;
        // Both parts and their line breaks must be there.
        if (lChemin > s.size() - pos || s.size() - pos - lChemin < 2 || lTexte > s.size() - pos - lChemin - 2)
            return false;
        std::string chemin = s.substr(pos, lChemin);
        pos += lChemin;
        if (chemin.empty() || chemin.find_first_of(std::string("\n\0", 2)) != std::string::npos || s[pos] != '\n')
            return false;
        ++pos;
        std::string texte = s.substr(pos, lTexte);
        pos += lTexte;
        if (pos >= s.size() || s[pos] != '\n')
            return false;
        ++pos;
        documents.emplace_back(std::move(chemin), std::move(texte));
    }
    return pos == s.size();
}

// The autosave's documents; false, with one line on standard error when it
// is there but unreadable, silently when it is missing.
bool litAutosave(const std::string& fichierNiveau, Documents& documents)
{
    const std::string chemin = CModeleNiveau::cheminAutosave(fichierNiveau);
    struct stat etat;
    if (stat(chemin.c_str(), &etat) != 0)
        return false;
    CDocumentProfil fichier;  // reads any regular file whole
    if (!fichier.charge(chemin.c_str()))
        return false;
    if (!deserialise(fichier.texte(), documents)) {
        messageErreur("Sauvegarde automatique illisible, ignorée : %s\n", chemin.c_str());
        return false;
    }
    return true;
}

}

std::string CModeleNiveau::cheminAutosave(const std::string& fichierNiveau)
{
    // A level of the installed content cannot have its autosave beside it:
    // the player's data folder mirrors the content's paths.
    if (dossiersJoueur().locaux || fichierNiveau.empty() || fichierNiveau[0] == '/')
        return fichierNiveau + ".autosave";
    size_t debut = 0;
    while (fichierNiveau.compare(debut, 2, "./") == 0)
        debut += 2;
    return cheminDonneesJoueur("autosaves/" + fichierNiveau.substr(debut) + ".autosave");
}

bool CModeleNiveau::ecritAutosave() const
{
    if (!etat_)
        return false;
    Documents documents;
    for (size_t d = 0; d < etat_->documents.size(); ++d)
        documents.emplace_back(etat_->chemins[d], etat_->documents[d].texte());
    const std::string chemin = cheminAutosave(etat_->fichier);
    const size_t barre = chemin.find_last_of('/');
    if (barre != std::string::npos && barre > 0)
        creeDossiers(chemin.substr(0, barre), 0700);
    if (!remplaceFichierAtomique(chemin.c_str(), serialise(documents))) {
        messageErreur("Sauvegarde automatique impossible : %s : %s\n", chemin.c_str(), strerror(errno));
        return false;
    }
    return true;
}

bool CModeleNiveau::autosaveDisponible(const std::string& fichierNiveau)
{
    Documents documents;
    if (!litAutosave(fichierNiveau, documents))
        return false;
    for (const auto& d : documents) {
        CDocumentProfil fichier;
        if (!chargeContenu(fichier, d.first) || fichier.texte() != d.second)
            return true;
    }
    return false;
}

bool CModeleNiveau::reprendAutosave()
{
    if (!etat_)
        return false;
    Documents documents;
    if (!litAutosave(etat_->fichier, documents))
        return false;
    // Each text goes to the document of its file: the level first, then
    // its planes, those the session added or took out included.
    if (documents[0].first != etat_->fichier) {
        messageErreur("Sauvegarde automatique d'autres fichiers, ignorée : %s\n",
                cheminAutosave(etat_->fichier).c_str());
        return false;
    }
    std::vector<int> cibles(1, 0);
    for (size_t d = 1; d < documents.size(); ++d) {
        cibles.push_back(etat_->documentPour(documents[d].first));
        if (cibles.back() < 0)
            return false;
    }
    return etape([&](Etat& e) {
        for (size_t d = 0; d < documents.size(); ++d)
            e.documents[cibles[d]].remplaceTexte(documents[d].second);
        return true;
    });
}

void CModeleNiveau::effaceAutosave(const std::string& fichierNiveau)
{
    unlink(cheminAutosave(fichierNiveau).c_str());
}

bool CModeleNiveau::ecritCopieJouable(const std::string& dossier, std::string& niveau) const
{
    if (!etat_)
        return false;
    const Etat& e = *etat_;
    if (mkdir(dossier.c_str(), 0755) != 0 && errno != EEXIST) {
        messageErreur("Dossier impossible à créer : %s : %s\n", dossier.c_str(), strerror(errno));
        return false;
    }
    CDocumentProfil copie;
    copie.remplaceTexte(e.documents[0].texte());
    for (size_t p = 0; p < e.plans.size(); ++p) {
        int d = e.documentPlan[p];
        if (d < 0)
            continue;
        const std::string chemin = dossier + "/plan" + std::to_string(d) + ".ini";
        const std::string section = nomSection(SectionPlan, static_cast<int>(p) + 1);
        std::string relu;
        // The game reads the path through a short buffer: it must come back whole.
        if (!copie.fixe(section.c_str(), PathPlan, chemin)
            || !CLecture(copie.texte()).chaine(section, PathPlan, LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN, relu)
            || relu != chemin) {
            messageErreur("Chemin trop long pour le niveau à jouer : %s\n", chemin.c_str());
            return false;
        }
        if (!remplaceFichierAtomique(chemin.c_str(), e.documents[d].texte())) {
            messageErreur("Écriture impossible de %s : %s\n", chemin.c_str(), strerror(errno));
            return false;
        }
        oublieProfil(chemin.c_str());
    }
    const std::string chemin = dossier + "/niveau.ini";
    if (!remplaceFichierAtomique(chemin.c_str(), copie.texte())) {
        messageErreur("Écriture impossible de %s : %s\n", chemin.c_str(), strerror(errno));
        return false;
    }
    oublieProfil(chemin.c_str());
    niveau = chemin;
    return true;
}

std::vector<std::string> CModeleNiveau::verifie() const
{
    if (!etat_)
        return {};
    CRapport rapport;
    CVerificateur verificateur(rapport);
    verificateur.verifieNiveau(etat_->fichier);
    return rapport.lignes();
}

}
