#include "verification/Description.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const int TAMPON_ENTIER = TAILLE_LIGNE_ENTIER;

std::string enTexte(const DefCle& def)
{
    return def.type == Texte ? "`nothing`" : std::to_string(def.defaut);
}

bool estCommentaireOuVide(const std::string& ligne)
{
    size_t i = ligne.find_first_not_of(' ');
    return i == std::string::npos || ligne[i] == ';';
}

}

CDescription::CDescription(CRapport& rapport, const std::string& chemin) : rapport_(rapport)
{
    ouverte_ = profil_.charge(chemin);
}

ValeursSection CDescription::litSection(const std::string& nom, const std::vector<DefCle>& cles,
                                        bool* present, bool absentes)
{
    ValeursSection valeurs;
    attendues_.push_back(nom);
    const SectionProfil* s = profil_.sectionLue(nom);
    if (present)
        *present = s != nullptr;
    if (!s) {
        rapport_.erreur(chemin(), 0, texte("section [%s] absente : le jeu prend les valeurs par défaut",
                                           nom.c_str()));
    } else {
        lues_[s->ligne] = &cles;
        if (s->nom != nom) {
            masquees_.insert(nom);
            int ligne = 0;
            for (const SectionProfil& autre : profil_.sections())
                if (autre.nom == nom) {
                    ligne = autre.ligne;
                    // Its keys are still worth checking for the day it is moved.
                    lues_[ligne] = &cles;
                    break;
                }
            if (ligne > 0)
                rapport_.erreur(chemin(), ligne,
                                texte("la section [%s] est lue sous l'en-tête [%s] (ligne %d), qui commence "
                                      "pareil et vient avant : placez [%s] en premier",
                                      nom.c_str(), s->nom.c_str(), s->ligne, nom.c_str()));
            else
                rapport_.erreur(chemin(), s->ligne,
                                texte("pas d'en-tête [%s] : le jeu lit à sa place [%s], qui commence pareil",
                                      nom.c_str(), s->nom.c_str()));
        }
    }
    for (const DefCle& def : cles) {
        ValeurLue& lu = valeurs[def.nom];
        lu.entier = def.defaut;
        lu.texte = "nothing";
        CFichierProfil::Valeur v = profil_.cherche(nom, def.nom, def.type == Texte ? def.tampon : TAMPON_ENTIER);
        if (v.trouvee) {
            verifieValeur(def, v, lu);
        } else if (absentes && !def.facultative && s && s->nom == nom) {
            bool horsPlage = def.type == Texte || (def.type == Entier && (def.defaut < def.min || def.defaut > def.max));
            rapport_.ajoute(chemin(), s->ligne, horsPlage ? Erreur : Avertissement,
                            texte("clé %s absente de [%s] : le jeu prend %s", def.nom, nom.c_str(),
                                  enTexte(def).c_str()));
        }
    }
    return valeurs;
}

void CDescription::verifieValeur(const DefCle& def, const CFichierProfil::Valeur& v, ValeurLue& lu)
{
    lu.trouvee = true;
    lu.ligne = v.ligne;
    if (def.type == Texte) {
        lu.texte = v.texte;
        return;
    }
    long lu_atoi = atol(v.texte.c_str());
    bool nombre = estEntierEcrit(v.texte);
    if (!nombre)
        rapport_.erreur(chemin(), v.ligne, texte("%s : `%s` n'est pas un nombre entier, le jeu lit %ld",
                                                 def.nom, v.texte.c_str(), lu_atoi));
    if (def.type == Booleen) {
        if (lu_atoi == 0 || lu_atoi == 1)
            lu.entier = lu_atoi;
        else if (nombre)
            rapport_.erreur(chemin(), v.ligne, texte("%s vaut %ld : seuls 0 et 1 comptent, le jeu garde %ld",
                                                     def.nom, lu_atoi, def.defaut));
        return;
    }
    lu.entier = lu_atoi;
    if (nombre && (lu_atoi < def.min || lu_atoi > def.max))
        rapport_.erreur(chemin(), v.ligne,
                        texte("%s vaut %ld, hors de %ld … %ld", def.nom, lu_atoi, def.min, def.max));
}

void CDescription::termine(const std::function<std::string(const std::string&)>& raisonEnTrop)
{
    if (!ouverte_)
        return;
    // Which keys each line holds, for the buffer it is read through.
    std::map<int, const DefCle*> defParLigne;
    std::map<std::string, int> premieres;
    for (const SectionProfil& s : profil_.sections()) {
        auto deja = premieres.find(s.nom);
        if (deja != premieres.end()) {
            rapport_.erreur(chemin(), s.ligne,
                            texte("section [%s] en double : seule la première (ligne %d) compte",
                                  s.nom.c_str(), deja->second));
            continue;
        }
        premieres[s.nom] = s.ligne;
        auto lue = lues_.find(s.ligne);
        if (lue == lues_.end())
            signaleSectionEnTrop(s, raisonEnTrop);
        else
            verifieCles(s, *lue->second, defParLigne);
    }
    verifieLignes(defParLigne);
}

