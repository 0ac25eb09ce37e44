// dmusic.cpp -- the DirectMusic performance and loader: they open and close, and play nothing
#include "platform/dmusic.h"
#include "platform/com_object.h"
#include "platform/music_classes.h"
#include "platform/objbase.h"

const GUID CLSID_DirectMusicPerformance = {0x5a414d01, 0x0001, 0x4d55, {'Z', 'A', 'F', 'p', 'e', 'r', 'f', 'c'}};
const GUID CLSID_DirectMusicLoader = {0x5a414d02, 0x0001, 0x4d55, {'Z', 'A', 'F', 'l', 'o', 'a', 'd', 'c'}};
const GUID IID_IDirectMusicPerformance = {0x5a414d03, 0x0001, 0x4d55, {'Z', 'A', 'F', 'p', 'e', 'r', 'f', 'i'}};
const GUID IID_IDirectMusicLoader = {0x5a414d04, 0x0001, 0x4d55, {'Z', 'A', 'F', 'l', 'o', 'a', 'd', 'i'}};
const GUID GUID_Unload = {0x5a414d05, 0x0001, 0x4d55, {'Z', 'A', 'F', 'u', 'n', 'l', 'o', 'd'}};

namespace {

struct Performance : ComObject<IDirectMusicPerformance> {
    bool initialised = false;
    IDirectSound *sound = nullptr; // our own reference, from Init to CloseDown

    ~Performance() override { CloseDown(); }

    HRESULT Init(IDirectMusic **music, IDirectSound *directSound, HWND) override
    {
        if (initialised)
            return DMUS_E_ALREADY_INITED;
        // Only the performance itself exists here: no DirectMusic object to hand back.
        if (music)
            *music = nullptr;
        // Without a sound object the performance would make its own; here it goes silent.
        sound = directSound;
        if (sound)
            sound->AddRef();
        initialised = true;
        return S_OK;
    }

    HRESULT AddPort(IDirectMusicPort *) override { return initialised ? S_OK : DMUS_E_NOT_INIT; }

    HRESULT Stop(IDirectMusicSegment *, IDirectMusicSegmentState *, MUSIC_TIME, DWORD) override
    {
        return initialised ? S_OK : DMUS_E_NOT_INIT;
    }

    HRESULT CloseDown() override
    {
        if (sound)
            sound->Release();
        sound = nullptr;
        initialised = false;
        return S_OK;
    }
};

struct Loader : ComObject<IDirectMusicLoader> {

};

} // namespace

HRESULT CreateMusicObject(REFCLSID classId, REFIID iid, LPVOID *object)
{
    if (classId == CLSID_DirectMusicPerformance) {
        if (!(iid == IID_IDirectMusicPerformance))
            return E_NOINTERFACE;
        *object = static_cast<IDirectMusicPerformance *>(new Performance());
        return S_OK;
    }
    if (classId == CLSID_DirectMusicLoader) {
        if (!(iid == IID_IDirectMusicLoader))
            return E_NOINTERFACE;
        *object = static_cast<IDirectMusicLoader *>(new Loader());
        return S_OK;
    }
    return REGDB_E_CLASSNOTREG;
}
