#include "game/Demarrage.h"
#include "render/Decodage.h"
#include "render/PartageImages.h"
#include "scenery/CLevel.h"
#include "sprites/CSprite.h"
#include "sprites/ConversionSprite.h"
#include "support/ContexteGL.h"
#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

using namespace testsupport;

namespace {

// Counts the files actually decoded, by path.
struct Decodages {
    std::map<std::string, int> parFichier;
    Decodages()
    {
        setEcouteDecodage([this](const char* f) { ++parFichier[f]; });
    }
    ~Decodages() { setEcouteDecodage(nullptr); }
    bool chacunUneFois() const
    {
        for (const auto& p : parFichier)
            if (p.second != 1)
                return false;
        return !parFichier.empty();
    }
};

// The demo content's loads, run in the build folder that holds it.
class DecodageParChargement : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ouvreContexteGL());
        char ici[4096];
        ASSERT_NE(getcwd(ici, sizeof ici), nullptr);
        precedent = ici;
        ASSERT_EQ(chdir(CORVANTHELIS_BIN_DIR), 0);
    }
    void TearDown() override { (void)!chdir(precedent.c_str()); }
    std::string precedent;
};

TEST_F(DecodageParChargement, EachDistinctFileOncePerLoad)
{
    {
        Decodages d;
        CSprite heros;
        heros.initFromIniFile("./data/sprites/vornaSprite.ini");
        ASSERT_GT(heros.getNbAnims(), 1);
        EXPECT_EQ(d.parFichier, (std::map<std::string, int>{{"./data/sprites/vorna.png", 1}}));
        // Released with the load: the next load decodes again.
        CSprite encore;
        encore.initFromIniFile("./data/sprites/vornaSprite.ini");
        EXPECT_EQ(d.parFichier["./data/sprites/vorna.png"], 2);
    }
    {
        Decodages d;
        Capture sortie(1);
        CLevel niveau;
        niveau.initFromIniFile("./data/levels/level1.ini");
        EXPECT_GE(d.parFichier.size(), 2u);
        EXPECT_TRUE(d.chacunUneFois());
    }
    {
        Decodages d;
        DossierTemporaire ailleurs;
        std::string bin = CORVANTHELIS_BIN_DIR;
        ASSERT_EQ(symlink((bin + "/data").c_str(), "data"), 0);
        ASSERT_EQ(convertitSprite((bin + "/viewanims.dat").c_str(), "heros.spr"), 0);
        EXPECT_EQ(d.parFichier, (std::map<std::string, int>{{"./data/sprites/vorna.png", 1}}));
    }
}

TEST_F(DecodageParChargement, StartUpPrefetchHoldsEveryPictureTheFirstFrameLoads)
{
    std::vector<std::string> liste = imagesDuDemarrage(false);
    Decodages d;
    prechargeImages(liste);
    SceneJeu scene;
    {
        Capture sortie(1);
        chargeScene(scene);
    }
    // The loaders asked for nothing the prefetch did not decode, once.
    EXPECT_TRUE(d.chacunUneFois());
    EXPECT_EQ(d.parFichier.size(), liste.size());
    for (const std::string& f : liste)
        EXPECT_EQ(d.parFichier.count(f), 1u) << f;
    EXPECT_GT(scene.sprite->getNbAnims(), 0);
    libereScene(scene);
}

TEST(Prechargement, LoadersTakeThePrefetchedPicturesAndFailuresStayTheirs)
{
    DossierTemporaire dossier;
    ASSERT_TRUE(ecritImageBMP("a.bmp", 3, 2, [](int x, int) { return Couleur{x, 0, 0}; }));
    Decodages d;
    prechargeImages({"a.bmp", "absente.bmp", "a.bmp"});
    SDL_Surface* a = decodeImage("a.bmp");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->w, 3);
    EXPECT_EQ(decodeImage("absente.bmp"), nullptr);
    // Taken once: a second request reads the file again.
    SDL_Surface* b = decodeImage("a.bmp");
    terminePrechargement();
    EXPECT_EQ(d.parFichier, (std::map<std::string, int>{{"a.bmp", 2}, {"absente.bmp", 1}}));
    SDL_FreeSurface(a);
    SDL_FreeSurface(b);
}

}

TEST(PartageLong, AFileRewrittenWithinTheScopeIsDecodedAgain)
{
    DossierTemporaire dossier;
    auto ecrit = [](int largeur) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, largeur, 4, 32, 0xFF, 0xFF00, 0xFF0000, 0);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(SDL_SaveBMP(s, "feuille.bmp"), 0);
        SDL_FreeSurface(s);
    };
    Decodages d;
    CPartageImages session;
    ecrit(8);
    SDL_Surface* a = decodeImage("feuille.bmp");
    SDL_Surface* b = decodeImage("feuille.bmp");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(d.parFichier["feuille.bmp"], 1);
    ecrit(16);
    SDL_Surface* c = decodeImage("feuille.bmp");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->w, 16);
    EXPECT_EQ(d.parFichier["feuille.bmp"], 2);
    // The first holders keep the picture they were given.
    EXPECT_EQ(a->w, 8);
    SDL_FreeSurface(a);
    SDL_FreeSurface(b);
    SDL_FreeSurface(c);
}
