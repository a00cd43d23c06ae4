#include "scenery/DescriptionNiveau.h"

#include "foundation/Messages.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Capture;
using testsupport::DossierTemporaire;
using testsupport::ecritFichier;

namespace {

// Reads every part of the plane the loader reads, in its order; returns
// what was read, one value after another.
std::string litPlan(bool muet)
{
    CBudgetChargement budget;
    LecteurDescriptionPlan lecteur("plan.ini", budget, muet);
    std::string lu;
    int n = lecteur.litNombreTiles();
    std::vector<int> positions;
    lu += std::to_string(n) + " " + std::to_string(lecteur.litNbPositions(n, positions));
    for (int t = 1; t <= n; ++t) {
        TileDecrite tile;
        bool accepte = lecteur.litTile(t, tile);
        lu += std::string(" | ") + (accepte ? "oui " : "non ") + tile.pathPlanche;
        if (!accepte)
            break;
        lecteur.litCleCouleur(t, tile);
        RectanglePlanche r = lecteur.litRectangle(t, 1);
        int x, y;
        lecteur.litPosition(t, 1, x, y);
        lu += " " + std::to_string(tile.colorkeyR) + " " + std::to_string(r.longueur) + " " +
              std::to_string(lecteur.litAlpha(t, 1)) + " " + std::to_string(x) + "," + std::to_string(y);
    }
    return lu;
}

TEST(DescriptionPlan, ASilentReaderReadsTheSameValuesAndPrintsNothing)
{
    DossierTemporaire dossier;
    // Tile 1 lacks its colour key, frame alpha and placement; tile 2 asks
    // for more frames than the file can hold.
    ecritFichier("plan.ini", "[Entete]\nnombreTiles=2\n"
                             "[Tile1]\nnbPositions=1\nnbFrames=1\npathPlanche=a.png\n"
                             "[Tile1Frame1]\nlongueur=-1\n"
                             "[Tile2]\nnbPositions=-5\nnbFrames=999\npathPlanche=b.png\n");
    Capture sortie(1), erreurs(2);
    const std::string parle = litPlan(false);
    const std::string ecrit = sortie.texte(), signale = erreurs.texte();
    Capture sortieMuette(1), erreursMuettes(2);
    EXPECT_EQ(litPlan(true), parle);
    EXPECT_EQ(sortieMuette.texte(), "");
    EXPECT_EQ(erreursMuettes.texte(), "");

    EXPECT_EQ(parle, "2 1 | oui a.png -1 65535 255 0,0 | non ");
    EXPECT_NE(ecrit.find("Pas d'identifiant correspondant:colorkeyR\n"), std::string::npos) << ecrit;
    EXPECT_NE(ecrit.find("Pas de section correspondante.\n"), std::string::npos) << ecrit;
    EXPECT_NE(signale.find("Valeur trop grande pour nbFrames dans plan.ini : 999"), std::string::npos) << signale;
}

TEST(DescriptionNiveau, CountsPathsAndSettingsAsTheLevelLoadsThem)
{
    DossierTemporaire dossier;
    ecritFichier("niveau.ini", "[Entete]\nnombrePriorites=-3\nnombrePlans=2\n"
                               "[Plan1]\npathPlan=sol.ini\nrepeatX=1\nrepeatY=7\nscrollRatio=60\n");
    LecteurDescriptionNiveau lecteur("niveau.ini", true);
    ASSERT_TRUE(lecteur.ouvert());
    EnteteNiveau entete = lecteur.litEntete();
    EXPECT_EQ(entete.nombrePriorites, 0);
    EXPECT_EQ(entete.nombrePlans, 2);
    char chemin[LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN];
    EXPECT_TRUE(lecteur.litCheminPlan(1, chemin));
    EXPECT_STREQ(chemin, "sol.ini");
    ParamPlan p = lecteur.litParametresPlan(1);
    EXPECT_TRUE(p.repeatX);
    EXPECT_FALSE(p.repeatY);  // neither 0 nor 1: the default
    EXPECT_EQ(p.scrollRatio, 60);
    EXPECT_EQ(p.priorite, 1);
    EXPECT_EQ(p.positionEcranX, 1);
    EXPECT_FALSE(lecteur.litCheminPlan(2, chemin));
    EXPECT_STREQ(chemin, "nothing");

    // More planes than a file this size can describe: none, said once.
    ecritFichier("gros.ini", "[Entete]\nnombrePlans=1000\n");
    Capture erreurs(2);
    LecteurDescriptionNiveau gros("gros.ini");
    EXPECT_EQ(gros.litEntete().nombrePlans, 0);
    LecteurDescriptionNiveau absent("absent.ini");
    EXPECT_FALSE(absent.ouvert());
    EXPECT_EQ(erreurs.texte(), "Trop de plans dans gros.ini : 1000 (au plus 3)\nFichier introuvable : absent.ini\n");
}

TEST(DescriptionPlan, AFramePauseIsOptionalAndNeverNegative)
{
    DossierTemporaire dossier;
    ecritFichier("plan.ini", "[Entete]\nnombreTiles=1\n[Tile1]\nnbFrames=3\n"
                             "[Tile1Frame1]\nlongueur=4\n[Tile1Frame2]\npause=120\n[Tile1Frame3]\npause=-5\n");
    CBudgetChargement budget;
    LecteurDescriptionPlan lecteur("plan.ini", budget);
    Capture sortie(1);
    // Missing: 0, the pause frames have always had; the key is not asked
    // for aloud, so planes without it print what they always printed.
    EXPECT_EQ(lecteur.litPause(1, 1), 0);
    EXPECT_EQ(lecteur.litPause(1, 2), 120);
    EXPECT_EQ(lecteur.litPause(1, 3), 0);
    EXPECT_EQ(sortie.texte(), "");
}

}

