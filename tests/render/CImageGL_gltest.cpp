// Tiled pictures: cutting into textures, colour keys, GL state, and drawing
// checked pixel by pixel on a real context with nearest filtering.

#include "render/CImageGL.h"
#include "render/ReglagesRendu.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <SDL_opengl.h>

using namespace testsupport;

namespace {

// Every pixel tells where it came from: red = x, green = y (low bytes),
// blue = which 256-pixel cell.
Pixel motifEn(int x, int y)
{
    return {static_cast<unsigned char>(x & 0xFF), static_cast<unsigned char>(y & 0xFF),
            static_cast<unsigned char>(100 + (x >> 8) * 40 + (y >> 8) * 10), 255};
}

std::vector<Pixel> motif(int w, int h)
{
    return zone(0, 0, w, h, motifEn);
}

Pixel texel(const SubImage& t, int x, int y)
{
    return texelTampon(t.pixels, t.texLongueur, x, y);
}

// Source rectangle of the pattern, top row first.
std::vector<Pixel> partieMotif(int sx, int sy, int w, int h)
{
    return zone(sx, sy, w, h, motifEn);
}

// A white backdrop to see transparency and opacity against.
void fondBlanc()
{
    ecritTGA("blanc.tga", 300, 200, uni(300, 200, BLANC));
    CImageGL fond;
    fond.chargeImageSDL("blanc.tga", -1, 0, 0);
    fond.affiche(0, 0);
}

class CImageGLTest : public testsupport::TestGL {};

TEST_F(CImageGLTest, CutsPicturesIntoPowerOfTwoTilesColumnByColumn)
{
    struct Cas {
        int w, h, nx, ny;
        std::vector<int> larg, texLarg, haut, texHaut; // per column / per row
    };
    std::vector<Cas> cas = {
        {640, 480, 3, 2, {256, 256, 128}, {256, 256, 128}, {256, 224}, {256, 256}},
        {256, 256, 1, 1, {256}, {256}, {256}, {256}},
        {100, 20, 1, 1, {100}, {128}, {20}, {32}},
        {257, 10, 2, 1, {256, 1}, {256, 1}, {10}, {16}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        ecritTGA("m.tga", c.w, c.h, motif(c.w, c.h));
        CImageGL image;
        ASSERT_EQ(0, image.chargeImageSDL("m.tga", -1, 0, 0));
        EXPECT_EQ(c.w, image.getLongueur());
        EXPECT_EQ(c.h, image.getHauteur());
        ASSERT_EQ(c.nx, image.nbTilesX);
        ASSERT_EQ(c.ny, image.nbTilesY);
        ASSERT_EQ(c.nx * c.ny, image.nbTiles);
        for (int i = 0; i < c.nx; ++i) {
            for (int j = 0; j < c.ny; ++j) {
                const SubImage& t = image.tiles[i * c.ny + j];
                EXPECT_EQ(c.larg[i], t.longueur) << "column " << i;
                EXPECT_EQ(c.texLarg[i], t.texLongueur) << "column " << i;
                EXPECT_EQ(c.haut[j], t.hauteur) << "row " << j;
                EXPECT_EQ(c.texHaut[j], t.texHauteur) << "row " << j;
                EXPECT_NE(0u, t.textureId);
                // First and last content pixels come from the right place.
                EXPECT_EQ(motifEn(i * 256, j * 256), texel(t, 0, 0));
                EXPECT_EQ(motifEn(i * 256 + t.longueur - 1, j * 256 + t.hauteur - 1),
                          texel(t, t.longueur - 1, t.hauteur - 1));
            }
        }
    }
    // The margin past a 100x20 picture is transparent black.
    ecritTGA("m.tga", 100, 20, motif(100, 20));
    CImageGL petite;
    petite.chargeImageSDL("m.tga", -1, 0, 0);
    const SubImage& t = petite.tiles[0];
    Pixel vide = {0, 0, 0, 0};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 128; ++x) {
            if (x >= 100 || y >= 20) {
                ASSERT_EQ(vide, texel(t, x, y)) << x << ", " << y;
            }
        }
    }
}

