#ifndef CORVANTHELIS_VERIFICATION_MEDIAS_H
#define CORVANTHELIS_VERIFICATION_MEDIAS_H

// Pictures and music as the game will get them. A picture is decoded through
// the game's own door (decodeImage), so what it refuses the checker refuses;
// a picture it accepts is then decoded again with its format's library to
// tell whether all of it was there (a truncated JPEG, GIF or PNG still gives
// a picture, partly grey or black). Music is opened by the mixer as the game
// opens it, and an Ogg file's pages are walked to the end.

#include <string>

struct EtatMedia {
    bool existe = false; // readable as a file; else `raison` says why
    bool lisible = false;
    std::string raison;  // why it cannot be read
    std::string partiel; // non-empty when only part of it decodes
    int largeur = 0;     // pictures only
    int hauteur = 0;
};

// What keeps a file from being read ("fichier introuvable", ...), or "".
std::string defautFichier(const std::string& chemin);

// The whole file; false when it cannot be read, is no regular file or
// holds 256 MB or more.
bool lisOctets(const std::string& chemin, std::string& octets);

EtatMedia examineImage(const std::string& chemin);
EtatMedia examineMusique(const std::string& chemin);

// What is wrong with an Ogg stream held in `octets`, or "" when every page
// is whole, its checksum right and the last one ends the stream.
std::string defautOgg(const std::string& octets);

#endif
