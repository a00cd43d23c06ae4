#include "game/Intro.h"

#include "foundation/FichierDescription.h"
#include "foundation/Temps.h"
#include "game/FichiersJeu.h"
#include "render/CTexte.h"
#include "game/OutilsJeu.h"
#include "render/CImageGL.h"
#include "shell/Affichage.h"
#include "shell/Plateforme.h"
#include "shell/Signaux.h"
#include "shell/gfx.h"

#include <SDL.h>

namespace {

struct FichierIntro {
    const char* nom;
    bool cleNoire;
};

const FichierIntro fichiers[NbImagesIntro] = {
    {"./data/intro/thanks.png", true},
    {"./data/intro/logo_quarvelin.png", true},
    {"./data/intro/logo_SDL.png", true},
    {"./data/intro/logo_GL.png", true},
    {"./data/intro/logo_vask.png", true},
    {"./data/intro/cr_mirvane.png", false},
    {"./data/intro/cr_quenb.png", false},
    {"./data/intro/cr_dorva.png", false},
    {"./data/intro/cr_selku.png", false},
    {"./data/intro/presents.png", true},
    {"./data/intro/vorna_intro3.png", false},
    {"./data/intro/vorna_intro3-1.png", false},
    {"./data/intro/kvtrvorna1.gif", false},
};

// Direction of each logo's slide, in the order they come in.
const int signeLogoX[4] = {-1, 1, -1, 1};
const int signeLogoY[4] = {-1, -1, 1, 1};

const int PasLogo = 2;
const int FinLogo = 360;

DessinIntro dessin(int image, int x, int y, int alpha = 255, int zoom = 100,
                   double rotation = 0.0)
{
    DessinIntro d;
    d.image = image;
    d.x = x;
    d.y = y;
    d.alpha = alpha;
    d.zoom = zoom;
    d.rotation = rotation;
    return d;
}

// Logo n (0 to 3) at step i of its spin.
DessinIntro dessinLogo(int n, int i)
{
    return dessin(ImLogoQuarvelin + n, positionLogo(signeLogoX[n], 160, i),
                  positionLogo(signeLogoY[n], 120, i), 255, zoomLogo(i), i);
}

ImageIntroCalculee imageVide(bool verifie, bool dessine, int pause)
{
    ImageIntroCalculee f;
    f.verifieQuitter = verifie;
    f.dessine = dessine;
    f.nbDessins = 0;
    f.pause = pause;
    return f;
}

void ajoute(ImageIntroCalculee& f, const DessinIntro& d)
{
    if (f.nbDessins < static_cast<int>(sizeof f.dessins / sizeof f.dessins[0]))
        f.dessins[f.nbDessins++] = d;
}

} // namespace

const char* fichierImageIntro(int image)
{
    return (image >= 0 && image < NbImagesIntro) ? fichiers[image].nom : nullptr;
}

bool cleNoireImageIntro(int image)
{
    return image >= 0 && image < NbImagesIntro && fichiers[image].cleNoire;
}

int zoomLogo(int i)
{
    // One step behind the rotation: 100 at i = 0 and at i = 2.
    if (i <= 0)
        return 100;
    return static_cast<int>(100.0 - 50.0 * (i - 2) / 360.0);
}

int pauseLogo(int i)
{
    return static_cast<int>(40.0 - 20.0 * i / 360.0);
}

int positionLogo(int signe, int demi, int i)
{
    return static_cast<int>(static_cast<double>(signe) * demi * i / 360.0);
}

int nbImagesPhase(int phase)
{
    switch (phase) {
    case PhaseLogo1:
    case PhaseLogo2:
    case PhaseLogo3:
    case PhaseLogo4: return FinLogo / PasLogo + 1;     // 181
    case PhaseMaintienLogos: return 5;
    case PhaseCredit1:
    case PhaseCredit2:
    case PhaseCredit3:
    case PhaseCredit4: return (250 - 6) / 2 + 1;       // 123
    case PhasePauseCredits: return 1;
    case PhasePresents: return 799 - (-52) + 1;        // 852
    case PhaseZoomTitre: return 248 / 2 + 1;           // 125
    case PhaseFonduTitre: return (254 - 6) / 2 + 1;    // 125
    case PhaseFonduPeintures: return 254;
    case PhaseAttenteFinale: return 200;
    default: return 0;
    }
}

