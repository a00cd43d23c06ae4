#ifndef CORVANTHELIS_BENCH_NIVEAU_H
#define CORVANTHELIS_BENCH_NIVEAU_H

// What a load must do at the least, read from the demo content's files:
// the distinct pictures and the frames cut from them. The bound decodes
// each picture once and uploads each texture of each frame once. Also
// writes the demo level with k times the ground plane's placements.

#include "foundation/InputOutput.h"
#include "render/Decodage.h"
#include "shell/CEngineGL.h"

#include <SDL.h>
#include <SDL_opengl.h>

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

inline std::string lisTexte(InputOutput& io, const char* section, const char* cle, const std::string& fichier)
{
    char tampon[200];
    io.getPrivateProfileString(section, cle, "nothing", tampon, sizeof tampon, fichier.c_str(), false);
    return tampon;
}

// Frames of every tile of a plane file, or of every animation of a sprite
// file (sections "Tile"/"Anim" n, frames n "Frame" m).
inline void ajouteCadres(Chargement& c, const std::string& fichier, const char* mot, const char* compte)
{
    InputOutput io;
    int n = io.getPrivateProfileInt("Entete", compte, 0, fichier.c_str(), false);
    for (int t = 1; t <= n; ++t) {
        std::string section = mot + std::to_string(t);
        int f = io.getPrivateProfileInt(section.c_str(), "nbFrames", 0, fichier.c_str(), false);
        size_t p = c.ajoutePlanche(lisTexte(io, section.c_str(), "pathPlanche", fichier));
        for (int m = 1; m <= f; ++m) {
            std::string cadre = section + "Frame" + std::to_string(m);
            c.cadres.push_back(Cadre{p, io.getPrivateProfileInt(cadre.c_str(), "longueur", 0, fichier.c_str(), false),
                                     io.getPrivateProfileInt(cadre.c_str(), "hauteur", 0, fichier.c_str(), false)});
        }
    }
}

inline std::vector<std::string> plansDuNiveau(const std::string& niveau)
{
    InputOutput io;
    std::vector<std::string> plans;
    int n = io.getPrivateProfileInt("Entete", "nombrePlans", 0, niveau.c_str(), false);
    for (int i = 1; i <= n; ++i)
        plans.push_back(lisTexte(io, ("Plan" + std::to_string(i)).c_str(), "pathPlan", niveau));
    return plans;
}

inline void ajouteNiveau(Chargement& c, const std::string& niveau)
{
    for (const std::string& plan : plansDuNiveau(niveau))
        ajouteCadres(c, plan, "Tile", "nombreTiles");
}

inline void ajouteSprite(Chargement& c, const std::string& sprite)
{
    ajouteCadres(c, sprite, "Anim", "nbAnims");
}

// Decodes each picture once and uploads each texture of each frame once,
// as the engine cuts them (tiles of config->tailleTexture, power-of-two
// sizes), from one scratch buffer. The textures are left in `textures`.
inline void borneChargement(const Chargement& c, std::vector<GLuint>& textures)
{
    static std::vector<unsigned char> brouillon;
    const int T = config ? config->tailleTexture : 256;
    brouillon.resize(static_cast<size_t>(T) * T * 4);
    std::vector<int> largeurs(c.planches.size()), hauteurs(c.planches.size());
    for (size_t i = 0; i < c.planches.size(); ++i) {
        SDL_Surface* s = decodeImage(c.planches[i].c_str());
        largeurs[i] = s ? s->w : 0;
        hauteurs[i] = s ? s->h : 0;
        SDL_FreeSurface(s);
    }
    GLint filtre = (config && config->bilineaire) ? GL_LINEAR : GL_NEAREST;
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
    InputOutput io;
    std::string sol;
    int plusDePositions = -1;
    for (const std::string& plan : plans) {
        int total = 0, n = io.getPrivateProfileInt("Entete", "nombreTiles", 0, plan.c_str(), false);
        for (int t = 1; t <= n; ++t)
            total += io.getPrivateProfileInt(("Tile" + std::to_string(t)).c_str(), "nbPositions", 0, plan.c_str(),
                                             false);
        if (total > plusDePositions) {
            plusDePositions = total;
            sol = plan;
        }
    }
    const char* f = sol.c_str();
    int n = io.getPrivateProfileInt("Entete", "nombreTiles", 0, f, false);
    std::vector<int> positions(n + 1);
    long longueurPlan = 0;
    for (int t = 1; t <= n; ++t) {
        std::string tile = "Tile" + std::to_string(t);
        positions[t] = io.getPrivateProfileInt(tile.c_str(), "nbPositions", 0, f, false);
        int largeur = io.getPrivateProfileInt((tile + "Frame1").c_str(), "longueur", 0, f, false);
        for (int j = 1; j <= positions[t]; ++j) {
            std::string p = tile + "Position" + std::to_string(j);
            longueurPlan = std::max<long>(longueurPlan, io.getPrivateProfileInt(p.c_str(), "positionX", 0, f, false) + largeur);
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
            ligne.rfind("nbPositions=", 0) == 0)
            ligne = "nbPositions=" + std::to_string(positions[std::stoi(section.substr(4))] * k);
        sortie << ligne << "\n";
    }
    for (int t = 1; t <= n; ++t) {
        std::string tile = "Tile" + std::to_string(t);
        for (int j = positions[t] + 1; j <= positions[t] * k; ++j) {
            std::string p = tile + "Position" + std::to_string((j - 1) % positions[t] + 1);
            long decalage = longueurPlan * ((j - 1) / positions[t]);
            sortie << "[" << tile << "Position" << j << "]\npositionX="
                   << io.getPrivateProfileInt(p.c_str(), "positionX", 0, f, false) + decalage
                   << "\npositionY=" << io.getPrivateProfileInt(p.c_str(), "positionY", 0, f, false) << "\n";
        }
    }
    std::string nomPlan = "./bench_niveaux/sol_x" + std::to_string(k) + ".ini";
    std::ofstream(nomPlan) << sortie.str();

    std::ifstream niveau(NIVEAU_DEMO);
    std::ostringstream texteNiveau;
    while (std::getline(niveau, ligne)) {
        if (ligne == "pathPlan=" + sol)
            ligne = "pathPlan=" + nomPlan;
        texteNiveau << ligne << "\n";
    }
    std::string nomNiveau = "./bench_niveaux/level_x" + std::to_string(k) + ".ini";
    std::ofstream(nomNiveau) << texteNiveau.str();
    return nomNiveau;
}

}

#endif
