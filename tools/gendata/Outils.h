// Small helpers shared by every part of the content generator: a seeded
// random source, value noise, and the profile-file writer.
//
// Everything here is deterministic: the same seed gives the same numbers on
// every run and every machine, so generated files are byte-identical.

#ifndef GENDATA_OUTILS_H
#define GENDATA_OUTILS_H

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace gendata {

// xorshift64*: tiny, fast and identical everywhere (unlike the standard
// distributions, whose algorithms are left to each library).
class CHasard {
public:
    explicit CHasard(uint64_t graine) : etat_(graine * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t suivant() {
        etat_ ^= etat_ >> 12; etat_ ^= etat_ << 25; etat_ ^= etat_ >> 27;
        return etat_ * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [0, 1).
    double unite() { return (suivant() >> 11) * (1.0 / 9007199254740992.0); }
    double entre(double a, double b) { return a + (b - a) * unite(); }
    int entier(int a, int b) { return a + int(unite() * (b - a + 1)); } // a..b
private:
    uint64_t etat_;
};

// Integer hash used by the noise functions.
inline uint32_t hache(int32_t x, int32_t y, uint32_t graine) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + graine * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}
inline float alea01(int32_t x, int32_t y, uint32_t graine) { return (hache(x, y, graine) & 0xFFFFFF) / 16777216.0f; }

inline float lisse(float t) { return t * t * (3 - 2 * t); }
inline float melangeLin(float a, float b, float t) { return a + (b - a) * t; }
inline float borne(float v, float a = 0, float b = 1) { return v < a ? a : (v > b ? b : v); }

// Value noise in 1D and 2D. A positive period makes the noise repeat in x
// every `periode` lattice cells, which is what seamless tiles need.
float bruit1(float x, uint32_t graine, int periode = 0);
float bruit2(float x, float y, uint32_t graine, int periode = 0);
// Sums of octaves, each twice as fine and half as strong; result about 0..1.
float fbm1(float x, uint32_t graine, int octaves, int periode = 0);
float fbm2(float x, float y, uint32_t graine, int octaves, int periode = 0);

// Writes a profile text file section by section. Refuses (aborts the
// generator) a header that an earlier header would shadow, because the
// game's reader opens the first header that begins with the wanted name.
class CFichierProfil {
public:
    void section(const std::string& nom);
    void cle(const std::string& nom, const std::string& valeur);
    void cle(const std::string& nom, long valeur) { cle(nom, std::to_string(valeur)); }
    void commentaire(const std::string& texte);
    void ligneVide() { texte_ += "\n"; }
    void ecrit(const std::string& chemin) const;
    const std::string& texte() const { return texte_; }
private:
    std::vector<std::string> sections_;
    std::string texte_;
};

// Creates every folder of `chemin` (like mkdir -p).
void creeDossiers(const std::string& chemin);
// Creates the folders that will hold the file `chemin`.
void creeDossierParent(const std::string& chemin);
// Opens `chemin` for binary writing after creating its folders; aborts the
// generator when it can't.
std::FILE* ouvreEnEcriture(const std::string& chemin);
// Writes bytes to a file, aborting the generator on failure.
void ecritOctets(const std::string& chemin, const void* donnees, size_t taille);
// Stops the generator with one clear line on standard error.
[[noreturn]] void echec(const std::string& message);

}

#endif
