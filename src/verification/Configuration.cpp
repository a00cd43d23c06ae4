// The configuration file, read as shell/CEngineGL.cpp and game/Controles.cpp
// read it.

#include "verification/Description.h"
#include "verification/Verificateur.h"
#include "foundation/IndexProfil.h"
#include "game/Controles.h"
#include "shell/SchemaConfiguration.h"

namespace {

const std::vector<DefCle> clesVideo = schemaConfiguration::definitions(schemaConfiguration::TableVideo);
const std::vector<DefCle> clesControles =
    schemaConfiguration::definitions(schemaConfiguration::TableControles);
const int TC = schemaConfiguration::TailleLigneControles;

// The player's keys as Controles::lis takes them: a name that is no key, or
// a key the options screen refuses, keeps the action's default; a key left
// to two actions plays both.
void verifieTouches(CRapport& rapport, const std::string& chemin, ValeursSection& lues)
{
    Controles controles;
    int lignes[NombreActions] = {};
    std::string refus;
    for (int a = 0; a < NombreActions; ++a) {
        const ValeurLue& v = lues[nomAction(a)];
        if (!v.trouvee)
            continue;
        SDLKey touche = toucheNommee(v.texte);
        if (touche == SDLK_UNKNOWN) {
            rapport.erreur(chemin, v.ligne,
                           texte("[CONTROLES] %s : aucune touche ne s'appelle « %s », le jeu garde la sienne",
                                 nomAction(a), v.texte.c_str()));
        } else if (!toucheAdmise(touche, &refus)) {
            rapport.erreur(chemin, v.ligne, texte("[CONTROLES] %s : « %s » refusée (%s), le jeu garde la sienne",
                                                  nomAction(a), v.texte.c_str(), refus.c_str()));
        } else {
            controles.touches[a] = touche;
            lignes[a] = v.ligne;
        }
    }
    for (int a = 1; a < NombreActions; ++a) {
        int premier = controles.quiUtilise(controles.touches[a]);
        if (premier != a)
            rapport.erreur(chemin, lignes[a] ? lignes[a] : lignes[premier],
                           texte("[CONTROLES] : la touche %s sert à %s et à %s : les deux jouent",
                                 nomTouche(controles.touches[a]), nomAction(premier), nomAction(a)));
    }
}

}

void CVerificateur::verifieConfiguration(const std::string& chemin)
{
    CDescription d(rapport_, chemin);
    if (!d.ouverte()) {
        rapport_.avertissement(chemin, 0,
                               "fichier absent : le jeu prend les valeurs par défaut (plein écran, 640 × 480)");
        return;
    }
    d.litSection(schemaConfiguration::SectionVideo, clesVideo, nullptr, false);
    // An older file without the section plays with the default controls.
    std::shared_ptr<const CIndexProfil> index = indexProfil(chemin.c_str(), TC);
    if (!index || !index->trouveSection(schemaConfiguration::SectionControles)) {
        d.termine([](const std::string&) { return std::string(); });
        return;
    }
    ValeursSection controles =
        d.litSection(schemaConfiguration::SectionControles, clesControles, nullptr, false);
    verifieTouches(rapport_, chemin, controles);
    d.termine([](const std::string&) { return std::string(); });
}
