// ddraw_mock.h -- GoogleMock stand-ins for the DirectDraw objects, for tests of call order
#pragma once

#include <gmock/gmock.h>

#include "platform/ddraw.h"

// Release returns 0 unless a test says otherwise; nothing is ever deleted through it.
class MockDirectDraw : public IDirectDraw7 {
public:
    ~MockDirectDraw() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, SetCooperativeLevel, (HWND window, DWORD flags), (override));
    MOCK_METHOD(HRESULT, SetDisplayMode,
                (DWORD width, DWORD height, DWORD bpp, DWORD refreshRate, DWORD flags),
                (override));
    MOCK_METHOD(HRESULT, CreateSurface,
                (DDSURFACEDESC2 * desc, IDirectDrawSurface7 **surface, IUnknown *outer),
                (override));
    MOCK_METHOD(HRESULT, CreatePalette,
                (DWORD flags, PALETTEENTRY *entries, IDirectDrawPalette **palette,
                 IUnknown *outer),
                (override));
    MOCK_METHOD(HRESULT, CreateClipper,
                (DWORD flags, IDirectDrawClipper **clipper, IUnknown *outer), (override));
};

class MockSurface : public IDirectDrawSurface7 {
public:
    ~MockSurface() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, GetAttachedSurface, (DDSCAPS2 * caps, IDirectDrawSurface7 **surface),
                (override));
    MOCK_METHOD(HRESULT, GetPixelFormat, (DDPIXELFORMAT * format), (override));
    MOCK_METHOD(HRESULT, SetColorKey, (DWORD flags, DDCOLORKEY *key), (override));
    MOCK_METHOD(HRESULT, Blt,
                (RECT * destRect, IDirectDrawSurface7 *source, RECT *sourceRect, DWORD flags,
                 DDBLTFX *fx),
                (override));
    MOCK_METHOD(HRESULT, Flip, (IDirectDrawSurface7 * target, DWORD flags), (override));
    MOCK_METHOD(HRESULT, Lock, (RECT * rect, DDSURFACEDESC2 *desc, DWORD flags, HANDLE event),
                (override));
    MOCK_METHOD(HRESULT, Unlock, (RECT * rect), (override));
    MOCK_METHOD(HRESULT, GetDC, (HDC * dc), (override));
    MOCK_METHOD(HRESULT, ReleaseDC, (HDC dc), (override));
    MOCK_METHOD(HRESULT, SetClipper, (IDirectDrawClipper * clipper), (override));
    MOCK_METHOD(HRESULT, SetPalette, (IDirectDrawPalette * palette), (override));
};

class MockClipper : public IDirectDrawClipper {
public:
    ~MockClipper() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
    MOCK_METHOD(HRESULT, SetClipList, (RGNDATA * region, DWORD flags), (override));
    MOCK_METHOD(HRESULT, SetHWnd, (DWORD flags, HWND window), (override));
};

class MockPalette : public IDirectDrawPalette {
public:
    ~MockPalette() override = default;
    MOCK_METHOD(ULONG, AddRef, (), (override));
    MOCK_METHOD(ULONG, Release, (), (override));
};

// Objects made by a Create or Get call are handed out with
// DoAll(SetArgPointee<N>(object), Return(DD_OK)).

// Fills a lock description the way a successful Lock does.
ACTION_P2(FillLock, pixels, pitch)
{
    arg1->lpSurface = pixels;
    arg1->lPitch = pitch;
    return DD_OK;
}

// Reports a pixel format of the given bit count.
ACTION_P(ReportBits, bits)
{
    arg0->dwRGBBitCount = bits;
    return DD_OK;
}