ImageIntroCalculee imageIntro(int phase, int k)
{
    switch (phase) {
    case PhaseLogo1:
    case PhaseLogo2:
    case PhaseLogo3:
    case PhaseLogo4: {
        int logo = phase - PhaseLogo1;
        int i = k * PasLogo;
        ImageIntroCalculee f = imageVide(true, true, pauseLogo(i));
        for (int n = 0; n < logo; ++n)
            ajoute(f, dessinLogo(n, FinLogo));
        ajoute(f, dessinLogo(logo, i));
        ajoute(f, dessin(ImThanks, 0, 0));
        return f;
    }
    case PhaseMaintienLogos: {
        // The logos leave one by one, the publisher's first.
        ImageIntroCalculee f = imageVide(false, true, 2000);
        for (int n = k; n < 4; ++n)
            ajoute(f, dessinLogo(n, FinLogo));
        return f;
    }
    case PhaseCredit1:
    case PhaseCredit2:
    case PhaseCredit3:
    case PhaseCredit4: {
        ImageIntroCalculee f = imageVide(true, true, 40);
        ajoute(f, dessin(ImCredit1 + (phase - PhaseCredit1), 0, 0, 250 - 2 * k));
        return f;
    }
    case PhasePauseCredits:
        return imageVide(false, true, 2000);
    case PhasePresents: {
        int m = -52 + k;
        ImageIntroCalculee f = imageVide(true, true, 23);
        ajoute(f, dessin(ImPresents, 150, m - 250, 30));
        ajoute(f, dessin(ImPresents, 150, m - 150, 50));
        ajoute(f, dessin(ImPresents, 150, m - 70, 120));
        ajoute(f, dessin(ImPresents, 150, m, 250));
        return f;
    }
    case PhaseZoomTitre: {
        ImageIntroCalculee f = imageVide(true, true, 50);
        ajoute(f, dessin(ImTitre, 165, 180, 255, 2 * k));
        return f;
    }
    case PhaseFonduTitre: {
        int n = 254 - 2 * k;
        ImageIntroCalculee f = imageVide(true, true, 40);
        ajoute(f, dessin(ImPeinture1, 0, 40, 254 - n));
        ajoute(f, dessin(ImTitre, 165, 180, n, 250 - k));
        return f;
    }
    case PhaseFonduPeintures: {
        int n = 254 - k;
        ImageIntroCalculee f = imageVide(true, true, 100);
        ajoute(f, dessin(ImPeinture2, 0, 40));
        ajoute(f, dessin(ImPeinture1, 0, 40, n));
        return f;
    }
    case PhaseAttenteFinale:
        // The last frame stays; only the pause and the quit check.
        return imageVide(true, false, 100);
    default:
        return imageVide(false, false, 0);
    }
}

bool passeIntro(const SDL_Event& evenement)
{
    switch (evenement.type) {
    case SDL_KEYDOWN:
        // A modifier alone may be the start of Alt+Enter.
        return evenement.key.keysym.sym < SDLK_NUMLOCK || evenement.key.keysym.sym > SDLK_COMPOSE;
    case SDL_MOUSEBUTTONDOWN:
        return evenement.button.button != SDL_BUTTON_WHEELUP && evenement.button.button != SDL_BUTTON_WHEELDOWN;
    case SDL_JOYBUTTONDOWN: return true;
    default: return false;
    }
}

int QuitIntro()
{
    return prendEvenements(passeIntro, ArretAuPremier) ? 1 : 0;
}

