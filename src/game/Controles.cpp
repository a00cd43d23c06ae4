#include "game/Controles.h"

#include "foundation/DocumentProfil.h"
#include "foundation/Messages.h"
#include "shell/SchemaConfiguration.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace sc = schemaConfiguration;

namespace {

// An action's key in config.ini is the schema's key of the same rank.
static_assert(int(ActionDroite) == sc::Droite && int(ActionGauche) == sc::Gauche && int(ActionSaut) == sc::Saut
                  && int(ActionAccroupi) == sc::Accroupi && int(ActionFrappe) == sc::Frappe
                  && int(ActionPause) == sc::Pause,
              "actions and their config.ini keys in the same order");

const char* const SECTION = sc::SectionControles;
// The joystick button key of each action; null for the ones the stick plays.
constexpr const DefCle* CLES_BOUTONS[NombreActions] = {
    nullptr, nullptr, &sc::cleControle(sc::ManetteSaut), nullptr,
    &sc::cleControle(sc::ManetteFrappe), &sc::cleControle(sc::ManettePause)};
constexpr const DefCle& CLE_SEUIL = sc::cleControle(sc::ManetteSeuil);

struct NomTouche {
    SDLKey touche;
    std::string nom;
};

// SDL 1.2's own names, as SDL_GetKeyName gives them once video is up.
const std::vector<NomTouche>& nomsTouches()
{
    static const std::vector<NomTouche> table = [] {
        std::vector<NomTouche> t;
        auto ajoute = [&t](int touche, const std::string& nom) {
            t.push_back(NomTouche{static_cast<SDLKey>(touche), nom});
        };
        const struct { int touche; const char* nom; } nommees[] = {
            {SDLK_BACKSPACE, "backspace"}, {SDLK_TAB, "tab"}, {SDLK_CLEAR, "clear"},
            {SDLK_RETURN, "return"}, {SDLK_PAUSE, "pause"}, {SDLK_ESCAPE, "escape"},
            {SDLK_SPACE, "space"}, {SDLK_DELETE, "delete"},
            {SDLK_KP_PERIOD, "[.]"}, {SDLK_KP_DIVIDE, "[/]"}, {SDLK_KP_MULTIPLY, "[*]"},
            {SDLK_KP_MINUS, "[-]"}, {SDLK_KP_PLUS, "[+]"}, {SDLK_KP_ENTER, "enter"},
            {SDLK_KP_EQUALS, "equals"}, {SDLK_UP, "up"}, {SDLK_DOWN, "down"},
            {SDLK_RIGHT, "right"}, {SDLK_LEFT, "left"}, {SDLK_INSERT, "insert"},
            {SDLK_HOME, "home"}, {SDLK_END, "end"}, {SDLK_PAGEUP, "page up"},
            {SDLK_PAGEDOWN, "page down"}, {SDLK_NUMLOCK, "numlock"},
            {SDLK_CAPSLOCK, "caps lock"}, {SDLK_SCROLLOCK, "scroll lock"},
            {SDLK_RSHIFT, "right shift"}, {SDLK_LSHIFT, "left shift"},
            {SDLK_RCTRL, "right ctrl"}, {SDLK_LCTRL, "left ctrl"}, {SDLK_RALT, "right alt"},
            {SDLK_LALT, "left alt"}, {SDLK_RMETA, "right meta"}, {SDLK_LMETA, "left meta"},
            {SDLK_LSUPER, "left super"}, {SDLK_RSUPER, "right super"}, {SDLK_MODE, "alt gr"},
            {SDLK_COMPOSE, "compose"}, {SDLK_HELP, "help"}, {SDLK_PRINT, "print screen"},
            {SDLK_SYSREQ, "sys req"}, {SDLK_BREAK, "break"}, {SDLK_MENU, "menu"},
            {SDLK_POWER, "power"}, {SDLK_EURO, "euro"}, {SDLK_UNDO, "undo"},
        };
        for (const auto& n : nommees)
            ajoute(n.touche, n.nom);
        // Printable keys are named by their character; SDL has no '%' key
        // and names letters in lower case only.
        for (int c = '!'; c <= 'z'; ++c)
            if (c != '%' && !(c >= 'A' && c <= 'Z'))
                ajoute(c, std::string(1, static_cast<char>(c)));
        for (int i = 0; i <= SDLK_WORLD_95 - SDLK_WORLD_0; ++i)
            ajoute(SDLK_WORLD_0 + i, "world " + std::to_string(i));
        for (int i = 0; i <= 9; ++i)
            ajoute(SDLK_KP0 + i, "[" + std::to_string(i) + "]");
        for (int i = 0; i < 15; ++i)
            ajoute(SDLK_F1 + i, "f" + std::to_string(i + 1));
        return t;
    }();
    return table;
}

std::string nettoye(const std::string& texte)
{
    size_t debut = texte.find_first_not_of(" \t");
    if (debut == std::string::npos)
        return "";
    size_t fin = texte.find_last_not_of(" \t");
    std::string resultat = texte.substr(debut, fin - debut + 1);
    for (char& c : resultat)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return resultat;
}

// A whole decimal number within [minimum, maximum]; false for anything else.
bool litNombre(const std::string& texte, long minimum, long maximum, int& nombre)
{
    std::string t = nettoye(texte);
    if (t.empty())
        return false;
    char* fin = nullptr;
    long n = strtol(t.c_str(), &fin, 10);
    if (*fin != '\0' || n < minimum || n > maximum)
        return false;
    nombre = static_cast<int>(n);
    return true;
}

} // namespace

