// Level files as the level targets read them, then scrolled and drawn a
// frame each way: the sums of scroll ratios, positions and repetitions.
// OpenGL calls without a context do nothing.
#include "Commun.h"
#include "foundation/IndexProfil.h"
#include "scenery/CLevel.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    fuzz::ecrit("niveau.ini", donnees, taille);
    {
        CLevel niveau;
        niveau.initFromIniFile("niveau.ini");
        niveau.setPositionX(2800);
        niveau.drawScene(16, 16, true, true, false, false);
        niveau.drawScene(16, 32, true, false, false, false);
    }
    oublieProfil("niveau.ini");
    return 0;
}
