// main.cpp -- the process entry: reads the command line, starts the platform layer, runs WinMain
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/demo.h"
#include "platform/options.h"
#include "platform/screenshot.h"
#include "platform/sdl_window.h"
#include "platform/winuser.h"

int main(int argc, char **argv)
{
    std::string error;
    std::string out;
    switch (ParseOptions(argc, argv, &runOptions, &error, &out)) {
    case OPTIONS_DONE:
        std::fputs(out.c_str(), stdout);
        return 0;
    case OPTIONS_BAD:
        std::fprintf(stderr, "zaf: %s\n%s", error.c_str(), UsageText());
        return 2;
    case OPTIONS_RUN:
        break;
    }

    // A bad demo is refused before anything opens.
    Demo demo;
    if (!runOptions.replayPath.empty() && !ReadDemo(runOptions.replayPath, &demo, &error)) {
        std::fprintf(stderr, "zaf: %s\n", error.c_str());
        return 2;
    }
    // Replay first: a recording made while replaying keeps the demo's clock beneath its own.
    if (!runOptions.replayPath.empty())
        StartReplay(demo);
    if (!runOptions.recordPath.empty() && !StartRecording(runOptions.recordPath, &error)) {
        std::fprintf(stderr, "zaf: %s\n", error.c_str());
        return 2;
    }
    if (runOptions.headless) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }

    const char *why = "";
    if (!OpenWindowSystem(&why)) {
        std::fprintf(stderr, "zaf: cannot open the display: %s\n", why);
        StopRecording(&error);
        return 1;
    }
    static char instanceObject;
    int status = WinMain(reinterpret_cast<HINSTANCE>(&instanceObject), nullptr, (LPSTR) "", 1);

    // A file that was asked for and not written is a failure, not a quiet success.
    if (!StopRecording(&error)) {
        std::fprintf(stderr, "zaf: %s\n", error.c_str());
        if (status == 0)
            status = 1;
    }
    if (!AllScreenshotsSaved() && status == 0)
        status = 1;
    CloseWindowSystem();
    return status;
}
