#ifndef CORVANTHELIS_EDITEUR_MODELENIVEAU_H
#define CORVANTHELIS_EDITEUR_MODELENIVEAU_H

// What the level editor edits: one level file and the plane files it names,
// each held as a profile document (foundation/DocumentProfil.h) so that a
// save changes only the lines an edit touched. Comments, order and unknown
// lines are kept; counts (nombreTiles, nbPositions, nbFrames, nombreActeurs)
// follow the edits.
//
// Every change is one step of an unlimited history: annule() and retablit()
// bring back the documents' exact texts, so an undo can never drift from
// what was there. The readable state (plans(), acteurs(), ...) is rebuilt
// from the documents after each step with the game's own reading rules.
//
// Needs no display and opens no picture. Indices (plane, tile, placement,
// actor) are 0-based here, while the files number their sections from 1;
// a step that removes items shifts the indices after them.

#include "game/Demarrage.h"
#include "game/Parcours.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace editeur {

struct FrameEditee {
    int positionX = 0;  // rectangle in the sheet picture
    int positionY = 0;
    int longueur = 0;
    int hauteur = 0;
    int alpha = 255;    // valeurAlpha
    int pause = 0;      // ms this frame shows (optional key "pause"; 0 as the game reads it)
};

struct PositionEditee {
    int x = 0;  // top-left of the tile's frame in the plane
    int y = 0;
};

struct TileEditee {
    std::string planche;  // pathPlanche, as written
    int cleR = -1, cleG = -1, cleB = -1;  // colour key; -1: none
    std::vector<FrameEditee> frames;
    std::vector<PositionEditee> positions;
};

// The keys of a [PlanN] section that the side panel edits.
struct ParametresPlanEdites {
    int priorite = 0;
    int scrollRatio = 100;
    int positionEcranX = 0;
    int positionEcranY = 0;
    bool repeatX = false;
    bool repeatY = false;
    // Planes have no opacity of their own: this is the valeurAlpha that all
    // the plane's frames share (-1: they differ, or there are none), and
    // setting it sets every frame's.
    int alpha = -1;
};

struct PlanEdite {
    std::string chemin;  // pathPlan, as written
    ParametresPlanEdites parametres;
    std::vector<TileEditee> tiles;
    bool lisible = true;  // false: the plane file could not be read; not editable
};

struct ActeurEdite {
    std::string type;
    int x = 0;  // positionX, positionY: ratio-100 coordinates
    int y = 0;
};

// One behaviour number of one actor (game/SchemaActeur.h's [Comportement]
// keys), as the game gives it to that actor.
struct ParametreActeur {
    const char* cle = "";
    int minimum = 0, maximum = 0;  // the range the game and the checker accept
    int valeurType = 0;  // the type's [Comportement] value, or the default
    bool propre = false; // this actor's section overrides it
    int valeur = 0;      // what the actor gets: its own value, brought within range, or the type's
};

// One selected thing: a placement of a tile, or an actor.
struct Element {
    enum Genre { Placement, Acteur } genre = Placement;
    int plan = 0;    // Placement only
    int tile = 0;    // Placement only
    int index = 0;   // the placement within its tile, or the actor
    bool operator==(const Element& o) const
    {
        return genre == o.genre && plan == o.plan && tile == o.tile && index == o.index;
    }
};

// What Ctrl+C keeps: the copied things, by value, so the copy survives
// later edits and undos.
struct PressePapier {
    struct Copie {
        Element::Genre genre;
        int plan, tile;             // placements
        std::string type;           // actors (their other keys come along)
        std::vector<std::pair<std::string, std::string>> cles;
        int x, y;
    };
    std::vector<Copie> copies;
    bool vide() const { return copies.empty(); }
};

class CModeleNiveau {
public:
    CModeleNiveau();
    ~CModeleNiveau();
    CModeleNiveau(const CModeleNiveau&) = delete;
    CModeleNiveau& operator=(const CModeleNiveau&) = delete;

