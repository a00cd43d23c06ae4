// The font descriptions, read as render/CTexte.cpp reads them.

#include "verification/Description.h"
#include "verification/Verificateur.h"
#include "render/CTexte.h"

#include <map>

void CVerificateur::verifiePolice(const std::string& chemin)
{
    if (!vus_.insert(chemin).second)
        return;
    CDescription d(rapport_, chemin);
    if (!d.ouverte()) {
        rapport_.erreur(chemin, 0, defautFichier(chemin) + " : ce texte ne s'affiche pas");
        return;
    }
    ValeursSection entete = d.litSection("Entete", schemaPolice::entete);
    const ValeurLue& planche = entete[schemaPolice::PathPlanche.nom];
    EtatMedia feuille;
    if (planche.trouvee)
        feuille = verifieImage(planche.texte, chemin, planche.ligne);
    long nb = entete[schemaPolice::NombreGlyphes.nom].entier;
    if (nb < 0 || nb > CTexte::NB_GLYPHES_MAX)
        nb = 0;
    std::map<long, int> codes; // code -> line
    for (long n = 1; n <= nb; ++n) {
        std::string section = texte("Glyphe%ld", n);
        ValeursSection g = d.litSection(section, schemaPolice::glyphe);
        const ValeurLue& code = g[schemaPolice::Code.nom];
        auto deja = codes.find(code.entier);
        if (deja != codes.end())
            rapport_.erreur(chemin, code.ligne,
                            texte("[%s] : caractère %ld déjà décrit ligne %d : le jeu garde le premier",
                                  section.c_str(), code.entier, deja->second));
        else
            codes[code.entier] = code.ligne;
        long x = g[schemaPolice::X.nom].entier, y = g[schemaPolice::Y.nom].entier, w = g[schemaPolice::Largeur.nom].entier, h = g[schemaPolice::Hauteur.nom].entier;
        if (feuille.lisible && w > 0 && h > 0 && (x < 0 || y < 0 || x + w > feuille.largeur || y + h > feuille.hauteur))
            rapport_.erreur(chemin, g[schemaPolice::X.nom].ligne > 0 ? g[schemaPolice::X.nom].ligne : g[schemaPolice::Largeur.nom].ligne,
                            texte("[%s] : rectangle %ld, %ld, %ld × %ld hors de la planche %s (%d × %d) : le "
                                  "glyphe ne se dessine pas",
                                  section.c_str(), x, y, w, h, planche.texte.c_str(), feuille.largeur,
                                  feuille.hauteur));
    }
    if (nb > 0 && !codes.count(CARACTERE_REMPLACEMENT))
        rapport_.avertissement(chemin, 0, "pas de glyphe pour `?` : les caractères absents ne se dessinent pas");
    d.termine([&](const std::string& nom) {
        if (nom.compare(0, 6, "Glyphe") != 0 || nom.size() == 6)
            return std::string();
        return texte("nombreGlyphes vaut %ld", nb);
    });
}
