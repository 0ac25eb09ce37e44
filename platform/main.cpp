// main.cpp -- the process entry: starts the platform layer and runs the program's WinMain
#include <cstdio>

#include "platform/sdl_window.h"
#include "platform/winuser.h"

int main(int argc, char **argv)
{
    (void)argc;
    (void)argv;
    const char *why = "";
    if (!OpenWindowSystem(&why)) {
        std::fprintf(stderr, "zaf: cannot open the display: %s\n", why);
        return 1;
    }
    static char instanceObject;
    int status = WinMain(reinterpret_cast<HINSTANCE>(&instanceObject), nullptr, (LPSTR) "", 1);
    CloseWindowSystem();
    return status;
}
