#ifndef CORVANTHELIS_SHELL_CAPTUREECRAN_H
#define CORVANTHELIS_SHELL_CAPTUREECRAN_H

// Screenshots. What is read is the picture the game draws: the viewport of
// the back buffer (so without the black bars of GarderProportions), at the
// window's resolution. Read it after a frame is drawn and before it is
// presented. Needs a current GL context.

#include <string>
#include <vector>

struct ImageRGB {
    int largeur = 0;
    int hauteur = 0;
    std::vector<unsigned char> pixels; // rows from the top, 3 bytes a pixel
};

// False when there is nothing to read (no context, an empty viewport).
bool lisImageAffichee(ImageRGB& image);

// Writes `image` as an 8-bit RGB PNG, through a temporary file renamed at
// the end. False, with nothing left behind, when it cannot.
bool ecritPNG(const char* chemin, const ImageRGB& image);

// The screenshot key: the picture as "captures/corvanthelis-YYYYMMDD-HHMMSS.png"
// in the working folder, or in the player's data folder when that one cannot
// be written (foundation/DossiersJoueur.h) ("-2", "-3"... when that second has
// one already). Says "Capture enregistrée : <chemin>" on standard output,
// or why not on standard error. The path written, or "" on failure.
std::string enregistreCapture();

#endif
