#include "foundation/DocumentProfil.h"

#include "foundation/IndexProfil.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool CDocumentProfil::charge(const char* fichier)
{
    if (!fichier || !*fichier)
        return false;
    // Non-blocking, so that a FIFO named here is refused instead of waited on.
    int fd = open(fichier, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) {
            messageErreur("Lecture impossible de %s : %s\n", fichier, strerror(errno));
            return false;
        }
        fichier_ = fichier;
        texte_.clear();
        texteFichier_.clear();
        modifie_ = false;
        present_ = false;
        return true;
    }
    struct stat etat;
    if (fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        messageErreur("%s n'est pas un fichier ordinaire\n", fichier);
        close(fd);
        return false;
    }
    std::string contenu;
    char bloc[4096];
    ssize_t n;
    while ((n = read(fd, bloc, sizeof bloc)) != 0) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            messageErreur("Lecture impossible de %s : %s\n", fichier, strerror(errno));
            close(fd);
            return false;
        }
        contenu.append(bloc, static_cast<size_t>(n));
    }
    close(fd);
    fichier_ = fichier;
    texte_.swap(contenu);
    texteFichier_ = texte_;
    modifie_ = false;
    present_ = true;
    return true;
}

bool CDocumentProfil::chargeCopie(const char* source, const char* fichier)
{
    if (!fichier || !*fichier || !charge(source))
        return false;
    fichier_ = fichier;
    present_ = false;
    return true;
}

bool CDocumentProfil::lit(const char* section, const char* cle, std::string& valeur,
                          int taille) const
{
    if (!section || !cle)
        return false;
    CIndexProfil index(texte_, taille);
    const SectionProfil* s = index.trouveSection(section);
    const CleProfil* c = s ? index.trouveCle(*s, cle) : nullptr;
    if (!c)
        return false;
    // As the string reader: the last character is the line break, or the
    // last one read of a line longer than the buffer.
    valeur.assign(c->valeur, 0, c->valeur.empty() ? 0 : c->valeur.size() - 1);
    return true;
}

size_t CDocumentProfil::debutLigne(int ligne) const
{
    size_t position = 0;
    for (int i = 1; i < ligne && position < texte_.size(); ++i)
        position = finLigne(position);
    return position;
}

size_t CDocumentProfil::finLigne(size_t debut) const
{
    size_t saut = texte_.find('\n', debut);
    return saut == std::string::npos ? texte_.size() : saut + 1;
}

// New lines follow the file's own line ends.
const char* CDocumentProfil::finDeLigne() const
{
    size_t saut = texte_.find('\n');
    return saut != std::string::npos && saut > 0 && texte_[saut - 1] == '\r' ? "\r\n" : "\n";
}

namespace {

bool refuse(const char* section, const char* cle)
{
    messageErreur("Valeur refusée pour %s dans [%s] : elle ne se relirait pas telle quelle\n", cle,
            section);
    return false;
}

} // namespace

