#include "shell/Plateforme.h"

#include "foundation/Temps.h"

#include <SDL.h>
#include <GL/glx.h>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>

namespace {
const uint32_t IMAGES_PAR_SECONDE = 60;

bool cadencement = false;
// Deadlines count from the start of the schedule, so rounding never
// accumulates: frame n may be shown at debut + ceil(n * 1000 / 60) ms.
bool demarre = false;
uint32_t debut = 0;
uint64_t numero = 0;

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
    uint32_t maintenant = tempsCourant();
    if (!demarre) {
        demarre = true;
        debut = maintenant;
        numero = 0;
        return;
    }
    ++numero;
    uint32_t echeance = debut + static_cast<uint32_t>((numero * 1000 + IMAGES_PAR_SECONDE - 1) / IMAGES_PAR_SECONDE);
    if (maintenant > echeance + 1000 / IMAGES_PAR_SECONDE) {
        // More than a frame late: start again from now rather than showing
        // a burst of frames to catch up.
        debut = maintenant;
        numero = 0;
        return;
    }
    if (maintenant < echeance)
        attendre(echeance - maintenant);
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
