#include "game/Records.h"

#include "foundation/DocumentProfil.h"
#include "foundation/FichierDescription.h"
#include "foundation/Messages.h"
#include "game/SchemaParcours.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace sr = schemaParcours::records;

const RecordNiveau* CRecords::cherche(const std::string& fichier) const
{
    for (const RecordNiveau& r : niveaux)
        if (r.fichier == fichier)
            return &r;
    return nullptr;
}

bool CRecords::termine(const std::string& fichier) const
{
    const RecordNiveau* r = cherche(fichier);
    return r && r->termine;
}

Ameliorations CRecords::compare(const std::string& fichier, const ResultatNiveau& resultat) const
{
    Ameliorations a;
    const RecordNiveau* r = cherche(fichier);
    const bool premier = !r || !r->termine;
    a.temps = premier || resultat.temps < r->meilleur.temps;
    a.lueurs = resultat.lueurs > (premier ? 0 : r->meilleur.lueurs);
    a.creatures = resultat.creatures > (premier ? 0 : r->meilleur.creatures);
    return a;
}

Ameliorations CRecords::enregistre(const std::string& fichier, const ResultatNiveau& resultat)
{
    Ameliorations a = compare(fichier, resultat);
    RecordNiveau* r = const_cast<RecordNiveau*>(cherche(fichier));
    if (!r) {
        // The file holds so many; the oldest goes first.
        if (niveaux.size() >= static_cast<size_t>(sr::NombreNiveaux.max))
            niveaux.erase(niveaux.begin());
        niveaux.push_back({fichier, false, ResultatNiveau()});
        r = &niveaux.back();
    }
    if (!r->termine)
        r->meilleur = ResultatNiveau();
    r->termine = true;
    if (a.temps)
        r->meilleur.temps = resultat.temps;
    if (a.lueurs)
        r->meilleur.lueurs = resultat.lueurs;
    if (a.creatures)
        r->meilleur.creatures = resultat.creatures;
    return a;
}

std::string texteDuree(uint32_t ms)
{
    uint32_t s = ms / 1000;
    char t[32];
    snprintf(t, sizeof t, "%u:%02u", s / 60, s % 60);
    return t;
}

namespace {

// One integer key as written; false with the reason when it is missing,
// no plain number, or out of the key's range.
bool litEntier(const CDocumentProfil& d, const std::string& section, const DefCle& cle, long& valeur,
               std::string& raison)
{
    std::string texte;
    if (!d.lit(section.c_str(), cle.nom, texte, cle.tampon)) {
        raison = "[" + section + "] " + cle.nom + " absent";
        return false;
    }
    if (!estEntierEcrit(texte)) {
        raison = "[" + section + "] " + cle.nom + " illisible";
        return false;
    }
    valeur = atol(texte.c_str());
    if (valeur < cle.min || valeur > cle.max) {
        raison = "[" + section + "] " + cle.nom + " hors limites";
        return false;
    }
    return true;
}

bool litTout(const CDocumentProfil& d, CRecords& records, std::string& raison)
{
    long version = 0, n = 0;
    if (!litEntier(d, "Entete", sr::Version, version, raison) || !litEntier(d, "Entete", sr::NombreNiveaux, n, raison))
        return false;
    for (long i = 1; i <= n; ++i) {
        const std::string section = "Niveau" + std::to_string(i);
        RecordNiveau r;
        if (!d.lit(section.c_str(), sr::FichierNiveau.nom, r.fichier, sr::FichierNiveau.tampon) || r.fichier.empty()) {
            raison = "[" + section + "] sans fichier";
            return false;
        }
        long termine = 0, temps = 0, lueurs = 0, creatures = 0;
        if (!litEntier(d, section, sr::Termine, termine, raison) || !litEntier(d, section, sr::Temps, temps, raison)
            || !litEntier(d, section, sr::Lueurs, lueurs, raison)
            || !litEntier(d, section, sr::Creatures, creatures, raison))
            return false;
        if (termine && temps <= 0) {
            raison = "[" + section + "] terminé sans temps";
            return false;
        }
        if (records.cherche(r.fichier)) {
            raison = "[" + section + "] " + r.fichier + " en double";
            return false;
        }
        r.termine = termine != 0;
        r.meilleur.temps = static_cast<uint32_t>(temps);
        r.meilleur.lueurs = static_cast<int>(lueurs);
        r.meilleur.creatures = static_cast<int>(creatures);
        records.niveaux.push_back(r);
    }
    // A section past the count means the count was cut short.
    const std::string suivante = "Niveau" + std::to_string(n + 1);
    std::string reste;
    if (d.lit(suivante.c_str(), sr::FichierNiveau.nom, reste, sr::FichierNiveau.tampon)) {
        raison = "nombreNiveaux vaut " + std::to_string(n) + " mais [" + suivante + "] existe";
        return false;
    }
    return true;
}

}

bool litRecords(const char* fichier, CRecords& records)
{
    records.niveaux.clear();
    if (tailleFichier(fichier) < 0) {
        // Missing is no record; anything else there is not ours to move.
        if (access(fichier, F_OK) != 0)
            return true;
        messageErreur("%s illisible : les records repartent de zéro\n", fichier);
        return false;
    }
    CDocumentProfil d;
    std::string raison;
    if (d.charge(fichier) && litTout(d, records, raison))
        return true;
    records.niveaux.clear();
    if (raison.empty())
        return false; // charge() has said why
    const std::string abime = std::string(fichier) + ".abime";
    if (rename(fichier, abime.c_str()) == 0)
        messageErreur("%s abîmé (%s) : mis de côté sous %s, les records repartent de zéro\n", fichier,
                      raison.c_str(), abime.c_str());
    else
        messageErreur("%s abîmé (%s) et impossible à mettre de côté (%s) : les records repartent de zéro\n",
                      fichier, raison.c_str(), strerror(errno));
    return false;
}

bool ecritRecords(const char* fichier, const CRecords& records)
{
    std::vector<SectionNouvelle> sections;
    sections.push_back({"Entete",
                        {{sr::Version.nom, std::to_string(sr::VersionCourante)},
                         {sr::NombreNiveaux.nom, std::to_string(records.niveaux.size())}}});
    for (size_t i = 0; i < records.niveaux.size(); ++i) {
        const RecordNiveau& r = records.niveaux[i];
        sections.push_back({"Niveau" + std::to_string(i + 1),
                            {{sr::FichierNiveau.nom, r.fichier},
                             {sr::Termine.nom, r.termine ? "1" : "0"},
                             {sr::Temps.nom, std::to_string(r.meilleur.temps)},
                             {sr::Lueurs.nom, std::to_string(r.meilleur.lueurs)},
                             {sr::Creatures.nom, std::to_string(r.meilleur.creatures)}}});
    }
    CDocumentProfil d;
    if (!d.charge(fichier))
        return false;
    d.remplaceTexte("");
    if (!d.ajouteSections(nullptr, sections)) {
        messageErreur("Records impossibles à écrire dans %s\n", fichier);
        return false;
    }
    return d.sauve();
}
