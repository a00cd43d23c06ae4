// The music tracks, composed and synthesised here, then encoded with
// libvorbisenc: an intro piece of a little over two minutes that fades out,
// and one loop of about a minute per level whose end runs into its start
// (every note tail and echo that passes the end is folded back onto the
// beginning).
//
// The night: A minor, 80 beats per minute, 3-second bars: a soft pad, a
// plucked bass, a bell-like arpeggio, a flute-like melody and light
// percussion. The marsh at dawn: F major, slow, pad and bells in a wide
// echo, no drums. The pass: D harmonic minor, quicker, a low insistent
// bass and drums, the flute an octave up and sparse.

#include "Contenu.h"
#include "Outils.h"

#include <vorbis/vorbisenc.h>

#include <functional>

#include <cmath>
#include <cstdio>
#include <vector>

namespace gendata {

namespace {

constexpr int kFreq = 22050;
constexpr double kTemps = 60.0 / 80;     // one beat, seconds
constexpr double kMesure = 4 * kTemps;   // one bar
constexpr float kPi2 = 2 * float(M_PI);

float hauteur(int midi) { return 440.f * std::pow(2.f, (midi - 69) / 12.f); }

class CPiste {
public:
    CPiste(double secondes, bool boucle) : s_(size_t(secondes * kFreq), 0.f), boucle_(boucle) {}
    std::vector<float>& echantillons() { return s_; }

    // Adds `n` samples from `f(t)` (t in seconds from the note's start) at
    // time `debut`; a loop folds what passes its end back to the start.
    template <class F> void ajoute(double debut, double duree, F&& f) {
        size_t d = size_t(debut * kFreq), n = size_t(duree * kFreq);
        for (size_t i = 0; i < n; ++i) {
            size_t k = d + i;
            if (k >= s_.size()) { if (!boucle_) break; k %= s_.size(); }
            s_[k] += f(float(i) / kFreq);
        }
    }

    void pad(double debut, double duree, int midi, float vol) {
        float f = hauteur(midi);
        ajoute(debut, duree + 1.5, [=](float t) {
            float env = std::min(1.f, t / 0.8f) * (t > duree ? std::exp(-(t - float(duree)) * 3) : 1.f);
            float v = 0;
            for (int h = 1; h <= 5; ++h) v += (std::sin(kPi2 * f * h * t) + std::sin(kPi2 * f * 1.004f * h * t + h)) / (h * h);
            return v * env * vol * 0.5f;
        });
    }
    void basse(double debut, double duree, int midi, float vol) {
        float f = hauteur(midi);
        ajoute(debut, duree + 0.3, [=](float t) {
            float env = std::exp(-t * 2.2f) * std::min(1.f, t / 0.01f);
            return (std::sin(kPi2 * f * t) + 0.35f * std::sin(kPi2 * 2 * f * t) * std::exp(-t * 6)) * env * vol;
        });
    }
    void cloche(double debut, int midi, float vol) {
        float f = hauteur(midi);
        ajoute(debut, 1.6, [=](float t) {
            float env = std::exp(-t * 3.5f) * std::min(1.f, t / 0.004f);
            return (std::sin(kPi2 * f * t) + 0.3f * std::sin(kPi2 * 2.76f * f * t) * std::exp(-t * 8)) * env * vol;
        });
    }
    void flute(double debut, double duree, int midi, float vol) {
        float f = hauteur(midi);
        ajoute(debut, duree + 0.4, [=](float t) {
            float env = std::min(1.f, t / 0.07f) * (t > duree ? std::exp(-(t - float(duree)) * 9) : 1.f);
            float vib = 1 + 0.004f * std::sin(kPi2 * 5.2f * t) * std::min(1.f, t / 0.4f);
            float ph = kPi2 * f * vib * t;
            return (std::sin(ph) + 0.18f * std::sin(2 * ph) + 0.06f * std::sin(3 * ph)) * env * vol;
        });
    }
    void grosseCaisse(double debut, float vol) {
        ajoute(debut, 0.35, [=](float t) {
            float f = 45 + 70 * std::exp(-t * 30);
            return std::sin(kPi2 * f * t - 0.0f) * std::exp(-t * 9) * vol;
        });
    }
    void charleston(double debut, float vol, uint32_t graine) {
        ajoute(debut, 0.08, [=](float t) {
            // Differenced noise: a crude high-pass.
            int i = int(t * kFreq);
            float n = alea01(i, 1, graine) - alea01(i - 1, 1, graine);
            return n * std::exp(-t * 60) * vol;
        });
    }
    void caisseClaire(double debut, float vol, uint32_t graine) {
        ajoute(debut, 0.25, [=](float t) {
            int i = int(t * kFreq);
            float n = alea01(i, 2, graine) * 2 - 1;
            return (n * 0.7f + std::sin(kPi2 * 185 * t) * 0.5f) * std::exp(-t * 18) * vol;
        });
    }

