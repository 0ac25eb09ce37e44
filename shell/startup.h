// startup.h -- opening every service at the start of a run and closing them at its end
#pragma once

#include "platform/wingdi.h"

// The overlay's font, made at start-up and never deleted.
extern HFONT hudFont;

// Called once by WinMain after the window exists; opens the services and loads the pictures.
int GameStart(void *unused);
// Called once by WinMain after the loop ends; releases the pictures and closes the services.
int GameStop(void *unused);
