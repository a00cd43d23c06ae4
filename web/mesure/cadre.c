// LD_PRELOAD shim: logs, per presented frame, the monotonic time of the swap
// call (ms) and the process CPU time (ms) at that moment.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
static FILE* journal;
static double ms(clockid_t c) { struct timespec t; clock_gettime(c, &t); return t.tv_sec * 1e3 + t.tv_nsec / 1e6; }
void SDL_GL_SwapBuffers(void)
{
    static void (*vrai)(void);
    if (!vrai) vrai = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    if (!journal) {
        journal = fopen(getenv("CADRE_JOURNAL") ? getenv("CADRE_JOURNAL") : "/tmp/cadre.txt", "w");
        // Line by line: the game is killed, and a cut last line would read
        // as a wrong time.
        setvbuf(journal, NULL, _IOLBF, 0);
    }
    fprintf(journal, "%.3f %.3f\n", ms(CLOCK_MONOTONIC), ms(CLOCK_PROCESS_CPUTIME_ID));
    vrai();
}
