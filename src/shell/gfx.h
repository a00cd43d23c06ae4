#ifndef CORVANTHELIS_SHELL_GFX_H
#define CORVANTHELIS_SHELL_GFX_H

// Clears colour and depth to OpenGL's default black. Needs a current context.
void clearScreen();

// Darkens the whole 640x480 drawing space by a black veil of opacity
// `alpha` (0 to 255), as under a menu. Leaves GL's state as it found it.
void voileEcran(unsigned char alpha);

#endif
