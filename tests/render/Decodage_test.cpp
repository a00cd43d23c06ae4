// The picture door: truncated files end in bounded time with a picture or
// nothing, sizes past the limits are refused from the header, GIFs decode
// as before, and grey PNGs with a transparent grey get their grey and alpha.
// Built a second time on the browser build's decoder (stb_image), when its
// header is installed: the same checks hold there.
#include "render/Decodage.h"
#include "render/EnteteImage.h"
#include "render/PetitesImages.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace testsupport;

namespace {

typedef std::vector<unsigned char> Octets;

Octets octets(const unsigned char* d, size_t n) { return Octets(d, d + n); }

void ecrit(const std::string& nom, const Octets& d)
{
    ecritFichier(nom, std::string(d.begin(), d.end()));
}

void ajoute32(Octets& d, uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        d.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

uint32_t crc32(const unsigned char* p, size_t n)
{
    uint32_t c = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320 & (0 - (c & 1)));
    }
    return ~c;
}

void chunk(Octets& png, const char* type, const Octets& donnees)
{
    ajoute32(png, static_cast<uint32_t>(donnees.size()));
    Octets corps(type, type + 4);
    corps.insert(corps.end(), donnees.begin(), donnees.end());
    png.insert(png.end(), corps.begin(), corps.end());
    ajoute32(png, crc32(corps.data(), corps.size()));
}

// An 8-bit grey PNG, stored without compression, optionally with a
// transparent grey.
Octets pngGris(uint32_t largeur, uint32_t hauteur, const Octets& gris, int transparent = -1)
{
    Octets png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Octets ihdr;
    ajoute32(ihdr, largeur);
    ajoute32(ihdr, hauteur);
    ihdr.insert(ihdr.end(), {8, 0, 0, 0, 0});
    chunk(png, "IHDR", ihdr);
    if (transparent >= 0)
        chunk(png, "tRNS", {0, static_cast<unsigned char>(transparent)});
    Octets brut;
    for (uint32_t y = 0; y < hauteur; ++y) {
        brut.push_back(0);
        for (uint32_t x = 0; x < largeur; ++x)
            brut.push_back(gris[(y * largeur + x) % gris.size()]);
    }
    Octets z = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < brut.size(); i += 65535) {
        size_t n = std::min<size_t>(65535, brut.size() - i);
        z.push_back(i + n == brut.size() ? 1 : 0);
        z.insert(z.end(), {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                           static_cast<unsigned char>(~n), static_cast<unsigned char>(~n >> 8)});
        z.insert(z.end(), brut.begin() + i, brut.begin() + i + n);
    }
    for (unsigned char c : brut) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    ajoute32(z, (b << 16) | a);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    return png;
}

SDL_Color rgba(SDL_Surface* s, int x, int y)
{
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    memcpy(&v, p, s->format->BytesPerPixel);
    SDL_Color c;
    Uint8 alpha;
    SDL_GetRGBA(v, s->format, &c.r, &c.g, &c.b, &alpha);
    c.unused = alpha;
    return c;
}

struct Fichier {
    const char* nom;
    Octets donnees;
};

