#include "editeur/Jouer.h"

#include "editeur/CopieJouable.h"
#include "foundation/DossierDepart.h"
#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "game/OutilsJeu.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace editeur {

namespace {

// Drops the editor's own events so its window keeps answering the window
// system while the game has the player's attention.
void videEvenements()
{
    prendEvenements();
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

    // The copy and whatever the game may leave beside it go with `copie`.
    CCopieJouable copie;
    if (!copie.ecrit(modele))
        return false;
    const std::string& niveau = copie.niveau();

    const std::string position = std::to_string(positionNiveau);
    // The child's own messages land after the editor's, not before them.
    videMessages();
    fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        messageErreur("Impossible de lancer le jeu : %s\n", strerror(errno));
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
        attendre(20);
    }
    // What was pressed for the game (Escape, the arrows) is not the editor's.
    videEvenements();
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
