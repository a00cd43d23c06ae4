// Sprites loaded from description files and drawn on a real context.

#include "sprites/CSprite.h"

#include "foundation/Temps.h"
#include "game/ControleHeros.h"
#include "game/OutilsJeu.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

using namespace testsupport;

namespace {

const uint32_t T = 50000;

// Sheet 144 x 48: three frames 40, 40 and 64 wide (red, green, blue) on the
// top 32 rows; below them a 16 x 16 square, left half magenta, right white.
void ecritFeuille()
{
    const int w = 144, h = 48;
    std::vector<Pixel> p(w * h, NOIR);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (y < 32)
                p[y * w + x] = x < 40 ? ROUGE : x < 80 ? VERT : BLEU;
            else if (x < 16)
                p[y * w + x] = x < 8 ? MAGENTA : BLANC;
        }
    ecritTGA("feuille.tga", w, h, p);
}

std::string cadre(int n, int m, int x, int y, int w, int h, int pause)
{
    std::string s = "[Anim" + std::to_string(n) + "Frame" + std::to_string(m) + "]\n";
    s += "positionX=" + std::to_string(x) + "\npositionY=" + std::to_string(y) + "\n";
    s += "longueur=" + std::to_string(w) + "\nhauteur=" + std::to_string(h) + "\n";
    if (pause >= 0)
        s += "pause=" + std::to_string(pause) + "\n";
    return s;
}

// Marche (3 frames), Saute (1 keyed frame, no pause), a second Marche, then
// an animation whose sheet is `derniereFeuille`.
std::string description(const std::string& derniereFeuille = "feuille.tga")
{
    return "[Entete]\nnbAnims=4\n"
           "[Anim1]\nnbFrames=3\nnomAnim=Marche\npathPlanche=feuille.tga\n" +
           cadre(1, 1, 0, 0, 40, 32, 100) + cadre(1, 2, 40, 0, 40, 32, 120) +
           cadre(1, 3, 80, 0, 64, 32, 140) +
           "[Anim2]\nnbFrames=1\nnomAnim=Saute\npathPlanche=feuille.tga\n"
           "colorkeyR=255\ncolorkeyG=0\ncolorkeyB=255\n" +
           cadre(2, 1, 0, 32, 16, 16, -1) +
           "[Anim3]\nnbFrames=2\nnomAnim=Marche\npathPlanche=feuille.tga\n" +
           cadre(3, 1, 40, 0, 40, 32, 10) + cadre(3, 2, 40, 0, 40, 32, 10) +
           "[Anim4]\nnbFrames=2\nnomAnim=Frappe\npathPlanche=" + derniereFeuille + "\n" +
           cadre(4, 1, 0, 0, 40, 32, 50) + cadre(4, 2, 0, 0, 40, 32, 50);
}

class CSpriteTest : public testsupport::TestGL {
protected:
    void SetUp() override
    {
        TestGL::SetUp();
        fixeTempsFactice(T);
        ecritFeuille();
    }
    void TearDown() override
    {
        retireTempsFactice();
        TestGL::TearDown();
    }

    int charge(CSprite& sprite, const std::string& texte)
    {
        ecritFichier("sprite.ini", texte);
        Capture sortie(1);  // the profile reader's notices
        return sprite.initFromIniFile("sprite.ini");
    }
};

