// Level files as fuzz_niveau loads them, then scrolled and drawn a frame
// each way: the sums of scroll ratios, positions and repetitions. OpenGL
// calls without a context do nothing.
#define FUZZ_DESSINE_NIVEAU
#include "niveau.cpp"
