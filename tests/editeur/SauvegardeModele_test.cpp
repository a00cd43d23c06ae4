#include "editeur/ModeleNiveau.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace editeur;
using namespace testsupport;

namespace {

const std::string Niveau = "[Entete]\nnombrePriorites=1\nnombrePlans=1\nnombreActeurs=0\n\n"
                           "[Plan1]\npathPlan=p1.ini\npriorite=1\nscrollRatio=100\n";
const std::string Plan = "[Entete]\nnombreTiles=1\n[Tile1]\nnbFrames=0\nnbPositions=0\n"
                         "pathPlanche=./data/a.bmp\n";

struct Sauvegarde : ::testing::Test {
    DossierTemporaire dossier;
    CModeleNiveau m;
    void SetUp() override
    {
        ecritFichier("niveau.ini", Niveau);
        ecritFichier("p1.ini", Plan);
        ASSERT_TRUE(m.ouvre("niveau.ini"));
    }
};

TEST_F(Sauvegarde, AFailureWhileWritingOneFileChangesNoneAndKeepsTheAutosave)
{
    // The level's new text is small, the plane's large: a file size limit
    // (which binds root too) lets the level's copy be written, not the plane's.
    ASSERT_TRUE(m.placeActeur("garde", 10, 20));
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(m.placeTile(0, 0, i, i));
    ASSERT_TRUE(m.ecritAutosave());
    const std::string autosave = lisFichier(CModeleNiveau::cheminAutosave("niveau.ini"));

    struct rlimit avant;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &avant), 0);
    struct rlimit limite = avant;
    limite.rlim_cur = 1024;
    void (*ancienSignal)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    bool sauve;
    {
        Capture erreurs(2);
        sauve = m.sauve();
        EXPECT_NE(erreurs.texte().find("p1.ini"), std::string::npos);
    }
    setrlimit(RLIMIT_FSIZE, &avant);
    signal(SIGXFSZ, ancienSignal);

    EXPECT_FALSE(sauve);
    EXPECT_EQ(lisFichier("niveau.ini"), Niveau);
    EXPECT_EQ(lisFichier("p1.ini"), Plan);
    EXPECT_EQ(lisFichier(CModeleNiveau::cheminAutosave("niveau.ini")), autosave);
    std::string liste;
    execute("ls -A", &liste);
    EXPECT_EQ(liste, "niveau.ini\nniveau.ini.autosave\np1.ini\n");
    EXPECT_TRUE(m.modifie());

    ASSERT_TRUE(m.sauve());
    EXPECT_NE(lisFichier("niveau.ini").find("type=garde"), std::string::npos);
    EXPECT_NE(lisFichier("p1.ini").find("nbPositions=60"), std::string::npos);
    EXPECT_FALSE(fichierExiste(CModeleNiveau::cheminAutosave("niveau.ini")));
}

TEST_F(Sauvegarde, AFileChangedOnDiskIsNeverOverwrittenWithoutBeingAsked)
{
    ASSERT_TRUE(m.placeActeur("garde", 10, 20));
    // Another program sets the finish line and adds a comment.
    std::string leur = "; retouché\n" + Niveau;
    leur.insert(leur.find("nombreActeurs"), "arriveeX=700\n");
    ecritFichier("niveau.ini", leur);
    // A plane changed on disk that this model did not edit is no conflict.
    ecritFichier("p1.ini", Plan + "; vu ailleurs\n");
    {
        Capture erreurs(2);
        EXPECT_FALSE(m.sauve());
        EXPECT_NE(erreurs.texte().find("niveau.ini"), std::string::npos);
    }
    EXPECT_EQ(lisFichier("niveau.ini"), leur);
    EXPECT_EQ(m.fichiersChangesSurDisque(), std::vector<std::string>{"niveau.ini"});

    // Beside: ours in niveau.ini.mien, theirs untouched, still to settle.
    std::vector<std::string> copies;
    ASSERT_TRUE(m.sauveACote(&copies));
    EXPECT_EQ(copies, std::vector<std::string>{"niveau.ini.mien"});
    const std::string mien = lisFichier("niveau.ini.mien");
    EXPECT_NE(mien.find("type=garde"), std::string::npos);
    EXPECT_EQ(mien.find("arriveeX"), std::string::npos);
    EXPECT_EQ(lisFichier("niveau.ini"), leur);
    EXPECT_FALSE(m.sauve());

    // Theirs taken back as one step; undo gives ours again.
    ASSERT_TRUE(m.recharge());
    int x = 0;
    EXPECT_TRUE(m.arrivee(x));
    EXPECT_EQ(x, 700);
    EXPECT_TRUE(m.acteurs().empty());
    EXPECT_FALSE(m.modifie());
    EXPECT_TRUE(m.fichiersChangesSurDisque().empty());
    ASSERT_TRUE(m.annule());
    EXPECT_FALSE(m.arrivee(x));
    ASSERT_EQ(m.acteurs().size(), 1u);
    EXPECT_TRUE(m.modifie());
    // Now read from the disk, theirs is what ours replaces without a question.
    ASSERT_TRUE(m.sauve());
    EXPECT_EQ(lisFichier("niveau.ini"), mien);
    EXPECT_EQ(lisFichier("p1.ini"), Plan + "; vu ailleurs\n");

    // Overwrite: ours over a changed file when asked to.
    ASSERT_TRUE(m.placeActeur("chauve", 1, 2));
    ecritFichier("niveau.ini", leur);
    Capture erreurs(2);
    EXPECT_FALSE(m.sauve());
    ASSERT_TRUE(m.ecrase());
    EXPECT_NE(lisFichier("niveau.ini").find("type=chauve"), std::string::npos);
    EXPECT_FALSE(m.modifie());
    EXPECT_TRUE(m.fichiersChangesSurDisque().empty());
}

}