TEST(Decodage, EveryTruncationEndsWithAPictureOrNothing)
{
    DossierTemporaire dossier;
    alarm(120);  // a decoder that loops for ever fails the test
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 6, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_EQ(SDL_SaveBMP(s, "petit.bmp"), 0);
    SDL_FreeSurface(s);
    std::string bmp = lisFichier("petit.bmp");
    const Fichier fichiers[] = {
        {"t.png", octets(PNG_8X6, sizeof PNG_8X6)},
        {"t.jpg", octets(JPEG_8X6, sizeof JPEG_8X6)},
        {"t.gif", octets(GIF_8X6, sizeof GIF_8X6)},
        {"t.bmp", Octets(bmp.begin(), bmp.end())},
    };
    for (const Fichier& f : fichiers) {
        for (size_t n = 0; n <= f.donnees.size(); ++n) {
            ecrit(f.nom, Octets(f.donnees.begin(), f.donnees.begin() + n));
            SDL_Surface* image = decodeImage(f.nom);
            if (n == f.donnees.size()) {
                EXPECT_NE(image, nullptr) << f.nom << " whole";
            }
            if (image) {
                EXPECT_EQ(image->w * 100 + image->h, 806) << f.nom << " cut at " << n;
                SDL_FreeSurface(image);
            }
        }
    }
    ecrit("bloque.gif", octets(GIF_EXTENSION_TRONQUEE, sizeof GIF_EXTENSION_TRONQUEE));
    EXPECT_EQ(decodeImage("bloque.gif"), nullptr);
    // Whole chunks, but none holding pixels: the decoder would read the
    // transparency chunk again and again from its stale buffer.
    Octets sansPixels = pngGris(4, 1, {7}, 100);
    sansPixels.resize(8 + 25 + 14);
    ecrit("bloque.png", sansPixels);
    EXPECT_EQ(decodeImage("bloque.png"), nullptr);
    alarm(0);
}

TEST(Decodage, SizesPastTheLimitsAreRefusedFromTheHeader)
{
    DossierTemporaire dossier;
    // A real, decodable picture one pixel past the limit is refused; at the
    // limit it loads.
    ecrit("haute.png", pngGris(1, 16385, {7}));
    ecrit("limite.png", pngGris(1, 16384, {7}));
    EXPECT_EQ(decodeImage("haute.png"), nullptr);
    SDL_Surface* limite = decodeImage("limite.png");
    ASSERT_NE(limite, nullptr);
    EXPECT_EQ(limite->h, 16384);
    SDL_FreeSurface(limite);

    // Every format's header, including GIF images bigger than their screen
    // and JPEG frames after other segments.
    auto taille = [](Octets d) {
        EnteteImage e = lisEnteteImage(d.data(), d.size());
        return std::to_string(e.largeur) + "x" + std::to_string(e.hauteur) +
               (tailleImageAcceptable(e) ? " ok" : " refused");
    };
    Octets png = pngGris(8, 6, {1});
    png[16 + 2] = 0x40;  // width 0x4008
    EXPECT_EQ(taille(png), "16392x6 refused");
    Octets jpeg = octets(JPEG_8X6, sizeof JPEG_8X6);
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = 0x20;  // height 0x2006
            jpeg[i + 7] = 0x20;  // width 0x2008
        }
    EXPECT_EQ(taille(jpeg), "8200x8198 refused");
    Octets gif = octets(GIF_8X6, sizeof GIF_8X6);
    EXPECT_EQ(taille(gif), "8x6 ok");
    for (size_t i = 13; i + 9 < gif.size(); ++i)
        if (gif[i] == 0x2C) {
            gif[i + 8] = 0x41;  // image height 0x4106, screen still 8 x 6
            break;
        }
    EXPECT_EQ(taille(gif), "8x16646 refused");
    Octets bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[14] = 40;
    bmp[18] = 0x00, bmp[19] = 0x40;              // width 16384
    bmp[22] = 0x00, bmp[23] = 0xF0, bmp[24] = 0xFF, bmp[25] = 0xFF;  // height -4096
    EXPECT_EQ(taille(bmp), "16384x4096 ok");
    bmp[22] = 0xFF, bmp[23] = 0xEF;              // height -4097
    EXPECT_EQ(taille(bmp), "16384x4097 refused");
    // TGA: 8200 x 5140 declared by a 50-byte file, then a file that holds
    // the pixels (uncompressed grey, then run-length coded RGB).
    Octets tga(50, 0);
    tga[2] = 3;
    tga[12] = 0x08, tga[13] = 0x20, tga[14] = 0x14, tga[15] = 0x14;
    tga[16] = 8;
    EXPECT_EQ(taille(tga), "0x0 refused");
    tga[12] = 7, tga[13] = 0, tga[14] = 4, tga[15] = 0;
    EXPECT_EQ(taille(tga), "7x4 ok");
    tga[2] = 10, tga[16] = 24;
    tga[12] = 0, tga[13] = 1, tga[14] = 0, tga[15] = 1;  // 65,536 pixels in 512 packets of 4 bytes
    EXPECT_EQ(taille(tga), "0x0 refused");
    tga.resize(18 + 512 * 4);
    EXPECT_EQ(taille(tga), "256x256 ok");
    // Named .tga, any header is read as TGA, as the decoder will.
    ecrit("x.tga", octets(reinterpret_cast<const unsigned char*>("GI\x03\0\x13\0\0\0\0\x13\x8e\xbd\x96\x0f\xe8\x3a\x08\0\xdb"), 19));
    EXPECT_EQ(decodeImage("x.tga"), nullptr);
}

