// dinput_mock.h -- GoogleMock stand-ins for DirectInput's module entry, object and devices
#pragma once

#include <gmock/gmock.h>

#include "platform/dinput.h"
#include "platform/seam.h"

// Release returns 0 unless a test says otherwise; nothing is ever deleted through it.
class MockInputDevice : public IDirectInputDevice8A {
public:
    ~MockInputDevice() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, SetCooperativeLevel, (HWND window, DWORD flags), (override));
    MOCK_METHOD(HRESULT, SetDataFormat, (const DIDATAFORMAT *format), (override));
    MOCK_METHOD(HRESULT, Acquire, (), (override));
    MOCK_METHOD(HRESULT, Unacquire, (), (override));
    MOCK_METHOD(HRESULT, GetDeviceState, (DWORD size, LPVOID data), (override));
};

class MockDirectInput : public IDirectInput8A {
public:
    ~MockDirectInput() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, CreateDevice,
                (REFGUID device, IDirectInputDevice8A **created, IUnknown *outer), (override));
};

// DirectInput8Create answers through this while one exists.
class MockDirectInputModule {
public:
    MockDirectInputModule()
    {
        Current() = this;
        directInputCreateHook = Forward;
    }
    ~MockDirectInputModule()
    {
        directInputCreateHook = nullptr;
        Current() = nullptr;
    }
    MOCK_METHOD(HRESULT, Create,
                (HINSTANCE instance, DWORD version, REFIID iid, LPVOID *directInput,
                 IUnknown *outer));

private:
    static MockDirectInputModule *&Current()
    {
        static MockDirectInputModule *current = nullptr;
        return current;
    }
    static HRESULT Forward(HINSTANCE instance, DWORD version, REFIID iid, LPVOID *directInput,
                           IUnknown *outer)
    {
        return Current()->Create(instance, version, iid, directInput, outer);
    }
};
