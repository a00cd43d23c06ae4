#ifndef CORVANTHELIS_EDITEUR_ETATMODELE_H
#define CORVANTHELIS_EDITEUR_ETATMODELE_H

// The inside of CModeleNiveau, shared by its source files: the documents,
// the history, and the state read from them. Document 0 is the level; the
// others are the plane files, one per distinct path.

#include "editeur/ModeleNiveau.h"
#include "foundation/DocumentProfil.h"
#include "foundation/IndexProfil.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace editeur {

using Cles = std::vector<std::pair<std::string, std::string>>;

// Reads a document's text as InputOutput reads the file: the same index per
// buffer size, the same defaults.
class CLecture {
public:
    explicit CLecture(const std::string& texte) : texte_(texte) {}
    bool chaine(const std::string& section, const char* cle, int taille, std::string& valeur);
    int entier(const std::string& section, const char* cle, int defaut);
    bool booleen(const std::string& section, const char* cle, bool defaut);
    // Every key of the section in order, first occurrence of each only.
    Cles cles(const std::string& section);
    const CIndexProfil& index(int taille);

private:
    const std::string& texte_;
    std::map<int, std::unique_ptr<CIndexProfil>> index_;
};

inline std::string nombre(int n)
{
    return std::to_string(n);
}

// Sets `cles` of `section` in one reading of the document.
bool fixeTout(CDocumentProfil& doc, const std::string& section, const Cles& cles);

// printf into a section name.
std::string nomSection(const char* format, int a, int b = 0);

// Removes the sections noms[k - 1] for k in `retraits` (1-based, among
// 1 .. noms.size()) and renames the kept ones after them so that the
// numbers follow each other again: only their header lines change. A
// section is the one whose header names it exactly; a missing one is
// nothing to remove or rename.
void retireSections(std::string& texte, const std::vector<std::string>& noms, std::vector<int> retraits);

// Removes every line of `cle` in the section the readers open for
// `section`.
void retireCle(CDocumentProfil& doc, const std::string& section, const char* cle);

// Writes tile number t (1-based) of a plane document at its end, every key
// given, and counts it in nombreTiles.
bool ecritNouvelleTile(CDocumentProfil& doc, int t, const TileEditee& tile);

struct CModeleNiveau::Etat {
    std::string fichier;
    std::vector<CDocumentProfil> documents;
    std::vector<std::string> chemins;  // each document's file
    // Per plane: the document of its path, -1 when unreadable. Read again
    // with the planes, so that planes added, removed or renumbered by a
    // step or an undo find their files. A document no plane names (a plane
    // taken out, an added one undone) is neither saved nor counted as a
    // change.
    std::vector<int> documentPlan;
    // The journey's document, -1 when its file cannot be read. Saved like
    // the level's whenever it changed.
    int documentParcours = -1;

    std::vector<PlanEdite> plans;
    std::vector<ActeurEdite> acteurs;
    bool aArrivee = false;
    int arriveeX = 0;
    int nombrePriorites = 0;
    unsigned revision = 0;  // set anew by every relit()

    // Per document: the text its state was read from, and what was read.
    struct LecturePlan {
        std::string texte;
        bool lu = false;
        bool lisible = false;
        std::vector<TileEditee> tiles;
    };
    std::vector<LecturePlan> lectures;

    // One history entry: the texts of the documents a step changed.
    using Entree = std::vector<std::pair<int, std::string>>;
    std::vector<Entree> annulations;
    std::vector<Entree> retablissements;

    // Reads the state again from the documents (planes whose text did not
    // change are not read again). `erreurs` gets one line per plane that
    // cannot be read.
    void relit(std::vector<std::string>* erreurs = nullptr);
    std::vector<std::string> textes() const;
    // The entry that brings back `avant`, for the documents that changed.
    Entree difference(const std::vector<std::string>& avant) const;
    // Applies the last entry of `depuis` and moves its inverse to `vers`;
    // false when `depuis` is empty.
    bool rejoue(std::vector<Entree>& depuis, std::vector<Entree>& vers);

    // The documents a save would write: changed, and the level or named by a plane.
    std::vector<size_t> aEnregistrer() const;
    // A plane file's document, added (empty when the file is missing) when
    // none holds that path yet; -1 when it cannot be read.
    int documentPour(const std::string& chemin);

    // The type files' behaviour numbers, read once per type; false when
    // the type's file cannot be read (the defaults then).
    std::map<std::string, std::pair<bool, std::vector<int>>> typesLus;

    CDocumentProfil& niveau() { return documents[0]; }
    // The plane's document, null when it is out of range or unreadable.
    CDocumentProfil* documentDe(int plan);
    // The tile, null when it is out of range.
    const TileEditee* tileDe(int plan, int tile) const;
};

template <class F> bool CModeleNiveau::etape(F change)
{
    if (!etat_)
        return false;
    Etat& e = *etat_;
    const std::vector<std::string> avant = e.textes();
    if (!change(e)) {
        for (size_t d = 0; d < e.documents.size(); ++d)
            if (e.documents[d].texte() != avant[d])
                e.documents[d].remplaceTexte(avant[d]);
        e.relit();
        return false;
    }
    Etat::Entree entree = e.difference(avant);
    if (!entree.empty()) {
        e.annulations.push_back(std::move(entree));
        e.retablissements.clear();
    }
    e.relit();
    return true;
}

}

#endif