Octets texteOctets(const std::string& t) { return Octets(t.begin(), t.end()); }

void ajoute32Gros(std::string& d, uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        d.push_back(static_cast<char>(v >> (8 * i)));
}

// The browser's library reads fewer formats (no icons, PCX, TIFF, XPM, XV or
// LBM); its pictures are the demo's PNG, JPEG, BMP and GIF, and XCF, which
// is our own code in both builds.
#ifndef CORVANTHELIS_DECODAGE_STB
// The formats the decoder reads that the image tools here cannot write.
Octets ilbm3x2()
{
    std::string corps = "ILBM";
    corps += std::string("BMHD\0\0\0\x14\0\x03\0\x02\0\0\0\0\x01\0\0\0\0\0\x01\x01\0\x03\0\x02", 28);
    corps += std::string("CMAP\0\0\0\x06\xff\0\0\xff\0\0", 14);
    corps += std::string("BODY\0\0\0\x04\x80\0\x40\0", 12);
    std::string forme = "FORM";
    ajoute32Gros(forme, static_cast<uint32_t>(corps.size()));
    return texteOctets(forme + corps);
}
#endif

// An XCF layer: its type (0 RGB, 1 RGBA, 3 grey and alpha), place, opacity,
// pixels with their bytes side by side, and an applied mask when not empty.
struct CalqueXCF {
    uint32_t largeur, hauteur, type;
    int32_t x, y;
    uint32_t opacite;
    bool visible;
    Octets pixels, masque;
};

// Runs of one byte where a plane holds one value, one copied run otherwise.
void ajouteTuile(std::string& d, const Octets& pixels, uint32_t bpp, bool rle)
{
    if (!rle) {
        d.append(pixels.begin(), pixels.end());
        return;
    }
    const size_t n = pixels.size() / bpp;
    for (uint32_t c = 0; c < bpp; ++c) {
        std::string plan;
        for (size_t i = 0; i < n; ++i)
            plan += static_cast<char>(pixels[i * bpp + c]);
        if (plan.find_first_not_of(plan[0]) == std::string::npos)
            d += std::string(1, static_cast<char>(n - 1)) + plan[0];
        else
            d += std::string(1, static_cast<char>(256 - n)) + plan;
    }
}

