// window.cpp -- the window class, the one SDL window and the thread's message queue
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/present.h"
#include "platform/screenshot.h"
#include "platform/sdl_window.h"
#include "platform/winuser.h"

namespace {

struct WindowClass {
    std::string name;
    WNDPROC proc;
};

struct Window {
    SDL_Window *sdl;
    WNDPROC proc;
    bool alive;
    bool needsPaint;
};

std::vector<WindowClass> classes;
Window window = {nullptr, nullptr, false, false};
std::deque<MSG> queue;
bool quitPosted = false;
int quitCode = 0;
int cursorCount = 0;

// Stock handles only need to be distinct and non-null; nothing reads through them.
char iconObject;
char cursorObject;

HWND HandleOf(Window *w)
{
    return reinterpret_cast<HWND>(w);
}

Window *WindowOf(HWND handle)
{
    Window *w = reinterpret_cast<Window *>(handle);
    return (w == &window && window.alive) ? w : nullptr;
}

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return window.proc(HandleOf(&window), message, wParam, lParam);
}

// Turns the desktop's window events into the messages a Windows program would get, and drops
// the input events: the devices read SDL's own state, so the queue must not grow with them.
void PumpDesktopEvents()
{
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT) == 1) {
        if (window.alive)
            PostMessageA(HandleOf(&window), WM_CLOSE, 0, 0);
    }
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) == 1) {
        if (!window.alive || event.window.windowID != SDL_GetWindowID(window.sdl))
            continue;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            PostMessageA(HandleOf(&window), WM_CLOSE, 0, 0);
        else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            window.needsPaint = true;
    }
    // The player's own keys: the game never looks at F11 or F12.
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYDOWN) == 1) {
        if (event.key.repeat)
            continue;
        if (event.key.keysym.scancode == SDL_SCANCODE_F11)
            ToggleFullScreen();
        else if (event.key.keysym.scancode == SDL_SCANCODE_F12)
            RequestScreenshot();
    }
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

} // namespace

SDL_Window *SdlWindowOf(HWND handle)
{
    Window *w = WindowOf(handle);
    return w ? w->sdl : nullptr;
}

// SDL falls back on drivers that show nothing; those count only when asked for by name.
static bool IsInvisibleDriver(const char *driver)
{
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool OpenWindowSystem(const char **why)
{
    const char *asked = std::getenv("SDL_VIDEODRIVER");
    if (!asked && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        *why = "no display server (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    // With only an X display named, SDL is kept from probing (and complaining about) others.
    if (!asked && !std::getenv("WAYLAND_DISPLAY"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        *why = SDL_GetError();
        return false;
    }
    if (!asked && IsInvisibleDriver(SDL_GetCurrentVideoDriver())) {
        SDL_Quit();
        *why = "no display server could be reached";
        return false;
    }
    return true;
}

void CloseWindowSystem(void)
{
    if (window.sdl)
        SDL_DestroyWindow(window.sdl);
    window = Window{nullptr, nullptr, false, false};
    classes.clear();
    queue.clear();
    quitPosted = false;
    SDL_Quit();
}

ATOM RegisterClassExA(const WNDCLASSEXA *windowClass)
{
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpfnWndProc ||
        !windowClass->lpszClassName)
        return 0;
    for (const WindowClass &c : classes)
        if (c.name == windowClass->lpszClassName)
            return 0;
    classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc});
    return (ATOM)(0xC000 + classes.size() - 1);
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    const WindowClass *found = nullptr;
    for (const WindowClass &c : classes)
        if (className && c.name == className)
            found = &c;
    // The program has one window; a second, or one made after it was destroyed, is refused.
    if (!found || window.sdl)
        return nullptr;

    Uint32 flags = SDL_WINDOW_BORDERLESS | ((style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
    SDL_Window *sdl = SDL_CreateWindow(title ? title : "", x, y, width, height, flags);
    if (!sdl)
        return nullptr;
    window = Window{sdl, found->proc, true, (style & WS_VISIBLE) != 0};
    if (Send(WM_CREATE, 0, 0) == -1) {
        window.alive = false;
        return nullptr;
    }
    return HandleOf(&window);
}

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        DestroyWindow(handle);
    } else if (message == WM_PAINT) {
        // Painting nothing still validates the window, or the paint would come back at once.
        PAINTSTRUCT paint;
        BeginPaint(handle, &paint);
        EndPaint(handle, &paint);
    }
    return 0;
}

BOOL DestroyWindow(HWND handle)
{
    Window *w = WindowOf(handle);
    if (!w)
        return FALSE;
    Send(WM_DESTROY, 0, 0);
    // The SDL window itself lives on, hidden, until the platform closes: the display may still
    // present into it until the program has shut its services down.
    SDL_HideWindow(w->sdl);
    w->alive = false;
    return TRUE;
}

HDC BeginPaint(HWND handle, PAINTSTRUCT *paint)
{
    Window *w = WindowOf(handle);
    if (paint)
        std::memset(paint, 0, sizeof *paint);
    if (w)
        w->needsPaint = false;
    return nullptr;
}

BOOL EndPaint(HWND, const PAINTSTRUCT *)
{
    return TRUE;
}

HICON LoadIconA(HINSTANCE, LPCSTR)
{
    return reinterpret_cast<HICON>(&iconObject);
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR)
{
    return reinterpret_cast<HCURSOR>(&cursorObject);
}

int ShowCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount;
}

BOOL GetWindowRect(HWND handle, RECT *rect)
{
    Window *w = WindowOf(handle);
    if (!w || !rect)
        return FALSE;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(w->sdl, &x, &y);
    SDL_GetWindowSize(w->sdl, &width, &height);
    *rect = RECT{x, y, x + width, y + height};
    return TRUE;
}

BOOL PeekMessageA(MSG *msg, HWND, UINT, UINT, UINT removeFlags)
{
    PumpDesktopEvents();
    MSG taken = {};
    if (!queue.empty()) {
        taken = queue.front();
        if (removeFlags & PM_REMOVE)
            queue.pop_front();
    } else if (quitPosted) {
        taken.message = WM_QUIT;
        taken.wParam = (WPARAM)quitCode;
        if (removeFlags & PM_REMOVE)
            quitPosted = false;
    } else if (window.alive && window.needsPaint) {
        // Like Windows, a paint message is made, not queued, while the window stays invalid.
        taken.hwnd = HandleOf(&window);
        taken.message = WM_PAINT;
    } else {
        return FALSE;
    }
    taken.time = SDL_GetTicks();
    if (msg)
        *msg = taken;
    return TRUE;
}

BOOL TranslateMessage(const MSG *)
{
    return FALSE;
}

LRESULT DispatchMessageA(const MSG *msg)
{
    if (!msg || !WindowOf(msg->hwnd))
        return 0;
    return Send(msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (handle && !WindowOf(handle))
        return FALSE;
    queue.push_back(MSG{handle, message, wParam, lParam, 0, {0, 0}});
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    quitPosted = true;
    quitCode = exitCode;
}

HWND TheWindow(void)
{
    return window.alive ? HandleOf(&window) : nullptr;
}
