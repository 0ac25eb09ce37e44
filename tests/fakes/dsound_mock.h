// dsound_mock.h -- GoogleMock stand-ins for DirectSound's module entry, object and buffers
#pragma once

#include <gmock/gmock.h>

#include "platform/dsound.h"
#include "platform/seam.h"

// Release returns 0 unless a test says otherwise; nothing is ever deleted through it.
class MockSoundBuffer : public IDirectSoundBuffer {
public:
    ~MockSoundBuffer() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, Stop, (), (override));
    MOCK_METHOD(HRESULT, SetCurrentPosition, (DWORD position), (override));
};

class MockDirectSound : public IDirectSound {
public:
    ~MockDirectSound() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, SetCooperativeLevel, (HWND window, DWORD level), (override));
};

// DirectSoundCreate answers through this while one exists.
class MockDirectSoundModule {
public:
    MockDirectSoundModule()
    {
        Current() = this;
        directSoundCreateHook = Forward;
    }
    ~MockDirectSoundModule()
    {
        directSoundCreateHook = nullptr;
        Current() = nullptr;
    }
    MOCK_METHOD(HRESULT, Create, (GUID * device, IDirectSound **directSound, IUnknown *outer));

private:
    static MockDirectSoundModule *&Current()
    {
        static MockDirectSoundModule *current = nullptr;
        return current;
    }
    static HRESULT Forward(GUID *device, IDirectSound **directSound, IUnknown *outer)
    {
        return Current()->Create(device, directSound, outer);
    }
};
