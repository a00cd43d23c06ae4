// Checks the output of the build's content step, so it runs with the end-to-end tests.
// What a player would see as faults in the generated pictures: seams where
// two tiles of a plane meet, and a title too wide for the screen at the
// intro's largest zoom.

#include "ContenuCommun.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace {

struct Rect { int x = 0, y = 0, l = 0, h = 0; };
struct Tuile { Rect cadre; std::vector<std::pair<int, int>> positions; };
struct Plan { std::string planche; std::vector<Tuile> tuiles; };

// The plane files the generator writes: one sheet, first frame of each
// tile, its placements.
Plan litPlan(const std::string& chemin) {
    Plan p;
    std::istringstream in(contenu::lis(chemin));
    std::string ligne, section;
    std::map<std::string, std::map<std::string, std::string>> valeurs;
    std::vector<std::string> ordre;
    while (std::getline(in, ligne)) {
        if (!ligne.empty() && ligne[0] == '[') { section = ligne.substr(1, ligne.find(']') - 1); ordre.push_back(section); continue; }
        size_t egal = ligne.find('=');
        if (egal != std::string::npos && ligne[0] != ';') valeurs[section][ligne.substr(0, egal)] = ligne.substr(egal + 1);
    }
    int n = std::atoi(valeurs["Entete"]["nombreTiles"].c_str());
    for (int t = 1; t <= n; ++t) {
        std::string nom = "Tile" + std::to_string(t);
        if (p.planche.empty()) p.planche = valeurs[nom]["pathPlanche"];
        auto& f = valeurs[nom + "Frame1"];
        Tuile tuile;
        tuile.cadre = {std::atoi(f["positionX"].c_str()), std::atoi(f["positionY"].c_str()), std::atoi(f["longueur"].c_str()),
                       std::atoi(f["hauteur"].c_str())};
        int k = std::atoi(valeurs[nom]["nbPositions"].c_str());
        for (int i = 1; i <= k; ++i) {
            auto& pos = valeurs[nom + "Position" + std::to_string(i)];
            tuile.positions.push_back({std::atoi(pos["positionX"].c_str()), std::atoi(pos["positionY"].c_str())});
        }
        p.tuiles.push_back(tuile);
    }
    return p;
}

struct Pixel { int r, g, b, a; };
Pixel lit(SDL_Surface* s, int x, int y) {
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    std::memcpy(&v, p, s->format->BytesPerPixel);
    Uint8 r, g, b, a;
    SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
    return {r, g, b, a};
}

// How different the right column of `a` is from the left column of `b`,
// over the rows where both are opaque: mean absolute channel difference.
double ecartDeBord(SDL_Surface* s, const Rect& a, const Rect& b) {
    double somme = 0;
    int n = 0;
    for (int y = 0; y < std::min(a.h, b.h); ++y) {
        Pixel p = lit(s, a.x + a.l - 1, a.y + y), q = lit(s, b.x, b.y + y);
        if (p.a < 250 || q.a < 250) continue;
        somme += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        n += 3;
    }
    return n ? somme / n : 0;
}

}

// Every pair of tiles that stand edge to edge in a plane, and the last and
// first tiles of a repeating plane, must continue each other. Neighbouring
// columns of a smooth picture differ by a few levels; a seam by tens.
TEST(Raccords, NeighbouringTilesContinueEachOther) {
    std::vector<std::string> plans;
    for (const char* d : {"data", "dataqv"})
        for (const std::string& f : contenu::fichiers(contenu::dossier(), d))
            if ((f.find("/level1/") != std::string::npos || f.find("/marais/") != std::string::npos || f.find("/col/") != std::string::npos) &&
                f.size() > 4 && f.compare(f.size() - 4, 4, ".ini") == 0)
                plans.push_back(f);
    ASSERT_GE(plans.size(), 20u);
    int paires = 0;
    for (const std::string& f : plans) {
        Plan p = litPlan(contenu::dossier() + "/" + f);
        SDL_Surface* s = IMG_Load((contenu::dossier() + "/" + p.planche.substr(2)).c_str());
        ASSERT_NE(s, nullptr) << p.planche;
        // Where each tile's frame stands, and the plane's width for the wrap.
        std::map<std::pair<int, int>, const Tuile*> aGauche;
        int largeur = 0;
        for (const Tuile& t : p.tuiles)
            for (auto pos : t.positions) {
                aGauche[pos] = &t;
                largeur = std::max(largeur, pos.first + t.cadre.l);
            }
        for (const Tuile& t : p.tuiles)
            for (auto pos : t.positions) {
                if (t.cadre.l < 256) continue;  // only the tiles that pave a strip
                auto suivante = aGauche.find({pos.first + t.cadre.l, pos.second});
                if (suivante == aGauche.end()) suivante = aGauche.find({pos.first + t.cadre.l - largeur, pos.second});
                if (suivante == aGauche.end() || suivante->second->cadre.l < 256) continue;
                ++paires;
                EXPECT_LT(ecartDeBord(s, t.cadre, suivante->second->cadre), 10.0)
                    << f << ": couture entre la tuile en " << pos.first << " et la suivante";
            }
        SDL_FreeSurface(s);
    }
    EXPECT_GT(paires, 60);
}

// The intro draws the title at 165, 180 and zooms it up to 250 % about its
// centre: a 310 by 90 picture is then centred on the screen, and its
// lettering must stay within 640 / 2.5 = 256 columns to remain whole.
TEST(Raccords, TitleFitsTheScreenAtItsLargestZoom) {
    SDL_Surface* s = IMG_Load((contenu::dossier() + "/data/intro/kvtrvorna1.gif").c_str());
    ASSERT_NE(s, nullptr) << IMG_GetError();
    EXPECT_EQ(s->w, 310);
    EXPECT_EQ(s->h, 90);
    Uint32 cle = s->format->colorkey;
    ASSERT_TRUE(s->flags & SDL_SRCCOLORKEY) << "le titre n'a pas de couleur transparente";
    int gauche = s->w, droite = -1;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            if (static_cast<Uint8*>(s->pixels)[y * s->pitch + x] != cle) {
                gauche = std::min(gauche, x);
                droite = std::max(droite, x);
            }
    ASSERT_GE(droite, gauche) << "titre vide";
    EXPECT_LE((droite - gauche + 1) * 2.5, 640.0) << "de " << gauche << " à " << droite;
    EXPECT_LE(std::abs((gauche + droite) / 2.0 - s->w / 2.0), 8.0);
    SDL_FreeSurface(s);
}
