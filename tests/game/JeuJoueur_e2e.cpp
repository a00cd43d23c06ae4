// What a player reaches for in the built game: skipping the intro, their own
// keys, the pause and its options menu, screenshots, volume, the whole screen.
#include "support/DonneesJeu.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

using JeuJoueurE2E = TestSurServeurX;

// The fixture's config.ini with comments, an unknown line and the player's
// own key to walk right.
const std::string ConfigCommentee = "; Réglages du joueur\n"
                                    "[VIDEO]\n"
                                    "ResolutionHorizontale=640\nResolutionVerticale=480\n"
                                    "; 1 : tout l'écran\n"
                                    "PleinEcran=0\nBilineaire=0\nVSync=1\nMode16bits=0\nHogCPU=0\n"
                                    "VolumeMusique=100\nVolumeEffets=100\n"
                                    "CleInconnue=gardée telle quelle\n"
                                    "\n[CONTROLES]\n; la marche à droite\nDroite=d\n";

std::vector<std::string> fichiersDe(const std::string& dossier)
{
    std::vector<std::string> noms;
    if (DIR* d = opendir(dossier.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.')
                noms.push_back(e->d_name);
        closedir(d);
    }
    return noms;
}

// The PNG's pixels that differ from the screenshot's top-left corner; -1
// when the file does not decode or its size is not largeur x hauteur.
int differencesPNG(const std::string& fichier, const std::vector<Couleur>& ecran, int largeur,
                   int hauteur)
{
    SDL_Surface* image = IMG_Load(fichier.c_str());
    if (!image)
        return -1;
    int differents = -1;
    if (image->w == largeur && image->h == hauteur && ecran.size() >= size_t(largeur) * hauteur) {
        differents = 0;
        SDL_LockSurface(image);
        const int octets = image->format->BytesPerPixel;
        for (int y = 0; y < hauteur; ++y)
            for (int x = 0; x < largeur; ++x) {
                const Uint8* p = static_cast<Uint8*>(image->pixels) + y * image->pitch + x * octets;
                Uint32 valeur = 0;
                for (int o = 0; o < octets; ++o)
                    valeur |= Uint32(p[o]) << (8 * o);
                Uint8 r, g, b;
                SDL_GetRGB(valeur, image->format, &r, &g, &b);
                if (!procheCouleur({r, g, b}, ecran[size_t(y) * largeur + x], 0))
                    ++differents;
            }
        SDL_UnlockSurface(image);
    }
    SDL_FreeSurface(image);
    return differents;
}

// One game for the keyboard player: Space skips the intro, the remapped key
// walks, P freezes the scene, F12 saves it, the options change a volume.
TEST_F(JeuJoueurE2E, OwnKeysPauseScreenshotAndOptionsMenu)
{
    ASSERT_TRUE(ecritMondeDeTest(true));
    ecritFichier("config.ini", ConfigCommentee);
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    ASSERT_NE(attendFenetreActive("Corvanthelis"), "") << lisFichier("erreurs.txt");

    // Without pictures the intro lasts two minutes: the sky within seconds
    // means Space skipped it (and Return on the title played).
    appuie("space");
    appuie("Return");
    std::vector<Couleur> debut = attendEcran(640, 480, pixelVaut(100, 100, CielMonde, 2));
    ASSERT_TRUE(couleurEn(debut, 100, 100, CielMonde, 2)) << "Space did not skip the intro";

    const int lignePlan = HautPlanMonde + 40;
    auto aDefile = [&](const std::vector<Couleur>& avant) {
        return [&avant, lignePlan](const std::vector<Couleur>& e) {
            return !memeLigneEcran(avant, e, lignePlan);
        };
    };
    // Right does nothing for a while: the time is what this checks.
    std::vector<Couleur> apresDroite = tiensTouche("Right", 800);
    EXPECT_TRUE(memeLigneEcran(debut, apresDroite, lignePlan)) << "Right still walks";

    enfonce("d");
    std::vector<Couleur> marche = attendEcran(640, 480, aDefile(apresDroite));
    EXPECT_FALSE(memeLigneEcran(apresDroite, marche, lignePlan)) << "D does not walk";

    // Paused with D still held: nothing moves, under a veil.
    appuie("p");
    std::vector<Couleur> gele1 = attendEcranStable(640, 480, [](const std::vector<Couleur>& e) {
        return pixelEcran(e, 100, 100).r < CielMonde.r - 50;
    });
    pause(1000); // still frozen a second later: the time is what this checks
    std::vector<Couleur> gele2 = captureEcranX(640, 480);
    ASSERT_FALSE(gele1.empty());
    EXPECT_EQ(pixelsDifferents(gele1, gele2, 0, 0, 640, 480), 0) << "the scene moved while paused";
    EXPECT_LT(pixelEcran(gele2, 100, 100).r, CielMonde.r - 50) << "no veil over the paused scene";

    // F12 saves the picture being shown, named after the date.
    appuie("F12");
    attendLigne("sortie.txt", "Capture enregistrée");
    std::vector<std::string> captures = fichiersDe("captures");
    ASSERT_EQ(captures.size(), 1u);
    EXPECT_TRUE(std::regex_match(captures[0], std::regex("corvanthelis-\\d{8}-\\d{6}\\.png")))
        << captures[0];
    EXPECT_EQ(differencesPNG("captures/" + captures[0], gele2, 640, 480), 0);
    EXPECT_NE(lisFichier("sortie.txt").find("captures/" + captures[0]), std::string::npos);

    // Options, music volume one step down: only that line of config.ini
    // changes.
    for (const char* t : {"Down", "Return", "Left"})
        appuie(t);
    std::string attendue = ConfigCommentee;
    attendue.replace(attendue.find("VolumeMusique=100"), 17, "VolumeMusique=90");
    attendQue([&] { return lisFichier("config.ini") == attendue; });
    EXPECT_EQ(lisFichier("config.ini"), attendue);

    // P again: the held D walks on.
    appuie("p");
    std::vector<Couleur> reprise1 = attendEcran(640, 480, pixelVaut(100, 100, CielMonde, 2));
    std::vector<Couleur> reprise2 = attendEcran(640, 480, aDefile(reprise1));
    relache("d");
    EXPECT_TRUE(couleurEn(reprise2, 100, 100, CielMonde, 2)) << "still veiled after P";
    EXPECT_FALSE(memeLigneEcran(reprise1, reprise2, lignePlan)) << "the scene stays frozen after P";
    quitteParEchap(jeu);
}

// Pixel (x, y) of a screenshot `largeur` wide.
Couleur pixelA(const std::vector<Couleur>& ecran, int largeur, int x, int y)
{
    return ecran[size_t(y) * largeur + x];
}

// Pixels of row y that are not black (0 for a failed screenshot).
int nonNoirs(const std::vector<Couleur>& ecran, int largeur, int y)
{
    int n = 0;
    if (ecran.size() < size_t(y + 1) * largeur)
        return 0;
    for (int x = 0; x < largeur; ++x)
        n += !procheCouleur(pixelA(ecran, largeur, x, y), {0, 0, 0}, 0);
    return n;
}

TEST(JeuJoueurPleinEcranE2E, DesktopSizeWithBarsThenStretchedFromTheOptions)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    ServeurXPrive serveur(1280, 1024);
    ASSERT_TRUE(serveur.pret());
    DossierTemporaire dossier;
    ASSERT_TRUE(ecritMondeDeTest(false));
    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=0\nResolutionVerticale=0\n"
                               "PleinEcran=1\nGarderProportions=1\nBilineaire=0\nVSync=1\nIntro=0\n");
    // The full-screen window has no title to look for, and takes the keys
    // wherever the pointer is.
    ProgrammeLance jeu(cheminBinaire("corvanthelis"), {});
    ASSERT_TRUE(jeu.lance());
    // The title fills the picture; Return plays.
    attendEcran(1280, 1024, [](const std::vector<Couleur>& e) { return nonNoirs(e, 1280, 500) > 0; }, 20000);
    appuie("Return");

    // 4:3 on 1280 x 1024: the 640 x 480 picture doubled, 32-pixel bars above
    // and below. The plane's band ends the picture at row 991.
    std::vector<Couleur> ecran = attendEcran(
        1280, 1024,
        [](const std::vector<Couleur>& e) {
            return nonNoirs(e, 1280, 991) > 0 && procheCouleur(pixelA(e, 1280, 200, 32 + 200), CielMonde, 2);
        },
        20000);
    ASSERT_FALSE(ecran.empty());
    EXPECT_TRUE(procheCouleur(pixelA(ecran, 1280, 200, 32 + 200), CielMonde, 2));
    EXPECT_TRUE(procheCouleur(pixelA(ecran, 1280, 1275, 32 + 200), CielMonde, 2));
    EXPECT_GT(nonNoirs(ecran, 1280, 991), 1000);
    int barres = 0;
    for (int y : {0, 31, 992, 1023})
        barres += nonNoirs(ecran, 1280, y);
    EXPECT_EQ(barres, 0);

    // Proportions off in the options: the picture takes the bars at once.
    for (const char* t : {"p", "Down", "Return", "Down", "Down", "Down", "Left", "p"})
        appuie(t);
    ecran = attendEcran(1280, 1024,
                        [](const std::vector<Couleur>& e) { return nonNoirs(e, 1280, 1020) > 1000; });
    attendLigne("config.ini", "GarderProportions=0");
    ASSERT_FALSE(ecran.empty());
    EXPECT_GT(nonNoirs(ecran, 1280, 1020), 1000);
    EXPECT_NE(lisFichier("config.ini").find("GarderProportions=0"), std::string::npos);
    quitteParEchap(jeu);
}

