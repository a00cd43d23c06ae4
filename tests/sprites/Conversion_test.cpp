// The sprite data converter, on source files built byte by byte here and on
// sheet pictures written as BMP files.

#include "sprites/CSprite.h"
#include "sprites/ConversionSprite.h"
#include "sprites/SpriteConverti.h"

#include "support/DonneesJeu.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

const char* const MSG_OUVERTURE = "Impossible d'ouvrir le fichier de données\n";
const char* const MSG_LECTURE = "Impossible de lire l'en tête du fichier de données\n";
const char* const MSG_ECRITURE = "Impossible d'écrire\n";

void ajoute32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A text field of `taille` bytes; `remplissage` fills what follows the text
// (including where its NUL would be when the text fills the field).
std::string champ(const std::string& texte, size_t taille, char remplissage = 0)
{
    std::string s = texte.substr(0, taille);
    if (s.size() < taille)
        s.push_back('\0');
    s.resize(taille, remplissage);
    return s;
}

std::string entete(const std::string& nom, uint32_t nbAnims, char remplissage = 0)
{
    std::string s = champ(nom, 24, remplissage);
    ajoute32(s, nbAnims);
    return s;
}

std::string anim(const std::string& nom, uint32_t nbFrames, const std::string& planche)
{
    std::string s = champ(nom, 20);
    ajoute32(s, nbFrames);
    return s + champ(planche, 52);
}

std::string frame(uint32_t x, uint32_t y, uint32_t w, uint32_t h)
{
    std::string s;
    ajoute32(s, x);
    ajoute32(s, y);
    ajoute32(s, h);  // height first
    ajoute32(s, w);
    s.resize(80, '\x55');  // the producer's bytes, never read
    return s;
}

// A frame record whose spare bytes carry spritedata's mark, a pause and a
// colour key (applied when `drapeau` is 1).
std::string frameMarquee(uint32_t x, uint32_t y, uint32_t w, uint32_t h, uint32_t pause,
                         const std::string& cle = std::string(4, '\0'))
{
    std::string s = frame(x, y, w, h).substr(0, 16) + "CVTS";
    ajoute32(s, 1);
    ajoute32(s, pause);
    s += cle;
    s.resize(80, '\0');
    return s;
}

uint32_t lit32(const std::string& s, size_t o)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[o + i]);
    return v;
}

uint16_t lit16(const std::string& s, size_t o)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(s[o]) |
                                 static_cast<unsigned char>(s[o + 1]) << 8);
}

// A 24-bit sheet whose pixel (x, y) is (x, y, 7).
void ecritFeuille(const char* nom, int w, int h)
{
    ASSERT_TRUE(ecritImageBMP(nom, w, h, [](int x, int y) { return Couleur{x % 256, y % 256, 7}; }));
}

struct Resultat {
    int code;
    std::string erreurs;
    std::string sortie;
};

Resultat convertit(const std::string& source)
{
    ecritFichier("in.dat", source);
    Resultat r;
    {
        Capture erreurs(2);
        CSprite sprite;
        r.code = sprite.convert("in.dat", "out.spr");
        r.erreurs = erreurs.texte();
    }
    r.sortie = fichierExiste("out.spr") ? lisFichier("out.spr") : std::string("<absent>");
    return r;
}

