// The sound effects: short sounds synthesised in the music's A minor, soft
// and bell-like for the night, written as 16-bit mono WAV, and their list.

#include "Contenu.h"
#include "Outils.h"
#include "game/SchemaActeur.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace gendata {

namespace {

constexpr int kFreq = 22050;
constexpr float kPi2 = 2 * float(M_PI);

float note(int midi) { return 440.f * std::pow(2.f, (midi - 69) / 12.f); }

using Son = std::vector<float>;

Son vide(float secondes) { return Son(size_t(secondes * kFreq), 0.f); }

// Adds f(t) from `debut` seconds on.
void ajoute(Son& s, float debut, const std::function<float(float)>& f) {
    for (size_t i = size_t(debut * kFreq); i < s.size(); ++i) s[i] += f(float(i) / kFreq - debut);
}

// A struck bell: a few inharmonic partials, each fading at its own pace.
void cloche(Son& s, float debut, int midi, float vol, float duree) {
    float f = note(midi);
    ajoute(s, debut, [=](float t) {
        float a = std::min(1.f, t / 0.004f) * std::exp(-t * 4.5f / duree);
        return vol * a * (std::sin(kPi2 * f * t) + 0.4f * std::sin(kPi2 * f * 2.76f * t) * std::exp(-t * 6) +
                          0.2f * std::sin(kPi2 * f * 5.4f * t) * std::exp(-t * 12));
    });
}

// Noise through a one-pole low-pass whose cut-off follows `coupure(t)`.
void souffle(Son& s, float debut, float duree, float vol, const std::function<float(float)>& coupure,
             const std::function<float(float)>& enveloppe, uint64_t graine) {
    CHasard h(graine);
    float y = 0;
    for (size_t i = size_t(debut * kFreq); i < s.size(); ++i) {
        float t = float(i) / kFreq - debut;
        if (t > duree) break;
        float k = 1 - std::exp(-kPi2 * coupure(t) / kFreq);
        y += k * (float(h.entre(-1, 1)) - y);
        s[i] += vol * enveloppe(t) * y;
    }
}

// A tone gliding from f0 to f1 with a soft square-ish timbre.
void glisse(Son& s, float debut, float duree, float f0, float f1, float vol) {
    float phase = 0;
    for (size_t i = size_t(debut * kFreq); i < s.size(); ++i) {
        float t = float(i) / kFreq - debut;
        if (t > duree) break;
        float f = f0 * std::pow(f1 / f0, t / duree);
        phase += kPi2 * f / kFreq;
        float a = std::min(1.f, t / 0.01f) * (1 - t / duree);
        s[i] += vol * a * (std::sin(phase) + 0.25f * std::sin(3 * phase) + 0.1f * std::sin(5 * phase));
    }
}

// Normalised to the peak `crete`: frequent sounds stay soft beside rare ones.
void ecritWav(const std::string& chemin, Son s, float crete0) {
    float crete = 1e-6f;
    for (float v : s) crete = std::max(crete, std::fabs(v));
    // A short fade at the end leaves no click.
    size_t fondu = std::min<size_t>(s.size(), kFreq / 100);
    for (size_t i = 0; i < fondu; ++i) s[s.size() - 1 - i] *= float(i) / fondu;
    std::vector<uint8_t> o;
    auto u32 = [&](uint32_t v) { for (int k = 0; k < 4; ++k) o.push_back(uint8_t(v >> (8 * k))); };
    auto u16 = [&](uint16_t v) { o.push_back(uint8_t(v)); o.push_back(uint8_t(v >> 8)); };
    uint32_t donnees = uint32_t(s.size() * 2);
    o.insert(o.end(), {'R', 'I', 'F', 'F'}); u32(36 + donnees);
    o.insert(o.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}); u32(16);
    u16(1); u16(1); u32(kFreq); u32(kFreq * 2); u16(2); u16(16);
    o.insert(o.end(), {'d', 'a', 't', 'a'}); u32(donnees);
    for (float v : s) u16(uint16_t(int16_t(std::lround(v / crete * crete0 * 32767))));
    ecritOctets(chemin, o.data(), o.size());
}

}

