// clock.h -- the frame clock: marks a frame's start and holds it to a minimum length
#pragma once

#include "platform/wintypes.h"

// The tick count read by the last MarkFrameStart; 0 before the first.
extern DWORD frameStartTick;

// Reads the tick count, keeps it as the frame's start and returns it.
DWORD MarkFrameStart(void);
// Spins until ms milliseconds have passed since the mark; returns the tick count read after.
DWORD WaitFrameEnd(DWORD ms);
