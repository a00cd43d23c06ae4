#include "verification/Verificateur.h"

#include "verification/Acteurs.h"
#include "verification/Description.h"
#include "foundation/DocumentProfil.h"
#include "game/ControleHeros.h"
#include "game/FichiersJeu.h"
#include "game/Intro.h"
#include "game/OutilsJeu.h"
#include "game/SchemaParcours.h"
#include "scenery/CBackground.h"
#include "scenery/CLevel.h"
#include "scenery/ClesNiveau.h"
#include "scenery/DescriptionNiveau.h"
#include "scenery/SchemaNiveau.h"
#include "sprites/DescriptionSprite.h"
#include "sprites/SchemaSprite.h"
#include "sprites/SpriteConverti.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

// The level, plane and sprite formats, as their readers read them.
namespace sn = schemaNiveau;
namespace ss = schemaSprite;

// A numbered section name: `prefixe`, a number, then optionally one of
// `suites` and a second number. Numbers as the game writes them, or -1 for
// one with a leading zero, which the game never asks for.
struct NomNumerote {
    long n = -1;
    std::string suite;
    long k = 1;
};

bool litNomNumerote(const std::string& nom, const std::string& prefixe,
                    const std::vector<std::string>& suites, NomNumerote& r)
{
    if (nom.compare(0, prefixe.size(), prefixe) != 0)
        return false;
    size_t p = prefixe.size();
    auto nombre = [&](long& v) {
        size_t debut = p;
        while (p < nom.size() && nom[p] >= '0' && nom[p] <= '9')
            ++p;
        std::string t = nom.substr(debut, p - debut);
        v = t.size() > 9 || (t.size() > 1 && t[0] == '0') ? -1 : atol(t.c_str());
        return !t.empty();
    };
    if (!nombre(r.n))
        return false;
    if (p == nom.size())
        return true;
    for (const std::string& suite : suites)
        if (nom.compare(p, suite.size(), suite) == 0) {
            p += suite.size();
            r.suite = suite;
            return nombre(r.k) && p == nom.size();
        }
    return false;
}

const char* const ZERO_DEVANT = "les numéros s'écrivent sans zéro devant";

// Where a key's problem is reported: its line, or the section's header.
int ligneDe(const ValeurLue& v, int defaut)
{
    return v.ligne > 0 ? v.ligne : defaut;
}

// A frame cut outside its sheet: the loader clips it, so it shows less than
// the file says, or nothing.
void verifieRectangle(CRapport& rapport, const std::string& chemin, const std::string& section,
                      ValeursSection& f, const EtatMedia& feuille, const std::string& planche)
{
    if (!feuille.lisible)
        return;
    // As stored: 16 bits, signed for the corner.
    long x = static_cast<int16_t>(f[ss::RectX.nom].entier), y = static_cast<int16_t>(f[ss::RectY.nom].entier);
    long w = static_cast<uint16_t>(f[ss::RectLongueur.nom].entier), h = static_cast<uint16_t>(f[ss::RectHauteur.nom].entier);
    if (w == 0 || h == 0)
        return;
    if (x < 0 || y < 0 || x + w > feuille.largeur || y + h > feuille.hauteur)
        rapport.erreur(chemin, ligneDe(f[ss::RectX.nom], ligneDe(f[ss::RectLongueur.nom], 0)),
                       texte("[%s] : rectangle %ld, %ld, %ld × %ld hors de la planche %s (%d × %d)",
                             section.c_str(), x, y, w, h, planche.c_str(), feuille.largeur, feuille.hauteur));
}

