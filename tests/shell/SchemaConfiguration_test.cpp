// config.ini's readers and the data checker agree on every key's limits: a
// value the game reads without a word is one the checker lets pass, and a
// value the game complains about is one the checker reports as an error.

#include "foundation/IndexProfil.h"
#include "foundation/Messages.h"
#include "game/Controles.h"
#include "shell/CEngineGL.h"
#include "shell/SchemaConfiguration.h"
#include "support/TestSupport.h"
#include "verification/Verificateur.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

namespace sc = schemaConfiguration;

// One file through the game's reader and through the checker.
struct Verdict {
    std::string messages;  // what the reader said on standard error
    std::string erreurs;   // the checker's errors, one a line
};

Verdict essaie(const std::string& fichier, const std::string& contenu, const std::function<void()>& lis,
               const std::function<void(CVerificateur&)>& verifie)
{
    testsupport::ecritFichier(fichier, contenu);
    oublieProfil(fichier.c_str());
    Verdict v;
    {
        CCaptureMessages capture;
        lis();
        v.messages = capture.erreurs;
    }
    CRapport rapport;
    CVerificateur verificateur(rapport);
    verifie(verificateur);
    for (const Probleme& p : rapport.problemes())
        if (p.gravite == Erreur)
            v.erreurs += p.message + "\n";
    return v;
}

// Every key at its default, but `cle`, written `valeur`.
std::string configuration(const char* cle = "", const std::string& valeur = "")
{
    std::string t;
    auto section = [&](const char* nom, const sc::CleConfiguration* table, int n) {
        t += std::string("[") + nom + "]\n";
        for (int k = 0; k < n; ++k) {
            const DefCle& d = table[k].def;
            std::string texte = d.type == Texte ? table[k].texteDefaut : std::to_string(d.defaut);
            t += std::string(d.nom) + "=" + (d.nom == std::string(cle) ? valeur : texte) + "\n";
        }
    };
    section(sc::SectionVideo, sc::TableVideo, sc::NombreClesVideo);
    section(sc::SectionControles, sc::TableControles, sc::NombreClesControles);
    return t;
}

Verdict essaieConfiguration(const std::string& contenu)
{
    return essaie(sc::Fichier, contenu, [] { CEngineGL lue; lisControles(); },
                  [](CVerificateur& v) { v.verifieConfiguration(sc::Fichier); });
}

void compareLimites(const sc::CleConfiguration* table, int n)
{
    for (int k = 0; k < n; ++k) {
        const DefCle& d = table[k].def;
        std::vector<std::string> valeurs = {"abc"};
        if (d.type == Texte)
            valeurs.insert(valeurs.end(), {"a", "escape", "left shift"});
        else
            for (long v : {d.min - 1, d.min, d.max, d.max + 1})
                valeurs.push_back(std::to_string(v));
        for (const std::string& valeur : valeurs) {
            Verdict v = essaieConfiguration(configuration(d.nom, valeur));
            EXPECT_EQ(v.messages.empty(), v.erreurs.empty())
                << d.nom << "=" << valeur << "\nlecteur : " << v.messages << "\nvérificateur : " << v.erreurs;
        }
    }
}

TEST(SchemaConfiguration, ReadersComplainExactlyWhereTheCheckerReportsAnError)
{
    testsupport::DossierTemporaire dossier;
    Verdict defauts = essaieConfiguration(configuration());
    EXPECT_EQ(defauts.messages, "");
    EXPECT_EQ(defauts.erreurs, "");
    compareLimites(sc::TableVideo, sc::NombreClesVideo);
    compareLimites(sc::TableControles, sc::NombreClesControles);

    // A key left to two actions: both play, the reader says so, the checker too.
    Verdict doublon = essaieConfiguration(configuration("Saut", "left"));
    EXPECT_NE(doublon.messages, "");
    EXPECT_EQ(doublon.erreurs, "[CONTROLES] : la touche left sert à Gauche et à Saut : les deux jouent\n");
}

TEST(SchemaConfiguration, OutOfRangeValuesAreReportedAndBroughtIntoRange)
{
    testsupport::DossierTemporaire dossier;
    testsupport::ecritFichier(sc::Fichier, "[VIDEO]\nVolumeMusique=150\nResolutionHorizontale=20000\n"
                                           "VSync=2\nIntro=x\n");
    CCaptureMessages capture;
    CEngineGL c;
    EXPECT_EQ(c.volumeMusique, 100);
    EXPECT_EQ(c.resolutionHorizontale, 16384);
    EXPECT_TRUE(c.vSync);
    EXPECT_FALSE(c.intro); // read as atoi reads it, as the checker says
    EXPECT_EQ(capture.erreurs,
              "Valeur hors limites pour ResolutionHorizontale dans config.ini : 20000 (de 0 à 16384)\n"
              "Valeur hors limites pour VSync dans config.ini : 2 (de 0 à 1)\n"
              "Valeur hors limites pour VolumeMusique dans config.ini : 150 (de 0 à 100)\n"
              "Valeur non entière pour Intro dans config.ini : « x »\n");
}

} // namespace
