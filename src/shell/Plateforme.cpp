#include "shell/Plateforme.h"

#include "foundation/Temps.h"

#include <SDL.h>
#include <SDL_opengl.h>
#ifndef __EMSCRIPTEN__
#include <GL/glx.h>
#endif
#include <cerrno>
#include <cstring>
#include <sys/resource.h>

namespace {
// Frames are shown on a fixed grid: frame n of a schedule at
// debut + n * 1000000 / 60 us, computed from n so rounding never adds up.
const uint64_t IMAGES_PAR_SECONDE = 60;
const uint64_t MICRO_PAR_SECONDE = 1000000;
// Sleeping ends this long before a deadline; the rest is watched on the
// clock, since a sleep may overrun by more than that.
const uint64_t MARGE_SOMMEIL = 1000;
// A frame this many periods late restarts the schedule from now.
const uint64_t RETARD_MAX_IMAGES = 4;

bool cadencement = false;
bool demarre = false;
uint64_t debut = 0;
uint64_t numero = 0;

uint64_t pointGrille(uint64_t n)
{
    return debut + n * MICRO_PAR_SECONDE / IMAGES_PAR_SECONDE;
}

void attendEcheance(uint64_t echeance)
{
    while (tempsMicro() + MARGE_SOMMEIL < echeance)
        dortJusqua(echeance - MARGE_SOMMEIL);
    patienteJusqua(echeance);
}

bool contientMot(const char* liste, const char* mot)
{
    size_t n = strlen(mot);
    for (const char* p = strstr(liste, mot); p; p = strstr(p + 1, mot)) {
        bool debut = (p == liste) || p[-1] == ' ';
        bool fin = p[n] == '\0' || p[n] == ' ';
        if (debut && fin)
            return true;
    }
    return false;
}
}

bool swapControlDansExtensions(const char* extensionsGLX)
{
    if (!extensionsGLX)
        return false;
    return contientMot(extensionsGLX, "GLX_EXT_swap_control") ||
           contientMot(extensionsGLX, "GLX_MESA_swap_control") ||
           contientMot(extensionsGLX, "GLX_SGI_swap_control");
}

const char* extensionsGLXCourantes()
{
    // Only the display of a current context is asked: opening one of our own
    // would need Xlib, and without a context there is nothing to synchronise.
#ifdef __EMSCRIPTEN__
    return "";
#else
    Display* affichage = glXGetCurrentDisplay();
    if (!affichage)
        return "";
    const char* liste = glXQueryExtensionsString(affichage, DefaultScreen(affichage));
    return liste ? liste : "";
#endif
}

void fixeCadencement(bool actif)
{
    cadencement = actif;
    demarre = false;
}

bool cadencementActif()
{
    return cadencement;
}

void cadenceImage()
{
    if (!cadencement)
        return;
    uint64_t maintenant = tempsMicro();
    if (!demarre) {
        demarre = true;
        debut = maintenant;
        numero = 0;
        return;
    }
    uint64_t echeance = pointGrille(++numero);
    if (maintenant <= echeance) {
        attendEcheance(echeance);
        return;
    }
    uint64_t retard = maintenant - echeance;
    if (retard * IMAGES_PAR_SECONDE > RETARD_MAX_IMAGES * MICRO_PAR_SECONDE) {
        // Long stalled (loading, a moved window): a new grid from now.
        debut = maintenant;
        numero = 0;
        return;
    }
    // Late: shown at once, and the grid is kept, so the next frame aims at
    // the next grid point still ahead.
    numero = (maintenant - debut) * IMAGES_PAR_SECONDE / MICRO_PAR_SECONDE;
}

void presenteImage()
{
    SDL_Surface* ecran = SDL_GetVideoSurface();
    bool gl = ecran && (ecran->flags & SDL_OPENGL);
    // The frame is rendered before the wait, so the swap at the deadline
    // has nothing left to do but show it.
#ifdef __EMSCRIPTEN__
    if (gl)
        SDL_GL_SwapBuffers();
    // Up to the browser's next frame callback: paced at the display's rate.
    attendImageNavigateur();
#else
    if (gl && cadencement)
        glFinish();
    cadenceImage();
    if (gl)
        SDL_GL_SwapBuffers();
#endif
}

namespace {
bool prioriteNormale = false;
}

void garderPrioriteNormale()
{
    prioriteNormale = true;
}

void fixePrioriteProcessus(bool hogCPU)
{
    if (prioriteNormale)
        return;
    const int cible = hogCPU ? -10 : -5;
    errno = 0;
    int actuelle = getpriority(PRIO_PROCESS, 0);
    if (errno != 0)
        return;
    if (actuelle > cible)
        setpriority(PRIO_PROCESS, 0, cible); // refused without privileges: fine
}
