#include "foundation/IndexProfil.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/FichierOrdinaire.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <string_view>
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
    std::string piece;
    // Every line starts a piece, so each "\n[" opens a section; key lines
    // are about as many as the lines with a '='. Reserving spares the
    // growing copies.
    size_t entetes = n > 0 && debut[0] == '[';
    size_t lignes = 1;
    for (const char* p = debut; (p = static_cast<const char*>(memchr(p, '\n', debut + n - p))) != nullptr; ++p) {
        ++lignes;
        if (p + 1 < debut + n && p[1] == '[')
            ++entetes;
    }
    sections.reserve(entetes);
    cles.reserve(std::min<size_t>(lignes, std::count(texte.begin(), texte.end(), '=')));
    if (maximum == 1) {
        litOctetParOctet(texte);
        rangeEntetes();
        return;
    }
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
        ajoutePiece(debut + position, longueur, ligne, piece);
        position += longueur;
        suite = !saut;
        if (saut)
            ++ligne;
    }
    rangeEntetes();
}

// What the pieces come to when each is one byte: every byte but a line
// break is a line of its own, the first of a line a cut one, '[' a header
// named "", '=' the key "" with the value "", and a blank, a comment, a
// '\r' or a NUL nothing.
void CIndexProfil::litOctetParOctet(const std::string& texte)
{
    int ligne = 1;
    bool debutLigne = true;
    for (char c : texte) {
        switch (c) {
        case '\n':
            ++ligne;
            debutLigne = true;
            continue;
        case '[':
            if (dansSection)
                sections.back().fin = ligne;
            sections.push_back(SectionProfil{"", "", ligne, 0, false, {}, {}});
            dansSection = true;
            break;
        case '\0':
        case ' ':
        case ';':
        case '\r':
            break;
        case '=':
            if (dansSection) {
                cles.push_back(CleProfil{"", "", ligne});
                SectionProfil& section = sections.back();
                section.cles = PlageCles(nullptr, section.cles.size() + 1);
            }
            break;
        default:
            if (dansSection)
                sections.back().lignesSansEgal.push_back(ligne);
        }
        if (debutLigne)
            lignesCoupees.push_back(ligne);
        debutLigne = false;
    }
}

