#include "support/DonneesJeu.h"

#include "foundation/Temps.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <cstdlib>
#include <sys/stat.h>

namespace testsupport {

bool ecritImageBMP(const std::string& nom, int largeur, int hauteur,
                   const std::function<Couleur(int, int)>& couleur)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, largeur, hauteur, 24, 0x0000FF, 0x00FF00,
                                          0xFF0000, 0);
    if (!s)
        return false;
    for (int y = 0; y < hauteur; ++y) {
        Uint8* ligne = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < largeur; ++x) {
            Couleur c = couleur(x, y);
            ligne[x * 3] = static_cast<Uint8>(c.r);
            ligne[x * 3 + 1] = static_cast<Uint8>(c.g);
            ligne[x * 3 + 2] = static_cast<Uint8>(c.b);
        }
    }
    bool ok = SDL_SaveBMP(s, nom.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

bool ecritNiveauBande(const std::string& dossier, const std::string& niveau, int hautPlan)
{
    std::string bande = dossier + "/bande.bmp";
    if (!ecritImageBMP(bande, 1000, 80, [](int x, int) {
            return Couleur{(x * 7) % 256, (x * 13) % 256, (x / 4) % 256};
        }))
        return false;
    std::string plan = "[Entete]\nnombreTiles=1\n[Tile1]\nnbPositions=17\nnbFrames=1\npathPlanche="
        + bande + "\n[Tile1Frame1]\npositionX=0\npositionY=0\nlongueur=1000\nhauteur=80\n";
    for (int k = 1; k <= 17; ++k)
        plan += "[Tile1Position" + std::to_string(k) + "]\npositionX=" + std::to_string((k - 1) * 1000)
            + "\npositionY=0\n";
    ecritFichier(dossier + "/plan1.ini", plan);
    ecritFichier(niveau, "[Entete]\nnombrePriorites=1\nnombrePlans=1\n[Plan1]\npathPlan=" + dossier
                             + "/plan1.ini\npriorite=1\nrepeatX=0\nrepeatY=0\npositionEcranX=0\n"
                               "positionEcranY="
                             + std::to_string(hautPlan) + "\nscrollRatio=100\n");
    return true;
}

void ecritConfigFenetre()
{
    ecritFichier("config.ini", "[VIDEO]\nResolutionHorizontale=640\nResolutionVerticale=480\n"
                               "PleinEcran=0\nBilineaire=0\nVSync=1\nMode16bits=0\nHogCPU=0\n");
}

bool ecritMondeDeTest(bool avecHeros)
{
    ecritConfigFenetre();
    for (const char* d : {"data", "data/levels", "data/levels/level1", "data/sprites"})
        mkdir(d, 0755);
    bool ok = ecritImageBMP("data/levels/level1/fond.jpg", 640, 360, [](int, int) { return CielMonde; })
        && ecritImageBMP("data/levels/level1/lune.bmp", 40, 40, [](int x, int y) {
               return (x < 4 || y < 4) ? Couleur{255, 0, 255} : Couleur{255, 255, 0};
           })
        && ecritNiveauBande("./data/levels", "data/levels/level1.ini", HautPlanMonde);
    if (!ok || !avecHeros)
        return ok;
    if (!ecritImageBMP("data/sprites/heros.bmp", 40, 60, [](int, int) { return Couleur{255, 0, 0}; }))
        return false;
    const char* noms[] = {"Repos", "Marche", "Saute", "Frappe", "FAccroupi", "FSaute", "Accroupi",
                          "Retourne"};
    std::string sprite = "[Entete]\nnbAnims=8\n";
    for (int n = 1; n <= 8; ++n) {
        std::string a = "Anim" + std::to_string(n);
        sprite += "[" + a + "]\nnbFrames=1\nnomAnim=" + noms[n - 1]
            + "\npathPlanche=./data/sprites/heros.bmp\n[" + a
            + "Frame1]\npositionX=0\npositionY=0\nlongueur=40\nhauteur=60\npause=100\n";
    }
    ecritFichier("data/sprites/vornaSprite.ini", sprite);
    return true;
}

void TestJeuGL::SetUp()
{
    TestGL::SetUp();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
    fixeTempsFactice(100000);
}

void TestJeuGL::TearDown()
{
    retireTempsFactice();
    TestGL::TearDown();
}

void pousseTouche(int touche)
{
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = static_cast<SDLKey>(touche);
    SDL_PushEvent(&e);
}

void pousseEvenement(int type)
{
    SDL_Event e = {};
    e.type = static_cast<Uint8>(type);
    SDL_PushEvent(&e);
}

std::vector<std::string> imagesManquantes(const std::string& erreurs)
{
    std::vector<std::string> noms;
    const std::string cle = "Nom de l'image: ";
    for (size_t p = erreurs.find(cle); p != std::string::npos; p = erreurs.find(cle, p + 1)) {
        size_t fin = erreurs.find('\n', p);
        noms.push_back(erreurs.substr(p + cle.size(), fin - p - cle.size()));
    }
    return noms;
}

void TestSurServeurX::SetUp()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    ASSERT_TRUE(serveur.pret()) << "Xvfb did not start";
    // A data folder keeps the programs in the scratch folder (without one
    // they would move to their own folder, where the demo content is).
    mkdir("data", 0755);
}

