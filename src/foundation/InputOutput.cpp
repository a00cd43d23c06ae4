#include "foundation/InputOutput.h"

#include "foundation/FichierOrdinaire.h"
#include "foundation/FichierProvisoire.h"
#include "foundation/IndexProfil.h"
#include "foundation/Messages.h"
#include "foundation/Schema.h"
#include "foundation/Temps.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int TAILLE_LIGNE_REEL = 64;
const int TAILLE_LIGNE_ECRITURE = 200;
const int TAILLE_NOUVELLE_LIGNE = 250;

// One fgets piece. False at the end of the file, and also for a last piece
// that hit the end of the file: a line without its line break never counts.
bool litLigne(FILE* f, char* ligne, int taille)
{
    if (!fgets(ligne, taille, f) || feof(f))
        return false;
    size_t n = strlen(ligne);
    if (n >= 2 && ligne[n - 2] == '\r' && ligne[n - 1] == '\n') {
        ligne[n - 2] = '\n';
        ligne[n - 1] = '\0';
    }
    return true;
}

// Moves f just past the first header that opens `section`.
bool trouveSection(FILE* f, const char* section, char* ligne, int taille)
{
    size_t longueur = strlen(section);
    while (litLigne(f, ligne, taille)) {
        if (ligne[0] == '[' && strncmp(ligne + 1, section, longueur) == 0)
            return true;
    }
    return false;
}

// Copies the text before the first '=' of `ligne` into `cle`; false when the
// line has no '='.
bool extraitCle(const char* ligne, char* cle)
{
    const char* egal = strchr(ligne, '=');
    if (!egal)
        return false;
    size_t n = egal - ligne;
    memcpy(cle, ligne, n);
    cle[n] = '\0';
    return true;
}

// Reader lookup through the file's index. On success returns the value
// (after '=' and its leading spaces). Prints the reader's notices.
const char* chercheValeur(const CIndexProfil& index, const char* section, const char* cleVoulue, bool muet)
{
    const SectionProfil* trouvee = index.trouveSection(section);
    if (!trouvee) {
        if (!muet)
            messageInfo("Pas de section correspondante.\n");
        return nullptr;
    }
    const CleProfil* cle = index.trouveCle(*trouvee, cleVoulue);
    if (!cle) {
        if (!muet)
            messageInfo("Pas d'identifiant correspondant:%s\n", cleVoulue);
        return nullptr;
    }
    return cle->valeur.c_str();
}

