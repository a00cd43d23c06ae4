// Checks the output of the build's content step, so it runs with the end-to-end tests.
// The generated runtime folder: every file the game's modes open is there,
// and every description file keeps the rules of the game's profile reader.

#include "ContenuCommun.h"
#include "game/ControleHeros.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;

bool existe(const std::string& relatif) {
    std::string p = relatif.rfind("./", 0) == 0 ? relatif.substr(2) : relatif;
    return fs::is_regular_file(fs::path(contenu::dossier()) / p) && fs::file_size(fs::path(contenu::dossier()) / p) > 0;
}

// Value of `cle` in every section of a profile text, in file order.
std::vector<std::string> valeurs(const std::string& texte, const std::string& cle) {
    std::vector<std::string> r;
    std::istringstream in(texte);
    std::string ligne;
    while (std::getline(in, ligne))
        if (ligne.rfind(cle + "=", 0) == 0) r.push_back(ligne.substr(cle.size() + 1));
    return r;
}

std::vector<std::string> descriptions() {
    std::vector<std::string> r;
    for (const char* d : {"data", "dataqv"})
        for (const std::string& f : contenu::fichiers(contenu::dossier(), d))
            if (f.size() > 4 && f.compare(f.size() - 4, 4, ".ini") == 0) r.push_back(f);
    r.push_back("config.ini");
    return r;
}

}

TEST(Contenu, EveryFileTheGameOpensExists) {
    std::vector<std::string> attendus = {
        "config.ini", "viewinfos.vwe", "viewanims.spr",
        "./data/levels/level1.ini", "./data/levels/level1/fond.jpg", "./data/levels/level1/lune.bmp",
        "./data/sprites/vornaSprite.ini", "./data/zic/kvtr_piste_intro.ogg", "./data/zic/kvtr_piste2.ogg",
        "./dataqv/levels/level1.ini", "./data/parcours.ini", "./data/titre/titre.png",
    };
    for (const char* i : {"thanks.png", "logo_quarvelin.png", "logo_SDL.png", "logo_GL.png", "logo_vask.png", "cr_mirvane.png",
                          "cr_quenb.png", "cr_dorva.png", "cr_selku.png", "presents.png", "vorna_intro3.png",
                          "vorna_intro3-1.png", "kvtrvorna1.gif"})
        attendus.push_back(std::string("./data/intro/") + i);
    for (int n = 1; n <= 95; ++n) attendus.push_back("./data/cin/gameover/anim_gameover_" + std::to_string(n) + ".png");
    // And everything the description files name: planes and sheets.
    for (const std::string& f : descriptions()) {
        std::string texte = contenu::lis(contenu::dossier() + "/" + f);
        for (const char* cle : {"pathPlan", "pathPlanche", "pathCiel", "pathLune", "pathMusique", "fichier"})
            for (const std::string& v : valeurs(texte, cle)) attendus.push_back(v);
    }
    for (const std::string& a : attendus) EXPECT_TRUE(existe(a)) << a;
    EXPECT_GT(attendus.size(), 130u);
}

TEST(Contenu, ViewerShowsTheWalk) {
    std::string v = contenu::lis(contenu::dossier() + "/viewinfos.vwe");
    ASSERT_EQ(v.size(), 20u);
    EXPECT_STREQ(v.c_str(), "Marche");
}

// The reader opens the first header that begins with the wanted name, reads
// lines through short buffers and only knows a key by its line break.
TEST(Contenu, DescriptionsKeepToTheReadersRules) {
    std::vector<std::string> liste = descriptions();
    ASSERT_GE(liste.size(), 12u);
    for (const std::string& f : liste) {
        std::string texte = contenu::lis(contenu::dossier() + "/" + f);
        ASSERT_FALSE(texte.empty()) << f;
        EXPECT_EQ(texte.back(), '\n') << f << ": la dernière ligne n'a pas de fin de ligne";
        EXPECT_EQ(texte.find('\r'), std::string::npos) << f;
        std::vector<std::string> sections;
        std::istringstream in(texte);
        std::string ligne;
        while (std::getline(in, ligne)) {
            EXPECT_LT(ligne.size() + 1, 100u) << f << ": " << ligne;
            if (ligne.rfind("nomAnim=", 0) == 0) {
                EXPECT_LE(ligne.size() + 1, 19u) << f << ": nom coupé: " << ligne;
            }
            if (ligne.empty() || ligne[0] != '[') continue;
            std::string nom = ligne.substr(1, ligne.find(']') - 1);
            for (const std::string& avant : sections)
                EXPECT_NE(avant.compare(0, nom.size(), nom), 0) << f << ": [" << avant << "] masque [" << nom << "]";
            sections.push_back(nom);
        }
    }
}

