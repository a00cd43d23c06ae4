// Level files, loaded whole with their planes ("p.ini" is a small plane the
// level may name, and the level may name itself), then scrolled and drawn
// for a few frames both ways. OpenGL calls without a context do nothing.
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
        for (int i = 0; i < 4; ++i)
            niveau.drawScene(16, 16 * i, i > 0, i % 2 == 0, false, false);
    }
    oublieProfil("niveau.ini");
    return 0;
}
