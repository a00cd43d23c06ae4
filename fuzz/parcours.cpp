// The player's records.ini and the journey data/parcours.ini: read, and the
// records written back and read again, as the game does after a finish.
#include "Commun.h"
#include "game/Parcours.h"
#include "game/Records.h"

#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    fuzz::ecrit("parcours.ini", donnees, taille);
    Parcours parcours = litParcours("parcours.ini");
    (void)parcours;

    fuzz::ecrit("records.ini", donnees, taille);
    CRecords records;
    litRecords("records.ini", records);
    ResultatNiveau r;
    r.temps = 61000;
    r.lueurs = 3;
    records.enregistre("p.ini", r);
    // What the game wrote, it reads back: the finish just stored included.
    if (ecritRecords("records.ini", records)) {
        CRecords relus;
        if (!litRecords("records.ini", relus) || !relus.termine("p.ini"))
            __builtin_trap();
    }
    std::remove("records.ini.abime");
    return 0;
}
