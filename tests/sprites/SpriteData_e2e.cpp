// Round trip for content authors: sprite description file -> spritedata ->
// the game started as "convert", on a real sheet picture.

#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace testsupport;

namespace {

uint32_t lit32(const std::string& s, size_t o)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[o + i]);
    return v;
}

uint16_t lit16(const std::string& s, size_t o)
{
    return static_cast<uint16_t>(lit32(s + std::string(2, '\0'), o) & 0xFFFF);
}

// A 24-bit sheet whose pixel (x, y) is (x, y, 200).
void ecritFeuille(const char* nom, int w, int h)
{
    ASSERT_TRUE(ecritImageBMP(nom, w, h, [](int x, int y) { return Couleur{x % 256, y % 256, 200}; }));
}

const char* const DESCRIPTION =
    "[Entete]\nnbAnims=2\n"
    "[Anim1]\nnbFrames=2\nnomAnim=Marche\npathPlanche=planches/heros.bmp\n"
    "[Anim1Frame1]\npositionX=0\npositionY=0\nlongueur=30\nhauteur=20\npause=80\n"
    "[Anim1Frame2]\npositionX=30\npositionY=4\nlongueur=33\nhauteur=16\npause=90\n"
    "[Anim2]\nnbFrames=1\nnomAnim=Saute\npathPlanche=planches/heros.bmp\n"
    "[Anim2Frame1]\npositionX=70\npositionY=10\nlongueur=8\nhauteur=8\n";

std::string lanceSpritedata(const std::string& arguments, int* code)
{
    std::string sortie;
    *code = execute(cheminBinaire("spritedata") + " " + arguments + " 2>&1", &sortie);
    return sortie;
}

TEST(SpriteData, DescriptionConvertsThroughTheGame)
{
    DossierTemporaire dossier;
    ASSERT_EQ(execute("mkdir planches"), 0);
    ecritFeuille("planches/heros.bmp", 100, 40);
    ecritFichier("heros.ini", DESCRIPTION);

    int code;
    std::string sortie = lanceSpritedata("heros.ini heros.dat", &code);
    ASSERT_EQ(code, 0) << sortie;

    const std::string source = lisFichier("heros.dat");
    ASSERT_EQ(source.size(), 28u + 76 + 2 * 80 + 76 + 80);
    EXPECT_EQ(source.substr(0, 6), std::string("heros") + '\0');
    EXPECT_EQ(lit32(source, 24), 2u);
    EXPECT_EQ(source.substr(28, 7), std::string("Marche") + '\0');
    EXPECT_EQ(lit32(source, 48), 2u);
    EXPECT_EQ(source.substr(52, 19), std::string("planches/heros.bmp") + '\0');
    const size_t f2 = 28 + 76 + 80;
    EXPECT_EQ(lit32(source, f2), 30u);
    EXPECT_EQ(lit32(source, f2 + 4), 4u);
    EXPECT_EQ(lit32(source, f2 + 8), 16u);  // height before width
    EXPECT_EQ(lit32(source, f2 + 12), 33u);
    EXPECT_EQ(source.substr(f2 + 16, 4), "CVTS");  // our mark, version 1, then the pause
    EXPECT_EQ(lit32(source, f2 + 20), 1u);
    EXPECT_EQ(lit32(source, f2 + 24), 90u);

    ASSERT_EQ(execute("bash -c 'exec -a convert \"$0\" heros.dat heros.spr' " +
                          cheminBinaire("corvanthelis") + " 2>&1",
                      &sortie),
              0);
    EXPECT_NE(sortie.find("Conversion réussie..."), std::string::npos) << sortie;

    const std::string sprite = lisFichier("heros.spr");
    const size_t bloc1 = 32 * 32 * 4, bloc2 = 64 * 16 * 4, bloc3 = 8 * 8 * 4;
    ASSERT_EQ(sprite.size(), 22u + 32 + 40 + bloc1 + 40 + bloc2 + 32 + 40 + bloc3);
    EXPECT_EQ(lit16(sprite, 20), 2);
    EXPECT_EQ(sprite.substr(54 + 40 + bloc1 + 40 + bloc2, 6), std::string("Saute") + '\0');

    // Second frame: 33 x 16 from (30, 4), in a 64 x 16 block.
    const size_t o = 22 + 32 + 40 + bloc1;
    EXPECT_EQ(lit16(sprite, o), 33);
    EXPECT_EQ(lit16(sprite, o + 2), 16);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(sprite.data()) + o + 40;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const unsigned char* q = p + (y * 64 + x) * 4;
            if (x < 33) {
                ASSERT_EQ(q[0], 30 + x);
                ASSERT_EQ(q[1], 4 + y);
                ASSERT_EQ(q[2], 200);
                ASSERT_EQ(q[3], 255);
            } else {
                ASSERT_EQ(q[0] | q[1] | q[2] | q[3], 0) << x << "," << y;
            }
        }
}

TEST(SpriteData, DescriptionsThatDoNotFitWriteNothing)
{
    DossierTemporaire dossier;
    int code;
    std::string sortie = lanceSpritedata("absent.ini sortie.dat", &code);
    EXPECT_EQ(code, 1);
    EXPECT_NE(sortie.find("absent.ini"), std::string::npos) << sortie;

    ecritFichier("long.ini", "[Entete]\nnbAnims=1\n[Anim1]\nnbFrames=0\nnomAnim=A\npathPlanche=" +
                                 std::string(52, 'x') + ".png\n");
    sortie = lanceSpritedata("long.ini sortie.dat", &code);
    EXPECT_EQ(code, 1);
    EXPECT_NE(sortie.find("trop long"), std::string::npos) << sortie;

    ecritFichier("trop.ini", "[Entete]\nnbAnims=1000\n");
    sortie = lanceSpritedata("trop.ini sortie.dat", &code);
    EXPECT_EQ(code, 1);

    sortie = lanceSpritedata("seul.ini", &code);
    EXPECT_EQ(code, 1);
    EXPECT_NE(sortie.find("Usage"), std::string::npos);
    EXPECT_FALSE(fichierExiste("sortie.dat"));
}

TEST(SpriteData, NameCanBeGivenAndIsCutToItsField)
{
    DossierTemporaire dossier;
    ecritFichier("a.ini", "[Entete]\nnbAnims=0\n");
    int code;
    lanceSpritedata("a.ini a.dat UnNomDeSpriteBienTropLong", &code);
    ASSERT_EQ(code, 0);
    const std::string source = lisFichier("a.dat");
    ASSERT_EQ(source.size(), 28u);
    EXPECT_EQ(source.substr(0, 24), "UnNomDeSpriteBienTr" + std::string(5, '\0'));
}

}  // namespace
