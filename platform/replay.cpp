// replay.cpp -- plays a demo back: its virtual clock and its frames stand in for the devices
#include <cstring>

#include "platform/demo.h"
#include "platform/sdl_window.h"
#include "platform/seam.h"
#include "platform/winuser.h"

static Demo replay;
static bool replaying = false;
static bool replayTickRead = false;
static DWORD replayTick = 0;
static size_t keyboardReads = 0;
static size_t mouseReads = 0;
static bool replayEnded = false;

// The first read is the demo's start tick, each later read one more: frames pass without waiting.
static DWORD ReplayTick(void)
{
    if (!replayTickRead) {
        replayTickRead = true;
        replayTick = replay.startTick;
    } else {
        replayTick++;
    }
    return replayTick;
}

static void EndReplay(void)
{
    if (replayEnded)
        return;
    replayEnded = true;
    PostMessageA(TheWindow(), WM_CLOSE, 0, 0);
}

void StartReplay(const Demo &demo)
{
    replay = demo;
    replaying = true;
    replayTickRead = false;
    replayEnded = false;
    keyboardReads = 0;
    mouseReads = 0;
    tickCountHook = ReplayTick;
}

bool ReplayKeyboard(BYTE keys[256])
{
    if (!replaying)
        return false;
    std::memset(keys, 0, 256);
    size_t k = keyboardReads++;
    if (k >= replay.frames.size()) {
        EndReplay();
        return true;
    }
    for (int code = 0; code < 256; code++)
        if (replay.frames[k].keys[code / 8] & (1u << (code % 8)))
            keys[code] = 0x80;
    return true;
}

bool ReplayMouse(DIMOUSESTATE *mouse)
{
    if (!replaying)
        return false;
    std::memset(mouse, 0, sizeof *mouse);
    size_t k = mouseReads++;
    if (k >= replay.frames.size()) {
        EndReplay();
        return true;
    }
    const DemoFrame &frame = replay.frames[k];
    mouse->lX = frame.x;
    mouse->lY = frame.y;
    mouse->lZ = frame.z;
    for (int i = 0; i < 4; i++)
        mouse->rgbButtons[i] = (frame.buttons & (1u << i)) ? 0x80 : 0;
    return true;
}
