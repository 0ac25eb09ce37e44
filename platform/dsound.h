// dsound.h -- the DirectSound object and the sound buffers its slots may hold
#pragma once

#include "platform/wintypes.h"

#define DS_OK S_OK
#define DSERR_NODRIVER ((HRESULT)0x88780078u)

#define DSSCL_NORMAL 0x00000001

struct IDirectSoundBuffer : IUnknown {
    virtual HRESULT Stop() = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
};

struct IDirectSound : IUnknown {
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
};

HRESULT DirectSoundCreate(GUID *device, IDirectSound **directSound, IUnknown *outer);