Octets xcf(uint32_t largeur, uint32_t hauteur, bool rle, const std::vector<CalqueXCF>& calques)
{
    static const uint32_t OCTETS[6] = {3, 4, 1, 2, 1, 2};
    std::string d("gimp xcf v001\0", 14);
    ajoute32Gros(d, largeur);
    ajoute32Gros(d, hauteur);
    ajoute32Gros(d, 0);
    d += std::string("\0\0\0\x11\0\0\0\x01", 8) + static_cast<char>(rle);
    d += std::string(8, '\0');
    // Offsets are written where they go once what they point at is added.
    auto pointe = [&](size_t ou) {
        std::string position;
        ajoute32Gros(position, static_cast<uint32_t>(d.size()));
        d.replace(ou, 4, position);
    };
    // Pixels: hierarchy, level, then the one tile.
    auto pixels = [&](const CalqueXCF& c, const Octets& octets, uint32_t bpp) {
        ajoute32Gros(d, c.largeur), ajoute32Gros(d, c.hauteur), ajoute32Gros(d, bpp);
        ajoute32Gros(d, static_cast<uint32_t>(d.size() + 8)), ajoute32Gros(d, 0);
        ajoute32Gros(d, c.largeur), ajoute32Gros(d, c.hauteur);
        ajoute32Gros(d, static_cast<uint32_t>(d.size() + 8)), ajoute32Gros(d, 0);
        ajouteTuile(d, octets, bpp, rle);
    };
    const size_t liste = d.size();
    d += std::string(4 * calques.size() + 8, '\0');
    for (size_t k = 0; k < calques.size(); ++k) {
        const CalqueXCF& c = calques[k];
        pointe(liste + 4 * k);
        ajoute32Gros(d, c.largeur), ajoute32Gros(d, c.hauteur), ajoute32Gros(d, c.type);
        d += std::string("\0\0\0\x02z", 6);  // the name, "z"
        for (uint32_t p : {6u, 8u, 11u}) {
            ajoute32Gros(d, p), ajoute32Gros(d, 4);
            ajoute32Gros(d, p == 6 ? c.opacite : p == 8 ? c.visible : !c.masque.empty());
        }
        ajoute32Gros(d, 15), ajoute32Gros(d, 8), ajoute32Gros(d, c.x), ajoute32Gros(d, c.y);
        d += std::string(8, '\0');
        const size_t liens = d.size();
        d += std::string(8, '\0');
        pointe(liens);
        pixels(c, c.pixels, OCTETS[c.type]);
        if (!c.masque.empty()) {
            pointe(liens + 4);
            ajoute32Gros(d, c.largeur), ajoute32Gros(d, c.hauteur);
            d += std::string("\0\0\0\x01\0", 5) + std::string(12, '\0');
            pointe(d.size() - 4);
            pixels(c, c.masque, 1);
        }
    }
    return texteOctets(d);
}

