// A level's sky, moon and music keys and its place in the journey: each
// step saved, undone and redone back to the same bytes, a value equal to
// the game's default leaving no key, and the game reading the journey file
// the editor wrote.
#include "editeur/ModeleNiveau.h"
#include "game/Parcours.h"
#include "support/HistoriqueModele.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace editeur;
using namespace testsupport;

namespace {

const std::string Niveau = "; mien\n[Entete]\nnombrePriorites=1\nnombrePlans=1\nnombreActeurs=0\n\n"
                           "[Plan1]\npathPlan=niv/a.ini\npriorite=1\n";
const std::string Parcours3 = "; le jeu\n[Entete]\nnombreNiveaux=3\n\n"
                              "[Niveau1]\nfichier=./data/levels/level1.ini\nnom=La forêt\n\n"
                              "[Niveau2]\nfichier=./data/levels/marais.ini ; l'aube\nnom=Le marais\n\n"
                              "[Niveau3]\nfichier=./data/levels/col.ini\n";

struct Dossier {
    DossierTemporaire dossier;
    Dossier()
    {
        execute("mkdir -p niv data/levels");
        ecritFichier("data/levels/mien.ini", Niveau);
        ecritFichier("niv/a.ini", "[Entete]\nnombreTiles=0\n");
        for (const char* f : {"data/levels/level1.ini", "data/levels/marais.ini", "data/levels/col.ini"})
            ecritFichier(f, Niveau);
    }
};

const std::vector<std::string> Fichiers = {"data/levels/mien.ini", "data/parcours.ini"};

std::vector<std::string> fichiersLus()
{
    std::vector<std::string> f;
    for (const NiveauParcours& n : litParcours("./data/parcours.ini").niveaux)
        f.push_back(n.fichier);
    return f;
}

}

TEST(ApparenceParcours, LookKeysAreWrittenOnlyAwayFromTheGamesDefaults)
{
    Dossier d;
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("data/levels/mien.ini"));
    AspectNiveau a = m.aspect();
    EXPECT_EQ(a.ciel, AspectNiveau().ciel);
    a.ciel = "./data/levels/mien/ciel.png";
    a.luneX = 5000;  // brought within the game's range
    verifieHistorique(m, Fichiers,
                      {[&] { ASSERT_TRUE(m.fixeAspect(a)); },
                       [&] {
                           AspectNiveau b = m.aspect();
                           b.ciel = AspectNiveau().ciel;
                           b.musique = "./data/zic/mien.ogg";
                           ASSERT_TRUE(m.fixeAspect(b));
                       },
                       [&] { ASSERT_TRUE(m.fixeAspect(AspectNiveau())); }});
    EXPECT_EQ(lisFichier("data/levels/mien.ini"), Niveau) << "defaults leave no key";
    ASSERT_TRUE(m.annule());
    EXPECT_EQ(m.aspect().musique, "./data/zic/mien.ogg");
    EXPECT_EQ(m.aspect().luneX, 1280);
    EXPECT_EQ(m.aspect().ciel, AspectNiveau().ciel);
    EXPECT_FALSE(m.fixeAspect(m.aspect())) << "no change, no step";
    a.lune = "avec espace.png";
    EXPECT_FALSE(m.fixeAspect(a));
}

TEST(ApparenceParcours, ALevelIsAddedToTheJourneyTakenOutAndMoved)
{
    Dossier d;
    ecritFichier("data/parcours.ini", Parcours3);
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("./data/levels/mien.ini"));
    EXPECT_EQ(m.rangParcours(), -1);
    verifieHistorique(m, Fichiers,
                      {[&] { ASSERT_TRUE(m.ajouteAuParcours()); }, [&] { ASSERT_TRUE(m.retireDuParcours()); },
                       [&] { ASSERT_TRUE(m.ajouteAuParcours(0)); }});
    // Only the header lines after it changed; the game reads it in order.
    EXPECT_EQ(lisFichier("data/parcours.ini"),
              "; le jeu\n[Entete]\nnombreNiveaux=4\n\n"
              "[Niveau1]\nfichier=./data/levels/level1.ini\nnom=La forêt\n\n"
              "[Niveau2]\nfichier=./data/levels/mien.ini\n\n"
              "[Niveau3]\nfichier=./data/levels/marais.ini ; l'aube\nnom=Le marais\n\n"
              "[Niveau4]\nfichier=./data/levels/col.ini\n");
    EXPECT_EQ(fichiersLus(), (std::vector<std::string>{"./data/levels/level1.ini", "./data/levels/mien.ini",
                                                       "./data/levels/marais.ini", "./data/levels/col.ini"}));
    EXPECT_EQ(m.rangParcours(), 1);
    EXPECT_FALSE(m.ajouteAuParcours()) << "already there";
    // Moved to the end in one step.
    ASSERT_TRUE(m.placeAuParcours(-1));
    EXPECT_EQ(m.rangParcours(), 3);
    ASSERT_TRUE(m.annule());
    EXPECT_EQ(m.rangParcours(), 1);
}

TEST(ApparenceParcours, AMissingJourneyStartsWithTheFirstLevel)
{
    Dossier d;
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("data/levels/mien.ini"));
    EXPECT_TRUE(m.parcours().empty());
    ASSERT_TRUE(m.ajouteAuParcours());
    EXPECT_FALSE(fichierExiste("data/parcours.ini")) << "written by the save only";
    ASSERT_TRUE(m.sauve());
    EXPECT_EQ(fichiersLus(), (std::vector<std::string>{"./data/levels/level1.ini", "./data/levels/mien.ini"}));
    EXPECT_EQ(litParcours("./data/parcours.ini").niveaux[0].nom, "La forêt de nuit");
}