// The sheet a tile or an animation names, then its frames' rectangles in
// sections "<prefixe><n>Frame<m>".
CVerificateur::AnimLue verifieFrames(CVerificateur& verificateur, CRapport& rapport, CDescription& d,
                                    const std::string& chemin, const ValeurLue& planche, const char* prefixe, long n,
                                    long nbFrames, const std::vector<DefCle>& cles)
{
    EtatMedia feuille;
    if (planche.trouvee)
        feuille = verificateur.verifieImage(planche.texte, chemin, planche.ligne);
    CVerificateur::AnimLue lue;
    lue.nbFrames = nbFrames;
    for (long m = 1; m <= nbFrames; ++m) {
        std::string sf = texte("%s%ldFrame%ld", prefixe, n, m);
        ValeursSection f = d.litSection(sf, cles);
        verifieRectangle(rapport, chemin, sf, f, feuille, planche.texte);
        CVerificateur::Taille t{f[ss::RectLongueur.nom].entier, f[ss::RectHauteur.nom].entier};
        if (m == 1)
            lue.premiere = t;
        lue.plusGrande.largeur = std::max(lue.plusGrande.largeur, t.largeur);
        lue.plusGrande.hauteur = std::max(lue.plusGrande.hauteur, t.hauteur);
    }
    return lue;
}

}

bool CVerificateur::ouvrable(const std::string& chemin, const std::string& fichier, int ligne)
{
    std::string defaut = defautFichier(chemin);
    if (!defaut.empty())
        rapport_.erreur(fichier, ligne, defaut + " : " + chemin);
    return defaut.empty();
}

const EtatMedia& CVerificateur::verifieImage(const std::string& chemin, const std::string& fichier, int ligne)
{
    auto deja = images_.find(chemin);
    bool nouvelle = deja == images_.end();
    const EtatMedia& e = nouvelle ? images_[chemin] = examineImage(chemin) : deja->second;
    // A file named by several others is reported at each naming line.
    if (!nouvelle && fichier.empty())
        return e;
    std::string lieu = fichier.empty() ? chemin : fichier;
    std::string nom = fichier.empty() ? "" : " : " + chemin;
    if (!e.existe)
        rapport_.erreur(lieu, ligne, e.raison + nom);
    else if (!e.lisible)
        rapport_.erreur(lieu, ligne, e.raison + nom);
    else if (!e.partiel.empty() && nouvelle)
        rapport_.avertissement(lieu, ligne, "image décodée en partie (" + e.partiel + ")" + nom);
    return e;
}

void CVerificateur::verifieMusique(const std::string& chemin, const std::string& fichier, int ligne)
{
    auto deja = musiques_.find(chemin);
    bool nouvelle = deja == musiques_.end();
    const EtatMedia& e = nouvelle ? musiques_[chemin] = examineMusique(chemin) : deja->second;
    if (!nouvelle && fichier.empty())
        return;
    std::string lieu = fichier.empty() ? chemin : fichier;
    std::string nom = fichier.empty() ? "" : " : " + chemin;
    if (!e.existe)
        rapport_.erreur(lieu, ligne, e.raison + " : le jeu reste muet" + nom);
    else if (!e.lisible)
        rapport_.erreur(lieu, ligne, e.raison + nom);
    else if (!e.partiel.empty() && nouvelle)
        rapport_.avertissement(lieu, ligne, "musique décodée en partie : " + e.partiel + nom);
}

void CVerificateur::verifieCiel(const std::string& chemin, const std::string& fichier, int ligne)
{
    bool nouveau = !images_.count(chemin);
    const EtatMedia& ciel = verifieImage(chemin, fichier, ligne);
    // The game shows the sky's top-left 640 x 360 pixels; a smaller one
    // leaves the rest of that band black.
    if (nouveau && ciel.lisible && (ciel.largeur < 640 || ciel.hauteur < 360))
        rapport_.avertissement(fichier.empty() ? chemin : fichier, ligne,
                               texte("le ciel fait %d × %d : le jeu en montre 640 × 360, le reste de la bande "
                                     "reste noir%s", ciel.largeur, ciel.hauteur,
                                     fichier.empty() ? "" : (" : " + chemin).c_str()));
}

