#include "shell/Affichage.h"

#include "foundation/Messages.h"
#include "render/ReglagesRendu.h"
#include "shell/CEngineGL.h"
#include "shell/Plateforme.h"
#include "shell/Signaux.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cstdio>
#include <cstring>

namespace {
// Full screen takes the size the display was opened with; leaving it gives
// back the window's last size.
int largeurPleinEcran = 640;
int hauteurPleinEcran = 480;
int largeurFenetre = 640;
int hauteurFenetre = 480;
bool curseurToujoursVisible = false;
// The desktop's size, as SDL tells it before the first mode is set.
int largeurBureau = 0;
int hauteurBureau = 0;

// The flags a mode is asked with, as opposed to what SDL reports about it.
const Uint32 DRAPEAUX_MODE = SDL_FULLSCREEN | SDL_OPENGL | SDL_RESIZABLE | SDL_NOFRAME | SDL_DOUBLEBUF
    | SDL_HWSURFACE;

void appliqueCurseur(bool pleinEcran)
{
    SDL_ShowCursor(pleinEcran && !curseurToujoursVisible ? SDL_DISABLE : SDL_ENABLE);
}

// Sets the mode again on the open window. SDL keeps the window and its GL
// context (and so the textures) when the depth and the GL flag stay.
void retientBureau()
{
    if (largeurBureau > 0 || SDL_GetVideoSurface())
        return;
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info && info->current_w > 0 && info->current_h > 0) {
        largeurBureau = info->current_w;
        hauteurBureau = info->current_h;
    }
}

// Full screen at a size the display does not offer (or 0, read as 1)
// would sit small in the middle of the screen, or fail: the desktop's size
// then.
void choisitTaillePleinEcran(int& largeur, int& hauteur)
{
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_OPENGL);
    bool offert = false;
    if (modes == reinterpret_cast<SDL_Rect**>(-1))
        offert = largeur > 1 && hauteur > 1;
    else
        for (int i = 0; modes && modes[i] && !offert; ++i)
            offert = modes[i]->w == largeur && modes[i]->h == hauteur;
    if (!offert && largeurBureau > 0) {
        largeur = largeurBureau;
        hauteur = hauteurBureau;
    }
}

bool changeMode(int largeur, int hauteur, Uint32 drapeaux)
{
    SDL_Surface* ecran = SDL_GetVideoSurface();
    if (!ecran)
        return false;
    ecran = SDL_SetVideoMode(largeur < 1 ? 1 : largeur, hauteur < 1 ? 1 : hauteur,
                             ecran->format->BitsPerPixel, drapeaux);
    if (!ecran) {
        messageErreur("Impossible d'ouvrir l'écran!\n");
        return false;
    }
    if (config) {
        config->resolutionHorizontale = ecran->w;
        config->resolutionVerticale = ecran->h;
        appliqueProjection(ecran->w, ecran->h, reglages().largeurLogique, reglages().hauteurLogique);
    } else {
        glViewport(0, 0, ecran->w, ecran->h);
    }
    return true;
}
}