    // Reads the level and every plane it names. False, with one line on
    // standard error, when the level itself cannot be read; an unreadable
    // plane is kept as not `lisible` and saved untouched.
    bool ouvre(const std::string& fichierNiveau);

    const std::string& fichierNiveau() const;
    const std::vector<PlanEdite>& plans() const;
    const std::vector<ActeurEdite>& acteurs() const;
    // False when the level has no finish line.
    bool arrivee(int& x) const;
    // Whether the game draws `plan`: only priorities 1 ... nombrePriorites are.
    bool dessineEnJeu(int plan) const;
    // The actor types an author may place: the names of data/acteurs/*.ini,
    // sorted.
    std::vector<std::string> typesActeurs() const;
    // The sheets a new tile of `plan` may be cut from, each with the colour
    // key the level's first tile on it uses: the plane's own sheets, then
    // the level's other planes', then the pictures under data/levels/
    // (sorted, no key), so that a new level has sheets too.
    std::vector<TileEditee> planchesPossibles(int plan) const;

    // Writes a new level `fichier` and its one plane, "<fichier without
    // .ini>/sol.ini", at ratio 100 with no tile yet: what the editor opens
    // for a level that does not exist. False, with one line on standard
    // error, when either file exists or cannot be written.
    static bool creeNiveau(const std::string& fichier);

    // ---- Steps: each is one entry of the history; false (nothing changed,
    // no entry) when refused, e.g. an index out of range.
    bool placeTile(int plan, int tile, int x, int y);
    bool placeActeur(const std::string& type, int x, int y);
    // Moves every element by (dx, dy), as one step.
    bool deplace(const std::vector<Element>& elements, int dx, int dy);
    bool supprime(const std::vector<Element>& elements);
    PressePapier copie(const std::vector<Element>& elements) const;
    // Pastes the copies shifted by (dx, dy); `colles` gets what was added.
    bool colle(const PressePapier& p, int dx, int dy, std::vector<Element>* colles = nullptr);
    bool fixeParametres(int plan, const ParametresPlanEdites& p);
    // A new tile at the end of `plan`, with no placement yet.
    bool ajouteTile(int plan, const TileEditee& tile);
    // Replaces a tile's sheet, colour key and frames (its placements stay).
    bool modifieTile(int plan, int tile, const TileEditee& nouvelle);

    // ---- Planes. A new plane in front of the others (its priority above
    // every drawn one), at ratio 100 and screen position (0, 0), in a new
    // file beside the level's other planes named after the tile's sheet
    // (cheminNouveauPlan), holding `tile` without placements. The file is
    // written by the next save.
    bool ajoutePlan(const TileEditee& tile);
    std::string cheminNouveauPlan(const std::string& planche) const;
    // The level stops naming `plan`; its file stays on disk. The last plane
    // is kept.
    bool retirePlan(int plan);
    // Draws `plan` one place later (sens > 0: in front of the next drawn
    // plane) or earlier. Priorities change as little as they can; when one
    // passes nombrePriorites, that count follows and the planes the game
    // leaves out move up with it, so none of them shows.
    bool deplacePlan(int plan, int sens);

    // The finish line at x (ratio-100 coordinates), brought within the range
    // the game accepts; added when the level had none.
    bool fixeArrivee(int x);

    // ---- One actor's behaviour numbers, in the order of the type files'
    // [Comportement]. Empty for an actor out of range.
    std::vector<ParametreActeur> parametresActeur(int acteur) const;
    // Sets one of them for that actor alone, brought within its range;
    // the type's own value removes the actor's line instead.
    bool fixeParametreActeur(int acteur, int parametre, int valeur);

    // ---- The level's look: the optional [Entete] keys of its sky, moon and
    // music (game/Demarrage.h), the defaults for missing or bad ones.
    AspectNiveau aspect() const;
    // Sets all five as one step; a value equal to the default removes its
    // key, so a level left at the defaults keeps none of them.
    bool fixeAspect(const AspectNiveau& aspect);
    // The files an author may choose, sorted, written as "./data/...": the
    // pictures under data/levels/ (sky and moon) and the .ogg files under
    // data/zic/. The default is always among them.
    static std::vector<std::string> imagesPossibles();
    static std::vector<std::string> musiquesPossibles();

