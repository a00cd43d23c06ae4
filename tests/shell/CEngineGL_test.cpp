#include "foundation/Messages.h"
#include "shell/CEngineGL.h"
#include "shell/PorteeMoteur.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

TEST(Configuration, DefaultsWithoutConfigFile)
{
    DossierTemporaire dossier;
    Capture sortie(1);
    CEngineGL c;
    EXPECT_EQ(sortie.texte(), ""); // a missing file is silent
    EXPECT_EQ(c.resolutionHorizontale, 640);
    EXPECT_EQ(c.resolutionVerticale, 480);
    EXPECT_EQ(c.largeurLogique, 640);
    EXPECT_EQ(c.hauteurLogique, 480);
    EXPECT_EQ(c.tailleTexture, 256);
    EXPECT_TRUE(c.pleinEcran);
    EXPECT_TRUE(c.bilineaire);
    EXPECT_TRUE(c.vSync);
    EXPECT_FALSE(c.mode16bits);
    EXPECT_FALSE(c.hogCPU);
    EXPECT_FALSE(c.garderProportions);
    EXPECT_TRUE(c.sansClampToEdge);
    EXPECT_FALSE(c.npotDisponible);
    EXPECT_TRUE(c.journal);
}

TEST(Configuration, ValuesFromFileWithClampsAndBooleanFallbacks)
{
    DossierTemporaire dossier;
    ecritFichier("config.ini",
                 "[VIDEO]\nResolutionHorizontale=0\nResolutionVerticale=-20\nPleinEcran=2\n"
                 "Bilineaire=0\nVSync=0\nMode16bits=1\nHogCPU=1\nGarderProportions=1\nJournal=0\n"
                 "VolumeMusique=150\nVolumeEffets=-5\nIntro=0\n");
    CEngineGL c;
    EXPECT_EQ(c.resolutionHorizontale, 1);
    EXPECT_EQ(c.resolutionVerticale, 1);
    EXPECT_TRUE(c.pleinEcran);
    EXPECT_FALSE(c.bilineaire);
    EXPECT_FALSE(c.vSync);
    EXPECT_TRUE(c.mode16bits);
    EXPECT_TRUE(c.hogCPU);
    EXPECT_TRUE(c.garderProportions);
    EXPECT_FALSE(c.journal);
    EXPECT_EQ(c.volumeMusique, 100);
    EXPECT_EQ(c.volumeEffets, 0);
    EXPECT_FALSE(c.intro);

    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=1024\nResolutionVerticale=768\n");
    Capture sortie(1);
    CEngineGL d;
    EXPECT_EQ(d.resolutionHorizontale, 1024);
    EXPECT_EQ(d.resolutionVerticale, 768);
    EXPECT_EQ(d.largeurLogique, 640);
    // One notice per missing key of the original seven, in the order the keys
    // are read; the optional keys added since take their default silently.
    EXPECT_EQ(sortie.texte(),
              "Pas d'identifiant correspondant:PleinEcran\n"
              "Pas d'identifiant correspondant:Bilineaire\n"
              "Pas d'identifiant correspondant:VSync\n"
              "Pas d'identifiant correspondant:Mode16bits\n"
              "Pas d'identifiant correspondant:HogCPU\n");
    EXPECT_FALSE(d.garderProportions);
    EXPECT_TRUE(d.journal);
    EXPECT_EQ(d.volumeMusique, 100);
    EXPECT_EQ(d.volumeEffets, 100);
    EXPECT_TRUE(d.intro);
}

TEST(Configuration, ScopeOwnsConfigurationAndJournalWhileNestedScopesShareThem)
{
    DossierTemporaire dossier;
    ecritFichier("config.ini", "[VIDEO]\nBilineaire=0\nJournal=0\n");
    EXPECT_TRUE(reglages().bilineaire); // no configuration: the defaults
    {
        CPorteeMoteur portee(CPorteeMoteur::ConfigurationSeule);
        ASSERT_NE(config, nullptr);
        EXPECT_FALSE(reglages().bilineaire);
        EXPECT_FALSE(journalActif());
        CEngineGL* ouverte = config;
        {
            CPorteeMoteur interieure(CPorteeMoteur::ConfigurationSeule,
                                     [](CEngineGL& c) { c.resolutionHorizontale = 800; });
            EXPECT_EQ(config, ouverte);
        }
        EXPECT_EQ(config, ouverte); // the inner scope leaves it open
        EXPECT_EQ(config->resolutionHorizontale, 800);
    }
    EXPECT_EQ(config, nullptr);
    EXPECT_TRUE(journalActif());
}

} // namespace
