#include "sound/CMusique.h"
#include "sound/SonsDeTest.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

// Every test here runs on the silent dummy driver, whatever the caller set.
class Son : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        sonsdetest::ecritWav("bip.wav", 0.5);
        sonsdetest::ecritWav("bop.wav", 0.3, 8000);
        ASSERT_TRUE(sonsdetest::ecritOgg("zic.ogg", 2.0)) << "sox could not write an Ogg file";
        ASSERT_TRUE(sonsdetest::ecritOgg("court.ogg", 0.3));
    }
    void TearDown() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }

    DossierTemporaire dossier;
};

TEST_F(Son, InitOpensTheDeviceWithTheDefaultsOrTheGivenValues)
{
    {
        GestionnaireSon g;
        EXPECT_EQ(g.formatAudio, 0x8010);
        EXPECT_EQ(g.tailleChunk, 4096);
        EXPECT_EQ(g.musiqueCourante, nullptr);
        EXPECT_EQ(g.size, 0);
        ASSERT_EQ(g.init(), 0);
        int frequence = 0, canaux = 0;
        Uint16 format = 0;
        ASSERT_EQ(Mix_QuerySpec(&frequence, &format, &canaux), 1);
        EXPECT_EQ(frequence, 22050);
        EXPECT_EQ(format, AUDIO_S16LSB);
        EXPECT_EQ(canaux, 2);
    }
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the destructor must close the device";

    GestionnaireSon h(AUDIO_S16LSB, 44100, 1, 1024);
    ASSERT_EQ(h.init(), 0);
    int frequence = 0, canaux = 0;
    Mix_QuerySpec(&frequence, nullptr, &canaux);
    EXPECT_EQ(frequence, 44100);
    EXPECT_EQ(canaux, 1);
}

TEST_F(Son, WithoutADeviceEveryLaterCallIsHarmless)
{
    // A device opened and closed first leaves the mixer's channel tables
    // stale: channel calls after that must not touch them.
    {
        GestionnaireSon avant;
        ASSERT_EQ(avant.init(), 0);
        avant.chargeSon("bip.wav", "bip");
        avant.joueSon("bip", -1, 0, 0);
    }
    setenv("SDL_AUDIODRIVER", "aucun_pilote", 1);
    auto g = std::make_unique<GestionnaireSon>();
    Capture erreurs(2);
    EXPECT_EQ(g->init(), -1);
    EXPECT_EQ(erreurs.texte(), "Impossible d'accéder au périphérique audio\n");

    EXPECT_EQ(g->joueMusique("zic.ogg", -1), -1);
    EXPECT_EQ(g->musiqueCourante, nullptr);
    g->stoppeMusique();
    EXPECT_EQ(g->chargeSon("bip.wav", "bip"), 0);
    g->createInstanceSon("bip", "bip2");
    ASSERT_EQ(g->size, 2);
    EXPECT_EQ(g->getSon("bip")->chunk, nullptr);
    EXPECT_EQ(g->joueSon("bip", -1, 0, 0), 0);
    EXPECT_EQ(g->joueSon("bip2", 0, 10, 90), 0);
    EXPECT_EQ(g->getSon("bip")->canal, -1);
    EXPECT_EQ(g->getSon("bip2")->canal, -1);
    g->setVolumeSons(64);
    g->setVolumeZic(64);
    g->pause();
    g->resume();
    EXPECT_EQ(g->stoppeSon("bip"), 0);
    EXPECT_EQ(g->effaceSon("bip"), 0);

    // Once a device is there again, the same manager can still open it.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(g->init(), 0);
    g.reset();
}

