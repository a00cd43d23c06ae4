// The generator writes byte-identical files on every run.

#include "ContenuCommun.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> fichiersGeneres(const std::string& racine) {
    std::vector<std::string> r;
    for (const char* d : {"data", "dataqv"})
        for (const std::string& f : contenu::fichiers(racine, d))
            if (f != "data/.genere") r.push_back(f);  // the build's own mark
    r.push_back("config.ini");
    r.push_back("viewinfos.vwe");
    return r;
}

}

// The build's own run, into a folder it empties first, is the first of the
// two: one more run here is enough to compare.
TEST(Generateur, TwoRunsGiveTheSameFiles) {
    testsupport::DossierTemporaire tmp;
    std::string sortie;
    ASSERT_EQ(testsupport::execute(testsupport::cheminBinaire("gendata") + " second", &sortie), 0) << sortie;
    const std::string premier = contenu::dossier(), second = tmp.chemin() + "/second";
    std::vector<std::string> a = fichiersGeneres(premier);
    ASSERT_EQ(a, fichiersGeneres(second));
    EXPECT_GT(a.size(), 130u);
    // One mode for every file, whatever library wrote it.
    namespace fs = std::filesystem;
    const fs::perms mode = fs::status(second + "/config.ini").permissions();
    for (const std::string& f : a) {
        EXPECT_EQ(fs::status(second + "/" + f).permissions(), mode) << f;
        std::string x = contenu::lis(premier + "/" + f), y = contenu::lis(second + "/" + f);
        EXPECT_FALSE(x.empty()) << f;
        EXPECT_TRUE(x == y) << f << " diffère d'un passage à l'autre";
    }
}
