// The journey and the title painting, read as game/Parcours.cpp and
// game/Titre.cpp read them.

#include "verification/Description.h"
#include "verification/Verificateur.h"
#include "game/SchemaParcours.h"
#include "game/Titre.h"

namespace sp = schemaParcours;

void CVerificateur::verifieParcours(const std::string& chemin)
{
    // Neither is required: the game then plays its one level under a plain
    // title. A journey without its painting is likely an oversight.
    const bool avecPeinture = defautFichier(ImageTitre).empty();
    if (avecPeinture)
        verifieImage(ImageTitre);
    CDescription d(rapport_, chemin);
    if (!d.ouverte())
        return;
    if (!avecPeinture)
        rapport_.avertissement(ImageTitre, 0, "peinture du titre absente : le titre s'affiche sur un fond uni");
    ValeursSection entete = d.litSection(sp::SectionEntete, sp::entete);
    long n = entete[sp::NombreNiveaux.nom].entier;
    if (n < 0 || n > sp::NombreNiveaux.max)
        n = 0;
    long jouables = 0;
    for (long i = 1; i <= n; ++i) {
        const std::string section = sp::PrefixeNiveau + std::to_string(i);
        ValeursSection s = d.litSection(section, sp::niveau);
        const ValeurLue& fichier = s[sp::FichierNiveau.nom];
        std::string niveau = fichier.texte;
        coupeMot(niveau);
        if (niveau.empty()) {
            rapport_.erreur(chemin, fichier.ligne, texte("[%s] sans fichier : le jeu saute ce niveau", section.c_str()));
            continue;
        }
        const std::string defaut = defautFichier(niveau);
        if (!defaut.empty()) {
            rapport_.erreur(chemin, fichier.ligne,
                            texte("[%s] %s : %s, le jeu saute ce niveau", section.c_str(), defaut.c_str(), niveau.c_str()));
            continue;
        }
        ++jouables;
        verifieNiveau(niveau);
    }
    if (jouables == 0)
        rapport_.erreur(chemin, 0, "aucun niveau jouable : le jeu joue son niveau seul");
    d.termine([&](const std::string& nom) {
        if (nom.compare(0, 6, sp::PrefixeNiveau) != 0 || nom.size() == 6)
            return std::string();
        return texte("nombreNiveaux vaut %ld", n);
    });
}