TEST_F(Son, NewMusicReplacesTheOldAndAMissingFileLeavesNone)
{
    GestionnaireSon g;
    ASSERT_EQ(g.init(), 0);
    ASSERT_EQ(g.joueMusique("zic.ogg", -1), 0);
    EXPECT_NE(g.musiqueCourante, nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    ASSERT_EQ(g.joueMusique("zic.ogg", -1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    Capture erreurs(2);
    EXPECT_EQ(g.joueMusique("absente.ogg", -1), -1);
    EXPECT_EQ(erreurs.texte(), "Impossible d'accéder au fichier musique\n");
    EXPECT_EQ(g.musiqueCourante, nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    g.stoppeMusique();

    // A file that is no music at all is refused the same way.
    ecritFichier("faux.ogg", "pas de musique ici");
    Capture erreursFaux(2);
    EXPECT_EQ(g.joueMusique("faux.ogg", 0), -1);
    EXPECT_EQ(erreursFaux.texte(), "Impossible d'accéder au fichier musique\n");
    EXPECT_EQ(g.musiqueCourante, nullptr);
}

TEST_F(Son, AFifoIsNeitherSoundNorMusicAndDoesNotBlock)
{
    GestionnaireSon g;
    ASSERT_EQ(g.init(), 0);
    ASSERT_EQ(mkfifo("fifo.wav", 0600), 0);
    ASSERT_EQ(mkfifo("fifo.ogg", 0600), 0);
    alarm(10);  // an open that blocks fails the test instead of hanging it
    CSon son("fifo.wav", "fifo");
    EXPECT_EQ(son.chunk, nullptr);
    Capture erreurs(2);
    EXPECT_EQ(g.joueMusique("fifo.ogg", 0), -1);
    alarm(0);
    EXPECT_EQ(erreurs.texte(), "Impossible d'accéder au fichier musique\n");
    EXPECT_EQ(g.musiqueCourante, nullptr);
}

TEST_F(Son, LoopCountZeroPlaysOnceAndMinusOneForever)
{
    GestionnaireSon g;
    ASSERT_EQ(g.init(), 0);
    ASSERT_EQ(g.joueMusique("court.ogg", 0), 0);
    EXPECT_TRUE(attendQue([] { return Mix_PlayingMusic() == 0; }, 3000))
        << "a music played once never ended";

    ASSERT_EQ(g.joueMusique("court.ogg", -1), 0);
    SDL_Delay(1200);
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "an endless music stopped";
    g.stoppeMusique();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(g.musiqueCourante, nullptr);
}

TEST_F(Son, NamesAreFoundByTheFirstRegistrationAndCutAt19Characters)
{
    GestionnaireSon g;
    ASSERT_EQ(g.init(), 0);
    g.chargeSon("bip.wav", "bruit");
    g.chargeSon("bop.wav", "bruit");
    CSon* premier = g.elements[0];
    CSon* second = g.elements[1];
    ASSERT_NE(premier->chunk, nullptr);
    ASSERT_NE(second->chunk, nullptr);

    EXPECT_EQ(g.getSon("bruit"), premier);
    EXPECT_EQ(g.setPositionSon("bruit", 30, 45), 0);
    EXPECT_EQ(premier->distance, 30);
    EXPECT_EQ(second->distance, 0);
    EXPECT_EQ(g.joueSon("bruit", -1, 0, 0), 0);
    EXPECT_NE(premier->canal, -1);
    EXPECT_EQ(second->canal, -1);
    EXPECT_EQ(g.effaceSon("bruit"), 0);
    EXPECT_EQ(g.getSon("bruit"), second) << "the second registration answers once the first is gone";
    EXPECT_EQ(g.getSon("bruit2"), nullptr);
    EXPECT_EQ(g.getSon("brui"), nullptr);

    const char* dixNeuf = "abcdefghijklmnopqrs";
    const char* long25 = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    g.chargeSon("bip.wav", dixNeuf);
    g.chargeSon("bip.wav", long25);
    EXPECT_STREQ(g.getSon(dixNeuf)->nom, dixNeuf);
    CSon* coupe = g.getSon(long25);
    ASSERT_NE(coupe, nullptr) << "a long name must find the sound it registered";
    EXPECT_STREQ(coupe->nom, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(g.getSon("ABCDEFGHIJKLMNOPQRS"), coupe);

    EXPECT_EQ(g.getSon(nullptr), nullptr);
    EXPECT_EQ(g.joueSon("inconnu", 0, 0, 0), -1);
    EXPECT_EQ(g.setPositionSon("inconnu", 1, 1), -1);
    EXPECT_EQ(g.effaceSon(nullptr), -1);
}

TEST_F(Son, AnInstancePlaysItsSourceSampleAlongsideTheSource)
{
    GestionnaireSon g;
    ASSERT_EQ(g.init(), 0);
    g.chargeSon("bip.wav", "bip");
    g.createInstanceSon("bip", "bip2");
    g.createInstanceSon("bip2", "bip3");
    g.createInstanceSon("absent", "orphelin");
    CSon* bip = g.getSon("bip");
    CSon* bip2 = g.getSon("bip2");
    CSon* bip3 = g.getSon("bip3");
    ASSERT_EQ(g.size, 4);
    EXPECT_TRUE(bip2->estInstance);
    EXPECT_EQ(bip2->chunk, nullptr);

    g.joueSon("bip", -1, 0, 0);
    g.joueSon("bip2", -1, 0, 0);
    g.joueSon("bip3", -1, 0, 0);
    ASSERT_NE(bip->canal, -1);
    ASSERT_NE(bip2->canal, -1);
    ASSERT_NE(bip3->canal, -1);
    EXPECT_NE(bip->canal, bip2->canal);
    EXPECT_NE(bip2->canal, bip3->canal);
    EXPECT_EQ(Mix_Playing(-1), 3);
    EXPECT_EQ(Mix_GetChunk(bip2->canal), bip->chunk);
    EXPECT_EQ(Mix_GetChunk(bip3->canal), bip->chunk) << "an instance of an instance plays the sample";

    EXPECT_EQ(g.joueSon("orphelin", -1, 0, 0), 0);
    EXPECT_EQ(g.getSon("orphelin")->canal, -1);
    EXPECT_EQ(Mix_Playing(-1), 3);
}

TEST_F(Son, StoppeSonHaltsOnlyItsOwnChannelAndOnlyOnce)
{
    GestionnaireSon g;
    ASSERT_EQ(g.init(), 0);
    g.chargeSon("bip.wav", "bip");
    g.chargeSon("bop.wav", "bop");
    g.joueSon("bip", -1, 0, 0);
    g.joueSon("bop", -1, 0, 0);
    CSon* bip = g.getSon("bip");
    CSon* bop = g.getSon("bop");
    int canalBip = bip->canal;
    ASSERT_EQ(Mix_Playing(-1), 2);

    // The finished-channel callback leaves a channel that is still playing.
    sonTermine(bop->canal);
    EXPECT_EQ(Mix_Playing(bop->canal), 1);

    EXPECT_EQ(g.stoppeSon("bip"), 0);
    EXPECT_EQ(bip->canal, -1);
    EXPECT_EQ(Mix_Playing(canalBip), 0);
    EXPECT_EQ(Mix_Playing(bop->canal), 1);
    EXPECT_EQ(g.stoppeSon("bip"), 0);
    EXPECT_EQ(Mix_Playing(bop->canal), 1) << "a second stop halted another channel";
    EXPECT_EQ(g.stoppeSon("absent"), -1);

    // A number kept from an ended start must not stop the sound that now
    // uses that channel.
    bip->canal = bop->canal;
    EXPECT_EQ(g.stoppeSon("bip"), 0);
    EXPECT_EQ(Mix_Playing(bop->canal), 1);
}

TEST_F(Son, RemovingASoundSilencesItsInstancesAndKeepsTheOthers)
{
    auto g = std::make_unique<GestionnaireSon>();
    ASSERT_EQ(g->init(), 0);
    g->chargeSon("bip.wav", "a");
    g->createInstanceSon("a", "b");
    g->chargeSon("bop.wav", "c");
    g->joueSon("a", -1, 0, 0);
    g->joueSon("b", -1, 0, 0);
    g->joueSon("c", -1, 0, 0);
    ASSERT_EQ(Mix_Playing(-1), 3);

    EXPECT_EQ(g->effaceSon("a"), 0);
    EXPECT_EQ(g->size, 2);
    EXPECT_EQ(g->getSon("a"), nullptr);
    ASSERT_NE(g->getSon("b"), nullptr);
    ASSERT_NE(g->getSon("c"), nullptr);
    EXPECT_EQ(g->getSon("b")->sonSource, nullptr);
    EXPECT_EQ(Mix_Playing(-1), 1) << "a channel still plays the released sample";
    EXPECT_EQ(Mix_Playing(g->getSon("c")->canal), 1);
    EXPECT_EQ(g->joueSon("b", -1, 0, 0), 0);
    EXPECT_EQ(g->getSon("b")->canal, -1);
    EXPECT_EQ(g->effaceSon("a"), -1);

    // Removing an instance stops only the instance.
    g->chargeSon("bip.wav", "d");
    g->createInstanceSon("d", "e");
    g->joueSon("d", -1, 0, 0);
    g->joueSon("e", -1, 0, 0);
    ASSERT_EQ(Mix_Playing(-1), 3);
    EXPECT_EQ(g->effaceSon("e"), 0);
    EXPECT_EQ(Mix_Playing(-1), 2);
    EXPECT_EQ(Mix_Playing(g->getSon("d")->canal), 1);

    g->effaceSons();
    EXPECT_EQ(g->size, 0);
    EXPECT_EQ(Mix_Playing(-1), 0);

    g->chargeSon("bip.wav", "f");
    g->joueMusique("zic.ogg", -1);
    g.reset(); // closes the device with a sound and a music still loaded
}

TEST_F(Son, PauseReachesTheMusicAndOnlyStartedChannels)
{
    GestionnaireSon g;
    ASSERT_EQ(g.init(), 0);
    ASSERT_EQ(g.joueMusique("zic.ogg", -1), 0);
    g.chargeSon("bip.wav", "joue");
    g.chargeSon("bip.wav", "jamais");
    g.joueSon("joue", -1, 0, 0);
    CSon* joue = g.getSon("joue");
    // A channel started outside the registry must keep playing.
    int etranger = Mix_PlayChannel(-1, joue->chunk, -1);
    ASSERT_NE(etranger, -1);

    g.pause();
    EXPECT_EQ(Mix_PausedMusic(), 1);
    EXPECT_EQ(Mix_Paused(joue->canal), 1);
    EXPECT_EQ(Mix_Paused(etranger), 0);
    EXPECT_EQ(Mix_Paused(-1), 1);

    g.resume();
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_EQ(Mix_Paused(-1), 0);
}

}
