// dmusic_mock.h -- GoogleMock stand-ins for COM's object creation and the DirectMusic objects
#pragma once

#include <gmock/gmock.h>

#include "platform/dmusic.h"
#include "platform/objbase.h"
#include "platform/seam.h"

// Release returns 0 unless a test says otherwise; nothing is ever deleted through it.
class MockMusicSegment : public IDirectMusicSegment {
public:
    ~MockMusicSegment() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, SetParam,
                (REFGUID type, DWORD groupBits, DWORD index, MUSIC_TIME time, LPVOID param),
                (override));
};

class MockPerformance : public IDirectMusicPerformance {
public:
    ~MockPerformance() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, Init, (IDirectMusic * *music, IDirectSound *directSound, HWND window),
                (override));
    MOCK_METHOD(HRESULT, AddPort, (IDirectMusicPort * port), (override));
    MOCK_METHOD(HRESULT, Stop,
                (IDirectMusicSegment * segment, IDirectMusicSegmentState *state,
                 MUSIC_TIME time, DWORD flags),
                (override));
    MOCK_METHOD(HRESULT, CloseDown, (), (override));
};

class MockMusicLoader : public IDirectMusicLoader {
public:
    ~MockMusicLoader() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
};

// CoCreateInstance answers through this while one exists; CoInitialize and CoUninitialize
// stay the platform's own.
class MockComModule {
public:
    MockComModule()
    {
        Current() = this;
        coCreateInstanceHook = Forward;
    }
    ~MockComModule()
    {
        coCreateInstanceHook = nullptr;
        Current() = nullptr;
    }
    MOCK_METHOD(HRESULT, CreateInstance,
                (REFCLSID classId, IUnknown *outer, DWORD context, REFIID iid, LPVOID *object));

private:
    static MockComModule *&Current()
    {
        static MockComModule *current = nullptr;
        return current;
    }
    static HRESULT Forward(REFCLSID classId, IUnknown *outer, DWORD context, REFIID iid,
                           LPVOID *object)
    {
        return Current()->CreateInstance(classId, outer, context, iid, object);
    }
};
