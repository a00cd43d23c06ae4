// The data checker on broken copies of the generated demo content: one test
// per family of problem, each asserting the exact report lines.

#include "verification/Profil.h"
#include "verification/Verificateur.h"
#include "foundation/InputOutput.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

namespace {

namespace fs = std::filesystem;

class Verifie : public ::testing::Test {
protected:
    // A copy of the demo content in a scratch working folder.
    void SetUp() override
    {
        for (const char* f : {"config.ini", "data", "dataqv", "viewinfos.vwe", "viewanims.spr"})
            fs::copy(fs::path(CORVANTHELIS_BIN_DIR) / f, f, fs::copy_options::recursive);
    }

    // Replaces the first `avant` of a file by `apres` (appends when `avant` is empty).
    static void modifie(const std::string& fichier, const std::string& avant, const std::string& apres)
    {
        std::string t = testsupport::lisFichier(fichier);
        size_t p = avant.empty() ? t.size() : t.find(avant);
        ASSERT_NE(p, std::string::npos) << avant;
        testsupport::ecritFichier(fichier, t.replace(p, avant.size(), apres));
    }
    static void tronque(const std::string& fichier, long reste)
    {
        fs::resize_file(fichier, reste < 0 ? fs::file_size(fichier) + reste : reste);
    }

    void attend(const std::vector<std::string>& attendues) const { EXPECT_EQ(rapport.lignes(), attendues); }