// The levels and the sprite file hold what the game asks for by name.
TEST(Contenu, LevelAndHeroAreComplete) {
    std::string sprite = contenu::lis(contenu::dossier() + "/data/sprites/vornaSprite.ini");
    std::set<std::string> noms;
    for (const std::string& n : valeurs(sprite, "nomAnim")) noms.insert(n);
    EXPECT_EQ(noms, (std::set<std::string>{"Repos", "Marche", "Saute", "Frappe", "FAccroupi", "FSaute", "Accroupi", "Retourne"}));

    // The journey lists the three levels, each with a name to show.
    std::string parcours = contenu::lis(contenu::dossier() + "/data/parcours.ini");
    std::vector<std::string> fichiers = valeurs(parcours, "fichier");
    EXPECT_EQ(valeurs(parcours, "nombreNiveaux"), std::vector<std::string>{"3"});
    EXPECT_EQ(fichiers, (std::vector<std::string>{"./data/levels/level1.ini", "./data/levels/marais.ini", "./data/levels/col.ini"}));
    for (const std::string& nom : valeurs(parcours, "nom")) EXPECT_FALSE(nom.empty());
    // The title painting fills the screen (the PNG header's width and height).
    std::string titre = contenu::lis(contenu::dossier() + "/data/titre/titre.png");
    ASSERT_GT(titre.size(), 24u);
    auto entier = [&](size_t i) { return (uint8_t(titre[i]) << 24) | (uint8_t(titre[i + 1]) << 16) | (uint8_t(titre[i + 2]) << 8) | uint8_t(titre[i + 3]); };
    EXPECT_EQ(entier(16), 640);
    EXPECT_EQ(entier(20), 480);

    for (const std::string& f : fichiers) {
        SCOPED_TRACE(f);
        std::string niveau = contenu::lis(contenu::dossier() + "/" + f.substr(2));
        // Every level can be finished, has its shrine and two lanterns (the
        // checkpoints), and names only actor types that exist.
        std::vector<std::string> arrivee = valeurs(niveau, "arriveeX"), types = valeurs(niveau, "type");
        ASSERT_EQ(arrivee.size(), 1u);
        EXPECT_LE(std::stoi(arrivee[0]), 14880);
        EXPECT_EQ(std::count(types.begin(), types.end(), "lanterne"), 2);
        EXPECT_EQ(std::count(types.begin(), types.end(), "sanctuaire"), 1);
        for (const std::string& t : types) EXPECT_TRUE(existe("./data/acteurs/" + t + ".ini")) << t;
        std::vector<std::string> ratios = valeurs(niveau, "scrollRatio");
        ASSERT_GE(ratios.size(), 4u);
        std::set<std::string> differents(ratios.begin(), ratios.end());
        EXPECT_GE(differents.size(), 4u);
        // The ground plane (ratio 100, not repeating) covers the whole walk,
        // positions 4 to 14580 plus one screen, with tiles on line 370 (the
        // props standing on it don't count).
        std::vector<std::string> plans = valeurs(niveau, "pathPlan"), repete = valeurs(niveau, "repeatX");
        for (size_t i = 0; i < ratios.size(); ++i) {
            if (ratios[i] != "100") continue;
            EXPECT_EQ(repete[i], "0");
            std::string plan = contenu::lis(contenu::dossier() + "/" + plans[i].substr(2));
            std::vector<std::string> xs = valeurs(plan, "positionX"), ys = valeurs(plan, "positionY");
            std::set<int> sol;
            for (size_t k = 0; k < xs.size() && k < ys.size(); ++k)
                if (ys[k] == "370") sol.insert(std::stoi(xs[k]));
            for (int x = 0; x < 14580 + 640; x += 256) EXPECT_TRUE(sol.count(x)) << "pas de sol en " << x;
        }
    }
}

// Every boulder of the pass can be jumped from a standstill: the hero's
// feet stay above its contact rectangle for longer than it takes to roll
// under him.
TEST(Contenu, BouldersCanBeJumpedOver) {
    auto premier = [](const std::string& texte, const std::string& cle) { return std::stoi(valeurs(texte, cle).at(0)); };
    std::string heros = contenu::lis(contenu::dossier() + "/data/sprites/vornaSprite.ini");
    std::string rocher = contenu::lis(contenu::dossier() + "/data/acteurs/rocher.ini");
    std::string niveau = contenu::lis(contenu::dossier() + "/data/levels/col.ini");
    const int piedsEnSaut = CControleHeros::BaseSautY + premier(heros, "contactY") + premier(heros, "contactHauteur");  // minus the height
    const int largeurs = premier(heros, "contactLargeur") + premier(rocher, "contactLargeur");
    const int vitesse = premier(rocher, "vitesseAttaque");
    ASSERT_GT(vitesse, 0);
    const double passage = 1000.0 * largeurs / vitesse;  // ms the two overlap in x
    std::vector<std::string> types = valeurs(niveau, "type"), ys = valeurs(niveau, "positionY");
    int rochers = 0;
    for (size_t i = 0; i < types.size(); ++i) {
        if (types[i] != "rocher") continue;
        ++rochers;
        int haut = std::stoi(ys[i]) + premier(rocher, "contactY");
        int hauteurMin = piedsEnSaut - haut;  // the jump height that clears it
        double auDessus = 2.0 * (CControleHeros::HauteurMaxSaut - hauteurMin) * CControleHeros::MsParPixel;
        EXPECT_GT(auDessus, passage) << "rocher " << rochers;
    }
    EXPECT_GE(rochers, 5);
}

// The data checker finds nothing to say about the demo content.
TEST(Contenu, CheckerFindsNothing) {
    std::string sortie;
    int statut = testsupport::execute("cd " CORVANTHELIS_BIN_DIR " && ./verifie", &sortie);
    EXPECT_EQ(statut, 0) << sortie;
    EXPECT_EQ(sortie, "0 erreur, 0 avertissement\n");
}
