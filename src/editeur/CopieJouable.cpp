#include "editeur/CopieJouable.h"

#include "editeur/ModeleNiveau.h"
#include "foundation/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ftw.h>

namespace editeur {

namespace {

int retireEntree(const char* chemin, const struct stat*, int, struct FTW*)
{
    remove(chemin);
    return 0;
}

}  // namespace

CCopieJouable::~CCopieJouable()
{
    if (!dossier_.empty())
        nftw(dossier_.c_str(), retireEntree, 8, FTW_DEPTH | FTW_PHYS);
}

bool CCopieJouable::ecrit(const CModeleNiveau& modele)
{
    if (dossier_.empty()) {
        char modeleDossier[] = "/tmp/corvanthelis-jeu-XXXXXX";
        if (!mkdtemp(modeleDossier)) {
            messageErreur("Impossible de créer un dossier provisoire pour le jeu : %s\n", strerror(errno));
            return false;
        }
        dossier_ = modeleDossier;
    }
    std::string niveau;
    if (!modele.ecritCopieJouable(dossier_, niveau)) {
        messageErreur("Impossible d'écrire la copie jouable du niveau dans %s\n", dossier_.c_str());
        niveau_.clear();
        return false;
    }
    niveau_ = niveau;
    return true;
}

}  // namespace editeur
