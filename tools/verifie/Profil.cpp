#include "Profil.h"

#include "Medias.h"

namespace {

bool estIgnoree(const std::string& s)
{
    return s.empty() || s[0] == '\n' || s[0] == ';' || s == "\r\n" || s == "\r";
}

size_t finEspaces(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

std::string nomEntete(const std::string& ligne)
{
    std::string nom = ligne.substr(1);
    size_t fin = nom.find(']');
    return fin == std::string::npos ? nom : nom.substr(0, fin);
}

}

bool CFichierProfil::charge(const std::string& chemin)
{
    chemin_ = chemin;
    lignes_.clear();
    sections_.clear();
    std::string contenu;
    if (!lisOctets(chemin, contenu))
        return false;

    size_t debut = 0;
    int numero = 1;
    while (debut < contenu.size()) {
        size_t fin = contenu.find('\n', debut);
        bool terminee = fin != std::string::npos;
        std::string texte = contenu.substr(debut, (terminee ? fin : contenu.size()) - debut);
        if (terminee && !texte.empty() && texte.back() == '\r')
            texte.pop_back();
        lignes_.push_back({numero++, texte, terminee});
        debut = terminee ? fin + 1 : contenu.size();
    }

    // Sections as an author sees them: a header opens one, and its keys run
    // up to the next line that starts with '[' once its spaces are removed.
    Section* courante = nullptr;
    for (const Ligne& l : lignes_) {
        if (!l.terminee)
            break;
        if (!l.texte.empty() && l.texte[0] == '[') {
            sections_.push_back({{l.numero, nomEntete(l.texte)}, {}});
            courante = &sections_.back();
            continue;
        }
        std::string s = l.texte.substr(finEspaces(l.texte));
        if (s.empty() || s[0] == ';')
            continue;
        if (s[0] == '[') {
            courante = nullptr;
            continue;
        }
        size_t egal = s.find('=');
        if (courante && egal != std::string::npos) {
            std::string valeur = s.substr(egal + 1);
            courante->cles.push_back({l.numero, s.substr(0, egal), valeur.substr(finEspaces(valeur))});
        }
    }
    return true;
}

const CFichierProfil::Section* CFichierProfil::sectionLue(const std::string& nom) const
{
    for (const Ligne& l : lignes_) {
        if (!l.terminee)
            break;
        if (!l.texte.empty() && l.texte[0] == '[' && l.texte.compare(1, nom.size(), nom) == 0)
            for (const Section& s : sections_)
                if (s.entete.ligne == l.numero)
                    return &s;
    }
    return nullptr;
}

CFichierProfil::Valeur CFichierProfil::cherche(const std::string& section, const std::string& cle,
                                             int taille) const
{
    // The reader takes lines through fgets(taille): pieces of taille-1 bytes
    // at most, a piece that runs into the end of the file not counting.
    struct Morceau {
        int ligne;
        std::string texte;
    };
    std::vector<Morceau> morceaux;
    const size_t largeur = taille > 1 ? taille - 1 : 1;
    for (const Ligne& l : lignes_) {
        std::string brut = l.texte + (l.terminee ? "\n" : "");
        for (size_t i = 0; i < brut.size(); i += largeur) {
            std::string m = brut.substr(i, largeur);
            if (!l.terminee && i + largeur >= brut.size() && m.size() < largeur)
                break;
            morceaux.push_back({l.numero, m});
        }
    }

    Valeur v;
    size_t i = 0;
    bool ouverte = false;
    for (; i < morceaux.size() && !ouverte; ++i) {
        const std::string& m = morceaux[i].texte;
        ouverte = !m.empty() && m[0] == '[' && m.compare(1, section.size(), section) == 0;
    }
    if (!ouverte)
        return v;
    for (; i < morceaux.size(); ++i) {
        std::string m = morceaux[i].texte;
        m = m.substr(finEspaces(m));
        if (estIgnoree(m))
            continue;
        if (m[0] == '[')
            break;
        size_t egal = m.find('=');
        if (egal == std::string::npos || m.compare(0, egal, cle) != 0 || egal != cle.size())
            continue;
        std::string valeur = m.substr(egal + 1);
        valeur = valeur.substr(finEspaces(valeur));
        if (valeur.size() >= 2 && valeur.compare(valeur.size() - 2, 2, "\r\n") == 0)
            valeur.erase(valeur.size() - 2, 1);
        // The string reader drops the last character: the line break, or the
        // last one read of a line longer than the buffer.
        if (!valeur.empty())
            valeur.pop_back();
        v.trouvee = true;
        v.texte = valeur;
        v.ligne = morceaux[i].ligne;
        return v;
    }
    return v;
}
