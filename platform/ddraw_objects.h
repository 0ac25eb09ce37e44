// ddraw_objects.h -- the objects behind the DirectDraw interfaces, shared by the platform's own files
#pragma once

#include "platform/ddraw.h"
#include "platform/com_object.h"

struct SDL_Surface;
struct SDL_Palette;

// Largest side of a surface; anything bigger is a mistake, not a picture.
#define MAX_SURFACE_SIDE 8192

struct DirectDrawObject : ComObject<IDirectDraw7> {
    ~DirectDrawObject() override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bpp, DWORD refreshRate,
                           DWORD flags) override;
    HRESULT CreateSurface(DDSURFACEDESC2 *desc, IDirectDrawSurface7 **surface,
                          IUnknown *outer) override;
    HRESULT CreatePalette(DWORD flags, PALETTEENTRY *entries, IDirectDrawPalette **palette,
                          IUnknown *outer) override;
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper **clipper, IUnknown *outer) override;

    HWND window = nullptr;
    // Cooperative level flags; 0 until SetCooperativeLevel succeeds.
    DWORD level = 0;
    // The mode SetDisplayMode asked for; 0 wide means the window's own size.
    int modeWidth = 0;
    int modeHeight = 0;
    int modeBits = 16;
    // The window was made to cover the desktop and goes back when this object goes.
    bool coversDesktop = false;
};

struct ClipperObject : ComObject<IDirectDrawClipper> {
    ~ClipperObject() override;
    HRESULT SetClipList(RGNDATA *region, DWORD flags) override;
    HRESULT SetHWnd(DWORD flags, HWND window) override;

    // The clip list, in the coordinates of the surfaces it is attached to.
    RECT *rects = nullptr;
    int count = 0;
    // Set by SetHWnd: the list is then the window's rectangle on the screen, taken at each use.
    HWND window = nullptr;
};

struct PaletteObject : ComObject<IDirectDrawPalette> {
    ~PaletteObject() override;

    SDL_Palette *colors = nullptr;
};

struct SurfaceObject : ComObject<IDirectDrawSurface7> {
    ~SurfaceObject() override;
    HRESULT GetAttachedSurface(DDSCAPS2 *caps, IDirectDrawSurface7 **surface) override;
    HRESULT GetPixelFormat(DDPIXELFORMAT *format) override;
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY *key) override;
    HRESULT Blt(RECT *destRect, IDirectDrawSurface7 *source, RECT *sourceRect, DWORD flags,
                DDBLTFX *fx) override;
    HRESULT Flip(IDirectDrawSurface7 *target, DWORD flags) override;
    HRESULT Lock(RECT *rect, DDSURFACEDESC2 *desc, DWORD flags, HANDLE event) override;
    HRESULT Unlock(RECT *rect) override;
    HRESULT GetDC(HDC *dc) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT SetClipper(IDirectDrawClipper *clipper) override;
    HRESULT SetPalette(IDirectDrawPalette *palette) override;

    DWORD caps = 0;
    // 16 (5.6.5) or 8 (palette indexes).
    int bits = 16;
    // Swapped with the back buffer's by Flip, so always read it through the object.
    SDL_Surface *pixels = nullptr;
    // A primary shows on the window whenever it changes.
    bool primary = false;
    // A windowed primary stands for the window: its (0, 0) is the window's top-left on screen.
    HWND window = nullptr;
    // The head of a flip chain holds its back buffer.
    SurfaceObject *backBuffer = nullptr;
    ClipperObject *clipper = nullptr;
    PaletteObject *palette = nullptr;
    bool keyed = false;
    DWORD key = 0;
    bool locked = false;
    // The device context handed out by GetDC, null when none is out.
    HDC dc = nullptr;
};

// Makes a surface of the given size and depth with its pixels cleared; null when out of memory.
SurfaceObject *NewSurface(int width, int height, int bits, DWORD caps);
// Puts a primary surface's pixels on the window; other surfaces are left alone. A frame
// present is a flip or a copy, as opposed to a fill or text drawn straight on the primary.
HRESULT ShowIfPrimary(SurfaceObject *surface, bool framePresent = false);
// The clip rectangles of a clipper; a window clipper's one rectangle is written to *scratch.
int ClipListOf(const ClipperObject *clipper, RECT *scratch, const RECT **list);