void CVerificateur::verifieNiveau(const std::string& chemin)
{
    // "./data/x.ini" and "data/x.ini" are one file.
    if (!vus_.insert(std::filesystem::path(chemin).lexically_normal().generic_string()).second)
        return;
    CDescription d(rapport_, chemin);
    if (!d.ouverte()) {
        rapport_.erreur(chemin, 0, defautFichier(chemin) + " : le niveau n'aura aucun plan");
        return;
    }
    ValeursSection entete = d.litSection(clesNiveau::Entete, sn::enteteNiveau);
    // The level's own look; without it, the defaults checked on their own.
    const ValeurLue& ciel = entete[clesNiveau::PathCiel];
    if (ciel.trouvee && !ciel.texte.empty())
        verifieCiel(ciel.texte, chemin, ciel.ligne);
    const ValeurLue& lune = entete[clesNiveau::PathLune];
    if (lune.trouvee && !lune.texte.empty())
        verifieImage(lune.texte, chemin, lune.ligne);
    const ValeurLue& musique = entete[clesNiveau::PathMusique];
    if (musique.trouvee && !musique.texte.empty())
        verifieMusique(musique.texte, chemin, musique.ligne);
    long priorites = entete[clesNiveau::NombrePriorites].entier;
    long plans = entete[clesNiveau::NombrePlans].entier;
    if (plans < 0 || plans > MAX_PLANS_NIVEAU)
        plans = 0;
    for (long n = 1; n <= plans; ++n) {
        std::string section = texte(clesNiveau::SectionPlan, static_cast<int>(n));
        bool present = false;
        ValeursSection v = d.litSection(section, sn::planNiveau, &present);
        const ValeurLue& priorite = v[clesNiveau::Priorite];
        if (priorite.entier < 1 || priorite.entier > priorites)
            rapport_.erreur(chemin, priorite.ligne,
                            texte("[%s] : priorité %ld hors de 1 … nombrePriorites (%ld) : le plan n'est jamais dessiné",
                                  section.c_str(), priorite.entier, priorites));
        const ValeurLue& plan = v[clesNiveau::PathPlan];
        if (plan.trouvee && ouvrable(plan.texte, chemin, plan.ligne))
            verifiePlan(plan.texte);
    }
    long acteurs = std::max(0L, std::min<long>(entete[sn::NombreActeurs.nom].entier, MAX_ACTEURS_NIVEAU));
    verifieActeurs(d, acteurs);
    d.termine([&](const std::string& nom) {
        NomNumerote m;
        if (litNomNumerote(nom, "Acteur", {}, m))
            return m.n < 0 ? std::string(ZERO_DEVANT) : texte("nombreActeurs vaut %ld", acteurs);
        if (!litNomNumerote(nom, "Plan", {}, m))
            return std::string();
        return m.n < 0 ? std::string(ZERO_DEVANT) : texte("nombrePlans vaut %ld", plans);
    });
}

void CVerificateur::verifiePlan(const std::string& chemin)
{
    if (!vus_.insert(chemin).second)
        return;
    CDescription d(rapport_, chemin);
    if (!d.ouverte())
        return;
    long tiles = d.litSection(clesNiveau::Entete, sn::entetePlan)[clesNiveau::NombreTiles].entier;
    if (tiles < 0 || tiles > MAX_TILES_PLAN)
        tiles = 0;
    std::vector<long> frames(tiles + 1), positions(tiles + 1);
    for (long t = 1; t <= tiles; ++t) {
        std::string section = texte(clesNiveau::SectionTile, static_cast<int>(t));
        bool present = false;
        ValeursSection v = d.litSection(section, sn::tile, &present);
        frames[t] = std::max(0L, std::min<long>(v[clesNiveau::NbFrames].entier, MAX_FRAMES_TILE));
        positions[t] = std::max(0L, std::min<long>(v[clesNiveau::NbPositions].entier, MAX_POSITIONS_PLAN));
        if (present && positions[t] > 0 && frames[t] == 0)
            rapport_.erreur(chemin, ligneDe(v[clesNiveau::NbFrames], 0),
                            texte("[%s] : %ld placements d'une tile sans image : ils ne dessinent rien",
                                  section.c_str(), positions[t]));
        verifieFrames(*this, rapport_, d, chemin, v[clesNiveau::PathPlanche], "Tile", t, frames[t], sn::frameTile);
        for (long k = 1; k <= positions[t]; ++k)
            d.litSection(texte(clesNiveau::SectionPosition, static_cast<int>(t), static_cast<int>(k)),
                         sn::positionTile);
    }
    d.termine([&](const std::string& nom) {
        NomNumerote m;
        if (!litNomNumerote(nom, "Tile", {"Frame", "Position"}, m))
            return std::string();
        if (m.n < 0 || m.k < 0)
            return std::string(ZERO_DEVANT);
        if (m.n > tiles)
            return texte("nombreTiles vaut %ld", tiles);
        return m.suite == "Frame" ? texte("nbFrames de [Tile%ld] vaut %ld", m.n, frames[m.n])
                                  : texte("nbPositions de [Tile%ld] vaut %ld", m.n, positions[m.n]);
    });
}

