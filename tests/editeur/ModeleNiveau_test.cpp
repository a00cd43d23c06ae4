#include "editeur/ModeleNiveau.h"
#include "foundation/Messages.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <filesystem>

using namespace editeur;
using namespace testsupport;

namespace {

const std::string Niveau = "; demo\r\n[Entete]\r\nnombrePriorites=1\r\nnombrePlans=1\r\nnombreActeurs=2\r\n"
                           "arriveeX=900\r\n\r\n[Plan1]\r\npathPlan=p1.ini\r\npriorite=1\r\nscrollRatio=100\r\n\r\n"
                           "[Acteur1]\r\ntype=garde\r\npositionX=10\r\npositionY=20\r\npatrouille=120\r\n\r\n"
                           "[Acteur2]\r\ntype=chauve\r\npositionX=30\r\npositionY=40\r\n";

const std::string Plan = "[Entete]\nnombreTiles=2\n; tiles\n[Tile1]\nnbFrames=1\nnbPositions=2\n"
                         "pathPlanche=./data/a.bmp\ninconnu=7\n\n[Tile1Frame1]\npositionX=0\npositionY=0\n"
                         "longueur=32\nhauteur=32\n\n[Tile1Position1]\npositionX=100\npositionY=200\n\n"
                         "[Tile1Position2]\npositionX=300\npositionY=400\n\n[Tile2]\nnbFrames=0\n"
                         "nbPositions=0\npathPlanche=./data/b.bmp\n";

Element placement(int tile, int index)
{
    Element e;
    e.tile = tile;
    e.index = index;
    return e;
}

Element acteur(int index)
{
    Element e;
    e.genre = Element::Acteur;
    e.index = index;
    return e;
}

std::vector<std::pair<int, int>> positions(const CModeleNiveau& m, int tile)
{
    std::vector<std::pair<int, int>> p;
    for (const PositionEditee& pos : m.plans()[0].tiles[tile].positions)
        p.emplace_back(pos.x, pos.y);
    return p;
}

struct Fichiers {
    DossierTemporaire dossier;
    Fichiers()
    {
        ecritFichier("niveau.ini", Niveau);
        ecritFichier("p1.ini", Plan);
    }
};

TEST(ModeleNiveau, PlaceMoveDeleteThenUndoAndRedoEveryStep)
{
    Fichiers f;
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    ASSERT_EQ(m.plans().size(), 1u);
    ASSERT_EQ(m.plans()[0].tiles.size(), 2u);
    EXPECT_EQ(m.plans()[0].tiles[0].planche, "./data/a.bmp");
    EXPECT_EQ(positions(m, 0), (std::vector<std::pair<int, int>>{{100, 200}, {300, 400}}));
    ASSERT_EQ(m.acteurs().size(), 2u);
    EXPECT_EQ(m.acteurs()[1].type, "chauve");
    int x = 0;
    EXPECT_TRUE(m.arrivee(x));
    EXPECT_EQ(x, 900);
    EXPECT_FALSE(m.modifie());

    ASSERT_TRUE(m.placeTile(0, 0, 500, 600));
    ASSERT_TRUE(m.placeTile(0, 1, 7, 8));  // a tile without placements yet
    ASSERT_TRUE(m.deplace({placement(0, 0), acteur(1), placement(0, 0)}, 5, -5));
    ASSERT_TRUE(m.supprime({placement(0, 1)}));
    EXPECT_EQ(positions(m, 0), (std::vector<std::pair<int, int>>{{105, 195}, {500, 600}}));
    EXPECT_EQ(positions(m, 1), (std::vector<std::pair<int, int>>{{7, 8}}));
    EXPECT_EQ(m.acteurs()[1].x, 35);
    EXPECT_EQ(m.acteurs()[1].y, 35);
    EXPECT_TRUE(m.modifie());

    // Refused steps leave no entry.
    EXPECT_FALSE(m.placeTile(0, 2, 0, 0));
    EXPECT_FALSE(m.supprime({placement(0, 0), placement(0, 2)}));
    EXPECT_FALSE(m.placeActeur("Pas Valide", 0, 0));
    EXPECT_EQ(positions(m, 0).size(), 2u);
    EXPECT_FALSE(m.peutRetablir());

    ASSERT_TRUE(m.sauve());
    const std::string sauve = lisFichier("p1.ini");
    EXPECT_EQ(sauve, "[Entete]\nnombreTiles=2\n; tiles\n[Tile1]\nnbFrames=1\nnbPositions=2\n"
                     "pathPlanche=./data/a.bmp\ninconnu=7\n\n[Tile1Frame1]\npositionX=0\npositionY=0\n"
                     "longueur=32\nhauteur=32\n\n[Tile1Position1]\npositionX=105\npositionY=195\n\n"
                     "[Tile1Position2]\npositionX=500\npositionY=600\n\n[Tile2]\nnbFrames=0\n"
                     "nbPositions=1\npathPlanche=./data/b.bmp\n\n[Tile2Position1]\npositionX=7\npositionY=8\n");
    EXPECT_FALSE(m.modifie());

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(m.annule());
    EXPECT_FALSE(m.annule());
    EXPECT_TRUE(m.modifie());
    EXPECT_EQ(positions(m, 0), (std::vector<std::pair<int, int>>{{100, 200}, {300, 400}}));
    EXPECT_TRUE(m.plans()[0].tiles[1].positions.empty());
    EXPECT_EQ(m.acteurs()[1].x, 30);

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(m.retablit());
    EXPECT_FALSE(m.retablit());
    EXPECT_FALSE(m.modifie()); // back at the saved texts
    EXPECT_EQ(positions(m, 0), (std::vector<std::pair<int, int>>{{105, 195}, {500, 600}}));
    ASSERT_TRUE(m.annule());
    ASSERT_TRUE(m.placeActeur("garde", 1, 2)); // a new step drops the redo
    EXPECT_FALSE(m.peutRetablir());
}

TEST(ModeleNiveau, ActorKeysSurviveCopyPasteAndRenumberingAndSaveKeepsOtherBytes)
{
    Fichiers f;
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    PressePapier p = m.copie({acteur(0)});
    ASSERT_TRUE(m.deplace({acteur(0)}, 1, 1)); // the copy keeps what was copied
    std::vector<Element> colles;
    ASSERT_TRUE(m.colle(p, 100, 100, &colles));
    ASSERT_EQ(colles.size(), 1u);
    EXPECT_EQ(colles[0].index, 2);
    ASSERT_TRUE(m.supprime({acteur(0)}));
    ASSERT_EQ(m.acteurs().size(), 2u);
    EXPECT_EQ(m.acteurs()[0].type, "chauve");
    EXPECT_EQ(m.acteurs()[1].type, "garde");
    EXPECT_EQ(m.acteurs()[1].x, 110);

    ASSERT_TRUE(m.sauve());
    EXPECT_EQ(lisFichier("niveau.ini"),
              "; demo\r\n[Entete]\r\nnombrePriorites=1\r\nnombrePlans=1\r\nnombreActeurs=2\r\n"
              "arriveeX=900\r\n\r\n[Plan1]\r\npathPlan=p1.ini\r\npriorite=1\r\nscrollRatio=100\r\n\r\n"
              "[Acteur1]\r\ntype=chauve\r\npositionX=30\r\npositionY=40\r\n\r\n"
              "[Acteur2]\r\ntype=garde\r\npositionX=110\r\npositionY=120\r\npatrouille=120\r\n");
    EXPECT_EQ(lisFichier("p1.ini"), Plan); // not touched, not written
}

TEST(ModeleNiveau, TilesFramesAndPlaneKeysWriteOnlyWhatChanged)
{
    Fichiers f;
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    TileEditee t;
    t.planche = "./data/c.bmp";
    t.frames.resize(2);
    t.frames[0].longueur = t.frames[1].longueur = 16;
    t.frames[1].pause = 150;
    ASSERT_TRUE(m.ajouteTile(0, t));
    ASSERT_TRUE(m.placeTile(0, 2, 1, 2));
    t.frames.resize(1);
    t.frames[0].hauteur = 9;
    t.cleR = 255;
    ASSERT_TRUE(m.modifieTile(0, 2, t));
    ParametresPlanEdites p = m.plans()[0].parametres;
    EXPECT_EQ(p.scrollRatio, 100);
    p.repeatX = true;
    ASSERT_TRUE(m.fixeParametres(0, p));
    ASSERT_TRUE(m.sauve());
    std::string attendu = Plan;
    attendu.replace(attendu.find("nombreTiles=2"), 13, "nombreTiles=3");
    EXPECT_EQ(lisFichier("p1.ini"), attendu + "\n[Tile3]\nnbFrames=1\nnbPositions=1\npathPlanche=./data/c.bmp\n"
              "colorkeyR=255\ncolorkeyG=0\ncolorkeyB=0\n\n[Tile3Frame1]\npositionX=0\npositionY=0\n"
              "longueur=16\nhauteur=9\nvaleurAlpha=255\n\n[Tile3Position1]\npositionX=1\npositionY=2\n");
    EXPECT_NE(lisFichier("niveau.ini").find("scrollRatio=100\r\nrepeatX=1\r\n"), std::string::npos);

    // A pause that was written stays written when it goes back to 100.
    t.frames.resize(2);
    t.frames[1].pause = 150;
    ASSERT_TRUE(m.modifieTile(0, 2, t));
    EXPECT_EQ(m.plans()[0].tiles[2].frames[1].pause, 150);
    t.frames[1].pause = 100;
    ASSERT_TRUE(m.modifieTile(0, 2, t));
    ASSERT_TRUE(m.sauve());
    EXPECT_NE(lisFichier("p1.ini").find("[Tile3Frame2]\npositionX=0\npositionY=0\nlongueur=0\nhauteur=0\n"
                                        "valeurAlpha=255\npause=100\n\n[Tile3Position1]"),
              std::string::npos);

    // The panel's opacity is every frame's; a frame that differs shows as none.
    p = m.plans()[0].parametres;
    EXPECT_EQ(p.alpha, 255);
    p.alpha = 120;
    ASSERT_TRUE(m.fixeParametres(0, p));
    for (const TileEditee& tile : m.plans()[0].tiles)
        for (const FrameEditee& frame : tile.frames)
            EXPECT_EQ(frame.alpha, 120);
    t = m.plans()[0].tiles[2];
    t.frames[0].alpha = 7;
    ASSERT_TRUE(m.modifieTile(0, 2, t));
    EXPECT_EQ(m.plans()[0].parametres.alpha, -1);
    ASSERT_TRUE(m.annule());
    ASSERT_TRUE(m.annule());
    EXPECT_EQ(m.plans()[0].parametres.alpha, 255);

    // The level draws priorities 1 ... nombrePriorites (here 1) only.
    EXPECT_TRUE(m.dessineEnJeu(0));
    p = m.plans()[0].parametres;
    p.priorite = 2;
    ASSERT_TRUE(m.fixeParametres(0, p));
    EXPECT_FALSE(m.dessineEnJeu(0));
}

TEST(ModeleNiveau, AutosaveRoundTripAndACutOneIsRefused)
{
    Fichiers f;
    {
        CModeleNiveau m;
        ASSERT_TRUE(m.ouvre("niveau.ini"));
        ASSERT_TRUE(m.placeTile(0, 0, 11, 12));
        EXPECT_FALSE(CModeleNiveau::autosaveDisponible("niveau.ini"));
        ASSERT_TRUE(m.ecritAutosave());
        std::string copie;
        ASSERT_TRUE(m.ecritCopieJouable("jouer", copie));
        CModeleNiveau jouable;
        ASSERT_TRUE(jouable.ouvre(copie));
        EXPECT_EQ(jouable.plans()[0].chemin, "jouer/plan1.ini");
        EXPECT_EQ(jouable.plans()[0].tiles[0].positions.size(), 3u);
    }
    EXPECT_EQ(lisFichier("p1.ini"), Plan);
    ASSERT_TRUE(CModeleNiveau::autosaveDisponible("niveau.ini"));
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    ASSERT_TRUE(m.reprendAutosave());
    EXPECT_EQ(positions(m, 0).back(), std::make_pair(11, 12));
    ASSERT_TRUE(m.annule());
    EXPECT_EQ(positions(m, 0).size(), 2u);

    const std::string entier = lisFichier("niveau.ini.autosave");
    for (size_t coupe : {entier.size() - 1, entier.size() / 2, size_t(30)}) {
        ecritFichier("niveau.ini.autosave", entier.substr(0, coupe));
        Capture erreurs(2);
        EXPECT_FALSE(CModeleNiveau::autosaveDisponible("niveau.ini"));
        EXPECT_FALSE(m.reprendAutosave());
        EXPECT_NE(erreurs.texte().find("niveau.ini.autosave"), std::string::npos);
    }
    ASSERT_TRUE(m.retablit());
    ASSERT_TRUE(m.sauve());
    EXPECT_FALSE(fichierExiste("niveau.ini.autosave"));
}

TEST(ModeleNiveau, CheckerLinesOnTheSavedLevel)
{
    Fichiers f;
    std::filesystem::create_directories("data");
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 32, 24, 0xff0000, 0xff00, 0xff, 0);
    ASSERT_TRUE(image);
    SDL_SaveBMP(image, "data/a.bmp");
    SDL_FreeSurface(image);
    ecritFichier("niveau.ini", "[Entete]\nnombrePriorites=1\nnombrePlans=1\n[Plan1]\npathPlan=p1.ini\n"
                               "priorite=1\nrepeatX=0\nrepeatY=0\npositionEcranX=0\npositionEcranY=0\n"
                               "scrollRatio=100\n");
    ecritFichier("p1.ini", "[Entete]\nnombreTiles=0\n");
    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("niveau.ini"));
    // What the editor writes itself passes, a frame's pause included.
    TileEditee t;
    t.planche = "./data/a.bmp";
    t.frames.resize(1);
    t.frames[0].longueur = t.frames[0].hauteur = 32;
    t.frames[0].pause = 250;
    ASSERT_TRUE(m.ajouteTile(0, t));
    ASSERT_TRUE(m.placeTile(0, 0, 40, 50));
    ASSERT_TRUE(m.sauve());
    EXPECT_EQ(m.verifie(), std::vector<std::string>{});

    ASSERT_TRUE(m.placeActeur("absent", 5, 5));
    t.frames[0].longueur = 65; // wider than its sheet
    ASSERT_TRUE(m.modifieTile(0, 0, t));
    ASSERT_TRUE(m.sauve());
    EXPECT_EQ(m.verifie(), (std::vector<std::string>{
        "p1.ini:13: erreur : [Tile1Frame1] : rectangle 0, 0, 65 × 32 hors de la planche ./data/a.bmp (64 × 32)",
        "niveau.ini:15: erreur : type `absent` inconnu (./data/acteurs/absent.ini introuvable) : l'acteur est "
        "laissé de côté"}));
}

