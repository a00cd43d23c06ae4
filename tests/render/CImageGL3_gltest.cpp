// Single-texture pictures: texture layout, edge copies for bilinear
// filtering, shared pixels, screen capture and the three drawing forms; and
// for both picture classes, the transparent surround left out of drawing.

#include "render/CImageGL.h"
#include "render/ReglagesRendu.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <SDL_opengl.h>

using namespace testsupport;

namespace {

Pixel motifEn(int x, int y)
{
    return {static_cast<unsigned char>(x * 2 + 1), static_cast<unsigned char>(y * 3 + 1), 200, 255};
}

std::vector<Pixel> motif(int w, int h)
{
    return zone(0, 0, w, h, motifEn);
}

Pixel texel(const CImageGL3& image, int x, int y)
{
    return texelTampon(image.pixels, image.texLongueur, x, y);
}

class CImageGL3Test : public testsupport::TestGL {};

TEST_F(CImageGL3Test, DefaultsAndOneTextureLoadedFromAFile)
{
    CImageGL3 image;
    EXPECT_TRUE(image.empty);
    EXPECT_EQ(255, image.alpha);
    EXPECT_EQ(100, image.zoom);
    EXPECT_EQ(0.0, image.rotation);
    EXPECT_FALSE(image.mirrorX || image.mirrorY || image.sharedPixels);
    image.affiche(0, 0);
    image.afficheEtire(0, 0, 10, 10);

    ecritTGA("m.tga", 100, 20, motif(100, 20));
    ASSERT_EQ(0, image.chargeImageSDL("m.tga", -1, 0, 0));
    EXPECT_FALSE(image.empty);
    EXPECT_EQ(128, image.texLongueur);
    EXPECT_EQ(32, image.texHauteur);
    EXPECT_EQ(motifEn(99, 19), texel(image, 99, 19));
    EXPECT_EQ(VIDE, texel(image, 100, 19));
    GLuint premier = image.textureId;

    // Drawn plainly, uRight 100/128 and vBottom 20/32 show exactly the picture.
    image.affiche(30, 40);
    EXPECT_TRUE(memesPixels(30, 40, 100, 20, motif(100, 20), "gl3_simple"));
    EXPECT_TRUE(zoneUnie(130, 40, 28, 32, NOIR, "gl3_simple_marge"));

    ecritTGA("n.tga", 10, 10, motif(10, 10));
    ASSERT_EQ(0, image.chargeImageSDL("n.tga", -1, 0, 0));
    EXPECT_TRUE(!glIsTexture(premier) || premier == image.textureId);
    EXPECT_EQ(16, image.texLongueur);

    testsupport::Capture erreurs(2);
    EXPECT_EQ(1, image.chargeImageSDL("absente.png", -1, 0, 0));
    EXPECT_EQ("Impossible de charger l'image\nNom de l'image: absente.png\n", erreurs.texte());
    EXPECT_TRUE(image.empty);
    EXPECT_EQ(nullptr, image.pixels);
}

TEST_F(CImageGL3Test, EdgeCopiesAndBilinearCorrection)
{
    ecritTGA("planche.tga", 80, 80, motif(80, 80));
    const ReglagesRendu reglagesAvant = reglagesRendu();
    ReglagesRendu lineaire = reglagesAvant;
    lineaire.bilineaire = true;
    fixeReglagesRendu(lineaire);
    CImageGL3 bord;
    int res = bord.chargeImageSDL("planche.tga", 10, 20, 40, 40, -1, 0, 0, true);
    CImageGL3 sansCorrection;
    sansCorrection.chargeImageSDL("planche.tga", 10, 20, 40, 40, -1, 0, 0, false);
    fixeReglagesRendu(reglagesAvant);
    ASSERT_EQ(0, res);
    ASSERT_EQ(64, bord.texLongueur);
    ASSERT_EQ(64, bord.texHauteur);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(texel(bord, i, 39), texel(bord, i, 40)) << "column " << i;
        EXPECT_EQ(texel(bord, 39, i), texel(bord, 40, i)) << "row " << i;
    }
    EXPECT_EQ(motifEn(10 + 39, 20 + 39), texel(bord, 40, 40 - 1));
    EXPECT_EQ(VIDE, texel(bord, 40, 40));
    EXPECT_EQ(VIDE, texel(bord, 41, 0));
    EXPECT_EQ(VIDE, texel(sansCorrection, 0, 40));

    ecritTGA("m.tga", 100, 20, motif(100, 20));
    CImageGL3 image;
    image.chargeImageSDL("m.tga", -1, 0, 0);
    image.corrigeBilinear();
    for (int x = 0; x < 128; ++x)
        EXPECT_EQ(texel(image, x, 19), texel(image, x, 20)) << x;
    EXPECT_EQ(VIDE, texel(image, 0, 21));

    ecritTGA("carre.tga", 16, 16, motif(16, 16));
    CImageGL3 carre;
    carre.chargeImageSDL("carre.tga", -1, 0, 0);
    std::vector<unsigned char> avant(carre.pixels, carre.pixels + 16 * 16 * 4);
    carre.corrigeBilinear();
    EXPECT_EQ(avant, std::vector<unsigned char>(carre.pixels, carre.pixels + 16 * 16 * 4));
}

