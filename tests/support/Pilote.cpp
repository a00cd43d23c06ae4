#include "support/Pilote.h"

#include "support/TestSupport.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

ServeurXPrive::ServeurXPrive(int largeur, int hauteur) : pid_(-1), avaitAncien_(false)
{
    int tube[2];
    if (pipe(tube) != 0)
        return;
    fflush(stdout);
    fflush(stderr);
    pid_ = fork();
    if (pid_ == 0) {
        close(tube[0]);
        int nul = open("/dev/null", O_WRONLY);
        if (nul >= 0) {
            dup2(nul, 1);
            dup2(nul, 2);
        }
        std::string fd = std::to_string(tube[1]);
        std::string ecran = std::to_string(largeur) + "x" + std::to_string(hauteur) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", ecran.c_str(),
               "-noreset", "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tube[1]);
    std::string numero;
    char c;
    // Xvfb writes the display number and a line break once it accepts clients.
    while (pid_ > 0 && read(tube[0], &c, 1) == 1 && c != '\n')
        numero += c;
    close(tube[0]);
    if (numero.empty())
        return;
    const char* ancien = getenv("DISPLAY");
    avaitAncien_ = ancien != nullptr;
    if (ancien)
        ancien_ = ancien;
    affichage_ = ":" + numero;
    setenv("DISPLAY", affichage_.c_str(), 1);
}

ServeurXPrive::~ServeurXPrive()
{
    if (avaitAncien_)
        setenv("DISPLAY", ancien_.c_str(), 1);
    else if (!affichage_.empty())
        unsetenv("DISPLAY");
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

ProgrammeLance::ProgrammeLance(const std::string& chemin, const std::vector<std::string>& arguments,
                               const std::string& sortie, const std::string& erreurs)
    : pid_(-1), fini_(false), statut_(-1)
{
    fflush(stdout);
    fflush(stderr);
    pid_ = fork();
    if (pid_ == 0) {
        int out = open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0)
            dup2(out, 1);
        if (err >= 0)
            dup2(err, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(chemin.c_str()));
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(chemin.c_str(), argv.data());
        _exit(127);
    }
}

ProgrammeLance::~ProgrammeLance()
{
    if (pid_ > 0 && !fini_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ProgrammeLance::attendFin(int ms, int* statut)
{
    if (pid_ <= 0)
        return false;
    for (int attente = 0; !fini_; attente += 20) {
        int s = 0;
        pid_t r = waitpid(pid_, &s, WNOHANG);
        if (r == pid_) {
            fini_ = true;
            statut_ = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
            break;
        }
        if (attente >= ms)
            return false;
        usleep(20000);
    }
    if (statut)
        *statut = statut_;
    return true;
}

bool ProgrammeLance::enCours()
{
    return !attendFin(0, nullptr);
}

void ProgrammeLance::signale(int numero)
{
    if (pid_ > 0 && !fini_)
        kill(pid_, numero);
}

bool ProgrammeLance::traiteSignal(int numero) const
{
    // "SigCgt:" is the mask of caught signals in hexadecimal, bit n - 1 for
    // signal n.
    if (pid_ <= 0 || fini_)
        return false;
    std::string etat = lisFichier("/proc/" + std::to_string(pid_) + "/status");
    size_t p = etat.find("SigCgt:");
    return p != std::string::npos && (std::stoull(etat.substr(p + 7), nullptr, 16) >> (numero - 1) & 1);
}

std::string attendFenetre(const std::string& titre, int ms)
{
    std::string fenetre;
    attendQue(
        [&] {
            if (execute("xdotool search --name '^" + titre + "$' 2>/dev/null | head -n 1", &fenetre)
                != 0)
                fenetre.clear();
            while (!fenetre.empty() && (fenetre.back() == '\n' || fenetre.back() == ' '))
                fenetre.pop_back();
            return !fenetre.empty();
        },
        ms, 100);
    return fenetre;
}

void pointeSur(const std::string& fenetre)
{
    execute("xdotool mousemove --window " + fenetre + " 20 20 >/dev/null 2>&1");
}

void appuie(const std::string& touche)
{
    execute("xdotool key " + touche + " >/dev/null 2>&1");
}

void enfonce(const std::string& touche)
{
    execute("xdotool keydown " + touche + " >/dev/null 2>&1");
}

void relache(const std::string& touche)
{
    execute("xdotool keyup " + touche + " >/dev/null 2>&1");
}

std::vector<Couleur> captureEcranX(int largeur, int hauteur)
{
    std::vector<Couleur> pixels;
    char modele[] = "/tmp/corvanthelis-ecran-XXXXXX";
    int fd = mkstemp(modele);
    if (fd < 0)
        return pixels;
    close(fd);
    std::string fichier = modele;
    std::string geometrie = std::to_string(largeur) + "x" + std::to_string(hauteur) + "+0+0";
    if (execute("import -window root -crop " + geometrie + " +repage -depth 8 ppm:'" + fichier
                + "' >/dev/null 2>&1") == 0) {
        std::string donnees = lisFichier(fichier);
        // Binary PPM: "P6", width, height, 255, one whitespace, then RGB.
        int l = 0, h = 0, max = 0, lus = 0;
        if (sscanf(donnees.c_str(), "P6 %d %d %d%n", &l, &h, &max, &lus) == 3 && l == largeur
            && h == hauteur && max == 255) {
            size_t debut = static_cast<size_t>(lus) + 1;
            if (donnees.size() >= debut + static_cast<size_t>(l) * h * 3) {
                pixels.resize(static_cast<size_t>(l) * h);
                for (size_t i = 0; i < pixels.size(); ++i) {
                    const unsigned char* p
                        = reinterpret_cast<const unsigned char*>(donnees.data()) + debut + i * 3;
                    pixels[i] = {p[0], p[1], p[2]};
                }
            }
        }
    }
    unlink(fichier.c_str());
    return pixels;
}

void pause(int ms)
{
    usleep(static_cast<useconds_t>(ms) * 1000);
}

bool attendQue(const std::function<bool()>& condition, int delaiMs, int pasMs)
{
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= fin)
            return condition();
        pause(pasMs);
    }
    return true;
}

bool attendLigne(const std::string& fichier, const std::string& texte, int delaiMs)
{
    return attendQue([&] { return lisFichier(fichier).find(texte) != std::string::npos; }, delaiMs);
}

std::vector<Couleur> attendEcran(int largeur, int hauteur, const ConditionEcran& voulu, int delaiMs)
{
    std::vector<Couleur> ecran;
    attendQue(
        [&] {
            ecran = captureEcranX(largeur, hauteur);
            return !ecran.empty() && voulu(ecran);
        },
        delaiMs);
    return ecran;
}

std::vector<Couleur> attendEcranStable(int largeur, int hauteur, const ConditionEcran& voulu,
                                       int delaiMs, const ComparaisonEcran& pareils)
{
    std::vector<Couleur> precedent;
    return attendEcran(
        largeur, hauteur,
        [&](const std::vector<Couleur>& ecran) {
            bool stable = !precedent.empty()
                          && (pareils ? pareils(precedent, ecran) : ecran == precedent)
                          && (!voulu || voulu(ecran));
            precedent = ecran;
            return stable;
        },
        delaiMs);
}

}