TEST(Conversion, FrameIsCutIntoAZeroPaddedPowerOfTwoBlock)
{
    DossierTemporaire dossier;
    ecritFeuille("feuille.bmp", 160, 80);
    // Junk after the names' NULs must not reach the output; x and y are
    // taken as 16-bit numbers.
    Resultat r = convertit(entete("Hero", 1, 'Z') + anim("Marche", 1, "feuille.bmp") +
                           frame(0x1000A, 5, 100, 50));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    ASSERT_EQ(r.sortie.size(), 22u + 32u + 40u + 128u * 64u * 4u);

    EXPECT_EQ(r.sortie.substr(0, 20), champ("Hero", 20));
    EXPECT_EQ(lit16(r.sortie, 20), 1);
    EXPECT_EQ(r.sortie.substr(22, 30), champ("Marche", 30));
    EXPECT_EQ(lit16(r.sortie, 52), 1);
    EXPECT_EQ(lit16(r.sortie, 54), 100);  // width first here
    EXPECT_EQ(lit16(r.sortie, 56), 50);
    // Unmarked producer bytes are not read: our mark, the default pause.
    EXPECT_EQ(r.sortie.substr(58, 4), "CVTC");
    EXPECT_EQ(lit32(r.sortie, 62), 1u);
    EXPECT_EQ(lit32(r.sortie, 66), 100u);
    EXPECT_EQ(r.sortie.substr(70, 24), std::string(24, '\0'));

    const std::string bloc = r.sortie.substr(94);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(bloc.data()) + (y * 128 + x) * 4;
            if (x < 100 && y < 50) {
                ASSERT_EQ(p[0], 10 + x) << x << "," << y;
                ASSERT_EQ(p[1], 5 + y) << x << "," << y;
                ASSERT_EQ(p[2], 7) << x << "," << y;
                ASSERT_EQ(p[3], 255) << x << "," << y;
            } else {
                ASSERT_EQ(p[0] | p[1] | p[2] | p[3], 0) << x << "," << y;
            }
        }
}

TEST(Conversion, HeadersAndRecordsFollowEachOther)
{
    DossierTemporaire dossier;
    ecritFeuille("a.bmp", 64, 64);
    // Two animations, one with two frames, the other with none; a name that
    // fills its whole field is cut so its NUL fits.
    Resultat r = convertit(entete("ABCDEFGHIJKLMNOPQRSTUVWX", 2) +
                           anim("Saute", 2, "a.bmp") + frame(0, 0, 3, 2) + frame(1, 1, 4, 4) +
                           anim("Vide", 0, "a.bmp"));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    ASSERT_EQ(r.sortie.size(), 22u + 32 + (40 + 4 * 2 * 4) + (40 + 4 * 4 * 4) + 32);
    EXPECT_EQ(r.sortie.substr(0, 20), std::string("ABCDEFGHIJKLMNOPQRS") + '\0');
    EXPECT_EQ(lit16(r.sortie, 20), 2);
    size_t o = 22 + 32;
    EXPECT_EQ(lit16(r.sortie, o), 3);
    EXPECT_EQ(lit16(r.sortie, o + 2), 2);
    o += 40 + 32;
    EXPECT_EQ(lit16(r.sortie, o), 4);
    EXPECT_EQ(lit16(r.sortie, o + 2), 4);
    o += 40 + 64;
    EXPECT_EQ(r.sortie.substr(o, 30), champ("Vide", 30));
    EXPECT_EQ(lit16(r.sortie, o + 30), 0);

    // No animation: the header alone.
    r = convertit(entete("Rien", 0));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie.size(), 22u);
}

TEST(Conversion, PaddingStaysZeroAfterALargerFrame)
{
    DossierTemporaire dossier;
    ecritFeuille("a.bmp", 64, 64);
    Resultat r = convertit(entete("H", 1) + anim("A", 2, "a.bmp") + frame(0, 0, 60, 60) + frame(9, 9, 3, 3));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    ASSERT_EQ(r.sortie.size(), 22u + 32 + (40 + 64 * 64 * 4) + (40 + 4 * 4 * 4));
    const std::string petit = r.sortie.substr(r.sortie.size() - 64);
    for (int p = 0; p < 16; ++p)
        EXPECT_EQ(petit[p * 4 + 3] != 0, p % 4 < 3 && p / 4 < 3) << p;  // opaque inside, zero around
}

