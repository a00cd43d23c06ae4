#ifndef CORVANTHELIS_SHELL_AFFICHAGE_H
#define CORVANTHELIS_SHELL_AFFICHAGE_H

// The display shared by every mode: one window (or full screen) with an
// OpenGL context, and the 640x480 drawing space over it.
//
// initSDL opens the window (or full screen) with a double-buffered GL
// context as `config` says, which must exist first; 0 on success, -1 with
// "Impossible d'ouvrir l'écran!" on standard error when no mode can be set.
// initGL then reports the driver, records its capabilities in `config`,
// hands the pictures their settings (render/ReglagesRendu.h: tile size,
// clamping, 16-bit storage, filtering), settles swap control and pacing,
// raises the process priority and sets the largeur x hauteur drawing space
// (origin top-left, y down) over the window.
// Without a current context it treats the extension lists as empty.

int initSDL(int largeur, int hauteur);
void initGL(int largeur, int hauteur);

// The part of a largeurFenetre x hauteurFenetre window the drawing space
// covers, in GL's window coordinates (origin bottom-left): all of it, or
// with garderProportions the largest rectangle of the logical proportions
// that fits, centred (the bars are left to the clear colour, black).
struct RectangleVue {
    int x, y, largeur, hauteur;
};
RectangleVue rectangleVue(int largeurFenetre, int hauteurFenetre, int largeurLogique,
                          int hauteurLogique, bool garderProportions);

// Sets the viewport over a largeurFenetre x hauteurFenetre window (the
// rectangle above, with `config`'s garderProportions) and the logical
// drawing space (origin top-left, y down) over it.
void appliqueProjection(int largeurFenetre, int hauteurFenetre, int largeurLogique,
                        int hauteurLogique);

// Sets the video mode again at largeur x hauteur (at least 1) with the same
// flags, so the drawable follows a resized window, then the size in
// `config` and the projection. The GL context and its textures stay.
void redimensionne(int largeur, int hauteur);

// Switches between the window and full screen at the size the display was
// opened with; back in a window, the window's last size. Textures stay. The
// cursor is hidden in full screen and shown in a window.
void basculePleinEcran();

// The display's share of every mode's events: a window resize, Alt+Enter.
// True when the event was one of them (and was handled).
union SDL_Event;
bool traiteEvenementAffichage(const SDL_Event& evenement);

// Modes that need the pointer (the editor) keep the cursor in full screen.
void gardeCurseurVisible(bool toujours);

#endif
