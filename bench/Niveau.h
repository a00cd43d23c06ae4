#ifndef CORVANTHELIS_BENCH_NIVEAU_H
#define CORVANTHELIS_BENCH_NIVEAU_H

// What a load must do at the least, read from the demo content's files:
// the distinct pictures and the frames cut from them. The bound decodes
// each picture once and uploads each texture of each frame once. Also
// writes the demo level with k times the ground plane's placements.

#include "render/Decodage.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"
#include "shell/CEngineGL.h"
#include "sprites/DescriptionSprite.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace banc {

const char* const NIVEAU_DEMO = "./data/levels/level1.ini";
const char* const HEROS_DEMO = "./data/sprites/vornaSprite.ini";

struct Cadre {
    size_t planche;  // index in Chargement::planches
    int longueur;    // -1: the whole picture
    int hauteur;
};

struct Chargement {
    std::vector<std::string> planches;
    std::vector<Cadre> cadres;

    size_t ajoutePlanche(const std::string& nom)
    {
        for (size_t i = 0; i < planches.size(); ++i)
            if (planches[i] == nom)
                return i;
        planches.push_back(nom);
        return planches.size() - 1;
    }
    void ajouteImage(const std::string& nom) { cadres.push_back(Cadre{ajoutePlanche(nom), -1, -1}); }
};

// Frames of every tile of a plane file, read as the loader reads them.
inline void ajoutePlan(Chargement& c, const char* plan)
{
    CBudgetChargement budget;
    LecteurDescriptionPlan lecteur(plan, budget, true);
    std::vector<int> positions;
    long long total;
    int n = lecteur.litComptes(positions, total);
    TileDecrite tile;
    for (int t = 1; t <= n && lecteur.litTile(t, tile); ++t) {
        size_t p = c.ajoutePlanche(tile.pathPlanche);
        for (int m = 1; m <= tile.nbFrames; ++m) {
            RectanglePlanche r = lecteur.litRectangle(t, m);
            c.cadres.push_back(Cadre{p, r.longueur, r.hauteur});
        }
    }
}

inline std::vector<std::string> plansDuNiveau(const std::string& niveau)
{
    LecteurDescriptionNiveau lecteur(niveau.c_str(), true);
    std::vector<std::string> plans;
    int n = lecteur.ouvert() ? lecteur.litEntete().nombrePlans : 0;
    for (int i = 1; i <= n; ++i) {
        char chemin[LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN];
        lecteur.litCheminPlan(i, chemin);
        plans.push_back(chemin);
    }
    return plans;
}

inline void ajouteNiveau(Chargement& c, const std::string& niveau)
{
    for (const std::string& plan : plansDuNiveau(niveau))
        ajoutePlan(c, plan.c_str());
}

// Frames of every animation of a sprite file.
inline void ajouteSprite(Chargement& c, const std::string& sprite)
{
    LecteurDescriptionSprite lecteur(sprite.c_str(), true);
    AnimationDecrite animation;
    int n = lecteur.litNbAnims();
    for (int a = 1; a <= n && lecteur.litAnimation(a, animation); ++a) {
        size_t p = c.ajoutePlanche(animation.pathPlanche);
        for (int m = 1; m <= animation.nbFrames; ++m) {
            RectanglePlanche r = lecteur.litFrame(a, m).rectangle;
            c.cadres.push_back(Cadre{p, r.longueur, r.hauteur});
        }
    }
}

// Decodes each picture once and uploads each texture of each frame once,
// as the engine cuts them (tiles of reglages().tailleTexture, power-of-two
// sizes), from one scratch buffer. The textures are left in `textures`.
inline void borneChargement(const Chargement& c, std::vector<GLuint>& textures)
{
    static std::vector<unsigned char> brouillon;
    const int T = reglages().tailleTexture;
    brouillon.resize(static_cast<size_t>(T) * T * 4);
    std::vector<int> largeurs(c.planches.size()), hauteurs(c.planches.size());
    for (size_t i = 0; i < c.planches.size(); ++i) {
        SDL_Surface* s = decodeImage(c.planches[i].c_str());
        largeurs[i] = s ? s->w : 0;
        hauteurs[i] = s ? s->h : 0;
        SDL_FreeSurface(s);
    }
    GLint filtre = reglages().bilineaire ? GL_LINEAR : GL_NEAREST;
    for (const Cadre& cadre : c.cadres) {
        int w = cadre.longueur < 0 ? largeurs[cadre.planche] : std::min(cadre.longueur, largeurs[cadre.planche]);
        int h = cadre.hauteur < 0 ? hauteurs[cadre.planche] : std::min(cadre.hauteur, hauteurs[cadre.planche]);
        for (int x = 0; x < w; x += T)
            for (int y = 0; y < h; y += T) {
                int tl = 1, th = 1;
                while (tl < std::min(T, w - x))
                    tl *= 2;
                while (th < std::min(T, h - y))
                    th *= 2;
                GLuint id;
                glGenTextures(1, &id);
                glBindTexture(GL_TEXTURE_2D, id);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filtre);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtre);
                glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tl, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, brouillon.data());
                textures.push_back(id);
            }
    }
    glFinish();
}

