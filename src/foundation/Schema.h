#ifndef CORVANTHELIS_FOUNDATION_SCHEMA_H
#define CORVANTHELIS_FOUNDATION_SCHEMA_H

// What one key of a profile file holds: its name, its type, its default,
// its range and the buffer its reader reads it through. Each kind of file
// (configuration, level, plane, sprite, actor type, font, effects list)
// lists its keys once, beside the code that owns the format; the game's
// reader, the data checker, the editor and the content generator all take
// names, defaults and limits from that one list.

#include <string>

class InputOutput;

enum TypeCle { Entier, Booleen, Texte };

struct DefCle {
    const char* nom;
    TypeCle type;
    long defaut; // Entier, Booleen (a text's default is "nothing" or "")
    long min;    // Entier
    long max;
    int tampon;  // the reader's line buffer: TAILLE_LIGNE_ENTIER, or the text's buffer size
    bool facultative = false; // a missing key is not worth a report
};

// The profile reader's line buffer for integers and booleans: a longer line
// is cut, and its pieces count as lines of their own.
const int TAILLE_LIGNE_ENTIER = 100;

// A word value ends at the first space, tab, carriage return or ';': what
// follows on the line is a comment or a typing slip, never part of a name.
void coupeMot(char* mot);
void coupeMot(std::string& mot);

// Whether `valeur` lies within the key's range. When it does not, one line
// on standard error: "Valeur hors limites pour <cle> dans <fichier> : v (de
// min à max)".
bool dansLimites(const DefCle& cle, long valeur, const char* fichier);

// Whether `valeur` (as read, without its line break) is a plain whole
// number as the readers' atoi takes it: a sign, then at most 10 characters
// of digits; what follows a ';' and trailing blanks do not count.
bool estEntierEcrit(const std::string& valeur);

// An integer or boolean key read as the game has always read it (the key's
// default when missing; for a boolean, anything but 0 and 1 gives the
// default). A value that is not a whole number, or lies outside the key's
// range, is said in one line on standard error (unless muet), and the
// answer is false; `valeur` still holds what the reader read.
bool litEntierCle(InputOutput& io, const char* section, const DefCle& cle, const char* fichier, int& valeur,
                  bool muet = false);
// A text key read through the key's buffer (destination holds cle.tampon
// bytes), `defaut` when missing. A line the buffer cuts is said in one line
// on standard error (unless muet). What getPrivateProfileString returns.
int litTexteCle(InputOutput& io, const char* section, const DefCle& cle, const char* defaut, char* destination,
                const char* fichier, bool muet = false);
// A count's key: as litEntierCle, but above its range is left to the
// caller, whose refusal says how many the file may hold.
bool litCompteCle(InputOutput& io, const char* section, const DefCle& cle, const char* fichier, int& valeur,
                  bool muet = false);
// What the key's value is clamped to.
long borneCle(const DefCle& cle, long valeur);

#endif
