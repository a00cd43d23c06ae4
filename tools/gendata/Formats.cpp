#include "Formats.h"
#include "Outils.h"

#include <SDL.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <fcntl.h>
#include <unistd.h>

namespace gendata {

// 8-bit PNG of `canaux` channels (3: RGB, 4: RGBA) from rows of bytes.
static void ecritPngOctets(const std::string& chemin, int l, int h, const std::vector<uint8_t>& o, int canaux) {
    FILE* f = ouvreEnEcriture(chemin);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) { std::fclose(f); echec("erreur PNG pour " + chemin); }
    png_init_io(png, f);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, l, h, 8, canaux == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, &o[size_t(y) * l * canaux]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) echec("écriture incomplète de " + chemin);
}

void ecritPng(const std::string& chemin, const CToile& t, const Couleur& cle) {
    ecritPngOctets(chemin, t.longueur(), t.hauteur(), t.octetsRVBA(cle), 4);
}

void ecritPngOpaque(const std::string& chemin, const CToile& t) {
    ecritPngOctets(chemin, t.longueur(), t.hauteur(), t.octetsRVB(), 3);
}

void ecritJpeg(const std::string& chemin, const CToile& t, int qualite) {
    std::vector<uint8_t> o = t.octetsRVB();
    FILE* f = ouvreEnEcriture(chemin);
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = t.longueur();
    c.image_height = t.hauteur();
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, qualite, TRUE);
    // Full chroma resolution: the night sky is mostly smooth blues, and
    // subsampling would smear the small coloured stars.
    c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW ligne = &o[size_t(c.next_scanline) * t.longueur() * 3];
        jpeg_write_scanlines(&c, &ligne, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    if (std::fclose(f) != 0) echec("écriture incomplète de " + chemin);
}

void ecritBmp(const std::string& chemin, const CToile& t, const Couleur& fond) {
    std::vector<uint8_t> o = t.octetsRVB(fond);
    creeDossierParent(chemin);
    SDL_Surface* s = SDL_CreateRGBSurfaceFrom(o.data(), t.longueur(), t.hauteur(), 24, t.longueur() * 3,
                                              0x0000FF, 0x00FF00, 0xFF0000, 0);
    if (!s || SDL_SaveBMP(s, chemin.c_str()) != 0) echec("impossible d'écrire " + chemin);
    SDL_FreeSurface(s);
}

void ecritGif(const std::string& chemin, const CToile& t) {
    int l = t.longueur(), h = t.hauteur();
    std::vector<uint8_t> o = t.octetsRVBA();
    std::vector<GifByteType> r(size_t(l) * h), g(r.size()), b(r.size()), indices(r.size());
    for (size_t i = 0; i < r.size(); ++i) { r[i] = o[i * 4]; g[i] = o[i * 4 + 1]; b[i] = o[i * 4 + 2]; }
    // 255 colours for the picture, index 255 for transparency.
    int nb = 255;
    ColorMapObject* palette = GifMakeMapObject(256, nullptr);
    if (GifQuantizeBuffer(l, h, &nb, r.data(), g.data(), b.data(), indices.data(), palette->Colors) != GIF_OK)
        echec("quantification GIF impossible");
    for (size_t i = 0; i < r.size(); ++i)
        if (o[i * 4 + 3] < 128) indices[i] = 255;
    palette->Colors[255] = GifColorType{0, 0, 0};
    creeDossierParent(chemin);
    int erreur = 0;
    // Opened here rather than by name: the library would create it 0600,
    // unlike every other generated file.
    // A copy left by an older run keeps its mode through O_TRUNC.
    unlink(chemin.c_str());
    int fd = open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    GifFileType* gif = fd < 0 ? nullptr : EGifOpenFileHandle(fd, &erreur);
    if (!gif) echec("impossible d'écrire " + chemin);
    EGifSetGifVersion(gif, true);
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.TransparentColor = 255;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    bool ok = EGifPutScreenDesc(gif, l, h, 8, 0, palette) == GIF_OK &&
              EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, l, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y) ok = EGifPutLine(gif, &indices[size_t(y) * l], l) == GIF_OK;
    GifFreeMapObject(palette);
    if (EGifCloseFile(gif, &erreur) != GIF_OK || !ok) echec("écriture GIF incomplète de " + chemin);
}

// --- Text ---------------------------------------------------------------

// The music thread draws the game-over captions while the main thread draws
// the intro's: FreeType's library and faces are shared and not thread-safe,
// and each call sets the face's size, so text drawing takes turns.
static std::mutex verrouTexte;