std::string attendFenetreActive(const std::string& titre, int ms)
{
    std::string fenetre = attendFenetre(titre, ms);
    if (!fenetre.empty())
        pointeSur(fenetre);
    return fenetre;
}

void quitteParEchap(ProgrammeLance& programme)
{
    appuie("Escape");
    int statut = -1;
    ASSERT_TRUE(programme.attendFin(15000, &statut)) << "still running after Escape";
    EXPECT_EQ(statut, 0);
}

std::vector<Couleur> tiensTouche(const std::string& touche, int ms)
{
    // Fixed waits on purpose: callers check what this much time does.
    enfonce(touche);
    pause(ms);
    relache(touche);
    pause(200);
    return captureEcranX(640, 480);
}

std::vector<Couleur> tiensToucheJusqua(const std::string& touche, const ConditionEcran& voulu,
                                       int delaiMs)
{
    enfonce(touche);
    std::vector<Couleur> ecran = attendEcran(640, 480, voulu, delaiMs);
    relache(touche);
    return ecran;
}

Couleur pixelEcran(const std::vector<Couleur>& ecran, int x, int y)
{
    return ecran[static_cast<size_t>(y) * 640 + x];
}

bool procheCouleur(Couleur a, Couleur b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance
        && std::abs(a.b - b.b) <= tolerance;
}

bool memeLigneEcran(const std::vector<Couleur>& a, const std::vector<Couleur>& b, int y)
{
    size_t fin = static_cast<size_t>(y + 1) * 640;
    if (y < 0 || a.size() < fin || b.size() < fin)
        return false;
    for (int x = 0; x < 640; ++x)
        if (!procheCouleur(pixelEcran(a, x, y), pixelEcran(b, x, y), 0))
            return false;
    return true;
}

int pixelsDifferents(const std::vector<Couleur>& a, const std::vector<Couleur>& b, int x0, int y0,
                     int x1, int y1)
{
    size_t fin = static_cast<size_t>(y1) * 640;
    if (a.size() < fin || b.size() < fin)
        return 0;
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (!procheCouleur(pixelEcran(a, x, y), pixelEcran(b, x, y), 0))
                ++n;
    return n;
}

::testing::AssertionResult couleurEn(const std::vector<Couleur>& ecran, int x, int y, Couleur attendue,
                                     int tolerance)
{
    if (ecran.empty())
        return ::testing::AssertionFailure() << "no screenshot";
    Couleur c = pixelEcran(ecran, x, y);
    if (procheCouleur(c, attendue, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << c.r << ", " << c.g
                                         << ", " << c.b << ", expected " << attendue.r << ", "
                                         << attendue.g << ", " << attendue.b;
}

ConditionEcran pixelVaut(int x, int y, Couleur attendue, int tolerance)
{
    return [=](const std::vector<Couleur>& ecran) {
        return bool(couleurEn(ecran, x, y, attendue, tolerance));
    };
}

}
