#ifndef CORVANTHELIS_VERIFICATION_PROFIL_H
#define CORVANTHELIS_VERIFICATION_PROFIL_H

// A profile text file as the game's reader sees it, read once. Every answer
// comes from the reader's own index (foundation/IndexProfil.h) built over the
// same text, so the checker reports what the game will really read: the
// values a lookup returns with a given line buffer, the section a lookup
// opens (prefix headers, first match), the pieces of long lines, the last
// line without a line break. Sections "as written" are the index through a
// buffer wide enough to cut no line.

#include "foundation/IndexProfil.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CFichierProfil {
public:
    struct Ligne {
        int numero;        // from 1
        std::string texte; // without its line break ("\n" or "\r\n")
        bool terminee;     // ends with a line break
    };
    struct Valeur {
        bool trouvee = false;
        std::string texte; // what the string reader stores
        int ligne = 0;
    };

    // False when the file cannot be read.
    bool charge(const std::string& chemin);

    const std::string& chemin() const { return chemin_; }
    const std::vector<Ligne>& lignes() const { return lignes_; }
    // Every section as written, in file order; key values keep no line break.
    const std::vector<SectionProfil>& sections() const { return ecrit().getSections(); }
    // The written section a lookup of `nom` opens, or null.
    const SectionProfil* sectionLue(const std::string& nom) const;
    // What the reader returns for (section, cle) through a buffer of
    // `taille` bytes (100 for integers and booleans, the caller's size for
    // strings).
    Valeur cherche(const std::string& section, const std::string& cle, int taille) const;
    // Lines cut into pieces by a buffer of `taille` bytes.
    const std::vector<int>& lignesCoupees(int taille) const { return index(taille).getLignesCoupees(); }

private:
    const CIndexProfil& index(int taille) const;
    const CIndexProfil& ecrit() const { return index(largeur_); }

    std::string chemin_;
    std::string texte_;
    std::vector<Ligne> lignes_;
    int largeur_ = 2;
    mutable std::map<int, std::unique_ptr<CIndexProfil>> index_;
};

#endif
