#ifndef CORVANTHELIS_SHELL_GFX_H
#define CORVANTHELIS_SHELL_GFX_H

// Clears colour and depth to OpenGL's default black. Needs a current context.
void clearScreen();

#endif