const char* nomTouche(SDLKey touche)
{
    for (const NomTouche& n : nomsTouches())
        if (n.touche == touche)
            return n.nom.c_str();
    return nullptr;
}

SDLKey toucheNommee(const std::string& nom)
{
    std::string voulu = nettoye(nom);
    for (const NomTouche& n : nomsTouches())
        if (n.nom == voulu)
            return n.touche;
    return SDLK_UNKNOWN;
}

namespace {

// The French names of the keys SDL names in English.
const struct { SDLKey touche; const char* nom; } NomsFrancais[] = {
    {SDLK_RIGHT, "Droite"}, {SDLK_LEFT, "Gauche"}, {SDLK_UP, "Haut"}, {SDLK_DOWN, "Bas"},
    {SDLK_SPACE, "Espace"}, {SDLK_RETURN, "Entrée"}, {SDLK_BACKSPACE, "Retour arrière"},
    {SDLK_TAB, "Tab"}, {SDLK_ESCAPE, "Échap"}, {SDLK_DELETE, "Suppr"}, {SDLK_INSERT, "Inser"},
    {SDLK_HOME, "Début"}, {SDLK_END, "Fin"}, {SDLK_PAGEUP, "Page préc."}, {SDLK_PAGEDOWN, "Page suiv."},
    {SDLK_LSHIFT, "Maj gauche"}, {SDLK_RSHIFT, "Maj droite"}, {SDLK_LCTRL, "Ctrl gauche"},
    {SDLK_RCTRL, "Ctrl droite"}, {SDLK_LALT, "Alt gauche"}, {SDLK_RALT, "Alt droite"},
    {SDLK_MODE, "Alt Gr"}, {SDLK_LMETA, "Méta gauche"}, {SDLK_RMETA, "Méta droite"},
    {SDLK_LSUPER, "Windows gauche"}, {SDLK_RSUPER, "Windows droite"}, {SDLK_MENU, "Menu"},
    {SDLK_CAPSLOCK, "Verr. maj"}, {SDLK_NUMLOCK, "Verr. num"}, {SDLK_SCROLLOCK, "Arrêt défil."},
    {SDLK_PAUSE, "Pause"}, {SDLK_BREAK, "Attn"}, {SDLK_PRINT, "Impr. écran"}, {SDLK_SYSREQ, "Syst"},
    {SDLK_CLEAR, "Effacer"}, {SDLK_HELP, "Aide"}, {SDLK_UNDO, "Annuler"}, {SDLK_COMPOSE, "Compose"},
    {SDLK_POWER, "Marche"}, {SDLK_EURO, "€"},
    {SDLK_KP_ENTER, "Pavé Entrée"}, {SDLK_KP_PERIOD, "Pavé ."}, {SDLK_KP_DIVIDE, "Pavé /"},
    {SDLK_KP_MULTIPLY, "Pavé *"}, {SDLK_KP_MINUS, "Pavé -"}, {SDLK_KP_PLUS, "Pavé +"},
    {SDLK_KP_EQUALS, "Pavé ="},
};

} // namespace

