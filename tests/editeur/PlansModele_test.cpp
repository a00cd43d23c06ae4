// The model's steps on whole planes, the finish line and one actor's
// behaviour numbers: each saved, then undone and redone back to the very
// bytes saved after every step.
#include "editeur/ModeleNiveau.h"
#include "support/HistoriqueModele.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace editeur;
using namespace testsupport;

namespace {

// Three drawn planes, one the game leaves out (priority above the count).
const std::string Niveau = "; mien\n[Entete]\nnombrePriorites=3\nnombrePlans=4\nnombreActeurs=1\n\n"
                           "[Plan1]\npathPlan=niv/a.ini\npriorite=1\nscrollRatio=20\n\n"
                           "[Plan2]\npathPlan=niv/b.ini\npriorite=2 ; milieu\nscrollRatio=60\n\n"
                           "[Plan3]\npathPlan=niv/c.ini\npriorite=3\nscrollRatio=100\n\n"
                           "[Plan4]\npathPlan=niv/cache.ini\npriorite=4\n\n"
                           "[Acteur1]\ntype=loup\npositionX=700\npositionY=300\npatrouille=120\n";
const std::string Plan = "[Entete]\nnombreTiles=0\n";
// A plane file written by a save stays when the plane is undone: it is
// checked apart.
const std::vector<std::string> Fichiers = {"niveau.ini", "niv/a.ini", "niv/b.ini", "niv/c.ini", "niv/cache.ini",
                                           "niv/ciel.ini"};

std::vector<int> priorites(const CModeleNiveau& m)
{
    std::vector<int> p;
    for (const PlanEdite& plan : m.plans())
        p.push_back(plan.parametres.priorite);
    return p;
}

struct Dossier {
    DossierTemporaire dossier;
    Dossier()
    {
        execute("mkdir -p niv data/acteurs");
        ecritFichier("niveau.ini", Niveau);
        for (const char* f : {"niv/a.ini", "niv/b.ini", "niv/c.ini", "niv/cache.ini"})
            ecritFichier(f, Plan);
        ecritFichier("niv/ciel.ini", "; someone else's\n");  // the new plane must not take this name
        ecritFichier("data/acteurs/loup.ini", "[Acteur]\ncomportement=loup\nsprite=./data/sprites/loup.ini\n"
                                              "sante=3\ndegats=1\n[Animations]\nrepos=Repos\n"
                                              "[Comportement]\nvitesse=70\npatrouille=160\n");
    }
};

TEST(PlansModele, AddReorderRemovePlanesAndSetTheFinishEachUndoable)
{
    Dossier d;
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    TileEditee tile;
    tile.planche = "./data/levels/ciel.png";
    tile.frames.push_back({0, 0, 256, 128, 255, 0});
    tile.positions.push_back({5, 5});  // a new plane's tile starts unplaced

    verifieHistorique(m, Fichiers, {
        [&] {
            EXPECT_EQ(m.cheminNouveauPlan(tile.planche), "niv/ciel2.ini");
            ASSERT_TRUE(m.ajoutePlan(tile));
            ASSERT_EQ(m.plans().size(), 5u);
            EXPECT_EQ(m.plans()[4].chemin, "niv/ciel2.ini");
            ASSERT_EQ(m.plans()[4].tiles.size(), 1u);
            EXPECT_TRUE(m.plans()[4].tiles[0].positions.empty());
            // In front of the drawn ones; the hidden one stays hidden.
            EXPECT_EQ(priorites(m), (std::vector<int>{1, 2, 3, 5, 4}));
            EXPECT_TRUE(m.dessineEnJeu(4));
            EXPECT_FALSE(m.dessineEnJeu(3));
        },
        [&] {
            ASSERT_TRUE(m.deplacePlan(0, +1));
            EXPECT_EQ(priorites(m), (std::vector<int>{2, 1, 3, 5, 4}));
            EXPECT_FALSE(m.deplacePlan(4, +1));  // already in front
            EXPECT_FALSE(m.deplacePlan(3, -1));  // not drawn
        },
        [&] { ASSERT_TRUE(m.retirePlan(4)); },  // the top one: the count comes down
        [&] {
            ASSERT_TRUE(m.retirePlan(1));
            ASSERT_EQ(m.plans().size(), 3u);
            EXPECT_EQ(m.plans()[1].chemin, "niv/c.ini");
            EXPECT_EQ(priorites(m), (std::vector<int>{2, 3, 5}));
            EXPECT_FALSE(m.dessineEnJeu(2));
        },
        [&] {
            ASSERT_TRUE(m.fixeArrivee(100));  // brought within range
            int x = 0;
            ASSERT_TRUE(m.arrivee(x));
            EXPECT_EQ(x, 304);
        },
    });
    const std::string niveau = lisFichier("niveau.ini");
    EXPECT_NE(niveau.find("nombrePriorites=3\nnombrePlans=3\nnombreActeurs=1\narriveeX=304\n"), std::string::npos)
        << niveau;
    EXPECT_NE(niveau.find("[Plan3]\npathPlan=niv/cache.ini\npriorite=5\n"), std::string::npos) << niveau;
    // Taken out of the level, the files stay; the one that was never there stays absent.
    EXPECT_EQ(lisFichier("niv/b.ini"), Plan);
    EXPECT_EQ(lisFichier("niv/ciel.ini"), "; someone else's\n");
    EXPECT_NE(lisFichier("niv/ciel2.ini").find("pathPlanche=./data/levels/ciel.png\n"), std::string::npos);

    // Reordering within a shared priority splits it and keeps everything
    // else in its place.
    ASSERT_TRUE(m.fixeParametres(0, [&] { auto p = m.plans()[0].parametres; p.priorite = 3; return p; }()));
    ASSERT_TRUE(m.deplacePlan(1, -1));
    EXPECT_EQ(priorites(m), (std::vector<int>{4, 3, 6}));
    EXPECT_FALSE(m.dessineEnJeu(2));
    ASSERT_TRUE(m.retirePlan(0));
    ASSERT_TRUE(m.retirePlan(0));
    EXPECT_FALSE(m.retirePlan(0));  // the last plane stays

    // A plane added before a crash comes back with the autosave.
    ASSERT_TRUE(m.ajoutePlan(tile));
    ASSERT_TRUE(m.ecritAutosave());
    CModeleNiveau repris;
    ASSERT_TRUE(repris.ouvre("niveau.ini"));
    ASSERT_TRUE(repris.reprendAutosave());
    ASSERT_EQ(repris.plans().size(), 2u);
    EXPECT_EQ(repris.plans()[1].tiles.size(), 1u);
    ASSERT_TRUE(repris.sauve());
    EXPECT_EQ(lisFichier("niv/ciel3.ini"), lisFichier("niv/ciel2.ini"));
}

TEST(PlansModele, OneActorsOwnNumbersOverrideItsTypeUntilSetBack)
{
    Dossier d;
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    auto parametre = [&](const std::string& cle) {
        for (const ParametreActeur& p : m.parametresActeur(0))
            if (cle == p.cle)
                return p;
        ADD_FAILURE() << cle;
        return ParametreActeur();
    };
    EXPECT_TRUE(m.parametresActeur(1).empty());
    ParametreActeur patrouille = parametre("patrouille");
    EXPECT_TRUE(patrouille.propre);
    EXPECT_EQ(patrouille.valeur, 120);
    EXPECT_EQ(patrouille.valeurType, 160);
    EXPECT_FALSE(parametre("vitesse").propre);
    EXPECT_EQ(parametre("vitesse").valeur, 70);
    EXPECT_EQ(parametre("recul").valeur, 400);  // the type says nothing: the default
    const int iPatrouille = 3, iVitesse = 0, iPeriode = 5;

    verifieHistorique(m, Fichiers, {
        [&] { ASSERT_TRUE(m.fixeParametreActeur(0, iPatrouille, 240)); },
        [&] {
            ASSERT_TRUE(m.fixeParametreActeur(0, iVitesse, 5000000));
            EXPECT_EQ(parametre("vitesse").valeur, 100000);
        },
        [&] {
            EXPECT_TRUE(m.fixeParametreActeur(0, iPeriode, 0));
            EXPECT_EQ(parametre("periode").valeur, 1);
        },
        [&] {
            ASSERT_TRUE(m.fixeParametreActeur(0, iPatrouille, 160));
            EXPECT_FALSE(parametre("patrouille").propre);
            EXPECT_FALSE(m.fixeParametreActeur(0, iPatrouille, 160));  // nothing left to change
        },
    });
    EXPECT_EQ(lisFichier("niveau.ini"),
              Niveau.substr(0, Niveau.size() - std::string("patrouille=120\n").size())
                  + "vitesse=100000\nperiode=1\n");
}

}