void genereEffets() {
    struct Effet { const char* nom; Son son; float crete; };
    std::vector<Effet> effets;
    auto cree = [&](const char* nom, float secondes, float crete, const std::function<void(Son&)>& f) {
        Son s = vide(secondes);
        f(s);
        effets.push_back({nom, s, crete});
    };
    cree("frappe", 0.26f, 0.55f, [](Son& s) {  // the blade's swish
        souffle(s, 0, 0.26f, 1, [](float t) { return 700 + 5000 * std::sin(float(M_PI) * t / 0.26f); },
                [](float t) { return std::sin(float(M_PI) * std::min(1.f, t / 0.26f)); }, 11);
    });
    cree("touche", 0.3f, 0.8f, [](Son& s) {   // a hit: a thud and a glassy ring
        glisse(s, 0, 0.12f, 220, 90, 0.7f);
        souffle(s, 0, 0.05f, 0.6f, [](float) { return 3000.f; }, [](float t) { return 1 - t / 0.05f; }, 12);
        cloche(s, 0.01f, 88, 0.3f, 0.25f);
    });
    cree("blessure", 0.45f, 0.65f, [](Son& s) {  // the hero hurt: a falling minor third
        glisse(s, 0, 0.2f, note(57), note(54), 0.6f);
        glisse(s, 0.16f, 0.28f, note(54), note(45), 0.6f);
        souffle(s, 0, 0.08f, 0.3f, [](float) { return 1800.f; }, [](float t) { return 1 - t / 0.08f; }, 13);
    });
    cree("mort", 0.8f, 0.8f, [](Son& s) {  // a creature fades: an airy sigh, a low bell
        souffle(s, 0, 0.8f, 0.8f, [](float t) { return 2400 * (1 - t) + 200; }, [](float t) { return std::min(1.f, t / 0.05f) * (1 - t / 0.8f); }, 14);
        cloche(s, 0, 57, 0.4f, 0.7f);
        cloche(s, 0.08f, 52, 0.3f, 0.6f);
    });
    cree("lueur", 0.6f, 0.8f, [](Son& s) {  // a light taken: two rising bell notes
        cloche(s, 0, 81, 0.5f, 0.4f);
        cloche(s, 0.07f, 88, 0.45f, 0.5f);
    });
    cree("saut", 0.16f, 0.35f, [](Son& s) { glisse(s, 0, 0.16f, 260, 520, 0.35f); });
    cree("atterrissage", 0.14f, 0.45f, [](Son& s) {
        souffle(s, 0, 0.14f, 1, [](float) { return 500.f; }, [](float t) { return std::exp(-t * 30); }, 15);
        glisse(s, 0, 0.08f, 120, 70, 0.4f);
    });
    cree("fin", 2.6f, 0.8f, [](Son& s) {  // A minor rising to a bright A major chord
        const int notes[] = {69, 72, 76, 81};
        for (int i = 0; i < 4; ++i) cloche(s, i * 0.22f, notes[i], 0.4f, 1.2f);
        for (int m : {69, 73, 76, 81, 85}) cloche(s, 0.95f, m, 0.25f, 1.6f);
    });
    cree("grognement", 0.55f, 0.6f, [](Son& s) {  // the wolf's growl before the charge
        CHasard h(16);
        float phase = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            float t = float(i) / kFreq;
            phase += kPi2 * (85 + 10 * std::sin(t * 30)) / kFreq;
            float v = std::fmod(phase / kPi2, 1.f) * 2 - 1 + 0.3f * float(h.entre(-1, 1));
            s[i] = v * (0.6f + 0.4f * std::sin(kPi2 * 22 * t)) * std::min(1.f, t / 0.08f) * (1 - t / 0.55f) * 0.5f;
        }
        souffle(s, 0, 0.55f, 0.4f, [](float) { return 900.f; }, [](float t) { return 1 - t / 0.55f; }, 17);
    });
    cree("cri", 0.3f, 0.45f, [](Son& s) {  // the bat's squeaks
        glisse(s, 0, 0.07f, 2600, 1900, 0.4f);
        glisse(s, 0.12f, 0.08f, 2800, 2000, 0.35f);
    });
    cree("souffle", 0.7f, 0.5f, [](Son& s) {  // the wisp's whisper
        souffle(s, 0, 0.7f, 1, [](float t) { return 1200 + 900 * std::sin(t * 14); }, [](float t) { return std::sin(float(M_PI) * t / 0.7f); }, 18);
        cloche(s, 0.05f, 93, 0.12f, 0.5f);
    });
    cree("coassement", 0.5f, 0.55f, [](Son& s) {  // the toad's croak: two throaty pulses
        for (float d : {0.f, 0.2f}) {
            float phase = 0;
            for (size_t i = size_t(d * kFreq); i < s.size(); ++i) {
                float t = float(i) / kFreq - d;
                if (t > 0.18f) break;
                phase += kPi2 * (120 - 40 * t) / kFreq;
                float v = std::fmod(phase / kPi2, 1.f) < 0.3f ? 1.f : -0.4f;
                s[i] += v * std::sin(float(M_PI) * t / 0.18f) * (0.6f + 0.4f * std::sin(kPi2 * 34 * t)) * 0.5f;
            }
        }
        souffle(s, 0, 0.4f, 0.3f, [](float) { return 700.f; }, [](float t) { return std::exp(-t * 8); }, 19);
    });
    cree("grondement", 0.9f, 0.6f, [](Son& s) {  // the boulder set rolling: a low rumble and knocks
        souffle(s, 0, 0.9f, 1, [](float t) { return 160 + 80 * std::sin(t * 9); }, [](float t) { return std::min(1.f, t / 0.1f) * (1 - t / 0.9f); }, 20);
        for (float d : {0.05f, 0.31f, 0.58f})
            ajoute(s, d, [](float t) { return std::sin(kPi2 * (70 + 60 * std::exp(-t * 25)) * t) * std::exp(-t * 14) * 0.5f; });
    });
    cree("lanterne", 0.95f, 0.55f, [](Son& s) {  // a lantern lit: a warm breath and an open fifth
        souffle(s, 0, 0.35f, 0.4f, [](float t) { return 500 + 2500 * t; }, [](float t) { return std::sin(float(M_PI) * t / 0.35f); }, 21);
        cloche(s, 0.1f, 69, 0.3f, 0.8f);
        cloche(s, 0.16f, 76, 0.25f, 0.8f);
    });

    creeDossiers("./data/sons");
    CFichierProfil liste;
    liste.section("Entete");
    liste.cle(schemaActeur::NombreSons.nom, long(effets.size()));
    for (size_t i = 0; i < effets.size(); ++i) {
        std::string fichier = std::string("./data/sons/") + effets[i].nom + ".wav";
        ecritWav(fichier, effets[i].son, effets[i].crete);
        liste.section("Son" + std::to_string(i + 1));
        liste.cle(schemaActeur::NomSon.nom, effets[i].nom);
        liste.cle(schemaActeur::FichierSon.nom, fichier);
    }
    liste.ecrit("./data/sons/effets.ini");
}

}
