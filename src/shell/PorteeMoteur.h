#ifndef CORVANTHELIS_SHELL_PORTEEMOTEUR_H
#define CORVANTHELIS_SHELL_PORTEEMOTEUR_H

// The life of one entry (the game, a tool, a benchmark, a test): the engine
// configuration behind `config`, SDL and the display, opened in that order
// and closed in reverse when the scope ends. Pictures, sprites and levels
// drawn in it must be released before it ends.
//
// A scope opened while another one holds `config` uses that configuration
// (the outer scope closes it and SDL): a mode started from a test or a tool
// that has already opened everything sets its own video mode on the open
// window. Only the outermost scope sets the journal switch from the
// configuration and turns it back on.

#include <functional>

class CEngineGL;

class CPorteeMoteur {
public:
    enum Ouverture {
        ConfigurationSeule, // config.ini and SDL's timer, no window
        AvecAffichage,      // and the window with its drawing space
    };
    // `ajuste` may change the configuration read from config.ini before the
    // display opens (a window of a fixed size, say).
    explicit CPorteeMoteur(Ouverture ouverture = AvecAffichage,
                           const std::function<void(CEngineGL&)>& ajuste = nullptr);
    ~CPorteeMoteur();
    CPorteeMoteur(const CPorteeMoteur&) = delete;
    CPorteeMoteur& operator=(const CPorteeMoteur&) = delete;

    // Opens the display of a scope opened with ConfigurationSeule (the game
    // starts decoding pictures in between). False as ouverte() says.
    bool ouvreAffichage();

    // False when a display was asked for and none could be opened (the
    // display has said why on standard error).
    bool ouverte() const { return ouverte_; }
    // The process status of an entry that ends here: 0, or 1 without display.
    int statut() const { return ouverte_ ? 0 : 1; }

private:
    bool proprietaire;
    bool ouverte_;
};

#endif
