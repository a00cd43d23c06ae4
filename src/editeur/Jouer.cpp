#include "editeur/Jouer.h"

#include "editeur/ModeleNiveau.h"
#include "foundation/Messages.h"
#include "shell/DossierDepart.h"

#include <SDL.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ftw.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace editeur {

namespace {

int retireEntree(const char* chemin, const struct stat*, int, struct FTW*)
{
    remove(chemin);
    return 0;
}

// The copy and whatever the game may have left beside it.
void retireDossier(const std::string& dossier)
{
    nftw(dossier.c_str(), retireEntree, 8, FTW_DEPTH | FTW_PHYS);
}

// Drops the editor's own events so its window keeps answering the window
// system while the game has the player's attention.
void videEvenements()
{
    SDL_Event evenement;
    while (SDL_PollEvent(&evenement)) {
    }
}

}  // namespace

bool joueDepuis(const CModeleNiveau& modele, int positionNiveau)
{
    const std::string programme = dossierProgramme();
    const std::string jeu = (programme.empty() ? std::string(".") : programme) + "/corvanthelis";
    if (access(jeu.c_str(), X_OK) != 0) {
        messageErreur("Jeu introuvable : %s\n", jeu.c_str());
        return false;
    }
    if (positionNiveau < 0)
        positionNiveau = 0;

    char modeleDossier[] = "/tmp/corvanthelis-jeu-XXXXXX";
    if (!mkdtemp(modeleDossier)) {
        messageErreur("Impossible de créer un dossier provisoire pour le jeu : %s\n", strerror(errno));
        return false;
    }
    const std::string dossier = modeleDossier;
    std::string niveau;
    if (!modele.ecritCopieJouable(dossier, niveau)) {
        messageErreur("Impossible d'écrire la copie jouable du niveau dans %s\n", dossier.c_str());
        retireDossier(dossier);
        return false;
    }

    const std::string position = std::to_string(positionNiveau);
    // The child's own messages land after the editor's, not before them.
    videMessages();
    fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        messageErreur("Impossible de lancer le jeu : %s\n", strerror(errno));
        retireDossier(dossier);
        return false;
    }
    if (pid == 0) {
        const char* arguments[] = {jeu.c_str(), "--niveau", niveau.c_str(), "--position", position.c_str(), nullptr};
        execv(jeu.c_str(), const_cast<char* const*>(arguments));
        _exit(127);
    }

    int statut = 0;
    for (;;) {
        pid_t fini = waitpid(pid, &statut, WNOHANG);
        if (fini == pid || (fini < 0 && errno != EINTR))
            break;
        videEvenements();
        SDL_Delay(20);
    }
    // What was pressed for the game (Escape, the arrows) is not the editor's.
    videEvenements();
    retireDossier(dossier);
    if (WIFEXITED(statut) && WEXITSTATUS(statut) == 127) {
        messageErreur("Impossible de lancer le jeu : %s\n", jeu.c_str());
        return false;
    }
    // The game says itself why it stopped (no display, a missing file...).
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
        messageErreur("Le jeu s'est arrêté sur un échec (statut %d)\n",
                      WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut));
        return false;
    }
    return true;
}

}  // namespace editeur