std::string nomToucheAffiche(SDLKey touche)
{
    for (const auto& n : NomsFrancais)
        if (n.touche == touche)
            return n.nom;
    if (touche >= SDLK_a && touche <= SDLK_z)
        return std::string(1, static_cast<char>(touche - SDLK_a + 'A'));
    if (touche >= SDLK_KP0 && touche <= SDLK_KP9)
        return "Pavé " + std::to_string(touche - SDLK_KP0);
    if (touche >= SDLK_F1 && touche <= SDLK_F15)
        return "F" + std::to_string(touche - SDLK_F1 + 1);
    // Under X11 the "world" keys are Latin-1 characters (é, ç, ² on a French
    // keyboard): shown as their keycaps show them. Not in capitals, as both
    // é and É are keys of their own.
    if (touche > SDLK_WORLD_0 && touche <= SDLK_WORLD_95) {
        const unsigned code = static_cast<unsigned>(touche);
        return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
    }
    if (const char* nom = nomTouche(touche))
        return nom;
    return "Touche " + std::to_string(static_cast<int>(touche));
}

const char* nomAction(int action)
{
    return action >= 0 && action < NombreActions ? sc::TableControles[action].def.nom : nullptr;
}

Controles::Controles() : seuilManette(static_cast<int>(CLE_SEUIL.defaut))
{
    for (int a = 0; a < NombreActions; ++a) {
        touches[a] = toucheNommee(sc::TableControles[a].texteDefaut);
        boutons[a] = CLES_BOUTONS[a] ? static_cast<int>(CLES_BOUTONS[a]->defaut) : AucunBouton;
    }
}

int Controles::quiUtilise(SDLKey touche) const
{
    for (int a = 0; a < NombreActions; ++a)
        if (touches[a] == touche)
            return a;
    return -1;
}

int Controles::quiUtiliseBouton(int bouton) const
{
    if (bouton == AucunBouton)
        return -1;
    for (int a = 0; a < NombreActions; ++a)
        if (boutons[a] == bouton)
            return a;
    return -1;
}

namespace {

bool refuse(std::string* refus, const std::string& message)
{
    if (refus)
        *refus = message;
    return false;
}

} // namespace

bool toucheAdmise(SDLKey touche, std::string* refus)
{
    if (touche == SDLK_ESCAPE)
        return refuse(refus, "Touche réservée : Échap quitte le jeu");
    if (!nomTouche(touche))
        return refuse(refus, "Touche sans nom, choisissez-en une autre");
    return true;
}

bool Controles::changeTouche(int action, SDLKey touche, std::string* refus)
{
    if (!nomAction(action))
        return refuse(refus, "Action inconnue");
    if (!toucheAdmise(touche, refus))
        return false;
    int proprietaire = quiUtilise(touche);
    if (proprietaire >= 0 && proprietaire != action)
        return refuse(refus, std::string("Touche déjà prise par ") + nomAction(proprietaire));
    touches[action] = touche;
    return true;
}

bool Controles::changeBouton(int action, int bouton, std::string* refus)
{
    if (!nomAction(action) || !CLES_BOUTONS[action])
        return refuse(refus, "Cette action ne se joue pas par un bouton");
    if (bouton != AucunBouton && (bouton < 0 || bouton >= BoutonsMax))
        return refuse(refus, "Bouton inconnu");
    int proprietaire = quiUtiliseBouton(bouton);
    if (proprietaire >= 0 && proprietaire != action)
        return refuse(refus, std::string("Bouton déjà pris par ") + nomAction(proprietaire));
    boutons[action] = bouton;
    return true;
}

void Controles::lis(const CDocumentProfil& document, const char* fichier)
{
    std::string valeur, refus;
    for (int a = 0; a < NombreActions; ++a) {
        if (document.lit(SECTION, nomAction(a), valeur)) {
            SDLKey touche = toucheNommee(valeur);
            if (touche == SDLK_UNKNOWN)
                messageErreur("%s [%s] %s : touche inconnue \"%s\", %s gardée\n", fichier,
                        SECTION, nomAction(a), valeur.c_str(), nomTouche(touches[a]));
            else if (!toucheAdmise(touche, &refus))
                messageErreur("%s [%s] %s : touche \"%s\" refusée (%s), %s gardée\n", fichier, SECTION,
                              nomAction(a), valeur.c_str(), refus.c_str(), nomTouche(touches[a]));
            else
                touches[a] = touche;
        }
        const DefCle* bouton = CLES_BOUTONS[a];
        if (bouton && document.lit(SECTION, bouton->nom, valeur) &&
            !litNombre(valeur, bouton->min, bouton->max, boutons[a]))
            messageErreur("%s [%s] %s : bouton inconnu \"%s\", %d gardé\n", fichier, SECTION,
                    bouton->nom, valeur.c_str(), boutons[a]);
    }
    const DefCle& seuil = CLE_SEUIL;
    if (document.lit(SECTION, seuil.nom, valeur) && !litNombre(valeur, seuil.min, seuil.max, seuilManette))
        messageErreur("%s [%s] %s : \"%s\" hors de %ld à %ld, %d gardé\n", fichier, SECTION,
                seuil.nom, valeur.c_str(), seuil.min, seuil.max, seuilManette);
    // A hand-edited file may give one key two actions: both then play.
    for (int a = 1; a < NombreActions; ++a) {
        int premier = quiUtilise(touches[a]);
        if (premier != a)
            messageErreur("%s [%s] : la touche %s sert à %s et à %s\n", fichier, SECTION,
                    nomTouche(touches[a]), nomAction(premier), nomAction(a));
    }
}

