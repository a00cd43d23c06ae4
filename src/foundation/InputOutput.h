#ifndef CORVANTHELIS_FOUNDATION_INPUTOUTPUT_H
#define CORVANTHELIS_FOUNDATION_INPUTOUTPUT_H

// Profile text files: "[Section]" headers and "key=value" lines.
//
// One InputOutput is created as a local object while a caller reads a file;
// it holds nothing but whether it prints its notices. Lookups answer from the file's index
// (foundation/IndexProfil.h), read once per process and read again when the
// file changes; the writer drops it after a rewrite. The format rules are
// strict and deliberate:
//  - lines are read through a fixed buffer (100 bytes for integers and
//    booleans, 64 for floats, the caller's size for strings); a longer line
//    is cut into pieces and every piece counts as a line of its own;
//  - a header opens section S when the text right after '[' begins with S,
//    so [VIDEOS] also opens VIDEO; the first matching header wins;
//  - inside a section, leading spaces (not tabs) are removed, blank lines and
//    lines starting with ';' are skipped, and a line starting with '[' ends it;
//  - the first key line whose text before '=' equals the key wins;
//  - a last line without a line break never counts;
//  - a "\r\n" line end reads like "\n".
// Missing sections and keys print a notice on standard output and give the
// default; a silent reader (muet) gives the default without a word.

#include <memory>
#include <string>

class InputOutput {
public:
    explicit InputOutput(bool muet = false) : muet(muet) {}
    virtual ~InputOutput() {}

    int getPrivateProfileInt(const char* section, const char* cle, int defaut,
                             const char* fichier, bool exitIfMissing);
    // Returns 0 when the default was copied, a positive number when a value
    // from the file was stored in destination.
    int getPrivateProfileString(const char* section, const char* cle, const char* defaut,
                                char* destination, int size, const char* fichier,
                                bool exitIfMissing);
    float getPrivateProfileFloat(const char* section, const char* cle, float defaut,
                                 const char* fichier, bool exitIfMissing);
    // Only the values 0 and 1 mean something; anything else gives the default.
    bool getPrivateProfileBool(const char* section, const char* cle, bool defaut,
                               const char* fichier, bool exitIfMissing);

    // Replaces the line of a key that already stands in the file. Never adds
    // a key or a section. The file is rewritten through a temporary file and
    // a rename, so it is never left half-written. exitIfMissing is ignored.
    void writePrivateProfileString(const char* section, const char* cle, const char* valeur,
                                   const char* fichier, bool exitIfMissing);
    // False only when the file cannot be opened or rewritten.
    bool writePrivateProfileInt(const char* section, const char* cle, int valeur,
                                const char* fichier, bool exitIfMissing);

private:
    bool muet;
    enum Ecriture { ECRITURE_FAITE, ECRITURE_SANS_EFFET, ECRITURE_ECHEC };
    Ecriture ecrit(const char* section, const char* cle, const char* valeur, const char* fichier);
};

// One file's new content, written in full beside it before it takes the
// file's place: a caller saving several files writes them all, then puts
// them in place one after another, so a failure while writing changes none.
// The new text goes to a temporary file that has no name where the file
// system allows it (foundation/FichierProvisoire.h), else a name of this
// process's own, so writers never share or remove each other's copies and
// a killed one leaves nothing behind. A symbolic link is followed and its
// target replaced; the mode and (for root) the owner of the file replaced
// are kept; a new file gets 0666 less the umask. Destroying the object
// before publie() leaves the old file and no copy.
class CFichierProvisoire;
class CRemplacementFichier {
public:
    CRemplacementFichier();
    ~CRemplacementFichier();
    CRemplacementFichier(const CRemplacementFichier&) = delete;
    CRemplacementFichier& operator=(const CRemplacementFichier&) = delete;

    // Writes `contenu` and flushes it to the disk. False (errno set) when
    // it cannot be written whole; nothing is left then.
    bool prepare(const char* fichier, const std::string& contenu);
    // Puts the prepared content in place of the file in one step. False
    // (errno set) on failure: the old file stays as it was.
    bool publie();
    // Drops the prepared content; the file stays as it was.
    void abandonne();

private:
    std::unique_ptr<CFichierProvisoire> provisoire_;
    bool pret_ = false;
};

// Replaces `fichier` with `contenu` in one step (CRemplacementFichier), so
// the file is never left half-written: on failure the old file stays as it
// was and no temporary copy remains. The caller forgets the readers' copy
// (oublieProfil) afterwards.
bool remplaceFichierAtomique(const char* fichier, const std::string& contenu);

#endif
