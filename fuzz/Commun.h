#ifndef CORVANTHELIS_FUZZ_COMMUN_H
#define CORVANTHELIS_FUZZ_COMMUN_H

// What every fuzz target shares: a scratch working folder of its own, made
// once, holding a small sheet picture ("p.bmp") and a plane ("p.ini") that
// the fuzzed files can name; and writing one input to a file there.
//
// The folder is in /dev/shm when it can be. Targets change the working folder, so corpus and artifact paths given to
// them must be absolute (fuzz/run.sh passes them so).

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Creates and enters the scratch folder, with its sheet and plane.
void prepareDossier();

// Writes the bytes to `nom` in the scratch folder.
void ecrit(const char* nom, const uint8_t* donnees, size_t taille);

// Cuts the input into lines: the first `n` lines go to `lignes` (each cut
// to `longueurMax` bytes, without its line break), the rest is returned.
std::string separe(const uint8_t* donnees, size_t taille, int n, std::string* lignes,
                   size_t longueurMax);

}

#endif
