#ifndef CORVANTHELIS_RENDER_REGLAGESRENDU_H
#define CORVANTHELIS_RENDER_REGLAGESRENDU_H

// What pictures are made with: the display set-up (shell/Affichage.h's
// initGL) hands these over once it knows the configuration and the driver,
// and the engine's end puts the defaults back. Until then, and for tools and
// tests that draw without a configuration, they are the defaults below,
// which are also a default configuration's.

struct ReglagesRendu {
    int tailleTexture = 256;     // edge of the square texture tiles
    bool sansClampToEdge = true; // plain clamping instead of edge clamping
    bool mode16bits = false;     // reduced texture storage (GL_RGBA4)
    bool bilineaire = true;      // linear texture filtering, else nearest
};

void fixeReglagesRendu(const ReglagesRendu& reglages);
const ReglagesRendu& reglagesRendu();

#endif
