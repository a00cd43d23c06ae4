// Saving the level as a whole, and what to do when another program changed
// its files since the editor read them.
#include "editeur/EtatModele.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace editeur {

namespace {

// Whether every plane whose file is there has its document: a level taken
// back from the disk may name other planes.
bool plansInchanges(const std::vector<PlanEdite>& plans, const std::vector<int>& documentPlan)
{
    for (size_t p = 0; p < plans.size(); ++p)
        if (documentPlan[p] < 0 && tailleFichier(plans[p].chemin.c_str()) >= 0)
            return false;
    return true;
}

}

bool CModeleNiveau::sauve()
{
    return enregistre(false);
}

bool CModeleNiveau::ecrase()
{
    return enregistre(true);
}

bool CModeleNiveau::enregistre(bool malgreChangements)
{
    if (!etat_)
        return false;
    std::vector<CDocumentProfil>& documents = etat_->documents;
    const std::vector<size_t> aEcrire = etat_->aEnregistrer();
    std::vector<std::unique_ptr<CRemplacementFichier>> prets;
    for (size_t d : aEcrire) {
        prets.emplace_back(new CRemplacementFichier);
        if (!creeDossierContenu(documents[d].fichier()) || !documents[d].prepareSauvegarde(*prets.back()))
            return false;  // the prepared copies go with `prets`
    }
    // Checked once every text is written, so the window for another
    // writer is only the renames'.
    if (!malgreChangements) {
        bool change = false;
        for (size_t d : aEcrire)
            if (documents[d].changeSurDisque()) {
                messageErreur("Fichier modifié par un autre programme, rien n'est enregistré : %s\n",
                              documents[d].fichier().c_str());
                change = true;
            }
        if (change)
            return false;
    }
    bool ok = true;
    for (size_t i = 0; i < aEcrire.size(); ++i)
        ok = documents[aEcrire[i]].publieSauvegarde(*prets[i]) && ok;
    // Until every file is in place, the autosave is the whole of the work.
    if (ok)
        effaceAutosave(etat_->fichier);
    return ok;
}

std::vector<std::string> CModeleNiveau::fichiersChangesSurDisque() const
{
    std::vector<std::string> fichiers;
    if (etat_)
        for (size_t d : etat_->aEnregistrer())
            if (etat_->documents[d].changeSurDisque())
                fichiers.push_back(etat_->documents[d].fichier());
    return fichiers;
}

bool CModeleNiveau::recharge()
{
    if (!etat_)
        return false;
    Etat& e = *etat_;
    // All read before any is taken, so a failure changes nothing.
    std::vector<std::pair<size_t, CDocumentProfil>> relus;
    // Only the files in conflict: a file this model did not change is
    // never written, and undoing this step must not bring back its old
    // text as a change of ours.
    for (size_t d : e.aEnregistrer()) {
        if (!e.documents[d].changeSurDisque())
            continue;
        CDocumentProfil disque;
        if (!chargeContenu(disque, e.chemins[d]))
            return false;
        relus.emplace_back(d, std::move(disque));
    }
    if (relus.empty())
        return true;
    etape([&](Etat& etat) {
        for (auto& r : relus)
            etat.documents[r.first] = std::move(r.second);
        return true;
    });
    if (plansInchanges(e.plans, e.documentPlan))
        return true;
    // The level now names other plane files: open it afresh, without the
    // history, rather than edit planes in files it no longer names.
    const std::string fichier = e.fichier;
    return ouvre(fichier);
}

std::string CModeleNiveau::cheminACote(const std::string& fichier)
{
    return fichier + ".mien";
}

bool CModeleNiveau::sauveACote(std::vector<std::string>* copies)
{
    if (!etat_)
        return false;
    std::vector<std::string> chemins;
    std::vector<std::unique_ptr<CRemplacementFichier>> prets;
    for (size_t d : etat_->aEnregistrer()) {
        const CDocumentProfil& doc = etat_->documents[d];
        if (!doc.changeSurDisque())
            continue;
        chemins.push_back(cheminACote(doc.fichier()));
        prets.emplace_back(new CRemplacementFichier);
        if (!creeDossierContenu(chemins.back()) || !prets.back()->prepare(chemins.back().c_str(), doc.texte())) {
            messageErreur("Enregistrement impossible de %s : %s\n", chemins.back().c_str(), strerror(errno));
            return false;
        }
    }
    bool ok = true;
    for (size_t i = 0; i < prets.size(); ++i)
        if (!prets[i]->publie()) {
            messageErreur("Enregistrement impossible de %s : %s\n", chemins[i].c_str(), strerror(errno));
            ok = false;
        }
    if (copies)
        *copies = chemins;
    return ok;
}

}
