// Level files, loaded whole with their planes ("p.ini" is a small plane the
// level may name, and the level may name itself). Built again as
// fuzz_affichage_niveau, which also draws them.
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
#ifdef FUZZ_DESSINE_NIVEAU
        niveau.setPositionX(2800);
        niveau.drawScene(16, 16, true, true, false, false);
        niveau.drawScene(16, 32, true, false, false, false);
#endif
    }
    oublieProfil("niveau.ini");
    return 0;
}
