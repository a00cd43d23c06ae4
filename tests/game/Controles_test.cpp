#include "game/Controles.h"
#include "foundation/DocumentProfil.h"
#include "support/TestSupport.h"
#include "verification/Verificateur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

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

TEST(Controles, KeysShowFrenchNamesEachTellingItsKeyApart)
{
    const std::pair<SDLKey, const char*> attendus[] = {
        {SDLK_RIGHT, "Droite"}, {SDLK_SPACE, "Espace"}, {SDLK_RETURN, "Entrée"},
        {SDLK_BACKSPACE, "Retour arrière"}, {SDLK_RSHIFT, "Maj droite"}, {SDLK_LCTRL, "Ctrl gauche"},
        {SDLK_ESCAPE, "Échap"}, {SDLK_PAGEUP, "Page préc."}, {SDLK_KP0, "Pavé 0"}, {SDLK_KP9, "Pavé 9"},
        {SDLK_KP_ENTER, "Pavé Entrée"}, {SDLK_F1, "F1"}, {SDLK_F12, "F12"}, {SDLK_a, "A"}, {SDLK_z, "Z"},
        {SDLK_7, "7"}, {SDLK_SEMICOLON, ";"}, {SDLK_WORLD_73, "é"}, {SDLK_WORLD_0, "world 0"},
        {static_cast<SDLKey>(37), "Touche 37"}};
    for (const auto& a : attendus)
        EXPECT_EQ(nomToucheAffiche(a.first), a.second) << a.second;
    // No two keys look alike on screen.
    std::map<std::string, int> vus;
    for (int k = 0; k < SDLK_LAST; ++k)
        if (nomTouche(static_cast<SDLKey>(k))) {
            auto place = vus.emplace(nomToucheAffiche(static_cast<SDLKey>(k)), k);
            EXPECT_TRUE(place.second) << place.first->first << ": " << k << " and " << place.first->second;
        }
}

TEST(Controles, ReadFromConfigWithDefaultsAndClearLinesForBadValues)
{
    DossierTemporaire dossier;
    Controles defaut = lisControles(); // no config.ini
    const SDLKey attendues[] = {SDLK_RIGHT, SDLK_LEFT, SDLK_UP, SDLK_DOWN, SDLK_SPACE, SDLK_p};
    EXPECT_TRUE(std::equal(attendues, attendues + NombreActions, defaut.touches));

    ecritFichier("config.ini", "[VIDEO]\nVSync=1\n[CONTROLES]\nSaut=Left Ctrl\nFrappe=bogus\n"
                               "ManettePause=3\nManetteFrappe=x\nManetteSeuil=99999\n");
    Capture erreurs(2);
    Controles c = lisControles();
    EXPECT_EQ(c.touches[ActionSaut], SDLK_LCTRL);
    EXPECT_EQ(c.touches[ActionFrappe], SDLK_SPACE);
    EXPECT_EQ(c.boutons[ActionPause], 3);
    EXPECT_EQ(c.boutons[ActionFrappe], 1);
    EXPECT_EQ(c.seuilManette, 8000);
    EXPECT_EQ(erreurs.texte(),
              "config.ini [CONTROLES] Frappe : touche inconnue \"bogus\", space gardée\n"
              "config.ini [CONTROLES] ManetteFrappe : bouton inconnu \"x\", 1 gardé\n"
              "config.ini [CONTROLES] ManetteSeuil : \"99999\" hors de 0 à 32767, 8000 gardé\n");
}

TEST(Controles, EscapeInConfigIsRefusedAsTheOptionsScreenRefusesIt)
{
    DossierTemporaire dossier;
    ecritFichier("config.ini", "[VIDEO]\nVSync=1\n[CONTROLES]\nFrappe=Escape\nPause=escape\n");
    Capture erreurs(2);
    Controles c = lisControles();
    EXPECT_EQ(c.touches[ActionFrappe], SDLK_SPACE);
    EXPECT_EQ(c.touches[ActionPause], SDLK_p);
    EXPECT_EQ(erreurs.texte(),
              "config.ini [CONTROLES] Frappe : touche \"Escape\" refusée (Touche réservée : Échap quitte le jeu), "
              "space gardée\n"
              "config.ini [CONTROLES] Pause : touche \"escape\" refusée (Touche réservée : Échap quitte le jeu), "
              "p gardée\n");
    CRapport rapport;
    CVerificateur(rapport).verifieConfiguration("config.ini");
    EXPECT_EQ(rapport.nbErreurs(), 2);
}