TEST(Conversion, LargeOutputIsWholeAndInOrder)
{
    // Megabytes of blocks, some larger than any one write, each in its place.
    DossierTemporaire dossier;
    ecritFeuille("a.bmp", 300, 300);
    const int cadres[][4] = {{0, 0, 100, 100}, {1, 2, 100, 100}, {3, 4, 100, 100}, {5, 6, 100, 100},
                             {7, 8, 100, 100}, {0, 0, 300, 300}, {9, 9, 3, 3}, {10, 0, 290, 260}};
    std::string source = entete("H", 1) + anim("A", 8, "a.bmp");
    for (const auto& c : cadres)
        source += frame(c[0], c[1], c[2], c[3]);
    Resultat r = convertit(source);
    ASSERT_EQ(r.code, 0) << r.erreurs;
    size_t o = 22 + 32;
    for (const auto& c : cadres) {
        const int bw = c[2] > 256 ? 512 : c[2] > 64 ? 128 : 4, bh = c[3] > 256 ? 512 : c[3] > 64 ? 128 : 4;
        ASSERT_LE(o + 40 + size_t(bw) * bh * 4, r.sortie.size());
        ASSERT_EQ(lit16(r.sortie, o), c[2]);
        const unsigned char* bloc = reinterpret_cast<const unsigned char*>(r.sortie.data()) + o + 40;
        for (int y : {0, c[3] - 1})
            for (int x : {0, c[2] - 1}) {
                const unsigned char* p = bloc + (size_t(y) * bw + x) * 4;
                ASSERT_TRUE(p[0] == (c[0] + x) % 256 && p[1] == (c[1] + y) % 256 && p[2] == 7) << o << " " << x << "," << y;
            }
        EXPECT_EQ(bloc[(size_t(bh) * bw - 1) * 4 + 3], 0);
        o += 40 + size_t(bw) * bh * 4;
    }
    EXPECT_EQ(o, r.sortie.size());
}

TEST(Conversion, AlphaOfTheSheetIsCopiedNotBlended)
{
    DossierTemporaire dossier;
    // Uncompressed 32-bit TGA, 2 x 1, bottom-up, BGRA: half-transparent red
    // and fully transparent green.
    std::string tga(18, '\0');
    tga[2] = 2;
    tga[12] = 2;
    tga[14] = 1;
    tga[16] = 32;
    tga[17] = 8;
    tga += std::string("\x00\x00\xFF\x80\x00\xFF\x00\x00", 8);
    ecritFichier("alpha.tga", tga);

    Resultat r = convertit(entete("A", 1) + anim("Fond", 1, "alpha.tga") + frame(0, 0, 2, 1));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    ASSERT_EQ(r.sortie.size(), 22u + 32 + 40 + 8);
    EXPECT_EQ(r.sortie.substr(94), std::string("\xFF\x00\x00\x80\x00\xFF\x00\x00", 8));
}

// Every failure: its message, a line naming the file, no file left behind
// and an existing destination untouched.
TEST(Conversion, FailuresLeaveNoFileAndKeepTheOldDestination)
{
    DossierTemporaire dossier;
    ecritFeuille("f.bmp", 64, 64);
    struct Cas {
        std::string source;
        std::string message;
        std::string fichier;
    };
    const std::string debut = entete("Hero", 1) + anim("Marche", 2, "f.bmp") + frame(0, 0, 8, 8);
    const std::vector<Cas> cas = {
        {"", MSG_OUVERTURE, "absent.dat"},
        {debut + frame(0, 0, 8, 8).substr(0, 40), MSG_LECTURE, "in.dat"},
        {entete("Hero", 1).substr(0, 27), MSG_LECTURE, "in.dat"},
        {entete("Hero", 65536), MSG_ECRITURE, "out.spr"},
        {entete("Hero", 1) + anim("Marche", 70000, "f.bmp"), MSG_ECRITURE, "out.spr"},
        {entete("Hero", 1) + anim("Marche", 1, "f.bmp") + frame(0, 0, 0, 8), MSG_ECRITURE, "out.spr"},
        {entete("Hero", 1) + anim("Marche", 1, "absente.png") + frame(0, 0, 8, 8),
         "Impossible de charger la planche du sprite\n", "absente.png"},
    };
    for (bool ancienne : {false, true}) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(c.message + c.fichier);
            if (ancienne)
                ecritFichier("out.spr", "ancien");
            else
                remove("out.spr");
            ecritFichier("in.dat", c.source);
            Capture erreurs(2);
            CSprite sprite;
            EXPECT_EQ(sprite.convert(c.fichier == "absent.dat" ? "absent.dat" : "in.dat", "out.spr"), 1);
            EXPECT_EQ(erreurs.texte(), c.message + "Fichier : " + c.fichier + "\n");
            EXPECT_EQ(fichierExiste("out.spr") ? lisFichier("out.spr") : "<absent>",
                      ancienne ? "ancien" : "<absent>");
            EXPECT_EQ(execute("ls | grep -c out.spr.tmp"), 1) << "a temporary file was left";
        }
    }

    // Destination that cannot be created.
    Capture erreurs(2);
    CSprite sprite;
    EXPECT_EQ(sprite.convert("in.dat", "dossier/absent/out.spr"), 1);
    EXPECT_EQ(erreurs.texte(), std::string(MSG_OUVERTURE) + "Fichier : dossier/absent/out.spr\n");
}

