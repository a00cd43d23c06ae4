#ifndef CORVANTHELIS_FOUNDATION_TEMPS_H
#define CORVANTHELIS_FOUNDATION_TEMPS_H

// The one door to the clocks. Everything that times itself (animations, the
// level scroll, the hero, the intro pauses, the frame pacer) reads the clock
// and waits through these functions, so tests can replace the clock with a
// fake one and move time by hand instead of sleeping. The fake clock counts
// microseconds; both clocks read it when it is set.

#include <cstdint>

// Milliseconds since SDL started, or the fake clock's value when one is set,
// less the time the game has spent paused.
uint32_t tempsCourant();

// The game's pause: from suspendTemps() to reprendTemps(), tempsCourant()
// stands still, so every motion timed by it (the level's scroll, the
// animations, the hero's jumps) stops, and takes up again on resume where it
// was. The pacer's clock (tempsMicro) and attendre() go on. Setting or
// removing the fake clock ends a suspension and forgets the time paused.
void suspendTemps();
void reprendTemps();
bool tempsSuspendu();

// Waits ms milliseconds; with a fake clock, advances it instead of sleeping.
// In the browser, a wait shorter than a frame that comes right after the
// frame wait returns at once: that wait has already yielded.
void attendre(uint32_t ms);

#ifdef __EMSCRIPTEN__
// Yields to the browser until its next frame callback: the page shows what
// was drawn, and hears keys, only while the program yields.
void attendImageNavigateur();
#endif

// Microseconds of a monotonic clock (not changed by setting the date), or
// the fake clock's value.
uint64_t tempsMicro();
// Sleeps until tempsMicro() reaches `echeance`, as the system's timers
// allow: it may wake late, or early on a signal. Fake clock: jumps there.
void dortJusqua(uint64_t echeance);
// Waits until `echeance` by watching the clock, for the last fraction of a
// millisecond that sleeping cannot hit. Fake clock: jumps there.
void patienteJusqua(uint64_t echeance);

// The time a frame moves the world by: the milliseconds from one call of
// etape() to the next (from creation for the first).
class CChronoImage {
public:
    CChronoImage() : precedent(tempsCourant()) {}
    explicit CChronoImage(uint32_t maintenant) : precedent(maintenant) {}
    int etape()
    {
        uint32_t maintenant = tempsCourant();
        int ecoule = static_cast<int>(maintenant - precedent);
        precedent = maintenant;
        return ecoule;
    }

private:
    uint32_t precedent;
};

// Switches to a fake clock that reads `ms` until moved again.
void fixeTempsFactice(uint32_t ms);
void avanceTempsFactice(uint32_t ms);
void avanceTempsFacticeMicro(uint64_t us);
// Back to the real clock.
void retireTempsFactice();

#endif
