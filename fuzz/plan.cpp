// Background plane descriptions, loaded whole (frames cut from "p.bmp"
// when named) and measured and drawn, with repetition, at a few scroll
// positions. OpenGL calls without a context do nothing.
#include "Commun.h"
#include "foundation/IndexProfil.h"
#include "scenery/CBackground.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    fuzz::ecrit("plan.ini", donnees, taille);
    {
        CBackground plan;
        plan.initFromIniFile("plan.ini");
        plan.getLongueur();
        plan.getHauteur();
        for (int sx : {0, 250, -100, 2147483000})
            for (bool repete : {false, true})
                plan.affiche(1, 1, sx, 0, 800, 600, repete, false);
    }
    oublieProfil("plan.ini");
    return 0;
}