    testsupport::DossierTemporaire dossier;
    CRapport rapport;
    CVerificateur verificateur{rapport};
};

TEST_F(Verifie, ConfigurationKeysAndValues)
{
    modifie("config.ini", "PleinEcran=0", "PleinEcrn=0");
    modifie("config.ini", "ResolutionVerticale=0", "ResolutionVerticale=4a");
    modifie("config.ini", "ResolutionHorizontale=0", "ResolutionHorizontale=-1");
    modifie("config.ini", "VSync=1", "VSync=2");
    verificateur.verifieConfiguration("config.ini");
    attend({"config.ini:3: erreur : ResolutionHorizontale vaut -1, hors de 0 … 16384",
            "config.ini:5: erreur : ResolutionVerticale : `4a` n'est pas un nombre entier, le jeu lit 4",
            "config.ini:7: erreur : clé inconnue `PleinEcrn` — vouliez-vous dire `PleinEcran` ?",
            "config.ini:11: erreur : VSync vaut 2 : seuls 0 et 1 comptent, le jeu garde 1"});
}

// What the reader skips, cuts or reads from elsewhere than the author meant.
TEST_F(Verifie, ReaderTraps)
{
    const char* niveau = "data/levels/level1.ini";
    modifie(niveau, "[Plan1]", "[Plan10]\n[Plan1]");               // line 6 shadows line 7
    modifie(niveau, "scrollRatio=20", "scrollRatio=20 ; lent");    // line 14
    modifie(niveau, "[Plan2]", "[Plan2]\npriorite=2\n[Plan2]");    // lines 15 and 17
    modifie(niveau, "./data/levels/level1/sol.ini",                 // line 34, 99 characters
            "./data/levels/level1/./../level1/../level1/../level1/../level1/../level1/../level1/sol.ini");
    modifie(niveau, "", "; fin\n[Plan6]");
    verificateur.verifieNiveau(niveau);
    const std::string f = "data/levels/level1.ini:";
    std::vector<std::string> attendues = {
        f + "7: erreur : la section [Plan1] est lue sous l'en-tête [Plan10] (ligne 6), qui commence pareil et "
            "vient avant : placez [Plan1] en premier",
        f + "14: avertissement : `;` ne commence un commentaire qu'en début de ligne : « ; lent » fait partie de "
            "la valeur de scrollRatio",
        f + "15: erreur : clé pathPlan absente de [Plan2] : le jeu prend `nothing`"};
    for (const char* cle : {"repeatX", "repeatY", "positionEcranX", "positionEcranY", "scrollRatio"})
        attendues.push_back(f + "15: avertissement : clé " + cle + " absente de [Plan2] : le jeu prend " +
                            (cle[0] == 'r' ? "0" : "1"));
    attendues.push_back(f + "17: erreur : section [Plan2] en double : seule la première (ligne 15) compte");
    const std::string coupe = "./data/levels/level1/./../level1/../level1/../level1/../level1/../level1/../level1/sol.in";
    attendues.push_back(f + "34: erreur : fichier introuvable : " + coupe);
    attendues.push_back(f + "34: erreur : ligne de 99 caractères, plus que les 98 que lit le jeu : le jeu lit `" + coupe + "`");
    attendues.push_back(f + "168: erreur : dernière ligne sans fin de ligne : le jeu l'ignore");
    attend(attendues);
}

// Lines the reader never takes as the author meant them.
TEST_F(Verifie, LinesTheGameDoesNotRead)
{
    testsupport::ecritFichier("config.ini", "Bilineaire=0\n[VIDEOS]\nVSync=0\nPleinEcran 0\n  [VIDEO]\nHogCPU=1\n"
                                            "[Vidéo]\nMode16bits=1\n");
    verificateur.verifieConfiguration("config.ini");
    attend({"config.ini:1: erreur : ligne hors de toute section : le jeu ne la lit jamais",
            "config.ini:2: erreur : pas d'en-tête [VIDEO] : le jeu lit à sa place [VIDEOS], qui commence pareil",
            "config.ini:4: erreur : ligne sans `=` : le jeu l'ignore",
            "config.ini:5: erreur : en-tête précédé d'espaces : le jeu ne l'ouvre pas, il ferme seulement la section "
            "d'avant",
            "config.ini:6: erreur : ligne hors de toute section : le jeu ne la lit jamais",
            "config.ini:7: erreur : section inconnue [Vidéo] — vouliez-vous dire [VIDEO] ?"});
}

// Counts against the sections present, priorities, placements without a frame.
TEST_F(Verifie, CountsPrioritiesAndPlacements)
{
    const char* niveau = "data/levels/level1.ini";
    modifie(niveau, "nombrePriorites=5", "nombrePriorites=4");
    modifie(niveau, "nombrePlans=5", "nombrePlans=6");
    modifie(niveau, "", "[Plan06]\n");
    modifie(niveau, "level1/montagnes.ini", "level1");
    modifie("data/levels/level1/nuages.ini", "nbFrames=1", "nbFrames=0");
    verificateur.verifieNiveau(niveau);
    attend({"data/levels/level1.ini: erreur : section [Plan6] absente : le jeu prend les valeurs par défaut",
            "data/levels/level1.ini:7: erreur : pas un fichier ordinaire : ./data/levels/level1",
            "data/levels/level1.ini:40: erreur : [Plan5] : priorité 5 hors de 1 … nombrePriorites (4) : le plan n'est "
            "jamais dessiné",
            "data/levels/level1.ini:164: erreur : section [Plan06] jamais lue : les numéros s'écrivent sans zéro devant",
            "data/levels/level1/nuages.ini:5: erreur : [Tile1] : 2 placements d'une tile sans image : ils ne "
            "dessinent rien",
            "data/levels/level1/nuages.ini:10: erreur : section [Tile1Frame1] jamais lue : nbFrames de [Tile1] vaut 0"});
}

// A level's own sky, moon and music are checked like the game's own, at
// the line that names them.
TEST_F(Verifie, LevelLook)
{
    const char* niveau = "data/levels/level1.ini";
    modifie(niveau, "arriveeX=14820\n",
            "arriveeX=14820\npathCiel=./data/levels/level1/absent.jpg\npathLune=./data/levels/level1/lune.bmp\n"
            "positionLuneX=2000\npathMusique=./data/zic/absente.ogg\n");
    testsupport::ecritFichier("data/levels/level1/lune.bmp", "BM pas une image");
    verificateur.verifieNiveau(niveau);
    std::vector<std::string> l = rapport.lignes();
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0], "data/levels/level1.ini:6: erreur : fichier introuvable : ./data/levels/level1/absent.jpg");
    EXPECT_EQ(l[1].rfind("data/levels/level1.ini:7: erreur : image illisible", 0), 0u) << l[1];
    EXPECT_EQ(l[2], "data/levels/level1.ini:8: erreur : positionLuneX vaut 2000, hors de -640 … 1280");
    EXPECT_EQ(l[3], "data/levels/level1.ini:9: erreur : fichier introuvable : le jeu reste muet : ./data/zic/absente.ogg");
}

