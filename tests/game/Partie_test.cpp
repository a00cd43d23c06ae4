#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "game/OutilsJeu.h"
#include "game/Partie.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using testsupport::DossierTemporaire;
using testsupport::ecritFichier;

namespace {

class PartieTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixeTempsFactice(20000);
        TypeActeur t;
        t.comportement = Sanctuaire; // a harmful thing that stays where it is put
        t.degats = 1;
        t.contact = {0, 0, 40, 100};
        snprintf(t.anims[AnimRepos], sizeof t.anims[AnimRepos], "Repos");
        type = acteurs.ajouteType(t);
        acteurs.recommence();
        partie.commence(true, 10000);
    }
    void TearDown() override { retireTempsFactice(); }

    // One 20 ms frame with the hero's body at world x, the level position
    // being x - 300.
    void image(int x)
    {
        avanceTempsFactice(20);
        HerosMonde h;
        h.contact = {x, 286, 38, 104};
        partie.metAJour(acteurs, h, x - 300, nullptr);
        recul += partie.reculCetteImage();
    }

    CActeurs acteurs;
    CPartie partie;
    int type = 0;
    int recul = 0;
};

TEST_F(PartieTest, HitCostsOneKnocksBackAndBlinksForOneAndAHalfSeconds)
{
    acteurs.ajoute(type, 3020, 280, ParamsComportement());
    acteurs.recommence();
    image(3000);
    EXPECT_EQ(partie.sante, 2);
    EXPECT_TRUE(partie.invulnerable());
    // 40 px away from the creature (it stands to the right) over 200 ms.
    for (int i = 0; i < 5; ++i)
        image(3000);
    EXPECT_GT(recul, -40);
    for (int i = 0; i < 10; ++i)
        image(3000);
    EXPECT_EQ(recul, -40);
    EXPECT_FALSE(partie.enRecul());
    // Still touching: no more damage for 1.5 s, blinking meanwhile.
    int eteint = 0;
    while (tempsCourant() - partie.debutInvulnerable < 1480) {
        eteint += partie.herosVisible() ? 0 : 1;
        image(3000);
    }
    EXPECT_GT(eteint, 20);
    EXPECT_EQ(partie.sante, 2);
    image(3000); // 1500 ms: hurt again
    EXPECT_EQ(partie.sante, 1);
    EXPECT_EQ(tempsCourant(), partie.debutInvulnerable);
    for (int i = 0; i < 300 && partie.etat == CPartie::EnJeu; ++i)
        image(3000);
    EXPECT_EQ(partie.sante, 0);
    EXPECT_EQ(partie.etat, CPartie::Perdu);
}

TEST_F(PartieTest, FinishLineCountsOnlyUnpausedTimeAndPrintsTheLine)
{
    acteurs.ajoute(type, 500, 0, ParamsComportement()); // far off
    acteurs.recommence();
    acteurs.lueursTotal = 12;
    acteurs.lueursPrises = 7;
    acteurs.creaturesVaincues = 3;
    image(9000);
    avanceTempsFactice(64000);
    suspendTemps();
    avanceTempsFactice(600000);
    reprendTemps();
    image(9999);
    EXPECT_EQ(partie.etat, CPartie::EnJeu);
    CCaptureMessages messages;
    image(10000); // the finish line reached
    EXPECT_EQ(partie.etat, CPartie::Fin);
    EXPECT_EQ(messages.info, "Niveau terminé en 1 min 04 s : 7 lueurs sur 12, 3 créatures vaincues\n");
    EXPECT_EQ(acteurs.acteurs[0].etat, Allume);
    image(10100); // said once
    EXPECT_EQ(messages.info.size(), std::string("Niveau terminé en 1 min 04 s : 7 lueurs sur 12, 3 créatures vaincues\n").size());
    EXPECT_FALSE(partie.finTerminee());
    avanceTempsFactice(5000);
    EXPECT_TRUE(partie.finTerminee());

    // No finish line, no end.
    partie.commence(false, 0);
    image(20000);
    EXPECT_EQ(partie.etat, CPartie::EnJeu);
}

