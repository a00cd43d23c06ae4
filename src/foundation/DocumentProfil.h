#ifndef CORVANTHELIS_FOUNDATION_DOCUMENTPROFIL_H
#define CORVANTHELIS_FOUNDATION_DOCUMENTPROFIL_H

// A whole profile file held in memory to be changed and saved: the settings
// screens read config.ini into one, change values, add the keys an older
// file lacks, and save it. Everything not changed stays byte for byte:
// comments, order, unknown lines, "\r\n" line ends.
//
// Reading answers exactly as InputOutput's string reader would for the same
// text (through foundation/IndexProfil.h), without its notices. Saving goes
// through the writer's temporary file and rename, then makes the readers
// read the file afresh. The document owns its text; it does not lock the
// file, so the last save wins unless the caller asks changeSurDisque()
// first.

#include <string>
#include <utility>
#include <vector>

class CRemplacementFichier;

struct ValeurProfil {
    std::string section, cle, valeur;
};

struct SectionNouvelle {
    std::string nom;
    std::vector<std::pair<std::string, std::string>> cles;
};

class CDocumentProfil {
public:
    // The reader's buffer for the lines the document reads and writes: a
    // line longer than this, line break included, is refused by fixe().
    static const int TAILLE_LIGNE = 200;

    // Reads the whole file. A missing file is an empty document; a file that
    // cannot be read or is not a regular file gives false, with one line on
    // standard error, and leaves the document as it was.
    bool charge(const char* fichier);
    // Reads `source` as charge() does, to be saved as `fichier`, which is
    // not there yet (an author's own copy of an installed file): unchanged
    // until edited, and changeSurDisque() once `fichier` appears.
    bool chargeCopie(const char* source, const char* fichier);

    // The value the string reader would store for `cle` in `section` with a
    // buffer of `taille` bytes; false (valeur untouched) when it would give
    // the default.
    bool lit(const char* section, const char* cle, std::string& valeur,
             int taille = TAILLE_LIGNE) const;

    // Makes `cle` of `section` read `valeur`: the line the reader reads is
    // rewritten (its indentation and line end kept); a missing key is added
    // after the last line of its section; a missing section is added at the
    // end. A last line without a line break, which the reader never sees, is
    // ended first. False, nothing changed, for a name or value the format
    // cannot hold (line breaks, '=' in the key, a line too long).
    bool fixe(const char* section, const char* cle, const std::string& valeur);

    // Writes the document back over the file it was loaded from, atomically.
    // Nothing is written when nothing changed. False, with one line on
    // standard error, when the file could not be replaced: it is then as it
    // was and the document keeps its changes.
    bool sauve();
    // sauve() in two halves, for several documents saved as one: every
    // new text is written beside its file before any file is replaced.
    // Each prints its one line on failure; publieSauvegarde() only then
    // counts the document as saved.
    bool prepareSauvegarde(CRemplacementFichier& remplacement) const;
    bool publieSauvegarde(CRemplacementFichier& remplacement);

    // True when the file is no longer what was last loaded or saved:
    // another program changed, created or removed it since.
    bool changeSurDisque() const;

    // Adds the header [section] with `cles` in order, right after the last
    // key line of the section the readers open for `apres` (at the end when
    // `apres` is null or opens none), so numbered sections stay together. A
    // blank line comes first when one leads to `apres`'s header (at the end,
    // unless the document is empty). A section
    // already named exactly `section` is removed first: the readers would
    // open it instead. False, nothing changed, when a line could not be read
    // back as written.
    bool ajouteSection(const char* section, const char* apres,
                       const std::vector<std::pair<std::string, std::string>>& cles);
    // The same for several sections, one after the other, read in one go.
    bool ajouteSections(const char* apres, const std::vector<SectionNouvelle>& sections);

    // Many fixe() at once, read in one go: for edits of many keys in a
    // large file. All or nothing: false, nothing changed, when one value
    // is refused.
    bool fixe(const std::vector<ValeurProfil>& valeurs);

    // Replaces the whole text, e.g. to bring back an earlier state.
    void remplaceTexte(const std::string& texte);

    const std::string& texte() const { return texte_; }
    const std::string& fichier() const { return fichier_; }
    // True when the text differs from the file as last loaded or saved.
    bool modifie() const { return modifie_; }

private:
    size_t debutLigne(int ligne) const;
    size_t finLigne(size_t debut) const;
    const char* finDeLigne() const;
    // ajouteSections' steps: where the new sections go once stale ones of
    // their names are removed (`blanc`: a blank line before each), and the
    // check that they read back as written.
    size_t placeSections(const char* apres, const std::vector<SectionNouvelle>& sections, bool& blanc);
    bool relisSections(const std::vector<SectionNouvelle>& sections, const std::vector<int>& lignes) const;

    std::string fichier_;
    std::string texte_;
    std::string texteFichier_;  // the file's text as last loaded or saved
    bool modifie_ = false;
    bool present_ = false;  // whether the file existed when last loaded or saved
};

#endif
