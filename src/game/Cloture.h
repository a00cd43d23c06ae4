#ifndef CORVANTHELIS_GAME_CLOTURE_H
#define CORVANTHELIS_GAME_CLOTURE_H

// The closing screen after the journey's last level: the run's totals
// (time, lights, creatures of the levels played since the title) and the
// credits, until a key sends the player back to the title. Needs `config`
// and the display; waits for events instead of drawing frames.

#include "game/Records.h"

#include <string>
#include <vector>

struct TotauxParcours {
    uint32_t temps = 0;
    int lueurs = 0;
    int lueursTotal = 0;
    int creatures = 0;
    int niveaux = 0;
    void ajoute(const ResultatNiveau& r);
};

// The lines the screen shows, the totals first.
std::vector<std::string> lignesCloture(const TotauxParcours& totaux);

// True when the game should end (Escape, a window close, a signal).
bool lanceCloture(const TotauxParcours& totaux);

#endif
