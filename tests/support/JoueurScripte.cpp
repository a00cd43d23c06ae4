#include "support/JoueurScripte.h"

#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <chrono>
#include <random>
#include <regex>
#include <sstream>

namespace testsupport {

namespace {

// Creatures whose contact ends above this never meet the hero's strike;
// those whose contact starts below the other are struck crouching.
const int HautFrappe = 300;
const int BasFrappeDebout = 338;

}

Sonde derniereSonde(const std::string& sortie)
{
    Sonde s;
    size_t fin = sortie.rfind('\n');
    if (fin == std::string::npos)
        return s;
    size_t debut = sortie.rfind("sonde ", fin);
    if (debut == std::string::npos)
        return s;
    std::istringstream ligne(sortie.substr(debut + 6, fin - debut - 6));
    if (!(ligne >> s.sante >> s.herosX >> s.herosDroite))
        return s;
    s.lue = true;
    int* plusProche = &s.devant;
    for (;;) {
        int x, y, l, h;
        if (!(ligne >> x >> y >> l >> h)) {
            // " |" starts the creatures a strike does not stop.
            ligne.clear();
            std::string mot;
            if (!(ligne >> mot) || mot != "|" || plusProche == &s.obstacle)
                break;
            plusProche = &s.obstacle;
            continue;
        }
        int d = x - s.herosDroite;
        if (y + h >= HautFrappe && x + l > s.herosX - 40 && d < *plusProche) {
            *plusProche = d;
            if (plusProche == &s.devant)
                s.devantBas = y > BasFrappeDebout;
        }
    }
    return s;
}

ResultatJeu joueJusquAuBout(const StyleJoueur& style, size_t depuis, const std::string& fichierSortie)
{
    ResultatJeu r;
    std::mt19937 hasard(style.graine);
    std::uniform_int_distribution<int> erreur(-style.ecart, style.ecart);
    std::uniform_int_distribution<int> retard(0, 2 * style.retardMs);
    using Horloge = std::chrono::steady_clock;
    Horloge::time_point reponse;
    bool menace = false;
    bool marche = false, espace = false, saut = false, accroupi = false;
    // One misjudgement per danger, drawn as it comes near.
    bool proche = false;
    int decalage = 0;
    int santePrecedente = -1, xPrecedent = 0;
    attendQue(
        [&] {
            std::string sortie = lisFichier(fichierSortie);
            r.sortie = sortie.size() > depuis ? sortie.substr(depuis) : std::string();
            if (r.sortie.find("Niveau terminé") != std::string::npos)
                return true;
            Sonde s = derniereSonde(r.sortie);
            if (!s.lue)
                return false;
            if (santePrecedente >= 0 && s.sante > santePrecedente) {
                ++r.morts;
                r.lieuxMorts.push_back(xPrecedent);
            }
            santePrecedente = s.sante;
            xPrecedent = s.herosX;
            const bool approche = s.devant < style.reaction + style.ecart
                                  || (s.obstacle < style.elan + style.ecart && s.obstacle > -20);
            if (approche && !proche)
                decalage = erreur(hasard);
            proche = approche;
            const bool attaque = s.devant < style.reaction + decalage;
            const bool franchit = !attaque && s.obstacle < style.elan + decalage && s.obstacle > -20;
            if ((attaque || franchit) && !menace)
                reponse = Horloge::now() + std::chrono::milliseconds(retard(hasard));
            menace = attaque || franchit;
            const bool repond = Horloge::now() >= reponse;
            const bool danger = attaque && repond;
            const bool sauter = franchit && repond;
            if (danger == marche) {
                marche = !danger;
                marche ? enfonce("Right") : relache("Right");
            }
            // A jump is taken on the press; the key goes up at the next look.
            if (sauter != saut) {
                saut = sauter;
                saut ? enfonce("Up") : relache("Up");
            }
            const bool bas = danger && s.devantBas;
            if (bas != accroupi) {
                accroupi = bas;
                accroupi ? enfonce("Down") : relache("Down");
            }
            if (danger || espace) {
                espace = !espace;
                espace ? enfonce("space") : relache("space");
            }
            return false;
        },
        style.delaiMs, 30);
    relache("Right");
    relache("space");
    relache("Up");
    relache("Down");
    std::smatch m;
    static const std::regex fin("Niveau terminé en (\\d+) min (\\d\\d) s : (\\d+) lueurs sur (\\d+), (\\d+) "
                                "créatures vaincues\n");
    if (std::regex_search(r.sortie, m, fin)) {
        r.fini = true;
        r.minutes = std::stoi(m[1]);
        r.secondes = std::stoi(m[2]);
        r.lueurs = std::stoi(m[3]);
        r.lueursTotal = std::stoi(m[4]);
        r.creatures = std::stoi(m[5]);
    }
    return r;
}

}
