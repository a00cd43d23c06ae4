// Font descriptions, loaded whole, then a string drawn and measured with
// them: the input's first line is the string (any bytes, UTF-8 or not), the
// rest the description, which may name the sheet "p.bmp". OpenGL calls
// without a context do nothing, so no display is needed.
#include "Commun.h"
#include "foundation/IndexProfil.h"
#include "render/CTexte.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    std::string chaine;
    std::string description = fuzz::separe(donnees, taille, 1, &chaine, 512);
    fuzz::ecrit("police.ini", reinterpret_cast<const uint8_t*>(description.data()), description.size());
    {
        CTexte texte;
        texte.charge("police.ini");
        texte.affiche(-20, 470, chaine);
        texte.afficheCentre(320, 0, chaine + "\n" + chaine);
        texte.largeur(chaine);
    }
    oublieProfil("police.ini");
    return 0;
}
