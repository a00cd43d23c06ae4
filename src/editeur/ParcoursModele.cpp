// The level's place in the journey (data/parcours.ini), edited in the
// journey's own document so that its other lines stay as they are.
#include "editeur/EtatModele.h"

#include "foundation/IndexProfil.h"
#include "foundation/Messages.h"
#include "game/FichiersJeu.h"
#include "game/SchemaParcours.h"

#include <algorithm>
#include <tuple>

namespace editeur {

namespace {

namespace sp = schemaParcours;

// The first level's name, as the game's journey gives it.
const char* const NomPremierNiveau = "La forêt de nuit";

std::string sectionNiveau(int n)
{
    return sp::PrefixeNiveau + std::to_string(n);
}

std::string commeEcrit(const std::string& chemin)
{
    const std::string n = niveauNormalise(chemin);
    return n.empty() || n[0] == '/' ? n : "./" + n;
}

std::vector<NiveauParcours> litNiveaux(const std::string& texte)
{
    std::vector<NiveauParcours> niveaux;
    CLecture l(texte);
    const int n = l.entier(sp::SectionEntete, sp::NombreNiveaux.nom, 0);
    for (int k = 1; k <= n && k <= sp::NombreNiveaux.max; ++k) {
        NiveauParcours niveau;
        l.chaine(sectionNiveau(k), sp::FichierNiveau.nom, sp::FichierNiveau.tampon, niveau.fichier);
        niveau.fichier.erase(std::min(niveau.fichier.size(), niveau.fichier.find_first_of(" \t\r;")));
        if (!l.chaine(sectionNiveau(k), sp::Nom.nom, sp::Nom.tampon, niveau.nom))
            niveau.nom = nomParDefaut(niveau.fichier);
        niveaux.push_back(niveau);
    }
    return niveaux;
}

// The 1-based places of `fichier` in the journey.
std::vector<int> places(const std::vector<NiveauParcours>& niveaux, const std::string& fichier)
{
    std::vector<int> p;
    const std::string cherche = niveauNormalise(fichier);
    for (size_t k = 0; k < niveaux.size(); ++k)
        if (!niveaux[k].fichier.empty() && niveauNormalise(niveaux[k].fichier) == cherche)
            p.push_back(static_cast<int>(k) + 1);
    return p;
}

// Whether the text ends with a blank line.
bool finBlanche(const std::string& t)
{
    const size_t n = t.size();
    return (n >= 2 && t.compare(n - 2, 2, "\n\n") == 0) || (n >= 3 && t.compare(n - 3, 3, "\n\r\n") == 0);
}

bool retire(CDocumentProfil& doc, const std::string& fichier)
{
    const std::vector<NiveauParcours> niveaux = litNiveaux(doc.texte());
    const std::vector<int> retraits = places(niveaux, fichier);
    if (retraits.empty())
        return false;
    std::vector<std::string> noms;
    for (size_t k = 1; k <= niveaux.size(); ++k)
        noms.push_back(sectionNiveau(static_cast<int>(k)));
    std::string texte = doc.texte();
    const bool blancFinal = finBlanche(texte);
    retireSections(texte, noms, retraits);
    // The last level goes without the blank line that led to it.
    while (!blancFinal && finBlanche(texte))
        texte.erase(texte.size() - (texte.compare(texte.size() - 2, 2, "\r\n") == 0 ? 2 : 1));
    doc.remplaceTexte(texte);
    return doc.fixe(sp::SectionEntete, sp::NombreNiveaux.nom, nombre(static_cast<int>(niveaux.size() - retraits.size())));
}

// Renames [Niveau k] to [Niveau k + 1] for k from `premier` to `n`: only
// their header lines change.
void decale(CDocumentProfil& doc, int premier, int n)
{
    std::string texte = doc.texte();
    CIndexProfil index(texte, CDocumentProfil::TAILLE_LIGNE);
    std::vector<size_t> debuts(1, 0);
    for (size_t i = 0; i < texte.size(); ++i)
        if (texte[i] == '\n')
            debuts.push_back(i + 1);
    std::vector<std::tuple<size_t, size_t, std::string>> changements;
    for (const SectionProfil& s : index.getSections())
        for (int k = premier; k <= n; ++k)
            if (s.nom == sectionNiveau(k) && s.ligne >= 1 && s.ligne <= static_cast<int>(debuts.size())) {
                const size_t debut = texte.find('[', debuts[s.ligne - 1]);
                changements.emplace_back(debut + 1, s.nom.size(), sectionNiveau(k + 1));
            }
    std::sort(changements.rbegin(), changements.rend());
    for (const auto& c : changements)
        texte.replace(std::get<0>(c), std::get<1>(c), std::get<2>(c));
    doc.remplaceTexte(texte);
}

bool insere(CDocumentProfil& doc, const std::string& fichier, int apres)
{
    std::vector<NiveauParcours> niveaux = litNiveaux(doc.texte());
    if (!places(niveaux, fichier).empty())
        return false;
    const std::string ecrit = commeEcrit(fichier);
    if (static_cast<int>(ecrit.size()) >= sp::FichierNiveau.tampon) {
        messageErreur("Chemin trop long pour le parcours : %s\n", ecrit.c_str());
        return false;
    }
    // Written first, so that a new journey opens with its header.
    if (!doc.fixe(sp::SectionEntete, sp::NombreNiveaux.nom, nombre(static_cast<int>(niveaux.size()))))
        return false;
    // Without a journey the game plays its first level: it stays first.
    if (niveaux.empty() && niveauNormalise(fichier) != niveauNormalise(fichiersJeu::Niveau)) {
        if (!doc.ajouteSection(sectionNiveau(1).c_str(), sp::SectionEntete,
                               {{sp::FichierNiveau.nom, fichiersJeu::Niveau}, {sp::Nom.nom, NomPremierNiveau}}))
            return false;
        niveaux.push_back({fichiersJeu::Niveau, NomPremierNiveau});
    }
    const int n = static_cast<int>(niveaux.size());
    const int place = apres < 0 || apres >= n ? n + 1 : apres + 2;
    if (static_cast<long>(n) + 1 > sp::NombreNiveaux.max)
        return false;
    decale(doc, place, n);
    const std::string avant = place > 1 ? sectionNiveau(place - 1) : std::string(sp::SectionEntete);
    return doc.ajouteSection(sectionNiveau(place).c_str(), avant.c_str(), {{sp::FichierNiveau.nom, ecrit}})
        && doc.fixe(sp::SectionEntete, sp::NombreNiveaux.nom, nombre(n + 1));
}

}

std::vector<NiveauParcours> CModeleNiveau::parcours() const
{
    if (!etat_ || etat_->documentParcours < 0)
        return {};
    return litNiveaux(etat_->documents[etat_->documentParcours].texte());
}

int CModeleNiveau::rangParcours() const
{
    if (!etat_)
        return -1;
    const std::vector<int> p = places(parcours(), etat_->fichier);
    return p.empty() ? -1 : p[0] - 1;
}

bool CModeleNiveau::ajouteAuParcours(int apres)
{
    return etape([&](Etat& e) {
        return e.documentParcours >= 0 && insere(e.documents[e.documentParcours], e.fichier, apres);
    });
}

bool CModeleNiveau::retireDuParcours()
{
    return etape([&](Etat& e) { return e.documentParcours >= 0 && retire(e.documents[e.documentParcours], e.fichier); });
}

bool CModeleNiveau::placeAuParcours(int apres)
{
    return etape([&](Etat& e) {
        if (e.documentParcours < 0)
            return false;
        CDocumentProfil& doc = e.documents[e.documentParcours];
        const std::string avant = doc.texte();
        retire(doc, e.fichier);
        if (apres != -2 && !insere(doc, e.fichier, apres))
            return false;
        return doc.texte() != avant;
    });
}

}
