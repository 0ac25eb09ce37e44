// entry.h -- the entry's window and instance handles, and the window procedure
#pragma once

#include "platform/winuser.h"

// The one window; set once, before GameStart, and never cleared.
extern HWND mainWindow;
// The instance handle WinMain was given; set with mainWindow.
extern HINSTANCE appInstance;

// Answers WM_DESTROY by asking the loop to quit; WM_PAINT only validates the window.
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