    // Echoes for the night's space; circular on a loop.
    void echo(double delai, float retour, int repetitions) {
        std::vector<float> sec = s_;
        size_t d = size_t(delai * kFreq);
        for (int r = 1; r <= repetitions; ++r) {
            float g = std::pow(retour, float(r));
            for (size_t i = 0; i < sec.size(); ++i) {
                size_t k = i + d * r;
                if (k >= s_.size()) { if (!boucle_) break; k %= s_.size(); }
                s_[k] += sec[i] * g;
            }
        }
    }

private:
    std::vector<float> s_;
    bool boucle_;
};

struct Accord { int racine; int tierce; int quinte; };
const Accord kGrille[8] = {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}, {57, 60, 64}, {52, 55, 59}, {53, 57, 60}, {52, 56, 59}};
const int kGamme[] = {57, 59, 60, 62, 64, 65, 67, 69, 71, 72, 74, 76};  // A minor, two octaves
// F, A minor, B flat, F, D minor, A minor, B flat, C.
const Accord kGrilleMarais[8] = {{53, 57, 60}, {57, 60, 64}, {58, 62, 65}, {53, 57, 60}, {50, 53, 57}, {57, 60, 64}, {58, 62, 65}, {48, 52, 55}};
const int kGammeMarais[] = {60, 62, 64, 65, 67, 69, 70, 72, 74, 76, 77, 79};
// D minor, B flat, G minor, A, D minor, E flat, G minor, A.
const Accord kGrilleCol[8] = {{50, 53, 57}, {46, 50, 53}, {55, 58, 62}, {57, 61, 64}, {50, 53, 57}, {51, 55, 58}, {55, 58, 62}, {57, 61, 64}};
const int kGammeCol[] = {62, 64, 65, 67, 69, 70, 73, 74, 76, 77, 79, 81};

// A piece's harmony, pace and how loud each layer plays (1: the night's).
struct Style {
    const Accord* grille;
    const int* gamme;
    double temps;   // one beat, seconds
    float pad, basse, cloche, flute, percussion;
    int transpositionFlute;
    float silenceFlute;   // chance that a melody note is left out
};
const Style kNuit = {kGrille, kGamme, kTemps, 1, 1, 1, 1, 1, 0, 0};
const Style kMarais = {kGrilleMarais, kGammeMarais, 60.0 / 66, 1.3f, 0.7f, 1.3f, 0.8f, 0, 0, 0.25f};
const Style kCol = {kGrilleCol, kGammeCol, 60.0 / 96, 0.8f, 1.3f, 0.7f, 0.8f, 1.2f, 12, 0.4f};

// Fills bars [premiere, derniere) of the track. `densite` 0..1 sets how
// many layers play (0: pad alone, 1: everything).
void compose(CPiste& p, int premiere, int derniere, uint32_t graine, const std::function<float(int)>& densite, const Style& st = kNuit) {
    CHasard r(graine);
    const double temps = st.temps, mesure = 4 * st.temps;
    int note = 4;  // index in the scale
    for (int m = premiere; m < derniere; ++m) {
        const Accord& a = st.grille[m % 8];
        double t0 = m * mesure;
        float d = densite(m);
        p.pad(t0, mesure, a.racine, 0.05f * st.pad);
        p.pad(t0, mesure, a.tierce, 0.04f * st.pad);
        p.pad(t0, mesure, a.quinte, 0.04f * st.pad);
        if (d > 0.15f && st.basse > 0) {
            p.basse(t0, temps * 2, a.racine - 12, 0.22f * st.basse);
            p.basse(t0 + 2.5 * temps, temps * 1.5, a.racine - 12, 0.16f * st.basse);
            if (st.basse > 1) p.basse(t0 + 3.5 * temps, temps * 0.5, a.racine - 12, 0.12f * st.basse);
        }
        if (d > 0.3f && st.cloche > 0) {
            const int arp[8] = {a.racine + 12, a.quinte + 12, a.tierce + 12, a.quinte + 12, a.racine + 24, a.quinte + 12, a.tierce + 12, a.quinte};
            for (int i = 0; i < 8; ++i) p.cloche(t0 + i * temps / 2, arp[i], (0.05f + 0.02f * (i % 2 == 0)) * st.cloche);
        }
        if (d > 0.5f && st.percussion > 0) {
            for (int b = 0; b < 4; ++b) {
                if (b % 2 == 0) p.grosseCaisse(t0 + b * temps, 0.3f * st.percussion);
                p.charleston(t0 + (b + 0.5) * temps, 0.06f * st.percussion, graine + m * 8 + b);
                if (b == 3 && m % 2 == 1) p.caisseClaire(t0 + b * temps, 0.09f * st.percussion, graine + m);
            }
        }
        if (d > 0.65f) {
            // Melody: a walk in the scale; strong beats land on chord tones.
            double t = 0;
            const double rythmes[4][4] = {{1, 1, 1.5, 0.5}, {2, 1, 1, 0}, {1.5, 0.5, 1, 1}, {1, 0.5, 0.5, 2}};
            const double* ry = rythmes[r.entier(0, 3)];
            for (int i = 0; i < 4 && ry[i] > 0; ++i) {
                note += r.entier(-2, 2);
                if (note < 0) note = 1;
                if (note > 11) note = 10;
                int midi = st.gamme[note];
                if (i == 0) {  // nearest chord tone
                    int meilleur = midi, ecart = 99;
                    for (int c : {a.racine + 12, a.tierce + 12, a.quinte + 12, a.racine, a.tierce, a.quinte})
                        if (std::abs(c - midi) < ecart) { ecart = std::abs(c - midi); meilleur = c; }
                    midi = meilleur;
                }
                bool tait = st.silenceFlute > 0 && r.unite() < st.silenceFlute;
                if (!(m % 4 == 3 && i == 3) && !tait) p.flute(t0 + t * temps, ry[i] * temps * 0.9, midi + st.transpositionFlute, 0.13f * st.flute);
                t += ry[i];
            }
        }
    }
}

void encode(const std::vector<float>& s, const std::string& chemin) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, kFreq, 0.3f) != 0) echec("encodeur Vorbis indisponible");
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "Corvanthelis");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x4B565452);  // fixed serial: identical files on every run
    std::vector<unsigned char> sortie;
    auto ecritPage = [&](ogg_page& pg) {
        sortie.insert(sortie.end(), pg.header, pg.header + pg.header_len);
        sortie.insert(sortie.end(), pg.body, pg.body + pg.body_len);
    };
    ogg_packet h1, h2, h3;
    vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
    ogg_stream_packetin(&os, &h1);
    ogg_stream_packetin(&os, &h2);
    ogg_stream_packetin(&os, &h3);
    ogg_page pg;
    while (ogg_stream_flush(&os, &pg)) ecritPage(pg);
    const size_t bloc = 4096;
    for (size_t pos = 0;; pos += bloc) {
        size_t n = pos < s.size() ? std::min(bloc, s.size() - pos) : 0;
        if (n) {
            float** tampon = vorbis_analysis_buffer(&vd, int(n));
            for (size_t i = 0; i < n; ++i) tampon[0][i] = s[pos + i];
        }
        vorbis_analysis_wrote(&vd, int(n));
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &pg)) ecritPage(pg);
            }
        }
        if (!n) break;
    }
    while (ogg_stream_flush(&os, &pg)) ecritPage(pg);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    ecritOctets(chemin, sortie.data(), sortie.size());
}

