#include "foundation/DossiersJoueur.h"

#include "foundation/DocumentProfil.h"
#include "foundation/DossierDepart.h"
#include "foundation/Messages.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
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
// Pictures decode on worker threads, through cheminContenuLu.
std::mutex verrouChoix;

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
    std::lock_guard<std::mutex> garde(verrouChoix);
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
    std::lock_guard<std::mutex> garde(verrouChoix);
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

namespace {

// The text of `lu`, saved to `ecrit`: the player's own copy of an installed
// file once it is written.
bool chargeVers(CDocumentProfil& document, const std::string& lu, const std::string& ecrit)
{
    return lu == ecrit ? document.charge(ecrit.c_str()) : document.chargeCopie(lu.c_str(), ecrit.c_str());
}

}  // namespace

bool chargeReglages(CDocumentProfil& document, const char* nom)
{
    return chargeVers(document, fichierReglagesLu(nom), fichierReglages(nom));
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

namespace {

// `nom` as a name under the content's data/ ("data/levels/a.ini"), or ""
// for a name the author's folder does not mirror.
std::string nomContenu(const std::string& nom)
{
    if (nom.empty() || nom[0] == '/')
        return std::string();
    const std::string n = std::filesystem::path(nom).lexically_normal().generic_string();
    const bool sousData = n.compare(0, 5, "data/") == 0 && n.size() > 5;
    return sousData && n.find("/../") == std::string::npos ? n : std::string();
}

std::string donneesAuteur()
{
    const DossiersJoueur& d = dossiersJoueur();
    return d.locaux ? std::string() : d.donnees;
}

}  // namespace

std::string cheminContenuEcrit(const std::string& nom, const std::string& donnees)
{
    const std::string n = donnees.empty() ? std::string() : nomContenu(nom);
    return n.empty() ? nom : donnees + "/" + n;
}

std::string cheminContenuLu(const std::string& nom, const std::string& donnees)
{
    const std::string auteur = cheminContenuEcrit(nom, donnees);
    return auteur != nom && existe(auteur) ? auteur : nom;
}

std::string cheminContenuEcrit(const std::string& nom)
{
    return cheminContenuEcrit(nom, donneesAuteur());
}

std::string cheminContenuLu(const std::string& nom)
{
    return cheminContenuLu(nom, donneesAuteur());
}

bool creeDossierContenu(const std::string& fichier)
{
    const std::string donnees = donneesAuteur();
    if (donnees.empty() || fichier.compare(0, donnees.size() + 1, donnees + "/") != 0)
        return true;
    const std::string dossier = fichier.substr(0, fichier.find_last_of('/'));
    if (creeDossiers(dossier, ModePrive))
        return true;
    messageErreur("Dossier impossible à créer : %s : %s\n", dossier.c_str(), strerror(errno));
    return false;
}

namespace {

void ajouteFichiers(const std::string& racine, const std::string& dossier, bool recursif, std::set<std::string>& noms)
{
    namespace fs = std::filesystem;
    const fs::path base = racine.empty() ? fs::path(".") : fs::path(racine);
    const fs::path depart = base / dossier;
    std::error_code erreur;
    auto ajoute = [&](const fs::directory_entry& e) {
        if (e.is_regular_file(erreur))
            noms.insert("./" + e.path().lexically_relative(base).generic_string());
    };
    const auto options = fs::directory_options::skip_permission_denied;
    if (recursif)
        for (fs::recursive_directory_iterator i(depart, options, erreur), fin; !erreur && i != fin; i.increment(erreur))
            ajoute(*i);
    else
        for (fs::directory_iterator i(depart, options, erreur), fin; !erreur && i != fin; i.increment(erreur))
            ajoute(*i);
}

}  // namespace

std::vector<std::string> fichiersAuteur(const std::string& dossier, bool recursif)
{
    std::set<std::string> noms;
    const std::string donnees = donneesAuteur();
    if (!donnees.empty() && !nomContenu(dossier).empty())
        ajouteFichiers(donnees, nomContenu(dossier), recursif, noms);
    return std::vector<std::string>(noms.begin(), noms.end());
}

std::vector<std::string> fichiersContenu(const std::string& dossier, bool recursif)
{
    std::set<std::string> noms;
    ajouteFichiers("", std::filesystem::path(dossier).lexically_normal().generic_string(), recursif, noms);
    for (const std::string& n : fichiersAuteur(dossier, recursif))
        noms.insert(n);
    return std::vector<std::string>(noms.begin(), noms.end());
}

bool chargeContenu(CDocumentProfil& document, const std::string& nom)
{
    return chargeVers(document, cheminContenuLu(nom), cheminContenuEcrit(nom));
}

std::string cheminNiveauDonne(const char* donne)
{
    const std::string depart = cheminDepuisDepart(donne);
    if (!donne || depart == donne || existe(depart) || cheminContenuEcrit(donne) == donne)
        return depart;
    return donne;
}
