#ifndef CORVANTHELIS_TESTS_PILOTE_H
#define CORVANTHELIS_TESTS_PILOTE_H

// Driving a built program under X for end-to-end tests: start it in the
// background with its output in files, press keys with xdotool, read the
// screen with ImageMagick's import, and wait for it to end.
//
// Needs DISPLAY (run under xvfb-run) and the xdotool and import commands.
// Without a window manager, keys go to the window under the pointer, so
// pointeSur() moves the pointer onto the program's window first.

#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// An X server of the test's own (Xvfb on a free display number), so that
// screenshots and key presses never meet the windows of tests running in
// parallel. While it lives, DISPLAY names it; the old value comes back after.
class ServeurXPrive {
public:
    ServeurXPrive(int largeur = 1024, int hauteur = 768);
    ~ServeurXPrive();
    bool pret() const { return !affichage_.empty(); }
    const std::string& affichage() const { return affichage_; }

private:
    pid_t pid_;
    std::string affichage_;
    std::string ancien_;
    bool avaitAncien_;
};

class ProgrammeLance {
public:
    // Starts `chemin` with `arguments` in the working folder; standard output
    // and error go to `sortie` and `erreurs` there.
    ProgrammeLance(const std::string& chemin, const std::vector<std::string>& arguments,
                   const std::string& sortie = "sortie.txt",
                   const std::string& erreurs = "erreurs.txt");
    // Kills the program if it still runs.
    ~ProgrammeLance();

    bool lance() const { return pid_ > 0; }
    // True when it ended within `ms`; its exit status (or 128 + signal) in
    // `statut`.
    bool attendFin(int ms, int* statut);
    bool enCours();
    // Sends it `numero` (SIGTERM...) while it runs.
    void signale(int numero);

private:
    pid_t pid_;
    bool fini_;
    int statut_;
};

// Polls for a window whose title is `titre` for at most `ms`; its X id, or
// "" when none came.
std::string attendFenetre(const std::string& titre, int ms);
// Moves the pointer into the window so that it takes the keys.
void pointeSur(const std::string& fenetre);

// xdotool key / keydown / keyup with X key names ("Escape", "Right", "8").
void appuie(const std::string& touche);
void enfonce(const std::string& touche);
void relache(const std::string& touche);

struct Couleur {
    int r, g, b;
};

// The top-left largeur x hauteur pixels of the X screen, top row first;
// empty on failure.
std::vector<Couleur> captureEcranX(int largeur, int hauteur);

void pause(int ms);

}

#endif
