// The checker agrees with the game's readers, key by key, for every key of
// every file kind's table: a complete, valid file of each kind is written
// with one key set to each boundary of its range and just past it, to a word
// for a number, and past its buffer for a text. The game's reader must read
// it without a message exactly when the checker finds nothing wrong with
// that key. The checker's rules across keys and files (a rectangle outside
// its sheet, a section a count leaves unread) are its own: the game plays
// through them, so they may stand alone; but whatever the game refuses, the
// checker must report.

#include "foundation/Messages.h"
#include "game/Acteurs.h"
#include "game/Demarrage.h"
#include "game/Effets.h"
#include "game/Parcours.h"
#include "game/SchemaActeur.h"
#include "game/SchemaParcours.h"
#include "render/CTexte.h"
#include "render/SchemaPolice.h"
#include "scenery/DescriptionNiveau.h"
#include "scenery/SchemaNiveau.h"
#include "sprites/DescriptionSprite.h"
#include "sprites/SchemaSprite.h"
#include "support/DonneesJeu.h"
#include "verification/Verificateur.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <map>

namespace {

using Section = std::vector<std::pair<std::string, std::string>>;
using Fichier = std::vector<std::pair<std::string, Section>>;

// A small world where every file names only what exists.
std::map<std::string, Fichier> mondeValide()
{
    Section comportement = {{"vitesse", "60"}, {"vitesseAttaque", "220"}, {"distanceAlerte", "260"},
                            {"patrouille", "160"}, {"amplitude", "12"}, {"periode", "1800"}, {"recul", "400"}};
    Section acteur = {{"type", "bete"}, {"positionX", "100"}, {"positionY", "100"}};
    acteur.insert(acteur.end(), comportement.begin(), comportement.end());
    const Section rectangle = {{"positionX", "0"}, {"positionY", "0"}, {"longueur", "4"}, {"hauteur", "4"}};
    Section frameTile = rectangle, frameAnim = rectangle;
    frameTile.insert(frameTile.end(), {{"valeurAlpha", "255"}, {"pause", "0"}});
    frameAnim.push_back({"pause", "100"});
    return {
        {"niveau.ini",
         {{"Entete",
           {{"nombrePriorites", "1"}, {"nombrePlans", "1"}, {"nombreActeurs", "1"}, {"arriveeX", "1000"},
            {"pathCiel", "feuille.bmp"}, {"pathLune", "feuille.bmp"}, {"positionLuneX", "500"},
            {"positionLuneY", "70"}, {"pathMusique", "cri.wav"}}},
          {"Plan1",
           {{"pathPlan", "plan.ini"}, {"priorite", "1"}, {"repeatX", "0"}, {"repeatY", "0"},
            {"positionEcranX", "0"}, {"positionEcranY", "0"}, {"scrollRatio", "100"}}},
          {"Acteur1", acteur}}},
        {"plan.ini",
         {{"Entete", {{"nombreTiles", "1"}}},
          {"Tile1",
           {{"nbPositions", "1"}, {"nbFrames", "1"}, {"pathPlanche", "feuille.bmp"}, {"colorkeyR", "-1"},
            {"colorkeyG", "0"}, {"colorkeyB", "0"}}},
          {"Tile1Frame1", frameTile},
          {"Tile1Position1", {{"positionX", "0"}, {"positionY", "0"}}}}},
        {"sprite.ini",
         {{"Entete",
           {{"nbAnims", "1"}, {"contactX", "0"}, {"contactY", "0"}, {"contactLargeur", "4"}, {"contactHauteur", "4"}}},
          {"Anim1",
           {{"nbFrames", "1"}, {"colorkeyR", "-1"}, {"colorkeyG", "0"}, {"colorkeyB", "0"}, {"nomAnim", "repos"},
            {"pathPlanche", "feuille.bmp"}, {"frappeX", "0"}, {"frappeY", "0"}, {"frappeLargeur", "4"},
            {"frappeHauteur", "4"}, {"frappeDebut", "1"}, {"frappeFin", "1"}}},
          {"Anim1Frame1", frameAnim}}},
        {"data/acteurs/bete.ini",
         {{"Acteur",
           {{"comportement", "loup"}, {"sprite", "sprite.ini"}, {"sante", "3"}, {"degats", "1"}, {"contactX", "0"},
            {"contactY", "0"}, {"contactLargeur", "4"}, {"contactHauteur", "4"}}},
          {"Animations",
           {{"repos", "repos"}, {"marche", "repos"}, {"attaque", "repos"}, {"blesse", "repos"}, {"mort", "repos"},
            {"allume", "repos"}}},
          {"Sons", {{"blesse", "cri"}, {"mort", "cri"}, {"attaque", "cri"}}},
          {"Comportement", comportement}}},
        {"effets.ini", {{"Entete", {{"nombreSons", "1"}}}, {"Son1", {{"nom", "cri"}, {"fichier", "cri.wav"}}}}},
        {"parcours.ini",
         {{"Entete", {{"nombreNiveaux", "1"}}}, {"Niveau1", {{"fichier", "niveau.ini"}, {"nom", "Le niveau"}}}}},
        {"police.ini",
         {{"Entete", {{"pathPlanche", "feuille.bmp"}, {"hauteurLigne", "4"}, {"base", "3"}, {"nombreGlyphes", "1"}}},
          {"Glyphe1",
           {{"code", "63"}, {"x", "0"}, {"y", "0"}, {"largeur", "4"}, {"hauteur", "4"}, {"decalageX", "0"},
            {"decalageY", "0"}, {"avance", "4"}}}}},
    };
}

void ecrit(const std::string& nom, const Fichier& f)
{
    std::string t;
    for (const auto& s : f) {
        t += "[" + s.first + "]\n";
        for (const auto& c : s.second)
            t += c.first + "=" + c.second + "\n";
    }
    testsupport::ecritFichier(nom, t);
}

// A 16-bit PCM WAV of a few silent samples.
void ecritWav(const std::string& nom)
{
    std::string o = "RIFF____WAVEfmt ";
    auto mot = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            o += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    mot(16, 4), mot(1, 2), mot(1, 2), mot(22050, 4), mot(44100, 4), mot(2, 2), mot(16, 2);
    o += "data";
    mot(8, 4);
    o += std::string(8, '\0');
    o.replace(4, 4, std::string{char(o.size() - 8), 0, 0, 0});
    testsupport::ecritFichier(nom, o);
}

// What the game reads of each file kind, in its loaders' order; what it
// says on standard error.
std::string litCommeLeJeu(const std::string& fichier)
{
    CCaptureMessages capture;
    const char* f = fichier.c_str();
    if (fichier == "niveau.ini") {
        LecteurDescriptionNiveau l(f);
        EnteteNiveau e = l.litEntete();
        for (int n = 1; n <= e.nombrePlans; ++n) {
            char chemin[LecteurDescriptionNiveau::TAILLE_CHEMIN_PLAN];
            l.litCheminPlan(n, chemin);
            l.litParametresPlan(n);
        }
        CActeurs acteurs;
        int arrivee;
        acteurs.charge(f, false, arrivee);
        litAspectNiveau(f);
    } else if (fichier == "plan.ini") {
        CBudgetChargement budget;
        LecteurDescriptionPlan l(f, budget);
        std::vector<int> positions;
        long long total;
        int n = l.litComptes(positions, total);
        for (int t = 1; t <= n; ++t) {
            TileDecrite tile;
            if (!l.litTile(t, tile))
                break;
            l.litCleCouleur(t, tile);
            for (int m = 1; m <= tile.nbFrames; ++m)
                l.litRectangle(t, m), l.litAlpha(t, m), l.litPause(t, m);
            for (int j = 1; j <= positions[t - 1]; ++j) {
                int x, y;
                l.litPosition(t, j, x, y);
            }
        }
    } else if (fichier == "sprite.ini") {
        LecteurDescriptionSprite l(f);
        RectangleFrame contact;
        l.litContact(contact);
        int n = l.litNbAnims();
        for (int a = 1; a <= n; ++a) {
            AnimationDecrite anim;
            if (!l.litAnimation(a, anim))
                break;
            FrappeDecrite frappe;
            l.litFrappe(a, frappe);
            for (int m = 1; m <= anim.nbFrames; ++m)
                l.litFrame(a, m);
        }
    } else if (fichier == "data/acteurs/bete.ini") {
        TypeActeur type;
        litTypeActeur(f, type);
    } else if (fichier == "effets.ini") {
        std::vector<EffetDecrit> effets;
        litEffets(f, effets);
    } else if (fichier == "parcours.ini") {
        litParcours(f);
    } else {
        DescriptionPolice police;
        litDescriptionPolice(f, police);
    }
    return capture.erreurs;
}

// Whether a checker error is one of its rules across keys or files: a rule
// between a section's keys ("[Anim1] : rectangle de frappe ... hors des
// cadres"), a section a count leaves unread, or an animation the program
// asks for.
bool regleCroisee(const std::string& message)
{
    return message.compare(0, 1, "[") == 0 || message.find("] jamais lue") != std::string::npos ||
           message.compare(0, 11, "animation `") == 0;
}

struct Verdict {
    std::vector<std::string> cles;    // errors about the keys' values
    std::vector<std::string> toutes;  // and the rules across them
};

// The checker's errors on that file; the checker reads the files each one
// names too, which are valid.
Verdict verifieCommeLeChecker(const std::string& fichier)
{
    CRapport rapport;
    CVerificateur v(rapport);
    {
        CCaptureMessages silence;
        v.verifieEffets("effets.ini");
        if (fichier == "niveau.ini")
            v.verifieNiveau(fichier);
        else if (fichier == "plan.ini")
            v.verifiePlan(fichier);
        else if (fichier == "sprite.ini")
            v.verifieSprite(fichier, {"repos"});
        else if (fichier == "data/acteurs/bete.ini")
            v.verifieTypeActeur("bete", "", 0);
        else if (fichier == "police.ini")
            v.verifiePolice(fichier);
        else if (fichier == "parcours.ini")
            v.verifieParcours(fichier);
    }
    Verdict verdict;
    for (const Probleme& p : rapport.problemes()) {
        if (p.gravite != Erreur)
            continue;
        std::string ligne = p.fichier + ":" + std::to_string(p.ligne) + ": " + p.message;
        verdict.toutes.push_back(ligne);
        if (!regleCroisee(p.message))
            verdict.cles.push_back(ligne);
    }
    return verdict;
}

// The values worth trying for one key.
std::vector<std::string> valeursLimites(const DefCle& cle)
{
    if (cle.type == Texte)
        return {std::string(cle.tampon, 'a')};
    std::vector<std::string> v;
    if (cle.min > INT_MIN)
        v.push_back(std::to_string(cle.min - 1));
    v.push_back(std::to_string(cle.min));
    v.push_back(std::to_string(cle.max));
    if (cle.max < INT_MAX)
        v.push_back(std::to_string(cle.max + 1));
    v.push_back("beaucoup");
    return v;
}

struct Table {
    const char* fichier;
    const char* section;
    const std::vector<DefCle>* cles;
};

TEST(Schemas, LeJeuEtLeVerificateurSAccordentSurChaqueCle)
{
    testsupport::DossierTemporaire dossier;
    ASSERT_TRUE(testsupport::ecritImageBMP("feuille.bmp", 4, 4, [](int, int) { return testsupport::Couleur{10, 20, 30}; }));
    ecritWav("cri.wav");
    std::filesystem::create_directories("data/acteurs");
    std::map<std::string, Fichier> monde = mondeValide();
    for (const auto& f : monde)
        ecrit(f.first, f.second);
    // The world itself passes both.
    for (const auto& f : monde) {
        EXPECT_EQ(litCommeLeJeu(f.first), "") << f.first;
        EXPECT_EQ(verifieCommeLeChecker(f.first).toutes, std::vector<std::string>()) << f.first;
    }

    std::vector<DefCle> acteurNiveau = schemaNiveau::acteurNiveau;
    acteurNiveau.insert(acteurNiveau.end(), schemaActeur::comportement.begin(), schemaActeur::comportement.end());
    const Table tables[] = {
        {"niveau.ini", "Entete", &schemaNiveau::enteteNiveau},
        {"niveau.ini", "Plan1", &schemaNiveau::planNiveau},
        {"niveau.ini", "Acteur1", &acteurNiveau},
        {"plan.ini", "Entete", &schemaNiveau::entetePlan},
        {"plan.ini", "Tile1", &schemaNiveau::tile},
        {"plan.ini", "Tile1Frame1", &schemaNiveau::frameTile},
        {"plan.ini", "Tile1Position1", &schemaNiveau::positionTile},
        {"sprite.ini", "Entete", &schemaSprite::entete},
        {"sprite.ini", "Anim1", &schemaSprite::anim},
        {"sprite.ini", "Anim1Frame1", &schemaSprite::frame},
        {"data/acteurs/bete.ini", "Acteur", &schemaActeur::acteur},
        {"data/acteurs/bete.ini", "Animations", &schemaActeur::animations},
        {"data/acteurs/bete.ini", "Sons", &schemaActeur::sons},
        {"data/acteurs/bete.ini", "Comportement", &schemaActeur::comportement},
        {"effets.ini", "Entete", &schemaActeur::enteteEffets},
        {"effets.ini", "Son1", &schemaActeur::son},
        {"parcours.ini", "Entete", &schemaParcours::entete},
        {"parcours.ini", "Niveau1", &schemaParcours::niveau},
        {"police.ini", "Entete", &schemaPolice::entete},
        {"police.ini", "Glyphe1", &schemaPolice::glyphe},
    };
    int cas = 0, desaccords = 0;
    for (const Table& t : tables)
        for (const DefCle& cle : *t.cles)
            for (const std::string& valeur : valeursLimites(cle)) {
                Fichier f = monde[t.fichier];
                bool posee = false;
                for (auto& s : f)
                    for (auto& c : s.second)
                        if (s.first == t.section && c.first == cle.nom)
                            c.second = valeur, posee = true;
                ASSERT_TRUE(posee) << t.fichier << " [" << t.section << "] " << cle.nom;
                ecrit(t.fichier, f);
                std::string jeu = litCommeLeJeu(t.fichier);
                Verdict verifie = verifieCommeLeChecker(t.fichier);
                ecrit(t.fichier, monde[t.fichier]);
                ++cas;
                const std::vector<std::string>& dites = jeu.empty() ? verifie.cles : verifie.toutes;
                if (jeu.empty() != dites.empty()) {
                    ++desaccords;
                    ADD_FAILURE() << t.fichier << " [" << t.section << "] " << cle.nom << "=" << valeur
                                  << "\n  jeu : " << (jeu.empty() ? "rien\n" : jeu) << "  vérificateur : "
                                  << (dites.empty() ? "rien" : dites[0]);
                }
            }
    std::printf("%d cas, %d désaccords\n", cas, desaccords);
}

}
