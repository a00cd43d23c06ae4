#include "Sprites.h"

#include "Decor.h"
#include "Outils.h"

namespace gendata {

void ecritSprite(const std::string& feuille, const std::string& description, const std::vector<AnimSprite>& anims,
                 const ClesEnPlus& entete, int largeurPlanche) {
    CPlanche planche(largeurPlanche);
    std::vector<std::vector<Cadre>> cadres;
    for (const AnimSprite& a : anims) {
        cadres.emplace_back();
        for (const CToile& img : a.images) cadres.back().push_back(planche.ajoute(img));
    }
    planche.ecrit(feuille);
    CFichierProfil f;
    f.section("Entete");
    f.cle("nbAnims", long(anims.size()));
    for (const auto& c : entete) f.cle(c.first, c.second);
    for (size_t n = 0; n < anims.size(); ++n) {
        std::string nom = "Anim" + std::to_string(n + 1);
        f.section(nom);
        f.cle("nbFrames", long(cadres[n].size()));
        f.cle("colorkeyR", 255);
        f.cle("colorkeyG", 0);
        f.cle("colorkeyB", 255);
        f.cle("nomAnim", anims[n].nom);
        f.cle("pathPlanche", feuille);
        for (const auto& c : anims[n].cles) f.cle(c.first, c.second);
        for (size_t m = 0; m < cadres[n].size(); ++m) {
            const Cadre& c = cadres[n][m];
            f.section(nom + "Frame" + std::to_string(m + 1));
            f.cle("positionX", c.x);
            f.cle("positionY", c.y);
            f.cle("longueur", c.l);
            f.cle("hauteur", c.h);
            f.cle("pause", anims[n].pauses[m]);
        }
    }
    f.ecrit(description);
}

}
