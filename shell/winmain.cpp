// winmain.cpp -- the program's entry: the window, the message loop and the frame driver
#include "game/frame.h"
#include "platform/wingdi.h"
#include "shell/entry.h"
#include "shell/startup.h"

HWND mainWindow = nullptr;       // the one window, for every service that needs it
HINSTANCE appInstance = nullptr; // the instance WinMain was given, for the input object

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = "WIN3DCLASS";
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    if (RegisterClassExA(&windowClass) == 0)
        return 0;

    HWND window = CreateWindowExA(0, "WIN3DCLASS", "ZAF", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768,
                                  nullptr, nullptr, instance, nullptr);
    if (!window)
        return 0;
    mainWindow = window;
    appInstance = instance;

    GameStart(nullptr);

    // One message at most and one frame on every pass; the loop never waits for messages.
    MSG msg = {};
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        GameFrame(nullptr);
    }

    GameStop(nullptr);
    return (int)msg.wParam;
}