TEST_F(CSpriteTest, LoadsAnimationsInFileOrder)
{
    CSprite sprite;
    ASSERT_EQ(charge(sprite, description()), 0);
    ASSERT_EQ(sprite.getNbAnims(), 4);
    const char* noms[] = {"Marche", "Saute", "Marche", "Frappe"};
    const int frames[] = {3, 1, 2, 2};
    for (int i = 0; i < 4; ++i) {
        CAnimGL* anim = sprite.getAnim(i);
        EXPECT_STREQ(anim->getNomAnimation(), noms[i]);
        EXPECT_EQ(anim->getNbImages(), frames[i]);
        EXPECT_TRUE(anim->getRepete());
        EXPECT_FALSE(anim->isAnimFinished());
    }
    CAnimGL* marche = sprite.getAnim(0);
    EXPECT_EQ(marche->getImage(0)->getTempsPause(), 100u);
    EXPECT_EQ(marche->getImage(1)->getTempsPause(), 120u);
    EXPECT_EQ(marche->getImage(2)->getTempsPause(), 140u);
    EXPECT_EQ(marche->getImage(2)->getLongueur(), 64);
    EXPECT_EQ(marche->getImage(2)->getHauteur(), 32);
    EXPECT_EQ(sprite.getAnim(1)->getImage(0)->getTempsPause(), 0u);
    EXPECT_EQ(sprite.getAnimCourante(), 0);
}

TEST_F(CSpriteTest, FileValuesArriveAsTheGameStoresThem)
{
    // The nomAnim line goes through a 20-byte buffer: a 13-character name
    // arrives as its first 10. positionX keeps its low 16 bits (65546 is
    // 10); a width of -1 is 65535, lowered to the sheet's own width, and no
    // texture is built for the part beyond the sheet (at -1 by -1 that would
    // be 16 GB).
    CSprite sprite;
    ASSERT_EQ(charge(sprite, "[Entete]\nnbAnims=2\n"
                             "[Anim1]\nnbFrames=0\nnomAnim=Autre\npathPlanche=feuille.tga\n"
                             "[Anim2]\nnbFrames=1\nnomAnim=AttaqueSautee\npathPlanche=feuille.tga\n"
                             "[Anim2Frame1]\npositionX=65546\nlongueur=-1\nhauteur=48\n"),
              0);
    EXPECT_STREQ(sprite.getAnim(1)->getNomAnimation(), "AttaqueSau");
    sprite.setAnimationCourante("AttaqueSautee");
    EXPECT_EQ(sprite.getAnimCourante(), 0);
    sprite.setAnimationCourante("AttaqueSau");
    ASSERT_EQ(sprite.getAnimCourante(), 1);

    CImageAnim* image = sprite.getAnim(1)->getImage(0);
    EXPECT_EQ(image->getLongueur(), 144);
    EXPECT_EQ(image->getHauteur(), 48);
    EXPECT_EQ(image->nbTiles, 1);
    sprite.affiche();
    EXPECT_TRUE(zoneUnie(0, 0, 30, 32, ROUGE, "coupe"));
    EXPECT_TRUE(zoneUnie(30, 0, 40, 32, VERT, "coupe"));
    EXPECT_TRUE(zoneUnie(70, 0, 64, 32, BLEU, "coupe"));
    EXPECT_TRUE(zoneUnie(0, 32, 6, 16, BLANC, "coupe"));
    EXPECT_TRUE(zoneUnie(6, 32, 138, 16, NOIR, "coupe"));
    EXPECT_TRUE(zoneUnie(134, 0, 10, 32, NOIR, "coupe"));
}

TEST_F(CSpriteTest, MirroredFramesKeepTheirRightEdges)
{
    CSprite sprite;
    ASSERT_EQ(charge(sprite, description()), 0);
    sprite.setPosition(300, 100);
    CAnimGL* marche = sprite.getAnimationCourante();
    const Pixel couleurs[] = {ROUGE, VERT, BLEU};

    for (bool miroir : {false, true}) {
        sprite.setMirroirY(miroir);
        EXPECT_EQ(sprite.getMirroirY(), miroir);
        for (int i = 0; i < 3; ++i) {
            testsupport::effaceEcran();
            marche->joueAnim();  // clock still: no step while drawing
            marche->setImageCourante(i);
            sprite.affiche();
            int w = i == 2 ? 64 : 40;
            int gauche = miroir ? 340 - w : 300;
            std::string nom = std::string(miroir ? "miroir" : "droit") + std::to_string(i);
            EXPECT_TRUE(zoneUnie(gauche, 100, w, 32, couleurs[i], nom));
            EXPECT_TRUE(zoneUnie(gauche - 1, 100, 1, 32, NOIR, nom));
            EXPECT_TRUE(zoneUnie(gauche + w, 100, 1, 32, NOIR, nom));
        }
    }
}

