// The bound of bench_processus_conversion: a process that only decodes the
// sheet pictures named on its command line, each once, and does nothing
// else (no SDL start, no output file).
#include "render/Decodage.h"

#include <SDL.h>

int main(int argc, char** argv)
{
    int echecs = 0;
    for (int i = 1; i < argc; ++i) {
        SDL_Surface* s = decodeFichierImage(argv[i]);
        echecs += s == nullptr;
        SDL_FreeSurface(s);
    }
    return echecs == 0 ? 0 : 1;
}
