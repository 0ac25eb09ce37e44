// input.h -- the keyboard and mouse: opened at start-up, read into two snapshots every frame
#pragma once

#include "platform/dinput.h"

// The DirectInput object; null until OpenInput has made it.
extern IDirectInput8A *directInput;
// The system keyboard; null until OpenKeyboard has made it.
extern IDirectInputDevice8A *keyboardDevice;
// The system mouse; null until OpenMouse has made it.
extern IDirectInputDevice8A *mouseDevice;
// The keyboard as the last PollKeyboard read it: one byte per DIK code, bit 7 set = down.
extern BYTE keyState[256];
// The mouse as the last PollMouse read it: motion since the read before, buttons bit 7 = down.
extern DIMOUSESTATE mouseState;

// Makes the DirectInput object. Called by GameStart first of the three opens; 1 = made.
int OpenInput(void);
// Make, share, format and acquire the device; 1 only when every step answered exactly 0.
// A device made before a failing step stays in place. Without the input object: 0, no device.
int OpenKeyboard(void);
int OpenMouse(void);
// Called by GameFrame each frame, keyboard first. 1 = a fresh snapshot; with no device the
// snapshot is zeroed and 0 returned; a refused read leaves the snapshot to the platform.
int PollKeyboard(void);
int PollMouse(void);
// Called by GameStop: mouse, keyboard, then the input object; each skips what was never made.
void CloseMouse(void);
void CloseKeyboard(void);
void CloseInput(void);
