#ifndef CORVANTHELIS_TESTS_DONNEESJEU_H
#define CORVANTHELIS_TESTS_DONNEESJEU_H

// Small game data written by the game's tests into their working folder, the
// fixture and helpers of the end-to-end tests, and readers of their results.

#include "support/ContexteGL.h"
#include "support/Pilote.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// A 24-bit BMP whose pixel (x, y) is couleur(x, y). SDL_image reads pictures
// by their content, so the name's extension does not matter.
bool ecritImageBMP(const std::string& nom, int largeur, int hauteur,
                   const std::function<Couleur(int, int)>& couleur);

// A level file `niveau` with one plane, drawn at screen y `hautPlan` with
// scroll ratio 100: a 1000 x 80 band whose columns never repeat within the
// band, placed 17 times side by side (x 0 to 16999). The plane and band
// files go next to it as plan1.ini and bande.bmp, in folder `dossier`.
bool ecritNiveauBande(const std::string& dossier, const std::string& niveau, int hautPlan);

// A windowed, nearest-filtered config.ini of 640 x 480.
void ecritConfigFenetre();

// A small world in data/ (plus ecritConfigFenetre's config.ini): a grey
// CielMonde sky, a yellow moon at (500, 70), one ecritNiveauBande plane at
// y HautPlanMonde, and, when asked, a hero whose every animation is one red
// 40 x 60 frame. False when a file could not be written.
const Couleur CielMonde = {200, 200, 200};
const int HautPlanMonde = 400;
bool ecritMondeDeTest(bool avecHeros);

// A game test on the shared GL window: the event queue starts empty and the
// fake clock starts at 100000 ms, so that every pause passes at once.
class TestJeuGL : public TestGL {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Queues an SDL key press of `touche` (an SDLKey), or an event of `type`
// with no data (SDL_QUIT...), for the program's own event loop.
void pousseTouche(int touche);
void pousseEvenement(int type);

// The picture names that failed to load, in order, from the picture
// loader's messages ("Nom de l'image: <name>") in `erreurs`.
std::vector<std::string> imagesManquantes(const std::string& erreurs);

// An end-to-end test on an X server of its own, in a scratch working folder
// holding an empty data/ folder (so the programs stay in it), with the silent
// audio driver and software OpenGL for the programs it runs.
class TestSurServeurX : public ::testing::Test {
protected:
    void SetUp() override;

    ServeurXPrive serveur;
    DossierTemporaire dossier;
};

// Waits for the window titled `titre` and points at it so that it takes the
// keys; "" when none came within `ms`.
std::string attendFenetreActive(const std::string& titre, int ms = 20000);

// Presses Escape and expects `programme` to end with status 0.
void quitteParEchap(ProgrammeLance& programme);

// Holds `touche` for `ms`, releases it, lets the program settle for 200 ms
// and returns a 640 x 480 screenshot: for checks on what a given time does.
std::vector<Couleur> tiensTouche(const std::string& touche, int ms);
// Holds `touche` until a 640 x 480 screenshot meets `voulu` (attendEcran),
// releases it and returns that screenshot.
std::vector<Couleur> tiensToucheJusqua(const std::string& touche, const ConditionEcran& voulu,
                                       int delaiMs = DelaiAttente);

// Reading 640-pixel-wide screenshots (captureEcranX).
Couleur pixelEcran(const std::vector<Couleur>& ecran, int x, int y);
bool procheCouleur(Couleur a, Couleur b, int tolerance);
// Row y is the same in both screenshots.
bool memeLigneEcran(const std::vector<Couleur>& a, const std::vector<Couleur>& b, int y);
// How many pixels of the rectangle [x0, x1) x [y0, y1) differ between the two
// screenshots (0 when either is too small).
int pixelsDifferents(const std::vector<Couleur>& a, const std::vector<Couleur>& b, int x0, int y0,
                     int x1, int y1);
// Pixel (x, y) is `attendue` within `tolerance` per channel.
::testing::AssertionResult couleurEn(const std::vector<Couleur>& ecran, int x, int y,
                                     Couleur attendue, int tolerance);
// The same as a condition to wait for (attendEcran).
ConditionEcran pixelVaut(int x, int y, Couleur attendue, int tolerance);

}

#endif
