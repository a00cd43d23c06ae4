#ifndef CORVANTHELIS_GAME_EFFETS_H
#define CORVANTHELIS_GAME_EFFETS_H

// The game's sound effects: the list data/sons/effets.ini ([Entete]
// nombreSons, then [Son n] with nom and fichier) registered with the sound
// manager, and the door the actors and the game play them through. A name
// that was not registered is silent.

#include "game/Acteurs.h"
#include "game/SchemaActeur.h"

#include <string>
#include <vector>

class GestionnaireSon;

const char* const FichierEffets = "./data/sons/effets.ini";
// More sounds than this in one list are refused.
const int MAX_EFFETS = schemaActeur::MaxEffets;

struct EffetDecrit {
    std::string nom, chemin;
};
// The sounds of the list whose file exists, in order; an incomplete one is
// said and left out. False when the list is missing (silently) or its count
// is refused (with a message): then there are none.
bool litEffets(const char* fichier, std::vector<EffetDecrit>& effets);

// Registers every sound of the list; how many. A missing list is silence
// and no message; a count too large, one message and nothing registered.
int chargeEffets(GestionnaireSon& son, const char* fichier);

// The stereo direction of a sound at this screen x: 270 at the left edge,
// 0 in the middle, 90 at the right edge.
int angleEcran(int xEcran);

class SortieEffetsSon : public SortieEffets {
public:
    explicit SortieEffetsSon(GestionnaireSon* son) : son(son) {}
    void joue(const char* nom, int xEcran) override;

private:
    GestionnaireSon* son;
};

#endif