TEST_F(CImageGLTest, ColourKeyIgnoresAlphaAndPicturesWithoutAlphaAreOpaque)
{
    std::vector<Pixel> p = {{255, 0, 255, 255}, {255, 0, 255, 40}, {255, 0, 254, 255}, {10, 20, 30, 77}};
    ecritTGA("cle.tga", 4, 1, p);
    CImageGL avecCle;
    avecCle.chargeImageSDL("cle.tga", 255, 0, 255);
    Pixel vide = {0, 0, 0, 0};
    EXPECT_EQ(vide, texel(avecCle.tiles[0], 0, 0));
    EXPECT_EQ(vide, texel(avecCle.tiles[0], 1, 0));
    EXPECT_EQ(p[2], texel(avecCle.tiles[0], 2, 0));
    EXPECT_EQ(p[3], texel(avecCle.tiles[0], 3, 0));

    // Red -1 means no key whatever green and blue say; the low 8 bits count.
    CImageGL sansCle;
    sansCle.chargeImageSDL("cle.tga", -1, 0, 255);
    EXPECT_EQ(p[0], texel(sansCle.tiles[0], 0, 0));
    CImageGL cleHaute;
    cleHaute.chargeImageSDL("cle.tga", 255 + 256, 0, 255);
    EXPECT_EQ(vide, texel(cleHaute.tiles[0], 0, 0));

    ecritTGA("rgb.tga", 3, 2, {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {1, 1, 1, 0}, {2, 2, 2, 0}, {3, 3, 3, 0}},
             false);
    CImageGL opaque;
    opaque.chargeImageSDL("rgb.tga", -1, 0, 0);
    Pixel attendu = {7, 8, 9, 255};
    EXPECT_EQ(attendu, texel(opaque.tiles[0], 2, 0));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(255, texel(opaque.tiles[0], x, y).a);
}

TEST_F(CImageGLTest, UnreadableFileLeavesAnEmptyHarmlessPicture)
{
    ecritTGA("m.tga", 50, 50, motif(50, 50));
    CImageGL image;
    ASSERT_EQ(0, image.chargeImageSDL("m.tga", -1, 0, 0));
    testsupport::Capture erreurs(2);
    EXPECT_EQ(1, image.chargeImageSDL("absente.png", -1, 0, 0));
    EXPECT_EQ("Impossible de charger l'image\nNom de l'image: absente.png\n", erreurs.texte());
    EXPECT_EQ(0, image.getLongueur());
    EXPECT_EQ(0, image.getHauteur());
    EXPECT_EQ(0, image.nbTiles);
    image.affiche(0, 0);
    image.affiche(0, 0, 0, 0, 10, 10);
    EXPECT_TRUE(zoneUnie(0, 0, 60, 60, NOIR, "image_vide"));

    testsupport::ecritFichier("faux.png", "pas une image");
    CImageGL fausse;
    EXPECT_EQ(1, fausse.chargeImageSDL("faux.png", 0, 0, 10, 10, -1, 0, 0, false));
    EXPECT_EQ(1, fausse.chargeImageSDL(static_cast<SDL_Surface*>(nullptr), 0, 0, 10, 10, -1, 0, 0, false));
    EXPECT_EQ(0, fausse.nbTiles);
}

TEST_F(CImageGLTest, LoadingAgainReleasesTheOldTextures)
{
    ecritTGA("grande.tga", 300, 20, motif(300, 20));
    ecritTGA("petite.tga", 10, 10, uni(10, 10, ROUGE));
    CImageGL image;
    image.chargeImageSDL("grande.tga", -1, 0, 0);
    ASSERT_EQ(2, image.nbTiles);
    GLuint anciens[2] = {image.tiles[0].textureId, image.tiles[1].textureId};
    image.chargeImageSDL("petite.tga", -1, 0, 0);
    EXPECT_EQ(1, image.nbTiles);
    EXPECT_EQ(10, image.getLongueur());
    // A name is only reused once released, so the old ones must be free or
    // taken by the new tile.
    for (GLuint id : anciens)
        EXPECT_TRUE(!glIsTexture(id) || id == image.tiles[0].textureId) << id;
}