// A tile frame's pause is optional; a negative or absurd one is refused.
TEST_F(Verifie, TileFramePauses)
{
    const char* plan = "data/levels/level1/montagnes.ini";
    modifie(plan, "valeurAlpha=255\n[Tile1Position1]", "valeurAlpha=255\npause=-5\n[Tile1Position1]");
    modifie(plan, "valeurAlpha=255\n[Tile2Position1]", "valeurAlpha=255\npause=120\n[Tile2Position1]");
    modifie(plan, "valeurAlpha=255\n[Tile3Position1]", "valeurAlpha=255\npause=90000\n[Tile3Position1]");
    verificateur.verifieNiveau("data/levels/level1.ini");
    attend({"data/levels/level1/montagnes.ini:16: erreur : pause vaut -5, hors de 0 … 60000",
            "data/levels/level1/montagnes.ini:71: erreur : pause vaut 90000, hors de 0 … 60000"});
}

// The hero: the names the game selects, frames inside their sheet.
TEST_F(Verifie, AnimationsAndRectangles)
{
    const char* heros = "data/sprites/vornaSprite.ini";
    modifie(heros, "nomAnim=Marche", "nomAnim=Marhce");
    modifie(heros, "positionX=468", "positionX=4000");
    verificateur.verifieSprite(heros, {"Repos", "Marche"});
    attend({"data/sprites/vornaSprite.ini: erreur : animation `Marche` absente : le jeu la choisit — vouliez-vous "
            "dire `Marhce` (ligne 55) ?",
            "data/sprites/vornaSprite.ini:58: erreur : [Anim2Frame1] : rectangle 4000, 0, 77 × 104 hors de la "
            "planche ./data/sprites/vorna.png (1021 × 418)"});
}

// A font: one glyph per character, rectangles inside the sheet, the '?'
// that stands for missing characters.
TEST_F(Verifie, FontGlyphs)
{
    const char* police = "data/polices/texte.ini";
    modifie(police, "code=33\nx=0\n", "code=33\nx=255\n");
    modifie(police, "code=34\n", "code=33\n");
    modifie(police, "code=63\n", "code=1063\n");
    verificateur.verifiePolice(police);
    attend({"data/polices/texte.ini: avertissement : pas de glyphe pour `?` : les caractères absents ne se "
            "dessinent pas",
            "data/polices/texte.ini:18: erreur : [Glyphe2] : rectangle 255, 0, 5 × 15 hors de la planche "
            "./data/polices/texte.png (256 × 213) : le glyphe ne se dessine pas",
            "data/polices/texte.ini:26: erreur : [Glyphe3] : caractère 33 déjà décrit ligne 17 : le jeu garde le "
            "premier"});
}

// Keys whose default draws nothing, and names the game can never select.
TEST_F(Verifie, KeysWithoutAUsefulDefault)
{
    const char* heros = "data/sprites/vornaSprite.ini";
    modifie(heros, "nomAnim=Saute", "nomAnim=Repos");
    modifie(heros, "longueur=76\n", "");
    modifie(heros, "pause=170", "pause=0");
    verificateur.verifieSprite(heros, {});
    attend({"data/sprites/vornaSprite.ini:14: erreur : clé longueur absente de [Anim1Frame1] : le jeu prend 0",
            "data/sprites/vornaSprite.ini:18: erreur : pause vaut 0, hors de 1 … 2147483647",
            "data/sprites/vornaSprite.ini:109: erreur : animation `Repos` déjà nommée ligne 12 : le jeu choisit toujours "
            "la première"});
}

