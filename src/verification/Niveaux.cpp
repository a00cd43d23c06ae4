// The authors' levels: every level file under data/levels/, and one level
// file checked on its own.

#include "foundation/DossiersJoueur.h"
#include "scenery/ClesNiveau.h"
#include "scenery/SchemaNiveau.h"
#include "verification/Profil.h"
#include "verification/Verificateur.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// Whether the file's [Entete] holds one of `cles`, as the game would find it.
bool enteteA(const CFichierProfil& profil, const std::vector<DefCle>& cles)
{
    for (const DefCle& c : cles)
        if (profil.cherche(clesNiveau::Entete, c.nom, c.tampon).trouvee)
            return true;
    return false;
}

}

void CVerificateur::verifieNiveauxAuteurs(const std::string& dossier)
{
    // Named as the game names its files, "./data/levels/...", so that a
    // level the game or the journey already named is not checked twice.
    // An installed game's levels and its author's, the author's copy read.
    for (const std::string& f : fichiersContenu(dossier)) {
        if (fs::path(f).extension() != ".ini")
            continue;
        CFichierProfil profil;
        if (!profil.charge(f))
            continue;
        // A plane file (nombreTiles) is checked through the levels naming
        // it; one named by none is left over from an edit, not an error.
        if (enteteA(profil, schemaNiveau::enteteNiveau))
            verifieNiveau(f);
        else if (!enteteA(profil, schemaNiveau::entetePlan))
            rapport_.avertissement(f, 0, "ni niveau (nombrePlans…) ni plan (nombreTiles) dans [Entete] : non vérifié");
    }
}

int verifieFichierNiveau(const std::string& niveau, FILE* sortie)
{
    struct stat infos;
    if (stat(cheminContenuLu(niveau).c_str(), &infos) != 0) {
        fprintf(sortie, "%s: erreur : fichier introuvable\n", niveau.c_str());
        return 1;
    }
    CRapport rapport;
    CVerificateur verificateur(rapport);
    // A plane file given by mistake is checked as a plane, not reported as
    // a level without planes.
    CFichierProfil profil;
    if (profil.charge(niveau) && !enteteA(profil, schemaNiveau::enteteNiveau)
        && enteteA(profil, schemaNiveau::entetePlan))
        verificateur.verifiePlan(niveau);
    else
        verificateur.verifieNiveau(niveau);
    rapport.imprime(sortie);
    return rapport.nbErreurs() > 0 ? 1 : 0;
}
