#ifndef CORVANTHELIS_VERIFICATION_RAPPORT_H
#define CORVANTHELIS_VERIFICATION_RAPPORT_H

// The data checker's findings: one line per problem, "file:line: severity :
// message", or "file: severity : message" for a problem about a whole file.
// Errors are what the game will get wrong or cannot read; warnings are what
// it reads as written but the author probably did not mean.

#include <cstdio>
#include <string>
#include <vector>

enum Gravite { Erreur, Avertissement };

struct Probleme {
    std::string fichier;
    int ligne; // 0: the whole file
    Gravite gravite;
    std::string message;
};

class CRapport {
public:
    void erreur(const std::string& fichier, int ligne, const std::string& message)
    {
        ajoute(fichier, ligne, Erreur, message);
    }
    void avertissement(const std::string& fichier, int ligne, const std::string& message)
    {
        ajoute(fichier, ligne, Avertissement, message);
    }
    void ajoute(const std::string& fichier, int ligne, Gravite gravite, const std::string& message);

    int nbErreurs() const { return nbErreurs_; }
    int nbAvertissements() const { return nbAvertissements_; }
    const std::vector<Probleme>& problemes() const { return problemes_; }

    // Every problem as printed, file by file in checking order, by line.
    std::vector<std::string> lignes() const;
    // Every problem, then the count line.
    void imprime(FILE* sortie) const;

private:
    static std::string formate(const Probleme& p);

    std::vector<Probleme> problemes_;
    int nbErreurs_ = 0;
    int nbAvertissements_ = 0;
};

// printf into a std::string.
std::string texte(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The closest of `candidats` to `mot` (edit distance, a swap of two
// neighbours counting once), or "" when none is close enough to be a typo.
std::string plusProche(const std::string& mot, const std::vector<std::string>& candidats);

#endif