TEST_F(CImageGLTest, RectangleLoadersFollowTheRequestedSize)
{
    ecritTGA("planche.tga", 100, 60, motif(100, 60));
    // Runs past the right edge: width is the picture's, the grid the request's.
    CImageGL bord;
    ASSERT_EQ(0, bord.chargeImageSDL("planche.tga", 80, 10, 300, 20, -1, 0, 0, true));
    EXPECT_EQ(100, bord.getLongueur());
    EXPECT_EQ(20, bord.getHauteur());
    ASSERT_EQ(2, bord.nbTilesX);
    EXPECT_EQ(motifEn(80, 10), texel(bord.tiles[0], 0, 0));
    EXPECT_EQ(motifEn(99, 29), texel(bord.tiles[0], 19, 19));
    Pixel vide = {0, 0, 0, 0};
    EXPECT_EQ(vide, texel(bord.tiles[0], 20, 0));
    EXPECT_EQ(vide, texel(bord.tiles[1], 0, 0));

    // From a sheet in memory, which stays usable for the next frame.
    SDL_Surface* feuille = SDL_LoadBMP("inexistant.bmp");
    EXPECT_EQ(nullptr, feuille);
    SDL_Surface* planche = SDL_CreateRGBSurface(0, 64, 32, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(nullptr, planche);
    SDL_FillRect(planche, nullptr, 0xFF00FF00); // opaque green
    SDL_Rect droite = {32, 0, 32, 32};
    SDL_FillRect(planche, &droite, 0xFF0000FF); // opaque red
    CImageGL a, b;
    ASSERT_EQ(0, a.chargeImageSDL(planche, 0, 0, 20, 20, -1, 0, 0, false));
    ASSERT_EQ(0, b.chargeImageSDL(planche, 32, 0, 20, 20, 255, 0, 0, false));
    EXPECT_EQ(0u, planche->flags & SDL_SRCALPHA);
    Pixel vert = {0, 255, 0, 255};
    EXPECT_EQ(vert, texel(a.tiles[0], 0, 0));
    EXPECT_EQ(vide, texel(b.tiles[0], 5, 5)); // keyed red
    SDL_FreeSurface(planche);
}

TEST_F(CImageGLTest, RectanglesFromDataFilesCannotOverrunOrWrap)
{
    ecritTGA("planche.tga", 40, 20, motif(40, 20));
    CImageGL image;
    {
        // Sizes past any picture would ask for millions of tiles (or
        // overflow the tile count): refused like a failed copy.
        Capture erreurs(2);
        EXPECT_EQ(1, image.chargeImageSDL("planche.tga", 0, 0, 2000000000, 10, -1, 0, 0, false));
        EXPECT_EQ(1, image.chargeImageSDL("planche.tga", 0, 0, 10, 20000, -1, 0, 0, false));
        EXPECT_EQ("Impossible d'effectuer l'opération de blitting\n"
                  "Impossible d'effectuer l'opération de blitting\n",
                  erreurs.texte());
    }
    EXPECT_EQ(0, image.nbTiles);
    image.affiche(0, 0);
    EXPECT_TRUE(zoneUnie(0, 0, 50, 30, NOIR, "rectangle_refuse"));

    // A start past 16-bit coordinates lies outside the picture: transparent,
    // never the pixels that the wrapped coordinate would name.
    ASSERT_EQ(0, image.chargeImageSDL("planche.tga", 65536 + 5, 0, 10, 10, -1, 0, 0, false));
    EXPECT_EQ(VIDE, texel(image.tiles[0], 0, 0));
    ASSERT_EQ(0, image.chargeImageSDL("planche.tga", 5, -65536, 10, 10, -1, 0, 0, false));
    EXPECT_EQ(VIDE, texel(image.tiles[0], 0, 0));
}

TEST_F(CImageGLTest, APictureOrFrameOfNoSizeLoadsEmptyAndDrawsNothing)
{
    // A 0 x 0 GIF: screen and image of no pixels, a two-colour table.
    const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 255, 255, 255,
                                 255, 255, 255, 0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 0x2C, 0, 0x3B};
    ecritFichier("vide.gif", std::string(reinterpret_cast<const char*>(gif), sizeof gif));
    SDL_Surface* planche = SDL_CreateRGBSurface(0, 8, 8, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(nullptr, planche);
    SDL_FillRect(planche, nullptr, 0xFFFFFFFF);
    CImageGL entiere, frame, fine;
    CImageGL3 unique;
    {
        Capture erreurs(2);
        EXPECT_EQ(0, entiere.chargeImageSDL("vide.gif", -1, 0, 0));
        EXPECT_EQ(0, frame.chargeImageSDL(planche, 2, 2, 0, 0, -1, 0, 0, false));
        EXPECT_EQ(0, fine.chargeImageSDL(planche, 2, 2, 5, 0, -1, 0, 0, false));
        EXPECT_EQ(0, unique.chargeImageSDL("vide.gif", -1, 0, 0));
        EXPECT_EQ("", erreurs.texte());
    }
    SDL_FreeSurface(planche);
    for (CImageGL* image : {&entiere, &frame, &fine}) {
        EXPECT_EQ(0, image->nbTiles);
        EXPECT_EQ(0, image->getLongueur() * image->getHauteur());
        image->affiche(0, 0);
    }
    unique.affiche(0, 0);
    EXPECT_TRUE(zoneUnie(0, 0, 40, 40, NOIR, "image_vide"));
}

TEST_F(CImageGLTest, BilinearFilteringLeavesNoSeamAtTileEdges)
{
    // 300 x 300: tiles of 256 and 44 (texture 64) each way, so edges meet
    // both full tiles and a transparent texture margin.
    const Pixel gris = {90, 140, 200, 255};
    ecritTGA("g.tga", 300, 300, uni(300, 300, gris));
    ecritTGA("bande.tga", 256, 60, uni(256, 60, gris));
    const ReglagesRendu avant = reglagesRendu();
    ReglagesRendu lineaire = avant;
    lineaire.bilineaire = true;
    lineaire.sansClampToEdge = false;
    fixeReglagesRendu(lineaire);
    CImageGL image, gauche, droite;
    image.chargeImageSDL("g.tga", -1, 0, 0);
    gauche.chargeImageSDL("bande.tga", -1, 0, 0);
    droite.chargeImageSDL("bande.tga", -1, 0, 0);
    fixeReglagesRendu(avant);

    image.affiche(20, 10);
    EXPECT_TRUE(zoneUnie(20, 10, 300, 300, gris, "lineaire_tuiles"));
    EXPECT_TRUE(zoneUnie(320, 10, 1, 300, NOIR, "lineaire_tuiles_droite"));
    EXPECT_TRUE(zoneUnie(20, 310, 300, 1, NOIR, "lineaire_tuiles_bas"));
    // A rectangle starting inside the second column of tiles.
    testsupport::effaceEcran();
    image.affiche(0, 0, 250, 250, 50, 50);
    EXPECT_TRUE(zoneUnie(0, 0, 50, 50, gris, "lineaire_rectangle"));

    // Two pictures side by side, as a level lays its ground tiles.
    testsupport::effaceEcran();
    gauche.affiche(0, 400);
    droite.affiche(256, 400);
    EXPECT_TRUE(zoneUnie(0, 400, 512, 60, gris, "lineaire_voisines"));
}

TEST_F(CImageGLTest, TextureStateFollowsTheConfiguration)
{
    ecritTGA("m.tga", 20, 20, motif(20, 20));
    struct Reglage {
        bool bilineaire, mode16bits, sansClamp;
        GLint filtre, format, enveloppe;
    };
    for (Reglage r : {Reglage{false, false, false, GL_NEAREST, GL_RGBA8, GL_CLAMP_TO_EDGE},
                      Reglage{true, true, true, GL_LINEAR, GL_RGBA4, GL_CLAMP}}) {
        const ReglagesRendu avant = reglagesRendu();
        ReglagesRendu essai = avant;
        essai.bilineaire = r.bilineaire;
        essai.mode16bits = r.mode16bits;
        essai.sansClampToEdge = r.sansClamp;
        fixeReglagesRendu(essai);
        CImageGL image;
        image.chargeImageSDL("m.tga", -1, 0, 0);
        fixeReglagesRendu(avant);
        glBindTexture(GL_TEXTURE_2D, image.tiles[0].textureId);
        GLint v = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v);
        EXPECT_EQ(r.filtre, v);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &v);
        EXPECT_EQ(r.filtre, v);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &v);
        EXPECT_EQ(r.enveloppe, v);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &v);
        EXPECT_EQ(r.format, v);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &v);
        EXPECT_EQ(32, v);
    }
}

