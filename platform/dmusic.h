// dmusic.h -- the DirectMusic performance, loader and segments the music code calls
#pragma once

#include "platform/dsound.h"
#include "platform/wintypes.h"

typedef LONG MUSIC_TIME;

#define DMUS_E_NOT_INIT ((HRESULT)0x88781193u)
#define DMUS_E_ALREADY_INITED ((HRESULT)0x88781190u)

struct IDirectMusic;
struct IDirectMusicPort;
struct IDirectMusicSegmentState;

extern const GUID CLSID_DirectMusicPerformance;
extern const GUID CLSID_DirectMusicLoader;
extern const GUID IID_IDirectMusicPerformance;
extern const GUID IID_IDirectMusicLoader;
extern const GUID GUID_Unload;

struct IDirectMusicSegment : IUnknown {
    virtual HRESULT SetParam(REFGUID type, DWORD groupBits, DWORD index, MUSIC_TIME time,
                             LPVOID param) = 0;
};

struct IDirectMusicPerformance : IUnknown {
    // Takes its own reference to the sound object and gives it back in CloseDown.
    virtual HRESULT Init(IDirectMusic **music, IDirectSound *directSound, HWND window) = 0;
    virtual HRESULT AddPort(IDirectMusicPort *port) = 0;
    virtual HRESULT Stop(IDirectMusicSegment *segment, IDirectMusicSegmentState *state,
                         MUSIC_TIME time, DWORD flags) = 0;
    virtual HRESULT CloseDown() = 0;
};

struct IDirectMusicLoader : IUnknown {
};
