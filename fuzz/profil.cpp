// Profile files through every reader and the writer. The input's first two
// lines name the section and the key looked up (within the readers' buffer
// sizes, as the format asks), the rest is the file.
#include "Commun.h"
#include "foundation/IndexProfil.h"
#include "foundation/InputOutput.h"

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    std::string noms[2];
    std::string texte = fuzz::separe(donnees, taille, 2, noms, 60);
    const char* f = "profil.ini";
    fuzz::ecrit(f, reinterpret_cast<const uint8_t*>(texte.data()), texte.size());
    const char* section = noms[0].c_str();
    const char* cle = noms[1].c_str();

    InputOutput io;
    io.getPrivateProfileInt(section, cle, 7, f, false);
    io.getPrivateProfileFloat(section, cle, 0.5f, f, false);
    io.getPrivateProfileBool(section, cle, true, f, false);
    char tampon[200];
    for (int t : {1, 2, 64, 100, 200})
        io.getPrivateProfileString(section, cle, "", tampon, t, f, false);
    io.writePrivateProfileString(section, cle, "valeur", f, false);
    io.getPrivateProfileString(section, cle, "", tampon, sizeof tampon, f, false);
    io.writePrivateProfileInt(section, cle, -42, f, false);
    // A finished write leaves no temporary file behind.
    if (DIR* d = opendir(".")) {
        while (dirent* entree = readdir(d))
            if (strncmp(entree->d_name, "profil.ini.tmp", 14) == 0)
                abort();
        closedir(d);
    }
    oublieProfil(f);
    return 0;
}