// ---- Drawing ----------------------------------------------------------------

TEST_F(CImageGLTest, WholePictureLandsAtItsPositionWithoutSeams)
{
    ecritTGA("m.tga", 640, 480, motif(640, 480));
    CImageGL image;
    image.chargeImageSDL("m.tga", -1, 0, 0);
    image.affiche(0, 0);
    EXPECT_TRUE(memesPixels(0, 0, 640, 480, motif(640, 480), "entiere_6_pieces"));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    testsupport::effaceEcran();
    ecritTGA("p.tga", 300, 270, motif(300, 270));
    CImageGL decalee;
    decalee.chargeImageSDL("p.tga", -1, 0, 0);
    decalee.affiche(17, 33);
    EXPECT_EQ(motifEn(0, 0), testsupport::lisPixel(17, 33));
    EXPECT_TRUE(memesPixels(17, 33, 300, 270, motif(300, 270), "entiere_decalee"));
    EXPECT_TRUE(zoneUnie(0, 0, 640, 33, NOIR, "entiere_decalee_haut"));
    EXPECT_TRUE(zoneUnie(0, 33, 17, 270, NOIR, "entiere_decalee_gauche"));
    EXPECT_TRUE(zoneUnie(317, 33, 10, 270, NOIR, "entiere_decalee_droite"));
    EXPECT_TRUE(zoneUnie(17, 303, 300, 10, NOIR, "entiere_decalee_bas"));
}

