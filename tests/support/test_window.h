// test_window.h -- starts SDL and the program's one window, once, for a test program
#pragma once

#include <cstdlib>
#include <vector>

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

// Every message waiting in the queue, in the order taken. Paint messages are dispatched, which
// validates the window; the count is bounded so that a message that kept coming back shows as
// a failure rather than a hang.
inline std::vector<UINT> TakeMessages()
{
    std::vector<UINT> taken;
    MSG msg;
    while (taken.size() < 100 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(msg.message);
        if (msg.message == WM_PAINT)
            DispatchMessageA(&msg);
    }
    return taken;
}

// How many messages of one kind are waiting; they and the rest are taken off the queue.
inline int TakeMessagesOf(UINT message)
{
    int n = 0;
    for (UINT taken : TakeMessages())
        n += taken == message;
    return n;
}
