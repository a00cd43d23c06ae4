#ifndef CORVANTHELIS_EDITEUR_ECOUTEMUSIQUE_H
#define CORVANTHELIS_EDITEUR_ECOUTEMUSIQUE_H

// The level panel's music, heard while the author chooses it. The editor
// says once a frame which music should be playing ("" for none) and this
// starts, changes or stops it, so undo, a closed panel or a game started
// from the editor all end up right without a call of their own.
//
// Sound goes through the game's manager when the editor was opened from the
// title (lent, never deleted here), else through one of its own, opened at
// the first music so that an editor nobody listens to never takes the audio
// device. The music stops when this is destroyed.

#include <memory>
#include <string>

class GestionnaireSon;

namespace editeur {

class CEcouteMusique {
public:
    explicit CEcouteMusique(GestionnaireSon* prete);
    ~CEcouteMusique();
    CEcouteMusique(const CEcouteMusique&) = delete;
    CEcouteMusique& operator=(const CEcouteMusique&) = delete;

    // Plays `musique` in a loop unless it is already the one playing; ""
    // stops. False when the music cannot be heard (no audio device, or a
    // file the mixer cannot read); asked again only when the wish changes.
    bool suit(const std::string& musique);
    const std::string& enCours() const { return voulue; }

private:
    GestionnaireSon* son;
    std::unique_ptr<GestionnaireSon> propre;
    std::string voulue;
    bool joue = false;
};

}

#endif
