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

bool texteEntier(const std::string& valeur)
{
    std::string s = valeur.substr(0, valeur.find(';'));
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i >= s.size())
        return false;
    for (; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return s.size() < 11;
}

bool valeurEntiere(const DefCle& cle, const std::string& valeur, const char* fichier)
{
    if (texteEntier(valeur))
        return true;
    messageErreur("Valeur non entière pour %s dans %s : « %s »\n", cle.nom, fichier, valeur.c_str());
    return false;
}
