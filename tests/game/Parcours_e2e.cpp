// The title screen and the journey, played by the built game with real key
// presses: Jouer starts the first level, finishing a level leads to the
// next one with its record kept, and a game killed while it saves its
// records leaves a whole file.
#include "game/Records.h"
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>

using namespace testsupport;

namespace {

const Couleur FondTitre = {10, 13, 28}; // the title without its painting

// The test world without intro, and a journey of two copies of its level
// whose finish lies 200 px ahead of the start.
void genereParcours()
{
    ASSERT_TRUE(ecritMondeDeTest(true));
    ecritFichier("config.ini", lisFichier("config.ini") + "Intro=0\n");
    std::string niveau = lisFichier("data/levels/level1.ini");
    niveau.replace(0, 9, "[Entete]\narriveeX=3300\n");
    ecritFichier("data/levels/un.ini", niveau);
    ecritFichier("data/levels/deux.ini", niveau);
    ecritFichier("data/parcours.ini", "[Entete]\nnombreNiveaux=2\n[Niveau1]\nfichier=./data/levels/un.ini\n"
                                      "nom=Premier\n[Niveau2]\nfichier=./data/levels/deux.ini\n");
}

size_t occurrences(const std::string& texte, const std::string& motif)
{
    size_t n = 0;
    for (size_t p = texte.find(motif); p != std::string::npos; p = texte.find(motif, p + 1))
        ++n;
    return n;
}

using ParcoursE2E = TestSurServeurX;

TEST_F(ParcoursE2E, JouerStartsTheFirstLevel)
{
    ASSERT_TRUE(ecritMondeDeTest(true));
    ecritFichier("config.ini", lisFichier("config.ini") + "Intro=0\n");
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    // The title first, and it stays until a choice.
    std::vector<Couleur> titre = attendEcran(640, 480, pixelVaut(5, 200, FondTitre, 2));
    ASSERT_TRUE(couleurEn(titre, 5, 200, FondTitre, 2)) << lisFichier("erreurs.txt");
    appuie("Return");
    std::vector<Couleur> ecran = attendEcran(640, 480, pixelVaut(100, 100, CielMonde, 2));
    EXPECT_TRUE(couleurEn(ecran, 100, 100, CielMonde, 2));
    EXPECT_TRUE(couleurEn(ecran, 320, 320, {255, 0, 0}, 2)); // the hero
    quitteParEchap(jeu);
}

TEST_F(ParcoursE2E, FinishingALevelLeadsToTheNextAndKeepsItsRecord)
{
    genereParcours();
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    attendEcran(640, 480, pixelVaut(5, 200, FondTitre, 2));
    appuie("Return");
    // Right held through the first level, its ending and the second level.
    enfonce("Right");
    bool deux = attendQue([] { return occurrences(lisFichier("sortie.txt"), "Niveau terminé en") >= 2; }, 30000);
    relache("Right");
    ASSERT_TRUE(deux) << lisFichier("sortie.txt") << lisFichier("erreurs.txt");
    CRecords records;
    ASSERT_TRUE(litRecords("records.ini", records)) << lisFichier("records.ini");
    const RecordNiveau* un = records.cherche("./data/levels/un.ini");
    ASSERT_NE(un, nullptr) << lisFichier("records.ini");
    EXPECT_TRUE(un->termine);
    EXPECT_GT(un->meilleur.temps, 0u);
    EXPECT_LT(un->meilleur.temps, 20000u);
    EXPECT_TRUE(records.termine("./data/levels/deux.ini")) << lisFichier("records.ini");
    // The closing screen, then a key leads back to the title.
    std::vector<Couleur> fin = attendEcran(640, 480, pixelVaut(5, 200, {0, 0, 0}, 2));
    ASSERT_TRUE(couleurEn(fin, 5, 200, {0, 0, 0}, 2));
    // It lets a key through only after a moment, so that a strike at the
    // finish does not skip it: pressed until the title shows.
    EXPECT_TRUE(attendQue([] {
        appuie("Return");
        return couleurEn(attendEcran(640, 480, pixelVaut(5, 200, FondTitre, 2), 300), 5, 200, FondTitre, 2);
    }));
    quitteParEchap(jeu);
}

TEST_F(ParcoursE2E, AGameKilledAsItSavesItsRecordsLeavesAWholeFile)
{
    genereParcours();
    const std::string ancien = "[Entete]\nversion=1\nnombreNiveaux=1\n[Niveau1]\nfichier=./data/levels/autre.ini\n"
                               "termine=1\ntemps=99000\nlueurs=1\ncreatures=2\n";
    ecritFichier("records.ini", ancien);
    for (int essai = 0; essai < 3; ++essai) {
        const std::string sortie = "sortie" + std::to_string(essai) + ".txt";
        ProgrammeLance jeu(cheminBinaire("corvanthelis"), {}, sortie);
        ASSERT_TRUE(jeu.lance());
        ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
        attendEcran(640, 480, pixelVaut(5, 200, FondTitre, 2));
        appuie("Return");
        enfonce("Right");
        // The line comes just before the save: the kill lands during it or
        // close to it.
        bool fini = attendQue([&] { return lisFichier(sortie).find("Niveau terminé") != std::string::npos; },
                              20000, 1);
        jeu.signale(SIGKILL);
        relache("Right");
        ASSERT_TRUE(fini) << lisFichier(sortie) << lisFichier("erreurs.txt");
        ASSERT_TRUE(jeu.attendFin(5000, nullptr));
        CRecords records;
        EXPECT_TRUE(litRecords("records.ini", records)) << "try " << essai << ":\n" << lisFichier("records.ini");
        EXPECT_FALSE(fichierExiste("records.ini.abime"));
        // The old record is kept whatever else came.
        ASSERT_NE(records.cherche("./data/levels/autre.ini"), nullptr) << lisFichier("records.ini");
    }
}

}
