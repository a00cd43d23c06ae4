#include "foundation/Temps.h"

#include <SDL.h>
#include <cstdlib>
#include <ctime>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

extern "C" void attendRappelImage(); // web/attente.js
#endif

namespace {
bool facticeActif = false;
uint64_t microFactice = 0;

// The game's pause: the milliseconds spent suspended so far, and the raw
// time of the current suspension.
uint32_t dureeSuspendue = 0;
uint32_t debutSuspension = 0;
bool suspendu = false;

// CORVANTHELIS_ACCELERATION=N (2 to 10) runs the game's clock N times
// faster than the wall clock, so that a scripted play-through of a long
// level takes a fraction of its time through the same code. Frame pacing
// keeps the wall clock.
uint32_t litAcceleration()
{
    const char* texte = getenv("CORVANTHELIS_ACCELERATION");
    if (!texte)
        return 1;
    char* fin = nullptr;
    long n = strtol(texte, &fin, 10);
    return (fin != texte && *fin == '\0' && n >= 2 && n <= 10) ? static_cast<uint32_t>(n) : 1;
}

uint32_t tempsBrut()
{
    static const uint32_t acceleration = litAcceleration();
    return facticeActif ? static_cast<uint32_t>(microFactice / 1000u) : SDL_GetTicks() * acceleration;
}

void oublieSuspension()
{
    dureeSuspendue = 0;
    suspendu = false;
}

uint64_t microDe(const timespec& t)
{
    return static_cast<uint64_t>(t.tv_sec) * 1000000u + static_cast<uint64_t>(t.tv_nsec) / 1000u;
}

#ifdef __EMSCRIPTEN__
// True from a frame wait to the next wait of any kind.
bool apresImage = false;
#endif
}

uint32_t tempsCourant()
{
    return (suspendu ? debutSuspension : tempsBrut()) - dureeSuspendue;
}

void suspendTemps()
{
    if (suspendu)
        return;
    debutSuspension = tempsBrut();
    suspendu = true;
}

void reprendTemps()
{
    if (!suspendu)
        return;
    dureeSuspendue += tempsBrut() - debutSuspension;
    suspendu = false;
}

bool tempsSuspendu()
{
    return suspendu;
}

void attendre(uint32_t ms)
{
    if (facticeActif) {
        microFactice += static_cast<uint64_t>(ms) * 1000u;
        return;
    }
#ifdef __EMSCRIPTEN__
    // The frame wait has just given the browser its turn. Sleeping again
    // would move the next frame's whole work out of the frame callback into
    // a timer task: drawn after the browser's frame began, it shows a frame
    // late, and under load the callback after it comes a frame late too.
    const bool servie = apresImage && ms < 1000u / 60u;
    apresImage = false;
    if (servie)
        return;
#endif
    SDL_Delay(ms);
}

#ifdef __EMSCRIPTEN__
void attendImageNavigateur()
{
    attendRappelImage();
    apresImage = true;
}
#endif

uint64_t tempsMicro()
{
    if (facticeActif)
        return microFactice;
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return microDe(t);
}

void dortJusqua(uint64_t echeance)
{
    if (facticeActif) {
        if (microFactice < echeance)
            microFactice = echeance;
        return;
    }
#ifdef __EMSCRIPTEN__
    // The page only draws, and hears keys, while the program yields.
    apresImage = false;
    const uint64_t maintenant = tempsMicro();
    emscripten_sleep(echeance > maintenant ? static_cast<unsigned>((echeance - maintenant) / 1000u)
                                           : 0u);
#else
    timespec t;
    t.tv_sec = static_cast<time_t>(echeance / 1000000u);
    t.tv_nsec = static_cast<long>(echeance % 1000000u) * 1000;
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr);
#endif
}

void patienteJusqua(uint64_t echeance)
{
    if (facticeActif) {
        dortJusqua(echeance);
        return;
    }
#ifdef __EMSCRIPTEN__
    dortJusqua(echeance);
#else
    while (tempsMicro() < echeance) {
    }
#endif
}

void fixeTempsFactice(uint32_t ms)
{
    facticeActif = true;
    microFactice = static_cast<uint64_t>(ms) * 1000u;
    oublieSuspension();
}

void avanceTempsFactice(uint32_t ms)
{
    microFactice += static_cast<uint64_t>(ms) * 1000u;
}

void avanceTempsFacticeMicro(uint64_t us)
{
    microFactice += us;
}

void retireTempsFactice()
{
    facticeActif = false;
    oublieSuspension();
}
