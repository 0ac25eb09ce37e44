// dinput.h -- the DirectInput 8 keyboard and mouse devices and their snapshot layouts
#pragma once

#include "platform/wintypes.h"

#define DIRECTINPUT_VERSION 0x0800

#define DI_OK S_OK
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000Cu)
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_DEVICENOTREG ((HRESULT)0x80040154u)
#define DIERR_ACQUIRED ((HRESULT)0x800700AAu)

#define DISCL_EXCLUSIVE 0x00000001
#define DISCL_NONEXCLUSIVE 0x00000002
#define DISCL_FOREGROUND 0x00000004
#define DISCL_BACKGROUND 0x00000008

// Key codes are the PC set-1 scan codes.
#define DIK_ESCAPE 0x01
#define DIK_LMENU 0x38

struct DIMOUSESTATE {
    LONG lX;
    LONG lY;
    LONG lZ;
    BYTE rgbButtons[4];
};

// A data format names the snapshot a device delivers; only the two predefined ones exist here.
struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwDataSize;
};

extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse;

extern const GUID IID_IDirectInput8A;
extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;

struct IDirectInputDevice8A : IUnknown {
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDataFormat(const DIDATAFORMAT *format) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    virtual HRESULT GetDeviceState(DWORD size, LPVOID data) = 0;
};

struct IDirectInput8A : IUnknown {
    virtual HRESULT CreateDevice(REFGUID device, IDirectInputDevice8A **created,
                                 IUnknown *outer) = 0;
};

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID *directInput,
                           IUnknown *outer);
