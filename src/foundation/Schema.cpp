#include "foundation/Schema.h"

#include "foundation/IndexProfil.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"

#include <climits>
#include <cstdlib>
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

bool estEntierEcrit(const std::string& valeur)
{
    std::string s = valeur.substr(0, valeur.find(';'));
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i >= s.size())
        return false;
    for (; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return s.size() < 11;
}

long borneCle(const DefCle& cle, long valeur)
{
    return valeur < cle.min ? cle.min : valeur > cle.max ? cle.max : valeur;
}

namespace {

// The key as the reader finds it through a `taille`-byte buffer, or null.
const CleProfil* cleLue(const CIndexProfil& index, const char* section, const char* cle)
{
    const SectionProfil* s = index.trouveSection(section);
    return s ? index.trouveCle(*s, cle) : nullptr;
}

}

bool litEntierCle(InputOutput& io, const char* section, const DefCle& cle, const char* fichier, int& valeur,
                  bool muet)
{
    if (cle.type == Booleen)
        valeur = io.getPrivateProfileBool(section, cle.nom, cle.defaut != 0, fichier, false);
    else
        valeur = io.getPrivateProfileInt(section, cle.nom, static_cast<int>(cle.defaut), fichier, false);
    std::shared_ptr<const CIndexProfil> index = indexProfil(fichier, TAILLE_LIGNE_ENTIER);
    const CleProfil* lue = index ? cleLue(*index, section, cle.nom) : nullptr;
    if (!lue)
        return true;
    std::string texte = lue->valeur;
    if (!texte.empty() && texte.back() == '\n')
        texte.pop_back();
    if (!estEntierEcrit(texte)) {
        if (!muet)
            messageErreur("Valeur non entière pour %s dans %s : « %s »\n", cle.nom, fichier, texte.c_str());
        return false;
    }
    long lu = atol(texte.c_str());
    if (muet)
        return lu >= cle.min && lu <= cle.max;
    return dansLimites(cle, lu, fichier);
}

bool litCompteCle(InputOutput& io, const char* section, const DefCle& cle, const char* fichier, int& valeur,
                  bool muet)
{
    DefCle sansPlafond = cle;
    sansPlafond.max = INT_MAX;
    return litEntierCle(io, section, sansPlafond, fichier, valeur, muet);
}

int litTexteCle(InputOutput& io, const char* section, const DefCle& cle, const char* defaut, char* destination,
                const char* fichier, bool muet)
{
    int lu = io.getPrivateProfileString(section, cle.nom, defaut, destination, cle.tampon, fichier, false);
    if (lu <= 0 || muet)
        return lu;
    std::shared_ptr<const CIndexProfil> index = indexProfil(fichier, cle.tampon);
    const CleProfil* k = index ? cleLue(*index, section, cle.nom) : nullptr;
    if (!k)
        return lu;
    const std::vector<int>& coupees = index->getLignesCoupees();
    for (int ligne : coupees)
        if (ligne == k->ligne) {
            messageErreur("Valeur trop longue pour %s dans %s : ligne %d de plus de %d caractères\n", cle.nom,
                          fichier, ligne, cle.tampon - 2);
            break;
        }
    return lu;
}