TEST_F(CImageGLTest, SourceRectanglesAcrossTileBoundariesJoin)
{
    ecritTGA("m.tga", 400, 400, motif(400, 400));
    CImageGL image;
    image.chargeImageSDL("m.tga", -1, 0, 0);
    // Pieces 56 and 44 wide and high meet at (66, 76).
    image.affiche(10, 20, 200, 200, 100, 100);
    EXPECT_TRUE(memesPixels(10, 20, 100, 100, partieMotif(200, 200, 100, 100), "rectangle_4_pieces"));
    EXPECT_TRUE(zoneUnie(110, 20, 20, 100, NOIR, "rectangle_droite"));
    EXPECT_TRUE(zoneUnie(10, 120, 100, 20, NOIR, "rectangle_bas"));

    // Inside one tile; and the sky's case, the top of a picture lowered.
    testsupport::effaceEcran();
    image.affiche(300, 300, 20, 30, 40, 50);
    EXPECT_TRUE(memesPixels(300, 300, 40, 50, partieMotif(20, 30, 40, 50), "rectangle_1_piece"));
    testsupport::effaceEcran();
    image.affiche(0, 40, 0, 0, 400, 360);
    EXPECT_TRUE(memesPixels(0, 40, 400, 360, partieMotif(0, 0, 400, 360), "rectangle_haut"));
    EXPECT_TRUE(zoneUnie(0, 0, 400, 40, NOIR, "rectangle_haut_marge"));
}

TEST_F(CImageGLTest, ZoomScalesAboutTheCentre)
{
    ecritTGA("r.tga", 100, 50, uni(100, 50, ROUGE));
    CImageGL image;
    image.chargeImageSDL("r.tga", -1, 0, 0);
    image.setZoom(200);
    image.affiche(200, 200); // pivot (250, 225): covers (150, 175) to (350, 275)
    EXPECT_TRUE(zoneUnie(150, 175, 200, 100, ROUGE, "zoom_200"));
    EXPECT_TRUE(zoneUnie(149, 175, 1, 100, NOIR, "zoom_200_gauche"));
    EXPECT_TRUE(zoneUnie(350, 175, 1, 100, NOIR, "zoom_200_droite"));
    EXPECT_TRUE(zoneUnie(150, 174, 200, 1, NOIR, "zoom_200_haut"));
    EXPECT_TRUE(zoneUnie(150, 275, 200, 1, NOIR, "zoom_200_bas"));
}

