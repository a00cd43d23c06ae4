// The game's rules played by the built game with real key presses: a short
// level with a light and a close finish, and a creature that finds a hero
// who does not move.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testsupport;

namespace {

const Couleur Rouge = {255, 0, 0};
const Couleur Magenta = {255, 0, 255};

// A grey world whose hero and actors are all one red 40 x 60 frame; the
// level starts at world x 3100 under the hero and gets `acteurs` and
// `entete` keys.
void genereNiveau(const std::string& entete, const std::string& acteurs)
{
    ecritConfigFenetre();
    for (const char* d : {"data", "data/levels", "data/levels/level1", "data/sprites", "data/acteurs"})
        mkdir(d, 0755);
    ASSERT_TRUE(ecritImageBMP("data/levels/level1/fond.jpg", 640, 360, [](int, int) { return Couleur{200, 200, 200}; }));
    ASSERT_TRUE(ecritNiveauBande("./data/levels", "data/levels/level1.ini", 400));
    std::string niveau = lisFichier("data/levels/level1.ini");
    niveau.replace(0, 9, "[Entete]\n" + entete);
    ecritFichier("data/levels/level1.ini", niveau + acteurs);
    ASSERT_TRUE(ecritImageBMP("data/sprites/rouge.bmp", 40, 60, [](int, int) { return Rouge; }));
    const char* noms[] = {"Repos", "Marche", "Saute", "Frappe", "FAccroupi", "FSaute", "Accroupi", "Retourne"};
    std::string sprite = "[Entete]\nnbAnims=8\n";
    for (int n = 1; n <= 8; ++n) {
        std::string a = "Anim" + std::to_string(n);
        sprite += "[" + a + "]\nnbFrames=1\nnomAnim=" + noms[n - 1] + "\npathPlanche=./data/sprites/rouge.bmp\n["
            + a + "Frame1]\npositionX=0\npositionY=0\nlongueur=40\nhauteur=60\npause=100\n";
    }
    ecritFichier("data/sprites/vornaSprite.ini", sprite);
}

std::string typeActeur(const std::string& comportement, int degats, const std::string& reglages)
{
    return "[Acteur]\ncomportement=" + comportement + "\nsprite=./data/sprites/vornaSprite.ini\nsante=1\ndegats="
        + std::to_string(degats) + "\ncontactX=0\ncontactY=0\ncontactLargeur=40\ncontactHauteur=60\n"
        + "[Animations]\nrepos=Repos\n[Comportement]\n" + reglages;
}

using ReglesE2E = TestSurServeurX;

TEST_F(ReglesE2E, WalkingToTheFinishTakesTheLightAndPrintsTheCompletionLine)
{
    genereNiveau("nombreActeurs=1\narriveeX=3300\n",
                 "[Acteur1]\ntype=lueur\npositionX=3200\npositionY=290\n");
    ecritFichier("data/acteurs/lueur.ini", typeActeur("lueur", 0, "amplitude=4\n"));
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    appuie("Escape");
    appuie("Return");
    // The light waits ahead, right of the hero.
    EXPECT_TRUE(couleurEn(attendEcran(640, 480, pixelVaut(420, 320, Rouge, 2)), 420, 320, Rouge, 2));
    enfonce("Right");
    attendLigne("sortie.txt", "Niveau terminé", 20000);
    relache("Right");
    std::string sortie = lisFichier("sortie.txt");
    EXPECT_NE(sortie.find("Niveau terminé en 0 min 0"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find(" s : 1 lueurs sur 1, 0 créatures vaincues\n"), std::string::npos) << sortie;
    EXPECT_EQ(lisFichier("erreurs.txt").find("acteur"), std::string::npos);
    quitteParEchap(jeu);
}

// A creature that finds a hero who does not move, and the game-over pictures.
void genereMortRapide(const std::string& entete, const std::string& acteurs)
{
    genereNiveau(entete, "[Acteur1]\ntype=feu_follet\npositionX=3300\npositionY=280\n" + acteurs);
    ecritFichier("data/acteurs/feu_follet.ini",
                 typeActeur("feu_follet", 1, "vitesseAttaque=400\ndistanceAlerte=400\nrecul=100\n"));
    mkdir("data/cin", 0755);
    mkdir("data/cin/gameover", 0755);
    for (int n = 1; n <= 95; ++n)
        ASSERT_TRUE(ecritImageBMP("data/cin/gameover/anim_gameover_" + std::to_string(n) + ".png", 16, 16,
                                  [](int, int) { return Magenta; }));
}

TEST_F(ReglesE2E, AHeroWhoStandsStillDiesAndTheGameOverPlays)
{
    genereMortRapide("nombreActeurs=1\n", "");
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    appuie("Escape");
    appuie("Return");
    // Three hits, 1.5 s apart at least, then the game-over pictures.
    std::vector<Couleur> ecran = attendEcran(640, 480, pixelVaut(4, 4, Magenta, 2), 30000);
    bool gameOver = !ecran.empty() && procheCouleur(pixelEcran(ecran, 4, 4), Magenta, 2);
    EXPECT_TRUE(gameOver);
    EXPECT_TRUE(jeu.enCours());
    EXPECT_EQ(lisFichier("erreurs.txt").find("anim_gameover"), std::string::npos);
    // Escape skips the sequence, as it does the intro; the level starts again.
    appuie("Escape");
    EXPECT_TRUE(couleurEn(attendEcran(640, 480, pixelVaut(320, 320, Rouge, 2)), 320, 320, Rouge, 2));
    quitteParEchap(jeu);
}

// A lantern the hero stands past at the start: after the death the level
// resumes with the hero at its x, 50 px left of the start (the wisp's
// knock-backs may add 40 px each).
TEST_F(ReglesE2E, ADeathResumesTheLevelAtTheLanternLit)
{
    genereMortRapide("nombreActeurs=2\n", "[Acteur2]\ntype=lanterne\npositionX=3050\npositionY=-300\n");
    ecritFichier("data/acteurs/lanterne.ini", typeActeur("lanterne", 0, ""));
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");
    appuie("Escape");
    appuie("Return");
    attendEcran(640, 480, pixelVaut(4, 4, Magenta, 2), 30000);
    appuie("Escape");
    // The band's column c has colour (7c, 13c, c / 4) mod 256; screen x 10
    // shows world x position + 10.
    auto aLaLanterne = [](const std::vector<Couleur>& e) {
        for (int position = 2750; position > 2600; position -= 40) {
            int c = (position + 10) % 1000;
            if (procheCouleur(pixelEcran(e, 10, 440), Couleur{(c * 7) % 256, (c * 13) % 256, (c / 4) % 256}, 2))
                return true;
        }
        return false;
    };
    std::vector<Couleur> reprise = attendEcran(640, 480, aLaLanterne);
    EXPECT_TRUE(!reprise.empty() && aLaLanterne(reprise));
    quitteParEchap(jeu);
}

}
