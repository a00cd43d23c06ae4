#ifndef CORVANTHELIS_TESTS_TESTSUPPORT_H
#define CORVANTHELIS_TESTS_TESTSUPPORT_H

// Helpers shared by the tests: a scratch folder that becomes the working
// folder, file writing and reading, and capture of standard output/error.

#include <string>

namespace testsupport {

// Creates a fresh folder under /tmp, makes it the working folder, and on
// destruction goes back and removes it.
class DossierTemporaire {
public:
    DossierTemporaire();
    ~DossierTemporaire();
    const std::string& chemin() const { return chemin_; }
private:
    std::string chemin_;
    std::string precedent_;
};

void ecritFichier(const std::string& nom, const std::string& contenu);
std::string lisFichier(const std::string& nom);
bool fichierExiste(const std::string& nom);
// The loudest sample of signed 16-bit little-endian audio (what SDL's disk
// driver writes), from byte `debut`.
int creteSon(const std::string& brut, size_t debut = 0);

// Captures what is written to a standard stream (1 or 2) between creation
// and texte(), through a temporary file.
class Capture {
public:
    explicit Capture(int descripteur);
    ~Capture();
    std::string texte();
private:
    int descripteur_;
    int sauvegarde_;
    std::string fichier_;
    bool fini_;
};

// Path of a program built next to the tests (the game, the tools).
std::string cheminBinaire(const std::string& nom);

// Runs a shell command and returns its exit status; output goes to `sortie`.
int execute(const std::string& commande, std::string* sortie = nullptr);

}

#endif
