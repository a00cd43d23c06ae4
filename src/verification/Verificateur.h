#ifndef CORVANTHELIS_VERIFICATION_VERIFICATEUR_H
#define CORVANTHELIS_VERIFICATION_VERIFICATEUR_H

// The data checker: every file the game, the intro, the game-over player,
// the level viewer and the sprite viewer read, checked with the game's own
// reading rules. Paths are relative to the working folder, as the game names
// them; verifieDossier makes the folder the working one for its run.
//
// Each file is checked once however many files name it; a problem about a
// file named by another is reported at the naming line.

#include "verification/Medias.h"
#include "verification/Rapport.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class CVerificateur {
public:
    explicit CVerificateur(CRapport& rapport) : rapport_(rapport) {}

    // Everything, in the order the programs read it.
    void verifieTout();

    void verifieConfiguration(const std::string& chemin);
    void verifieNiveau(const std::string& chemin);
    // Every level file under `dossier` (told from plane files by their
    // [Entete] keys), in name order, but those already checked.
    void verifieNiveauxAuteurs(const std::string& dossier);
    void verifiePlan(const std::string& chemin);
    // Also checks that the animations `requises` are there.
    void verifieSprite(const std::string& chemin, const std::vector<std::string>& requises);
    // A font: its sheet, glyph rectangles inside it, one glyph per
    // character, and the '?' that stands for the missing ones.
    void verifiePolice(const std::string& chemin);
    // The journey (when there is one): each level it names, and the title
    // painting.
    void verifieParcours(const std::string& chemin);
    // The sprite viewer's name file and converted sprite.
    void verifieVue(const std::string& infos, const std::string& anims);

    // A picture or a music file; the problem is reported at (fichier, ligne)
    // when another file names it, else on the file itself. Pictures return
    // their state (size) for rectangle checks.
    const EtatMedia& verifieImage(const std::string& chemin, const std::string& fichier = "", int ligne = 0);
    void verifieMusique(const std::string& chemin, const std::string& fichier = "", int ligne = 0);
    // A sky picture, which should cover the band the game shows.
    void verifieCiel(const std::string& chemin, const std::string& fichier = "", int ligne = 0);
    // The sound effects list and its WAV files; its names are what actor
    // types may play.
    void verifieEffets(const std::string& chemin);
    // The [ActeurN] sections of a level being read through `niveau`, and
    // the type files they name.
    void verifieActeurs(class CDescription& niveau, long nombre);
    // A type file (once per type); false when the game leaves its actors out.
    bool verifieTypeActeur(const std::string& type, const std::string& fichier, int ligne);

    // A frame's size, as a sprite description gives it.
    struct Taille { long largeur = 0, hauteur = 0; };
    // An animation: its frame count, first frame and the largest of its
    // frames (each side on its own).
    struct AnimLue { long nbFrames = 0; Taille premiere, plusGrande; int ligne = 0; };

private:
    // False (with the message) when a description file named at
    // (fichier, ligne) cannot be opened.
    bool ouvrable(const std::string& chemin, const std::string& fichier, int ligne);

    CRapport& rapport_;
    std::set<std::string> vus_;
    std::map<std::string, EtatMedia> images_;
    std::map<std::string, EtatMedia> musiques_;
    std::map<std::string, std::map<std::string, AnimLue>> sprites_; // path -> animations
    std::map<std::string, bool> types_;                            // type -> usable
    std::set<std::string> sons_;                                   // effect names
    bool effetsLus_ = false;                                       // sons_ is meaningful
};

// The whole check of `dossier`: 0 when no error was found, 1 otherwise;
// prints the report on `sortie`.
int verifieDossier(const std::string& dossier, FILE* sortie);
// One level with its planes and actors' types, named from the working
// folder (a plane file alone when it is one); same status and report.
int verifieFichierNiveau(const std::string& niveau, FILE* sortie);

#endif