// Pictures and music the game reads only in part are accepted, and reported.
TEST_F(Verifie, PartialDecodes)
{
    tronque("data/levels/level1/fond.jpg", 6000);
    tronque("data/intro/kvtrvorna1.gif", -1); // no trailer
    tronque("data/intro/thanks.png", -12); // no end chunk
    tronque("data/zic/kvtr_piste2.ogg", 100000);
    std::string ogg = testsupport::lisFichier("data/zic/kvtr_piste_intro.ogg");
    ogg[ogg.size() / 2] ^= 0x55; // a damaged byte inside a page
    testsupport::ecritFichier("data/zic/abimee.ogg", ogg);
    testsupport::ecritFichier("data/zic/kvtr_piste_intro.ogg", "OggS pas de musique");
    for (const char* image : {"data/levels/level1/fond.jpg", "data/intro/kvtrvorna1.gif", "data/intro/thanks.png"})
        verificateur.verifieImage(image);
    verificateur.verifieImage("data/intro/absente.png");
    verificateur.verifieMusique("data/zic/kvtr_piste2.ogg");
    verificateur.verifieMusique("data/zic/kvtr_piste_intro.ogg");
    verificateur.verifieMusique("data/zic/abimee.ogg");
    std::vector<std::string> l = rapport.lignes();
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[0], "data/levels/level1/fond.jpg: avertissement : image décodée en partie (données JPEG tronquées ou abîmées)");
    EXPECT_EQ(l[1], "data/intro/kvtrvorna1.gif: avertissement : image décodée en partie (données GIF tronquées)");
    EXPECT_EQ(l[2], "data/intro/thanks.png: avertissement : image décodée en partie (données PNG tronquées ou abîmées)");
    EXPECT_EQ(l[3], "data/intro/absente.png: erreur : fichier introuvable");
    EXPECT_EQ(l[4].rfind("data/zic/kvtr_piste2.ogg: avertissement : musique décodée en partie : fichier coupé", 0), 0u) << l[4];
    EXPECT_EQ(l[5].rfind("data/zic/kvtr_piste_intro.ogg: erreur : musique illisible par le mélangeur", 0), 0u) << l[5];
    EXPECT_EQ(l[6].rfind("data/zic/abimee.ogg: avertissement : musique décodée en partie : somme de contrôle fausse", 0), 0u) << l[6];
    EXPECT_EQ(rapport.nbErreurs(), 2);
}

