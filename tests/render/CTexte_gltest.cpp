// Text drawn from a described font sheet: each glyph's rectangle lands where
// its offsets and the advances before it say, and broken fonts say so once
// and draw nothing.

#include "render/CTexte.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <map>
#include <sstream>

using namespace testsupport;

namespace {

// A sheet of 4 x 6 blocks, one colour each, and its glyphs: block i at
// (4i, 0), offsets and advances that differ from glyph to glyph.
struct GlypheTest {
    uint32_t code;
    Pixel couleur;
    int decalageX, decalageY, avance;
};
const std::vector<GlypheTest> GLYPHES = {
    {0xC9, {200, 40, 40, 255}, 1, 0, 6},   // É
    {'t', {40, 200, 40, 255}, 0, 2, 5},
    {0xE9, {40, 40, 200, 255}, 2, 1, 7},   // é
    {0xE0, {200, 200, 40, 255}, 1, 3, 6},  // à
    {'N', {200, 40, 200, 255}, 0, 0, 8},
    {'o', {40, 200, 200, 255}, 1, 2, 6},
    {0xEB, {120, 90, 250, 255}, 3, 1, 7},  // ë
    {'l', {250, 150, 60, 255}, 0, 0, 4},
    {'?', BLANC, 0, 1, 5},
};
const int AVANCE_ESPACE = 5;
const int HAUTEUR_LIGNE = 20;

void ecritPolice(const std::string& fichier)
{
    int n = static_cast<int>(GLYPHES.size());
    ecritTGA("planche.tga", 4 * n, 6, zone(0, 0, 4 * n, 6, [](int x, int) { return GLYPHES[x / 4].couleur; }));
    std::ostringstream f;
    f << "[Entete]\npathPlanche=planche.tga\nhauteurLigne=" << HAUTEUR_LIGNE << "\nbase=5\nnombreGlyphes="
      << n + 1 << "\n";
    for (int i = 0; i < n; ++i) {
        const GlypheTest& g = GLYPHES[i];
        f << "[Glyphe" << i + 1 << "]\ncode=" << g.code << "\nx=" << 4 * i << "\ny=0\nlargeur=4\nhauteur=6\n"
          << "decalageX=" << g.decalageX << "\ndecalageY=" << g.decalageY << "\navance=" << g.avance << "\n";
    }
    f << "[Glyphe" << n + 1 << "]\ncode=32\nx=0\ny=0\nlargeur=0\nhauteur=0\ndecalageX=0\ndecalageY=0\navance="
      << AVANCE_ESPACE << "\n";
    ecritFichier(fichier, f.str());
}

const GlypheTest& glypheDe(uint32_t code)
{
    for (const GlypheTest& g : GLYPHES)
        if (g.code == code)
            return g;
    return GLYPHES.back();
}

// Checks each glyph block of `codes` drawn from (x, y), pen moving by the
// advances; returns the pen's end.
int verifieLigne(int x, int y, const std::vector<uint32_t>& codes, const std::string& nom)
{
    for (uint32_t c : codes) {
        if (c == ' ') {
            x += AVANCE_ESPACE;
            continue;
        }
        const GlypheTest& g = glypheDe(c);
        EXPECT_TRUE(zoneUnie(x + g.decalageX, y + g.decalageY, 4, 6, g.couleur, nom + "-" + std::to_string(c)));
        x += g.avance;
    }
    return x;
}

class CTexteTest : public TestGL {};

}

