#include "shell/CEngineGL.h"

#include "foundation/InputOutput.h"

CEngineGL* config = nullptr;

CEngineGL::CEngineGL()
{
    // The order of the lookups fixes the order of the reader's notices.
    InputOutput io;
    const char* section = "VIDEO";
    const char* fichier = "config.ini";
    resolutionHorizontale = io.getPrivateProfileInt(section, "ResolutionHorizontale", 640, fichier, false);
    resolutionVerticale = io.getPrivateProfileInt(section, "ResolutionVerticale", 480, fichier, false);
    pleinEcran = io.getPrivateProfileBool(section, "PleinEcran", true, fichier, false);
    largeurLogique = 640;
    hauteurLogique = 480;
    bilineaire = io.getPrivateProfileBool(section, "Bilineaire", true, fichier, false);
    vSync = io.getPrivateProfileBool(section, "VSync", true, fichier, false);
    if (resolutionHorizontale < 1)
        resolutionHorizontale = 1;
    if (resolutionVerticale < 1)
        resolutionVerticale = 1;
    tailleTexture = 256;
    mode16bits = io.getPrivateProfileBool(section, "Mode16bits", false, fichier, false);
    hogCPU = io.getPrivateProfileBool(section, "HogCPU", false, fichier, false);
    garderProportions = io.getPrivateProfileBool(section, "GarderProportions", false, fichier, false);
    journal = io.getPrivateProfileBool(section, "Journal", true, fichier, false);
    sansClampToEdge = true;
    npotDisponible = false;
}
