#include "foundation/IndexProfil.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace {

bool ligneIgnoree(const char* ligne)
{
    return ligne[0] == '\0' || ligne[0] == '\n' || ligne[0] == ';' ||
           strcmp(ligne, "\r\n") == 0 || strcmp(ligne, "\r") == 0;
}

} // namespace

CIndexProfil::CIndexProfil(const std::string& texte, int tailleTampon)
    : taille(tailleTampon < 2 ? 2 : tailleTampon), dansSection(false), ligneNonTerminee(0)
{
    const size_t maximum = static_cast<size_t>(taille) - 1;
    const char* debut = texte.data();
    const size_t n = texte.size();
    size_t position = 0;
    int ligne = 1;
    bool suite = false;
    while (position < n) {
        size_t reste = n - position;
        size_t longueur = reste < maximum ? reste : maximum;
        const void* saut = memchr(debut + position, '\n', longueur);
        if (saut) {
            longueur = static_cast<const char*>(saut) - (debut + position) + 1;
        } else if (longueur < maximum) {
            // The reader's fgets met the end of the file in this piece.
            ligneNonTerminee = ligne;
            break;
        } else if (!suite) {
            lignesCoupees.push_back(ligne);
        }
        ajoutePiece(std::string(debut + position, longueur), ligne);
        position += longueur;
        suite = !saut;
        if (saut)
            ++ligne;
    }
}

void CIndexProfil::ajoutePiece(std::string piece, int ligne)
{
    piece.resize(strlen(piece.c_str()));
    size_t n = piece.size();
    if (n >= 2 && piece[n - 2] == '\r' && piece[n - 1] == '\n')
        piece.replace(n - 2, 2, "\n");

    if (piece[0] == '[') {
        if (dansSection)
            sections.back().fin = ligne;
        const int numero = static_cast<int>(sections.size());
        std::string texteEntete = piece.substr(1);
        for (size_t k = 0; k <= texteEntete.size(); ++k)
            parPrefixe.emplace(texteEntete.substr(0, k), numero);
        if (!texteEntete.empty() && texteEntete.back() == '\n')
            texteEntete.pop_back();
        sections.push_back(SectionProfil{texteEntete, texteEntete.substr(0, texteEntete.find(']')), ligne, 0,
                                         {}, {}});
        parCle.emplace_back();
        dansSection = true;
        return;
    }
    if (!dansSection)
        return;
    const char* texte = piece.c_str();
    while (*texte == ' ')
        ++texte;
    if (ligneIgnoree(texte))
        return;
    SectionProfil& section = sections.back();
    if (*texte == '[') {
        section.fin = ligne;
        dansSection = false;
        return;
    }
    const char* egal = strchr(texte, '=');
    if (!egal) {
        section.lignesSansEgal.push_back(ligne);
        return;
    }
    const char* valeur = egal + 1;
    while (*valeur == ' ')
        ++valeur;
    section.cles.push_back(CleProfil{std::string(texte, egal - texte), valeur, ligne});
    parCle.back().emplace(section.cles.back().cle, static_cast<int>(section.cles.size()) - 1);
}

const SectionProfil* CIndexProfil::trouveSection(const char* nom) const
{
    auto it = parPrefixe.find(nom);
    return it == parPrefixe.end() ? nullptr : &sections[it->second];
}

const CleProfil* CIndexProfil::trouveCle(const SectionProfil& section, const char* cle) const
{
    size_t numero = &section - sections.data();
    if (numero >= sections.size())
        return nullptr;
    auto it = parCle[numero].find(cle);
    return it == parCle[numero].end() ? nullptr : &section.cles[it->second];
}

// ---- Files read once ------------------------------------------------------

namespace {

// A file changed within this delay of its reading may change again within
// the same tick of the file system's clock, keeping its size and time: it is
// then compared byte for byte until it is older than that.
const long long MARGE_HORLOGE_NS = 50LL * 1000 * 1000;
const size_t FICHIERS_MAX = 256;
// No profile file comes near this; a device or a pipe that never ends is
// read no further.
const size_t TAILLE_LUE_MAX = 256u * 1024 * 1024;

long long nanosecondes(const timespec& t)
{
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

long long maintenant()
{
    timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return nanosecondes(t);
}

struct Signature {
    dev_t dev;
    ino_t ino;
    off_t taille;
    long long modification;
    long long changement;

    explicit Signature(const struct stat& s)
        : dev(s.st_dev), ino(s.st_ino), taille(s.st_size), modification(nanosecondes(s.st_mtim)),
          changement(nanosecondes(s.st_ctim))
    {
    }
    bool operator==(const Signature& o) const
    {
        return dev == o.dev && ino == o.ino && taille == o.taille && modification == o.modification &&
               changement == o.changement;
    }
};

struct FichierLu {
    Signature signature;
    long long lecture;  // when the content was last read
    std::string contenu;
    std::map<int, std::shared_ptr<const CIndexProfil>> parTaille;

    bool sur() const { return signature.modification < lecture - MARGE_HORLOGE_NS &&
                              signature.changement < lecture - MARGE_HORLOGE_NS; }
};

std::mutex verrou;
std::map<std::string, FichierLu>& fichiers()
{
    static std::map<std::string, FichierLu> table;
    return table;
}

// Reads the file as the readers open it; false when it cannot be opened.
// A read error gives what was read before it, as fgets would have; past
// TAILLE_LUE_MAX the rest is ignored.
bool litFichier(const char* fichier, std::string& contenu, struct stat& etat)
{
    FILE* f = fopen(fichier, "r");
    if (!f)
        return false;
    if (fstat(fileno(f), &etat) != 0) {
        fclose(f);
        return false;
    }
    contenu.clear();
    char bloc[16384];
    size_t n;
    while (contenu.size() < TAILLE_LUE_MAX && (n = fread(bloc, 1, sizeof bloc, f)) > 0)
        contenu.append(bloc, n);
    fclose(f);
    return true;
}

} // namespace

std::shared_ptr<const CIndexProfil> indexProfil(const char* fichier, int taille)
{
    if (!fichier)
        return nullptr;
    if (taille < 2)
        taille = 2;
    std::lock_guard<std::mutex> garde(verrou);
    auto& table = fichiers();
    auto it = table.find(fichier);
    struct stat etat;
    if (stat(fichier, &etat) != 0) {
        if (it != table.end())
            table.erase(it);
        return nullptr;
    }
    bool valide = it != table.end() && it->second.signature == Signature(etat);
    if (!valide || !it->second.sur()) {
        long long debutLecture = maintenant();
        std::string contenu;
        if (!litFichier(fichier, contenu, etat)) {
            if (it != table.end())
                table.erase(it);
            return nullptr;
        }
        if (valide && contenu == it->second.contenu && it->second.signature == Signature(etat)) {
            it->second.lecture = debutLecture;
        } else {
            if (it != table.end())
                table.erase(it);
            if (table.size() >= FICHIERS_MAX)
                table.clear();
            it = table.emplace(fichier, FichierLu{Signature(etat), debutLecture, std::move(contenu), {}})
                     .first;
        }
    }
    auto& index = it->second.parTaille[taille];
    if (!index)
        index = std::make_shared<const CIndexProfil>(it->second.contenu, taille);
    return index;
}

void oublieProfil(const char* fichier)
{
    if (!fichier)
        return;
    std::lock_guard<std::mutex> garde(verrou);
    fichiers().erase(fichier);
}
