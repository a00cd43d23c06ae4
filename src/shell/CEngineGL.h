#ifndef CORVANTHELIS_SHELL_CENGINEGL_H
#define CORVANTHELIS_SHELL_CENGINEGL_H

// The engine configuration: one object per run, read from the VIDEO section
// of "config.ini" in the working folder, reached through the global `config`.
// An entry function creates it before opening the display and never deletes
// it. Display initialisation fills in the two capability flags; resizing and
// Alt+Enter update the window size and the full-screen switch.

class CEngineGL {
public:
    CEngineGL();

    int resolutionHorizontale; // window width in pixels, at least 1
    int resolutionVerticale;   // window height in pixels, at least 1
    int largeurLogique;        // 640: width of the drawing space
    int hauteurLogique;        // 480: height of the drawing space
    int tailleTexture;         // 256: edge of the square texture tiles
    bool bilineaire;           // linear texture filtering, else nearest
    bool pleinEcran;           // full screen without cursor, else a window
    bool vSync;                // swap interval 1 (or paced frames), else 0
    bool mode16bits;           // 5-6-5 window and reduced texture storage
    bool sansClampToEdge;      // plain clamping instead of edge clamping
    bool hogCPU;               // higher process priority
    bool garderProportions;    // 4:3 picture with black bars, else stretched
    bool npotDisponible;       // driver takes textures of any size
    bool journal;              // detailed notices (tile keys, GL extensions)
};

extern CEngineGL* config;

// The detailed notices are wanted: key Journal, on when there is no
// configuration. Failures are reported whatever it says.
inline bool journalActif()
{
    return !config || config->journal;
}

#endif
