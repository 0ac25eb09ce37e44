// startup.cpp -- opening every service at the start of a run and closing them at its end
#include "shell/startup.h"

#include "game/world.h"

HFONT hudFont = nullptr; // the overlay's font

int GameStart(void *)
{
    SetUpCursor();
    return 1;
}

int GameStop(void *)
{
    return 1;
}
