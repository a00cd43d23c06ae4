#include "foundation/FichierProvisoire.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool nommeForce = false;

// ---------------------------------------------------------------------------
// Removal on signals. The handler may only touch what is ready before it is
// armed: a fixed buffer and a flag.

const int SIGNAUX[] = {SIGINT, SIGTERM, SIGHUP};
const int NB_SIGNAUX = sizeof SIGNAUX / sizeof SIGNAUX[0];
bool installe[NB_SIGNAUX];
struct sigaction anciennes[NB_SIGNAUX];

// One place per object being written: a level's save holds several at once.
struct Place {
    char chemin[4096];
    volatile sig_atomic_t arme = 0;
    const CFichierProvisoire* objet = nullptr;
};
const int NB_PLACES = 8;
Place places[NB_PLACES];
int occupees = 0;

void surSignal(int numero)
{
    for (Place& p : places) {
        if (p.arme)
            unlink(p.chemin);
        p.arme = 0;
    }
    // Then what the signal would have done without us: the raised signal
    // stays blocked until the handler returns, then ends the process.
    for (int i = 0; i < NB_SIGNAUX; ++i)
        if (SIGNAUX[i] == numero)
            sigaction(numero, &anciennes[i], nullptr);
    raise(numero);
}

Place* placeDe(const CFichierProvisoire* objet)
{
    for (Place& p : places)
        if (p.objet == objet)
            return &p;
    return nullptr;
}

void installeRetrait(const CFichierProvisoire* objet)
{
    Place* place = placeDe(objet);
    if (place || !(place = placeDe(nullptr)))
        return;  // already there, or no room: what a kill leaves is removed later
    place->arme = 0;
    place->objet = objet;
    if (occupees++ > 0)
        return;
    struct sigaction action = {};
    action.sa_handler = surSignal;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < NB_SIGNAUX; ++i) {
        installe[i] = sigaction(SIGNAUX[i], nullptr, &anciennes[i]) == 0 &&
                      anciennes[i].sa_handler != SIG_IGN &&
                      sigaction(SIGNAUX[i], &action, nullptr) == 0;
    }
}

void retireSurSignal(const CFichierProvisoire* objet, const std::string& chemin)
{
    Place* place = placeDe(objet);
    if (!place || chemin.size() >= sizeof place->chemin)
        return;
    place->arme = 0;
    memcpy(place->chemin, chemin.c_str(), chemin.size() + 1);
    place->arme = 1;
}

void desinstalleRetrait(const CFichierProvisoire* objet)
{
    Place* place = placeDe(objet);
    if (!place)
        return;
    place->arme = 0;
    place->objet = nullptr;
    if (--occupees > 0)
        return;
    for (int i = 0; i < NB_SIGNAUX; ++i)
        if (installe[i])
            sigaction(SIGNAUX[i], &anciennes[i], nullptr);
}

// ---------------------------------------------------------------------------

std::string dossierDe(const std::string& chemin)
{
    size_t barre = chemin.rfind('/');
    if (barre == std::string::npos)
        return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

// "<pid>_<n>" of a process that is gone.
bool restePerime(const char* suffixe)
{
    char* fin = nullptr;
    errno = 0;
    long pid = strtol(suffixe, &fin, 10);
    if (fin == suffixe || *fin != '_' || errno != 0 || pid <= 0 || pid == getpid())
        return false;
    const char* n = fin + 1;
    if (!*n || strspn(n, "0123456789") != strlen(n))
        return false;
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Killed runs of earlier versions left their named files behind.
void retirePerimes(const std::string& destination)
{
    const std::string dossier = dossierDe(destination);
    size_t barre = destination.rfind('/');
    const std::string prefixe =
        (barre == std::string::npos ? destination : destination.substr(barre + 1)) + ".tmp";
    DIR* d = opendir(dossier.c_str());
    if (!d)
        return;
    while (dirent* entree = readdir(d)) {
        if (strncmp(entree->d_name, prefixe.c_str(), prefixe.size()) == 0 &&
            restePerime(entree->d_name + prefixe.size()))
            unlinkat(dirfd(d), entree->d_name, 0);
    }
    closedir(d);
}

}  // namespace

void CFichierProvisoire::forceNomme(bool force)
{
    nommeForce = force;
}

CFichierProvisoire::~CFichierProvisoire()
{
    abandonne();
}

void CFichierProvisoire::abandonne()
{
    // Callers report the failure that led here, not the clean-up's.
    const int erreur = errno;
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
    if (!nom_.empty())
        unlink(nom_.c_str());
    nom_.clear();
    desinstalleRetrait(this);
    errno = erreur;
}

int CFichierProvisoire::ouvre(const char* destination)
{
    abandonne();
    if (!destination || !*destination) {
        errno = ENOENT;
        return -1;
    }
    destination_ = destination;
    retirePerimes(destination_);
#ifdef O_TMPFILE
    if (!nommeForce) {
        fd_ = open(dossierDe(destination_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        // Publishing goes through /proc when the process may not link a
        // descriptor directly; without it, only a named file will do.
        char lien[64];
        snprintf(lien, sizeof lien, "/proc/self/fd/%d", fd_);
        if (fd_ >= 0 && access(lien, F_OK) == 0)
            return fd_;
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }
#endif
    return ouvreNomme() ? fd_ : -1;
}

bool CFichierProvisoire::ouvreNomme()
{
    // Armed before the file exists, so no signal can fall in between.
    installeRetrait(this);
    for (int essai = 0; essai < 100; ++essai) {
        std::string nom = destination_ + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(essai);
        retireSurSignal(this, nom);
        fd_ = open(nom.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            nom_ = nom;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    const int erreur = errno;
    desinstalleRetrait(this);
    errno = erreur;
    return false;
}

// Gives the unnamed file the name `nom`, which must not exist.
bool CFichierProvisoire::lieSous(const std::string& nom)
{
    if (linkat(fd_, "", AT_FDCWD, nom.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    char lien[64];
    snprintf(lien, sizeof lien, "/proc/self/fd/%d", fd_);
    return linkat(AT_FDCWD, lien, AT_FDCWD, nom.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool CFichierProvisoire::publie()
{
    if (fd_ < 0)
        return false;
    bool ok = true;
    bool lieDirectement = false;
    if (nom_.empty() && !(lieDirectement = lieSous(destination_))) {
        // The destination exists: a name of our own first, then one rename
        // over it, so the old file stays whole until the new one replaces it.
        ok = errno == EEXIST;
        if (ok) {
            installeRetrait(this);
            for (int essai = 0; nom_.empty() && essai < 100; ++essai) {
                std::string nom = destination_ + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(essai);
                retireSurSignal(this, nom);
                if (lieSous(nom))
                    nom_ = nom;
                else if (errno != EEXIST)
                    break;
            }
            ok = !nom_.empty();
        }
    }
    ok = close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok && lieDirectement)
        unlink(destination_.c_str());  // there was no file before
    if (ok && !nom_.empty())
        ok = rename(nom_.c_str(), destination_.c_str()) == 0;
    if (ok)
        nom_.clear();
    abandonne();
    return ok;
}