// A rectangle far larger than its sheet is cut to the sheet before any
// block is made, as the sprite loader cuts it.
TEST(Conversion, FrameLargerThanItsSheetIsCutToIt)
{
    DossierTemporaire dossier;
    ecritFeuille("petite.bmp", 4, 4);
    Resultat r = convertit(entete("Hero", 1) + anim("Marche", 1, "petite.bmp") + frame(1, 0, 8192, 32768));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    ASSERT_EQ(r.sortie.size(), 22u + 32 + 40 + 4 * 4 * 4);
    EXPECT_EQ(lit16(r.sortie, 54), 4);
    EXPECT_EQ(lit16(r.sortie, 56), 4);
    // Column 3 lies past the sheet's edge: transparent.
    EXPECT_EQ(r.sortie.substr(94, 16), std::string("\x01\x00\x07\xFF\x02\x00\x07\xFF\x03\x00\x07\xFF", 12) +
                                           std::string(4, '\0'));
}

// The reader takes back exactly what the converter wrote, and refuses any
// file that is not whole: each shorter prefix, one byte more, a frame of no
// size, a name without its end.
TEST(Conversion, ReaderTakesBackWhatWasWrittenAndNothingBroken)
{
    DossierTemporaire dossier;
    ecritFeuille("a.bmp", 64, 64);
    std::string f1 = frameMarquee(0, 0, 3, 2, 42, std::string("\x01\x00\x07\x01", 4));  // key (1, 0, 7)
    std::string f2 = frameMarquee(1, 0, 40, 4, 400, std::string("\x01\x00\x07\x00", 4));  // no key
    Resultat r = convertit(entete("Sprite", 2) + anim("Saute", 2, "a.bmp") + f1 + f2 + anim("Vide", 0, "a.bmp"));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    const unsigned char* octets = reinterpret_cast<const unsigned char*>(r.sortie.data());

    SpriteConverti lu;
    std::string erreur;
    ASSERT_TRUE(analyseSpriteConverti(octets, r.sortie.size(), lu, erreur)) << erreur;
    EXPECT_EQ(lu.nom, "Sprite");
    ASSERT_EQ(lu.animations.size(), 2u);
    EXPECT_EQ(lu.animations[0].nom, "Saute");
    EXPECT_EQ(lu.animations[1].nom, "Vide");
    EXPECT_TRUE(lu.animations[1].frames.empty());
    ASSERT_EQ(lu.animations[0].frames.size(), 2u);
    const FrameConvertie& a = lu.animations[0].frames[0];
    const FrameConvertie& b = lu.animations[0].frames[1];
    EXPECT_EQ(a.pause, 42u);
    EXPECT_EQ(b.pause, 400u);
    EXPECT_EQ(b.longueur, 40);
    EXPECT_EQ(b.largeurBloc, 64);
    EXPECT_EQ(b.hauteurBloc, 4);
    // The key turned pixel (1, 0) of the first frame transparent; the second
    // frame, without a key, keeps that colour at its (0, 0).
    EXPECT_EQ(r.sortie.substr(a.debutPixels, 8), std::string("\x00\x00\x07\xFF\x00\x00\x00\x00", 8));
    EXPECT_EQ(r.sortie.substr(b.debutPixels, 4), std::string("\x01\x00\x07\xFF", 4));
    EXPECT_EQ(a.debutPixels, 22u + 32 + 40);

    for (size_t n = 0; n < r.sortie.size(); ++n)
        ASSERT_FALSE(analyseSpriteConverti(octets, n, lu, erreur)) << n;
    EXPECT_TRUE(lu.animations.empty());
    std::string plus = r.sortie + '\0';
    EXPECT_FALSE(analyseSpriteConverti(reinterpret_cast<const unsigned char*>(plus.data()), plus.size(), lu, erreur));
    std::string nulle = r.sortie;
    nulle[22 + 32 + 40 + 4 * 2 * 4] = 0;  // width of the second frame, low byte of 40
    EXPECT_FALSE(analyseSpriteConverti(reinterpret_cast<const unsigned char*>(nulle.data()), nulle.size(), lu, erreur));
    std::string sansFin = r.sortie;
    sansFin.replace(0, 20, std::string(20, 'x'));
    EXPECT_FALSE(analyseSpriteConverti(reinterpret_cast<const unsigned char*>(sansFin.data()), sansFin.size(), lu, erreur));
}

}  // namespace

