#include "shell/gfx.h"

#include <SDL_opengl.h>

void clearScreen()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
