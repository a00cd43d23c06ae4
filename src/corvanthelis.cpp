// Process entry: plays the part of SDL's main wrapper, which SDL 1.2 does not
// provide on Linux, and picks the mode by the command name: "convert", or
// "corvanthelis-convert" in any folder (the installed link's name: a
// "convert" in the games folder would shadow or be shadowed by another
// program's), converts sprite data (word 1 the source, word 2 the
// destination; status 1 when it fails), any other name plays the game, or
// runs the level editor with --editeur.
#include "foundation/DossierDepart.h"
#include "foundation/Messages.h"
#include "game/FichiersJeu.h"
#include "game/OptionsJeu.h"
#include "game/main.h"
#include "shell/main.h"
#include "sprites/CSprite.h"
#ifndef __EMSCRIPTEN__
#include "editeur/Editeur.h"
#endif

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

bool nomConvertisseur(const char* nom)
{
    // Word 0 exactly as started: "./convert" or a full path plays the game.
    if (strcmp(nom, "convert") == 0)
        return true;
    const char* barre = strrchr(nom, '/');
    return strcmp(barre ? barre + 1 : nom, "corvanthelis-convert") == 0;
}

int convertit(int argc, char** argv)
{
    if (argc < 3) {
        messageErreur("Usage : convert <fichier source> <fichier destination>\n");
        return 1;
    }
    std::unique_ptr<CSprite> sprite(new CSprite());
    if (sprite->convert(argv[1], argv[2]) != 0)
        return 1;
    messageInfo("Conversion réussie...");
    return 0;
}

}  // namespace

extern "C" int SDL_main(int argc, char** argv)
{
    if (argc != 0 && argv[0] && nomConvertisseur(argv[0]))
        return convertit(argc, argv);
    OptionsJeu options;
    if (!litOptionsJeu(argc, argv, options))
        return 1;
    if (options.version || options.aide) {
        fputs((options.version ? texteVersion() : texteAide()).c_str(), stdout);
        return 0;
    }
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
#ifdef __EMSCRIPTEN__
    return mainVorna(options);
#else
    // The title's Éditeur opens the editor in the game's window.
    return mainVorna(options, mainEditNiveau);
#endif
}

int main(int argc, char** argv)
{
    return lanceProgramme(argc, argv, SDL_main);
}
