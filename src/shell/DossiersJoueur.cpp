#include "shell/DossiersJoueur.h"

#include "foundation/DocumentProfil.h"
#include "foundation/Messages.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const NomJeu = "corvanthelis";
// Where the installed content lies below the prefix: the package system's.
const char* const ContenuInstalle = "/share/games/corvanthelis";
const unsigned ModePrive = 0700;

bool absolu(const char* chemin)
{
    return chemin && chemin[0] == '/';
}

bool finitPar(const std::string& texte, const char* fin)
{
    size_t n = strlen(fin);
    return texte.size() >= n && texte.compare(texte.size() - n, n, fin) == 0;
}

std::unique_ptr<DossiersJoueur> choix;

bool existe(const std::string& chemin)
{
    struct stat infos;
    return stat(chemin.c_str(), &infos) == 0;
}

}  // namespace

DossiersJoueur choisitDossiersJoueur(bool inscriptible, const char* xdgConfig, const char* xdgData, const char* home)
{
    DossiersJoueur d;
    if (inscriptible)
        return d;
    const bool maison = absolu(home);
    if (!maison && !(absolu(xdgConfig) && absolu(xdgData)))
        return d;
    d.locaux = false;
    d.reglages = absolu(xdgConfig) ? std::string(xdgConfig) : std::string(home) + "/.config";
    d.donnees = absolu(xdgData) ? std::string(xdgData) : std::string(home) + "/.local/share";
    d.reglages += std::string("/") + NomJeu;
    d.donnees += std::string("/") + NomJeu;
    return d;
}

bool contenuInscriptible(const std::string& dossier)
{
    std::string reel = dossier;
    if (char* r = realpath(dossier.c_str(), nullptr)) {
        reel = r;
        free(r);
    }
    return !finitPar(reel, ContenuInstalle) && access(reel.c_str(), W_OK) == 0;
}

const DossiersJoueur& dossiersJoueur()
{
    if (!choix) {
        const char* home = getenv("HOME");
        if (!absolu(home)) {
            const passwd* compte = getpwuid(getuid());
            home = compte ? compte->pw_dir : nullptr;
        }
        choix.reset(new DossiersJoueur(
            choisitDossiersJoueur(contenuInscriptible("."), getenv("XDG_CONFIG_HOME"), getenv("XDG_DATA_HOME"), home)));
        if (choix->locaux && !contenuInscriptible("."))
            messageErreur("Ni HOME ni XDG_CONFIG_HOME et XDG_DATA_HOME : les réglages restent dans le dossier du jeu\n");
    }
    return *choix;
}

void oublieDossiersJoueur()
{
    choix.reset();
}

bool creeDossiers(const std::string& dossier, unsigned mode)
{
    if (dossier.empty())
        return false;
    struct stat infos;
    if (stat(dossier.c_str(), &infos) == 0) {
        errno = S_ISDIR(infos.st_mode) ? 0 : ENOTDIR;
        return errno == 0;
    }
    size_t barre = dossier.find_last_of('/');
    if (barre != std::string::npos && barre > 0 && !creeDossiers(dossier.substr(0, barre), mode))
        return false;
    return mkdir(dossier.c_str(), mode) == 0 || errno == EEXIST;
}

std::string fichierReglages(const char* nom)
{
    const DossiersJoueur& d = dossiersJoueur();
    if (d.locaux)
        return nom;
    if (!creeDossiers(d.reglages, ModePrive))
        messageErreur("Dossier impossible à créer : %s : %s\n", d.reglages.c_str(), strerror(errno));
    return d.reglages + "/" + nom;
}

std::string fichierReglagesLu(const char* nom)
{
    const DossiersJoueur& d = dossiersJoueur();
    if (d.locaux)
        return nom;
    std::string joueur = d.reglages + "/" + nom;
    return existe(joueur) ? joueur : std::string(nom);
}

bool chargeReglages(CDocumentProfil& document, const char* nom)
{
    const std::string lu = fichierReglagesLu(nom);
    const std::string ecrit = fichierReglages(nom);
    if (lu == ecrit)
        return document.charge(ecrit.c_str());
    // The player has no copy yet: the default's text, saved as theirs.
    CDocumentProfil defaut;
    if (!defaut.charge(lu.c_str()) || !document.charge(ecrit.c_str()))
        return false;
    document.remplaceTexte(defaut.texte());
    return true;
}

std::string dossierDonneesJoueur()
{
    const DossiersJoueur& d = dossiersJoueur();
    if (d.locaux)
        return ".";
    if (!creeDossiers(d.donnees, ModePrive))
        messageErreur("Dossier impossible à créer : %s : %s\n", d.donnees.c_str(), strerror(errno));
    return d.donnees;
}

std::string cheminDonneesJoueur(const std::string& relatif)
{
    if (dossiersJoueur().locaux)
        return relatif;
    std::string r = relatif;
    while (r.compare(0, 2, "./") == 0)
        r.erase(0, 2);
    return dossierDonneesJoueur() + "/" + r;
}
