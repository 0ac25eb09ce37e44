// clock.cpp -- the frame clock, counted on the wrapping millisecond tick count
#include "shell/clock.h"

#include "platform/winbase.h"

DWORD frameStartTick = 0; // tick count at the start of the current frame

DWORD MarkFrameStart(void)
{
    frameStartTick = GetTickCount();
    return frameStartTick;
}

DWORD WaitFrameEnd(DWORD ms)
{
    // Unsigned differences keep the wait right across the tick count's wrap.
    DWORD elapsed = GetTickCount() - frameStartTick;
    while (elapsed < ms)
        elapsed = GetTickCount() - frameStartTick;
    return GetTickCount();
}
