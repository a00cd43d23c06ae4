#ifndef CORVANTHELIS_SHELL_AFFICHAGE_H
#define CORVANTHELIS_SHELL_AFFICHAGE_H

// The display shared by every mode: one window (or full screen) with an
// OpenGL context, and the 640x480 drawing space over it.
//
// initSDL opens the window (or full screen) with a double-buffered GL
// context as `config` says, which must exist first; 0 on success, -1 with
// "Impossible d'ouvrir l'écran!" on standard error when no mode can be set.
// initGL then reports the driver, records its capabilities in `config`,
// settles swap control and pacing, raises the process priority and sets the
// largeur x hauteur drawing space (origin top-left, y down) over the window.
// Without a current context it treats the extension lists as empty.

int initSDL(int largeur, int hauteur);
void initGL(int largeur, int hauteur);

// Sets the viewport over a largeurFenetre x hauteurFenetre window and the
// logical drawing space (origin top-left, y down) over it.
void appliqueProjection(int largeurFenetre, int hauteurFenetre, int largeurLogique,
                        int hauteurLogique);

#endif
