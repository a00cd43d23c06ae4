// The generated content read by the game's own loaders: no reader or loader
// complains, the hero's frames fit the places the game puts them, both
// music files load, and so do the actors, the heads-up pictures and the
// sound effects.

#include "ContenuCommun.h"
#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include "foundation/InputOutput.h"
#include "game/ApercuActeurs.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "render/CTexte.h"
#include "scenery/CLevel.h"
#include "sprites/CAnimGL.h"
#include "sprites/CSprite.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

class DansLeContenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::ouvreContexteGL());
        char ici[4096];
        ASSERT_NE(getcwd(ici, sizeof ici), nullptr);
        precedent_ = ici;
        ASSERT_EQ(chdir(contenu::dossier().c_str()), 0);
    }
    void TearDown() override { (void)!chdir(precedent_.c_str()); }
    std::string precedent_;
};

void sansPlainte(const std::string& sortie, const std::string& quoi) {
    for (const char* m : {"Pas de section correspondante", "Pas d'identifiant correspondant", "Impossible"})
        EXPECT_EQ(sortie.find(m), std::string::npos) << quoi << " : " << sortie.substr(0, 2000);
}

}

TEST_F(DansLeContenu, LevelsLoadWithoutAFailureMessage) {
    for (const char* fichier : {"./data/levels/level1.ini", "./data/levels/marais.ini", "./data/levels/col.ini", "./dataqv/levels/level1.ini"}) {
        testsupport::Capture sortie(1), erreurs(2);
        CLevel niveau;
        EXPECT_EQ(niveau.initFromIniFile(fichier), 0);
        std::string texte = sortie.texte() + erreurs.texte();
        sansPlainte(texte, fichier);
    }
}

TEST_F(DansLeContenu, HeroLoadsAndItsFeetStayOnTheGround) {
    testsupport::Capture sortie(1), erreurs(2);
    CSprite heros;
    EXPECT_EQ(heros.initFromIniFile("./data/sprites/vornaSprite.ini"), 0);
    sansPlainte(sortie.texte() + erreurs.texte(), "vornaSprite.ini");
    ASSERT_EQ(heros.getNbAnims(), 8);
    // The game puts the sprite's top at these heights; frames that reach
    // line 390 keep the feet on the ground line in every state.
    const std::map<std::string, int> hautEcran = {{"Repos", 286}, {"Marche", 286}, {"Retourne", 286}, {"Frappe", 292},
                                                  {"FAccroupi", 316}, {"Accroupi", 300}, {"Saute", 295}, {"FSaute", 295}};
    int etroite = -1;
    for (int a = 0; a < heros.getNbAnims(); ++a) {
        CAnimGL* anim = heros.getAnim(a);
        std::string nom = anim->getNomAnimation();
        ASSERT_TRUE(hautEcran.count(nom)) << nom;
        EXPECT_GE(anim->getNbImages(), nom == "Marche" ? 8 : 3) << nom;
        int larg = 1 << 30, plusLarge = 0;
        for (int i = 0; i < anim->getNbImages(); ++i) {
            CImageAnim* f = anim->getImage(i);
            EXPECT_EQ(f->getHauteur(), 390 - hautEcran.at(nom)) << nom << " image " << i;
            EXPECT_GT(f->getTempsPause(), 0u) << nom << " image " << i;
            larg = std::min(larg, f->getLongueur());
            plusLarge = std::max(plusLarge, f->getLongueur());
        }
        // One narrowest width for every animation, so that a mirrored hero
        // keeps its body in place from one state to the next.
        if (etroite < 0) etroite = larg;
        EXPECT_EQ(larg, etroite) << nom;
        if (nom == "Frappe") {
            EXPECT_GT(plusLarge, etroite + 20);
        }
    }
}

