// Level files, loaded whole with their planes ("p.ini" is a small plane the
// level may name, and the level may name itself). Drawing them is
// fuzz_affichage_niveau's part.
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
    }
    oublieProfil("niveau.ini");
    return 0;
}
