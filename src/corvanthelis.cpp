// Process entry: plays the part of SDL's main wrapper, which SDL 1.2 does not
// provide on Linux.
#include "shell/main.h"

int main(int argc, char** argv)
{
    return lanceProgramme(argc, argv);
}
