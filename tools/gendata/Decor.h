// Building blocks of the scenery: sheets that pack tile pictures, the
// writer of plane description files, and the shapes the landscapes are
// painted from (terrain, trees, rocks, grass).
//
// Shapes paint into a hi-res CToile: callers pass coordinates already
// multiplied by the painting scale `E`.

#ifndef GENDATA_DECOR_H
#define GENDATA_DECOR_H

#include "Outils.h"
#include "Toile.h"

#include <functional>
#include <string>
#include <vector>

namespace gendata {

constexpr int E = 4;  // painting scale: pictures are drawn 4x and reduced

struct Cadre { int x, y, l, h; };

// Packs pictures into one sheet in rows, each followed by a 2-pixel gutter.
// With `raccord`, the gutter repeats the picture's first columns, so a tile
// that continues into itself (or into a tile with the same edge) blends
// seamlessly under bilinear filtering.
class CPlanche {
public:
    explicit CPlanche(int largeurMax = 2048) : largeurMax_(largeurMax) {}
    Cadre ajoute(const CToile& image, bool raccord = false);
    void ecrit(const std::string& chemin) const;  // PNG, magenta where empty
private:
    struct Element { CToile image; Cadre cadre; bool raccord; };
    std::vector<Element> elements_;
    int largeurMax_, x_ = 0, y_ = 0, hauteurRangee_ = 0, largeur_ = 0;
};

struct TuilePlan {
    std::vector<Cadre> cadres;
    std::vector<int> alphas;      // valeurAlpha per frame (255 opaque)
    std::vector<int> pauses;      // ms per frame; 0 (not written) holds the first
    std::vector<Point> positions; // top-left corners in the plane
    void cadre(const Cadre& c, int alpha = 255, int pause = 0) { cadres.push_back(c); alphas.push_back(alpha); pauses.push_back(pause); }
    void place(float x, float y) { positions.push_back({x, y}); }
};

// Writes a plane description file; every tile takes its frames from
// `planche` with the magenta colour key.
void ecritPlan(const std::string& chemin, const std::string& planche, const std::vector<TuilePlan>& tuiles);

// One plane being built: its sheet and its tiles, written together as
// <base>.png and <base>.ini.
struct CPlanDecor {
    CPlanche planche;
    std::vector<TuilePlan> tuiles;
    void ecrit(const std::string& base) const;
};

// A level file: one plane per priority, in drawing order, each at screen
// (0, 0).
// Actors follow the planes: `entete` and `enteteTexte` add keys to
// [Entete], `acteurs` writes its own sections after the planes.
struct PlanNiveau { std::string chemin; int scrollRatio; bool repeatX; };
void ecritNiveau(const std::string& chemin, const std::vector<PlanNiveau>& plans,
                 const std::vector<std::pair<std::string, long>>& entete = {},
                 const std::function<void(CFichierProfil&)>& acteurs = nullptr,
                 const std::vector<std::pair<std::string, std::string>>& enteteTexte = {});

// Mixes a colour towards the night haze: 0 keeps it, 1 gives the haze.
Couleur brume(const Couleur& c, float profondeur);
extern const Couleur kBrume;
// Moonlight comes from the upper right.
void eclaireLune(CToile& t, const Couleur& lumiere, float force, int epaisseur = 3 * E);

// Fills each column below hauteur(x) (hi-res pixels, x in hi-res pixels).
void peintTerrain(CToile& t, const std::function<float(float x)>& hauteur, const Nuanceur& n);

// Shapes (hi-res coordinates; (x, y) is the foot of the shape).
void sapin(CToile& t, float x, float y, float hauteur, const Couleur& c, uint32_t graine);
// A clump of leaves with a lobed, leafy outline, centred on (cx, cy).
void masseFeuilles(CToile& t, float cx, float cy, float rayon, const Couleur& c, uint32_t graine);
void feuillu(CToile& t, float x, float y, float hauteur, const Couleur& tronc, const Couleur& feuilles, uint32_t graine);
void arbreMort(CToile& t, float x, float y, float hauteur, const Couleur& c, uint32_t graine);
void rocher(CToile& t, float x, float y, float l, float h, const Couleur& c, uint32_t graine);
void touffe(CToile& t, float x, float y, float h, const Couleur& c, uint32_t graine, int brins = 7);

}

#endif
