#include "verification/Profil.h"

#include "verification/Medias.h"

bool CFichierProfil::charge(const std::string& chemin)
{
    chemin_ = chemin;
    texte_.clear();
    lignes_.clear();
    index_.clear();
    if (!lisOctets(chemin, texte_))
        return false;

    size_t debut = 0;
    int numero = 1;
    while (debut < texte_.size()) {
        size_t fin = texte_.find('\n', debut);
        bool terminee = fin != std::string::npos;
        std::string texte = texte_.substr(debut, (terminee ? fin : texte_.size()) - debut);
        if (terminee && !texte.empty() && texte.back() == '\r')
            texte.pop_back();
        lignes_.push_back({numero++, texte, terminee});
        debut = terminee ? fin + 1 : texte_.size();
    }
    // Wide enough for the longest line, its "\r\n" and the reader's NUL.
    size_t largeur = 2;
    for (const Ligne& l : lignes_)
        largeur = std::max(largeur, l.texte.size() + 3);
    largeur_ = static_cast<int>(largeur);
    return true;
}

const CIndexProfil& CFichierProfil::index(int taille) const
{
    std::unique_ptr<CIndexProfil>& i = index_[taille];
    if (!i)
        i.reset(new CIndexProfil(texte_, taille));
    return *i;
}

const SectionProfil* CFichierProfil::sectionLue(const std::string& nom) const
{
    // The reader opens its section through its own buffer; headers are short
    // enough that any buffer finds the same one.
    const SectionProfil* s = index(100).trouveSection(nom.c_str());
    if (!s)
        return nullptr;
    for (const SectionProfil& e : sections())
        if (e.ligne == s->ligne)
            return &e;
    return nullptr;
}

CFichierProfil::Valeur CFichierProfil::cherche(const std::string& section, const std::string& cle,
                                               int taille) const
{
    Valeur v;
    const CIndexProfil& i = index(taille);
    const SectionProfil* s = i.trouveSection(section.c_str());
    const CleProfil* k = s ? i.trouveCle(*s, cle.c_str()) : nullptr;
    if (!k)
        return v;
    v.trouvee = true;
    v.ligne = k->ligne;
    // The string reader drops the last character: the line break, or the
    // last one read of a line longer than the buffer.
    v.texte = k->valeur;
    if (!v.texte.empty())
        v.texte.pop_back();
    return v;
}