TEST(ModeleNiveau, ANewLevelHasOneEmptyPlaneAndItsSheetsComeFromTheLevelThenTheDisk)
{
    DossierTemporaire dossier;
    std::filesystem::create_directories("data/levels/level1");
    for (const char* f : {"data/levels/level1/b.png", "data/levels/level1/a.bmp", "data/levels/z.jpg",
                          "data/levels/notes.txt"})
        ecritFichier(f, "x");
    ASSERT_TRUE(CModeleNiveau::creeNiveau("data/levels/mien.ini"));
    EXPECT_FALSE(CModeleNiveau::creeNiveau("data/levels/mien.ini"));  // never over a level

    CModeleNiveau m;
    ASSERT_TRUE(m.ouvre("data/levels/mien.ini"));
    ASSERT_EQ(m.plans().size(), 1u);
    EXPECT_EQ(m.plans()[0].chemin, "data/levels/mien/sol.ini");
    EXPECT_TRUE(m.plans()[0].tiles.empty());
    EXPECT_EQ(m.plans()[0].parametres.scrollRatio, 100);
    EXPECT_TRUE(m.dessineEnJeu(0));
    EXPECT_EQ(m.verifie(), std::vector<std::string>{});

    auto noms = [&] {
        std::vector<std::string> n;
        for (const TileEditee& t : m.planchesPossibles(0))
            n.push_back(t.planche);
        return n;
    };
    EXPECT_EQ(noms(), (std::vector<std::string>{"./data/levels/level1/a.bmp", "./data/levels/level1/b.png",
                                                "./data/levels/z.jpg"}));
    // A sheet the level uses comes first, with its colour key.
    TileEditee t;
    t.planche = "./data/levels/z.jpg";
    t.cleR = 255, t.cleG = 0, t.cleB = 255;
    t.frames.resize(1);
    ASSERT_TRUE(m.ajouteTile(0, t));
    std::vector<TileEditee> choix = m.planchesPossibles(0);
    ASSERT_EQ(choix.size(), 3u);
    EXPECT_EQ(choix[0].planche, "./data/levels/z.jpg");
    EXPECT_EQ(choix[0].cleR, 255);
    EXPECT_EQ(choix[1].cleR, -1);
}

// Random bytes read as a level with nothing in it; saving that would have
// lost the file.
TEST(ModeleNiveau, AFileThatIsNoLevelIsNotOpened)
{
    DossierTemporaire dossier;
    std::string octets;
    uint32_t graine = 12345;
    for (int i = 0; i < 3072; ++i) {
        graine = graine * 1103515245u + 12345u;
        octets += static_cast<char>(graine >> 24);
    }
    ecritFichier("bruit.ini", octets);
    CModeleNiveau m;
    CCaptureMessages messages;
    EXPECT_FALSE(m.ouvre("bruit.ini"));
    EXPECT_EQ(messages.erreurs, "Ce fichier n'est pas un niveau (aucune section [Entete]) : bruit.ini\n");
    EXPECT_EQ(lisFichier("bruit.ini"), octets);
}

}
