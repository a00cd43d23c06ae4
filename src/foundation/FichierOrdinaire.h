#ifndef CORVANTHELIS_FOUNDATION_FICHIERORDINAIRE_H
#define CORVANTHELIS_FOUNDATION_FICHIERORDINAIRE_H

// The one way the game opens a file it did not write itself. A FIFO or a
// device named as a data file blocks a plain fopen for ever (before the
// window opens, or with a black one), so the file is opened without
// blocking, checked, and only a regular file is handed on.

#include <cstdio>
#include <vector>

// A relative content name opened to read ("r", "rb") is the author's own
// copy when there is one (foundation/DossiersJoueur.h, cheminContenuLu).
//
// `fichier` opened with `mode` ("r", "rb" or "r+", "r+b"), or null when it
// cannot be opened or is not a regular file (errno says why). Prints
// nothing: callers keep their own messages. Close it with fclose.
FILE* ouvreFichierOrdinaire(const char* fichier, const char* mode = "rb");

// The whole of a regular file of at most `tailleMax` bytes into `donnees`;
// false when it cannot be read whole.
bool lisFichierOrdinaire(const char* fichier, std::vector<unsigned char>& donnees, long long tailleMax);

// The same file as an SDL stream that closes it when freed, for the
// libraries that would otherwise open the path themselves.
struct SDL_RWops;
SDL_RWops* fluxFichierOrdinaire(const char* fichier);

#endif