bool CDocumentProfil::fixe(const char* section, const char* cle, const std::string& valeur)
{
    if (!section || !*section || !cle || !*cle)
        return false;
    std::string actuelle;
    if (lit(section, cle, actuelle) && actuelle == valeur)
        return true;

    // Line ends would read differently in "\n" and "\r\n" files.
    if (valeur.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        return refuse(section, cle);

    const std::string avant = texte_;
    const std::string fin = finDeLigne();
    // The reader never sees an unterminated last line; once ended it counts,
    // and is looked at like any other before the change is placed.
    if (!texte_.empty() && texte_.back() != '\n')
        texte_ += fin;
    const std::string ligneCle = std::string(cle) + "=" + valeur;

    CIndexProfil index(texte_, TAILLE_LIGNE);
    const SectionProfil* s = index.trouveSection(section);
    const CleProfil* c = s ? index.trouveCle(*s, cle) : nullptr;
    if (c) {
        size_t debut = debutLigne(c->ligne);
        size_t finAncienne = finLigne(debut);
        size_t retrait = 0;
        while (debut + retrait < finAncienne && texte_[debut + retrait] == ' ')
            ++retrait;
        bool crlf = finAncienne - debut >= 2 && texte_.compare(finAncienne - 2, 2, "\r\n") == 0;
        texte_.replace(debut, finAncienne - debut,
                       std::string(retrait, ' ') + ligneCle + (crlf ? "\r\n" : "\n"));
    } else if (s) {
        // After the section's last key line (or line without '='), so the
        // blank lines and comments that lead to the next header stay there.
        int derniere = s->ligne;
        for (const CleProfil& k : s->cles)
            derniere = std::max(derniere, k.ligne);
        for (int l : s->lignesSansEgal)
            derniere = std::max(derniere, l);
        texte_.insert(finLigne(debutLigne(derniere)), ligneCle + fin);
    } else {
        if (!texte_.empty())
            texte_ += fin;
        texte_ += "[" + std::string(section) + "]" + fin + ligneCle + fin;
    }

    // The check that covers every name or value the format cannot hold: the
    // reader must find exactly what was asked.
    std::string relue;
    if (!lit(section, cle, relue) || relue != valeur) {
        texte_ = avant;
        return refuse(section, cle);
    }
    modifie_ = texte_ != texteFichier_;
    return true;
}

bool CDocumentProfil::ajouteSection(const char* section, const char* apres,
                                    const std::vector<std::pair<std::string, std::string>>& cles)
{
    if (!section)
        return false;
    return ajouteSections(apres, {{section, cles}});
}

namespace {

// Header names the format can hold; says which one it cannot.
bool nomsSectionsValides(const std::vector<SectionNouvelle>& sections)
{
    for (const SectionNouvelle& n : sections)
        if (n.nom.empty() || n.nom.find_first_of(std::string("[]\r\n\0", 5)) != std::string::npos) {
            messageErreur("Section refusée : [%s]\n", n.nom.c_str());
            return false;
        }
    return true;
}

// The text of the new sections starting at line `ligne`, a blank line before
// each when `blanc`; each header's line goes to `lignes`. False, refused,
// for a key or value holding a line break.
bool blocSections(const std::vector<SectionNouvelle>& sections, const char* fin, int ligne, bool blanc,
                  std::vector<int>& lignes, std::string& bloc)
{
    for (const SectionNouvelle& n : sections) {
        if (blanc) {
            bloc += fin;
            ++ligne;
        }
        lignes.push_back(ligne);
        bloc += "[" + n.nom + "]" + fin;
        ligne += 1 + static_cast<int>(n.cles.size());
        for (const auto& cle : n.cles) {
            if ((cle.first + cle.second).find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
                return refuse(n.nom.c_str(), cle.first.c_str());
            bloc += cle.first + "=" + cle.second + fin;
        }
    }
    return true;
}

} // namespace

bool CDocumentProfil::ajouteSections(const char* apres, const std::vector<SectionNouvelle>& sections)
{
    if (!nomsSectionsValides(sections))
        return false;
    const std::string avant = texte_;
    const std::string fin = finDeLigne();
    if (!texte_.empty() && texte_.back() != '\n')
        texte_ += fin;

    bool blanc = false;
    const size_t position = placeSections(apres, sections, blanc);
    int ligne = 1 + static_cast<int>(std::count(texte_.begin(), texte_.begin() + position, '\n'));
    std::vector<int> lignes;  // each new header's line
    std::string bloc;
    if (!blocSections(sections, fin.c_str(), ligne, blanc, lignes, bloc)) {
        texte_ = avant;
        return false;
    }
    texte_.insert(position, bloc);

    const bool relu = relisSections(sections, lignes);
    if (!relu)
        texte_ = avant;
    modifie_ = texte_ != texteFichier_;
    return relu;
}

size_t CDocumentProfil::placeSections(const char* apres, const std::vector<SectionNouvelle>& sections, bool& blanc)
{
    // A stale section of one of those names would be the one read.
    for (;;) {
        CIndexProfil index(texte_, TAILLE_LIGNE);
        const SectionProfil* perimee = nullptr;
        for (size_t i = 0; i < sections.size() && !perimee; ++i) {
            const SectionProfil* s = index.trouveSection(sections[i].nom.c_str());
            if (s && s->nom == sections[i].nom)
                perimee = s;
        }
        if (perimee) {
            size_t debut = debutLigne(perimee->ligne);
            size_t finSection = perimee->fin > 0 ? debutLigne(perimee->fin) : texte_.size();
            texte_.erase(debut, finSection - debut);
            continue;
        }
        size_t position = texte_.size();
        blanc = !texte_.empty();
        if (const SectionProfil* a = apres && *apres ? index.trouveSection(apres) : nullptr) {
            int derniere = a->ligne;
            for (const CleProfil& k : a->cles)
                derniere = std::max(derniere, k.ligne);
            for (int l : a->lignesSansEgal)
                derniere = std::max(derniere, l);
            position = finLigne(debutLigne(derniere));
            blanc = a->ligne > 1
                && texte_.find_first_not_of(" \t\r\n", debutLigne(a->ligne - 1)) >= debutLigne(a->ligne);
        }
        return position;
    }
}

bool CDocumentProfil::relisSections(const std::vector<SectionNouvelle>& sections, const std::vector<int>& lignes) const
{
    // Read back in one go: each header must be the one opened for its name
    // (no earlier one beginning alike) and every key must read as written.
    CIndexProfil index(texte_, TAILLE_LIGNE);
    bool relu = true;
    for (size_t i = 0; relu && i < sections.size(); ++i) {
        const SectionProfil* s = index.trouveSection(sections[i].nom.c_str());
        relu = s && s->ligne == lignes[i];
        for (size_t k = 0; relu && k < sections[i].cles.size(); ++k) {
            const CleProfil* c = index.trouveCle(*s, sections[i].cles[k].first.c_str());
            relu = c && c->ligne == lignes[i] + 1 + static_cast<int>(k)
                && c->valeur == sections[i].cles[k].second + "\n";
        }
        if (!relu)
            messageErreur("Section refusée : [%s] ne se relirait pas telle quelle\n", sections[i].nom.c_str());
    }
    return relu;
}

bool CDocumentProfil::fixe(const std::vector<ValeurProfil>& valeurs)
{
    // The last value of each key wins, as one fixe() after the other.
    std::vector<const ValeurProfil*> derniers;
    {
        std::set<std::pair<std::string, std::string>> vus;
        for (auto v = valeurs.rbegin(); v != valeurs.rend(); ++v)
            if (vus.insert({v->section, v->cle}).second)
                derniers.push_back(&*v);
    }
    const std::string avant = texte_;
    std::vector<size_t> debuts(1, 0);
    for (size_t i = 0; i < texte_.size(); ++i)
        if (texte_[i] == '\n')
            debuts.push_back(i + 1);
    // Line start -> (old length, new line).
    std::map<size_t, std::pair<size_t, std::string>> lignes;
    std::vector<const ValeurProfil*> uneParUne;
    {
        CIndexProfil index(texte_, TAILLE_LIGNE);
        for (const ValeurProfil* v : derniers) {
            const SectionProfil* s = index.trouveSection(v->section.c_str());
            const CleProfil* c = s ? index.trouveCle(*s, v->cle.c_str()) : nullptr;
            if (c && c->valeur == v->valeur + "\n")
                continue;
            if (!c || v->valeur.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
                uneParUne.push_back(v);
                continue;
            }
            size_t debut = debuts[c->ligne - 1];
            size_t finAncienne = finLigne(debut);
            size_t retrait = 0;
            while (debut + retrait < finAncienne && texte_[debut + retrait] == ' ')
                ++retrait;
            bool crlf = finAncienne - debut >= 2 && texte_.compare(finAncienne - 2, 2, "\r\n") == 0;
            lignes[debut] = {finAncienne - debut,
                             std::string(retrait, ' ') + v->cle + "=" + v->valeur + (crlf ? "\r\n" : "\n")};
        }
    }
    for (auto l = lignes.rbegin(); l != lignes.rend(); ++l)
        texte_.replace(l->first, l->second.first, l->second.second);
    // Missing keys and values the format cannot hold go through fixe().
    bool ok = true;
    for (size_t i = uneParUne.size(); ok && i-- > 0;)
        ok = fixe(uneParUne[i]->section.c_str(), uneParUne[i]->cle.c_str(), uneParUne[i]->valeur);
    if (ok) {
        CIndexProfil index(texte_, TAILLE_LIGNE);
        for (const ValeurProfil* v : derniers) {
            const SectionProfil* s = index.trouveSection(v->section.c_str());
            const CleProfil* c = s ? index.trouveCle(*s, v->cle.c_str()) : nullptr;
            if (!c || c->valeur != v->valeur + "\n") {
                ok = refuse(v->section.c_str(), v->cle.c_str());
                break;
            }
        }
    }
    if (!ok)
        texte_ = avant;
    modifie_ = texte_ != texteFichier_;
    return ok;
}

void CDocumentProfil::remplaceTexte(const std::string& texte)
{
    texte_ = texte;
    modifie_ = texte_ != texteFichier_;
}

bool CDocumentProfil::sauve()
{
    if (fichier_.empty())
        return false;
    if (!modifie_)
        return true;
    CRemplacementFichier remplacement;
    return prepareSauvegarde(remplacement) && publieSauvegarde(remplacement);
}

bool CDocumentProfil::prepareSauvegarde(CRemplacementFichier& remplacement) const
{
    if (!fichier_.empty() && remplacement.prepare(fichier_.c_str(), texte_))
        return true;
    messageErreur("Enregistrement impossible de %s : %s\n", fichier_.c_str(),
                  strerror(fichier_.empty() ? ENOENT : errno));
    return false;
}

bool CDocumentProfil::publieSauvegarde(CRemplacementFichier& remplacement)
{
    bool ok = remplacement.publie();
    int erreur = errno;
    // Whatever happened, the readers look at the file again.
    oublieProfil(fichier_.c_str());
    if (!ok) {
        messageErreur("Enregistrement impossible de %s : %s\n", fichier_.c_str(), strerror(erreur));
        return false;
    }
    texteFichier_ = texte_;
    modifie_ = false;
    present_ = true;
    return true;
}

bool CDocumentProfil::changeSurDisque() const
{
    if (fichier_.empty())
        return false;
    CDocumentProfil disque;
    if (!disque.charge(fichier_.c_str()))
        return true;
    // A copy not written yet keeps its source's text, not the file's.
    return disque.present_ != present_ || (present_ && disque.texteFichier_ != texteFichier_);
}
