#ifndef CORVANTHELIS_FOUNDATION_INDEXPROFIL_H
#define CORVANTHELIS_FOUNDATION_INDEXPROFIL_H

// A profile file as the readers of InputOutput see it through a line buffer
// of a given size: its sections in file order, each with its key lines, and
// what the readers never see. InputOutput answers every lookup from here, so
// a tool that reports on data files sees exactly what the game sees.
//
// The text is cut the way the readers cut it: pieces of at most taille - 1
// bytes, each ending at a line break or where the buffer is full; every piece
// counts as a line of its own; a last piece that reaches the end of the file
// without a line break is never read; "\r\n" reads like "\n"; a piece stops
// at its first NUL byte. A section starts at a piece beginning with '[' and
// ends at the next piece that begins with '[' once its leading spaces are
// removed. Line numbers count from 1, a piece cut out of a long line carries
// that line's number.
//
// An index never changes once built. indexProfil() keeps one per file and
// buffer size for the whole process (one for all the sizes that hold every
// line whole), built on first use and rebuilt when the file changes; it may
// be called from any thread.

#include <memory>
#include <string>
#include <vector>

struct CleProfil {
    std::string cle;     // text before the first '=' (leading spaces removed)
    std::string valeur;  // text after the '=' and its leading spaces, with
                         // the line break when the piece holds it
    int ligne;
};

// A run of key lines kept by the index.
class PlageCles {
public:
    PlageCles() = default;
    PlageCles(const CleProfil* debut, size_t taille) : debut_(debut), taille_(taille) {}
    const CleProfil* begin() const { return debut_; }
    const CleProfil* end() const { return debut_ + taille_; }
    size_t size() const { return taille_; }
    bool empty() const { return taille_ == 0; }
    const CleProfil& operator[](size_t i) const { return debut_[i]; }

private:
    const CleProfil* debut_ = nullptr;
    size_t taille_ = 0;
};

struct SectionProfil {
    std::string entete;  // text after '[', without the line break
    std::string nom;     // that text up to its first ']'
    int ligne;           // line of the header
    int fin;             // line of the '[' that ends it, 0 at the end of the file
    bool finie;          // the header's piece holds its line break
    PlageCles cles;      // every key line in order, duplicates too
    std::vector<int> lignesSansEgal;  // lines without '=' (they answer no key)
};

class CIndexProfil {
public:
    // `texte` is the whole file, `taille` the reader's buffer size (2 or more).
    CIndexProfil(const std::string& texte, int taille);
    // The sections point into the index's own storage.
    CIndexProfil(const CIndexProfil&) = delete;
    CIndexProfil& operator=(const CIndexProfil&) = delete;

    // Every header in file order, those no lookup can reach included.
    const std::vector<SectionProfil>& getSections() const { return sections; }
    // The section the readers open for `nom`: the first header whose text
    // begins with `nom`. Null when none does.
    const SectionProfil* trouveSection(const char* nom) const;
    // The first key line of `section` whose key is exactly `cle`, or null.
    const CleProfil* trouveCle(const SectionProfil& section, const char* cle) const;
    // Line whose last piece reaches the end of the file without a line
    // break, so is never read; 0 when there is none.
    int getLigneNonTerminee() const { return ligneNonTerminee; }
    // Lines that do not fit in the buffer (line break included) and are
    // read in several pieces, in order.
    const std::vector<int>& getLignesCoupees() const { return lignesCoupees; }

private:
    // `piece` is scratch space, reused from one piece to the next.
    void ajoutePiece(const char* debut, size_t longueur, int ligne, std::string& piece);
    // The whole text through a two-byte buffer, which reads a byte at a
    // time: the same index as piece by piece, without the cost of a piece.
    void litOctetParOctet(const std::string& texte);
    void rangeEntetes();

    int taille;
    std::vector<SectionProfil> sections;
    // The key lines of every section, one section after the other.
    std::vector<CleProfil> cles;
    // The section numbers in the byte order of their headers: the headers a
    // name opens are a run of them. None through a two-byte buffer, where
    // every header is "".
    std::vector<int> ordre;
    // minimums[k * n + i], n sections: the lowest section number among
    // ordre[i] to ordre[i + 2^k - 1], so the first header of any run is
    // found at once.
    std::vector<int> minimums;
    bool dansSection;
    int ligneNonTerminee;
    std::vector<int> lignesCoupees;
};

// The index of `fichier` for buffer size `taille`, read once and kept while
// the file stays the same (same path, size, modification time and inode; a
// file changed very recently is compared byte for byte). Null when the file
// cannot be opened for reading.
std::shared_ptr<const CIndexProfil> indexProfil(const char* fichier, int taille);
// Forgets `fichier`, after a rewrite of it.
void oublieProfil(const char* fichier);
// A file changed less than this long (nanoseconds, 50 ms by default) before
// it was read is compared byte for byte at every lookup, as the file
// system's clock may not show a second change. A program that is the only
// writer of the files it reads, and forgets each one after rewriting it (the
// fuzz targets), may set 0.
void fixeMargeHorloge(long long nanosecondes);

#endif
