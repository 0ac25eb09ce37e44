// sdl_window.h -- what the rest of the platform layer may know of the one window (never the program)
#pragma once

#include "platform/wintypes.h"

struct SDL_Window;

// The SDL window behind a window handle, or null for a handle that is not the live window.
SDL_Window *SdlWindowOf(HWND window);

// Starts SDL's video and events; false, with SDL's reason in *why, when there is no display.
bool OpenWindowSystem(const char **why);
// Destroys what the window module made and stops SDL; after WinMain has returned.
void CloseWindowSystem(void);

// The program's window while it is alive, else null.
HWND TheWindow(void);