// Both fonts load, and every French letter menus need has a glyph of its
// own rather than the stand-in '?'.
TEST_F(DansLeContenu, FontsLoadWithEveryFrenchLetter) {
    const std::string lettres = u8"àâäçéèêëîïôöùûüÿœŒÀÂÇÉÈÊËÎÏÔÙÛÜ«»€…’–—°";
    for (const char* fichier : {"./data/polices/texte.ini", "./data/polices/titre.ini"}) {
        testsupport::Capture sortie(1), erreurs(2);
        CTexte police;
        EXPECT_EQ(police.charge(fichier), 0);
        sansPlainte(sortie.texte() + erreurs.texte(), fichier);
        EXPECT_GT(police.getHauteurLigne(), police.getBase());
        const int point = police.largeur("?");
        const char* p = lettres.data();
        while (p < lettres.data() + lettres.size()) {
            const char* debut = p;
            lisCaractereUtf8(p, lettres.data() + lettres.size());
            std::string lettre(debut, p);
            // Each is drawn: its width is its own, or at least it is not '?'.
            testsupport::effaceEcran();
            police.affiche(100, 100, lettre);
            std::vector<testsupport::Pixel> a = testsupport::lisEcran();
            testsupport::effaceEcran();
            police.affiche(100, 100, "?");
            EXPECT_TRUE(a != testsupport::lisEcran() || police.largeur(lettre) != point) << fichier << " " << lettre;
        }
    }
}

TEST_F(DansLeContenu, MusicLoads) {
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
    for (const char* f : {"./data/zic/kvtr_piste_intro.ogg", "./data/zic/kvtr_piste2.ogg", "./data/zic/marais.ogg", "./data/zic/col.ogg"}) {
        Mix_Music* m = Mix_LoadMUS(f);
        EXPECT_NE(m, nullptr) << f << " : " << Mix_GetError();
        if (m) Mix_FreeMusic(m);
    }
    Mix_CloseAudio();
}

// The sky picture is tinted and the band above it is not: under every tint
// the rows either side of the line where they meet look alike.
TEST_F(DansLeContenu, TintedSkyMeetsTheBandWithoutASeam) {
    CImageGL ciel;
    CLevel niveau;
    {
        testsupport::Capture sortie(1), erreurs(2);
        ciel.chargeImageSDL("./data/levels/level1/fond.jpg", -1, 0, 0);
        niveau.initFromIniFile("./data/levels/level1.ini");
    }
    niveau.setPositionX(2800);
    for (int touche = SDLK_1; touche <= SDLK_9; ++touche) {
        unsigned char r, g, b;
        ASSERT_TRUE(teinteCiel(touche, r, g, b));
        ciel.setBrightness(r, g, b);
        testsupport::effaceEcran();
        ciel.affiche(0, 40, 0, 0, 640, 360);
        niveau.drawScene(0, 0, false, true, false, false);
        std::vector<testsupport::Pixel> ecran = testsupport::lisEcran();
        // The band fades out over the sky between lines 40 and 48: the
        // median colour of a line (stars aside) never jumps there.
        auto mediane = [&](int y, int canal) {
            std::vector<int> v;
            for (int x = 0; x < 640; ++x) {
                const testsupport::Pixel& p = ecran[y * 640 + x];
                v.push_back(canal == 0 ? p.r : canal == 1 ? p.g : p.b);
            }
            std::nth_element(v.begin(), v.begin() + 320, v.end());
            return v[320];
        };
        for (int y = 32; y < 56; ++y)
            for (int canal = 0; canal < 3; ++canal)
                EXPECT_LE(std::abs(mediane(y, canal) - mediane(y + 1, canal)), 2)
                    << "teinte " << touche - SDLK_0 << ", ligne " << y << ", canal " << canal;
    }
}

