// The journey's levels played through by the built game, at twice the game
// clock's speed: the scripted player of the demo play-through, which also
// jumps what a strike cannot stop, must finish each of them.
//
// With CORVANTHELIS_ESSAIS=N, first-time players (who misjudge each
// danger's distance by up to 50 px and answer it a tenth of a second late
// on average) also play each level N times, and the test prints the share
// finished, the mean time and the deaths.
#include "support/DonneesJeu.h"
#include "support/JoueurScripte.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace testsupport;

namespace {

using PartieNiveauxE2E = TestSurServeurX;

const int Acceleration = 2;

// The level files named by the journey, in its order.
std::vector<std::string> niveauxDuParcours()
{
    std::vector<std::string> niveaux;
    std::string texte = lisFichier("data/parcours.ini");
    for (size_t i = texte.find("fichier="); i != std::string::npos; i = texte.find("fichier=", i + 1)) {
        size_t fin = texte.find_first_of("\r\n", i);
        niveaux.push_back(texte.substr(i + 8, fin == std::string::npos ? std::string::npos : fin - i - 8));
    }
    return niveaux;
}

void prepare()
{
    const std::string construit = CORVANTHELIS_BIN_DIR;
    ASSERT_TRUE(fichierExiste(construit + "/data/parcours.ini")) << "the build's content step has not run";
    rmdir("data");
    ASSERT_EQ(symlink((construit + "/data").c_str(), "data"), 0);
    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=640\nResolutionVerticale=480\nPleinEcran=0\n"
                               "Bilineaire=0\nVSync=1\nMode16bits=0\nHogCPU=0\nIntro=0\n");
    setenv("CORVANTHELIS_SONDE", "1", 1);
    setenv("CORVANTHELIS_ACCELERATION", std::to_string(Acceleration).c_str(), 1);
}

ResultatJeu joue(const std::string& niveau, const StyleJoueur& style)
{
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {"--niveau", niveau});
    EXPECT_TRUE(jeu.lance());
    EXPECT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    ResultatJeu r = joueJusquAuBout(style);
    quitteParEchap(jeu);
    return r;
}

TEST_F(PartieNiveauxE2E, TheScriptedPlayerFinishesEveryLevelAfterTheFirst)
{
    prepare();
    std::vector<std::string> niveaux = niveauxDuParcours();
    ASSERT_GE(niveaux.size(), 3u);
    StyleJoueur style;
    style.delaiMs = 8 * 60 * 1000 / Acceleration;
    // The first is the demo play-through's.
    for (size_t n = 1; n < niveaux.size(); ++n) {
        ResultatJeu r = joue(niveaux[n], style);
        ASSERT_TRUE(r.fini) << niveaux[n] << " not finished in 8 minutes of play; deaths: " << r.morts;
        EXPECT_GT(r.creatures, 0) << niveaux[n];
        EXPECT_GT(r.lueursTotal, 0) << niveaux[n];
        std::printf("%s: %d min %02d s, %d deaths, %d lights of %d, %d creatures\n", niveaux[n].c_str(), r.minutes,
                    r.secondes, r.morts, r.lueurs, r.lueursTotal, r.creatures);
    }
}

TEST_F(PartieNiveauxE2E, FirstTimePlayers)
{
    const char* essais = getenv("CORVANTHELIS_ESSAIS");
    if (!essais)
        GTEST_SKIP() << "set CORVANTHELIS_ESSAIS=N to measure N first-time players per level";
    prepare();
    // CORVANTHELIS_ESSAIS_NIVEAU=marais: that level alone.
    const char* seul = getenv("CORVANTHELIS_ESSAIS_NIVEAU");
    for (const std::string& niveau : niveauxDuParcours()) {
        if (seul && niveau.find(seul) == std::string::npos)
            continue;
        int finis = 0, morts = 0, secondes = 0;
        std::string lieux;
        const int n = std::atoi(essais);
        for (int essai = 0; essai < n; ++essai) {
            StyleJoueur style;
            style.ecart = 50;
            style.retardMs = 100 / Acceleration;
            style.graine = 1000 + essai;
            style.delaiMs = 10 * 60 * 1000 / Acceleration;
            ResultatJeu r = joue(niveau, style);
            morts += r.morts;
            for (int x : r.lieuxMorts)
                lieux += " " + std::to_string(x);
            if (r.fini) {
                ++finis;
                secondes += r.minutes * 60 + r.secondes;
            }
        }
        std::printf("%s: %d of %d finished, mean %d s, %.1f deaths a run; deaths at x%s\n", niveau.c_str(), finis,
                    n, finis ? secondes / finis : 0, n ? double(morts) / n : 0.0, lieux.c_str());
    }
}

}
