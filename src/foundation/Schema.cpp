#include "foundation/Schema.h"

#include "foundation/Messages.h"

#include <cstring>

namespace {
const char* const FIN_MOT = " \t\r;";
}

void coupeMot(char* mot)
{
    mot[strcspn(mot, FIN_MOT)] = '\0';
}

void coupeMot(std::string& mot)
{
    mot.resize(strcspn(mot.c_str(), FIN_MOT));
}

bool dansLimites(const DefCle& cle, long valeur, const char* fichier)
{
    if (valeur >= cle.min && valeur <= cle.max)
        return true;
    messageErreur("Valeur hors limites pour %s dans %s : %ld (de %ld à %ld)\n", cle.nom, fichier, valeur, cle.min,
                  cle.max);
    return false;
}
