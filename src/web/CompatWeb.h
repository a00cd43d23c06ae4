#ifndef CORVANTHELIS_WEB_COMPATWEB_H
#define CORVANTHELIS_WEB_COMPATWEB_H

// Included ahead of every source of the browser build (-include): the
// SDL 1.2 names the engine uses that the browser's SDL headers lack.

#include <SDL.h>
#include <SDL_mixer.h>

extern "C" Uint8* SDL_GetKeyState(int* nombre);

// The browser's key codes leave 160-255 free, as SDL 1.2's world keys were.
#define SDLK_WORLD_0 160
#define SDLK_WORLD_95 255

// The browser paces buffer swaps itself and its SDL refuses attributes it
// does not know: the swap interval is asked as one it ignores.
#define SDL_GL_SWAP_CONTROL SDL_GL_RETAINED_BACKING

// SDL 1.2 keeps the colour key in the pixel format. The browser build's
// surfaces are its own (web/SurfacesWeb.cpp) and never reach the browser's
// SDL, so the format code field, unused there, holds the key.
#define colorkey format

inline void SDL_WM_GetCaption(char** titre, char** icone)
{
    if (titre)
        *titre = nullptr;
    if (icone)
        *icone = nullptr;
}

// The browser's mixer tells neither whether it is open nor which sound a
// channel plays: web/MixerWeb.cpp keeps both.
int ouvreMixerWeb(int frequence, Uint16 format, int canaux, int octets);
void fermeMixerWeb();
int joueCanalWeb(int canal, Mix_Chunk* son, int boucles, int ticks);
int volumeCanalWeb(int canal, int volume);
void crochetMusiqueWeb(void (*crochet)());
int arreteMusiqueWeb();
int arreteCanalWeb(int canal);
#define Mix_OpenAudio ouvreMixerWeb
#define Mix_CloseAudio fermeMixerWeb
#define Mix_PlayChannelTimed joueCanalWeb
#define Mix_Volume volumeCanalWeb
#define Mix_HookMusicFinished crochetMusiqueWeb
#define Mix_HaltMusic arreteMusiqueWeb
#define Mix_HaltChannel arreteCanalWeb

#endif