TEST_F(CSpriteTest, DrawingAdvancesTheCurrentAnimationAndAppliesItsColourKey)
{
    CSprite sprite;
    ASSERT_EQ(charge(sprite, description()), 0);
    sprite.setPosition(10, 10);
    sprite.demarreAnim();
    fixeTempsFactice(T + 101);
    sprite.affiche();
    EXPECT_TRUE(zoneUnie(10, 10, 40, 32, VERT, "avance"));

    testsupport::effaceEcran();
    sprite.setAnimationCourante("Saute");
    sprite.affiche();
    EXPECT_TRUE(zoneUnie(10, 10, 8, 16, NOIR, "cle"));
    EXPECT_TRUE(zoneUnie(18, 10, 8, 16, BLANC, "cle"));
}

TEST_F(CSpriteTest, SelectionByExactNameKeepsEachAnimationsState)
{
    CSprite sprite;
    ASSERT_EQ(charge(sprite, description()), 0);
    sprite.setAnimationCourante("Saute");
    EXPECT_EQ(sprite.getAnimCourante(), 1);
    sprite.setAnimationCourante("Marche");  // the first of the two
    EXPECT_EQ(sprite.getAnimCourante(), 0);
    sprite.setAnimationCourante("marche");
    sprite.setAnimationCourante("Inconnue");
    EXPECT_EQ(sprite.getAnimCourante(), 0);

    // A finished one-shot stays finished when selected again.
    sprite.setRepeteAnimCourante(false);
    sprite.demarreAnim();
    fixeTempsFactice(T + 10000);
    sprite.affiche();
    EXPECT_TRUE(sprite.isAnimCouranteFinished());
    sprite.setAnimationCourante("Frappe");
    EXPECT_FALSE(sprite.isAnimCouranteFinished());
    EXPECT_TRUE(sprite.getAnimationCourante()->getRepete());  // untouched
    sprite.setAnimationCourante("Marche");
    EXPECT_TRUE(sprite.isAnimCouranteFinished());
    EXPECT_EQ(sprite.getAnimationCourante()->getImageCourante(), 2);
    testsupport::effaceEcran();
    sprite.setPosition(0, 0);
    sprite.affiche();
    EXPECT_TRUE(zoneUnie(0, 0, 64, 32, BLEU, "fini"));

    sprite.demarreAnim();
    EXPECT_FALSE(sprite.isAnimCouranteFinished());
    EXPECT_EQ(sprite.getAnimationCourante()->getImageCourante(), 0);
    sprite.stoppeAnim();
    EXPECT_TRUE(sprite.isAnimCouranteFinished());
}

TEST_F(CSpriteTest, EmptySpritesAreInert)
{
    // Missing files (description and converted), and a sprite whose current
    // animation has no frame.
    CSprite absent;
    EXPECT_EQ(charge(absent, ""), 0);
    {
        Capture erreurs(2);
        EXPECT_EQ(absent.initFromIniFile("absent.ini"), 0);
        EXPECT_EQ(erreurs.texte(), "Fichier introuvable : absent.ini\n");
    }
    CSprite vide;
    {
        Capture erreurs(2);
        EXPECT_EQ(vide.init("viewanims.spr"), 1);
    }
    CSprite sansImage;
    EXPECT_EQ(charge(sansImage, "[Entete]\nnbAnims=1\n[Anim1]\nnbFrames=-3\nnomAnim=Rien\n"
                                "pathPlanche=feuille.tga\n"), 0);
    EXPECT_EQ(sansImage.getAnim(0)->getNbImages(), 0);

    for (CSprite* s : {&absent, &vide, &sansImage}) {
        s->setPosition(5, 5);
        s->setAnimationCourante("Marche");
        s->demarreAnim();
        s->setRepeteAnimCourante(false);
        s->setMirroirY(true);
        s->setMirroirX(true);
        s->affiche();
        s->stoppeAnim();
        EXPECT_TRUE(zoneUnie(0, 0, 100, 100, NOIR, "inerte"));
    }
    EXPECT_EQ(absent.getNbAnims(), 0);
    EXPECT_FALSE(absent.isAnimCouranteFinished());
    EXPECT_EQ(absent.getAnimationCourante(), nullptr);
}

