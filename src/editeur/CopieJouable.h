#ifndef CORVANTHELIS_EDITEUR_COPIEJOUABLE_H
#define CORVANTHELIS_EDITEUR_COPIEJOUABLE_H

// The level being edited as the game's loaders can read it: the model's
// texts written as a level and its planes (CModeleNiveau::ecritCopieJouable)
// into a folder of this object's own under /tmp, made on the first
// writing, rewritten by each later one and removed, with whatever else was
// put in it, when the object goes. Needs no display.

#include <string>

namespace editeur {

class CModeleNiveau;

class CCopieJouable {
public:
    CCopieJouable() = default;
    ~CCopieJouable();
    CCopieJouable(const CCopieJouable&) = delete;
    CCopieJouable& operator=(const CCopieJouable&) = delete;

    // False, with one line on standard error, when the folder or a file
    // cannot be written.
    bool ecrit(const CModeleNiveau& modele);
    // The copy's level file, empty before a writing succeeded.
    const std::string& niveau() const { return niveau_; }

private:
    std::string dossier_;
    std::string niveau_;
};

}

#endif
