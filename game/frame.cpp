// frame.cpp -- one frame of the game
#include "game/frame.h"

#include "shell/clock.h"

int GameFrame(void *)
{
    MarkFrameStart();
    WaitFrameEnd(30);
    return 1;
}
