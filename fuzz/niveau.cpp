// Level files, loaded whole with their planes ("p.ini" is a small plane the
// level may name, and the level may name itself), then scrolled and drawn
// a frame each way. OpenGL calls without a context do nothing.
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
        // One frame each way: drawing costs more than loading, and further
        // frames only repeat the same sums.
        niveau.drawScene(16, 16, true, true, false, false);
        niveau.drawScene(16, 32, true, false, false, false);
    }
    oublieProfil("niveau.ini");
    return 0;
}