namespace {

// A level whose [Entete] ends with `entete` and whose [Acteur1] stands at
// `positionX`.
std::string litDuNiveau(const std::string& entete, const std::string& positionX, int& arrivee, int& acteurs,
                        bool& place)
{
    ecritFichier("niveau.ini", "[Entete]\nnombrePriorites=0\nnombrePlans=0\n" + entete +
                                   "\n[Acteur1]\ntype=loup\npositionX=" + positionX + "\npositionY=300\n");
    CCaptureMessages messages;
    LecteurDescriptionNiveau lecteur("niveau.ini");
    acteurs = lecteur.litNombreActeurs();
    arrivee = 0;
    if (!lecteur.litArrivee(arrivee))
        arrivee = -1;
    ActeurPlace p;
    place = lecteur.litActeur(1, p);
    return messages.erreurs;
}

}

TEST(DescriptionNiveau, HostileFinishCountsAndPositionsAreSaidNeverPlayed)
{
    DossierTemporaire dossier;
    int arrivee, acteurs;
    bool place;
    EXPECT_EQ(litDuNiveau("nombreActeurs=1\narriveeX=14880", "100", arrivee, acteurs, place), "");
    EXPECT_EQ(arrivee, 14880);
    EXPECT_EQ(acteurs, 1);
    EXPECT_TRUE(place);
    // A finish at the first frame, or never reached: none, and why.
    for (const char* fin : {"fin", "-5000", "99999999", "303"}) {
        std::string dit = litDuNiveau(std::string("nombreActeurs=1\narriveeX=") + fin, "100", arrivee, acteurs, place);
        EXPECT_EQ(arrivee, -1) << fin;
        EXPECT_NE(dit.find("pour arriveeX dans niveau.ini"), std::string::npos) << dit;
    }
    for (const char* nombre : {"beaucoup", "-4"}) {
        std::string dit = litDuNiveau(std::string("nombreActeurs=") + nombre, "100", arrivee, acteurs, place);
        EXPECT_EQ(acteurs, 0);
        EXPECT_NE(dit.find("pour nombreActeurs dans niveau.ini"), std::string::npos) << dit;
    }
    // A position the level cannot hold would overflow the actor's motion.
    std::string dit = litDuNiveau("nombreActeurs=1", "2147483647", arrivee, acteurs, place);
    EXPECT_FALSE(place);
    EXPECT_EQ(dit, "Valeur hors limites pour positionX dans niveau.ini : 2147483647 (de 0 à 15220)\n");
}
