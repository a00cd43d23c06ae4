#include "shell/Plateforme.h"

#include "foundation/Temps.h"

#include <SDL.h>
#include <GL/glx.h>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>

namespace {
const double PERIODE_MS = 1000.0 / 60.0;

bool cadencement = false;
// Time at which the next frame may be shown; negative when no frame has been
// paced yet. Kept fractional so that 60 frames take exactly one second.
double echeance = -1.0;

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
    Display* affichage = glXGetCurrentDisplay();
    if (!affichage)
        return "";
    const char* liste = glXQueryExtensionsString(affichage, DefaultScreen(affichage));
    return liste ? liste : "";
}

void fixeCadencement(bool actif)
{
    cadencement = actif;
    echeance = -1.0;
}

bool cadencementActif()
{
    return cadencement;
}

void cadenceImage()
{
    if (!cadencement)
        return;
    double maintenant = tempsCourant();
    if (echeance < 0.0 || maintenant > echeance + PERIODE_MS) {
        // First frame, or more than a frame late: start the schedule again
        // rather than showing a burst of frames to catch up.
        echeance = maintenant + PERIODE_MS;
        return;
    }
    if (maintenant < echeance) {
        attendre(static_cast<uint32_t>(echeance - maintenant));
    }
    echeance += PERIODE_MS;
}

void presenteImage()
{
    SDL_Surface* ecran = SDL_GetVideoSurface();
    if (ecran && (ecran->flags & SDL_OPENGL))
        SDL_GL_SwapBuffers();
    cadenceImage();
}

void fixePrioriteProcessus(bool hogCPU)
{
    const int cible = hogCPU ? -10 : -5;
    errno = 0;
    int actuelle = getpriority(PRIO_PROCESS, 0);
    if (errno != 0)
        return;
    if (actuelle > cible)
        setpriority(PRIO_PROCESS, 0, cible); // refused without privileges: fine
}