    // ---- The journey (data/parcours.ini, read when the level is opened):
    // its levels as written, this one included; empty when there is no file.
    std::vector<NiveauParcours> parcours() const;
    // This level's place in it (0-based), -1 when it is not there.
    int rangParcours() const;
    // Adds this level after level `apres` of parcours() (-1, or past the
    // end: at the end). Only header lines of the levels after it change.
    // A journey that does not exist yet is created with the game's first
    // level, then this one: without a journey the game plays that level
    // alone, and it must stay first. False when the level is already there.
    bool ajouteAuParcours(int apres = -1);
    bool retireDuParcours();
    // Both at once: this level taken out, then put after level `apres` of
    // the journey without it (-2: left out). One step.
    bool placeAuParcours(int apres);

    bool annule();
    bool retablit();
    bool peutAnnuler() const;
    bool peutRetablir() const;

    // True when the documents differ from what was last saved or opened.
    bool modifie() const;
    // A number that changes whenever the state is read again from the
    // documents (every step, undo, redo or opening), unique across models:
    // a view rebuilds what it draws only when it changes.
    unsigned revision() const;

    // Writes every changed document over its file, the level as a whole:
    // all the new texts are written beside their files first, then put in
    // place one after another, and the autosave goes only once every one
    // is. A failure while writing them changes no file. False, with one
    // line on standard error per file that failed, also when a file to be
    // written changed on disk since it was read: nothing is written then,
    // and the caller settles it with one of the three below.
    bool sauve();

    // ---- Files another program changed: the ones a save would write that
    // are no longer what this model read or last saved there.
    std::vector<std::string> fichiersChangesSurDisque() const;
    // Saves over them all the same.
    bool ecrase();
    // Takes those files back from the disk into the documents, as one step:
    // undo brings this model's texts back. False when one cannot be read
    // (nothing changes then). A level that now names other plane files is
    // opened afresh instead, without the history.
    bool recharge();
    // Writes this model's text of each changed file beside it, as
    // cheminACote(file), and nothing else: the files and the documents stay
    // as they are. `copies` gets the paths written.
    bool sauveACote(std::vector<std::string>* copies = nullptr);
    static std::string cheminACote(const std::string& fichier);

    // The checker's own checks of the level as saved, with the files it
    // names: one line per problem, "file:line: ..." as the checker prints
    // them. Empty when all is well.
    std::vector<std::string> verifie() const;

    // ---- Autosave: one file beside the level ("<level>.autosave") holding
    // every document's text; for a relative level of a content folder the
    // game may not write, "autosaves/<level>.autosave" in the player's data
    // folder (foundation/DossiersJoueur.h). Writing it does not count as saving.
    static std::string cheminAutosave(const std::string& fichierNiveau);
    bool ecritAutosave() const;
    // True when an autosave is there and differs from the files.
    static bool autosaveDisponible(const std::string& fichierNiveau);
    // Loads the autosave's texts as one step over the opened files (undo
    // returns to the files). False when it is missing or unreadable.
    bool reprendAutosave();
    static void effaceAutosave(const std::string& fichierNiveau);

    // ---- Play from here: the current texts written as a level and its
    // planes into `dossier` (pathPlan rewritten to the copies); `niveau`
    // gets the level copy's path. Pictures are still named as before.
    bool ecritCopieJouable(const std::string& dossier, std::string& niveau) const;

    struct Etat;  // editeur/EtatModele.h

private:
    // Runs `change` as one step: on success the documents' texts before it
    // go to the history; on failure they are brought back.
    template <class F> bool etape(F change);
    bool enregistre(bool malgreChangements);

    std::unique_ptr<Etat> etat_;
};

}

#endif
