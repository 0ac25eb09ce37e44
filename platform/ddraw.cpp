// ddraw.cpp -- the DirectDraw object: cooperative level, display mode and making surfaces
#include <SDL.h>

#include <new>

#include "platform/ddraw_objects.h"
#include "platform/options.h"
#include "platform/present.h"
#include "platform/sdl_window.h"
#include "platform/seam.h"

// Our own value; nothing outside this program compares it.
const GUID IID_IDirectDraw7 = {0x5a41f007, 0x7d1e, 0x4c2b,
                               {0x9e, 0x31, 0x6a, 0x0d, 0x2f, 0x44, 0x81, 0x07}};

static const DWORD FULL_SCREEN_FLAGS = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE;
static const DWORD PRIMARY_CHAIN_CAPS = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
static const DWORD OFFSCREEN_CAPS = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;

HRESULT DirectDrawCreateEx(GUID *device, LPVOID *directDraw, REFIID iid, IUnknown *outer)
{
    if (directDrawCreateHook)
        return directDrawCreateHook(device, directDraw, iid, outer);
    if (directDraw == nullptr)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    // Only the default device exists, and it shows nothing until SDL's video is up.
    if (device != nullptr || outer != nullptr || !(iid == IID_IDirectDraw7))
        return DDERR_INVALIDPARAMS;
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return DDERR_GENERIC;
    DirectDrawObject *made = new (std::nothrow) DirectDrawObject;
    if (made == nullptr)
        return DDERR_OUTOFMEMORY;
    *directDraw = static_cast<IDirectDraw7 *>(made);
    return DD_OK;
}

DirectDrawObject::~DirectDrawObject()
{
    // Like the end of an exclusive mode: the desktop gets its window back.
    SDL_Window *sdl = SdlWindowOf(window);
    if (coversDesktop && sdl != nullptr)
        SDL_SetWindowFullscreen(sdl, 0);
}

HRESULT DirectDrawObject::SetCooperativeLevel(HWND target, DWORD flags)
{
    bool fullScreen = (flags & FULL_SCREEN_FLAGS) != 0;
    bool normal = (flags & DDSCL_NORMAL) != 0;
    if (fullScreen == normal)
        return DDERR_INVALIDPARAMS;
    if (fullScreen &&
        ((flags & FULL_SCREEN_FLAGS) != FULL_SCREEN_FLAGS || SdlWindowOf(target) == nullptr))
        return DDERR_INVALIDPARAMS;
    window = target;
    level = flags;
    return DD_OK;
}

// The desktop keeps its own mode: the window covers it and the frame is scaled to fit.
HRESULT DirectDrawObject::SetDisplayMode(DWORD width, DWORD height, DWORD bpp, DWORD, DWORD flags)
{
    if (!(level & DDSCL_EXCLUSIVE))
        return DDERR_NOEXCLUSIVEMODE;
    if (flags != 0)
        return DDERR_INVALIDPARAMS;
    if ((bpp != 8 && bpp != 16) || width == 0 || height == 0 || width > MAX_SURFACE_SIDE ||
        height > MAX_SURFACE_SIDE)
        return DDERR_INVALIDMODE;
    SDL_Window *sdl = SdlWindowOf(window);
    if (sdl == nullptr)
        return DDERR_GENERIC;
    // The player may ask for the game in its own window (--window); F11 switches later.
    if (!runOptions.windowed && !CoverDesktop(sdl, true))
        return DDERR_GENERIC;
    coversDesktop = !runOptions.windowed;
    modeWidth = (int)width;
    modeHeight = (int)height;
    modeBits = (int)bpp;
    return DD_OK;
}