// Every actor type: its sprite loads without a word, names the animations
// its type file asks for, and its contact rectangle lies on the painted
// body (drawn over black, most of the rectangle is painted). The level's
// actors, the heads-up pictures and the sound effects load too.
TEST_F(DansLeContenu, ActorsHudAndEffectsLoad) {
    InputOutput io(true);
    for (const std::string& f : contenu::fichiers(".", "data/acteurs")) {
        const std::string type = "./" + f;
        char chemin[200];
        ASSERT_GT(io.getPrivateProfileString("Acteur", "sprite", "", chemin, sizeof chemin, type.c_str(), false), 0) << f;
        testsupport::Capture sortie(1), erreurs(2);
        CSprite sprite;
        EXPECT_EQ(sprite.initFromIniFile(chemin), 0) << f;
        sansPlainte(sortie.texte() + erreurs.texte(), chemin);
        for (const char* cle : {"repos", "marche", "attaque", "blesse", "mort", "allume"}) {
            char nom[100];
            if (io.getPrivateProfileString("Animations", cle, "", nom, sizeof nom, type.c_str(), false) <= 0) continue;
            sprite.setAnimationCourante(nom);
            ASSERT_NE(sprite.getAnimationCourante(), nullptr);
            EXPECT_STREQ(sprite.getAnimationCourante()->getNomAnimation(), nom) << f << " " << cle;
        }
        char repos[100];
        io.getPrivateProfileString("Animations", "repos", "", repos, sizeof repos, type.c_str(), false);
        sprite.setAnimationCourante(repos);
        CAnimGL* a = sprite.getAnimationCourante();
        const int cx = io.getPrivateProfileInt("Acteur", "contactX", -1, type.c_str(), false);
        const int cy = io.getPrivateProfileInt("Acteur", "contactY", -1, type.c_str(), false);
        const int cl = io.getPrivateProfileInt("Acteur", "contactLargeur", 0, type.c_str(), false);
        const int ch = io.getPrivateProfileInt("Acteur", "contactHauteur", 0, type.c_str(), false);
        ASSERT_GE(cx, 0);
        ASSERT_GE(cy, 0);
        EXPECT_LE(cx + cl, a->getLongueurImageCourante()) << f;
        EXPECT_LE(cy + ch, a->getHauteurImageCourante()) << f;
        char comportement[100];
        io.getPrivateProfileString("Acteur", "comportement", "", comportement, sizeof comportement, type.c_str(), false);
        if (std::string(comportement) == "sanctuaire") continue;  // touches nothing; a faint glow at rest
        testsupport::effaceEcran();
        a->afficheImageCourante(100, 100);
        std::vector<testsupport::Pixel> ecran = testsupport::lisEcran();
        int peints = 0;
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cl; ++x) {
                const testsupport::Pixel& p = ecran[(100 + cy + y) * 640 + 100 + cx + x];
                peints += p.r + p.g + p.b > 30;
            }
        EXPECT_GE(peints * 2, cl * ch) << f << " : le rectangle de contact tombe hors du corps";
    }
    {
        testsupport::Capture sortie(1), erreurs(2);
        CApercuActeurs acteurs;
        EXPECT_GE(acteurs.charge("./data/levels/level1.ini"), 20);
        EXPECT_EQ(erreurs.texte(), "");
        // The wisp of world x 3750, y 300 shows at screen x 100 for a level
        // at 3650, its body on its contact rectangle; far away, nothing.
        auto corps = [&](int position) {
            testsupport::effaceEcran();
            acteurs.affiche(position);
            std::vector<testsupport::Pixel> ecran = testsupport::lisEcran();
            int n = 0;
            for (int y = 316; y < 346; ++y)
                for (int x = 114; x < 134; ++x) n += ecran[y * 640 + x].g > 60;
            return n;
        };
        EXPECT_GE(corps(3650), 300);
        EXPECT_EQ(corps(9000), 0);
    }
    for (const char* image : {"./data/hud/coeur.png", "./data/hud/coeur_vide.png", "./data/hud/lueur.png"}) {
        testsupport::Capture sortie(1), erreurs(2);
        CImageGL i;
        EXPECT_EQ(i.chargeImageSDL(image, -1, 0, 0), 0) << image;
        EXPECT_GE(i.getLongueur(), 16) << image;
        EXPECT_LE(i.getLongueur(), 32) << image;
        sansPlainte(sortie.texte() + erreurs.texte(), image);
    }
    // Effects are short; only the ending's phrase lasts a few seconds.
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
    const char* liste = "./data/sons/effets.ini";
    int n = io.getPrivateProfileInt("Entete", "nombreSons", 0, liste, false);
    EXPECT_GE(n, 8);
    for (int i = 1; i <= n; ++i) {
        char nom[100], fichier[200];
        std::string section = "Son" + std::to_string(i);
        io.getPrivateProfileString(section.c_str(), "nom", "", nom, sizeof nom, liste, false);
        io.getPrivateProfileString(section.c_str(), "fichier", "", fichier, sizeof fichier, liste, false);
        Mix_Chunk* c = Mix_LoadWAV(fichier);
        EXPECT_NE(c, nullptr) << fichier << " : " << Mix_GetError();
        if (!c) continue;
        double secondes = c->alen / (22050.0 * 4);
        EXPECT_GT(secondes, 0.05) << nom;
        EXPECT_LT(secondes, std::string(nom) == "fin" ? 3.0 : 1.0) << nom;
        Mix_FreeChunk(c);
    }
    Mix_CloseAudio();
}