void CVerificateur::verifieSprite(const std::string& chemin, const std::vector<std::string>& requises)
{
    if (!vus_.insert(chemin).second)
        return;
    CDescription d(rapport_, chemin);
    if (!d.ouverte()) {
        rapport_.erreur(chemin, 0, defautFichier(chemin) + " : le sprite n'aura aucune animation");
        return;
    }
    ValeursSection entete = d.litSection("Entete", ss::entete);
    long anims = entete[ss::NbAnims.nom].entier;
    std::map<std::string, AnimLue>& lues = sprites_[chemin];
    if (anims < 0 || anims > LecteurDescriptionSprite::NB_ANIMS_MAX)
        anims = 0;
    std::vector<long> frames(anims + 1);
    std::map<std::string, int> noms;
    for (long n = 1; n <= anims; ++n) {
        std::string section = texte("Anim%ld", n);
        ValeursSection v = d.litSection(section, ss::anim);
        frames[n] = std::max(0L, std::min<long>(v[ss::NbFrames.nom].entier, LecteurDescriptionSprite::NB_FRAMES_MAX));
        const ValeurLue& nom = v[ss::NomAnim.nom];
        if (nom.trouvee) {
            auto deja = noms.find(nom.texte);
            if (deja != noms.end())
                rapport_.erreur(chemin, nom.ligne,
                                texte("animation `%s` déjà nommée ligne %d : le jeu choisit toujours la première",
                                      nom.texte.c_str(), deja->second));
            else
                noms[nom.texte] = nom.ligne;
        }
        AnimLue lue = verifieFrames(*this, rapport_, d, chemin, v[ss::PathPlanche.nom], "Anim", n, frames[n], ss::frame);
        lue.ligne = nom.ligne;
        if (nom.trouvee && !lues.count(nom.texte))
            lues[nom.texte] = lue;
        verifieFrappe(rapport_, chemin, section, v, lue);
        if (n == 1)
            verifieContact(rapport_, chemin, "Entete", entete, nom.texte, lue.premiere);
    }
    // The names the game selects; a near miss among the others is the
    // likely typo.
    std::vector<std::string> autres;
    for (const auto& n : noms)
        if (std::find(requises.begin(), requises.end(), n.first) == requises.end())
            autres.push_back(n.first);
    for (const std::string& r : requises) {
        if (noms.count(r))
            continue;
        std::string proche = plusProche(r, autres);
        rapport_.erreur(chemin, 0,
                        proche.empty()
                            ? texte("animation `%s` absente : le jeu la choisit", r.c_str())
                            : texte("animation `%s` absente : le jeu la choisit — vouliez-vous dire `%s` (ligne %d) ?",
                                    r.c_str(), proche.c_str(), noms[proche]));
    }
    d.termine([&](const std::string& nom) {
        NomNumerote m;
        if (!litNomNumerote(nom, "Anim", {"Frame"}, m))
            return std::string();
        if (m.n < 0 || m.k < 0)
            return std::string(ZERO_DEVANT);
        if (m.n > anims)
            return texte("nbAnims vaut %ld", anims);
        return texte("nbFrames de [Anim%ld] vaut %ld", m.n, frames[m.n]);
    });
}

