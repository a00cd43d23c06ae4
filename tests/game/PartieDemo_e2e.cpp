// The demo level played through by the built game: a scripted player that
// sees what the game reports on its probe line and answers with real key
// presses, and a hero who never moves.
#include "support/DonneesJeu.h"
#include "support/JoueurScripte.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <SDL_image.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace testsupport;

namespace {

using PartieDemoE2E = TestSurServeurX;

void demarreDemo()
{
    const std::string construit = CORVANTHELIS_BIN_DIR;
    ASSERT_TRUE(fichierExiste(construit + "/data/levels/level1.ini")) << "the build's content step has not run";
    rmdir("data");
    ASSERT_EQ(symlink((construit + "/data").c_str(), "data"), 0);
    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=640\nResolutionVerticale=480\nPleinEcran=0\n"
                               "Bilineaire=0\nVSync=1\nMode16bits=0\nHogCPU=0\nIntro=0\n");
    setenv("CORVANTHELIS_SONDE", "1", 1);
}

TEST_F(PartieDemoE2E, AScriptedPlayerWhoStrikesWhatComesFinishesTheLevel)
{
    demarreDemo();
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {"--niveau", "./data/levels/level1.ini"});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");

    // Walk right; when a creature comes within reach, stand and strike
    // until it is gone.
    ResultatJeu r = joueJusquAuBout(StyleJoueur());
    ASSERT_TRUE(r.fini) << "not finished within 9 minutes; deaths: " << r.morts;
    // Every light is counted, and the level has creatures to defeat.
    EXPECT_EQ(r.lueursTotal, 11);
    EXPECT_GT(r.creatures, 0);
    std::printf("Demo play-through: %d min %02d s, %d deaths, %d lights, %d creatures\n", r.minutes, r.secondes,
                r.morts, r.lueurs, r.creatures);
    quitteParEchap(jeu);
}

TEST_F(PartieDemoE2E, AHeroWhoStandsStillIsFoundAndDiesAndTheGameOverPlays)
{
    demarreDemo();
    // The 95 game-over pictures, drawn at 0, 0 as they are.
    std::vector<SDL_Surface*> images;
    for (int n = 1; n <= 95; ++n) {
        SDL_Surface* brute = IMG_Load(("data/cin/gameover/anim_gameover_" + std::to_string(n) + ".png").c_str());
        ASSERT_NE(brute, nullptr);
        SDL_PixelFormat rgb = {};
        rgb.BitsPerPixel = 24;
        rgb.BytesPerPixel = 3;
        rgb.Rmask = 0x0000ff, rgb.Gmask = 0x00ff00, rgb.Bmask = 0xff0000;
        rgb.Rshift = 0, rgb.Gshift = 8, rgb.Bshift = 16;
        images.push_back(SDL_ConvertSurface(brute, &rgb, SDL_SWSURFACE));
        SDL_FreeSurface(brute);
    }
    auto montreUneImage = [&](const std::vector<Couleur>& ecran) {
        for (SDL_Surface* i : images) {
            long ecart = 0, n = 0;
            for (int y = 0; y < 480; y += 8)
                for (int x = 0; x < 640; x += 8, ++n) {
                    const uint8_t* p = static_cast<const uint8_t*>(i->pixels) + y * i->pitch + x * 3;
                    const Couleur& e = ecran[y * 640 + x];
                    ecart += std::abs(e.r - p[0]) + std::abs(e.g - p[1]) + std::abs(e.b - p[2]);
                }
            if (ecart / n < 6)
                return true;
        }
        return false;
    };

    // Started at a given position: the level starts again there.
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {"--position", "2900"});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    // The probe falls silent when the hero is down; it took three hits.
    size_t longueur = 0;
    Sonde depart, derniere;
    int silence = 0;
    auto ecrit = std::chrono::steady_clock::now();
    attendQue(
        [&] {
            std::string sortie = lisFichier("sortie.txt");
            auto maintenant = std::chrono::steady_clock::now();
            if (sortie.size() != longueur || !derniere.lue)
                ecrit = maintenant;
            silence
                = int(std::chrono::duration_cast<std::chrono::milliseconds>(maintenant - ecrit).count());
            longueur = sortie.size();
            derniere = derniereSonde(sortie);
            if (!depart.lue)
                depart = derniere;
            return silence >= 500;
        },
        120000, 100);
    ASSERT_GE(silence, 500) << "the idle hero was still standing after 2 minutes";
    EXPECT_EQ(derniere.sante, 1);
    std::vector<Couleur> ecran = attendEcran(640, 480, montreUneImage);
    bool gameOver = ecran.size() == 640u * 480u && montreUneImage(ecran);
    EXPECT_TRUE(gameOver) << "no game-over picture was shown";
    for (SDL_Surface* i : images)
        SDL_FreeSurface(i);
    // Escape skips the sequence; the level starts again, at full health.
    // Waits for a probe line written after Escape.
    const size_t avantEchap = lisFichier("sortie.txt").size();
    appuie("Escape");
    std::string apres;
    attendQue([&] {
        apres = lisFichier("sortie.txt");
        size_t sonde = apres.rfind("sonde ", apres.rfind('\n'));
        return sonde != std::string::npos && sonde >= avantEchap;
    });
    Sonde reprise = derniereSonde(apres);
    EXPECT_EQ(reprise.sante, 3);
    EXPECT_EQ(reprise.herosX, depart.herosX);
    EXPECT_NE(derniere.herosX, depart.herosX) << "each hit knocks the level back";
    EXPECT_EQ(lisFichier("erreurs.txt").find("gameover"), std::string::npos);
    quitteParEchap(jeu);
}

}
