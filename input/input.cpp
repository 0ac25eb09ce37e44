// input.cpp -- the DirectInput object, the keyboard and mouse devices and their per-frame reads
#include "input/input.h"

#include <cstring>

#include "shell/entry.h"

// Made by OpenInput, released by CloseInput.
IDirectInput8A *directInput = nullptr;
// Made by OpenKeyboard, released by CloseKeyboard.
IDirectInputDevice8A *keyboardDevice = nullptr;
// Made by OpenMouse, released by CloseMouse.
IDirectInputDevice8A *mouseDevice = nullptr;
// Filled by PollKeyboard.
BYTE keyState[256] = {0};
// Filled by PollMouse.
DIMOUSESTATE mouseState = {0, 0, 0, {0, 0, 0, 0}};

static_assert(sizeof(DIMOUSESTATE) == 16, "the mouse snapshot is read as 16 bytes");

// What differs between the keyboard and the mouse; the open, poll and close are shared.
struct InputDeviceKind {
    const GUID *device;
    IDirectInputDevice8A **reference;
    const DIDATAFORMAT *format;
    void *snapshot;
    DWORD snapshotSize;
};

static const InputDeviceKind KEYBOARD = {&GUID_SysKeyboard, &keyboardDevice, &c_dfDIKeyboard,
                                         keyState, sizeof keyState};
static const InputDeviceKind MOUSE = {&GUID_SysMouse, &mouseDevice, &c_dfDIMouse, &mouseState,
                                      sizeof mouseState};

// Shared, and still read while the window is in the background.
static const DWORD COOPERATION = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;

// The device steps count only exactly 0 as success: S_FALSE from Acquire fails the open.
static int OpenDevice(const InputDeviceKind *kind)
{
    // GameStart opens the devices whatever OpenInput answered.
    if (!directInput)
        return 0;
    if (directInput->CreateDevice(*kind->device, kind->reference, nullptr) != 0)
        return 0;
    IDirectInputDevice8A *device = *kind->reference;
    if (device->SetCooperativeLevel(mainWindow, COOPERATION) != 0)
        return 0;
    if (device->SetDataFormat(kind->format) != 0)
        return 0;
    return device->Acquire() == 0 ? 1 : 0;
}

static int PollDevice(const InputDeviceKind *kind)
{
    IDirectInputDevice8A *device = *kind->reference;
    if (!device) {
        memset(kind->snapshot, 0, kind->snapshotSize);
        return 0;
    }
    return device->GetDeviceState(kind->snapshotSize, kind->snapshot) == 0 ? 1 : 0;
}

static void CloseDevice(const InputDeviceKind *kind)
{
    IDirectInputDevice8A *device = *kind->reference;
    if (!device)
        return;
    device->Unacquire();
    device->Release();
    *kind->reference = nullptr;
}

int OpenInput(void)
{
    HRESULT result = DirectInput8Create(appInstance, DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                        reinterpret_cast<LPVOID *>(&directInput), nullptr);
    return SUCCEEDED(result) ? 1 : 0;
}

int OpenKeyboard(void)
{
    return OpenDevice(&KEYBOARD);
}

int OpenMouse(void)
{
    return OpenDevice(&MOUSE);
}

int PollKeyboard(void)
{
    return PollDevice(&KEYBOARD);
}

int PollMouse(void)
{
    return PollDevice(&MOUSE);
}

void CloseMouse(void)
{
    CloseDevice(&MOUSE);
}

void CloseKeyboard(void)
{
    CloseDevice(&KEYBOARD);
}

void CloseInput(void)
{
    if (!directInput)
        return;
    directInput->Release();
    directInput = nullptr;
}
