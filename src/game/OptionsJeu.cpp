#include "game/OptionsJeu.h"

#include "foundation/DossierDepart.h"
#include "foundation/DossiersJoueur.h"
#include "foundation/Messages.h"
#include "game/OutilsJeu.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#ifndef CORVANTHELIS_VERSION
#define CORVANTHELIS_VERSION "inconnue"
#endif

namespace {

// Whole decimal numbers only: "12abc", "", "-5" and "1e3" are refused, as
// is anything beyond int.
bool litPosition(const char* texte, int& position)
{
    if (!texte || !*texte)
        return false;
    for (const char* c = texte; *c; ++c)
        if (*c < '0' || *c > '9')
            return false;
    errno = 0;
    long valeur = strtol(texte, nullptr, 10);
    if (errno != 0 || valeur > INT_MAX)
        return false;
    position = static_cast<int>(valeur);
    return true;
}

}

bool litOptionsJeu(int argc, char** argv, OptionsJeu& options)
{
    options = OptionsJeu();
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (strcmp(option, "--version") == 0 || strcmp(option, "--help") == 0) {
            options = OptionsJeu();
            (option[2] == 'v' ? options.version : options.aide) = true;
            return true;
        }
        if (strcmp(option, "--editeur") == 0) {
            options.editeur = true;
            // Its level is optional: the next word unless it is an option.
            if (i + 1 < argc && strncmp(argv[i + 1], "--", 2) != 0)
                options.niveauEditeur = argv[++i];
        } else if (strcmp(option, "--niveau") == 0 || strcmp(option, "--position") == 0) {
            if (i + 1 >= argc) {
                messageErreur("Option %s : valeur manquante\n", option);
                return false;
            }
            const char* valeur = argv[++i];
            if (option[2] == 'n') {
                options.niveau = valeur;
            } else if (!litPosition(valeur, options.position)) {
                messageErreur("Option --position : « %s » n'est pas une position (nombre entier positif ou nul)\n",
                              valeur);
                return false;
            } else if (options.position > PositionNiveauMax) {
                // Held at the level's end, it would start past the finish
                // line, and the level would end at once, again and again.
                messageErreur("Option --position : %s est au-delà du niveau (de 0 à %d)\n", valeur,
                              PositionNiveauMax);
                return false;
            }
        } else if (strncmp(option, "--", 2) != 0) {
            // The game has always ignored plain words after its name.
            continue;
        } else {
            messageErreur("Option inconnue : %s (options : --niveau FICHIER, --position X, --editeur [niveau.ini], "
                          "--version, --help)\n",
                          option);
            return false;
        }
    }
    if (options.editeur && (!options.niveau.empty() || options.positionDonnee())) {
        messageErreur("Option --editeur : ni --niveau ni --position avec l'éditeur\n");
        return false;
    }
    return true;
}

std::string texteVersion()
{
    return std::string("corvanthelis ") + CORVANTHELIS_VERSION + "\n";
}

std::string texteAide()
{
    return "Usage : corvanthelis [--niveau FICHIER] [--position X]\n"
           "        corvanthelis --editeur [niveau.ini]\n"
           "        corvanthelis --version | --help\n"
           "\n"
           "Corvanthelis, jeu d'action en deux dimensions : trois niveaux, de la forêt\n"
           "de nuit au col enneigé, depuis l'écran titre.\n"
           "\n"
           "Options :\n"
           "  --niveau FICHIER  joue ce fichier de niveau au lieu de celui du jeu\n"
           "  --position X      commence le niveau à la position X (de 0 à " +
           std::to_string(PositionNiveauMax) +
           "),\n"
           "                    y revient après une chute ou l'arrivée ; sans l'introduction\n"
           "  --editeur [niveau.ini]\n"
           "                    ouvre l'éditeur de niveaux (sur ce niveau)\n"
           "  --version         affiche la version et s'arrête\n"
           "  --help            affiche cette aide et s'arrête\n"
           "\n"
           "Les chemins donnés sont relatifs au dossier de lancement. Quand le dossier\n"
           "du jeu ne peut pas être modifié (jeu installé), les réglages (config.ini)\n"
           "et les records (records.ini) vont dans $XDG_CONFIG_HOME/corvanthelis\n"
           "(~/.config/corvanthelis), les captures d'écran (F12) et les niveaux\n"
           "de l'auteur dans $XDG_DATA_HOME/corvanthelis (~/.local/share/corvanthelis).\n"
           "Voir aussi : man corvanthelis\n";
}

bool resousOptionsJeu(OptionsJeu& options)
{
    if (!options.niveauEditeur.empty())
        options.niveauEditeur = cheminNiveauDonne(options.niveauEditeur.c_str());
    if (options.niveau.empty())
        return true;
    options.niveau = cheminNiveauDonne(options.niveau.c_str());
    struct stat infos;
    if (stat(cheminContenuLu(options.niveau).c_str(), &infos) != 0 || !S_ISREG(infos.st_mode)) {
        messageErreur("Option --niveau : fichier introuvable : %s\n", options.niveau.c_str());
        return false;
    }
    return true;
}
