// ticks.cpp -- the kernel's millisecond tick count, from the system's steady clock
#include <ctime>

#include "platform/seam.h"
#include "platform/winbase.h"

DWORD GetTickCount(void)
{
    if (tickCountHook)
        return tickCountHook();
    // Milliseconds since boot, like Windows, so that each run seeds its generator differently.
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long long ms = (unsigned long long)now.tv_sec * 1000ull + (unsigned long long)now.tv_nsec / 1000000ull;
    return (DWORD)ms;
}
