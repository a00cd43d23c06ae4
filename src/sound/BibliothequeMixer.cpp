// The mixer library, loaded on first use instead of at process start.
//
// Linked directly, it brings some forty more shared libraries (its music
// players pull in a second SDL, glib and sound servers' clients), and
// loading and starting them costs every run of the program more than a
// whole sprite conversion's own work beyond decoding. Only the game's sound
// manager needs it: the functions it uses are defined here and forward to
// the library, opened when the first of them is called. Without the
// library, opening the audio device fails with a message and the game runs
// silent.

#include <SDL.h>
#include <SDL_mixer.h>

#include <dlfcn.h>
#include <mutex>

namespace {

void* bibliotheque()
{
    static void* poignee = nullptr;
    static std::once_flag une;
    std::call_once(une, [] {
        for (const char* nom : {"libSDL_mixer-1.2.so.0", "libSDL_mixer.so"})
            if ((poignee = dlopen(nom, RTLD_NOW | RTLD_LOCAL)) != nullptr)
                break;
    });
    return poignee;
}

template <class F>
F fonction(const char* nom)
{
    void* b = bibliotheque();
    void* f = b ? dlsym(b, nom) : nullptr;
    if (!f)
        SDL_SetError("Bibliothèque SDL_mixer introuvable (%s)", nom);
    return reinterpret_cast<F>(f);
}

}  // namespace

// Each forwarder looks its function up once; without it, the call does
// nothing and gives the library's own failure value.
#define RELAIS(Resultat, nom, parametres, arguments, echec)            \
    extern "C" Resultat SDLCALL nom parametres                          \
    {                                                                   \
        using F = Resultat(SDLCALL*) parametres;                        \
        static const F f = fonction<F>(#nom);                           \
        return f ? f arguments : echec;                                 \
    }
#define RELAIS_VIDE(nom, parametres, arguments)                         \
    extern "C" void SDLCALL nom parametres                              \
    {                                                                   \
        using F = void(SDLCALL*) parametres;                            \
        static const F f = fonction<F>(#nom);                           \
        if (f)                                                          \
            f arguments;                                                \
    }

RELAIS(int, Mix_OpenAudio, (int frequence, Uint16 format, int canaux, int taille),
       (frequence, format, canaux, taille), -1)
RELAIS(int, Mix_AllocateChannels, (int n), (n), 0)
RELAIS(int, Mix_QuerySpec, (int* frequence, Uint16* format, int* canaux), (frequence, format, canaux), 0)
RELAIS(Mix_Chunk*, Mix_LoadWAV_RW, (SDL_RWops * source, int libere), (source, libere), nullptr)
RELAIS(Mix_Music*, Mix_LoadMUS, (const char* fichier), (fichier), nullptr)
RELAIS(Mix_Music*, Mix_LoadMUSType_RW, (SDL_RWops * source, Mix_MusicType type, int libere), (source, type, libere),
       nullptr)
RELAIS_VIDE(Mix_FreeChunk, (Mix_Chunk * chunk), (chunk))
RELAIS_VIDE(Mix_FreeMusic, (Mix_Music * musique), (musique))
RELAIS_VIDE(Mix_HookMusicFinished, (void (*rappel)(void)), (rappel))
RELAIS_VIDE(Mix_ChannelFinished, (void (*rappel)(int)), (rappel))
RELAIS(int, Mix_SetPosition, (int canal, Sint16 angle, Uint8 distance), (canal, angle, distance), 0)
RELAIS(int, Mix_PlayChannelTimed, (int canal, Mix_Chunk* chunk, int boucles, int duree),
       (canal, chunk, boucles, duree), -1)
RELAIS(int, Mix_PlayMusic, (Mix_Music * musique, int boucles), (musique, boucles), -1)
RELAIS(int, Mix_Volume, (int canal, int volume), (canal, volume), 0)
RELAIS(int, Mix_VolumeMusic, (int volume), (volume), 0)
RELAIS(int, Mix_HaltChannel, (int canal), (canal), 0)
RELAIS(int, Mix_HaltMusic, (void), (), 0)
RELAIS_VIDE(Mix_Pause, (int canal), (canal))
RELAIS_VIDE(Mix_Resume, (int canal), (canal))
RELAIS(int, Mix_Paused, (int canal), (canal), 0)
RELAIS_VIDE(Mix_PauseMusic, (void), ())
RELAIS_VIDE(Mix_ResumeMusic, (void), ())
RELAIS(int, Mix_PausedMusic, (void), (), 0)
RELAIS(int, Mix_Playing, (int canal), (canal), 0)
RELAIS(int, Mix_PlayingMusic, (void), (), 0)
RELAIS(Mix_Chunk*, Mix_GetChunk, (int canal), (canal), nullptr)
RELAIS_VIDE(Mix_CloseAudio, (void), ())
