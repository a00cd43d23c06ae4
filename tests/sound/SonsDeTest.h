#ifndef CORVANTHELIS_TESTS_SOUND_SONSDETEST_H
#define CORVANTHELIS_TESTS_SOUND_SONSDETEST_H

// Test sounds made on the spot: a 16-bit mono WAV tone written byte by byte,
// and an Ogg Vorbis tone encoded by sox.

#include "support/TestSupport.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace sonsdetest {

inline void ajoute(std::string& s, uint32_t valeur, int octets)
{
    for (int i = 0; i < octets; ++i)
        s.push_back(static_cast<char>((valeur >> (8 * i)) & 0xff));
}

// A 440 Hz sine at 22050 Hz, peak `amplitude`.
inline void ecritWav(const std::string& nom, double secondes, int amplitude = 16000)
{
    const uint32_t frequence = 22050;
    const uint32_t echantillons = static_cast<uint32_t>(secondes * frequence);
    std::string donnees;
    for (uint32_t i = 0; i < echantillons; ++i) {
        double v = amplitude * std::sin(2.0 * M_PI * 440.0 * i / frequence);
        ajoute(donnees, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v))), 2);
    }
    std::string wav = "RIFF";
    ajoute(wav, 36 + static_cast<uint32_t>(donnees.size()), 4);
    wav += "WAVEfmt ";
    ajoute(wav, 16, 4);
    ajoute(wav, 1, 2);              // PCM
    ajoute(wav, 1, 2);              // mono
    ajoute(wav, frequence, 4);
    ajoute(wav, frequence * 2, 4);  // bytes per second
    ajoute(wav, 2, 2);              // bytes per frame
    ajoute(wav, 16, 2);             // bits per sample
    wav += "data";
    ajoute(wav, static_cast<uint32_t>(donnees.size()), 4);
    testsupport::ecritFichier(nom, wav + donnees);
}

// True when sox wrote the file.
inline bool ecritOgg(const std::string& nom, double secondes)
{
    std::string commande = "sox -n -r 22050 -c 2 '" + nom + "' synth " +
                           std::to_string(secondes) + " sine 440 vol 0.5 2>&1";
    std::string sortie;
    return testsupport::execute(commande, &sortie) == 0 && testsupport::fichierExiste(nom);
}

}

#endif