TEST_F(Verifie, Viewer)
{
    testsupport::ecritFichier("viewinfos.vwe", std::string("Marhce\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
    verificateur.verifieVue("viewinfos.vwe", "viewanims.spr");
    tronque("viewanims.spr", -1);
    verificateur.verifieVue("viewinfos.vwe", "viewanims.spr");
    attend({"viewinfos.vwe: erreur : animation `Marhce` absente de viewanims.spr — vouliez-vous dire `Marche` ?",
            "viewanims.spr: erreur : sprite converti illisible : fichier tronqué"});
}

// The checker's view of a file is the game reader's, traps included.
TEST_F(Verifie, CheckerReadsLikeTheGame)
{
    testsupport::ecritFichier("p.ini", "[A10]\nk=10\n[A1]\n  k=1 ; note\r\nk=2\nnom=Abcdefghijklmnop\n"
                                       "[B]\n k =3\nv=x\n[B]\nv=y\n[C\nfin=9");
    CFichierProfil profil;
    ASSERT_TRUE(profil.charge("p.ini"));
    InputOutput io;
    testsupport::Capture notices(1);
    for (const char* section : {"A1", "A10", "B", "C", "D"})
        for (const char* cle : {"k", "k ", "nom", "v", "fin"}) {
            EXPECT_EQ(profil.cherche(section, cle, 100).trouvee ? atoi(profil.cherche(section, cle, 100).texte.c_str()) : -5,
                      io.getPrivateProfileInt(section, cle, -5, "p.ini", false)) << section << "/" << cle;
            char lu[12];
            bool trouvee = io.getPrivateProfileString(section, cle, "?", lu, sizeof lu, "p.ini", false) != 0;
            CFichierProfil::Valeur v = profil.cherche(section, cle, sizeof lu);
            EXPECT_EQ(v.trouvee, trouvee) << section << "/" << cle;
            if (trouvee) {
                EXPECT_EQ(v.texte, lu) << section << "/" << cle;
            }
        }
}

// Warnings leave the status at 0, one error makes it 1; the count says which.
TEST_F(Verifie, ProgramStatus)
{
    const std::string verifie = testsupport::cheminBinaire("verifie");
    tronque("data/intro/kvtrvorna1.gif", -1);
    std::string sortie;
    EXPECT_EQ(testsupport::execute(verifie + " " + dossier.chemin(), &sortie), 0);
    EXPECT_EQ(sortie, "data/intro/kvtrvorna1.gif: avertissement : image décodée en partie (données GIF tronquées)\n"
                      "0 erreur, 1 avertissement\n");
    modifie("config.ini", "HogCPU", "HogCPUU");
    EXPECT_EQ(testsupport::execute("cd " + dossier.chemin() + " && " + verifie, &sortie), 1);
    EXPECT_NE(sortie.find("\n1 erreur, 1 avertissement\n"), std::string::npos) << sortie;
    EXPECT_EQ(testsupport::execute(verifie + " " + dossier.chemin() + "/absent", &sortie), 1);
}

// Actors: a level's sections, the type files they name, the sounds these
// play and the hero's strike rectangles, reported where the author wrote them.
TEST_F(Verifie, ActorsTypesAndSounds)
{
    const char* niveau = "data/levels/level1.ini";
    modifie(niveau, "arriveeX=14820", "arriveeX=20000");                          // line 5
    modifie(niveau, "type=lueur\npositionX=3480", "type=lueu\npositionX=3480"); // line 47
    modifie(niveau, "[Acteur2]", "[Acteur2]\nvitese=30");                        // line 51
    modifie(niveau, "[Acteur3]\ntype=lueur", "[Acteur3]\ntype=Lueur");           // line 56
    const char* loup = "data/acteurs/loup.ini";
    modifie(loup, "sante=3", "sante=-2");                  // line 4
    modifie(loup, "contactLargeur=88", "contactLargeur=200");  // line 8, reported at contactX (6)
    modifie(loup, "attaque=Attaque", "attaque=Ataque");    // line 13
    modifie(loup, "attaque=grognement", "attaque=grogne"); // line 25
    modifie("data/sons/effets.ini", "./data/sons/touche.wav", "./data/sons/absent.wav"); // line 8
    modifie("data/sons/saut.wav", "RIFF", "RIFX");
    modifie(niveau, "nombreActeurs=29", "nombreActeurs=28");  // [Acteur29] at line 161
    const char* heros = "data/sprites/vornaSprite.ini";
    modifie(heros, "contactLargeur=28", "contactLargeur=90"); // line 5, reported at contactX (3)
    modifie(heros, "frappeFin=4", "frappeFin=9");             // line 153
    modifie(heros, "frappeY=21\n", "");                        // [Anim5], frappeX at line 192
    verificateur.verifieTout();
    attend({"data/sons/effets.ini:8: erreur : fichier introuvable : ./data/sons/absent.wav",
            "data/sons/effets.ini:20: erreur : pas un fichier WAV : ./data/sons/saut.wav",
            "data/levels/level1.ini:5: erreur : arriveeX vaut 20000, hors de 304 … 14880",
            "data/levels/level1.ini:47: erreur : type `lueu` inconnu (./data/acteurs/lueu.ini introuvable) : l'acteur "
            "est laissé de côté — vouliez-vous dire `lueur` ?",
            "data/levels/level1.ini:51: erreur : clé inconnue `vitese` — vouliez-vous dire `vitesse` ?",
            "data/levels/level1.ini:56: erreur : [Acteur3] : type `Lueur` : seuls a-z, 0-9 et _ sont permis, l'acteur "
            "est laissé de côté",
            "data/levels/level1.ini:161: erreur : section [Acteur29] jamais lue : nombreActeurs vaut 28",
            "data/acteurs/loup.ini:4: erreur : sante vaut -2, hors de 0 … 1000",
            "data/acteurs/loup.ini:6: erreur : [Acteur] : rectangle de contact 28, 28, 200 × 60 hors du cadre de "
            "`Repos` (140 × 92)",
            "data/acteurs/loup.ini:13: erreur : attaque : animation `Ataque` absente de ./data/sprites/loup.ini — "
            "vouliez-vous dire `Attaque` ?",
            "data/acteurs/loup.ini:25: avertissement : attaque : son `grogne` absent de ./data/sons/effets.ini : "
            "l'acteur reste muet ici",
            "data/sprites/vornaSprite.ini:3: erreur : [Entete] : rectangle de contact 24, 6, 90 × 98 hors du cadre de "
            "`Repos` (76 × 104)",
            "data/sprites/vornaSprite.ini:153: erreur : [Anim4] : images de frappe 2 … 9 hors de 1 … nbFrames (5)",
            "data/sprites/vornaSprite.ini:192: erreur : [Anim5] : une frappe demande frappeX, frappeY, frappeLargeur, "
            "frappeHauteur, frappeDebut et frappeFin"});
}

TEST(VerifieMots, TypoSuggestions)
{
    const std::vector<std::string> cles = {"PleinEcran", "Bilineaire", "VSync", "HogCPU"};
    EXPECT_EQ(plusProche("PleinEcrn", cles), "PleinEcran");
    EXPECT_EQ(plusProche("pleinecran", cles), "PleinEcran");
    EXPECT_EQ(plusProche("Bilinaeire", cles), "Bilineaire"); // two letters swapped
    EXPECT_EQ(plusProche("Vsync", cles), "VSync");
    EXPECT_EQ(plusProche("Resolution", cles), "");
}

}

namespace {

// An author's second level, which no program names yet, with a misspelled
// type: the plain run finds it, and so does a run on that file alone, which
// checks nothing else. A plane file given alone is checked as a plane.
TEST_F(Verifie, AuthorsLevelsAndOneLevelAlone)
{
    const std::string verifie = "cd " + dossier.chemin() + " && " + testsupport::cheminBinaire("verifie");
    std::string niveau = testsupport::lisFichier("data/levels/level1.ini");
    testsupport::ecritFichier("data/levels/mien.ini", niveau);
    modifie("data/levels/mien.ini", "type=loup", "type=lou");
    const size_t ligne = std::count(niveau.begin(), niveau.begin() + niveau.find("type=loup"), '\n') + 1;
    const std::string attendue = "data/levels/mien.ini:" + std::to_string(ligne) +
                                 ": erreur : type `lou` inconnu (./data/acteurs/lou.ini introuvable) : l'acteur est "
                                 "laissé de côté — vouliez-vous dire `loup` ?\n";
    modifie("config.ini", "HogCPU", "HogCPUU");  // not the level's: left out of the level's run
    auto lance = [&](const std::string& argument, std::string& sortie) {
        sortie.clear();
        return testsupport::execute(verifie + argument, &sortie);
    };
    std::string sortie;
    EXPECT_EQ(lance("", sortie), 1);
    EXPECT_NE(sortie.find(attendue), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("config.ini"), std::string::npos) << sortie;
    EXPECT_EQ(sortie.find("level1/sol.ini: avertissement"), std::string::npos) << sortie;  // planes are no levels

    EXPECT_EQ(lance(" data/levels/mien.ini", sortie), 1);
    EXPECT_EQ(sortie, attendue + "1 erreur, 0 avertissement\n");
    EXPECT_EQ(lance(" ./data/levels/level1/sol.ini", sortie), 0);
    EXPECT_EQ(sortie, "0 erreur, 0 avertissement\n");
    EXPECT_EQ(lance(" data/levels/absent.ini", sortie), 1);
    EXPECT_EQ(sortie, "data/levels/absent.ini: erreur : fichier introuvable\n");
}

}
