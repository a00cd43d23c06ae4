#ifndef CORVANTHELIS_FOUNDATION_MESSAGES_H
#define CORVANTHELIS_FOUNDATION_MESSAGES_H

// The one door for what the programs say. Information goes to standard
// output and failures to standard error, byte for byte as given; detailed
// notices (the tile keys, the OpenGL extension list, the frame rate) only
// while the journal is on. The journal is on until a configuration turns it
// off (key Journal) and on again when that configuration closes.
//
// A test can take what is said instead of letting it reach the streams: a
// CCaptureMessages collects everything said while it lives (the innermost
// one when several are alive).

#include <string>

void messageInfo(const char* format, ...) __attribute__((format(printf, 1, 2)));
void messageErreur(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Information shown only while the journal is on.
void messageDetail(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Pushes what was said so far to the terminal, a file or a pipe, for lines
// that must show while the program runs.
void videMessages();

void fixeJournal(bool actif);
bool journalActif();

class CCaptureMessages {
public:
    CCaptureMessages();
    ~CCaptureMessages();
    CCaptureMessages(const CCaptureMessages&) = delete;
    CCaptureMessages& operator=(const CCaptureMessages&) = delete;

    std::string info;    // what would have gone to standard output
    std::string erreurs; // what would have gone to standard error

private:
    CCaptureMessages* precedente;
};

#endif
