#include "support/TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

DossierTemporaire::DossierTemporaire()
{
    char modele[] = "/tmp/corvanthelis-test-XXXXXX";
    char* dossier = mkdtemp(modele);
    chemin_ = dossier ? dossier : "/tmp";
    char actuel[4096];
    if (getcwd(actuel, sizeof actuel))
        precedent_ = actuel;
    if (chdir(chemin_.c_str()) != 0)
        perror("chdir");
}

DossierTemporaire::~DossierTemporaire()
{
    if (!precedent_.empty() && chdir(precedent_.c_str()) != 0)
        perror("chdir");
    if (chemin_ != "/tmp")
        execute("rm -rf '" + chemin_ + "'");
}

void ecritFichier(const std::string& nom, const std::string& contenu)
{
    std::ofstream f(nom, std::ios::binary);
    f << contenu;
}

std::string lisFichier(const std::string& nom)
{
    std::ifstream f(nom, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool fichierExiste(const std::string& nom)
{
    struct stat etat;
    return stat(nom.c_str(), &etat) == 0;
}

int creteSon(const std::string& brut, size_t debut)
{
    int crete = 0;
    for (size_t i = debut & ~size_t(1); i + 2 <= brut.size(); i += 2)
        crete = std::max(crete, std::abs(int(int16_t(uint8_t(brut[i]) | (uint8_t(brut[i + 1]) << 8)))));
    return crete;
}

Capture::Capture(int descripteur) : descripteur_(descripteur), fini_(false)
{
    char modele[] = "/tmp/corvanthelis-capture-XXXXXX";
    int fd = mkstemp(modele);
    fichier_ = modele;
    fflush(stdout);
    fflush(stderr);
    sauvegarde_ = dup(descripteur_);
    dup2(fd, descripteur_);
    close(fd);
}

std::string Capture::texte()
{
    if (!fini_) {
        fflush(stdout);
        fflush(stderr);
        dup2(sauvegarde_, descripteur_);
        close(sauvegarde_);
        fini_ = true;
    }
    return lisFichier(fichier_);
}

Capture::~Capture()
{
    texte();
    unlink(fichier_.c_str());
}

std::string cheminBinaire(const std::string& nom)
{
    return std::string(CORVANTHELIS_BIN_DIR) + "/" + nom;
}

int execute(const std::string& commande, std::string* sortie)
{
    FILE* p = popen(commande.c_str(), "r");
    if (!p)
        return -1;
    char bloc[4096];
    size_t n;
    while ((n = fread(bloc, 1, sizeof bloc, p)) > 0)
        if (sortie)
            sortie->append(bloc, n);
    int statut = pclose(p);
    return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
}

}
