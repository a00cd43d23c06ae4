#ifndef CORVANTHELIS_FOUNDATION_FICHIERDESCRIPTION_H
#define CORVANTHELIS_FOUNDATION_FICHIERDESCRIPTION_H

// Description files (level, plane, sprite) as their loaders first meet them,
// and the limits that keep one from making its loader allocate more than
// its data justifies.
//
// A count is trusted only as far as the file's size backs it: every counted
// item (plane, tile, placement, animation, frame) needs a section header of
// its own, and none is shorter than OCTETS_PAR_ELEMENT bytes. What one load
// keeps (frames, tiles, placements, the pixels cut from sheets) is also
// charged to a CBudgetChargement, so that many planes naming one file, or
// many frames cut from one big sheet, cannot add up without end either.
// The decoded sheets themselves count too, once each however many items
// are cut from them.

#include <vector>

// Size in bytes of the file, or -1 when it cannot be opened or is not a
// regular file.
long tailleFichier(const char* fichier);
// The same, printing "Fichier introuvable : <chemin>" on standard error
// when the file cannot be opened.
long tailleDescription(const char* fichier);

const long OCTETS_PAR_ELEMENT = 8;
// The most items a description of `taille` bytes can hold.
long maxElements(long taille);

class CBudgetChargement {
public:
    // What one load may keep: far above the demo content's needs, far below
    // what a machine running the game can give.
    static const long long OCTETS_MAX = 128LL * 1024 * 1024;

    explicit CBudgetChargement(long long octets = OCTETS_MAX) : reste(octets) {}
    // Takes n items of `taille` bytes; false, taking nothing, when they are
    // not left.
    bool preleve(long long n, long long taille = 1);
    // Takes `octets` for the decoded picture `image`, the first time only.
    bool preleveImage(const void* image, long long octets);
    // How many items of `taille` bytes are left.
    long long combien(long long taille) const { return reste / taille; }
    // Prints, once per load, that the load went past its budget.
    void signaleDepassement(const char* fichier);

private:
    long long reste;
    bool signale = false;
    std::vector<const void*> images;
};

#endif
