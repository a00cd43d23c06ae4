#include "game/Controles.h"
#include "foundation/DocumentProfil.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace testsupport;

namespace {

TEST(Controles, KeyNamesAreSdlsOwnAndParseInAnyCase)
{
    // SDL names keys only once video is up; the dummy driver needs no display.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    int nommees = 0;
    for (int k = 0; k < SDLK_LAST; ++k) {
        SDLKey touche = static_cast<SDLKey>(k);
        const char* sdl = SDL_GetKeyName(touche);
        const char* nom = nomTouche(touche);
        if (strcmp(sdl, "unknown key") == 0) {
            EXPECT_EQ(nom, nullptr) << k;
            continue;
        }
        ++nommees;
        ASSERT_NE(nom, nullptr) << k << " " << sdl;
        EXPECT_STREQ(nom, sdl);
        EXPECT_EQ(toucheNommee(sdl), touche) << sdl;
    }
    SDL_Quit();
    EXPECT_GT(nommees, 200);
    EXPECT_EQ(toucheNommee("  Left Shift "), SDLK_LSHIFT);
    EXPECT_EQ(toucheNommee("F12"), SDLK_F12);
    EXPECT_EQ(toucheNommee("A"), SDLK_a);
    EXPECT_EQ(toucheNommee("[0]"), SDLK_KP0);
    EXPECT_EQ(toucheNommee("leftshift"), SDLK_UNKNOWN);
    EXPECT_EQ(toucheNommee(""), SDLK_UNKNOWN);
}

TEST(Controles, ReadFromConfigWithDefaultsAndClearLinesForBadValues)
{
    DossierTemporaire dossier;
    Controles defaut = lisControles(); // no config.ini
    const SDLKey attendues[] = {SDLK_RIGHT, SDLK_LEFT, SDLK_UP, SDLK_DOWN, SDLK_SPACE, SDLK_p};
    for (int a = 0; a < NombreActions; ++a)
        EXPECT_EQ(defaut.touches[a], attendues[a]) << nomAction(a);
    EXPECT_EQ(defaut.boutons[ActionSaut], 0);
    EXPECT_EQ(defaut.boutons[ActionFrappe], 1);
    EXPECT_EQ(defaut.boutons[ActionPause], 7);

    ecritFichier("config.ini", "[VIDEO]\nVSync=1\n[CONTROLES]\nSaut=Left Ctrl\nFrappe=bogus\n"
                               "ManettePause=3\nManetteFrappe=x\nManetteSeuil=99999\n");
    Capture erreurs(2);
    Controles c = lisControles();
    EXPECT_EQ(c.touches[ActionSaut], SDLK_LCTRL);
    EXPECT_EQ(c.touches[ActionFrappe], SDLK_SPACE);
    EXPECT_EQ(c.touches[ActionGauche], SDLK_LEFT);
    EXPECT_EQ(c.boutons[ActionPause], 3);
    EXPECT_EQ(c.boutons[ActionFrappe], 1);
    EXPECT_EQ(c.seuilManette, 8000);
    EXPECT_EQ(erreurs.texte(),
              "config.ini [CONTROLES] Frappe : touche inconnue \"bogus\", space gardée\n"
              "config.ini [CONTROLES] ManetteFrappe : bouton inconnu \"x\", 1 gardé\n"
              "config.ini [CONTROLES] ManetteSeuil : \"99999\" hors de 0 à 32767, 8000 gardé\n");
}

TEST(Controles, RemappingRefusesTakenKeysAndButtonsNamingTheHolder)
{
    Controles c;
    EXPECT_EQ(c.quiUtilise(SDLK_LEFT), ActionGauche);
    EXPECT_EQ(c.quiUtilise(SDLK_w), -1);
    std::string refus;
    EXPECT_FALSE(c.changeTouche(ActionSaut, SDLK_LEFT, &refus));
    EXPECT_EQ(refus, "Touche déjà prise par Gauche");
    EXPECT_EQ(c.touches[ActionSaut], SDLK_UP);
    EXPECT_FALSE(c.changeTouche(ActionSaut, SDLK_ESCAPE, &refus));
    EXPECT_FALSE(c.changeTouche(ActionSaut, static_cast<SDLKey>(37), &refus)); // no such key
    EXPECT_TRUE(c.changeTouche(ActionSaut, SDLK_UP));                        // its own key
    EXPECT_TRUE(c.changeTouche(ActionSaut, SDLK_w));
    EXPECT_EQ(c.quiUtilise(SDLK_w), ActionSaut);
    EXPECT_TRUE(c.changeTouche(ActionFrappe, SDLK_UP)); // freed by the jump

    EXPECT_FALSE(c.changeBouton(ActionFrappe, 0, &refus));
    EXPECT_EQ(refus, "Bouton déjà pris par Saut");
    EXPECT_FALSE(c.changeBouton(ActionDroite, 4, &refus)); // the stick walks
    EXPECT_TRUE(c.changeBouton(ActionPause, 9));
    EXPECT_TRUE(c.changeBouton(ActionSaut, Controles::AucunBouton));
    EXPECT_TRUE(c.changeBouton(ActionFrappe, Controles::AucunBouton)); // "none" is never taken
}

TEST(Controles, SavedControlsReadBackAndASecondSaveChangesNothing)
{
    DossierTemporaire dossier;
    ecritFichier("config.ini", "[VIDEO]\nVSync=1\n");
    Controles c;
    ASSERT_TRUE(c.changeTouche(ActionPause, SDLK_KP_ENTER));
    ASSERT_TRUE(c.changeBouton(ActionSaut, 2));
    c.seuilManette = 1234;
    CDocumentProfil doc;
    ASSERT_TRUE(doc.charge("config.ini"));
    ASSERT_TRUE(c.ecris(doc));
    ASSERT_TRUE(doc.sauve());
    EXPECT_EQ(lisFichier("config.ini").rfind("[VIDEO]\nVSync=1\n\n[CONTROLES]\nDroite=right\n", 0), 0u);
    Controles relus = lisControles();
    for (int a = 0; a < NombreActions; ++a) {
        EXPECT_EQ(relus.touches[a], c.touches[a]) << nomAction(a);
        EXPECT_EQ(relus.boutons[a], c.boutons[a]) << nomAction(a);
    }
    EXPECT_EQ(relus.seuilManette, 1234);
    ASSERT_TRUE(doc.charge("config.ini"));
    ASSERT_TRUE(relus.ecris(doc));
    EXPECT_FALSE(doc.modifie());
}

SDL_Event axe(int axe, int valeur, int manette = 0)
{
    SDL_Event e = {};
    e.type = SDL_JOYAXISMOTION;
    e.jaxis.which = manette;
    e.jaxis.axis = axe;
    e.jaxis.value = valeur;
    return e;
}

SDL_Event bouton(int numero, bool enfonce, int manette = 0)
{
    SDL_Event e = {};
    e.type = enfonce ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    e.jbutton.which = manette;
    e.jbutton.button = numero;
    return e;
}

TEST(Controles, GamepadAndOwnKeysDriveTheHero)
{
    Controles c;
    EtatManette m;
    auto touches = [&]() { return lisTouchesHeros(nullptr, c, m); };
    EXPECT_TRUE(m.metAJour(axe(0, -8000))); // on the dead zone's edge: still
    EXPECT_FALSE(touches().gauche);
    m.metAJour(axe(0, -8001));
    EXPECT_TRUE(touches().gauche);
    EXPECT_FALSE(touches().droite);
    m.metAJour(axe(0, 0));
    m.metAJour(axe(1, 20000));
    EXPECT_TRUE(touches().bas);
    EXPECT_FALSE(touches().haut); // leaning up does not jump
    m.metAJour(axe(1, 0));

    SDL_Event chapeau = {};
    chapeau.type = SDL_JOYHATMOTION;
    chapeau.jhat.value = SDL_HAT_RIGHTDOWN;
    m.metAJour(chapeau);
    TouchesHeros t = touches();
    EXPECT_TRUE(t.droite && t.bas && !t.gauche);
    chapeau.jhat.value = SDL_HAT_CENTERED;
    m.metAJour(chapeau);

    m.metAJour(bouton(0, true));
    m.metAJour(bouton(1, true));
    t = touches();
    EXPECT_TRUE(t.haut && t.espace);
    m.metAJour(bouton(0, false));
    EXPECT_FALSE(m.metAJour(bouton(1, false, 1))); // the second joystick is not ours
    t = touches();
    EXPECT_TRUE(!t.haut && t.espace);
    EXPECT_FALSE(m.metAJour(axe(0, -30000, 1)));
    EXPECT_FALSE(touches().gauche);

    EXPECT_TRUE(demandePause(bouton(7, true), c));
    EXPECT_FALSE(demandePause(bouton(7, false), c));
    EXPECT_FALSE(demandePause(bouton(7, true, 1), c));
    SDL_Event p = {};
    p.type = SDL_KEYDOWN;
    p.key.keysym.sym = SDLK_p;
    EXPECT_TRUE(demandePause(p, c));

    // The player's own keys, not the fixed ones.
    ASSERT_TRUE(c.changeTouche(ActionSaut, SDLK_w));
    uint8_t clavier[SDLK_LAST] = {};
    clavier[SDLK_UP] = 1;
    clavier[SDLK_w] = 1;
    m.metAJour(bouton(1, false));
    t = lisTouchesHeros(clavier, c, m);
    EXPECT_TRUE(t.haut);
    clavier[SDLK_w] = 0;
    EXPECT_FALSE(lisTouchesHeros(clavier, c, m).haut);
    EXPECT_TRUE(lisTouchesHeros(clavier).haut); // the old reader keeps the fixed keys
}

} // namespace
