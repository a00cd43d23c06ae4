#ifndef CORVANTHELIS_VERIFIE_PROFIL_H
#define CORVANTHELIS_VERIFIE_PROFIL_H

// A profile text file as the game's reader sees it, read once: its lines with
// their numbers, its section headers, the key lines each section holds, and
// the value any lookup would return with a given line buffer size. The
// lookup follows the reader's rules exactly (prefix headers, first match,
// pieces of long lines, the last line without a line break never counting),
// so the checker reports what the game will really read.

#include <string>
#include <vector>

class CFichierProfil {
public:
    struct Ligne {
        int numero;        // from 1
        std::string texte; // without its line break ("\n" or "\r\n")
        bool terminee;     // ends with a line break
    };
    struct Entete {
        int ligne;
        std::string nom; // text after '[' up to ']' (or the end of the line)
    };
    struct LigneCle {
        int ligne;
        std::string cle;    // text before the first '=', leading spaces removed
        std::string valeur; // after '=' and its leading spaces, to the end of the line
    };
    struct Section {
        Entete entete;
        std::vector<LigneCle> cles; // in file order, up to the line that ends it
    };
    struct Valeur {
        bool trouvee = false;
        std::string texte; // what the reader stores (the string reader's result)
        int ligne = 0;
    };

    // False when the file cannot be opened.
    bool charge(const std::string& chemin);

    const std::vector<Ligne>& lignes() const { return lignes_; }
    const std::vector<Section>& sections() const { return sections_; }
    const std::string& chemin() const { return chemin_; }

    // The section a lookup of `nom` opens: the first header whose text after
    // '[' begins with `nom`; null when there is none.
    const Section* sectionLue(const std::string& nom) const;
    // What the reader returns for (section, cle) with a line buffer of
    // `taille` bytes (100 for integers and booleans, the caller's size for
    // strings).
    Valeur cherche(const std::string& section, const std::string& cle, int taille) const;

private:
    std::string chemin_;
    std::vector<Ligne> lignes_;
    std::vector<Section> sections_;
};

#endif