// The level's music as the disk driver writes it: silent at VolumeMusique=0,
// heard at 100. Both games run at once, each in its own folder.
TEST_F(JeuJoueurE2E, MusicVolumeZeroIsSilence)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIODELAY", "10", 1);
    // The level's music of the demo content built next to the game.
    const std::string musique = std::string(CORVANTHELIS_BIN_DIR) + "/data/zic/kvtr_piste2.ogg";
    ASSERT_TRUE(fichierExiste(musique)) << "the build's content step has not run";
    std::vector<std::unique_ptr<ProgrammeLance>> jeux;
    for (const char* volume : {"0", "100"}) {
        mkdir(volume, 0755);
        ASSERT_EQ(chdir(volume), 0);
        ASSERT_TRUE(ecritMondeDeTest(false));
        mkdir("data/zic", 0755);
        ASSERT_EQ(symlink(musique.c_str(), "data/zic/kvtr_piste2.ogg"), 0);
        ecritFichier("config.ini", lisFichier("config.ini") + "Intro=0\nVolumeMusique=" + volume + "\n");
        setenv("SDL_DISKAUDIOFILE", (dossier.chemin() + "/" + volume + "/son.raw").c_str(), 1);
        // Straight into the level, whose music this listens to.
        jeux.emplace_back(new ProgrammeLance(cheminBinaire("corvanthelis"), {"--niveau", "data/levels/level1.ini"}));
        ASSERT_EQ(chdir(".."), 0);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    // Both games have played a while (the silent one started first).
    attendQue(
        [] {
            return lisFichier("100/son.raw").size() >= 200000 && lisFichier("0/son.raw").size() > 100000;
        },
        DelaiAttente, 50);
    for (auto& jeu : jeux) {
        jeu->signale(SIGTERM);
        EXPECT_TRUE(jeu->attendFin(10000, nullptr));
    }
    const std::string muet = lisFichier("0/son.raw"), fort = lisFichier("100/son.raw");
    EXPECT_GT(muet.size(), 100000u) << lisFichier("0/erreurs.txt");
    EXPECT_EQ(creteSon(muet), 0);
    EXPECT_GT(creteSon(fort), 5000) << lisFichier("100/erreurs.txt");
}

}
