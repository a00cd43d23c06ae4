// However large the counts a description asks for, what its loader keeps
// stays bounded by the file's size and by the load's budget.
#include "foundation/FichierDescription.h"
#include "scenery/CBackground.h"
#include "scenery/CLevel.h"
#include "sprites/CSprite.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

long long tailleVirtuelle()
{
    std::ifstream statut("/proc/self/status");
    std::string ligne;
    while (std::getline(statut, ligne))
        if (ligne.compare(0, 7, "VmSize:") == 0)
            return std::atoll(ligne.c_str() + 7) * 1024;
    return 0;
}

std::string sections(const char* format, int n, const std::string& corps)
{
    std::string texte;
    char titre[64];
    for (int i = 1; i <= n; ++i) {
        snprintf(titre, sizeof titre, format, i);
        texte += std::string("[") + titre + "]\n" + corps;
    }
    return texte;
}

// In a child process whose address space may grow by 256 MiB at most: an
// allocation past that aborts it.
int chargeSous256Mio()
{
    struct rlimit limite;
    limite.rlim_cur = limite.rlim_max = tailleVirtuelle() + 256LL * 1024 * 1024;
    if (setrlimit(RLIMIT_AS, &limite) != 0)
        return 2;
    // Quiet: the reader's notices would bury the status.
    if (!freopen("/dev/null", "w", stdout))
        return 2;
    {
        CSprite tropDAnimations, tropDeFrames;
        if (tropDAnimations.initFromIniFile("animations.ini") != 1 ||
            tropDeFrames.initFromIniFile("frames.ini") != 1 || tropDeFrames.getNbAnims() != 1)
            return 3;
    }
    CLevel niveau;
    niveau.initFromIniFile("niveau.ini");
    return niveau.nombrePlans == 1000 ? 0 : 4;
}

TEST(FichierDescription, HugeCountsStayUnder256MiB)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
    DossierTemporaire dossier;
    SDL_Surface* feuille = SDL_CreateRGBSurface(SDL_SWSURFACE, 512, 512, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_EQ(SDL_SaveBMP(feuille, "feuille.bmp"), 0);
    SDL_FreeSurface(feuille);
    // 999 x 65535 frames asked by a few bytes.
    ecritFichier("animations.ini", "[Entete]\nnbAnims=999\n" +
                 sections("Anim%d", 999, "nbFrames=65535\npathPlanche=feuille.bmp\n"));
    // 300 frames, each a whole 1 MiB sheet, all described: 300 MiB asked.
    ecritFichier("frames.ini", "[Entete]\nnbAnims=1\n[Anim1]\nnbFrames=300\nnomAnim=A\n"
                 "pathPlanche=feuille.bmp\n" +
                 sections("Anim1Frame%d", 300, "longueur=65535\nhauteur=65535\npause=1\n"));
    // 1000 planes naming one plane of 16 whole-sheet frames: 16 GiB asked.
    ecritFichier("plan.ini", "[Entete]\nnombreTiles=1\n[Tile1]\nnbPositions=1\nnbFrames=16\n"
                 "pathPlanche=feuille.bmp\n" +
                 sections("Tile1Frame%d", 16, "longueur=512\nhauteur=512\n"));
    ecritFichier("niveau.ini", "[Entete]\nnombrePriorites=1\nnombrePlans=1000\n" +
                 sections("Plan%d", 1000, "pathPlan=plan.ini\n"));

    EXPECT_EXIT(exit(chargeSous256Mio()), ::testing::ExitedWithCode(0), "");
}

TEST(FichierDescription, CountsAreTrustedOnlyAsFarAsTheFileBacksThem)
{
    DossierTemporaire dossier;
    ecritFichier("plan.ini", "[Entete]\nnombreTiles=100\n");
    ecritFichier("sprite.ini", "[Entete]\nnbAnims=3\n[Anim1]\nnbFrames=60000\n");
    ecritFichier("niveau.ini", "[Entete]\nnombrePlans=900\n");
    Capture erreurs(2);
    CBackground plan;
    EXPECT_EQ(plan.initFromIniFile("plan.ini"), 1);
    CSprite sprite;
    EXPECT_EQ(sprite.initFromIniFile("sprite.ini"), 1);
    CLevel niveau;
    niveau.initFromIniFile("niveau.ini");
    EXPECT_EQ(niveau.nombrePlans, 0);
    // Today's messages, with what the file can hold as the limit.
    EXPECT_EQ(erreurs.texte(),
              "Valeur trop grande pour nombreTiles dans plan.ini : 100 (au plus 3)\n"
              "Trop d'images (60000, au plus 2) dans l'animation 1 du fichier de sprite: sprite.ini\n"
              "Trop de plans dans niveau.ini : 900 (au plus 3)\n");
}

TEST(FichierDescription, ADecodedPictureCountsOncePerLoad)
{
    CBudgetChargement budget(100);
    int planche = 0, autre = 0;
    EXPECT_TRUE(budget.preleveImage(&planche, 60));
    EXPECT_TRUE(budget.preleveImage(&planche, 60));  // a second frame cut from it
    EXPECT_FALSE(budget.preleveImage(&autre, 60));
    EXPECT_EQ(budget.combien(1), 40);
}

TEST(FichierDescription, AFifoInsteadOfALevelIsMissingWithoutBlocking)
{
    DossierTemporaire dossier;
    ASSERT_EQ(mkfifo("niveau.ini", 0600), 0);
    alarm(10);  // an open that blocks fails the test instead of hanging it
    Capture erreurs(2);
    CLevel niveau;
    niveau.initFromIniFile("niveau.ini");
    alarm(0);
    EXPECT_EQ(niveau.nombrePlans, 0);
    EXPECT_EQ(erreurs.texte(), "Fichier introuvable : niveau.ini\n");
}

} // namespace