void normalise(std::vector<float>& s, float crete) {
    float m = 1e-6f;
    for (float v : s) m = std::max(m, std::fabs(v));
    for (float& v : s) v = std::tanh(v / m * crete * 1.1f) * 0.95f;  // gentle limiting
}

}

void genereMusique() {
    // Intro: 45 bars (135 s). Layers enter one by one, the whole band from
    // bar 12, a quieter passage in the middle, and a last fade.
    {
        CPiste p(45 * kMesure + 2, false);
        compose(p, 0, 45, 9001, [](int m) {
            if (m < 2) return 0.f;
            if (m < 4) return 0.2f;
            if (m < 8) return 0.4f;
            if (m < 12) return 0.6f;
            if (m >= 28 && m < 32) return 0.4f;
            if (m >= 42) return 0.35f;
            return 1.f;
        });
        p.echo(kTemps * 0.75, 0.35f, 3);
        std::vector<float>& s = p.echantillons();
        normalise(s, 0.8f);
        for (size_t i = 0; i < s.size(); ++i) {
            float t = float(i) / kFreq, fin = float(s.size()) / kFreq;
            s[i] *= std::min(1.f, t / 2.f) * borne((fin - t) / 8.f);
        }
        encode(s, "./data/zic/kvtr_piste_intro.ogg");
    }
    // Level loop: 20 bars (60 s), everything playing but for a breath in
    // bars 8 to 11; the end runs straight into the start.
    {
        CPiste p(20 * kMesure, true);
        compose(p, 0, 20, 9002, [](int m) { return m >= 8 && m < 12 ? 0.6f : 1.f; });
        p.echo(kTemps * 0.75, 0.35f, 3);
        normalise(p.echantillons(), 0.8f);
        encode(p.echantillons(), "./data/zic/kvtr_piste2.ogg");
    }
    // The marsh: 16 slow bars (58 s), the melody only from bar 4 and
    // resting in bars 10 to 13; a long, soft echo for the mist.
    {
        CPiste p(16 * 4 * kMarais.temps, true);
        compose(p, 0, 16, 9003, [](int m) { return m < 4 || (m >= 10 && m < 13) ? 0.45f : 1.f; }, kMarais);
        p.echo(kMarais.temps * 1.5, 0.45f, 4);
        normalise(p.echantillons(), 0.7f);
        encode(p.echantillons(), "./data/zic/marais.ogg");
    }
    // The pass: 24 quicker bars (60 s), drums throughout but for a thinner
    // stretch in bars 12 to 15; a short, hard echo off the rock.
    {
        CPiste p(24 * 4 * kCol.temps, true);
        compose(p, 0, 24, 9004, [](int m) { return m >= 12 && m < 16 ? 0.55f : 1.f; }, kCol);
        p.echo(kCol.temps * 0.5, 0.3f, 2);
        normalise(p.echantillons(), 0.8f);
        encode(p.echantillons(), "./data/zic/col.ogg");
    }
}

}
