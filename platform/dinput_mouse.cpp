// dinput_mouse.cpp -- the live mouse snapshot: motion, wheel and buttons gathered from SDL's events
#include <SDL.h>

#include <cstring>

#include "platform/demo.h"
#include "platform/input_source.h"

// The motion is summed from the motion events' own deltas by an event watch, rather than read
// from SDL_GetRelativeMouseState: the watch sees every event as it is queued, including those a
// test pushes, and works the same whether or not the video driver granted relative mode (the
// dummy driver refuses it). The message loop may then throw the queued events away.

namespace {

// Motion and wheel since the previous read, and the buttons as the events left them. Events
// reach the watch on the thread that pumps them, the program's one thread.
LONG motionX = 0;
LONG motionY = 0;
LONG wheel = 0;
BYTE buttons[4] = {0, 0, 0, 0};
bool watching = false;

// Windows counts one wheel notch as 120.
const LONG WHEEL_NOTCH = 120;

int ButtonIndex(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    default: return -1;
    }
}

int WatchMouse(void *, SDL_Event *event)
{
    switch (event->type) {
    case SDL_MOUSEMOTION:
        motionX += event->motion.xrel;
        motionY += event->motion.yrel;
        break;
    case SDL_MOUSEWHEEL: {
        // Positive is away from the user, as on Windows, whatever the desktop's scroll setting.
        LONG notches = event->wheel.y;
        if (event->wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            notches = -notches;
        wheel += notches * WHEEL_NOTCH;
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int index = ButtonIndex(event->button.button);
        if (index >= 0)
            buttons[index] = event->type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
        break;
    }
    default:
        break;
    }
    return 1;
}

} // namespace

void StartMouseSource(void)
{
    if (watching)
        return;
    motionX = 0;
    motionY = 0;
    wheel = 0;
    // Buttons already held when the device is acquired sent their events before the watch.
    Uint32 held = SDL_GetMouseState(nullptr, nullptr);
    buttons[0] = (held & SDL_BUTTON_LMASK) ? 0x80 : 0;
    buttons[1] = (held & SDL_BUTTON_RMASK) ? 0x80 : 0;
    buttons[2] = (held & SDL_BUTTON_MMASK) ? 0x80 : 0;
    buttons[3] = (held & SDL_BUTTON_X1MASK) ? 0x80 : 0;
    SDL_AddEventWatch(WatchMouse, nullptr);
    watching = true;

    // Relative mode hides the pointer and keeps it in the window, and its deltas go on at the
    // screen's edges. Raw deltas, as DirectInput gives them: no pointer warping, no scaling.
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_MODE_WARP, "0");
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
    // Refused by drivers that lack it; the motion events still come, bounded by the screen.
    SDL_SetRelativeMouseMode(SDL_TRUE);
}

void StopMouseSource(void)
{
    if (!watching)
        return;
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_DelEventWatch(WatchMouse, nullptr);
    watching = false;
}

static void ReadDesktopMouse(DIMOUSESTATE *mouse)
{
    SDL_PumpEvents();
    mouse->lX = motionX;
    mouse->lY = motionY;
    mouse->lZ = wheel;
    memcpy(mouse->rgbButtons, buttons, sizeof buttons);
    motionX = 0;
    motionY = 0;
    wheel = 0;
}

void ReadMouseSnapshot(DIMOUSESTATE *mouse)
{
    if (!ReplayMouse(mouse))
        ReadDesktopMouse(mouse);
    RecordMouse(mouse);
}