// A strike drawn with one picture lasts that picture's pause, then the held
// walk takes over (a one-picture animation never finishes by itself).
TEST_F(CSpriteTest, HeroLeavesAOnePictureStrike)
{
    CSprite sprite;
    ASSERT_EQ(charge(sprite, "[Entete]\nnbAnims=2\n"
                             "[Anim1]\nnbFrames=1\nnomAnim=Frappe\npathPlanche=feuille.tga\n"
                             + cadre(1, 1, 0, 0, 40, 32, 100)
                             + "[Anim2]\nnbFrames=1\nnomAnim=Marche\npathPlanche=feuille.tga\n"
                             + cadre(2, 1, 0, 0, 40, 32, 100)),
              0);
    SpriteHerosCSprite adaptateur(&sprite);
    CControleHeros heros;
    TouchesHeros frappe, marche;
    frappe.espace = true;
    marche.droite = true;
    heros.metAJour(frappe, adaptateur);
    ASSERT_EQ(heros.etat, EtatFrappe);
    fixeTempsFactice(T + 100);
    heros.metAJour(marche, adaptateur);
    EXPECT_EQ(heros.etat, EtatFrappe);
    fixeTempsFactice(T + 101);
    heros.metAJour(marche, adaptateur);
    EXPECT_EQ(heros.etat, EtatMarche);
    EXPECT_TRUE(heros.defilement);
}

TEST_F(CSpriteTest, BadFilesStopLoadingWithAMessage)
{
    // A missing sheet: the animations before it are complete, the failing one
    // keeps its name and frame count, the ones after it have no frame.
    CSprite sprite;
    std::string texte = description();
    texte.replace(texte.find("[Anim3]\nnbFrames=2\nnomAnim=Marche\npathPlanche=feuille.tga"),
                  std::string("[Anim3]\nnbFrames=2\nnomAnim=Marche\npathPlanche=feuille.tga").size(),
                  "[Anim3]\nnbFrames=2\nnomAnim=Marche\npathPlanche=absente.png");
    {
        Capture erreurs(2);
        EXPECT_EQ(charge(sprite, texte), 1);
        EXPECT_EQ(erreurs.texte(),
                  "Impossible de charger la planche du sprite\nNom de l'image: absente.png\n");
    }
    ASSERT_EQ(sprite.getNbAnims(), 4);
    EXPECT_EQ(sprite.getAnim(0)->getImage(0)->getLongueur(), 40);
    EXPECT_EQ(sprite.getAnim(2)->getNbImages(), 2);
    EXPECT_EQ(sprite.getAnim(3)->getNbImages(), 0);
    sprite.setAnimationCourante("Frappe");
    EXPECT_EQ(sprite.getAnimCourante(), 0);  // its name was never read
    sprite.setAnimationCourante("Marche");
    sprite.affiche();
    EXPECT_TRUE(zoneUnie(0, 0, 40, 32, ROUGE, "partiel"));

    // Too many animations: refused before anything is allocated.
    CSprite trop;
    {
        Capture erreurs(2);
        EXPECT_EQ(charge(trop, "[Entete]\nnbAnims=1000\n"), 1);
        EXPECT_NE(erreurs.texte().find("sprite.ini"), std::string::npos);
    }
    EXPECT_EQ(trop.getNbAnims(), 0);
    trop.affiche();
}

}  // namespace
