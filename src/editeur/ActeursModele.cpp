// One actor's behaviour numbers: the type's values, and the lines of its
// [Acteur n] section that override them for that actor alone.
#include "editeur/EtatModele.h"

#include "game/Acteurs.h"
#include "game/SchemaActeur.h"
#include "scenery/ClesNiveau.h"

#include <algorithm>

namespace editeur {

namespace {

namespace sa = schemaActeur;

// The type's numbers, read once per type; an unreadable type file gives
// what was read of it, the defaults for the rest, as the game would.
const std::vector<int>& valeursType(CModeleNiveau::Etat& e, const std::string& type)
{
    auto trouve = e.typesLus.find(type);
    if (trouve != e.typesLus.end())
        return trouve->second.second;
    TypeActeur lu;
    const std::string chemin = "./data/acteurs/" + type + ".ini";
    auto& entree = e.typesLus[type];
    entree.first = litTypeActeur(chemin.c_str(), lu);
    for (int k = 0; k < NB_PARAMS; ++k)
        entree.second.push_back(*champParam(lu.params, k));
    return entree.second;
}

int borne(const DefCle& cle, int v)
{
    return static_cast<int>(std::min(std::max<long>(v, cle.min), cle.max));
}

}

// Removes every line of `cle` in the section the readers open for
// `section` (the first one it can be, the reader's buffer at its largest).
void retireCle(CDocumentProfil& doc, const std::string& section, const char* cle)
{
    std::string texte = doc.texte();
    CIndexProfil index(texte, CDocumentProfil::TAILLE_LIGNE);
    const SectionProfil* s = index.trouveSection(section.c_str());
    if (!s)
        return;
    std::vector<int> lignes;
    for (const CleProfil& c : s->cles)
        if (c.cle == cle && (lignes.empty() || lignes.back() != c.ligne))
            lignes.push_back(c.ligne);
    std::vector<size_t> debuts(1, 0);
    for (size_t i = 0; i < texte.size(); ++i)
        if (texte[i] == '\n')
            debuts.push_back(i + 1);
    debuts.push_back(texte.size());
    for (auto l = lignes.rbegin(); l != lignes.rend(); ++l) {
        const size_t debut = debuts[*l - 1];
        const size_t fin = static_cast<size_t>(*l) < debuts.size() ? debuts[*l] : texte.size();
        texte.erase(debut, fin - debut);
    }
    doc.remplaceTexte(texte);
}

std::vector<ParametreActeur> CModeleNiveau::parametresActeur(int acteur) const
{
    std::vector<ParametreActeur> parametres;
    if (!etat_ || acteur < 0 || acteur >= static_cast<int>(etat_->acteurs.size()))
        return parametres;
    Etat& e = *etat_;
    const std::vector<int>& type = valeursType(e, e.acteurs[acteur].type);
    CLecture lecture(e.documents[0].texte());
    const CIndexProfil& index = lecture.index(TAILLE_LIGNE_ENTIER);
    const std::string section = nomSection(clesNiveau::SectionActeur, acteur + 1);
    const SectionProfil* s = index.trouveSection(section.c_str());
    for (int k = 0; k < NB_PARAMS; ++k) {
        const DefCle& cle = sa::comportement[k];
        ParametreActeur p;
        p.cle = cle.nom;
        p.minimum = static_cast<int>(cle.min);
        p.maximum = static_cast<int>(cle.max);
        p.valeurType = type[k];
        p.propre = s && index.trouveCle(*s, cle.nom);
        p.valeur = p.propre ? borne(cle, lecture.entier(section, cle.nom, type[k])) : type[k];
        parametres.push_back(p);
    }
    return parametres;
}

bool CModeleNiveau::fixeParametreActeur(int acteur, int parametre, int valeur)
{
    const std::vector<ParametreActeur> actuels = parametresActeur(acteur);
    if (parametre < 0 || parametre >= static_cast<int>(actuels.size()))
        return false;
    const ParametreActeur& a = actuels[parametre];
    valeur = std::min(std::max(valeur, a.minimum), a.maximum);
    if (valeur == a.valeur && a.propre == (valeur != a.valeurType))
        return false;
    return etape([&](Etat& e) {
        const std::string section = nomSection(clesNiveau::SectionActeur, acteur + 1);
        if (valeur == a.valeurType) {
            retireCle(e.niveau(), section, a.cle);
            return true;
        }
        return e.niveau().fixe(section.c_str(), a.cle, nombre(valeur));
    });
}

}