inline void libereTextures(std::vector<GLuint>& textures)
{
    if (!textures.empty())
        glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
    textures.clear();
}

// The demo level with the ground plane's placements (the plane that has the
// most) repeated k times side by side, written under ./bench_niveaux/.
// Returns the new level file's name.
inline std::string niveauMultiplie(int k)
{
    mkdir("./bench_niveaux", 0755);
    std::vector<std::string> plans = plansDuNiveau(NIVEAU_DEMO);
    std::string sol;
    long long plusDePositions = -1;
    for (const std::string& plan : plans) {
        CBudgetChargement budget;
        LecteurDescriptionPlan lecteur(plan.c_str(), budget, true);
        std::vector<int> positions;
        long long total;
        lecteur.litComptes(positions, total);
        if (total > plusDePositions) {
            plusDePositions = total;
            sol = plan;
        }
    }
    CBudgetChargement budget;
    LecteurDescriptionPlan lecteur(sol.c_str(), budget, true);
    std::vector<int> positions;
    long long total;
    int n = lecteur.litComptes(positions, total);
    positions.insert(positions.begin(), 0);  // numbered from 1, as the tiles
    std::vector<std::vector<std::pair<int, int>>> coins(n + 1);
    long longueurPlan = 0;
    for (int t = 1; t <= n; ++t) {
        int largeur = lecteur.litRectangle(t, 1).longueur;
        for (int j = 1; j <= positions[t]; ++j) {
            int x, y;
            lecteur.litPosition(t, j, x, y);
            coins[t].push_back({x, y});
            longueurPlan = std::max<long>(longueurPlan, x + largeur);
        }
    }
    // The plane's own text, counts raised, then the copies' sections.
    std::ifstream entree(sol);
    std::ostringstream sortie;
    std::string ligne, section;
    while (std::getline(entree, ligne)) {
        if (!ligne.empty() && ligne[0] == '[')
            section = ligne.substr(1, ligne.find(']') - 1);
        if (section.size() > 4 && section.rfind("Tile", 0) == 0 && section.find_first_not_of("0123456789", 4) == std::string::npos &&
            ligne.rfind(std::string(clesNiveau::NbPositions) + "=", 0) == 0)
            ligne = std::string(clesNiveau::NbPositions) + "=" + std::to_string(positions[std::stoi(section.substr(4))] * k);
        sortie << ligne << "\n";
    }
    for (int t = 1; t <= n; ++t) {
        std::string tile = "Tile" + std::to_string(t);
        for (int j = positions[t] + 1; j <= positions[t] * k; ++j) {
            const std::pair<int, int>& coin = coins[t][(j - 1) % positions[t]];
            long decalage = longueurPlan * ((j - 1) / positions[t]);
            sortie << "[" << tile << "Position" << j << "]\n" << clesNiveau::PositionX << "="
                   << coin.first + decalage << "\n" << clesNiveau::PositionY << "=" << coin.second << "\n";
        }
    }
    std::string nomPlan = "./bench_niveaux/sol_x" + std::to_string(k) + ".ini";
    std::ofstream(nomPlan) << sortie.str();

    std::ifstream niveau(NIVEAU_DEMO);
    std::ostringstream texteNiveau;
    while (std::getline(niveau, ligne)) {
        if (ligne == std::string(clesNiveau::PathPlan) + "=" + sol)
            ligne = std::string(clesNiveau::PathPlan) + "=" + nomPlan;
        texteNiveau << ligne << "\n";
    }
    std::string nomNiveau = "./bench_niveaux/level_x" + std::to_string(k) + ".ini";
    std::ofstream(nomNiveau) << texteNiveau.str();
    return nomNiveau;
}

}

#endif
