// test_window.h -- starts SDL and the program's one window, once, for a test program
#pragma once

#include <cstdlib>

#include "platform/sdl_window.h"
#include "platform/winuser.h"

inline LRESULT TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// The window lives from the first call to the end of the test program; null without a display.
inline HWND TestWindow()
{
    static HWND window = nullptr;
    static bool tried = false;
    if (tried)
        return window;
    tried = true;
    const char *why = "";
    if (!OpenWindowSystem(&why))
        return nullptr;
    std::atexit(CloseWindowSystem);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.lpszClassName = "ZAFTEST";
    RegisterClassExA(&windowClass);
    window = CreateWindowExA(0, "ZAFTEST", "ZAF", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr,
                             nullptr, nullptr, nullptr);
    return window;
}
