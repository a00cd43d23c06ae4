// What actually comes out of the mixer: the disk driver writes the mixed
// stream (16-bit little-endian, left then right) to a file, which these
// tests read back.

#include "sound/CMusique.h"
#include "sound/SonsDeTest.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

using namespace testsupport;

namespace {

struct Crete {
    int gauche = 0;
    int droite = 0;
};

// Peak level of each side over the frames from byte `debut` to byte `fin`.
Crete creteDe(const std::string& brut, size_t debut = 0, size_t fin = std::string::npos)
{
    Crete c;
    fin = std::min(fin, brut.size());
    debut -= debut % 4;
    for (size_t i = debut; i + 4 <= fin; i += 4) {
        auto lit = [&](size_t j) {
            return static_cast<int16_t>(static_cast<uint8_t>(brut[j]) |
                                        (static_cast<uint8_t>(brut[j + 1]) << 8));
        };
        c.gauche = std::max(c.gauche, std::abs(static_cast<int>(lit(i))));
        c.droite = std::max(c.droite, std::abs(static_cast<int>(lit(i + 2))));
    }
    return c;
}

long tailleFichier(const std::string& nom)
{
    struct stat etat;
    return stat(nom.c_str(), &etat) == 0 ? static_cast<long>(etat.st_size) : 0;
}

// One mixer buffer: 4096 stereo frames of two bytes per side.
const long octetsParBloc = 4096 * 4;

class SortieSon : public ::testing::Test {
protected:
    void SetUp() override
    {
        fichier = dossier.chemin() + "/sortie.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", fichier.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "20", 1);
        sonsdetest::ecritWav("bip.wav", 0.5);
    }
    void TearDown() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_DISKAUDIODELAY");
    }

    // Opens a device, lets `action` start sounds, lets the mixer write for
    // a while, closes the device and returns the peaks of what was written.
    Crete ecoute(const std::function<void(GestionnaireSon&)>& action)
    {
        {
            GestionnaireSon g;
            EXPECT_EQ(g.init(), 0);
            action(g);
            SDL_Delay(300);
        }
        std::string brut = lisFichier(fichier);
        EXPECT_GT(brut.size(), static_cast<size_t>(octetsParBloc)) << "the disk driver wrote nothing";
        return creteDe(brut);
    }

    DossierTemporaire dossier;
    std::string fichier;
};

TEST_F(SortieSon, AngleSendsTheSoundToOneSideAndDistanceLowersIt)
{
    Crete droite = ecoute([](GestionnaireSon& g) {
        g.chargeSon("bip.wav", "bip");
        g.joueSon("bip", -1, 0, 90);
    });
    EXPECT_GT(droite.droite, 12000);
    EXPECT_LT(droite.gauche, 800);

    Crete gauche = ecoute([](GestionnaireSon& g) {
        g.chargeSon("bip.wav", "bip");
        g.joueSon("bip", -1, 0, 270);
    });
    EXPECT_GT(gauche.gauche, 12000);
    EXPECT_LT(gauche.droite, 800);

    // Beyond the farthest distance the sound stays far, it does not wrap
    // round to full volume.
    Crete loin = ecoute([](GestionnaireSon& g) {
        g.chargeSon("bip.wav", "bip");
        g.joueSon("bip", -1, 300, 0);
    });
    EXPECT_LT(loin.gauche, 800);
    EXPECT_LT(loin.droite, 800);
}

// The stored position serves a start that passes none; a passed position
// serves that start only.
TEST_F(SortieSon, StoredPositionUnlessTheStartPassesOne)
{
    const double plein = 16000;
    Crete stockee = ecoute([](GestionnaireSon& g) {
        g.chargeSon("bip.wav", "bip");
        g.setPositionSon("bip", 100, 90);
        g.joueSon("bip", -1, 0, 0);
    });
    // Distance 100 of 255 leaves about 155/255 of the level.
    EXPECT_NEAR(stockee.droite / plein, 155.0 / 255, 0.06);
    EXPECT_LT(stockee.gauche, 800);

    int distance = -1, angle = -1;
    Crete passee = ecoute([&](GestionnaireSon& g) {
        g.chargeSon("bip.wav", "bip");
        g.setPositionSon("bip", 100, 90);
        g.joueSon("bip", -1, 50, 0);
        distance = g.getSon("bip")->distance;
        angle = g.getSon("bip")->angle;
    });
    EXPECT_NEAR(passee.gauche / plein, 205.0 / 255, 0.06);
    EXPECT_NEAR(passee.droite / plein, 205.0 / 255, 0.06);
    EXPECT_EQ(distance, 100);
    EXPECT_EQ(angle, 90);
}

TEST_F(SortieSon, MusicIsHeardUntilItIsStopped)
{
    ASSERT_TRUE(sonsdetest::ecritOgg("zic.ogg", 2.0));
    long arret = 0;
    {
        GestionnaireSon g;
        ASSERT_EQ(g.init(), 0);
        ASSERT_EQ(g.joueMusique("zic.ogg", -1), 0);
        SDL_Delay(500);
        arret = tailleFichier(fichier);
        g.stoppeMusique();
        SDL_Delay(500);
    }
    std::string brut = lisFichier(fichier);
    ASSERT_GT(arret, 4 * octetsParBloc);
    ASSERT_GT(static_cast<long>(brut.size()), arret + 4 * octetsParBloc);
    // sox wrote the tone at half scale.
    Crete pendant = creteDe(brut, 0, arret);
    EXPECT_GT(pendant.gauche, 12000);
    EXPECT_GT(pendant.droite, 12000);
    Crete apres = creteDe(brut, arret + 2 * octetsParBloc);
    EXPECT_EQ(apres.gauche, 0);
    EXPECT_EQ(apres.droite, 0);
}

}