// A lantern lights as the hero passes it; a death then resumes the run there.
TEST_F(PartieTest, DeathResumesAtTheLastLanternLitKeepingWhatWasWon)
{
    TypeActeur t;
    t.sante = t.degats = 1; // a lantern is harmless and unhurt whatever its type says
    t.contact = {0, 0, 40, 100};
    snprintf(t.anims[AnimRepos], sizeof t.anims[AnimRepos], "Repos");
    t.jeu[AnimMort] = {-1, {60000}, 60000};
    int loup = 0;
    for (int c : {Lanterne, Lueur, Loup}) {
        t.comportement = c;
        loup = acteurs.ajouteType(t);
        acteurs.ajoute(loup, c == Lanterne ? 5000 : c == Lueur ? 4000 : 4500, 286, ParamsComportement());
    }
    acteurs.ajoute(loup, 9000, 286, ParamsComportement()); // another wolf, far, walking about
    acteurs.ajoute(type, 6000, 286, ParamsComportement()); // kills a hero who stays
    acteurs.recommence();
    std::vector<CActeur>& a = acteurs.acteurs;
    image(4990);
    EXPECT_EQ(a[0].etat, Errance);
    EXPECT_FALSE(partie.reprisePossible());
    image(4000); // the light
    HerosMonde h;
    h.contact = {5000, 286, 38, 104};
    h.frappe = true;
    h.rectFrappe = acteurs.contactMonde(a[0]);
    partie.metAJour(acteurs, h, 4700, nullptr); // at the lantern, striking it
    h.rectFrappe = acteurs.contactMonde(a[2]);
    h.numeroFrappe = 1;
    partie.metAJour(acteurs, h, 4700, nullptr); // and the wolf, which starts dying
    EXPECT_EQ(a[0].etat, Allume);
    EXPECT_EQ(a[2].etat, Mourant);
    EXPECT_EQ(partie.sante, +CPartie::SanteMax);
    EXPECT_EQ(partie.positionReprise(), 4700);
    for (int i = 0; i < 400 && partie.etat == CPartie::EnJeu; ++i)
        image(6000);
    ASSERT_EQ(partie.etat, CPartie::Perdu);
    EXPECT_NE(a[3].x, 9000.0f);

    const uint32_t debut = partie.debut;
    avanceTempsFactice(5000); // the game-over pictures
    acteurs.reprend();
    partie.reprend();
    EXPECT_EQ(partie.etat, CPartie::EnJeu);
    EXPECT_EQ(partie.sante, +CPartie::SanteMax);
    EXPECT_EQ(partie.debut, debut);
    EXPECT_EQ(std::vector<int>({a[0].etat, a[1].etat, a[2].etat}), std::vector<int>({Allume, Parti, Parti}));
    EXPECT_EQ(acteurs.lueursPrises, 1);
    EXPECT_EQ(acteurs.creaturesVaincues, 1);
    EXPECT_FLOAT_EQ(a[3].x, 9000);
    EXPECT_EQ(partie.positionReprise(), 4700);
    // The ending's restart is the level from its start, every lantern out.
    acteurs.recommence();
    partie.commence(true, 10000);
    EXPECT_FALSE(partie.reprisePossible());
    EXPECT_EQ(a[0].etat, Errance);
    // A lantern near the level's start puts the hero as far left as it goes.
    partie.repriseX = 100;
    EXPECT_EQ(partie.positionReprise(), +PositionNiveauMin);
}

TEST(GeometrieHeros, StrikeRectanglesOnTheirFramesMirroredWithTheHero)
{
    DossierTemporaire dossier;
    ecritFichier("heros.ini", "[Entete]\nnbAnims=2\ncontactX=20\ncontactY=4\ncontactLargeur=36\ncontactHauteur=100\n"
                              "[Anim1]\nnomAnim=Repos\nnbFrames=0\n"
                              "[Anim2]\nnomAnim=Frappe\nnbFrames=0\nfrappeX=60\nfrappeY=30\nfrappeLargeur=50\n"
                              "frappeHauteur=20\nfrappeDebut=3\nfrappeFin=4\n");
    GeometrieHeros g = litGeometrieHeros("heros.ini", 76, 104);
    EXPECT_EQ(g.contact.x, 20);
    ASSERT_NE(g.frappeDe("Frappe"), nullptr);
    EXPECT_EQ(g.frappeDe("Repos"), nullptr);
    HerosMonde h = herosDansLeMonde(g, 1000, 300, 292, false, "Frappe", 76, 1, 5);
    EXPECT_FALSE(h.frappe); // frame 2 of 1-based 3..4
    h = herosDansLeMonde(g, 1000, 300, 292, false, "Frappe", 76, 2, 5);
    EXPECT_TRUE(h.frappe);
    EXPECT_EQ(h.rectFrappe.x, 1360);
    EXPECT_EQ(h.contact.x, 1320);
    h = herosDansLeMonde(g, 1000, 300, 292, true, "Frappe", 76, 3, 5);
    EXPECT_TRUE(h.frappe);
    EXPECT_EQ(h.rectFrappe.x, 1266); // 1300 + 76 - 110: in front, to the left
    EXPECT_EQ(h.contact.x, 1320);    // the body is symmetric here
    // Without the keys: the middle half of the frame.
    GeometrieHeros d = litGeometrieHeros("absent.ini", 76, 104);
    EXPECT_EQ(d.contact.x, 19);
    EXPECT_EQ(d.contact.largeur, 38);
    EXPECT_TRUE(d.frappes.empty());
}

} // namespace

TEST(PartieSondeTest, ListsOnlyHarmfulCreaturesWithinReachThoseToJumpLast)
{
    CActeurs acteurs;
    TypeActeur creature;
    creature.comportement = Sanctuaire;
    creature.degats = 1;
    creature.sante = 1;
    creature.contact = {10, 20, 30, 40};
    TypeActeur lumiere = creature;
    lumiere.degats = 0;
    TypeActeur rocher = creature;
    rocher.comportement = Rocher;
    int c = acteurs.ajouteType(creature), l = acteurs.ajouteType(lumiere), r = acteurs.ajouteType(rocher);
    acteurs.ajoute(r, 3300, 280, ParamsComportement());  // a strike does not stop it
    acteurs.ajoute(c, 3500, 280, ParamsComportement());  // within 400 px ahead
    acteurs.ajoute(l, 3400, 280, ParamsComportement());  // a light: harmless
    acteurs.ajoute(c, 4000, 280, ParamsComportement());  // too far
    acteurs.ajoute(c, 2700, 280, ParamsComportement());  // behind, within reach
    acteurs.recommence();
    CPartie partie;
    partie.commence(false, 0);
    HerosMonde h;
    h.contact = {3100, 286, 38, 104};
    EXPECT_EQ(partie.ligneSonde(acteurs, h), "sonde 3 3100 3138 3510 300 30 40 2710 300 30 40 | 3300 300 30 40\n");
}

// Without its heart pictures the HUD writes the health out: said once.
TEST(AffichagePartie, MissingHeartsAreSaidOnce)
{
    DossierTemporaire dossier;
    CAffichagePartie affichage;
    CCaptureMessages messages;
    affichage.charge();
    EXPECT_EQ(messages.erreurs, "Cœurs de santé introuvables (./data/hud/coeur.png, ./data/hud/coeur_vide.png) : "
                                "la santé s'affiche en texte\n");
}
