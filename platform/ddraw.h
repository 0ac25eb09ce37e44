// ddraw.h -- the DirectDraw 7 objects, records and flags the display code calls
#pragma once

#include "platform/wintypes.h"

struct IDirectDraw7;
struct IDirectDrawSurface7;
struct IDirectDrawClipper;
struct IDirectDrawPalette;

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};

struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
};

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwFillColor;
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct RGNDATAHEADER {
    DWORD dwSize;
    DWORD iType;
    DWORD nCount;
    DWORD nRgnSize;
    RECT rcBound;
};

struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

#define RDH_RECTANGLES 1

#define PC_EXPLICIT 0x02
#define PC_NOCOLLAPSE 0x04

#define DD_OK S_OK
#define DDERR_GENERIC E_FAIL
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_INVALIDRECT ((HRESULT)0x88760096u)
#define DDERR_SURFACEBUSY ((HRESULT)0x887601AEu)
#define DDERR_NOTLOCKED ((HRESULT)0x887602E6u)
#define DDERR_NOTFOUND ((HRESULT)0x887600FFu)
#define DDERR_UNSUPPORTED ((HRESULT)0x80004001u)
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_NOEXCLUSIVEMODE ((HRESULT)0x887601E1u)
#define DDERR_INVALIDMODE ((HRESULT)0x88760078u)
#define DDERR_INVALIDCAPS ((HRESULT)0x88760064u)
#define DDERR_INVALIDOBJECT ((HRESULT)0x88760082u)
#define DDERR_INVALIDPIXELFORMAT ((HRESULT)0x88760091u)
#define DDERR_NOCOOPERATIVELEVELSET ((HRESULT)0x887600D4u)
#define DDERR_NOCOLORKEY ((HRESULT)0x887600D7u)
#define DDERR_PRIMARYSURFACEALREADYEXISTS ((HRESULT)0x88760234u)
#define DDERR_NOTFLIPPABLE ((HRESULT)0x88760246u)
#define DDERR_DCALREADYCREATED ((HRESULT)0x8876026Cu)

#define DDSCL_FULLSCREEN 0x00000001
#define DDSCL_ALLOWREBOOT 0x00000002
#define DDSCL_NORMAL 0x00000008
#define DDSCL_EXCLUSIVE 0x00000010
#define DDSCL_ALLOWMODEX 0x00000040
#define DDSCL_MULTITHREADED 0x00000400

#define DDSD_CAPS 0x00000001
#define DDSD_HEIGHT 0x00000002
#define DDSD_WIDTH 0x00000004
#define DDSD_PITCH 0x00000008
#define DDSD_BACKBUFFERCOUNT 0x00000020
#define DDSD_LPSURFACE 0x00000800
#define DDSD_PIXELFORMAT 0x00001000

#define DDSCAPS_BACKBUFFER 0x00000004
#define DDSCAPS_COMPLEX 0x00000008
#define DDSCAPS_FLIP 0x00000010
#define DDSCAPS_OFFSCREENPLAIN 0x00000040
#define DDSCAPS_PRIMARYSURFACE 0x00000200
#define DDSCAPS_VIDEOMEMORY 0x00004000

#define DDPF_RGB 0x00000040
#define DDPF_PALETTEINDEXED8 0x00000020

#define DDCKEY_SRCBLT 0x00000008

#define DDBLT_COLORFILL 0x00000400
#define DDBLT_KEYSRC 0x00008000
#define DDBLT_WAIT 0x01000000

#define DDFLIP_WAIT 0x00000001

#define DDLOCK_SURFACEMEMORYPTR 0x00000000
#define DDLOCK_WAIT 0x00000001

#define DDPCAPS_8BIT 0x00000004
#define DDPCAPS_ALLOW256 0x00000040

extern const GUID IID_IDirectDraw7;

struct IDirectDraw7 : IUnknown {
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bpp, DWORD refreshRate,
                                   DWORD flags) = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC2 *desc, IDirectDrawSurface7 **surface,
                                  IUnknown *outer) = 0;
    virtual HRESULT CreatePalette(DWORD flags, PALETTEENTRY *entries,
                                  IDirectDrawPalette **palette, IUnknown *outer) = 0;
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper **clipper,
                                  IUnknown *outer) = 0;
};

struct IDirectDrawSurface7 : IUnknown {
    virtual HRESULT GetAttachedSurface(DDSCAPS2 *caps, IDirectDrawSurface7 **surface) = 0;
    virtual HRESULT GetPixelFormat(DDPIXELFORMAT *format) = 0;
    virtual HRESULT SetColorKey(DWORD flags, DDCOLORKEY *key) = 0;
    // Fill (DDBLT_COLORFILL), keyed copy (DDBLT_KEYSRC) or plain copy; null rectangles mean
    // the whole surface. Source and destination rectangles are of equal size.
    virtual HRESULT Blt(RECT *destRect, IDirectDrawSurface7 *source, RECT *sourceRect,
                        DWORD flags, DDBLTFX *fx) = 0;
    virtual HRESULT Flip(IDirectDrawSurface7 *target, DWORD flags) = 0;
    virtual HRESULT Lock(RECT *rect, DDSURFACEDESC2 *desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(RECT *rect) = 0;
    virtual HRESULT GetDC(HDC *dc) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper *clipper) = 0;
    virtual HRESULT SetPalette(IDirectDrawPalette *palette) = 0;
};

struct IDirectDrawClipper : IUnknown {
    virtual HRESULT SetClipList(RGNDATA *region, DWORD flags) = 0;
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
};

struct IDirectDrawPalette : IUnknown {
};

HRESULT DirectDrawCreateEx(GUID *device, LPVOID *directDraw, REFIID iid, IUnknown *outer);
