// A level's sky, moon and music: their keys in [Entete], and the files an
// author may choose for each.
#include "editeur/EtatModele.h"

#include "foundation/DossiersJoueur.h"
#include "foundation/Messages.h"
#include "scenery/ClesNiveau.h"
#include "scenery/SchemaNiveau.h"

#include <algorithm>
#include <filesystem>

namespace editeur {

namespace {

namespace sn = schemaNiveau;

// A path value as the game reads it: a word, cut at a space or a comment.
bool litChemin(CLecture& l, const DefCle& cle, std::string& chemin)
{
    std::string lu;
    if (!l.chaine(clesNiveau::Entete, cle.nom, cle.tampon, lu))
        return false;
    lu.erase(std::min(lu.size(), lu.find_first_of(" \t\r;")));
    if (lu.empty())
        return false;
    chemin = lu;
    return true;
}

void litPosition(CLecture& l, const DefCle& cle, int& position)
{
    const int lu = l.entier(clesNiveau::Entete, cle.nom, static_cast<int>(cle.defaut));
    if (lu >= cle.min && lu <= cle.max)
        position = lu;
}

int borne(const DefCle& cle, int v)
{
    return static_cast<int>(std::min(std::max<long>(v, cle.min), cle.max));
}

// Every file under `dossier` with one of `extensions`, as "./dossier/...",
// sorted, `defaut` among them.
std::vector<std::string> fichiersSous(const char* dossier, const std::vector<std::string>& extensions,
                                      const std::string& defaut)
{
    namespace fs = std::filesystem;
    std::vector<std::string> fichiers{defaut};
    // The installed files and the author's.
    for (const std::string& chemin : fichiersContenu(dossier)) {
        std::string extension = fs::path(chemin).extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end()
            && static_cast<int>(chemin.size()) < sn::PathCiel.tampon
            && chemin.find_first_of(" \t;") == std::string::npos)  // the game reads a word
            fichiers.push_back(chemin);
    }
    std::sort(fichiers.begin(), fichiers.end());
    fichiers.erase(std::unique(fichiers.begin(), fichiers.end()), fichiers.end());
    return fichiers;
}

}

AspectNiveau CModeleNiveau::aspect() const
{
    AspectNiveau a;
    if (!etat_)
        return a;
    CLecture l(etat_->documents[0].texte());
    litChemin(l, sn::PathCiel, a.ciel);
    litChemin(l, sn::PathLune, a.lune);
    litPosition(l, sn::PositionLuneX, a.luneX);
    litPosition(l, sn::PositionLuneY, a.luneY);
    litChemin(l, sn::PathMusique, a.musique);
    return a;
}

bool CModeleNiveau::fixeAspect(const AspectNiveau& a)
{
    const AspectNiveau defaut;
    const struct {
        const DefCle& cle;
        std::string valeur, valeurDefaut;
    } cles[] = {
        {sn::PathCiel, a.ciel, defaut.ciel},
        {sn::PathLune, a.lune, defaut.lune},
        {sn::PositionLuneX, nombre(borne(sn::PositionLuneX, a.luneX)), nombre(defaut.luneX)},
        {sn::PositionLuneY, nombre(borne(sn::PositionLuneY, a.luneY)), nombre(defaut.luneY)},
        {sn::PathMusique, a.musique, defaut.musique},
    };
    for (const auto& c : cles)
        if (c.cle.type == Texte
            && (c.valeur.empty() || c.valeur.find_first_of(" \t;") != std::string::npos
                || static_cast<int>(c.valeur.size()) >= c.cle.tampon)) {
            messageErreur("Chemin refusé pour %s : \"%s\"\n", c.cle.nom, c.valeur.c_str());
            return false;
        }
    return etape([&](Etat& e) {
        const std::string avant = e.niveau().texte();
        for (const auto& c : cles) {
            // The key is removed first, so a stale duplicate goes too.
            std::string lu;
            CLecture l(e.niveau().texte());
            const bool present = l.chaine(clesNiveau::Entete, c.cle.nom, CDocumentProfil::TAILLE_LIGNE, lu);
            if (c.valeur == c.valeurDefaut)
                retireCle(e.niveau(), clesNiveau::Entete, c.cle.nom);
            else if (!(present && lu == c.valeur) && !e.niveau().fixe(clesNiveau::Entete, c.cle.nom, c.valeur))
                return false;
        }
        return e.niveau().texte() != avant;
    });
}

std::vector<std::string> CModeleNiveau::imagesPossibles()
{
    return fichiersSous("data/levels", {".png", ".jpg", ".jpeg", ".bmp", ".gif", ".tga"}, fichiersJeu::Ciel);
}

std::vector<std::string> CModeleNiveau::musiquesPossibles()
{
    return fichiersSous("data/zic", {".ogg"}, fichiersJeu::MusiqueNiveau);
}

}
