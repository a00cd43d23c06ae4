#ifndef CORVANTHELIS_SHELL_PLATEFORME_H
#define CORVANTHELIS_SHELL_PLATEFORME_H

// The platform services the display needs, for Linux, kept in one place.
//
// Swap control is decided from the GLX extension string (the GL entry-point
// lookup answers "yes" to any name on GLX). When the display offers no swap
// control but VSync is wanted, presented frames are paced in software to 60
// per second on a monotonic microsecond clock, so the game runs at the same
// speed, evenly, and does not burn a core.
// presenteImage() is the one way a frame reaches the screen; every loop calls
// it instead of SDL_GL_SwapBuffers. Pacing waits through foundation/Temps.h,
// so a fake clock drives it in tests.

// True when `extensionsGLX` lists GLX_EXT_swap_control, GLX_MESA_swap_control
// or GLX_SGI_swap_control as a whole word. Null counts as empty.
bool swapControlDansExtensions(const char* extensionsGLX);

// GLX extension string of the current context's display; "" without one.
const char* extensionsGLXCourantes();

// Software pacing on or off (initGL decides); off at start.
void fixeCadencement(bool actif);
bool cadencementActif();
// With pacing on, waits for the frame's slot on a fixed 60 Hz grid of
// deadlines: it sleeps to about 1 ms before, then watches the clock to the
// deadline. A late frame goes at once and the grid is kept (the next frame
// aims at the next grid point ahead); more than 4 frames late, the grid
// starts again from now. Off: returns at once.
void cadenceImage();

// Paces, then swaps the buffers (when a GL window is open).
void presenteImage();

// Best-effort raise of the process priority: nice -10 with hogCPU, else -5.
// Never lowers a priority that is already higher, never uses real-time
// scheduling, and says nothing when it is not allowed.
void fixePrioriteProcessus(bool hogCPU);
// From now on fixePrioriteProcessus changes nothing: for processes that
// must not take the machine from others (fuzzing runs many of them).
void garderPrioriteNormale();

#endif
