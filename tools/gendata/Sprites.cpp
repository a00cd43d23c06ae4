#include "Sprites.h"

#include "Decor.h"
#include "Outils.h"
#include "sprites/SchemaSprite.h"

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
    f.cle(schemaSprite::NbAnims.nom, long(anims.size()));
    for (const auto& c : entete) f.cle(c.first, c.second);
    for (size_t n = 0; n < anims.size(); ++n) {
        std::string nom = "Anim" + std::to_string(n + 1);
        f.section(nom);
        f.cle(schemaSprite::NbFrames.nom, long(cadres[n].size()));
        f.cle(schemaSprite::ColorkeyR.nom, 255);
        f.cle(schemaSprite::ColorkeyG.nom, 0);
        f.cle(schemaSprite::ColorkeyB.nom, 255);
        f.cle(schemaSprite::NomAnim.nom, anims[n].nom);
        f.cle(schemaSprite::PathPlanche.nom, feuille);
        for (const auto& c : anims[n].cles) f.cle(c.first, c.second);
        for (size_t m = 0; m < cadres[n].size(); ++m) {
            const Cadre& c = cadres[n][m];
            f.section(nom + "Frame" + std::to_string(m + 1));
            f.cle(schemaSprite::RectX.nom, c.x);
            f.cle(schemaSprite::RectY.nom, c.y);
            f.cle(schemaSprite::RectLongueur.nom, c.l);
            f.cle(schemaSprite::RectHauteur.nom, c.h);
            f.cle(schemaSprite::Pause.nom, anims[n].pauses[m]);
        }
    }
    f.ecrit(description);
}

}
