// ticks.cpp -- the kernel's millisecond tick count, from the system's steady clock
#include "platform/ticks.h"

#include <ctime>

#include "platform/seam.h"
#include "platform/winbase.h"

// Milliseconds since boot, like Windows, so that each run seeds its generator differently.
DWORD SystemTickCount(void)
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long long ms = (unsigned long long)now.tv_sec * 1000ull + (unsigned long long)now.tv_nsec / 1000000ull;
    return (DWORD)ms;
}

DWORD GetTickCount(void)
{
    return tickCountHook ? tickCountHook() : SystemTickCount();
}
