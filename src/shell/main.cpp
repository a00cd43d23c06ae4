#include "shell/main.h"

#include "foundation/Messages.h"
#include "game/FichiersJeu.h"
#include "game/OptionsJeu.h"
#include "game/main.h"
#include "shell/DossierDepart.h"
#include "sprites/CSprite.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int SDL_main(int argc, char** argv)
{
    // Word 0 exactly as started: "./convert" or a full path plays the game.
    if (argc != 0 && argv[0] && strcmp(argv[0], "convert") == 0) {
        if (argc < 3) {
            messageErreur("Usage : convert <fichier source> <fichier destination>\n");
            return 1;
        }
        CSprite* sprite = new CSprite();
        int resultat = sprite->convert(argv[1], argv[2]);
        delete sprite;
        if (resultat != 0)
            return 1;
        messageInfo("Conversion réussie...");
        return 0;
    }
    OptionsJeu options;
    if (!litOptionsJeu(argc, argv, options))
        return 1;
    choisitDossierJeu(options.niveau.empty() && options.niveauEditeur.empty() ? fichiersJeu::Niveau : nullptr);
    if (!resousOptionsJeu(options))
        return 1;
    if (options.editeur) {
#ifdef __EMSCRIPTEN__
        // The browser version has no editor: it has no files to save to.
        messageErreur("L'éditeur de niveaux n'existe que dans la version de bureau\n");
        return 1;
#else
        return mainEditNiveau(options.niveauEditeur.empty() ? nullptr : options.niveauEditeur.c_str());
#endif
    }
    return mainVorna(options);
}

int lanceProgramme(int argc, char** argv)
{
    SDL_Init(0);
    atexit(SDL_Quit);
    int statut = SDL_main(argc, argv);
    videMessages();
    return statut;
}
