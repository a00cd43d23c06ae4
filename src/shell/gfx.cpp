#include "shell/gfx.h"

#include <SDL_opengl.h>

void clearScreen()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void voileEcran(unsigned char alpha)
{
#ifdef __EMSCRIPTEN__
    // WebGL has no attribute stack: what changes is put back by hand, the
    // colour to the white every textured draw sets again.
    const GLboolean texture = glIsEnabled(GL_TEXTURE_2D);
    const GLboolean melange = glIsEnabled(GL_BLEND);
    GLint source = GL_ONE, destination = GL_ZERO;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
#else
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
#endif
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(0, 0, 0, alpha);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The whole drawing space, as glRect would draw it (WebGL has no glRect).
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(640, 0);
    glVertex2i(640, 480);
    glVertex2i(0, 480);
    glEnd();
    glPopMatrix();
#ifdef __EMSCRIPTEN__
    glColor4ub(255, 255, 255, 255);
    glBlendFunc(static_cast<GLenum>(source), static_cast<GLenum>(destination));
    if (!melange)
        glDisable(GL_BLEND);
    if (texture)
        glEnable(GL_TEXTURE_2D);
#else
    glPopAttrib();
#endif
}
