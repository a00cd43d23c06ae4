#include "foundation/Messages.h"
#include "foundation/Temps.h"
#include "game/Acteurs.h"
#include "game/Effets.h"
#include "sound/CMusique.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::DossierTemporaire;
using testsupport::ecritFichier;

namespace {

class SonsNotes : public SortieEffets {
public:
    void joue(const char* nom, int xEcran) override { joues.push_back(std::string(nom) + "@" + std::to_string(xEcran)); }
    std::vector<std::string> joues;
};

TypeActeur typeDe(int comportement, int sante, int degats)
{
    TypeActeur t;
    t.comportement = comportement;
    t.sante = sante;
    t.degats = degats;
    t.contact = {8, 20, 60, 40}; // a 68 x 60 frame
    snprintf(t.anims[AnimRepos], sizeof t.anims[AnimRepos], "Repos");
    t.jeu[AnimMort].pauses = {100, 100};
    t.jeu[AnimMort].duree = 200;
    return t;
}

// A hero standing in the world with its body at x .. x+38.
HerosMonde herosA(int x, int y = 286)
{
    HerosMonde h;
    h.contact = {x, y, 38, 104};
    return h;
}

class ActeursTest : public ::testing::Test {
protected:
    void SetUp() override { fixeTempsFactice(50000); }
    void TearDown() override { retireTempsFactice(); }

    int place(int comportement, int x, int y, ParamsComportement p = ParamsComportement(), int sante = 2, int degats = 1)
    {
        int t = acteurs.ajouteType(typeDe(comportement, sante, degats));
        acteurs.ajoute(t, x, y, p);
        acteurs.recommence();
        return static_cast<int>(acteurs.acteurs.size()) - 1;
    }
    // `n` frames of 20 ms; the damage taken in them.
    int joue(const HerosMonde& h, int n)
    {
        int degats = 0, x = 0;
        for (int i = 0; i < n; ++i) {
            avanceTempsFactice(20);
            degats += acteurs.metAJour(h, &sons, 0, x);
        }
        return degats;
    }