void CDescription::signaleSectionEnTrop(const SectionProfil& s,
                                        const std::function<std::string(const std::string&)>& raisonEnTrop)
{
    const std::string& nom = s.nom;
    if (masquees_.count(nom))
        return;
    std::string raison = raisonEnTrop(nom);
    std::string proche = plusProche(nom, attendues_);
    if (!raison.empty())
        rapport_.erreur(chemin(), s.ligne, texte("section [%s] jamais lue : %s", nom.c_str(), raison.c_str()));
    else if (!proche.empty())
        rapport_.erreur(chemin(), s.ligne,
                        texte("section inconnue [%s] — vouliez-vous dire [%s] ?", nom.c_str(), proche.c_str()));
    else
        rapport_.erreur(chemin(), s.ligne, texte("section inconnue [%s]", nom.c_str()));
}

void CDescription::verifieCles(const SectionProfil& s, const std::vector<DefCle>& cles,
                               std::map<int, const DefCle*>& defParLigne)
{
    std::vector<std::string> noms;
    for (const DefCle& d : cles)
        noms.push_back(d.nom);
    std::map<std::string, int> vues;
    for (const CleProfil& k : s.cles) {
        const DefCle* def = nullptr;
        for (const DefCle& d : cles)
            if (k.cle == d.nom)
                def = &d;
        if (!def) {
            std::string proche = plusProche(k.cle, noms);
            rapport_.erreur(chemin(), k.ligne,
                            proche.empty() ? texte("clé inconnue `%s`", k.cle.c_str())
                                           : texte("clé inconnue `%s` — vouliez-vous dire `%s` ?",
                                                   k.cle.c_str(), proche.c_str()));
            continue;
        }
        defParLigne[k.ligne] = def;
        if (vues.count(k.cle))
            rapport_.erreur(chemin(), k.ligne,
                            texte("clé %s en double dans [%s] : seule la première (ligne %d) compte",
                                  k.cle.c_str(), s.nom.c_str(), vues[k.cle]));
        else
            vues[k.cle] = k.ligne;
        std::string valeur = k.valeur.substr(0, k.valeur.find('\n'));
        size_t pointVirgule = valeur.find(';');
        if (pointVirgule != std::string::npos)
            rapport_.avertissement(
                chemin(), k.ligne,
                texte("`;` ne commence un commentaire qu'en début de ligne : « %s » fait partie de la valeur de %s",
                      valeur.substr(pointVirgule).c_str(), k.cle.c_str()));
    }
}

// Line by line: what the reader skips or cuts.
void CDescription::verifieLignes(const std::map<int, const DefCle*>& defParLigne)
{
    bool dansSection = false;
    for (const CFichierProfil::Ligne& l : profil_.lignes()) {
        const std::string& t = l.texte;
        size_t debut = t.find_first_not_of(' ');
        bool vide = estCommentaireOuVide(t);
        if (!l.terminee) {
            if (!vide)
                rapport_.erreur(chemin(), l.numero, "dernière ligne sans fin de ligne : le jeu l'ignore");
            break;
        }
        auto def = defParLigne.find(l.numero);
        signaleLigneCoupee(l, def != defParLigne.end() ? def->second : nullptr);
        if (!t.empty() && t[0] == '[') {
            dansSection = true;
            continue;
        }
        if (vide)
            continue;
        if (t[debut] == '[') {
            rapport_.erreur(chemin(), l.numero,
                            "en-tête précédé d'espaces : le jeu ne l'ouvre pas, il ferme seulement la section d'avant");
            dansSection = false;
            continue;
        }
        if (!dansSection)
            rapport_.erreur(chemin(), l.numero, "ligne hors de toute section : le jeu ne la lit jamais");
        else if (t.find('=') == std::string::npos)
            rapport_.erreur(chemin(), l.numero, "ligne sans `=` : le jeu l'ignore");
    }
}

// A line longer than the buffer it is read through (`def`'s, or the
// integer reader's for a line of no known key).
void CDescription::signaleLigneCoupee(const CFichierProfil::Ligne& l, const DefCle* def)
{
    bool estTexte = def && def->type == Texte;
    int tampon = estTexte ? def->tampon : TAMPON_ENTIER;
    const std::vector<int>& coupees = profil_.lignesCoupees(tampon);
    if (std::find(coupees.begin(), coupees.end(), l.numero) == coupees.end())
        return;
    std::string suite = " : la suite compte comme une autre ligne";
    if (estTexte)
        for (const SectionProfil& s : profil_.sections())
            for (const CleProfil& k : s.cles)
                if (k.ligne == l.numero)
                    suite = texte(" : le jeu lit `%s`", profil_.cherche(s.nom, k.cle, tampon).texte.c_str());
    rapport_.erreur(chemin(), l.numero,
                    texte("ligne de %zu caractères, plus que les %d que lit le jeu%s", l.texte.size(), tampon - 2,
                          suite.c_str()));
}
