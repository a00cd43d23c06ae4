// A whole level made in the editor with real keys and clicks: created, two
// planes, a finish line, a wolf with a patrol of its own, saved, then
// played with F5 to its finish.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

void clic(int x, int y)
{
    execute("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
}

// On the sheet screen: a frame drawn in the middle, where any sheet is, then accepted.
void decoupeTuile()
{
    execute("xdotool mousemove 310 200 mousedown 1 mousemove 320 210 mousemove 330 220 mouseup 1");
    appuie("Return");
}

int fenetresJeu()
{
    std::string sortie;
    execute("xdotool search --name '^Corvanthelis$' 2>/dev/null | wc -l", &sortie);
    return atoi(sortie.c_str());
}

// The palette cell of an actor type: the types are data/acteurs/*.ini, sorted.
int caseType(const std::string& type)
{
    std::vector<std::string> types;
    if (DIR* d = opendir("data/acteurs")) {
        while (dirent* e = readdir(d)) {
            std::string nom = e->d_name;
            if (nom.size() > 4 && nom.compare(nom.size() - 4, 4, ".ini") == 0)
                types.push_back(nom.substr(0, nom.size() - 4));
        }
        closedir(d);
    }
    std::sort(types.begin(), types.end());
    return static_cast<int>(std::find(types.begin(), types.end(), type) - types.begin());
}

using NouveauNiveauE2E = TestSurServeurX;

TEST_F(NouveauNiveauE2E, TwoPlanesAFinishAndAWolfSavedThenPlayedToTheEnd)
{
    const std::string construit = CORVANTHELIS_BIN_DIR;
    rmdir("data");
    ASSERT_EQ(execute("cp -r '" + construit + "/data' data"), 0);
    ecritConfigFenetre();
    const int loup = caseType("loup");
    ASSERT_LT(loup, 10) << "the wolf's cell is not on the palette's first page";

    ProgrammeLance editeur(cheminBinaire("editor"), {"data/levels/mien.ini"});
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    attendLigne("sortie.txt", "FPS : ", 20000);
    appuie("Return");  // creates it
    // At 75 %, the view shows the level from position 2693: the hero starts
    // at 2993, the finish goes to 3133 (screen x 330) and the wolf to 3493
    // (600), beyond its alert distance from the finish.
    appuie("minus");
    appuie("shift+t");
    decoupeTuile();
    clic(320, 300);
    appuie("n");  // the second plane, from the same picture
    decoupeTuile();
    clic(320, 120);
    appuie("a");
    clic(loup * 64 + 32, 480 + 34);  // the palette, under the view
    clic(600, 150);
    clic(606, 156);  // selects it
    appuie("p");
    for (int i = 0; i < 3; ++i)
        appuie("Down");
    for (int i = 0; i < 10; ++i)
        appuie("Left");
    execute("xdotool mousemove 330 200");
    appuie("f");
    appuie("ctrl+s");
    attendLigne("sortie.txt", "Enregistrement");
    const std::string sortie = lisFichier("sortie.txt");
    EXPECT_NE(sortie.find(" ms, 0 problème(s)"), std::string::npos) << sortie << lisFichier("erreurs.txt");

    const std::string niveau = lisFichier("data/levels/mien.ini");
    EXPECT_NE(niveau.find("nombrePlans=2\nnombreActeurs=1\narriveeX=3133\n"), std::string::npos) << niveau;
    EXPECT_NE(niveau.find("type=loup\npositionX=3493\n"), std::string::npos) << niveau;
    EXPECT_NE(niveau.find("\npatrouille=60\n"), std::string::npos) << niveau;
    // One tile placed on each plane.
    std::string placements;
    execute("cat data/levels/mien/*.ini | grep -c '^nbPositions=1$'", &placements);
    EXPECT_EQ(atoi(placements.c_str()), 2);

    appuie("F5");
    attendQue([] { return fenetresJeu() >= 2; }, DelaiAttente, 100);
    ASSERT_EQ(fenetresJeu(), 2) << lisFichier("erreurs.txt");
    // Right is pressed again until the game, once it listens, walks the
    // hero over the line.
    bool fini = false;
    for (int essai = 0; essai < 6 && !fini; ++essai) {
        enfonce("Right");
        fini = attendLigne("sortie.txt", "Niveau terminé", 5000);
        relache("Right");
    }
    EXPECT_TRUE(fini) << lisFichier("sortie.txt") << lisFichier("erreurs.txt");
    appuie("Escape");
    attendQue([] { return fenetresJeu() <= 1; }, DelaiAttente, 100);
    // Escape closes the wolf's panel, then quits (saved: no question). Keys
    // pressed before the editor is back from the game are dropped, so it is
    // pressed until the editor ends.
    int statut = -1;
    bool fin = false;
    for (int essai = 0; essai < 8 && !fin; ++essai) {
        appuie("Escape");
        fin = editeur.attendFin(2000, &statut);
    }
    ASSERT_TRUE(fin) << "still running after Escape";
    EXPECT_EQ(statut, 0);
}

}