    CActeurs acteurs;
    SonsNotes sons;
};

TEST(Rectangles, MirroringKeepsTheRectangleOnTheBodySide)
{
    RectangleFrame r{40, 10, 30, 20};
    RectangleJeu droite = placeRectangle(r, 1000, 300, 76, false);
    RectangleJeu gauche = placeRectangle(r, 1000, 300, 76, true);
    EXPECT_EQ(droite.x, 1040);
    EXPECT_EQ(gauche.x, 1006); // 76 - (40 + 30) from the left edge
    EXPECT_EQ(gauche.y, 310);
    // Touching edges do not meet; one pixel of overlap does.
    RectangleJeu a{0, 0, 10, 10}, b{10, 0, 10, 10}, c{9, 9, 5, 5};
    EXPECT_FALSE(seRencontrent(a, b));
    EXPECT_TRUE(seRencontrent(a, c));
    EXPECT_FALSE(seRencontrent(a, RectangleJeu{2, 2, 0, 5}));
}

TEST_F(ActeursTest, WolfPatrolsChargesWhatIsInFrontThenDrawsBackAndWalksHome)
{
    ParamsComportement p;
    p.patrouille = 100;
    int i = place(Loup, 5000, 330, p);
    CActeur& loup = acteurs.acteurs[i];
    // Hero far away: it walks within +-100 of its start.
    float xMin = 1e9f, xMax = -1e9f;
    for (int k = 0; k < 400; ++k) {
        joue(herosA(1000), 1);
        xMin = std::min(xMin, loup.x);
        xMax = std::max(xMax, loup.x);
        EXPECT_EQ(loup.etat, Errance);
    }
    EXPECT_FLOAT_EQ(xMin, 4900);
    EXPECT_FLOAT_EQ(xMax, 5100);

    // Behind it: nothing. In front, within 260: a charge, stopped 390 past its start.
    acteurs.recommence(); // at 5000 facing left
    joue(herosA(5200), 1);
    EXPECT_EQ(loup.etat, Errance);
    acteurs.recommence();
    joue(herosA(4800, 100), 1); // in front, high above: out of reach
    EXPECT_EQ(loup.etat, Attaque);
    EXPECT_EQ(sons.joues.size(), 0u); // the type has no attack sound
    joue(herosA(4800, 100), 150);
    EXPECT_EQ(loup.etat, Retour);
    joue(herosA(4800, 100), 1);
    EXPECT_LE(loup.x, 4900.0f); // it ran past the hero and is coming back
    EXPECT_GE(loup.x, 4610.0f); // never beyond 1.5 x 260 from its start
    EXPECT_EQ(loup.sens, 1);
}

TEST_F(ActeursTest, WispFindsAnIdleHeroAndBatSwoopsToItsHeightAndBack)
{
    int f = place(FeuFollet, 3700, 200); // 3 x 260 covers the hero 700 px away
    int c = place(ChauveSouris, 3150, 100);
    HerosMonde h = herosA(3000);
    h.invulnerable = true; // hurting is the run's business; here, only the moves
    joue(h, 1);
    EXPECT_EQ(acteurs.acteurs[c].etat, Attaque);
    float plusBas = 0;
    int reperes = 0;
    bool touche = false;
    for (int k = 0; k < 600 && reperes < 2; ++k) {
        joue(h, 1);
        plusBas = std::max(plusBas, acteurs.acteurs[c].y);
        touche = touche || seRencontrent(acteurs.contactMonde(acteurs.acteurs[c]), h.contact);
        if (reperes == 0 && acteurs.acteurs[c].etat == Retour)
            reperes = 1;
        if (reperes == 1 && acteurs.acteurs[c].etat == Errance)
            reperes = 2;
    }
    EXPECT_EQ(reperes, 2);
    EXPECT_TRUE(touche);
    EXPECT_GT(plusBas, 250.0f); // down to the hero's middle (338 - 30)
    EXPECT_FLOAT_EQ(acteurs.acteurs[c].x, 3150);
    EXPECT_FLOAT_EQ(acteurs.acteurs[c].y, 100);
    // The wisp came over to the hero.
    EXPECT_LT(acteurs.acteurs[f].x, 3300.0f);
}

TEST_F(ActeursTest, StrikesHurtOncePerStrikeThenKillAndLightsAreTaken)
{
    int loup = place(Loup, 2000, 330);
    int lueur = place(Lueur, 1400, 300, ParamsComportement(), 0, 0);
    EXPECT_EQ(acteurs.lueursTotal, 1);
    HerosMonde h = herosA(1000);
    h.frappe = true;
    h.numeroFrappe = 7;
    h.rectFrappe = RectangleJeu{2010, 350, 40, 20};
    joue(h, 1);
    CActeur& a = acteurs.acteurs[loup];
    EXPECT_EQ(a.sante, 1);
    EXPECT_EQ(a.etat, Blesse);
    joue(h, 30); // the same strike, on: no second wound
    EXPECT_EQ(a.sante, 1);
    h.rectFrappe.x = static_cast<int>(a.x) + 10;
    h.numeroFrappe = 8;
    joue(h, 1);
    EXPECT_EQ(a.etat, Mourant);
    EXPECT_EQ(acteurs.creaturesVaincues, 0); // until its death has played
    joue(h, 12);
    EXPECT_EQ(a.etat, Parti);
    EXPECT_EQ(acteurs.creaturesVaincues, 1);
    ASSERT_GE(sons.joues.size(), 2u);
    EXPECT_EQ(sons.joues[0].substr(0, 7), "touche@");
    EXPECT_EQ(sons.joues[1].substr(0, 5), "mort@");

    // A light is not hurt by strikes, and is taken by the body.
    h.rectFrappe = acteurs.contactMonde(acteurs.acteurs[lueur]);
    h.numeroFrappe = 9;
    joue(h, 1);
    EXPECT_EQ(acteurs.acteurs[lueur].etat, Errance);
    EXPECT_EQ(joue(herosA(1400, 300), 1), 0);
    EXPECT_EQ(acteurs.acteurs[lueur].etat, Parti);
    EXPECT_EQ(acteurs.lueursPrises, 1);
    EXPECT_EQ(sons.joues.back(), "lueur@" + std::to_string(SonHeros));
}

TEST_F(ActeursTest, ToadLeapsAtANearHeroAndLandsBoulderRollsUnderAJumperThroughBlows)
{
    ParamsComportement p;
    p.distanceAlerte = 200;
    p.vitesseAttaque = 200;
    p.amplitude = 80;
    p.periode = 1000;
    p.recul = 500;
    CActeur& c = acteurs.acteurs[place(Crapaud, 2000, 330, p)];
    joue(herosA(1000), 10);
    EXPECT_EQ(c.etat, Errance);
    // Near: a leap of 1 s, 80 px high, that hits the hero and goes on.
    joue(herosA(1850), 1);
    ASSERT_EQ(c.etat, Attaque);
    float plusHaut = 330;
    int degats = 0;
    for (int k = 0; k < 50 && c.etat == Attaque; ++k) {
        degats += joue(herosA(1850), 1);
        plusHaut = std::min(plusHaut, c.y);
    }
    EXPECT_GT(degats, 0);
    EXPECT_NEAR(plusHaut, 250.0f, 1.0f);
    EXPECT_EQ(c.etat, Recul);
    EXPECT_EQ(std::make_pair(c.x, c.y), std::make_pair(1800.0f, 330.0f));
    joue(herosA(1850), 26); // waits, then leaps again
    EXPECT_EQ(c.etat, Attaque);

    p.distanceAlerte = 300;
    p.vitesseAttaque = 300;
    CActeur& r = acteurs.acteurs[place(Rocher, 5000, 330, p, 5, 1)];
    joue(herosA(4600), 10);
    EXPECT_FLOAT_EQ(r.x, 5000);
    // Within reach it rolls at the hero; a strike neither stops nor hurts it.
    HerosMonde h = herosA(4800, 200); // in the air above it
    h.frappe = true;
    h.rectFrappe = RectangleJeu{5000, 330, 80, 60};
    EXPECT_EQ(joue(h, 60), 0);
    EXPECT_EQ(r.etat, Attaque);
    EXPECT_EQ(r.sante, 5);
    EXPECT_LT(r.x, 4700.0f);
    EXPECT_GT(joue(herosA(4500), 40), 0);
    EXPECT_EQ(r.etat, Attaque);
    // Past the screen's left edge it is gone, not defeated; after a death
    // it is back at its start.
    int coup = 0;
    acteurs.metAJour(herosA(4500), &sons, static_cast<int>(r.x) + 100, coup);
    EXPECT_EQ(r.etat, Parti);
    EXPECT_EQ(acteurs.creaturesVaincues, 0);
    acteurs.reprend();
    EXPECT_FLOAT_EQ(r.x, 5000);
}

TEST_F(ActeursTest, PauseFreezesEveryActor)
{
    place(Loup, 5000, 330);
    place(FeuFollet, 3400, 200);
    place(Lueur, 3500, 200, ParamsComportement(), 0, 0);
    joue(herosA(3000), 5);
    std::vector<float> avant;
    for (const CActeur& a : acteurs.acteurs) {
        avant.push_back(a.x);
        avant.push_back(a.y);
    }
    suspendTemps();
    joue(herosA(3000), 100);
    reprendTemps();
    int k = 0;
    for (const CActeur& a : acteurs.acteurs) {
        EXPECT_FLOAT_EQ(a.x, avant[k++]);
        EXPECT_FLOAT_EQ(a.y, avant[k++]);
    }
}

TEST(LectureActeurs, LevelActorsTypesAndOverridesWithBadOnesLeftOut)
{
    DossierTemporaire dossier;
    ecritFichier("niveau.ini", "[Entete]\nnombrePriorites=0\nnombrePlans=0\nnombreActeurs=5\narriveeX=13900\n"
                               "[Acteur1]\ntype=loup\npositionX=4000\npositionY=330\npatrouille=150\n"
                               "[Acteur2]\ntype=fantome\npositionX=1\npositionY=1\n"
                               "[Acteur3]\ntype=../loup\npositionX=1\npositionY=1\n"
                               "[Acteur4]\ntype=mauvais\npositionX=1\npositionY=1\n"
                               "[Acteur5]\ntype=loup ; another\npositionX=4500\npositionY=330\n");
    system("mkdir -p data/acteurs");
    ecritFichier("data/acteurs/loup.ini", "[Acteur]\ncomportement=loup\nsprite=./data/sprites/loup.ini\nsante=2\n"
                                          "degats=1\ncontactX=8\ncontactY=20\ncontactLargeur=60\ncontactHauteur=40\n"
                                          "[Animations]\nrepos=Repos\n[Comportement]\nvitesse=80\n[Sons]\nmort=mort\n");
    ecritFichier("data/acteurs/mauvais.ini", "[Acteur]\ncomportement=dragon\n");
    CActeurs acteurs;
    int arrivee = 0;
    CCaptureMessages messages;
    EXPECT_TRUE(acteurs.charge("niveau.ini", false, arrivee));
    EXPECT_EQ(arrivee, 13900);
    ASSERT_EQ(acteurs.acteurs.size(), 2u);
    EXPECT_EQ(acteurs.acteurs[0].params.patrouille, 150);
    EXPECT_EQ(acteurs.acteurs[1].params.patrouille, 160);
    EXPECT_EQ(acteurs.acteurs[1].params.vitesse, 80);
    EXPECT_EQ(acteurs.acteurs[1].departX, 4500);
    EXPECT_STREQ(acteurs.types[acteurs.acteurs[0].type].sons[SonMort], "mort");
    EXPECT_NE(messages.erreurs.find("Fichier introuvable : ./data/acteurs/fantome.ini"), std::string::npos);
    EXPECT_NE(messages.erreurs.find("../loup"), std::string::npos);
    EXPECT_NE(messages.erreurs.find("mauvais.ini"), std::string::npos);

    // A level of the first days: no actor, no finish, not a word more.
    ecritFichier("ancien.ini", "[Entete]\nnombrePriorites=0\nnombrePlans=0\n");
    CCaptureMessages ancien;
    EXPECT_FALSE(acteurs.charge("ancien.ini", false, arrivee));
    EXPECT_TRUE(acteurs.acteurs.empty());
    EXPECT_EQ(ancien.info + ancien.erreurs, "");

    // More actors than the file can hold are refused.
    ecritFichier("gros.ini", "[Entete]\nnombreActeurs=100000\n");
    CCaptureMessages gros;
    acteurs.charge("gros.ini", false, arrivee);
    EXPECT_TRUE(acteurs.acteurs.empty());
    EXPECT_NE(gros.erreurs.find("Trop d'acteurs"), std::string::npos);
}

// The limits the game has always played: degats up to 1000, a body up to
// 4096, and without [Comportement] a period of 1800 ms. An actor's own
// period of 0 is brought to 1, with a word.
TEST(LectureActeurs, TypeLimitsAreTheGamesAndOverridesAreBounded)
{
    DossierTemporaire dossier;
    auto type = [](const std::string& degats, const std::string& largeur) {
        ecritFichier("bete.ini", "[Acteur]\ncomportement=loup\nsprite=s.ini\nsante=2\ndegats=" + degats +
                                     "\ncontactX=-4096\ncontactY=0\ncontactLargeur=" + largeur +
                                     "\ncontactHauteur=40\n[Animations]\nrepos=Repos\n");
        TypeActeur t;
        CCaptureMessages messages;
        bool lu = litTypeActeur("bete.ini", t);
        return std::make_pair(lu ? t.params.periode : -1, messages.erreurs);
    };
    EXPECT_EQ(type("1000", "4096"), std::make_pair(1800, std::string()));
    EXPECT_EQ(type("1001", "4096").second, "Valeur hors limites pour degats dans bete.ini : 1001 (de 0 à 1000)\n");
    EXPECT_EQ(type("1", "4097").first, -1);
    EXPECT_EQ(type("un", "40").second, "Valeur non entière pour degats dans bete.ini : « un »\n");

    type("1", "40");
    ecritFichier("niveau.ini", "[Entete]\nnombreActeurs=1\n[Acteur1]\ntype=bete\npositionX=10\npositionY=10\n"
                               "periode=0\n");
    system("mkdir -p data/acteurs && cp bete.ini data/acteurs/");
    CActeurs acteurs;
    int arrivee;
    CCaptureMessages messages;
    acteurs.charge("niveau.ini", false, arrivee);
    ASSERT_EQ(acteurs.acteurs.size(), 1u);
    EXPECT_EQ(acteurs.acteurs[0].params.periode, 1);
    EXPECT_EQ(messages.erreurs, "Valeur hors limites pour periode dans niveau.ini : 0 (de 1 à 100000)\n");
}

TEST(LectureActeurs, EffectsListRegistersValidSoundsAndMissingListIsSilence)
{
    DossierTemporaire dossier;
    GestionnaireSon son;
    CCaptureMessages messages;
    EXPECT_EQ(chargeEffets(son, "effets.ini"), 0);
    EXPECT_EQ(messages.erreurs, "");
    ecritFichier("a.wav", "RIFF");
    ecritFichier("effets.ini", "[Entete]\nnombreSons=3\n[Son1]\nnom=frappe\nfichier=a.wav\n"
                               "[Son2]\nnom=unnomvraimentbientroplong\nfichier=a.wav\n[Son3]\nnom=fin\n");
    EXPECT_EQ(chargeEffets(son, "effets.ini"), 1);
    EXPECT_NE(son.getSon("frappe"), nullptr);
    EXPECT_EQ(son.getSon("fin"), nullptr);
    EXPECT_EQ(angleEcran(0), 270);
    EXPECT_EQ(angleEcran(640), 90);
    EXPECT_EQ(angleEcran(320), 0);
}

} // namespace