int initSDL(int largeur, int hauteur)
{
    if (!config) {
        messageErreur("Impossible d'ouvrir l'écran!\n");
        return -1;
    }
    const CEngineGL& r = reglages();
    int profondeur = r.mode16bits ? 16 : 32;
    // Without video (no X display, say) nothing below may run: SDL would
    // dereference its missing driver. A missing joystick or CD part is no
    // reason to stop.
    if (SDL_Init(SDL_INIT_EVERYTHING) != 0 && !SDL_WasInit(SDL_INIT_VIDEO)) {
        messageErreur("Impossible d'ouvrir l'écran!\n");
        return -1;
    }
    if (profondeur == 16) {
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    } else {
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, profondeur);
#ifdef __EMSCRIPTEN__
    // Nothing reads depth or the picture's alpha. In the page, an alpha
    // channel makes the browser blend the canvas over the page at each frame,
    // and a depth buffer is cleared for nothing.
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
#endif
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The interval has to be asked for before the mode is set; SDL only
    // applies it where the display really offers swap control.
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, r.vSync ? 1 : 0);

    retientBureau();
    // A size of 0 (read as 1) means the desktop's in full screen, and the
    // drawing space's in a window, which is also the window Alt+Enter gives
    // back.
    if (largeur <= 1 || hauteur <= 1) {
        largeurFenetre = r.largeurLogique;
        hauteurFenetre = r.hauteurLogique;
        if (!r.pleinEcran) {
            largeur = largeurFenetre;
            hauteur = hauteurFenetre;
            config->resolutionHorizontale = largeur;
            config->resolutionVerticale = hauteur;
        }
    } else {
        largeurFenetre = largeur;
        hauteurFenetre = hauteur;
    }
    SDL_Surface* ecran;
    if (r.pleinEcran) {
        choisitTaillePleinEcran(largeur, hauteur);
        ecran = SDL_SetVideoMode(largeur, hauteur, profondeur, SDL_FULLSCREEN | SDL_OPENGL);
    } else {
        ecran = SDL_SetVideoMode(largeur, hauteur, profondeur, SDL_OPENGL | SDL_RESIZABLE);
        SDL_WM_SetCaption("Corvanthelis", "");
    }
    if (!ecran) {
        messageErreur("Impossible d'ouvrir l'écran!\n");
        return -1;
    }
    if (r.pleinEcran) {
        SDL_ShowCursor(SDL_DISABLE);
        config->resolutionHorizontale = ecran->w;
        config->resolutionVerticale = ecran->h;
    } else {
        largeurFenetre = largeur;
        hauteurFenetre = hauteur;
    }
    largeurPleinEcran = largeur;
    hauteurPleinEcran = hauteur;
    installeArretParSignaux();
    return 0;
}

namespace {
const char* texteGL(GLenum nom)
{
    const GLubyte* texte = glGetString(nom);
    return texte ? reinterpret_cast<const char*>(texte) : "";
}
}

RectangleVue rectangleVue(int largeurFenetre, int hauteurFenetre, int largeurLogique,
                          int hauteurLogique, bool garderProportions)
{
    RectangleVue vue = {0, 0, largeurFenetre, hauteurFenetre};
    if (!garderProportions || largeurLogique < 1 || hauteurLogique < 1)
        return vue;
    long long l = largeurFenetre, h = hauteurFenetre;
    if (l * hauteurLogique > h * largeurLogique)
        vue.largeur = static_cast<int>(h * largeurLogique / hauteurLogique);
    else
        vue.hauteur = static_cast<int>(l * hauteurLogique / largeurLogique);
    vue.x = (largeurFenetre - vue.largeur) / 2;
    vue.y = (hauteurFenetre - vue.hauteur) / 2;
    return vue;
}

