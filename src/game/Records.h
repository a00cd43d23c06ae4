#ifndef CORVANTHELIS_GAME_RECORDS_H
#define CORVANTHELIS_GAME_RECORDS_H

// The player's records: per level file, whether it was ever finished, the
// best time (lower is better), the most lights and the most creatures
// defeated (higher is better). The model is pure; litRecords and
// ecritRecords keep it in records.ini (game/SchemaParcours.h), written
// through the profile document in one atomic replace, so a killed game
// leaves the old file or the new one, never a mix.
//
// A damaged file (a value that is no number or lies out of range, a version
// newer than this game's, a count that does not match its sections) is
// never trusted: it is set aside under "<file>.abime" with one line on
// standard error and the records start empty.

#include <cstdint>
#include <string>
#include <vector>

struct ResultatNiveau {
    uint32_t temps = 0; // ms
    int lueurs = 0;
    int creatures = 0;
    int lueursTotal = 0; // the level's, for the totals shown; not a record
};

struct RecordNiveau {
    std::string fichier;
    bool termine = false;
    ResultatNiveau meilleur; // meaningful once termine
};

// Which figures of a finished run beat the stored best (all of them on a
// first finish, but a zero count, which beats nothing).
struct Ameliorations {
    bool temps = false;
    bool lueurs = false;
    bool creatures = false;
};

class CRecords {
public:
    const RecordNiveau* cherche(const std::string& fichier) const;
    bool termine(const std::string& fichier) const;
    // What `resultat` would beat, without storing it.
    Ameliorations compare(const std::string& fichier, const ResultatNiveau& resultat) const;
    // Marks the level finished and keeps each better figure; what was beaten.
    Ameliorations enregistre(const std::string& fichier, const ResultatNiveau& resultat);

    std::vector<RecordNiveau> niveaux; // file order
};

// Reads `fichier` into `records` (emptied first). A missing file is no
// record; a damaged one is set aside as said above. False when something
// was wrong with the file.
bool litRecords(const char* fichier, CRecords& records);
// Writes the whole file; false, with one line on standard error, when it
// could not be replaced (the old one then stays whole).
bool ecritRecords(const char* fichier, const CRecords& records);

// "M:SS" of a time in ms.
std::string texteDuree(uint32_t ms);

#endif
