#include "game/MenuPause.h"

#include <SDL.h>

const char* const CMenuPause::RappelEchap = "Échap : quitter le jeu";

namespace sc = schemaConfiguration;

namespace {

const char* const ProchainDemarrage = "au prochain démarrage";

std::string ouiNon(bool oui)
{
    return oui ? "oui" : "non";
}

// A volume moved within its key's range.
int borneVolume(sc::CleVideo cle, int volume)
{
    const DefCle& def = sc::cleVideo(cle);
    return static_cast<int>(volume < def.min ? def.min : (volume > def.max ? def.max : volume));
}

} // namespace

void CMenuPause::ouvre(Ecran nouvel)
{
    ecran = nouvel;
    // While a key is awaited the highlight stays on the action it is for.
    choix = ecran == NouvelleTouche && action >= 0 ? action : 0;
    if (ecran == NouvelleTouche && action >= 0 && action < static_cast<int>(commandes.size()))
        message = "Appuyez sur la nouvelle touche pour " + commandes[action].first
                  + "\n(Retour arrière pour annuler)";
    else
        message.clear();
}

int CMenuPause::nbLignes() const
{
    switch (ecran) {
    case Principal: return 3;
    case Options: return NbLignesOptions;
    case Commandes: return static_cast<int>(commandes.size()) + 1;
    default: return 0;
    }
}

std::string CMenuPause::titre() const
{
    switch (ecran) {
    case Principal: return "Pause";
    case Options: return "Options";
    case Commandes:
    case NouvelleTouche: return "Commandes";
    case Aide: return "Touches";
    }
    return "";
}

std::vector<LigneMenu> CMenuPause::lignes() const
{
    std::vector<LigneMenu> l;
    switch (ecran) {
    case Principal:
        l = {{"Continuer", "", ""}, {"Options", "", ""}, {"Quitter", "", ""}};
        break;
    case Options:
        l = {{"Volume de la musique", std::to_string(reglages.volumeMusique), ""},
             {"Volume des effets", std::to_string(reglages.volumeEffets), ""},
             {"Plein écran", ouiNon(reglages.pleinEcran), ""},
             {"Garder les proportions", ouiNon(reglages.garderProportions), ""},
             {"Synchronisation verticale", ouiNon(reglages.vSync), ProchainDemarrage},
             {"Filtrage bilinéaire", ouiNon(reglages.bilineaire), ProchainDemarrage},
             {"Intro au démarrage", ouiNon(reglages.intro), ProchainDemarrage},
             {"Commandes", "", ""},
             {"Retour", "", ""}};
        break;
    case Commandes:
    case NouvelleTouche:
    case Aide:
        for (const auto& c : commandes)
            l.push_back({c.first, c.second, ""});
        if (ecran == Aide) {
            l.push_back({"Aide", "F1", ""});
            l.push_back({"Capture d'écran", "F12", ""});
            l.push_back({"Plein écran", "Alt+Entrée", ""});
        } else {
            l.push_back({"Retour", "", ""});
        }
        break;
    }
    return l;
}

CMenuPause::Demande CMenuPause::touche(int sym)
{
    if (ecran == NouvelleTouche) {
        if (sym == SDLK_BACKSPACE) {
            ouvre(Commandes);
            choix = action;
            return Rien;
        }
        toucheChoisie = sym;
        ouvre(Commandes);
        choix = action;
        return ToucheChoisie;
    }
    if (ecran == Aide)
        return Reprendre;
    switch (sym) {
    case SDLK_UP:
        choix = (choix + nbLignes() - 1) % nbLignes();
        return Rien;
    case SDLK_DOWN:
        choix = (choix + 1) % nbLignes();
        return Rien;
    case SDLK_LEFT: return change(-1);
    case SDLK_RIGHT: return change(1);
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE: return valide();
    case SDLK_BACKSPACE:
        if (ecran == Options)
            ouvre(Principal);
        else if (ecran == Commandes)
            ouvre(Options);
        else
            return Reprendre;
        return Rien;
    default: return Rien;
    }
}

CMenuPause::Demande CMenuPause::valide()
{
    message.clear();
    if (ecran == Principal) {
        if (choix == 0)
            return Reprendre;
        if (choix == 2)
            return Quitter;
        ouvre(Options);
        return Rien;
    }
    if (ecran == Commandes) {
        if (choix == static_cast<int>(commandes.size())) {
            ouvre(Options);
            choix = OptCommandes;
            return Rien;
        }
        action = choix;
        ouvre(NouvelleTouche);
        return Rien;
    }
    switch (choix) {
    case OptCommandes: ouvre(Commandes); return Rien;
    case OptRetour: ouvre(Principal); choix = 1; return Rien;
    case OptVolumeMusique:
    case OptVolumeEffets: return Rien;
    default: return change(1);
    }
}

CMenuPause::Demande CMenuPause::change(int sens)
{
    if (ecran != Options)
        return Rien;
    reglageChange = choix;
    switch (choix) {
    case OptVolumeMusique:
        reglages.volumeMusique = borneVolume(sc::VolumeMusique, reglages.volumeMusique + 10 * sens);
        break;
    case OptVolumeEffets:
        reglages.volumeEffets = borneVolume(sc::VolumeEffets, reglages.volumeEffets + 10 * sens);
        break;
    case OptPleinEcran: reglages.pleinEcran = !reglages.pleinEcran; break;
    case OptProportions: reglages.garderProportions = !reglages.garderProportions; break;
    case OptVSync: reglages.vSync = !reglages.vSync; break;
    case OptBilineaire: reglages.bilineaire = !reglages.bilineaire; break;
    case OptIntro: reglages.intro = !reglages.intro; break;
    default: reglageChange = -1; return Rien;
    }
    return ReglageChange;
}