TEST_F(CImageGLTest, MirrorsFlipInPlaceWithOddSizesOnePixelOver)
{
    ecritTGA("m.tga", 101, 21, motif(101, 21));
    CImageGL image;
    image.chargeImageSDL("m.tga", -1, 0, 0);
    image.setMirrorY(true);
    image.affiche(100, 100); // covers x 99 to 199
    std::vector<Pixel> attendu = zone(0, 0, 101, 21, [](int x, int y) { return motifEn(100 - x, y); });
    EXPECT_TRUE(memesPixels(99, 100, 101, 21, attendu, "miroir_y"));
    EXPECT_TRUE(zoneUnie(200, 100, 1, 21, NOIR, "miroir_y_droite"));

    testsupport::effaceEcran();
    image.setMirrorY(false);
    image.setMirrorX(true);
    image.affiche(100, 100); // covers y 99 to 119
    attendu = zone(0, 0, 101, 21, [](int x, int y) { return motifEn(x, 20 - y); });
    EXPECT_TRUE(memesPixels(100, 99, 101, 21, attendu, "miroir_x"));
    EXPECT_TRUE(zoneUnie(100, 120, 101, 1, NOIR, "miroir_x_bas"));
}

TEST_F(CImageGLTest, RotationTurnsClockwiseAboutTheCentreAndComposesWithMirror)
{
    ecritTGA("m.tga", 40, 20, motif(40, 20));
    CImageGL image;
    image.chargeImageSDL("m.tga", -1, 0, 0);
    image.setRotation(90);
    image.affiche(100, 100); // pivot (120, 110): covers x 110..129, y 90..129
    std::vector<Pixel> attendu = zone(110, 90, 20, 40, [](int X, int Y) { return motifEn(Y - 90, 129 - X); });
    EXPECT_TRUE(memesPixels(110, 90, 20, 40, attendu, "rotation_90"));
    EXPECT_TRUE(zoneUnie(100, 100, 10, 20, NOIR, "rotation_90_ancien_coin"));

    testsupport::effaceEcran();
    image.setMirrorY(true);
    image.affiche(100, 100);
    attendu = zone(110, 90, 20, 40, [](int X, int Y) { return motifEn(Y - 90, X - 110); });
    EXPECT_TRUE(memesPixels(110, 90, 20, 40, attendu, "rotation_90_miroir"));
}

TEST_F(CImageGLTest, OpacityAndBrightnessActOnColourOnly)
{
    // Opaque red left half, transparent right half.
    std::vector<Pixel> p(20 * 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            p[y * 20 + x] = x < 10 ? ROUGE : Pixel{0, 255, 0, 0};
    ecritTGA("demi.tga", 20, 10, p);
    CImageGL image;
    image.chargeImageSDL("demi.tga", -1, 0, 0);

    fondBlanc();
    image.setAlphaBlending(0);
    image.affiche(10, 10);
    EXPECT_TRUE(zoneUnie(10, 10, 20, 10, BLANC, "alpha_0"));

    image.setAlphaBlending(128);
    image.affiche(10, 30);
    EXPECT_TRUE(zoneUnie(10, 30, 10, 10, (Pixel{255, 127, 127, 255}), "alpha_128", 2));
    EXPECT_TRUE(zoneUnie(20, 30, 10, 10, BLANC, "alpha_128_transparent"));

    image.setAlphaBlending(255);
    image.setBrightness(0, 0, 0);
    image.affiche(10, 50);
    EXPECT_TRUE(zoneUnie(10, 50, 10, 10, NOIR, "luminosite_0"));
    EXPECT_TRUE(zoneUnie(20, 50, 10, 10, BLANC, "luminosite_0_transparent"));

    image.setBrightness(255, 255, 255);
    image.affiche(10, 70);
    EXPECT_TRUE(zoneUnie(10, 70, 10, 10, ROUGE, "luminosite_255"));
}

}