bool Controles::ecris(CDocumentProfil& document) const
{
    bool ok = true;
    for (int a = 0; a < NombreActions; ++a) {
        const char* nom = nomTouche(touches[a]);
        if (nom)
            ok = document.fixe(SECTION, nomAction(a), nom) && ok;
        if (CLES_BOUTONS[a])
            ok = document.fixe(SECTION, CLES_BOUTONS[a]->nom, std::to_string(boutons[a])) && ok;
    }
    return document.fixe(SECTION, CLE_SEUIL.nom, std::to_string(seuilManette)) && ok;
}

Controles lisControles(const char* fichier)
{
    Controles controles;
    CDocumentProfil document;
    if (document.charge(fichier))
        controles.lis(document, fichier);
    return controles;
}

bool EtatManette::metAJour(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_JOYAXISMOTION:
        if (e.jaxis.which != 0)
            return false;
        if (e.jaxis.axis == 0)
            axeX = e.jaxis.value;
        else if (e.jaxis.axis == 1)
            axeY = e.jaxis.value;
        return true;
    case SDL_JOYHATMOTION:
        if (e.jhat.which != 0)
            return false;
        if (e.jhat.hat == 0)
            chapeau = e.jhat.value;
        return true;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (e.jbutton.which != 0)
            return false;
        if (e.jbutton.button < Controles::BoutonsMax) {
            uint32_t bit = uint32_t{1} << e.jbutton.button;
            boutons = e.type == SDL_JOYBUTTONDOWN ? (boutons | bit) : (boutons & ~bit);
        }
        return true;
    default:
        return false;
    }
}

bool EtatManette::boutonTenu(int bouton) const
{
    return bouton >= 0 && bouton < Controles::BoutonsMax && (boutons >> bouton) & 1u;
}

bool demandePause(const SDL_Event& e, const Controles& c)
{
    if (e.type == SDL_KEYDOWN)
        return e.key.keysym.sym == c.touches[ActionPause];
    return e.type == SDL_JOYBUTTONDOWN && e.jbutton.which == 0 &&
           c.boutons[ActionPause] != Controles::AucunBouton &&
           e.jbutton.button == c.boutons[ActionPause];
}

TouchesHeros lisTouchesHeros(const uint8_t* clavier, const Controles& c, const EtatManette& m)
{
    auto tenue = [&](int action) {
        SDLKey touche = c.touches[action];
        return clavier && touche > SDLK_UNKNOWN && touche < SDLK_LAST && clavier[touche] != 0;
    };
    TouchesHeros t;
    t.droite = tenue(ActionDroite) || m.axeX > c.seuilManette || (m.chapeau & SDL_HAT_RIGHT);
    t.gauche = tenue(ActionGauche) || m.axeX < -c.seuilManette || (m.chapeau & SDL_HAT_LEFT);
    t.bas = tenue(ActionAccroupi) || m.axeY > c.seuilManette || (m.chapeau & SDL_HAT_DOWN);
    t.haut = tenue(ActionSaut) || m.boutonTenu(c.boutons[ActionSaut]);
    t.espace = tenue(ActionFrappe) || m.boutonTenu(c.boutons[ActionFrappe]);
    return t;
}

SDL_Joystick* ouvreManette()
{
    if (!SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        return nullptr;
    if (SDL_NumJoysticks() < 1)
        return nullptr;
    SDL_Joystick* manette = SDL_JoystickOpen(0);
    if (manette)
        SDL_JoystickEventState(SDL_ENABLE);
    return manette;
}
