#include "editeur/MiseEnPage.h"

#include <algorithm>

namespace editeur {

namespace {

// The end of the UTF-8 character starting at `i`.
size_t finCaractere(const std::string& t, size_t i)
{
    ++i;
    while (i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

}

std::vector<std::string> coupeLignes(const std::string& texte, int largeurMax,
                                     const std::function<int(const std::string&)>& largeur,
                                     const std::string& retrait)
{
    std::vector<std::string> lignes;
    std::string ligne;
    size_t i = 0;
    while (i < texte.size()) {
        while (i < texte.size() && texte[i] == ' ')
            ++i;
        size_t fin = texte.find(' ', i);
        if (fin == std::string::npos)
            fin = texte.size();
        if (fin == i)
            break;
        const std::string mot = texte.substr(i, fin - i);
        const std::string essai = ligne.empty() ? (lignes.empty() ? mot : retrait + mot) : ligne + ' ' + mot;
        if (largeur(essai) <= largeurMax) {
            ligne = essai;
            i = fin;
            continue;
        }
        if (!ligne.empty()) {
            lignes.push_back(ligne);
            ligne.clear();
            continue;
        }
        // A word wider than a line alone: as many characters as fit, at
        // least one so that the cutting always moves on.
        std::string debut = lignes.empty() ? "" : retrait;
        size_t j = i;
        while (j < fin) {
            size_t k = finCaractere(texte, j);
            if (j > i && largeur(debut + texte.substr(i, k - i)) > largeurMax)
                break;
            j = k;
        }
        lignes.push_back(debut + texte.substr(i, j - i));
        i = j;
    }
    if (!ligne.empty() || lignes.empty())
        lignes.push_back(ligne);
    return lignes;
}

bool cadreVisible(const unsigned char* rgba, int largeur, int hauteur, int pas, int seuil, Rect& r,
                  int* alphaMax)
{
    int x0 = largeur, y0 = hauteur, x1 = -1, y1 = -1, plusFort = 0;
    for (int y = 0; y < hauteur; ++y) {
        const unsigned char* ligne = rgba + static_cast<long>(y) * pas;
        for (int x = 0; x < largeur; ++x)
            if (ligne[4 * x + 3] > seuil) {
                plusFort = std::max<int>(plusFort, ligne[4 * x + 3]);
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    }
    if (alphaMax)
        *alphaMax = plusFort;
    if (x1 < 0)
        return false;
    r.x = x0;
    r.y = y0;
    r.largeur = x1 - x0 + 1;
    r.hauteur = y1 - y0 + 1;
    return true;
}

int zoomAjuste(int l, int h, int cote, int zoomMax)
{
    if (l <= 0 || h <= 0)
        return 100;
    return std::max(1, std::min(zoomMax, std::min(cote * 100 / l, cote * 100 / h)));
}

}
