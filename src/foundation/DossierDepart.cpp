#include "foundation/DossierDepart.h"

#include "foundation/Messages.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder the program was started in, once it has moved away from it.
std::string dossierDepart;

bool contientData(const std::string& dossier)
{
    struct stat infos;
    return stat((dossier + "/data").c_str(), &infos) == 0 && S_ISDIR(infos.st_mode);
}

bool contientFichier(const std::string& dossier, const char* fichier)
{
    struct stat infos;
    return stat((dossier + "/" + fichier).c_str(), &infos) == 0 && S_ISREG(infos.st_mode);
}

// An installed game's content: <prefix>/share/games/corvanthelis beside the
// <prefix>/games folder of its programs, whatever the prefix.
std::string dossierInstalle(const std::string& programme)
{
    if (programme.empty())
        return std::string();
    char* reel = realpath((programme + "/../share/games/corvanthelis").c_str(), nullptr);
    std::string dossier = reel ? reel : "";
    free(reel);
    return dossier;
}

std::string dossierCourant()
{
    char tampon[PATH_MAX];
    return getcwd(tampon, sizeof tampon) ? std::string(tampon) : std::string(".");
}

}  // namespace

std::string dossierProgramme()
{
    char tampon[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", tampon, sizeof tampon - 1);
    if (n <= 0)
        return std::string();
    std::string chemin(tampon, static_cast<size_t>(n));
    size_t barre = chemin.find_last_of('/');
    return barre == std::string::npos ? std::string() : chemin.substr(0, barre == 0 ? 1 : barre);
}

bool choisitDossierJeu(const char* fichierVoulu)
{
    const std::string courant = dossierCourant();
    const std::string programme = dossierProgramme();
    const std::string installe = dossierInstalle(programme);
    // Names stay relative to a working folder that has data/, even one that
    // is not the game's; the user is only told where the game's files are.
    if (contientData(courant)) {
        if (fichierVoulu && !programme.empty() && programme != courant && !contientFichier(courant, fichierVoulu) &&
            contientFichier(programme, fichierVoulu))
            messageErreur("Le dossier data de %s n'a pas les fichiers du jeu, ceux du dossier du programme (%s) "
                            "ne sont pas utilisés : lancez le jeu depuis ce dossier.\n",
                    courant.c_str(), programme.c_str());
        return false;
    }
    for (const std::string& dossier : {programme, installe})
        if (!dossier.empty() && dossier != courant && contientData(dossier) && chdir(dossier.c_str()) == 0) {
            dossierDepart = courant;
            return true;
        }
    messageErreur("Dossier data introuvable dans %s, dans le dossier du programme (%s) ni dans celui du jeu "
                  "installé (%s/../share/games/corvanthelis).\n",
            courant.c_str(), programme.empty() ? "inconnu" : programme.c_str(),
            programme.empty() ? "inconnu" : programme.c_str());
    messageErreur("Lancez le jeu depuis le dossier qui contient data/ : cd <dossier du jeu> && ./corvanthelis\n");
    return false;
}

std::string cheminDepuisDepart(const char* chemin)
{
    if (!chemin)
        return std::string();
    if (dossierDepart.empty() || chemin[0] == '/' || chemin[0] == '\0')
        return chemin;
    return dossierDepart + "/" + chemin;
}
