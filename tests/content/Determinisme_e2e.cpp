// The generator writes byte-identical files on every run.

#include "ContenuCommun.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(Generateur, DeuxPassagesDonnentLesMemesFichiers) {
    testsupport::DossierTemporaire tmp;
    std::string gen = testsupport::cheminBinaire("gendata");
    std::string sortie;
    // Both runs at once: each keeps one core busy only part of the time.
    ASSERT_EQ(testsupport::execute(gen + " premier & p=$!; " + gen + " second && wait $p", &sortie), 0) << sortie;
    std::vector<std::string> a, b;
    for (const char* d : {"data", "dataqv"}) {
        for (const std::string& f : contenu::fichiers(tmp.chemin() + "/premier", d)) a.push_back(f);
        for (const std::string& f : contenu::fichiers(tmp.chemin() + "/second", d)) b.push_back(f);
    }
    a.push_back("config.ini");
    a.push_back("viewinfos.vwe");
    b.push_back("config.ini");
    b.push_back("viewinfos.vwe");
    ASSERT_EQ(a, b);
    EXPECT_GT(a.size(), 130u);
    // One mode for every file, whatever library wrote it.
    namespace fs = std::filesystem;
    const fs::perms mode = fs::status(tmp.chemin() + "/premier/config.ini").permissions();
    for (const std::string& f : a) {
        EXPECT_EQ(fs::status(tmp.chemin() + "/premier/" + f).permissions(), mode) << f;
        std::string x = contenu::lis(tmp.chemin() + "/premier/" + f), y = contenu::lis(tmp.chemin() + "/second/" + f);
        EXPECT_FALSE(x.empty()) << f;
        EXPECT_TRUE(x == y) << f << " diffère d'un passage à l'autre";
    }
}