#ifndef CORVANTHELIS_DECODAGE_STB
TEST(Decodage, EveryFormatOfTheDecoderLoadsIconsAndCursorsIncluded)
{
    DossierTemporaire dossier;
    const char* const parOutil[12] = {"bmp", "gif", "ico", "jpg", "pcx", "png", "ppm", "pgm", "pbm", "tga", "tiff", "xpm"};
    std::string commande = "true";
    for (const char* e : parOutil)
        commande += std::string(" && convert -size 3x2 -depth 8 xc:red x.") + e;
    ASSERT_EQ(execute(commande), 0);
    // A cursor whose hot spot is at y = 0 read as a TGA of no size.
    std::string ico = lisFichier("x.ico");
    std::string cur = ico;
    cur[2] = 2;
    cur[10] = 1, cur[11] = 0, cur[12] = 0, cur[13] = 0;
    ecritFichier("x.cur", cur);
    ecrit("x.xv", texteOctets("P7 332\n#END_OF_COMMENTS\n3 2 255\n\x01\x02\x03\x04\x05\x06"));
    ecrit("x.lbm", ilbm3x2());
    ecrit("x.xcf", xcf(3, 2, false, {}));
    std::vector<std::string> noms;
    for (const char* e : parOutil)
        noms.push_back(std::string("x.") + e);
    noms.insert(noms.end(), {"x.cur", "x.xv", "x.lbm", "x.xcf"});
    for (const std::string& nom : noms) {
        SDL_Surface* image = decodeImage(nom.c_str());
        ASSERT_NE(image, nullptr) << nom << ": " << IMG_GetError();
        // The ILBM reader gives whole 16-pixel words of each row.
        EXPECT_EQ(image->w * 100 + image->h, nom == "x.lbm" ? 1602 : 302) << nom;
        // The files the image tool wrote are red, but for grey and bilevel.
        const bool rouge = &nom - &noms[0] < 12 && nom != "x.pgm" && nom != "x.pbm";
        SDL_Color c = rgba(image, 2, 1);
        EXPECT_TRUE(!rouge || (c.r > 240 && c.g < 16 && c.b < 16)) << nom;
        SDL_FreeSurface(image);
    }
    // Cut or inconsistent files that crash or hang the decoder's readers: a
    // pixel of no colour, a property or chunks reaching past the end.
    alarm(10);
    ecrit("trou.xpm", texteOctets("/* XPM */\n\"3 2 1 1\",\n\"  c red\",\n\"   \",\n\"~  \"\n};\n"));
    EXPECT_EQ(decodeImage("trou.xpm"), nullptr);
    ecrit("ligne.xpm", texteOctets("/* XPM */\n\"1 2 1 1\",\n\"  c red\",\n\" ,\n\"\" \"\n};\n"));
    EXPECT_EQ(decodeImage("ligne.xpm"), nullptr);
    ecrit("fin.xpm", texteOctets("/* XPM */\n\"3 2 1 1\",\n\"  c red\",\n\"   \",\n\"   \"\n"));
    EXPECT_EQ(decodeImage("fin.xpm"), nullptr);  // the last row read with 3 bytes more
    Octets entete = xcf(3, 2, false, {});
    entete.resize(26);
    entete.insert(entete.end(), {0, 0, 0, 17, 255, 255, 255, 255});
    ecrit("coupe.xcf", entete);
    EXPECT_EQ(decodeImage("coupe.xcf"), nullptr);
    entete.resize(26);  // a colour table of a billion colours in 4 bytes
    entete.insert(entete.end(), {0, 0, 0, 1, 0, 0, 0, 4, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ecrit("table.xcf", entete);
    EXPECT_EQ(decodeImage("table.xcf"), nullptr);
    Octets png = pngGris(4, 1, {1});
    png.resize(33);  // after IHDR, a chunk far longer than the file
    png.insert(png.end(), {0, 0xE7, 0, 2, 't', 'R', 'N', 'S', 0x64, 0x3C});
    ecrit("long.png", png);
    EXPECT_EQ(decodeImage("long.png"), nullptr);
    Octets lbm = ilbm3x2();
    lbm[44] = lbm[45] = 0xFF;  // the colour table's size, past the end
    ecrit("long.lbm", lbm);
    EXPECT_EQ(decodeImage("long.lbm"), nullptr);
    // Bytes a line, 3 for 3 pixels: negative, then too few for the line.
    std::string pcx = lisFichier("x.pcx");
    ASSERT_EQ(pcx[66], 3);
    pcx[67] = static_cast<char>(0xD0);
    ecritFichier("negatif.pcx", pcx);
    EXPECT_EQ(decodeImage("negatif.pcx"), nullptr);
    pcx[66] = 2, pcx[67] = 0;
    ecritFichier("court.pcx", pcx);
    EXPECT_EQ(decodeImage("court.pcx"), nullptr);
    std::string bmp = lisFichier("x.bmp");
    bmp[28] = 4, bmp[29] = 0x18;  // a bit count that leaves 4-bit pixels with no palette
    ecritFichier("sans-palette.bmp", bmp);
    EXPECT_EQ(decodeImage("sans-palette.bmp"), nullptr);
    alarm(0);

    // A picture named .tga is still read, and checked, as TGA.
    ASSERT_EQ(rename("x.cur", "cur.tga"), 0);
    EXPECT_EQ(decodeImage("cur.tga"), nullptr);

    // A FIFO in place of a picture is refused, not waited on.
    ASSERT_EQ(mkfifo("fifo.png", 0600), 0);
    alarm(10);
    EXPECT_EQ(decodeImage("fifo.png"), nullptr);
    alarm(0);
}

#endif

TEST(Decodage, XcfLayersAreFlattenedFromTheBottomWithTheirPlaceOpacityAndMask)
{
    DossierTemporaire dossier;
    // The top layer first: red, half opaque, at (1, 1), its last pixel
    // transparent; a hidden green one; blue along the top row; and a grey
    // one whose mask hides its right half.
    const std::vector<CalqueXCF> calques = {
        {3, 1, 1, 1, 1, 128, true, {255, 0, 0, 255, 255, 0, 0, 255, 9, 9, 9, 0}, {}},
        {4, 2, 0, 0, 0, 255, false, Octets(24, 0x80), {}},
        {4, 1, 0, 0, 0, 255, true, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255}, {}},
        {2, 1, 3, 2, 1, 255, true, {200, 255, 200, 255}, {255, 0}},
    };
    for (bool rle : {false, true}) {
        ecrit("c.xcf", xcf(4, 2, rle, calques));
        SDL_Surface* image = decodeImage("c.xcf");
        ASSERT_NE(image, nullptr) << rle;
        ASSERT_EQ(image->w * 100 + image->h, 402);
        auto pixel = [&](int x, int y) {
            SDL_Color c = rgba(image, x, y);
            char texte[16];
            snprintf(texte, sizeof texte, "%d,%d,%d,%d", c.r, c.g, c.b, c.unused);
            return std::string(texte);
        };
        EXPECT_EQ(pixel(0, 0), "0,0,255,255") << rle;
        EXPECT_EQ(pixel(1, 0), "0,0,255,255") << rle;
        EXPECT_EQ(pixel(0, 1), "0,0,0,0") << rle;
        EXPECT_EQ(pixel(1, 1), "255,0,0,128") << rle;    // over nothing: still red
        EXPECT_EQ(pixel(2, 1), "228,100,100,255") << rle;  // half over the grey
        EXPECT_EQ(pixel(3, 1), "0,0,0,0") << rle;        // masked, and transparent above
        SDL_FreeSurface(image);
    }

    // Cut anywhere, or with a run past its tile, the file gives nothing.
    const Octets entier = xcf(4, 2, true, calques);
    for (size_t n = 0; n < entier.size(); ++n) {
        ecrit("coupe.xcf", Octets(entier.begin(), entier.begin() + n));
        EXPECT_EQ(decodeImage("coupe.xcf"), nullptr) << n;
    }
    Octets long_ = xcf(4, 2, true, {{4, 1, 0, 0, 0, 255, true, Octets(12, 7), {}}});
    ASSERT_EQ(long_[long_.size() - 6], 3);  // the first plane's run of 4
    long_[long_.size() - 6] = 4;
    ecrit("long.xcf", long_);
    EXPECT_EQ(decodeImage("long.xcf"), nullptr);
}

TEST(Decodage, ATinyFileNeverDecodesToAHugePicture)
{
    DossierTemporaire dossier;
    // 309 bytes declaring 8192 x 8192, which the JPEG decoder would fill in.
    const std::string bombe =
        lisFichier(CORVANTHELIS_SOURCE_DIR "/tests/render/donnees/jpeg-8192x8192-309-octets.jpg");
    ASSERT_EQ(bombe.size(), 309u);
    EnteteImage e = lisEnteteImage(reinterpret_cast<const unsigned char*>(bombe.data()), bombe.size());
    EXPECT_EQ(e.largeur * e.hauteur, 8192LL * 8192);
    EXPECT_FALSE(coutPlausible(e, bombe.size()));
    ecritFichier("bombe.jpg", bombe);
    EXPECT_EQ(decodeImage("bombe.jpg"), nullptr);

    // Flat pictures, the most compressible honest ones, still load.
    ASSERT_EQ(execute("convert -size 2048x2048 xc:white plat.jpg && "
                      "convert -size 2048x2048 xc:white -type bilevel plat.png"), 0);
    for (const char* nom : {"plat.jpg", "plat.png"}) {
        SDL_Surface* image = decodeImage(nom);
        EXPECT_NE(image, nullptr) << nom;
        SDL_FreeSurface(image);
    }

    // A BMP whose run-length data ends the picture at once: a blank
    // 4096 x 4096 from 64 bytes.
    Octets bmp(54, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54 + 8, bmp[14] = 40;
    bmp[19] = 0x10, bmp[23] = 0x10, bmp[26] = 1, bmp[28] = 8, bmp[30] = 1, bmp[46] = 2;  // 4096 x 4096, RLE8, 2 colours
    bmp.insert(bmp.end(), {0, 0, 0, 0, 255, 255, 255, 0, 0, 1});
    ecrit("vide.bmp", bmp);
    EXPECT_EQ(decodeImage("vide.bmp"), nullptr);
}

TEST(Decodage, GifsDecodeAsSdlImageDoesAndGreyPngsKeepTheirTransparentGrey)
{
    DossierTemporaire dossier;
    for (const Octets& gif : {octets(GIF_8X6, sizeof GIF_8X6),
                              octets(GIF_TRANSPARENT_8X6, sizeof GIF_TRANSPARENT_8X6)}) {
        ecrit("t.gif", gif);
        SDL_Surface* attendue = IMG_Load("t.gif");
        SDL_Surface* image = decodeImage("t.gif");
        ASSERT_TRUE(attendue && image);
#ifdef CORVANTHELIS_DECODAGE_STB
        // Decoded to RGBA: the same colours, the keyed ones transparent black.
        ASSERT_EQ(image->format->BitsPerPixel, 32);
        const bool cle = (attendue->flags & SDL_SRCCOLORKEY) != 0;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                SDL_Color a = rgba(attendue, x, y), b = rgba(image, x, y);
                Uint8 ia = static_cast<Uint8*>(attendue->pixels)[y * attendue->pitch + x];
                if (cle && ia == attendue->format->colorkey)
                    EXPECT_TRUE(!b.r && !b.g && !b.b && !b.unused) << x << "," << y;
                else
                    EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b && b.unused == 255) << x << "," << y;
            }
        SDL_FreeSurface(attendue);
        SDL_FreeSurface(image);
        continue;
#endif
        ASSERT_EQ(image->format->BitsPerPixel, 8);
        EXPECT_EQ(image->flags & SDL_SRCCOLORKEY, attendue->flags & SDL_SRCCOLORKEY);
        EXPECT_EQ(image->format->colorkey, attendue->format->colorkey);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                SDL_Color a = rgba(attendue, x, y), b = rgba(image, x, y);
                EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << x << "," << y;
                Uint8 ia = static_cast<Uint8*>(attendue->pixels)[y * attendue->pitch + x];
                Uint8 ib = static_cast<Uint8*>(image->pixels)[y * image->pitch + x];
                EXPECT_EQ(ia, ib) << x << "," << y;
            }
        SDL_FreeSurface(attendue);
        SDL_FreeSurface(image);
    }

    ecrit("gris.png", pngGris(4, 1, {0, 100, 200, 255}, 100));
    SDL_Surface* gris = decodeImage("gris.png");
    ASSERT_NE(gris, nullptr);
    const int attendu[4][2] = {{0, 255}, {100, 0}, {200, 255}, {255, 255}};
    for (int x = 0; x < 4; ++x) {
        SDL_Color c = rgba(gris, x, 0);
        EXPECT_EQ(c.r, attendu[x][0]) << x;
        EXPECT_TRUE(c.g == c.r && c.b == c.r) << x;
        EXPECT_EQ(c.unused, attendu[x][1]) << x;
    }
    SDL_FreeSurface(gris);
}

} // namespace
