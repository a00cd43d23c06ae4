#ifndef CORVANTHELIS_VERIFICATION_DESCRIPTION_H
#define CORVANTHELIS_VERIFICATION_DESCRIPTION_H

// Checking one profile file against what its reader asks for. The caller
// reads each section the game reads, with the keys the game looks up
// (litSection), and gets the values the game will get; then termine()
// reports what the game never reads or reads differently from what is
// written: unknown or surplus sections and keys, duplicates, headers shadowed
// by prefix, the unterminated last line, lines cut by the reader's buffers,
// ';' inside a line.

#include "foundation/Schema.h"
#include "verification/Profil.h"
#include "verification/Rapport.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>


struct ValeurLue {
    bool trouvee = false;
    long entier = 0;   // as the game gets it: the value or the default
    std::string texte; // Texte keys
    int ligne = 0;     // where it was read (0: default)
};

using ValeursSection = std::map<std::string, ValeurLue>;

class CDescription {
public:
    CDescription(CRapport& rapport, const std::string& chemin);
    bool ouverte() const { return ouverte_; }
    // Whether a lookup of `nom` finds a section (nothing reported).
    bool aSection(const std::string& nom) const { return profil_.sectionLue(nom) != nullptr; }
    const std::string& chemin() const { return profil_.chemin(); }

    // Section `nom` as the game reads it; problems of its values reported.
    // `present` (optional) says whether a section answered at all.
    // `absentes`: report keys the section lacks (config.ini's are optional).
    ValeursSection litSection(const std::string& nom, const std::vector<DefCle>& cles,
                              bool* present = nullptr, bool absentes = true);

    // The reader's traps and whatever was never read. `raisonEnTrop` tells
    // why a section of a known family is not read ("nombrePlans vaut 5"),
    // or returns "" for a name of no known family.
    void termine(const std::function<std::string(const std::string&)>& raisonEnTrop);

private:
    void verifieValeur(const DefCle& def, const CFichierProfil::Valeur& v, ValeurLue& lu);
    // termine's parts: a section never read, the keys of one that was,
    // then the file line by line.
    void signaleSectionEnTrop(const SectionProfil& s,
                              const std::function<std::string(const std::string&)>& raisonEnTrop);
    void verifieCles(const SectionProfil& s, const std::vector<DefCle>& cles,
                     std::map<int, const DefCle*>& defParLigne);
    void verifieLignes(const std::map<int, const DefCle*>& defParLigne);
    void signaleLigneCoupee(const CFichierProfil::Ligne& l, const DefCle* def);

    CRapport& rapport_;
    CFichierProfil profil_;
    bool ouverte_;
    std::map<int, const std::vector<DefCle>*> lues_; // header line -> keys asked for
    std::vector<std::string> attendues_;             // section names asked for
    std::set<std::string> masquees_;                 // names read under another header
};

#endif
