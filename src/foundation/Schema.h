#ifndef CORVANTHELIS_FOUNDATION_SCHEMA_H
#define CORVANTHELIS_FOUNDATION_SCHEMA_H

// What one key of a profile file holds: its name, its type, its default,
// its range and the buffer its reader reads it through. Each kind of file
// (configuration, level, plane, sprite, actor type, font, effects list)
// lists its keys once, beside the code that owns the format; the game's
// reader, the data checker, the editor and the content generator all take
// names, defaults and limits from that one list.

#include <string>

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

// Whether an integer key's text is a plain whole number (sign, up to ten
// characters; a ';' comment after it allowed), which the reader's atoi
// takes whole. Anything else is read as far as atoi goes.
bool texteEntier(const std::string& valeur);
// The same, with one line on standard error when it is not: "Valeur non
// entière pour <cle> dans <fichier> : « texte »".
bool valeurEntiere(const DefCle& cle, const std::string& valeur, const char* fichier);

#endif
