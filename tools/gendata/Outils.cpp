#include "Outils.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace gendata {

void echec(const std::string& message) {
    std::fprintf(stderr, "gendata: %s\n", message.c_str());
    std::exit(1);
}

static int enveloppe(int i, int periode) {
    if (periode <= 0) return i;
    int r = i % periode;
    return r < 0 ? r + periode : r;
}

float bruit1(float x, uint32_t graine, int periode) {
    int i = int(std::floor(x));
    float t = lisse(x - i);
    return melangeLin(alea01(enveloppe(i, periode), 0, graine), alea01(enveloppe(i + 1, periode), 0, graine), t);
}

float bruit2(float x, float y, uint32_t graine, int periode) {
    int i = int(std::floor(x)), j = int(std::floor(y));
    float tx = lisse(x - i), ty = lisse(y - j);
    int i0 = enveloppe(i, periode), i1 = enveloppe(i + 1, periode);
    float a = melangeLin(alea01(i0, j, graine), alea01(i1, j, graine), tx);
    float b = melangeLin(alea01(i0, j + 1, graine), alea01(i1, j + 1, graine), tx);
    return melangeLin(a, b, ty);
}

float fbm1(float x, uint32_t graine, int octaves, int periode) {
    float somme = 0, poids = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        somme += poids * bruit1(x, graine + o * 101, periode);
        total += poids;
        x *= 2; periode *= 2; poids *= 0.5f;
    }
    return somme / total;
}

float fbm2(float x, float y, uint32_t graine, int octaves, int periode) {
    float somme = 0, poids = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        somme += poids * bruit2(x, y, graine + o * 101, periode);
        total += poids;
        x *= 2; y *= 2; periode *= 2; poids *= 0.5f;
    }
    return somme / total;
}

void CFichierProfil::section(const std::string& nom) {
    for (const std::string& avant : sections_)
        if (avant.compare(0, nom.size(), nom) == 0)
            echec("la section [" + nom + "] serait masquée par [" + avant + "]");
    sections_.push_back(nom);
    texte_ += "[" + nom + "]\n";
}

void CFichierProfil::cle(const std::string& nom, const std::string& valeur) {
    std::string ligne = nom + "=" + valeur + "\n";
    // The sprite loader reads names through a 20-byte buffer: the whole
    // line, break included, must fit in 19 characters or the name is cut.
    if (nom == "nomAnim" && ligne.size() > 19) echec("nom d'animation trop long: " + valeur);
    if (ligne.size() > 99) echec("ligne trop longue: " + nom);
    texte_ += ligne;
}

void CFichierProfil::commentaire(const std::string& texte) { texte_ += ";" + texte + "\n"; }

void CFichierProfil::ecrit(const std::string& chemin) const { ecritOctets(chemin, texte_.data(), texte_.size()); }

void creeDossiers(const std::string& chemin) {
    for (size_t i = 1; i <= chemin.size(); ++i) {
        if (i == chemin.size() || chemin[i] == '/') {
            std::string partie = chemin.substr(0, i);
            if (mkdir(partie.c_str(), 0755) != 0 && errno != EEXIST)
                echec("impossible de créer " + partie + ": " + std::strerror(errno));
        }
    }
}

void creeDossierParent(const std::string& chemin) {
    size_t barre = chemin.rfind('/');
    if (barre != std::string::npos && barre > 0) creeDossiers(chemin.substr(0, barre));
}

std::FILE* ouvreEnEcriture(const std::string& chemin) {
    creeDossierParent(chemin);
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) echec("impossible d'écrire " + chemin);
    return f;
}

void ecritOctets(const std::string& chemin, const void* donnees, size_t taille) {
    std::FILE* f = ouvreEnEcriture(chemin);
    bool ok = std::fwrite(donnees, 1, taille, f) == taille;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) echec("écriture incomplète de " + chemin);
}

}