// Spare bytes written by another producer or another converter are not
// read: no colour key, the default pause, pixels as in the sheet.
TEST(Conversion, ForeignSpareBytesAreIgnored)
{
    DossierTemporaire dossier;
    ASSERT_TRUE(ecritImageBMP("gris.bmp", 8, 8, [](int, int) { return Couleur{1, 1, 1}; }));
    std::string etrangere = frame(0, 0, 4, 4);
    etrangere.replace(16, 64, std::string(64, '\x01'));
    std::string autreVersion = frameMarquee(0, 0, 4, 4, 42, std::string("\x01\x01\x01\x01", 4));
    autreVersion[20] = 2;
    Resultat r = convertit(entete("E", 1) + anim("A", 2, "gris.bmp") + etrangere + autreVersion);
    ASSERT_EQ(r.code, 0) << r.erreurs;
    SpriteConverti lu;
    std::string erreur;
    ASSERT_TRUE(analyseSpriteConverti(reinterpret_cast<const unsigned char*>(r.sortie.data()), r.sortie.size(), lu,
                                      erreur))
        << erreur;
    for (const FrameConvertie& f : lu.animations.at(0).frames) {
        EXPECT_EQ(f.pause, 100u);
        for (int p = 0; p < 16; ++p)
            ASSERT_EQ(r.sortie.substr(f.debutPixels + p * 4, 4), std::string("\x01\x01\x01\xFF", 4)) << p;
    }

    // A converted file whose reserved bytes are someone else's, or carry our
    // tag with a version we do not know.
    std::string fichier = r.sortie;
    const size_t records[] = {22 + 32, 22 + 32 + 40 + 64};
    fichier.replace(records[0] + 4, 36, std::string(36, '\xFF'));
    fichier[records[1] + 8] = 7;
    fichier.replace(records[1] + 12, 2, "\x88\x13");  // 5000 ms, behind a version we do not know
    ASSERT_TRUE(analyseSpriteConverti(reinterpret_cast<const unsigned char*>(fichier.data()), fichier.size(), lu,
                                      erreur))
        << erreur;
    EXPECT_EQ(lu.animations.at(0).frames.at(0).pause, 100u);
    EXPECT_EQ(lu.animations.at(0).frames.at(1).pause, 100u);
}