void CIndexProfil::ajoutePiece(const char* debut, size_t longueur, int ligne, std::string& piece)
{
    const void* nul = memchr(debut, '\0', longueur);
    if (nul)
        longueur = static_cast<const char*>(nul) - debut;
    piece.assign(debut, longueur);
    size_t n = piece.size();
    if (n >= 2 && piece[n - 2] == '\r' && piece[n - 1] == '\n')
        piece.replace(n - 2, 2, "\n");

    if (piece[0] == '[') {
        if (dansSection)
            sections.back().fin = ligne;
        std::string texteEntete = piece.substr(1);
        const bool finie = !texteEntete.empty() && texteEntete.back() == '\n';
        if (finie)
            texteEntete.pop_back();
        std::string nom = texteEntete.substr(0, texteEntete.find(']'));
        sections.push_back(SectionProfil{std::move(texteEntete), std::move(nom), ligne, 0, finie, {}, {}});
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
    cles.push_back(CleProfil{std::string(texte, egal - texte), valeur, ligne});
    // Only counted here: the runs are placed once `cles` stops growing.
    section.cles = PlageCles(nullptr, section.cles.size() + 1);
}

void CIndexProfil::rangeEntetes()
{
    const size_t n = sections.size();
    size_t premiere = 0;
    for (SectionProfil& s : sections) {
        s.cles = PlageCles(cles.data() + premiere, s.cles.size());
        premiere += s.cles.size();
    }
    // Through two bytes every header is "": the first one answers.
    if (n == 0 || taille == 2)
        return;
    ordre.resize(n);
    for (size_t i = 0; i < n; ++i)
        ordre[i] = static_cast<int>(i);
    std::sort(ordre.begin(), ordre.end(), [this](int a, int b) {
        int c = sections[a].entete.compare(sections[b].entete);
        return c < 0 || (c == 0 && a < b);
    });
    size_t niveaux = 1;
    while ((size_t{1} << niveaux) <= n)
        ++niveaux;
    minimums.resize(niveaux * n);
    std::copy(ordre.begin(), ordre.end(), minimums.begin());
    for (size_t k = 1; k < niveaux; ++k) {
        const int* avant = &minimums[(k - 1) * n];
        int* niveau = &minimums[k * n];
        const size_t pas = size_t{1} << (k - 1);
        for (size_t i = 0; i + 2 * pas <= n; ++i)
            niveau[i] = std::min(avant[i], avant[i + pas]);
    }
}

const SectionProfil* CIndexProfil::trouveSection(const char* nom) const
{
    std::string_view voulu(nom);
    // No order kept: every header is "" (or there is none).
    if (ordre.empty())
        return voulu.empty() && !sections.empty() ? &sections[0] : nullptr;
    const size_t saut = voulu.find('\n');
    if (saut != std::string_view::npos) {
        // Only a header's own line break can match one, at the end of it.
        if (saut + 1 != voulu.size())
            return nullptr;
        voulu.remove_suffix(1);
        for (const SectionProfil& s : sections)
            if (s.finie && s.entete == voulu)
                return &s;
        return nullptr;
    }
    // Compared on their first voulu.size() bytes, the sorted headers stay
    // sorted: those that begin with `nom` are the equal ones.
    auto debutDe = [&](int i) { return std::string_view(sections[i].entete).substr(0, voulu.size()); };
    auto premier = std::lower_bound(ordre.begin(), ordre.end(), voulu,
                                    [&](int i, std::string_view v) { return debutDe(i) < v; });
    auto dernier = std::upper_bound(premier, ordre.end(), voulu,
                                    [&](std::string_view v, int i) { return v < debutDe(i); });
    if (premier == dernier)
        return nullptr;
    const size_t debut = premier - ordre.begin();
    const size_t compte = dernier - premier;
    size_t k = 0;
    while ((size_t{2} << k) <= compte)
        ++k;
    const int* niveau = &minimums[k * sections.size()];
    return &sections[std::min(niveau[debut], niveau[debut + compte - (size_t{1} << k)])];
}

const CleProfil* CIndexProfil::trouveCle(const SectionProfil& section, const char* cle) const
{
    size_t numero = &section - sections.data();
    if (numero >= sections.size())
        return nullptr;
    // Sections hold a handful of keys and each is asked for once or twice:
    // a scan costs less than a table built for every section.
    for (const CleProfil& c : sections[numero].cles)
        if (c.cle == cle)
            return &c;
    return nullptr;
}

// ---- Files read once ------------------------------------------------------

namespace {

// A file changed within this delay of its reading may change again within
// the same tick of the file system's clock, keeping its size and time: it is
// then compared byte for byte until it is older than that.
long long margeHorloge = 50LL * 1000 * 1000;
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

// The smallest buffer size that reads every line of `contenu` whole, its
// line break included, and a last line without one as never read: every
// size from there up cuts the file the same way.
int tailleSuffisante(const std::string& contenu)
{
    size_t plusLongue = 0;
    size_t debut = 0;
    for (;;) {
        size_t saut = contenu.find('\n', debut);
        if (saut == std::string::npos)
            break;
        plusLongue = std::max(plusLongue, saut - debut + 2);
        debut = saut + 1;
    }
    if (debut < contenu.size())
        plusLongue = std::max(plusLongue, contenu.size() - debut + 2);
    return static_cast<int>(std::min<size_t>(std::max<size_t>(plusLongue, 2), INT_MAX));
}

struct FichierLu {
    Signature signature;
    long long lecture;  // when the content was last read
    std::string contenu;
    int suffisante;     // tailleSuffisante(contenu)
    std::map<int, std::shared_ptr<const CIndexProfil>> parTaille;

    bool sur() const { return signature.modification < lecture - margeHorloge &&
                              signature.changement < lecture - margeHorloge; }
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
    FILE* f = ouvreFichierOrdinaire(fichier, "r");
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

std::shared_ptr<const CIndexProfil> indexProfil(const char* nom, int taille)
{
    if (!nom)
        return nullptr;
    // Kept under the name of the file read: an author's copy that appears
    // is a new file, never the installed one's stale text.
    const std::string lu = cheminContenuLu(nom);
    const char* fichier = lu.c_str();
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
            int suffisante = tailleSuffisante(contenu);
            it = table.emplace(fichier, FichierLu{Signature(etat), debutLecture, std::move(contenu),
                                                  suffisante, {}})
                     .first;
        }
    }
    taille = std::min(taille, it->second.suffisante);
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

void fixeMargeHorloge(long long nanosecondes)
{
    std::lock_guard<std::mutex> garde(verrou);
    margeHorloge = nanosecondes < 0 ? 0 : nanosecondes;
}