void CVerificateur::verifieVue(const std::string& infos, const std::string& anims)
{
    std::string nom, o;
    bool nomLu = false;
    if (!lisOctets(infos, o)) {
        rapport_.erreur(infos, 0, defautFichier(infos) + " : la visionneuse ne montre rien");
    } else if (o.size() < fichiersJeu::LongueurNomVue || !memchr(o.data(), 0, fichiersJeu::LongueurNomVue)) {
        rapport_.erreur(infos, 0, texte("le nom de l'animation doit tenir, avec son octet nul, dans les %d premiers octets",
                                        fichiersJeu::LongueurNomVue));
    } else {
        nom = o.c_str();
        nomLu = true;
    }
    std::string s;
    if (!lisOctets(anims, s)) {
        rapport_.erreur(anims, 0, defautFichier(anims) + " : la visionneuse ne montre rien");
        return;
    }
    // The viewer's own reader says whether the file is whole.
    SpriteConverti sprite;
    std::string defaut;
    analyseSpriteConverti(reinterpret_cast<const unsigned char*>(s.data()), s.size(), sprite, defaut);
    std::vector<std::string> noms;
    for (const AnimationConvertie& a : sprite.animations)
        noms.push_back(a.nom);
    if (!defaut.empty())
        rapport_.erreur(anims, 0, "sprite converti illisible : " + defaut);
    if (nomLu && defaut.empty() && std::find(noms.begin(), noms.end(), nom) == noms.end()) {
        std::string proche = plusProche(nom, noms);
        rapport_.erreur(infos, 0,
                        proche.empty() ? texte("animation `%s` absente de %s", nom.c_str(), anims.c_str())
                                       : texte("animation `%s` absente de %s — vouliez-vous dire `%s` ?",
                                               nom.c_str(), anims.c_str(), proche.c_str()));
    }
}

void CVerificateur::verifieTout()
{
    verifieConfiguration("config.ini");
    verifieMusique(fichiersJeu::MusiqueIntro);
    for (int i = 0; i < NbImagesIntro; ++i)
        verifieImage(fichierImageIntro(i));
    verifieMusique(fichiersJeu::MusiqueNiveau);
    verifieCiel(fichiersJeu::Ciel);
    verifieImage(fichiersJeu::Lune);
    verifieEffets(FICHIER_EFFETS);
    verifieNiveau(fichiersJeu::Niveau);
    std::vector<std::string> requises;
    for (int etat = EtatRepos; etat <= EtatRetourne; ++etat) {
        const char* nom = animationEtat(etat);
        if (nom && std::find(requises.begin(), requises.end(), nom) == requises.end())
            requises.push_back(nom);
    }
    verifieSprite(fichiersJeu::Heros, requises);
    for (int n = 1; n <= fichiersJeu::NbImagesGameOver; ++n) {
        char nom[100];
        if (nomImageSerie(nom, sizeof nom, fichiersJeu::DebutGameOver, n, fichiersJeu::FinGameOver))
            verifieImage(nom);
    }
    verifieParcours(schemaParcours::Fichier);
    verifieNiveau(fichiersJeu::NiveauVisionneuse);
    verifiePolice(fichiersJeu::PoliceTexte);
    verifiePolice(fichiersJeu::PoliceTitre);
    verifieVue(fichiersJeu::InfosVue, fichiersJeu::AnimsVue);
    // The authors' other levels, which no program may name yet.
    verifieNiveauxAuteurs("data/levels");
}

int verifieDossier(const std::string& dossier, FILE* sortie)
{
    CRapport rapport;
    char precedent[4096];
    if (!getcwd(precedent, sizeof precedent) || chdir(dossier.c_str()) != 0) {
        fprintf(sortie, "%s: erreur : dossier introuvable\n", dossier.c_str());
        return 1;
    }
    CVerificateur verificateur(rapport);
    verificateur.verifieTout();
    if (chdir(precedent) != 0)
        fprintf(stderr, "verifie : impossible de revenir dans %s\n", precedent);
    rapport.imprime(sortie);
    return rapport.nbErreurs() > 0 ? 1 : 0;
}