static HRESULT CreatePrimary(DirectDrawObject *owner, const DDSURFACEDESC2 *desc,
                             SurfaceObject **made)
{
    DWORD caps = desc->ddsCaps.dwCaps;
    bool chain = (caps & DDSCAPS_FLIP) != 0;
    if (owner->level == 0)
        return DDERR_NOCOOPERATIVELEVELSET;
    if (desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT))
        return DDERR_INVALIDPARAMS;
    if (chain) {
        if ((caps & PRIMARY_CHAIN_CAPS) != PRIMARY_CHAIN_CAPS ||
            !(desc->dwFlags & DDSD_BACKBUFFERCOUNT))
            return DDERR_INVALIDCAPS;
        if (!(owner->level & DDSCL_EXCLUSIVE))
            return DDERR_NOEXCLUSIVEMODE;
        // The game draws into one back buffer; longer chains are not needed.
        if (desc->dwBackBufferCount != 1)
            return DDERR_UNSUPPORTED;
    } else if (caps != DDSCAPS_PRIMARYSURFACE) {
        return DDERR_INVALIDCAPS;
    }
    SDL_Window *sdl = SdlWindowOf(owner->window);
    if (sdl == nullptr)
        return DDERR_GENERIC;
    if (IsPresenterOpen())
        return DDERR_PRIMARYSURFACEALREADYEXISTS;

    int width = owner->modeWidth;
    int height = owner->modeHeight;
    bool windowed = !(owner->level & DDSCL_EXCLUSIVE) || width == 0;
    if (windowed)
        SDL_GetWindowSize(sdl, &width, &height);
    SurfaceObject *primary = NewSurface(width, height, owner->modeBits, caps);
    if (primary == nullptr)
        return DDERR_OUTOFMEMORY;
    primary->primary = true;
    if (!(owner->level & DDSCL_EXCLUSIVE))
        primary->window = owner->window;
    if (chain) {
        primary->backBuffer = NewSurface(width, height, owner->modeBits, DDSCAPS_BACKBUFFER);
        if (primary->backBuffer == nullptr) {
            primary->Release();
            return DDERR_OUTOFMEMORY;
        }
    }
    if (!OpenPresenter(sdl, width, height)) {
        // Not a primary any more, so that its release leaves the presenter alone.
        primary->primary = false;
        primary->Release();
        return DDERR_GENERIC;
    }
    *made = primary;
    return DD_OK;
}

static HRESULT CreateOffscreen(DirectDrawObject *owner, const DDSURFACEDESC2 *desc,
                               SurfaceObject **made)
{
    DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : DDSCAPS_OFFSCREENPLAIN;
    if ((caps & ~OFFSCREEN_CAPS) != 0)
        return DDERR_INVALIDCAPS;
    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) ||
        desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > MAX_SURFACE_SIDE ||
        desc->dwHeight > MAX_SURFACE_SIDE)
        return DDERR_INVALIDPARAMS;
    *made = NewSurface((int)desc->dwWidth, (int)desc->dwHeight, owner->modeBits,
                       caps | DDSCAPS_OFFSCREENPLAIN);
    return *made ? DD_OK : DDERR_OUTOFMEMORY;
}

HRESULT DirectDrawObject::CreateSurface(DDSURFACEDESC2 *desc, IDirectDrawSurface7 **surface,
                                        IUnknown *outer)
{
    if (surface == nullptr)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (desc == nullptr || outer != nullptr)
        return DDERR_INVALIDPARAMS;
    // Every surface takes the display's pixel format.
    if (desc->dwFlags & DDSD_PIXELFORMAT)
        return DDERR_INVALIDPIXELFORMAT;
    SurfaceObject *made = nullptr;
    bool primary = (desc->dwFlags & DDSD_CAPS) && (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE);
    HRESULT result = primary ? CreatePrimary(this, desc, &made) : CreateOffscreen(this, desc, &made);
    if (SUCCEEDED(result))
        *surface = made;
    return result;
}

HRESULT DirectDrawObject::CreatePalette(DWORD flags, PALETTEENTRY *entries,
                                        IDirectDrawPalette **palette, IUnknown *outer)
{
    if (palette == nullptr)
        return DDERR_INVALIDPARAMS;
    *palette = nullptr;
    if (!(flags & DDPCAPS_8BIT) || entries == nullptr || outer != nullptr)
        return DDERR_INVALIDPARAMS;
    PaletteObject *made = new (std::nothrow) PaletteObject;
    if (made == nullptr)
        return DDERR_OUTOFMEMORY;
    made->colors = SDL_AllocPalette(256);
    if (made->colors == nullptr) {
        made->Release();
        return DDERR_OUTOFMEMORY;
    }
    SDL_Color colors[256] = {};
    for (int i = 0; i < 256; i++)
        colors[i] = SDL_Color{entries[i].peRed, entries[i].peGreen, entries[i].peBlue, 255};
    SDL_SetPaletteColors(made->colors, colors, 0, 256);
    *palette = made;
    return DD_OK;
}

HRESULT DirectDrawObject::CreateClipper(DWORD flags, IDirectDrawClipper **clipper, IUnknown *outer)
{
    if (clipper == nullptr)
        return DDERR_INVALIDPARAMS;
    *clipper = nullptr;
    if (flags != 0 || outer != nullptr)
        return DDERR_INVALIDPARAMS;
    ClipperObject *made = new (std::nothrow) ClipperObject;
    if (made == nullptr)
        return DDERR_OUTOFMEMORY;
    *clipper = made;
    return DD_OK;
}
