#ifndef CORVANTHELIS_SHELL_CENGINEGL_H
#define CORVANTHELIS_SHELL_CENGINEGL_H

// The engine configuration: one object per run, read from the VIDEO section
// of "config.ini" (the player's copy, foundation/DossiersJoueur.h), reached through the global `config`.
// An entry opens it through its CPorteeMoteur (shell/PorteeMoteur.h), which
// also closes it. Display initialisation fills in the two capability flags;
// resizing and Alt+Enter update the window size and the full-screen switch.
//
// The keys, their defaults and ranges are shell/SchemaConfiguration.h's.
// The seven keys every config.ini has print the profile reader's notice
// when they are missing; the keys added since (GarderProportions, Journal,
// VolumeMusique, VolumeEffets, Intro) are optional and take their default
// silently. A value that is not a plain number, out of its range, or a
// boolean other than 0 and 1 gets one line on standard error (as the data
// checker reports it): a number is brought into range, a boolean keeps its
// default.
//
// Settings are read through reglages(); `config` is for the entries that
// open it and the display code that updates it.

class CEngineGL {
public:
    // Reads "config.ini": the player's copy, else the working folder's.
    CEngineGL();
    // Every setting at its default, reading nothing.
    struct ParDefaut {};
    explicit CEngineGL(ParDefaut);

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
    bool journal;              // detailed notices (tile keys, GL extensions, FPS)
    int volumeMusique;         // 0 to 100
    int volumeEffets;          // 0 to 100
    bool intro;                // the intro plays before the game
};

extern CEngineGL* config;

// The settings in force: `config`, or the defaults when no entry has opened
// one (tools and tests that draw without a configuration).
const CEngineGL& reglages();

#endif
