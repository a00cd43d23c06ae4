// The browser's mixer, linked directly. It lacks what the sound manager asks
// of SDL_mixer: whether the device is open, which sound a channel plays and
// positioned sound; this file keeps them. Its music halt also calls the
// music-finished hook, which halts the music again, and a channel's halt its
// channel-finished hook: neither hook is let back in while a halt runs.

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>

#undef Mix_OpenAudio
#undef Mix_CloseAudio
#undef Mix_PlayChannelTimed
#undef Mix_Volume
#undef Mix_HookMusicFinished
#undef Mix_HaltMusic
#undef Mix_HaltChannel

namespace {

const int CANAUX_MAX = 256;

bool ouvert = false;
int frequenceOuverte = 0;
Uint16 formatOuvert = 0;
int canauxOuverts = 0;
Mix_Chunk* sons[CANAUX_MAX];
int volumes[CANAUX_MAX];
bool volumesLus = false;
void (*crochetMusique)() = nullptr;
bool arretEnCours = false;
bool arretCanalEnCours = false;

bool canalValide(int canal)
{
    return canal >= 0 && canal < CANAUX_MAX;
}

void musiqueFinie()
{
    if (!arretEnCours && crochetMusique)
        crochetMusique();
}

// The browser's first stream handle is 0, which reads as failure: it is
// taken once here so that every file opened later gets a real one.
struct ReserveFlux {
    ReserveFlux()
    {
        static const char octet = 0;
        SDL_RWFromConstMem(&octet, 1);
    }
} reserveFlux;

} // namespace

int ouvreMixerWeb(int frequence, Uint16 format, int canaux, int octets)
{
    if (Mix_OpenAudio(frequence, format, canaux, octets) != 0)
        return -1;
    ouvert = true;
    frequenceOuverte = frequence;
    formatOuvert = format;
    canauxOuverts = canaux;
    return 0;
}

void fermeMixerWeb()
{
    if (!ouvert)
        return;
    Mix_CloseAudio();
    ouvert = false;
    for (Mix_Chunk*& s : sons)
        s = nullptr;
}

int joueCanalWeb(int canal, Mix_Chunk* son, int boucles, int ticks)
{
    int pris = Mix_PlayChannelTimed(canal, son, boucles, ticks);
    if (canalValide(pris))
        sons[pris] = son;
    return pris;
}

int volumeCanalWeb(int canal, int volume)
{
    if (!volumesLus) {
        for (int& v : volumes)
            v = MIX_MAX_VOLUME;
        volumesLus = true;
    }
    if (volume >= 0) {
        if (canal == -1)
            for (int& v : volumes)
                v = volume;
        else if (canalValide(canal))
            volumes[canal] = volume;
    }
    return Mix_Volume(canal, volume);
}

extern "C" {

int Mix_QuerySpec(int* frequence, Uint16* format, int* canaux)
{
    if (!ouvert)
        return 0;
    if (frequence)
        *frequence = frequenceOuverte;
    if (format)
        *format = formatOuvert;
    if (canaux)
        *canaux = canauxOuverts;
    return 1;
}

// The browser's mixer reads a stream whole when the music is loaded.
Mix_Music* Mix_LoadMUSType_RW(SDL_RWops* flux, Mix_MusicType, int libere)
{
    Mix_Music* musique = Mix_LoadMUS_RW(flux);
    if (libere && flux)
        SDL_FreeRW(flux);
    return musique;
}

Mix_Chunk* Mix_GetChunk(int canal)
{
    return canalValide(canal) ? sons[canal] : nullptr;
}

// Angle as a pan between the speakers, distance as a fall in volume from
// the channel's own.
int Mix_SetPosition(int canal, Sint16 angle, Uint8 distance)
{
    if (!ouvert || !canalValide(canal))
        return 0;
    const double cote = std::sin(angle * M_PI / 180.0);
    const int droite = static_cast<int>(255 * (cote > 0 ? 1.0 : 1.0 + cote));
    const int gauche = static_cast<int>(255 * (cote < 0 ? 1.0 : 1.0 - cote));
    Mix_SetPanning(canal, static_cast<Uint8>(gauche), static_cast<Uint8>(droite));
    const int base = volumesLus ? volumes[canal] : MIX_MAX_VOLUME;
    Mix_Volume(canal, base * (255 - distance) / 255);
    return 1;
}

} // extern "C"

void crochetMusiqueWeb(void (*crochet)())
{
    crochetMusique = crochet;
    Mix_HookMusicFinished(crochet ? musiqueFinie : nullptr);
}

// The same for a channel: its halt calls the channel-finished hook, whose
// halt of a channel that no longer plays would call it again.
int arreteCanalWeb(int canal)
{
    if (arretCanalEnCours)
        return 0;
    arretCanalEnCours = true;
    int resultat = Mix_HaltChannel(canal);
    arretCanalEnCours = false;
    return resultat;
}

int arreteMusiqueWeb()
{
    if (arretEnCours)
        return 0;
    arretEnCours = true;
    int resultat = Mix_HaltMusic();
    arretEnCours = false;
    return resultat;
}