TEST(Controles, RemappingRefusesTakenKeysAndButtonsNamingTheHolder)
{
    Controles c;
    std::string refus;
    EXPECT_FALSE(c.changeTouche(ActionSaut, SDLK_LEFT, &refus));
    EXPECT_EQ(refus, "Touche déjà prise par Gauche");
    EXPECT_EQ(c.touches[ActionSaut], SDLK_UP);
    EXPECT_FALSE(c.changeTouche(ActionSaut, SDLK_ESCAPE, &refus));
    EXPECT_FALSE(c.changeTouche(ActionSaut, static_cast<SDLKey>(37), &refus)); // no such key
    EXPECT_TRUE(c.changeTouche(ActionSaut, SDLK_UP));                        // its own key
    EXPECT_TRUE(c.changeTouche(ActionSaut, SDLK_w));
    EXPECT_EQ(c.quiUtilise(SDLK_w), ActionSaut);
    EXPECT_EQ(c.quiUtilise(SDLK_UP), -1);
    EXPECT_TRUE(c.changeTouche(ActionFrappe, SDLK_UP)); // freed by the jump

    EXPECT_FALSE(c.changeBouton(ActionFrappe, 0, &refus));
    EXPECT_EQ(refus, "Bouton déjà pris par Saut");
    EXPECT_FALSE(c.changeBouton(ActionDroite, 4, &refus)); // the stick walks
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

SDL_Event manette(Uint8 type, int numero, int valeur, int laquelle = 0)
{
    SDL_Event e = {};
    e.type = type;
    e.jaxis.which = laquelle; // which, then axis, hat or button: the same
    e.jaxis.axis = numero;    // layout in every joystick event
    e.jaxis.value = valeur;
    if (type == SDL_JOYHATMOTION)
        e.jhat.value = valeur;
    return e;
}

TEST(Controles, GamepadAndOwnKeysDriveTheHero)
{
    Controles c;
    EtatManette m;
    auto touches = [&]() { return lisTouchesHeros(nullptr, c, m); };
    EXPECT_TRUE(m.metAJour(manette(SDL_JOYAXISMOTION, 0, -8000))); // on the dead zone's edge
    EXPECT_FALSE(touches().gauche);
    m.metAJour(manette(SDL_JOYAXISMOTION, 0, -8001));
    m.metAJour(manette(SDL_JOYAXISMOTION, 1, 20000));
    TouchesHeros t = touches();
    EXPECT_TRUE(t.gauche && t.bas && !t.droite && !t.haut);
    m.metAJour(manette(SDL_JOYAXISMOTION, 0, 0));
    m.metAJour(manette(SDL_JOYAXISMOTION, 1, 0));
    m.metAJour(manette(SDL_JOYHATMOTION, 0, SDL_HAT_RIGHTDOWN));
    t = touches();
    EXPECT_TRUE(t.droite && t.bas && !t.gauche);
    m.metAJour(manette(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED));

    m.metAJour(manette(SDL_JOYBUTTONDOWN, 0, 0));
    m.metAJour(manette(SDL_JOYBUTTONDOWN, 1, 0));
    m.metAJour(manette(SDL_JOYBUTTONUP, 0, 0));
    EXPECT_FALSE(m.metAJour(manette(SDL_JOYBUTTONUP, 1, 0, 1))); // not the first joystick
    t = touches();
    EXPECT_TRUE(!t.haut && t.espace && !t.droite && !t.bas);

    EXPECT_TRUE(demandePause(manette(SDL_JOYBUTTONDOWN, 7, 0), c));
    EXPECT_FALSE(demandePause(manette(SDL_JOYBUTTONUP, 7, 0), c));
    EXPECT_FALSE(demandePause(manette(SDL_JOYBUTTONDOWN, 7, 0, 1), c));
    SDL_Event p = {};
    p.type = SDL_KEYDOWN;
    p.key.keysym.sym = SDLK_p;
    EXPECT_TRUE(demandePause(p, c));

    // The player's own keys, not the fixed ones.
    ASSERT_TRUE(c.changeTouche(ActionSaut, SDLK_w));
    uint8_t clavier[SDLK_LAST] = {};
    clavier[SDLK_UP] = 1;
    EXPECT_FALSE(lisTouchesHeros(clavier, c, EtatManette()).haut);
    EXPECT_TRUE(lisTouchesHeros(clavier).haut); // the old reader keeps the fixed keys
    clavier[SDLK_w] = 1;
    EXPECT_TRUE(lisTouchesHeros(clavier, c, EtatManette()).haut);
}

} // namespace