TEST_F(CImageGL3Test, RawAndSharedPixels)
{
    // 3x2 picture in a 4x2 texture; colour key on (9, 9, 9).
    std::vector<unsigned char> brut = {
        255, 0, 0, 255, 0, 255, 0, 255, 9, 9, 9, 100, 0, 0, 0, 0,
        0, 0, 255, 255, 255, 255, 0, 255, 0, 255, 255, 255, 0, 0, 0, 0,
    };
    CImageGL3 source;
    source.chargeImageRaw(brut.data(), 3, 2, 4, 2, 9, 9, 9);
    EXPECT_EQ(VIDE, texel(source, 2, 0));
    brut[0] = 1;
    EXPECT_EQ(255, texel(source, 0, 0).r); // copied, not borrowed

    {
        CImageGL3 partage;
        partage.instancieImage(&source);
        EXPECT_TRUE(partage.sharedPixels);
        EXPECT_EQ(source.pixels, partage.pixels);
        EXPECT_NE(source.textureId, partage.textureId);
        partage.affiche(5, 5);
        EXPECT_EQ((Pixel{0, 0, 255, 255}), testsupport::lisPixel(5, 6));
        EXPECT_EQ((Pixel{0, 255, 255, 255}), testsupport::lisPixel(7, 6));
    }
    // The borrower left the buffer alone.
    EXPECT_EQ(255, texel(source, 0, 0).r);
    source.affiche(20, 5);
    EXPECT_EQ((Pixel{255, 0, 0, 255}), testsupport::lisPixel(20, 5));

    // Reloading from its own buffer copies it before letting the old go.
    source.chargeImageRaw(source.pixels, 3, 2, 4, 2, -1, 0, 0);
    EXPECT_EQ((Pixel{255, 0, 0, 255}), texel(source, 0, 0));
    EXPECT_EQ((Pixel{0, 255, 0, 255}), texel(source, 1, 0));
    EXPECT_EQ((Pixel{0, 255, 255, 255}), texel(source, 2, 1));
}

TEST_F(CImageGL3Test, OversizedRectangleFailsCleanly)
{
    ecritTGA("m.tga", 20, 20, motif(20, 20));
    CImageGL3 image;
    Capture erreurs(2);
    EXPECT_EQ(1, image.chargeImageSDL("m.tga", 0, 0, 2000000000, 10, -1, 0, 0, false));
    EXPECT_EQ("Impossible de créer une texture à partir d'un graphique\n", erreurs.texte());
    EXPECT_TRUE(image.empty);
    EXPECT_EQ(nullptr, image.pixels);
    image.affiche(0, 0);
    image.afficheEtire(0, 0, 10, 10);
}

TEST_F(CImageGL3Test, DrawingFormsHonourMirrorsAndIgnoreRotationForRectangles)
{
    ecritTGA("m.tga", 40, 20, motif(40, 20));
    CImageGL3 image;
    image.chargeImageSDL("m.tga", -1, 0, 0);

    image.setMirrorY(true);
    image.affiche(10, 10);
    std::vector<Pixel> attendu = zone(0, 0, 40, 20, [](int x, int y) { return motifEn(39 - x, y); });
    EXPECT_TRUE(memesPixels(10, 10, 40, 20, attendu, "gl3_miroir_simple"));
    image.setMirrorY(false);

    // Rotated and zoomed: rectangle and stretched forms still draw.
    testsupport::effaceEcran();
    image.setRotation(30);
    image.setZoom(150);
    image.affiche(100, 100, 5, 4, 20, 10);
    std::vector<Pixel> partie = zone(5, 4, 20, 10, motifEn);
    EXPECT_TRUE(memesPixels(100, 100, 20, 10, partie, "gl3_rectangle"));
    EXPECT_TRUE(zoneUnie(120, 100, 5, 10, NOIR, "gl3_rectangle_droite"));

    testsupport::effaceEcran();
    testsupport::Capture sortie(1);
    image.afficheEtire(200, 200, 80, 40); // each pixel doubled
    EXPECT_EQ("All right", sortie.texte());
    std::vector<Pixel> double_ = zone(0, 0, 80, 40, [](int x, int y) { return motifEn(x / 2, y / 2); });
    EXPECT_TRUE(memesPixels(200, 200, 80, 40, double_, "gl3_etire"));
    // The texture margin extends beyond but is transparent.
    EXPECT_TRUE(zoneUnie(280, 200, 20, 64, NOIR, "gl3_etire_marge"));
}