TEST_F(CTexteTest, GlyphsLandWhereTheDescriptionPutsThemAndWidthsAddTheAdvances)
{
    ecritPolice("police.ini");
    CTexte texte;
    {
        Capture sortie(1);
        ASSERT_EQ(0, texte.charge("police.ini"));
    }
    const std::string phrase = "\xC3\x89t\xC3\xA9 \xC3\xA0 No\xC3\xABl";
    const std::vector<uint32_t> codes = {0xC9, 't', 0xE9, ' ', 0xE0, ' ', 'N', 'o', 0xEB, 'l'};
    texte.affiche(100, 50, phrase);
    int fin = verifieLigne(100, 50, codes, "phrase");
    EXPECT_EQ(fin - 100, texte.largeur(phrase));
    // Nothing drawn between the glyphs or after the last one.
    EXPECT_TRUE(zoneUnie(100, 50, 1, 6, NOIR, "avant-E"));
    EXPECT_TRUE(zoneUnie(fin, 40, 40, 20, NOIR, "apres"));

    // Invalid bytes and a character without a glyph draw the '?' glyph; a
    // line break goes down one line at the same x; the widest line counts.
    effaceEcran();
    const std::string casse = "t\xFF\xE2\x82\xACN\nl\xC3";
    texte.affiche(300, 100, casse);
    int l1 = verifieLigne(300, 100, {'t', '?', '?', 'N'}, "ligne1");
    int l2 = verifieLigne(300, 100 + HAUTEUR_LIGNE, {'l', '?'}, "ligne2");
    EXPECT_EQ(l1 - 300, texte.largeur(casse));
    EXPECT_EQ(l2 - 300, texte.largeur("l\xC3"));
    EXPECT_EQ(0, texte.largeur(""));

    // Centred lines, tinted and half transparent over black.
    effaceEcran();
    texte.setBrightness(255, 0, 0);
    texte.setAlphaBlending(128);
    texte.afficheCentre(320, 200, "??\n?");
    const Pixel rougeMoitie = {128, 0, 0, 255};
    EXPECT_TRUE(zoneUnie(320 - 5, 201, 4, 6, rougeMoitie, "centre1", 1));
    EXPECT_TRUE(zoneUnie(320, 201, 4, 6, rougeMoitie, "centre1b", 1));
    EXPECT_TRUE(zoneUnie(320 - 2, 201 + HAUTEUR_LIGNE, 4, 6, rougeMoitie, "centre2", 1));
    EXPECT_TRUE(zoneUnie(320 - 6, 200 + HAUTEUR_LIGNE, 1, 8, NOIR, "centre2-bord"));
}

TEST_F(CTexteTest, BrokenFontsSayItInOneLineAndDrawNothing)
{
    ecritPolice("bonne.ini");
    std::string bonne = lisFichier("bonne.ini");
    auto remplace = [&](const std::string& de, const std::string& par) {
        std::string s = bonne;
        s.replace(s.find(de), de.size(), par);
        return s;
    };
    const std::map<std::string, std::pair<std::string, std::string>> cas = {
        {"absente", {"", "Fichier introuvable"}},
        {"trop de glyphes", {remplace("nombreGlyphes=10", "nombreGlyphes=2000000000"), "Nombre de glyphes"}},
        {"aucun glyphe", {remplace("nombreGlyphes=10", "nombreGlyphes=0"), "Nombre de glyphes"}},
        {"sans planche", {remplace("planche.tga", "rien.tga"), "Impossible de charger la planche"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.first);
        if (!c.second.first.empty())
            ecritFichier("casse.ini", c.second.first);
        CTexte texte;
        std::string erreurs;
        {
            Capture sortie(1), err(2);
            EXPECT_EQ(1, texte.charge(c.second.first.empty() ? "absente.ini" : "casse.ini"));
            erreurs = err.texte();
        }
        EXPECT_NE(std::string::npos, erreurs.find(c.second.second)) << erreurs;
        EXPECT_EQ(1, std::count(erreurs.begin(), erreurs.end(), '\n')) << erreurs;
        effaceEcran();
        texte.affiche(10, 10, "No\xC3\xABl?");
        EXPECT_EQ(0, texte.largeur("No\xC3\xABl?"));
        EXPECT_TRUE(zoneUnie(0, 0, 100, 40, NOIR, "casse"));
    }

    // A glyph cut outside the sheet keeps its advance but draws nothing.
    ecritFichier("casse.ini", remplace("x=4\n", "x=40\n"));
    CTexte texte;
    {
        Capture sortie(1);
        ASSERT_EQ(0, texte.charge("casse.ini"));
    }
    effaceEcran();
    texte.affiche(10, 10, "tN");
    EXPECT_TRUE(zoneUnie(0, 0, 15, 30, NOIR, "hors-planche"));
    verifieLigne(10 + glypheDe('t').avance, 10, {'N'}, "apres-hors-planche");
    EXPECT_EQ(13, texte.largeur("tN"));
}
