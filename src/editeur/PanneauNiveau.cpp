// The level panel: its lines and what Left/Right do on each, and its drawing.
#include "editeur/PanneauNiveau.h"

#include "editeur/OutilsEditeur.h"
#include "editeur/VueEditeur.h"
#include "render/CTexte.h"

#include <algorithm>

namespace editeur {

namespace {

// "./data/levels/marais/ciel.png" shows as "marais/ciel.png".
std::string court(const std::string& chemin)
{
    for (const char* prefixe : {"./data/levels/", "./data/zic/", "data/levels/", "data/zic/"})
        if (chemin.rfind(prefixe, 0) == 0)
            return chemin.substr(std::char_traits<char>::length(prefixe));
    return chemin;
}

// The choice `pas` places from `actuel` among `choix`, cycling; a value
// not among them counts as standing before the first.
std::string suivant(const std::vector<std::string>& choix, const std::string& actuel, int pas)
{
    if (choix.empty())
        return actuel;
    const int n = static_cast<int>(choix.size());
    auto trouve = std::find(choix.begin(), choix.end(), actuel);
    int i = trouve == choix.end() ? (pas > 0 ? -1 : 0) : static_cast<int>(trouve - choix.begin());
    return choix[((i + pas) % n + n) % n];
}

// The journey's choices: left out (-2), then after each other level (the
// last: at the end; -1 when there is none yet).
std::vector<int> placesParcours(const CModeleNiveau& m)
{
    std::vector<int> places{-2};
    const int autres = static_cast<int>(m.parcours().size()) - (m.rangParcours() >= 0 ? 1 : 0);
    if (autres == 0)
        places.push_back(-1);
    for (int i = 0; i < autres; ++i)
        places.push_back(i);
    return places;
}

bool changeParcours(CModeleNiveau& m, int pas, std::string& info)
{
    const std::vector<int> places = placesParcours(m);
    const int rang = m.rangParcours();
    // Where it stands now; first in the journey lies between "left out"
    // and "after the first other level".
    const int actuelle = rang < 0 ? -2 : rang - 1;
    auto trouve = std::find(places.begin(), places.end(), actuelle);
    const int n = static_cast<int>(places.size());
    int i = trouve != places.end() ? static_cast<int>(trouve - places.begin()) : (pas > 0 ? 0 : 1);
    i = ((i + pas) % n + n) % n;
    if (!m.placeAuParcours(places[i])) {
        info = "Parcours impossible à modifier (voir la sortie d'erreur)";
        return false;
    }
    const std::vector<NiveauParcours> p = m.parcours();
    const int nouveau = m.rangParcours();
    if (nouveau < 0)
        info = "Niveau retiré du parcours (Ctrl+S l'enregistre)";
    else
        info = "Parcours : niveau " + std::to_string(nouveau + 1) + " sur " + std::to_string(p.size())
               + (nouveau > 0 ? ", après « " + p[nouveau - 1].nom + " »" : "") + " (Ctrl+S l'enregistre)";
    return true;
}

}

std::vector<LigneAffichee> lignesNiveau(const CModeleNiveau& m)
{
    const AspectNiveau a = m.aspect(), d;
    const int rang = m.rangParcours();
    return {
        {"Ciel", court(a.ciel), a.ciel != d.ciel},
        {"Lune", court(a.lune), a.lune != d.lune},
        {"Lune X", std::to_string(a.luneX), a.luneX != d.luneX},
        {"Lune Y", std::to_string(a.luneY), a.luneY != d.luneY},
        {"Musique", court(a.musique), a.musique != d.musique},
        {"Parcours", rang < 0 ? "absent" : std::to_string(rang + 1) + " sur " + std::to_string(m.parcours().size()),
         rang >= 0},
    };
}

bool changeLigneNiveau(CModeleNiveau& m, const std::vector<std::string>& images,
                       const std::vector<std::string>& musiques, int ligne, int pas, std::string& info)
{
    if (pas == 0)
        return false;
    if (ligne == LigneParcours)
        return changeParcours(m, pas, info);
    AspectNiveau a = m.aspect();
    switch (ligne) {
    case LigneCiel: a.ciel = suivant(images, a.ciel, pas); info = "Ciel : " + a.ciel; break;
    case LigneLune: a.lune = suivant(images, a.lune, pas); info = "Lune : " + a.lune; break;
    case LigneLuneX: a.luneX += 10 * pas; info.clear(); break;
    case LigneLuneY: a.luneY += 10 * pas; info.clear(); break;
    case LigneMusique:
        a.musique = suivant(musiques, a.musique, pas);
        info = "Musique : " + a.musique;
        break;
    default: return false;
    }
    return m.fixeAspect(a);
}

void CVueEditeur::dessinePanneauNiveau(const CModeleNiveau& modele, int ligne)
{
    const int haut = HautBoitePanneau;
    const int bas = BasBoitePanneau;
    rectanglePlein(0, haut, LargeurPanneau, bas - haut, 10, 30, 20, 200);
    cadre(0, haut, LargeurPanneau, bas - haut, 120, 200, 140);
    ecrit(6, haut + 3, "Niveau : aspect et parcours", 0.7f);
    const std::vector<LigneAffichee> lignes = lignesNiveau(modele);
    for (int i = 0; i < static_cast<int>(lignes.size()); ++i) {
        const int y = HautPanneau + i * LignePanneau;
        if (i == ligne)
            rectanglePlein(2, y, LargeurPanneau - 4, LignePanneau, 60, 140, 90, 200);
        ecrit(8, y + 3, lignes[i].nom, 0.7f);
        // The level's own choices stand out; the defaults stay white.
        if (lignes[i].propre && texte_)
            texte_->setBrightness(255, 220, 90);
        ecrit(78, y + 4, lignes[i].valeur.substr(0, 26), 0.55f);
        if (texte_)
            texte_->setBrightness(255, 255, 255);
    }
    ecrit(6, bas - 19, "Gauche/Droite ; la musique choisie joue", 0.6f);
}

}
