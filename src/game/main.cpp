#include "game/main.h"

#include "shell/CEngineGL.h"

// Placeholder until the game loop lands: reads the configuration and returns.
int mainVorna()
{
    config = new CEngineGL();
    return 0;
}
