#ifndef CORVANTHELIS_TESTS_PILOTE_H
#define CORVANTHELIS_TESTS_PILOTE_H

// Driving a built program under X for end-to-end tests: start it in the
// background with its output in files, press keys with xdotool, read the
// screen with ImageMagick's import, and wait for it to end.
//
// Needs DISPLAY (run under xvfb-run) and the xdotool and import commands.
// Without a window manager, keys go to the window under the pointer, so
// pointeSur() moves the pointer onto the program's window first.

#include <functional>
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
    // It has its own handler for `numero` (from /proc): a signal sent now
    // reaches its code.
    bool traiteSignal(int numero) const;

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
inline bool operator==(Couleur a, Couleur b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The top-left largeur x hauteur pixels of the X screen, top row first;
// empty on failure.
std::vector<Couleur> captureEcranX(int largeur, int hauteur);

// A fixed wait: only where the time itself is what a test checks.
void pause(int ms);

// Waits for a condition rather than a guessed time. Deadlines are generous
// (a loaded CI machine may take seconds for what takes 100 ms here) and run
// on the clock, the checks' own time included; the checks are frequent, so
// a quiet machine goes on at once.
const int DelaiAttente = 10000;

// Checks `condition` every `pasMs` until it holds, for at most `delaiMs`,
// with one last check at the deadline; whether it held.
bool attendQue(const std::function<bool()>& condition, int delaiMs = DelaiAttente, int pasMs = 20);
// `texte` shows in the file `fichier` (a program's output).
bool attendLigne(const std::string& fichier, const std::string& texte, int delaiMs = DelaiAttente);

using ConditionEcran = std::function<bool(const std::vector<Couleur>&)>;
using ComparaisonEcran = std::function<bool(const std::vector<Couleur>&, const std::vector<Couleur>&)>;
// Screenshots (captureEcranX) until one meets `voulu`; the last one taken,
// which fails `voulu` when the deadline passed (the caller's check reports).
std::vector<Couleur> attendEcran(int largeur, int hauteur, const ConditionEcran& voulu,
                                 int delaiMs = DelaiAttente);
// Screenshots until two in a row agree (by `pareils`, or pixel for pixel):
// the screen has settled; and the second meets `voulu` when one is given.
std::vector<Couleur> attendEcranStable(int largeur, int hauteur, const ConditionEcran& voulu = nullptr,
                                       int delaiMs = DelaiAttente,
                                       const ComparaisonEcran& pareils = nullptr);
}

#endif
