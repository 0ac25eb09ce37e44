// input_source.h -- where the keyboard and mouse devices take their snapshots from (platform only)
#pragma once

#include "platform/dinput.h"

// Every GetDeviceState of an acquired keyboard or mouse comes through these two, so a source
// other than the desktop (a recorded run) can stand behind them.

// 256 bytes in DIK numbering, 0x80 for each key down now.
void ReadKeyboardSnapshot(BYTE keys[256]);
// The motion and wheel since the previous read, and the buttons down now.
void ReadMouseSnapshot(DIMOUSESTATE *mouse);

// The mouse's motion is gathered only between these two: the mouse device's Acquire and Unacquire.
void StartMouseSource(void);
void StopMouseSource(void);