// A half-transparent blob inside a transparent picture, and the same picture
// with one barely visible texel in two corners, which makes its visible
// rectangle the whole picture: both must draw alike (but near those texels),
// mirrored or not, whole or in part, filtered linearly.
template <class Image>
void verifieSurfaceVisible()
{
    auto blob = [](int x, int y) {
        if (x >= 12 && x < 28 && y >= 8 && y < 20)
            return Pixel{motifEn(x, y).r, motifEn(x, y).g, 200, static_cast<unsigned char>(120 + x)};
        return VIDE;
    };
    ecritTGA("blob.tga", 40, 30, zone(0, 0, 40, 30, blob));
    ecritTGA("plein.tga", 40, 30, zone(0, 0, 40, 30, [&](int x, int y) {
                 return (x == 0 && y == 0) || (x == 39 && y == 29) ? Pixel{255, 255, 255, 1} : blob(x, y);
             }));
    const ReglagesRendu reglagesAvant = reglagesRendu();
    ReglagesRendu lineaire = reglagesAvant;
    lineaire.bilineaire = true;
    fixeReglagesRendu(lineaire);
    Image taillee, pleine;
    taillee.chargeImageSDL("blob.tga", -1, 0, 0);
    pleine.chargeImageSDL("plein.tga", -1, 0, 0);
    fixeReglagesRendu(reglagesAvant);

    testsupport::effaceEcran();
    for (int miroirs = 0; miroirs < 4; ++miroirs) {
        for (Image* image : {&taillee, &pleine}) {
            image->setMirrorX(miroirs & 1);
            image->setMirrorY(miroirs & 2);
            const int y = image == &taillee ? 20 : 120;
            image->affiche(20, y);
            image->affiche(100, y, 15, 2, 20, 14); // cuts through the blob
        }
        const std::vector<Pixel> ecran = testsupport::lisEcran();
        for (int y = 18; y < 52; ++y)
            for (int x = 18; x < 125; ++x) {
                const bool coin = (x < 22 || (x >= 58 && x < 62)) && (y < 22 || (y >= 47 && y < 51));
                if (!coin && !(ecran[y * LARGEUR_GL + x] == ecran[(y + 100) * LARGEUR_GL + x]))
                    FAIL() << "miroirs " << miroirs << ", pixel (" << x << ", " << y << ") "
                           << ecran[y * LARGEUR_GL + x] << " au lieu de " << ecran[(y + 100) * LARGEUR_GL + x];
            }
        EXPECT_FALSE(NOIR == testsupport::lisPixel(40, 35)) << "le blob n'est pas dessiné";
        testsupport::effaceEcran();
    }
}

TEST_F(CImageGL3Test, TransparentSurroundsAreLeftOutWithoutChangingAPixel)
{
    verifieSurfaceVisible<CImageGL3>();
    verifieSurfaceVisible<CImageGL>();
}

TEST_F(CImageGL3Test, TransformedPathTurnsAndScalesAboutTheCentre)
{
    ecritTGA("m.tga", 32, 16, motif(32, 16));
    CImageGL3 image;
    image.chargeImageSDL("m.tga", -1, 0, 0);
    image.setRotation(90);
    image.affiche(100, 100); // centre (116, 108): covers x 108..123, y 92..123
    std::vector<Pixel> attendu = zone(108, 92, 16, 32, [](int X, int Y) { return motifEn(Y - 92, 123 - X); });
    EXPECT_TRUE(memesPixels(108, 92, 16, 32, attendu, "gl3_rotation_90", 0));

    testsupport::effaceEcran();
    image.setRotation(0);
    image.setZoom(200);
    image.affiche(100, 100); // covers (84, 92) to (148, 124)
    EXPECT_EQ(motifEn(0, 0), testsupport::lisPixel(84, 92));
    EXPECT_EQ(motifEn(31, 15), testsupport::lisPixel(147, 123));
    EXPECT_TRUE(zoneUnie(84, 124, 64, 1, NOIR, "gl3_zoom_bas"));
}

TEST_F(CImageGL3Test, ScreenCaptureComesBackUpright)
{
    ecritTGA("m.tga", 40, 20, motif(40, 20));
    CImageGL3 dessin;
    dessin.chargeImageSDL("m.tga", -1, 0, 0);
    dessin.affiche(0, 0);
    dessin.affiche(600, 460);

    CImageGL3 capture;
    capture.captureEcran();
    ASSERT_NE(nullptr, capture.pixels);
    EXPECT_EQ(640, capture.getLongueur());
    EXPECT_EQ(480, capture.getHauteur());
    EXPECT_EQ(1024, capture.texLongueur);
    EXPECT_EQ(512, capture.texHauteur);
    EXPECT_EQ(motifEn(0, 0), texel(capture, 0, 0));
    EXPECT_EQ(motifEn(39, 19), texel(capture, 639, 479));
    EXPECT_EQ(NOIR, texel(capture, 300, 200)); // opaque black, not transparent
    EXPECT_EQ(VIDE, texel(capture, 640, 0));

    testsupport::effaceEcran();
    capture.affiche(0, 0);
    EXPECT_TRUE(memesPixels(0, 0, 40, 20, motif(40, 20), "gl3_capture_redessinee"));
    EXPECT_TRUE(memesPixels(600, 460, 40, 20, motif(40, 20), "gl3_capture_redessinee_coin"));
}

}
