#ifndef CORVANTHELIS_TESTS_CONTENUCOMMUN_H
#define CORVANTHELIS_TESTS_CONTENUCOMMUN_H

// Helpers for the tests of the generated content: where it is, and how to
// walk and read its files.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace contenu {

// The runtime folder the build generated (the build folder itself).
inline std::string dossier() { return CORVANTHELIS_BIN_DIR; }

// Every regular file under racine/sousDossier, relative to racine, sorted.
inline std::vector<std::string> fichiers(const std::string& racine, const std::string& sousDossier) {
    namespace fs = std::filesystem;
    std::vector<std::string> r;
    fs::path base(racine);
    if (!fs::exists(base / sousDossier)) return r;
    for (const auto& e : fs::recursive_directory_iterator(base / sousDossier))
        if (e.is_regular_file()) r.push_back(fs::relative(e.path(), base).string());
    std::sort(r.begin(), r.end());
    return r;
}

inline std::string lis(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}

#endif
