// The checks of the level's actors and of their type files.
#include "Verificateur.h"

#include "Description.h"
#include "game/Acteurs.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"

#include <climits>
#include <fstream>

namespace {

const int TE = 100;
const long PARAM_MAX = 100000;

// Every one is optional: the engine has a default for each. The checker
// keeps pointers to these lists, so they live as long as the program.
const std::vector<DefCle> clesComportement = [] {
    std::vector<DefCle> cles;
    for (int i = 0; i < NB_PARAMS; ++i)
        cles.push_back({clesParams[i], Entier, 0, i == 5 ? 1 : 0, PARAM_MAX, TE, true});
    return cles;
}();

const std::vector<DefCle> clesActeurNiveau = [] {
    std::vector<DefCle> cles = clesComportement;
    cles.push_back({clesNiveau::TypeActeur, Texte, 0, 0, 0, 64});
    cles.push_back({clesNiveau::PositionX, Entier, 0, INT_MIN, INT_MAX, TE});
    cles.push_back({clesNiveau::PositionY, Entier, 0, INT_MIN, INT_MAX, TE});
    return cles;
}();

const std::vector<DefCle> clesActeur = {
    {"comportement", Texte, 0, 0, 0, 200},      {"sprite", Texte, 0, 0, 0, 200},
    {"sante", Entier, 0, 0, 1000, TE},           {"degats", Entier, 0, 0, 1000, TE},
    {"contactX", Entier, 0, -4096, 4096, TE},    {"contactY", Entier, 0, -4096, 4096, TE},
    {"contactLargeur", Entier, 0, 1, 4096, TE},  {"contactHauteur", Entier, 0, 1, 4096, TE},
};
const char* const rolesAnims[] = {"repos", "marche", "attaque", "blesse", "mort", "allume"};
const std::vector<DefCle> clesAnimations = [] {
    std::vector<DefCle> cles;
    for (const char* r : rolesAnims)
        cles.push_back({r, Texte, 0, 0, 0, 20, r != rolesAnims[0]});
    return cles;
}();
const std::vector<DefCle> clesSons = {
    {"blesse", Texte, 0, 0, 0, 20, true}, {"mort", Texte, 0, 0, 0, 20, true}, {"attaque", Texte, 0, 0, 0, 20, true}};

// Optional sections are read only when present, so their absence says nothing.
bool aLaSection(const std::string& chemin, const std::string& nom)
{
    std::ifstream f(chemin);
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.compare(0, nom.size() + 1, "[" + nom) == 0)
            return true;
    return false;
}

// The value as the game keeps it: up to a space or a comment.
std::string mot(const std::string& valeur)
{
    return valeur.substr(0, valeur.find_first_of(" \t\r;"));
}

}

void CVerificateur::verifieActeurs(CDescription& niveau, long nombre)
{
    for (long n = 1; n <= nombre; ++n) {
        std::string section = texte(clesNiveau::SectionActeur, static_cast<int>(n));
        ValeursSection v = niveau.litSection(section, clesActeurNiveau);
        const ValeurLue& type = v[clesNiveau::TypeActeur];
        std::string nom = mot(type.texte);
        if (!nomTypeActeurValide(nom.c_str()))
            rapport_.erreur(niveau.chemin(), type.ligne,
                            texte("[%s] : type « %s » : seuls a-z, 0-9 et _ sont permis, l'acteur est laissé de côté",
                                  section.c_str(), nom.c_str()));
        else
            verifieTypeActeur("./data/acteurs/" + nom + ".ini", niveau.chemin(), type.ligne);
    }
}

void CVerificateur::verifieTypeActeur(const std::string& chemin, const std::string& fichier, int ligne)
{
    if (!vus_.insert(chemin).second || !ouvrable(chemin, fichier, ligne))
        return;
    CDescription d(rapport_, chemin);
    ValeursSection a = d.litSection("Acteur", clesActeur);
    const ValeurLue& comportement = a["comportement"];
    if (comportement.trouvee && comportementNomme(mot(comportement.texte).c_str()) < 0)
        rapport_.erreur(chemin, comportement.ligne,
                        texte("comportement inconnu « %s » : feu_follet, loup, chauve_souris, lueur ou "
                              "sanctuaire ; l'acteur est laissé de côté",
                              mot(comportement.texte).c_str()));
    ValeursSection animations = d.litSection("Animations", clesAnimations);
    std::vector<std::string> requises;
    for (const char* r : rolesAnims)
        if (animations[r].trouvee && !mot(animations[r].texte).empty())
            requises.push_back(mot(animations[r].texte));
    if (aLaSection(chemin, "Comportement"))
        d.litSection("Comportement", clesComportement);
    if (aLaSection(chemin, "Sons"))
        d.litSection("Sons", clesSons);
    const ValeurLue& sprite = a["sprite"];
    if (sprite.trouvee && ouvrable(mot(sprite.texte), chemin, sprite.ligne))
        verifieSprite(mot(sprite.texte), requises);
    d.termine([](const std::string&) { return std::string(); });
}