void initGL(int largeur, int hauteur)
{
    // Without a current context every string is empty, so the fallbacks and
    // their messages below apply.
    messageInfo("----Informations OpenGL----\n");
    messageInfo("%s : %s\n", "Fabricant", texteGL(GL_VENDOR));
    messageInfo("%s : %s\n", "Rendu", texteGL(GL_RENDERER));
    messageInfo("%s : %s\n", "Version GL", texteGL(GL_VERSION));
    const char* extensions = texteGL(GL_EXTENSIONS);
    messageDetail("%s : %s\n", "Liste des extensions supportées", extensions);
    GLint tailleMax = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &tailleMax);
    messageInfo("Taille max des textures : %i\n", static_cast<int>(tailleMax));
    messageInfo("---------------------------\n\n");

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_DITHER);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_LINE_SMOOTH);

    bool vSync = reglages().vSync;
    bool swapControl = swapControlDansExtensions(extensionsGLXCourantes());
    if (vSync && !swapControl)
        messageInfo("Extension SwapControl non disponible :(\n");
    fixeCadencement(vSync && !swapControl);

    bool edgeClamp = strstr(extensions, "GL_EXT_texture_edge_clamp") != nullptr;
    if (config)
        config->sansClampToEdge = !edgeClamp;
    if (!edgeClamp)
        messageInfo("Extension Texture clamp to edge non disponible !  :(\n");

    bool npot = strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr;
    if (config)
        config->npotDisponible = npot;
    if (!npot)
        messageInfo("Extension Texture_no_power_of_two non disponible !  :(\n\n");

    const CEngineGL& r = reglages();
    fixePrioriteProcessus(r.hogCPU);
    ReglagesRendu rendu;
    rendu.tailleTexture = r.tailleTexture;
    rendu.sansClampToEdge = r.sansClampToEdge;
    rendu.mode16bits = r.mode16bits;
    rendu.bilineaire = r.bilineaire;
    fixeReglagesRendu(rendu);

    SDL_Surface* ecran = SDL_GetVideoSurface();
    int largeurFenetre = config ? r.resolutionHorizontale : (ecran ? ecran->w : largeur);
    int hauteurFenetre = config ? r.resolutionVerticale : (ecran ? ecran->h : hauteur);
    appliqueProjection(largeurFenetre, hauteurFenetre, largeur, hauteur);
}

void appliqueProjection(int largeurFenetre, int hauteurFenetre, int largeurLogique,
                        int hauteurLogique)
{
    RectangleVue vue = rectangleVue(largeurFenetre, hauteurFenetre, largeurLogique, hauteurLogique,
                                    reglages().garderProportions);
    glViewport(vue.x, vue.y, vue.largeur, vue.hauteur);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, largeurLogique, hauteurLogique, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void redimensionne(int largeur, int hauteur)
{
    SDL_Surface* ecran = SDL_GetVideoSurface();
    if (!ecran)
        return;
    if (changeMode(largeur, hauteur, ecran->flags & DRAPEAUX_MODE) && !(ecran->flags & SDL_FULLSCREEN)) {
        largeurFenetre = SDL_GetVideoSurface()->w;
        hauteurFenetre = SDL_GetVideoSurface()->h;
    }
}

void basculePleinEcran()
{
    SDL_Surface* ecran = SDL_GetVideoSurface();
    if (!ecran)
        return;
    Uint32 drapeaux = ecran->flags & DRAPEAUX_MODE;
    bool versPleinEcran = !(drapeaux & SDL_FULLSCREEN);
    bool fait;
    if (versPleinEcran) {
        largeurFenetre = ecran->w;
        hauteurFenetre = ecran->h;
        int largeur = largeurPleinEcran;
        int hauteur = hauteurPleinEcran;
        choisitTaillePleinEcran(largeur, hauteur);
        fait = changeMode(largeur, hauteur, (drapeaux & ~SDL_RESIZABLE) | SDL_FULLSCREEN);
    } else {
        fait = changeMode(largeurFenetre, hauteurFenetre,
                          (drapeaux & ~SDL_FULLSCREEN) | SDL_RESIZABLE);
        char* titre = nullptr;
        SDL_WM_GetCaption(&titre, nullptr);
        if (fait && !titre)
            SDL_WM_SetCaption("Corvanthelis", "");
    }
    if (fait) {
        if (config)
            config->pleinEcran = versPleinEcran;
        appliqueCurseur(versPleinEcran);
    }
}

bool traiteEvenementAffichage(const SDL_Event& evenement)
{
    if (evenement.type == SDL_VIDEORESIZE) {
        redimensionne(evenement.resize.w, evenement.resize.h);
        return true;
    }
    if (evenement.type == SDL_KEYDOWN && evenement.key.keysym.sym == SDLK_RETURN
        && (evenement.key.keysym.mod & KMOD_ALT)) {
        basculePleinEcran();
        return true;
    }
    return false;
}

void gardeCurseurVisible(bool toujours)
{
    curseurToujoursVisible = toujours;
    if (toujours)
        SDL_ShowCursor(SDL_ENABLE);
}
