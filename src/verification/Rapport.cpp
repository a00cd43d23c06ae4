#include "verification/Rapport.h"

#include <algorithm>
#include <cstdarg>

void CRapport::ajoute(const std::string& fichier, int ligne, Gravite gravite,
                     const std::string& message)
{
    // A file named with "./" reads the same without it.
    std::string nom = fichier.compare(0, 2, "./") == 0 ? fichier.substr(2) : fichier;
    problemes_.push_back({nom, ligne, gravite, message});
    if (gravite == Erreur)
        ++nbErreurs_;
    else
        ++nbAvertissements_;
}

std::string CRapport::formate(const Probleme& p)
{
    std::string lieu = p.ligne > 0 ? p.fichier + ":" + std::to_string(p.ligne) : p.fichier;
    return lieu + ": " + (p.gravite == Erreur ? "erreur" : "avertissement") + " : " + p.message;
}

std::vector<std::string> CRapport::lignes() const
{
    // File by file, in the order the files were checked, each by line.
    std::vector<std::string> ordre;
    for (const Probleme& p : problemes_)
        if (std::find(ordre.begin(), ordre.end(), p.fichier) == ordre.end())
            ordre.push_back(p.fichier);
    std::vector<Probleme> tries = problemes_;
    auto rang = [&](const Probleme& p) { return std::find(ordre.begin(), ordre.end(), p.fichier) - ordre.begin(); };
    std::stable_sort(tries.begin(), tries.end(), [&](const Probleme& a, const Probleme& b) {
        return rang(a) != rang(b) ? rang(a) < rang(b) : a.ligne < b.ligne;
    });
    std::vector<std::string> r;
    for (const Probleme& p : tries)
        r.push_back(formate(p));
    return r;
}

void CRapport::imprime(FILE* sortie) const
{
    for (const std::string& l : lignes())
        fprintf(sortie, "%s\n", l.c_str());
    fprintf(sortie, "%d erreur%s, %d avertissement%s\n", nbErreurs_, nbErreurs_ > 1 ? "s" : "",
            nbAvertissements_, nbAvertissements_ > 1 ? "s" : "");
}

std::string texte(const char* format, ...)
{
    char tampon[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(tampon, sizeof tampon, format, args);
    va_end(args);
    return tampon;
}

namespace {

int distance(const std::string& a, const std::string& b)
{
    const size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
    for (size_t i = 0; i <= n; ++i)
        d[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= m; ++j)
        d[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= n; ++i)
        for (size_t j = 1; j <= m; ++j) {
            int cout = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cout});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[n][m];
}

std::string minuscules(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

}

std::string plusProche(const std::string& mot, const std::vector<std::string>& candidats)
{
    std::string meilleur;
    int meilleure = 0;
    for (const std::string& c : candidats) {
        // Letter case is a typo like any other, but a cheap one.
        int d = distance(minuscules(mot), minuscules(c)) * 2 + (mot == c ? 0 : 1);
        if (meilleur.empty() || d < meilleure) {
            meilleur = c;
            meilleure = d;
        }
    }
    // Up to a third of the letters wrong (and at least two) is still a typo.
    int seuil = std::max<int>(2, static_cast<int>(std::max(mot.size(), meilleur.size()) / 3));
    return !meilleur.empty() && meilleure <= seuil * 2 + 1 ? meilleur : std::string();
}
