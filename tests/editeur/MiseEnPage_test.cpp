#include "editeur/MiseEnPage.h"

#include <gtest/gtest.h>

using namespace editeur;

namespace {

// 6 px a character, as a plain font would measure it.
int largeurFixe(const std::string& t)
{
    int n = 0;
    for (unsigned char c : t)
        n += (c & 0xC0) != 0x80;
    return 6 * n;
}

std::string sansEspaces(const std::string& t)
{
    std::string r;
    for (char c : t)
        if (c != ' ')
            r += c;
    return r;
}

}

// A checker line at 200 px: every line fits, nothing is lost, the
// suggestion at the end is there; a word longer than a line is cut
// between characters, never inside one.
TEST(EditorLayout, CheckerLinesWrapWithoutLosingText)
{
    const std::string message = "data/levels/mien.ini:47: erreur : type `lou` inconnu "
                                "(./data/acteurs/lou.ini introuvable) : l'acteur est laissé de côté — "
                                "vouliez-vous dire `loup` ?";
    std::vector<std::string> lignes = coupeLignes(message, 200, largeurFixe);
    ASSERT_GT(lignes.size(), 3u);
    std::string tout;
    for (size_t i = 0; i < lignes.size(); ++i) {
        EXPECT_LE(largeurFixe(lignes[i]), 200) << lignes[i];
        if (i > 0) {
            EXPECT_EQ(lignes[i].rfind("  ", 0), 0u) << lignes[i];
        }
        tout += lignes[i];
    }
    EXPECT_EQ(sansEspaces(tout), sansEspaces(message));
    EXPECT_NE(lignes.back().find("`loup` ?"), std::string::npos);

    lignes = coupeLignes("ééééé", 13, largeurFixe, "");
    EXPECT_EQ(lignes, (std::vector<std::string>{"éé", "éé", "é"}));
    // Narrower than one character: still one a line, and an end.
    EXPECT_EQ(coupeLignes("abc", 1, largeurFixe, "").size(), 3u);
    EXPECT_EQ(coupeLignes("", 100, largeurFixe), std::vector<std::string>{""});
}

// Pixels of alpha 0 are outside, however faint the others; a row's padding
// beyond the picture's width is never read.
TEST(EditorLayout, VisibleFrameOfAPicture)
{
    const int largeur = 8, hauteur = 4, pas = 12 * 4;
    std::vector<unsigned char> rgba(pas * hauteur, 0);
    auto alpha = [&](int x, int y, unsigned char a) { rgba[y * pas + 4 * x + 3] = a; };
    alpha(10, 0, 255);  // padding
    Rect r;
    int fort = -1;
    EXPECT_FALSE(cadreVisible(rgba.data(), largeur, hauteur, pas, 0, r, &fort));
    alpha(5, 1, 12);   // the faint shrine's kind of pixel
    alpha(2, 3, 40);
    ASSERT_TRUE(cadreVisible(rgba.data(), largeur, hauteur, pas, 0, r, &fort));
    EXPECT_EQ(r.x, 2);
    EXPECT_EQ(r.y, 1);
    EXPECT_EQ(r.largeur, 4);
    EXPECT_EQ(r.hauteur, 3);
    EXPECT_EQ(fort, 40);
    ASSERT_TRUE(cadreVisible(rgba.data(), largeur, hauteur, pas, 20, r));
    EXPECT_EQ(r.x, 2);
    EXPECT_EQ(r.largeur, 1);

    // Fitted into a 52 px cell: a 4 x 3 frame enlarged at most twice, a
    // large one shrunk.
    EXPECT_EQ(zoomAjuste(4, 3, 52, 200), 200);
    EXPECT_EQ(zoomAjuste(260, 104, 52, 200), 20);
}
