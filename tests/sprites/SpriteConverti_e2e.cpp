// Round trip: sprite description -> spritedata -> the game started as
// "convert" -> CSprite::init, drawn against the same sprite loaded from its
// description.

#include "sprites/CSprite.h"

#include "foundation/Temps.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

using namespace testsupport;

namespace {

// 100 x 40 with varied colours and alpha, a magenta square bottom left.
void ecritFeuille()
{
    ecritTGA("feuille.tga", 100, 40, zone(0, 0, 100, 40, [](int x, int y) {
                 if (x < 8 && y >= 32)
                     return MAGENTA;
                 unsigned char a = (x + y) % 3 == 0 ? 128 : 255;
                 return Pixel{static_cast<unsigned char>(x * 2), static_cast<unsigned char>(y * 5), 77, a};
             }));
}

std::string cadre(int n, int m, int x, int y, int w, int h, int pause)
{
    return "[Anim" + std::to_string(n) + "Frame" + std::to_string(m) + "]\npositionX=" + std::to_string(x) +
           "\npositionY=" + std::to_string(y) + "\nlongueur=" + std::to_string(w) +
           "\nhauteur=" + std::to_string(h) + "\npause=" + std::to_string(pause) + "\n";
}

// A keyed animation, frames hanging off the sheet or larger than it, and an
// animation without frames.
const std::string DESCRIPTION =
    "[Entete]\nnbAnims=4\n"
    "[Anim1]\nnbFrames=2\nnomAnim=Marche\npathPlanche=feuille.tga\n" + cadre(1, 1, 0, 0, 30, 20, 80) +
    cadre(1, 2, 30, 4, 33, 16, 90) +
    "[Anim2]\nnbFrames=1\ncolorkeyR=255\ncolorkeyG=0\ncolorkeyB=255\nnomAnim=Saute\npathPlanche=feuille.tga\n" +
    cadre(2, 1, 0, 28, 16, 12, 0) +
    "[Anim3]\nnbFrames=2\nnomAnim=Bord\npathPlanche=feuille.tga\n" + cadre(3, 1, 90, 30, 30, 20, 50) +
    cadre(3, 2, -3, 0, 200, 8, 60) +
    "[Anim4]\nnbFrames=0\nnomAnim=Vide\npathPlanche=feuille.tga\n";

class SpriteConvertiTest : public TestGL {};

TEST_F(SpriteConvertiTest, ConvertedSpriteDrawsLikeItsDescription)
{
    ecritFeuille();
    ecritFichier("heros.ini", DESCRIPTION);
    std::string sortie;
    ASSERT_EQ(execute(cheminBinaire("spritedata") + " heros.ini heros.dat 2>&1", &sortie), 0) << sortie;
    ASSERT_EQ(execute("bash -c 'exec -a convert \"$0\" heros.dat heros.spr' " + cheminBinaire("corvanthelis") +
                          " 2>&1",
                      &sortie),
              0)
        << sortie;

    CSprite decrit, converti;
    {
        Capture notices(1);
        ASSERT_EQ(decrit.initFromIniFile("heros.ini"), 0);
    }
    ASSERT_EQ(converti.init("heros.spr"), 0);
    ASSERT_EQ(converti.getNbAnims(), decrit.getNbAnims());

    for (int n = 0; n < decrit.getNbAnims(); ++n) {
        CAnimGL* a = decrit.getAnim(n);
        CAnimGL* b = converti.getAnim(n);
        EXPECT_STREQ(b->getNomAnimation(), a->getNomAnimation());
        ASSERT_EQ(b->getNbImages(), a->getNbImages());
        for (int m = 0; m < a->getNbImages(); ++m) {
            const std::string nom = "allerretour" + std::to_string(n) + "_" + std::to_string(m);
            EXPECT_EQ(b->getImage(m)->getTempsPause(), a->getImage(m)->getTempsPause()) << nom;
            EXPECT_EQ(b->getImage(m)->getLongueur(), a->getImage(m)->getLongueur()) << nom;
            EXPECT_EQ(b->getImage(m)->getHauteur(), a->getImage(m)->getHauteur()) << nom;
            effaceEcran();
            a->getImage(m)->affiche(5, 5);
            const std::vector<Pixel> attendu = lisEcran();
            EXPECT_FALSE(zoneUnie(5, 5, 8, 1, NOIR, nom + "_noir"));
            effaceEcran();
            b->getImage(m)->affiche(5, 5);
            EXPECT_TRUE(memesPixels(0, 0, LARGEUR_GL, HAUTEUR_GL, attendu, nom));
        }
    }

    // The sprite as a whole, mirrored: frames keep the same anchor.
    fixeTempsFactice(1000);
    std::vector<Pixel> ecrans[2];
    CSprite* sprites[2] = {&decrit, &converti};
    for (int i = 0; i < 2; ++i) {
        effaceEcran();
        sprites[i]->setAnimationCourante("Bord");
        sprites[i]->setMirroirY(true);
        sprites[i]->setPosition(300, 100);
        sprites[i]->demarreAnim();
        sprites[i]->getAnimationCourante()->setImageCourante(1);
        sprites[i]->affiche();
        ecrans[i] = lisEcran();
    }
    retireTempsFactice();
    EXPECT_TRUE(memesPixels(0, 0, LARGEUR_GL, HAUTEUR_GL, ecrans[0], "allerretour_miroir"));
    EXPECT_TRUE(ecrans[0] != std::vector<Pixel>(ecrans[0].size(), NOIR));
}

// Missing, short, inconsistent or oversized files: 1, the reason and the
// file named, and a sprite left empty even when it held animations before.
TEST_F(SpriteConvertiTest, BadFileLeavesTheSpriteEmpty)
{
    std::string entete = std::string("Hero", 4) + std::string(16, '\0') + "\x01" + '\0';
    std::string anim = std::string("A", 1) + std::string(29, '\0') + "\x01" + '\0';
    std::string frame = std::string("\x01\x00\x01\x00", 4) + std::string(36, '\0') + std::string("\xFF\x00\x00\xFF", 4);
    ecritFichier("bon.spr", entete + anim + frame);
    ecritFichier("court.spr", entete + anim + frame.substr(0, 43));
    ecritFichier("long.spr", entete + anim + frame + '\0');
    ASSERT_EQ(execute("truncate -s 65M gros.spr"), 0);

    for (const char* fichier : {"absent.spr", "court.spr", "long.spr", "gros.spr"}) {
        CSprite sprite;
        ASSERT_EQ(sprite.init("bon.spr"), 0);
        ASSERT_EQ(sprite.getNbAnims(), 1);
        Capture erreurs(2);
        EXPECT_EQ(sprite.init(fichier), 1);
        EXPECT_EQ(sprite.getNbAnims(), 0);
        const std::string texte = erreurs.texte();
        EXPECT_NE(texte.find("Sprite converti illisible : "), std::string::npos) << texte;
        EXPECT_NE(texte.find(std::string("Fichier : ") + fichier + "\n"), std::string::npos) << texte;
    }
}

// Reserved bytes from another converter are not a pause: a frame without
// our mark animates at the default pace.
TEST_F(SpriteConvertiTest, ForeignFileAnimatesAtTheDefaultPause)
{
    std::string fichier = std::string("E", 1) + std::string(19, '\0') + "\x01" + '\0' + std::string("A", 1) +
                          std::string(29, '\0') + "\x01" + '\0' + std::string("\x01\x00\x01\x00", 4) +
                          std::string(36, '\x7F') + std::string("\xFF\x00\x00\xFF", 4);
    ecritFichier("etranger.spr", fichier);
    CSprite sprite;
    ASSERT_EQ(sprite.init("etranger.spr"), 0);
    ASSERT_EQ(sprite.getNbAnims(), 1);
    EXPECT_EQ(sprite.getAnim(0)->getImage(0)->getTempsPause(), 100u);
}

}  // namespace