static FT_Face face(Police p) {
    static FT_Library lib = nullptr;
    static std::map<Police, FT_Face> faces;
    if (!lib && FT_Init_FreeType(&lib)) echec("FreeType ne démarre pas");
    auto it = faces.find(p);
    if (it != faces.end()) return it->second;
    const char* dossier = "/usr/share/fonts/truetype/dejavu/";
    const char* nom = p == Police::Sans ? "DejaVuSans.ttf" : p == Police::SansGras ? "DejaVuSans-Bold.ttf"
                    : p == Police::Serif ? "DejaVuSerif.ttf" : "DejaVuSerif-Bold.ttf";
    FT_Face f = nullptr;
    if (FT_New_Face(lib, (std::string(dossier) + nom).c_str(), 0, &f))
        echec(std::string("police introuvable: ") + dossier + nom + " (paquet fonts-dejavu-core)");
    faces[p] = f;
    return f;
}

static std::vector<uint32_t> pointsCode(const std::string& s) {
    std::vector<uint32_t> r;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        uint32_t cp; int n;
        if (c < 0x80) { cp = c; n = 1; } else if ((c >> 5) == 6) { cp = c & 0x1F; n = 2; }
        else if ((c >> 4) == 14) { cp = c & 0x0F; n = 3; } else { cp = c & 0x07; n = 4; }
        for (int k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
        r.push_back(cp);
        i += n;
    }
    return r;
}

MesureTexte mesureTexte(const std::string& utf8, Police p, int taille) {
    std::lock_guard<std::mutex> garde(verrouTexte);
    FT_Face f = face(p);
    FT_Set_Pixel_Sizes(f, 0, taille);
    MesureTexte m{0, 0, 0};
    for (uint32_t cp : pointsCode(utf8)) {
        if (FT_Load_Char(f, cp, FT_LOAD_RENDER)) continue;
        m.longueur += f->glyph->advance.x >> 6;
        m.montee = std::max(m.montee, f->glyph->bitmap_top);
        m.descente = std::max(m.descente, int(f->glyph->bitmap.rows) - f->glyph->bitmap_top);
    }
    return m;
}

void ecritTexte(CToile& t, const std::string& utf8, Police p, int taille, float x, float y, const Nuanceur& n) {
    std::lock_guard<std::mutex> garde(verrouTexte);
    FT_Face f = face(p);
    FT_Set_Pixel_Sizes(f, 0, taille);
    float stylo = x;
    for (uint32_t cp : pointsCode(utf8)) {
        if (FT_Load_Char(f, cp, FT_LOAD_RENDER)) continue;
        FT_Bitmap& bm = f->glyph->bitmap;
        int ox = int(std::lround(stylo)) + f->glyph->bitmap_left, oy = int(std::lround(y)) - f->glyph->bitmap_top;
        for (unsigned r = 0; r < bm.rows; ++r)
            for (unsigned c = 0; c < bm.width; ++c) {
                float cov = bm.buffer[r * bm.pitch + c] / 255.f;
                if (cov > 0) t.pose(ox + int(c), oy + int(r), n(ox + c + 0.5f, oy + r + 0.5f), cov);
            }
        stylo += f->glyph->advance.x / 64.f;
    }
}

GlypheRendu rendGlyphe(uint32_t code, Police p, int taille) {
    std::lock_guard<std::mutex> garde(verrouTexte);
    FT_Face f = face(p);
    FT_Set_Pixel_Sizes(f, 0, taille);
    GlypheRendu g;
    // Without this check FreeType would render the font's missing-glyph box.
    if (FT_Get_Char_Index(f, code) == 0 || FT_Load_Char(f, code, FT_LOAD_RENDER)) return g;
    const FT_Bitmap& bm = f->glyph->bitmap;
    g.present = true;
    g.longueur = int(bm.width);
    g.hauteur = int(bm.rows);
    g.gauche = f->glyph->bitmap_left;
    g.haut = f->glyph->bitmap_top;
    g.avance = int((f->glyph->advance.x + 32) >> 6);
    g.couverture.resize(size_t(g.longueur) * g.hauteur);
    for (int r = 0; r < g.hauteur; ++r)
        for (int c = 0; c < g.longueur; ++c) g.couverture[size_t(r) * g.longueur + c] = bm.buffer[r * bm.pitch + c];
    return g;
}

MetriquesPolice metriquesPolice(Police p, int taille) {
    std::lock_guard<std::mutex> garde(verrouTexte);
    FT_Face f = face(p);
    FT_Set_Pixel_Sizes(f, 0, taille);
    const FT_Size_Metrics& m = f->size->metrics;
    return MetriquesPolice{int((m.ascender + 63) >> 6), int((m.height + 63) >> 6)};
}

void ecritTexte(CToile& t, const std::string& utf8, Police p, int taille, float x, float y, const Couleur& c) {
    ecritTexte(t, utf8, p, taille, x, y, [&](float, float) { return c; });
}

void ecritTexteCentre(CToile& t, const std::string& utf8, Police p, int taille, float x, float y, const Couleur& c) {
    ecritTexte(t, utf8, p, taille, x - mesureTexte(utf8, p, taille).longueur / 2.f, y, c);
}

}