bool lisFichierEntier(const char* fichier, std::string& contenu)
{
    FILE* f = ouvreFichierOrdinaire(fichier, "rb");
    if (!f)
        return false;
    char bloc[4096];
    size_t n;
    while ((n = fread(bloc, 1, sizeof bloc, f)) > 0)
        contenu.append(bloc, n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

} // namespace

int InputOutput::getPrivateProfileInt(const char* section, const char* cle, int defaut,
                                      const char* fichier, bool exitIfMissing)
{
    std::shared_ptr<const CIndexProfil> index = indexProfil(fichier, TAILLE_LIGNE_ENTIER);
    if (!index) {
        if (exitIfMissing)
            exit(1);
        return defaut;
    }
    const char* valeur = chercheValeur(*index, section, cle, muet);
    return valeur ? atoi(valeur) : defaut;
}

int InputOutput::getPrivateProfileString(const char* section, const char* cle, const char* defaut,
                                         char* destination, int size, const char* fichier,
                                         bool exitIfMissing)
{
    if (!destination || size <= 0)
        return 0;
    // Two bytes at least, so a piece can hold one character.
    std::shared_ptr<const CIndexProfil> index = indexProfil(fichier, size < 2 ? 2 : size);
    if (!index) {
        if (exitIfMissing) {
            messageInfo("Erreur Lecture fichier:%s\n", fichier);
            videMessages();
            attendre(5000);
            exit(1);
        }
        snprintf(destination, size, "%s", defaut);
        return 0;
    }
    const char* valeur = chercheValeur(*index, section, cle, muet);
    if (!valeur) {
        snprintf(destination, size, "%s", defaut);
        return 0;
    }
    // The last character is the line break, or the last one read of a line
    // longer than the buffer.
    size_t n = strlen(valeur);
    if (n > 0)
        --n;
    if (n > static_cast<size_t>(size - 1))
        n = size - 1;
    memcpy(destination, valeur, n);
    destination[n] = '\0';
    return 1;
}

float InputOutput::getPrivateProfileFloat(const char* section, const char* cle, float defaut,
                                          const char* fichier, bool exitIfMissing)
{
    char texteDefaut[TAILLE_LIGNE_REEL];
    char texte[TAILLE_LIGNE_REEL];
    snprintf(texteDefaut, sizeof texteDefaut, "%f", defaut);
    getPrivateProfileString(section, cle, texteDefaut, texte, TAILLE_LIGNE_REEL, fichier,
                            exitIfMissing);
    float valeur;
    if (sscanf(texte, "%f", &valeur) != 1)
        return defaut;
    return valeur;
}

bool InputOutput::getPrivateProfileBool(const char* section, const char* cle, bool defaut,
                                        const char* fichier, bool exitIfMissing)
{
    int valeur = getPrivateProfileInt(section, cle, 12, fichier, exitIfMissing);
    if (valeur == 0)
        return false;
    if (valeur == 1)
        return true;
    return defaut;
}

InputOutput::Ecriture InputOutput::ecrit(const char* section, const char* cle,
                                         const char* valeur, const char* fichier)
{
    char nouvelleLigne[TAILLE_NOUVELLE_LIGNE];
    int longueurNouvelle = snprintf(nouvelleLigne, sizeof nouvelleLigne, "%s%c%s", cle, '=', valeur);
    if (longueurNouvelle < 0 || longueurNouvelle >= TAILLE_NOUVELLE_LIGNE) {
        messageErreur("Ligne trop longue pour %s (%d caractères au plus): %s non modifié\n",
                cle, TAILLE_NOUVELLE_LIGNE - 1, fichier);
        return ECRITURE_SANS_EFFET;
    }

    FILE* f = ouvreFichierOrdinaire(fichier, "r+");
    if (!f) {
        messageInfo("Erreur Lecture fichier:%s\n", fichier);
        return ECRITURE_ECHEC;
    }
    char ligne[TAILLE_LIGNE_ECRITURE];
    char texteCle[TAILLE_LIGNE_ECRITURE];
    if (!trouveSection(f, section, ligne, TAILLE_LIGNE_ECRITURE)) {
        messageInfo("Pas de section correspondante.\n");
        fclose(f);
        return ECRITURE_SANS_EFFET;
    }
    long position = -1;
    for (;;) {
        long debut = ftell(f);
        if (!litLigne(f, ligne, TAILLE_LIGNE_ECRITURE) || ligne[0] == '[')
            break;
        if (extraitCle(ligne, texteCle) && strcmp(texteCle, cle) == 0) {
            position = debut;
            break;
        }
    }
    fclose(f);
    if (position < 0)
        return ECRITURE_SANS_EFFET;

    std::string contenu;
    if (!lisFichierEntier(fichier, contenu) || static_cast<size_t>(position) > contenu.size()) {
        messageInfo("Erreur Lecture fichier:%s\n", fichier);
        return ECRITURE_ECHEC;
    }
    // The old line is replaced whole, up to and including its line break,
    // even when it is longer than the reading buffer.
    size_t finLigne = contenu.find('\n', position);
    size_t suite = finLigne == std::string::npos ? contenu.size() : finLigne + 1;
    std::string texteSuivant = contenu.substr(suite);
    std::string nouveau = contenu.substr(0, position) + nouvelleLigne + "\n" + texteSuivant;
    bool remplace = remplaceFichierAtomique(fichier, nouveau);
    // The readers' copy of the file is stale from now on.
    oublieProfil(fichier);
    if (!remplace) {
        messageInfo("Erreur Lecture fichier:%s\n", fichier);
        return ECRITURE_ECHEC;
    }
    messageInfo("Ligne:%s\n", nouvelleLigne);
    messageInfo("Temptext:%s\n", texteSuivant.c_str());
    messageInfo("Position:%d\n", static_cast<int>(position));
    return ECRITURE_FAITE;
}

void InputOutput::writePrivateProfileString(const char* section, const char* cle,
                                            const char* valeur, const char* fichier, bool)
{
    ecrit(section, cle, valeur, fichier);
}

bool InputOutput::writePrivateProfileInt(const char* section, const char* cle, int valeur,
                                         const char* fichier, bool)
{
    char texte[16];
    snprintf(texte, sizeof texte, "%d", valeur);
    return ecrit(section, cle, texte, fichier) != ECRITURE_ECHEC;
}

CRemplacementFichier::CRemplacementFichier() : provisoire_(new CFichierProvisoire) {}
CRemplacementFichier::~CRemplacementFichier() = default;

bool CRemplacementFichier::prepare(const char* fichier, const std::string& contenu)
{
    pret_ = false;
    // A symbolic link is followed: the file it leads to is replaced, beside
    // itself, and the link stays a link.
    char* reel = realpath(fichier, nullptr);
    const std::string cible = reel ? reel : fichier;
    free(reel);
    const int fd = provisoire_->ouvre(cible.c_str());
    if (fd < 0)
        return false;
    struct stat etat;
    if (stat(cible.c_str(), &etat) == 0) {
        // Only root may give a file away; chown before chmod, which it
        // would otherwise undo for the set-id bits.
        if (geteuid() == 0 && fchown(fd, etat.st_uid, etat.st_gid) != 0)
            errno = 0;
        fchmod(fd, etat.st_mode & 07777);
    }
    size_t ecrit = 0;
    while (ecrit < contenu.size()) {
        ssize_t n = write(fd, contenu.data() + ecrit, contenu.size() - ecrit);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            abandonne();
            return false;
        }
        ecrit += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0) {
        abandonne();
        return false;
    }
    pret_ = true;
    return true;
}

bool CRemplacementFichier::publie()
{
    if (!pret_) {
        errno = EINVAL;
        return false;
    }
    pret_ = false;
    return provisoire_->publie();
}

void CRemplacementFichier::abandonne()
{
    const int erreur = errno;
    provisoire_.reset(new CFichierProvisoire);
    pret_ = false;
    errno = erreur;
}

bool remplaceFichierAtomique(const char* fichier, const std::string& contenu)
{
    CRemplacementFichier remplacement;
    return remplacement.prepare(fichier, contenu) && remplacement.publie();
}
