// dinput.cpp -- the DirectInput object and its system keyboard and mouse devices
#include <SDL.h>

#include "platform/dinput.h"
#include "platform/input_source.h"
#include "platform/com_object.h"
#include "platform/seam.h"

const GUID IID_IDirectInput8A = {0x5a414601, 0x0008, 0x4449, {'Z', 'A', 'F', 'd', 'i', 'n', '8', 'a'}};
const GUID GUID_SysKeyboard = {0x5a414602, 0x0008, 0x4449, {'Z', 'A', 'F', 'k', 'e', 'y', 'b', 'd'}};
const GUID GUID_SysMouse = {0x5a414603, 0x0008, 0x4449, {'Z', 'A', 'F', 'm', 'o', 'u', 's', 'e'}};

const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 256};
const DIDATAFORMAT c_dfDIMouse = {sizeof(DIDATAFORMAT), sizeof(DIMOUSESTATE)};

namespace {

struct InputDevice : ComObject<IDirectInputDevice8A> {
    IDirectInput8A *owner = nullptr; // a device keeps the object that made it alive
    bool isMouse = false;
    const DIDATAFORMAT *format = nullptr;
    bool acquired = false;

    InputDevice(IDirectInput8A *maker, bool mouse) : owner(maker), isMouse(mouse)
    {
        owner->AddRef();
    }
    ~InputDevice() override
    {
        if (acquired && isMouse)
            StopMouseSource();
        owner->Release();
    }

    HRESULT SetCooperativeLevel(HWND, DWORD flags) override
    {
        bool oneSharing = ((flags & DISCL_EXCLUSIVE) != 0) != ((flags & DISCL_NONEXCLUSIVE) != 0);
        bool oneFocus = ((flags & DISCL_FOREGROUND) != 0) != ((flags & DISCL_BACKGROUND) != 0);
        if (!oneSharing || !oneFocus)
            return DIERR_INVALIDPARAM;
        return acquired ? DIERR_ACQUIRED : DI_OK;
    }

    HRESULT SetDataFormat(const DIDATAFORMAT *wanted) override
    {
        if (wanted != (isMouse ? &c_dfDIMouse : &c_dfDIKeyboard))
            return DIERR_INVALIDPARAM;
        if (acquired)
            return DIERR_ACQUIRED;
        format = wanted;
        return DI_OK;
    }

    HRESULT Acquire() override
    {
        if (!format)
            return DIERR_INVALIDPARAM;
        if (acquired)
            return S_FALSE;
        acquired = true;
        if (isMouse)
            StartMouseSource();
        return DI_OK;
    }

    HRESULT Unacquire() override
    {
        if (!acquired)
            return S_FALSE;
        acquired = false;
        if (isMouse)
            StopMouseSource();
        return DI_OK;
    }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override
    {
        if (!acquired)
            return DIERR_NOTACQUIRED;
        if (!data || size != format->dwDataSize)
            return DIERR_INVALIDPARAM;
        if (isMouse)
            ReadMouseSnapshot(static_cast<DIMOUSESTATE *>(data));
        else
            ReadKeyboardSnapshot(static_cast<BYTE *>(data));
        return DI_OK;
    }
};

struct DirectInput : ComObject<IDirectInput8A> {

    ~DirectInput() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

    HRESULT CreateDevice(REFGUID device, IDirectInputDevice8A **created, IUnknown *outer) override
    {
        if (!created)
            return DIERR_INVALIDPARAM;
        *created = nullptr;
        if (outer)
            return DIERR_INVALIDPARAM;
        if (device == GUID_SysKeyboard)
            *created = new InputDevice(this, false);
        else if (device == GUID_SysMouse)
            *created = new InputDevice(this, true);
        else
            return DIERR_DEVICENOTREG;
        return DI_OK;
    }
};

} // namespace

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID *directInput,
                           IUnknown *outer)
{
    if (directInputCreateHook)
        return directInputCreateHook(instance, version, iid, directInput, outer);
    if (!directInput)
        return DIERR_INVALIDPARAM;
    *directInput = nullptr;
    if (version != DIRECTINPUT_VERSION || outer)
        return DIERR_INVALIDPARAM;
    if (!(iid == IID_IDirectInput8A))
        return E_NOINTERFACE;
    // The devices read SDL's keyboard state and its event stream; the object holds them open.
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
        return E_FAIL;
    *directInput = static_cast<IDirectInput8A *>(new DirectInput());
    return DI_OK;
}
