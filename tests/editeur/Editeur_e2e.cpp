// The level editor driven with real keys and clicks on a copy of the demo
// content (it writes the level's files), on an X server of its own.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace testsupport;

namespace {

const char* const PlanSol = "data/levels/level1/sol.ini";

class EditeurE2E : public TestSurServeurX {
protected:
    void SetUp() override
    {
        TestSurServeurX::SetUp();
        const std::string construit = CORVANTHELIS_BIN_DIR;
        ASSERT_TRUE(fichierExiste(construit + "/data/levels/level1.ini")) << "the build's content step has not run";
        rmdir("data");
        ASSERT_EQ(execute("cp -r '" + construit + "/data' data"), 0);
        ecritConfigFenetre();
        avant = lisFichier(PlanSol);
    }
    void TearDown() override { unsetenv("CORVANTHELIS_AUTOSAVE_MS"); }

    // Waits for the editor's first frames (its frame-rate report).
    void attendEditeur(const std::string& sortie = "sortie.txt")
    {
        ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
        attendLigne(sortie, "FPS : ", 20000);
        ASSERT_NE(lisFichier(sortie).find("FPS : "), std::string::npos) << lisFichier("erreurs.txt");
    }
    // The ground plane (the fourth), grid on, a click at screen (x, y).
    // The editor reads its events in order, each click at its own place:
    // what follows needs no wait.
    void placeSurSol(int x, int y)
    {
        execute("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    }
    // Saves, and waits for the report: every earlier event has been taken.
    void enregistre(const std::string& sortie = "sortie.txt")
    {
        appuie("ctrl+s");
        attendLigne(sortie, "Enregistrement");
    }
    static int compte(const std::string& texte, const std::string& motif)
    {
        int n = 0;
        for (size_t p = texte.find(motif); p != std::string::npos; p = texte.find(motif, p + 1))
            ++n;
        return n;
    }

    std::string avant;
};

// At level position 2800 and zoom 100, screen (100, 100) is ground-plane
// (2900, 100): (2896, 96) on the grid; (400, 100) gives (3200, 96).
TEST_F(EditeurE2E, TwoPlacementsOneUndoneSaveKeepsOneAndTheCheckerPasses)
{
    ProgrammeLance editeur(cheminBinaire("editor"), {});
    attendEditeur();
    // Left alone, the editor draws only a few frames a second: the report
    // after the first counts a second of that.
    attendQue([] { return compte(lisFichier("sortie.txt"), "FPS : ") >= 2; });
    std::string journal = lisFichier("sortie.txt");
    size_t fps = journal.rfind("FPS : ");
    ASSERT_NE(fps, std::string::npos);
    EXPECT_LE(std::atoi(journal.c_str() + fps + 6), 10) << journal;
    for (const char* t : {"Tab", "Tab", "Tab", "g"})
        appuie(t);
    placeSurSol(100, 100);
    placeSurSol(400, 100);
    appuie("ctrl+z");
    // Another program changes the plane meanwhile: the save asks first. A
    // copy beside it, then overwriting, are two of the answers.
    ecritFichier(PlanSol, avant + "; ailleurs\n");
    const std::string conflit = "Fichier modifié par un autre programme";
    const std::string mien = std::string(PlanSol) + ".mien";
    for (int fois = 1; fois <= 2; ++fois) {
        appuie("ctrl+s");
        attendQue([&] { return compte(lisFichier("erreurs.txt"), conflit) >= fois; });
        ASSERT_EQ(compte(lisFichier("erreurs.txt"), conflit), fois) << lisFichier("erreurs.txt");
        EXPECT_EQ(lisFichier(PlanSol), avant + "; ailleurs\n");
        appuie(fois == 1 ? "c" : "e");
        if (fois == 1)
            attendQue([&] { return lisFichier(mien).find("positionX=2896\npositionY=96\n") != std::string::npos; });
    }
    EXPECT_NE(lisFichier(mien).find("positionX=2896\npositionY=96\n"), std::string::npos);
    unlink(mien.c_str());
    attendLigne("sortie.txt", "Enregistrement");
    std::string sortie = lisFichier("sortie.txt");
    // The editor's own check of the saved level.
    EXPECT_NE(sortie.find(" ms, 0 problème(s)"), std::string::npos) << sortie;
    quitteParEchap(editeur);  // saved: no question

    std::string apres = lisFichier(PlanSol);
    EXPECT_EQ(compte(apres, "Position"), compte(avant, "Position") + 1);
    EXPECT_NE(apres.find("positionX=2896\npositionY=96\n"), std::string::npos);
    EXPECT_EQ(apres.find("positionX=3200\npositionY=96\n"), std::string::npos);
    // The checker program on the folder: nothing about the level (the copy
    // lacks the viewers' files, which it reports too).
    std::string rapport;
    execute(cheminBinaire("verifie") + " . 2>&1", &rapport);
    EXPECT_NE(rapport.find("avertissement"), std::string::npos) << rapport;  // it did run
    EXPECT_EQ(rapport.find("data/levels"), std::string::npos) << rapport;
}

TEST_F(EditeurE2E, KilledEditorOffersItsAutosaveAtTheNextStart)
{
    setenv("CORVANTHELIS_AUTOSAVE_MS", "500", 1);
    {
        ProgrammeLance editeur(cheminBinaire("editor"), {});
        attendEditeur();
        for (const char* t : {"Tab", "Tab", "Tab", "g"})
            appuie(t);
        placeSurSol(100, 100);
        attendQue([] { return fichierExiste("data/levels/level1.ini.autosave"); });
        editeur.signale(SIGKILL);
        int statut = 0;
        ASSERT_TRUE(editeur.attendFin(5000, &statut));
    }
    ASSERT_TRUE(fichierExiste("data/levels/level1.ini.autosave"));
    EXPECT_EQ(lisFichier(PlanSol), avant);

    ProgrammeLance editeur(cheminBinaire("editor"), {}, "sortie2.txt");
    attendEditeur("sortie2.txt");
    appuie("Return");
    enregistre("sortie2.txt");
    quitteParEchap(editeur);
    std::string apres = lisFichier(PlanSol);
    EXPECT_EQ(compte(apres, "Position"), compte(avant, "Position") + 1);
    EXPECT_NE(apres.find("positionX=2896\npositionY=96\n"), std::string::npos);
}

// Escape closes the plane panel and leaves the editor running; from the
// plain view it quits. The palette has its own strip under the level's
// 480 rows, and F2 hides it.
TEST_F(EditeurE2E, EscapeClosesThePanelFirstAndThePaletteLeavesTheLevelBottomClear)
{
    ProgrammeLance editeur(cheminBinaire("editor"), {});
    attendEditeur();
    const int hauteur = 548;
    const std::vector<Couleur> sans = attendEcranStable(640, hauteur);
    ASSERT_EQ(sans.size(), 640u * hauteur);
    auto panneauDiffere = [&](const std::vector<Couleur>& e) { return pixelsDifferents(sans, e, 0, 60, 230, 240); };
    appuie("p");
    EXPECT_GT(panneauDiffere(attendEcran(640, hauteur, panneauDiffere)), 0);
    appuie("Escape");
    EXPECT_EQ(panneauDiffere(attendEcran(640, hauteur, [&](const auto& e) { return panneauDiffere(e) == 0; })), 0);
    EXPECT_TRUE(editeur.enCours());

    appuie("F2");
    auto paletteDiffere = [&](const std::vector<Couleur>& e) { return pixelsDifferents(sans, e, 0, 480, 640, hauteur); };
    const std::vector<Couleur> cachee = attendEcran(640, hauteur, paletteDiffere);
    EXPECT_GT(paletteDiffere(cachee), 0);
    EXPECT_EQ(pixelsDifferents(sans, cachee, 0, 60, 640, 470), 0);  // the level above it is the same
    quitteParEchap(editeur);
}

// The level panel plays the level's music while it is open, and nothing
// opens the audio device before (SDL's disk driver writes what is mixed).
TEST_F(EditeurE2E, LevelPanelPlaysTheMusicWhileOpen)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIODELAY", "10", 1);
    setenv("SDL_DISKAUDIOFILE", (dossier.chemin() + "/son.raw").c_str(), 1);
    ProgrammeLance editeur(cheminBinaire("editor"), {});
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    attendEditeur();
    EXPECT_FALSE(fichierExiste("son.raw"));
    appuie("l");
    attendQue([] { return creteSon(lisFichier("son.raw")) > 5000; });
    EXPECT_GT(creteSon(lisFichier("son.raw")), 5000) << lisFichier("erreurs.txt");
    appuie("l");
    // Once the panel is closed, what is mixed next is silence.
    size_t ferme = 0;
    attendQue([&] {
        const std::string brut = lisFichier("son.raw");
        if (ferme == 0 && creteSon(brut, brut.size() - std::min<size_t>(brut.size(), 4000)) == 0)
            ferme = brut.size();
        return ferme > 0 && brut.size() > ferme + 100000;
    });
    ASSERT_GT(ferme, 0u) << "the music went on after the panel closed";
    EXPECT_EQ(creteSon(lisFichier("son.raw"), ferme), 0);
    quitteParEchap(editeur);
}

bool pareilsHorsHudEtHeros(const std::vector<Couleur>& a, const std::vector<Couleur>& b)
{
    return pixelsDifferents(a, b, 0, 60, 290, 480) + pixelsDifferents(a, b, 390, 60, 640, 480) == 0;
}

// The plain preview (F1) at the editor's start is the game's picture at
// the same level position, but for the game's HUD and the hero's
// animation.
TEST_F(EditeurE2E, PreviewShowsTheLevelAsTheGameDoes)
{
    std::vector<Couleur> jeu, apercu;
    {
        ProgrammeLance partie(cheminBinaire("corvanthelis"), {"--position", "2800"}, "jeu.txt");
        attendEditeur("jeu.txt");
        jeu = attendEcranStable(640, 480, nullptr, DelaiAttente, pareilsHorsHudEtHeros);
        quitteParEchap(partie);
    }
    ProgrammeLance editeur(cheminBinaire("editor"), {});
    attendEditeur();
    appuie("F1");
    apercu = attendEcran(640, 480,
                         [&](const std::vector<Couleur>& e) { return pareilsHorsHudEtHeros(jeu, e); });
    quitteParEchap(editeur);
    ASSERT_EQ(jeu.size(), apercu.size());
    EXPECT_EQ(pixelsDifferents(jeu, apercu, 0, 60, 290, 480) + pixelsDifferents(jeu, apercu, 390, 60, 640, 480), 0);
}

}
