// The browser build takes no screenshots: the browser has its own, and the
// page's storage is no place for pictures. The key says so.

#include "shell/CaptureEcran.h"

#include "foundation/Messages.h"

bool lisImageAffichee(ImageRGB&)
{
    return false;
}

bool ecritPNG(const char*, const ImageRGB&)
{
    return false;
}

std::string enregistreCapture()
{
    messageErreur("Capture d'écran indisponible dans le navigateur : utilisez celle du navigateur.\n");
    return "";
}