void attendEcheance(uint32_t& echeance, int pause)
{
    uint32_t maintenant = tempsCourant();
    echeance += static_cast<uint32_t>(pause > 0 ? pause : 0);
    // Far behind (a slow load): the schedule starts again from now rather
    // than rushing through frames.
    if (static_cast<int32_t>(maintenant - echeance) > 1000)
        echeance = maintenant;
    while (!arretDemande() && static_cast<int32_t>(echeance - maintenant) > 0) {
        uint32_t reste = echeance - maintenant;
        attendre(reste < 50 ? reste : 50);
        maintenant = tempsCourant();
    }
}

namespace {

class ImagesIntro {
public:
    ImagesIntro()
    {
        for (CImageGL*& image : images)
            image = nullptr;
    }
    ~ImagesIntro() { libere(0, NbImagesIntro - 1); }

    // Loads pictures premiere to derniere, in order.
    void charge(int premiere, int derniere)
    {
        for (int n = premiere; n <= derniere; ++n) {
            delete images[n];
            images[n] = new CImageGL();
            images[n]->chargeImageSDL(fichiers[n].nom, fichiers[n].cleNoire ? 0 : -1, 0, 0);
        }
    }

    void libere(int premiere, int derniere)
    {
        for (int n = premiere; n <= derniere; ++n) {
            delete images[n];
            images[n] = nullptr;
        }
    }

    void dessine(const DessinIntro& d)
    {
        CImageGL* image = images[d.image];
        if (!image)
            return;
        image->setRotation(d.rotation);
        image->setZoom(d.zoom);
        image->setAlphaBlending(static_cast<unsigned char>(d.alpha));
        image->affiche(d.x, d.y);
    }

private:
    CImageGL* images[NbImagesIntro];
};

// Pictures that come or go after a phase has played.
void apresPhase(int phase, ImagesIntro& images)
{
    switch (phase) {
    case PhaseMaintienLogos:
        images.libere(ImThanks, ImLogoVask);
        images.charge(ImCredit1, ImPeinture2);
        break;
    case PhasePresents:
        images.charge(ImTitre, ImTitre);
        break;
    case PhaseFonduTitre:
        images.libere(ImCredit1, ImPresents);
        break;
    case PhaseFonduPeintures:
        images.libere(ImPeinture1, ImTitre);
        break;
    default:
        break;
    }
}

} // namespace

int opaciteIndice(uint32_t ecoule)
{
    if (ecoule < DelaiIndice)
        return 0;
    uint32_t fondu = (ecoule - DelaiIndice) / 4; // full in about a second
    return fondu > 200 ? 200 : static_cast<int>(fondu);
}

namespace {
void afficheIndice(CTexte& indice, uint32_t ecoule)
{
    int alpha = opaciteIndice(ecoule);
    if (alpha == 0 || !indice.chargee())
        return;
    indice.setAlphaBlending(static_cast<unsigned char>(alpha));
    indice.setBrightness(200, 200, 215);
    // The top row is the one free strip: the thanks line sits at the bottom.
    indice.afficheCentre(320, 8, "Appuyez sur une touche pour passer");
}
}

int introVorna()
{
    if (QuitIntro())
        return 1;
    ImagesIntro images; // whatever is still held on a quit goes with it
    images.charge(ImThanks, ImLogoVask);
    // The hint is a nicety: without its font the intro plays as it is.
    CTexte indice;
    if (tailleFichier(fichiersJeu::PoliceTexte) > 0)
        indice.charge(fichiersJeu::PoliceTexte);
    const uint32_t debutIntro = tempsCourant();
    for (int phase = 0; phase < NbPhasesIntro; ++phase) {
        int nb = nbImagesPhase(phase);
        uint32_t echeance = tempsCourant();
        for (int k = 0; k < nb; ++k) {
            ImageIntroCalculee f = imageIntro(phase, k);
            if ((f.verifieQuitter && QuitIntro()) || arretDemande())
                return 1;
            if (f.dessine) {
                clearScreen();
                for (int d = 0; d < f.nbDessins; ++d)
                    images.dessine(f.dessins[d]);
                afficheIndice(indice, tempsCourant() - debutIntro);
                presenteImage();
            }
            attendEcheance(echeance, f.pause);
        }
        apresPhase(phase, images);
    }
    return QuitIntro() ? 1 : 0;
}
