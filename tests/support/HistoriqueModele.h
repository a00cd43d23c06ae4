#ifndef CORVANTHELIS_TESTS_HISTORIQUEMODELE_H
#define CORVANTHELIS_TESTS_HISTORIQUEMODELE_H

// The editor model's undo history checked on the files it saves.

#include <functional>
#include <string>
#include <vector>

namespace editeur {
class CModeleNiveau;
}

namespace testsupport {

// The texts of `fichiers`, "<absent>" for a missing one.
std::vector<std::string> textesFichiers(const std::vector<std::string>& fichiers);

// Runs each step and saves; then every undo and every redo, saved, gives
// back `fichiers` byte for byte as they were after that step.
void verifieHistorique(editeur::CModeleNiveau& m, const std::vector<std::string>& fichiers,
                       const std::vector<std::function<void()>>& etapes);

}

#endif
