// ddraw_surface.cpp -- a surface's life, attachments, lock, device context and flip
#include <SDL.h>

#include <new>
#include <utility>

#include "platform/ddraw_objects.h"
#include "platform/gdi_dc.h"
#include "platform/present.h"

SurfaceObject *NewSurface(int width, int height, int bits, DWORD caps)
{
    Uint32 format = bits == 8 ? SDL_PIXELFORMAT_INDEX8 : SDL_PIXELFORMAT_RGB565;
    SDL_Surface *pixels = SDL_CreateRGBSurfaceWithFormat(0, width, height, bits, format);
    if (pixels == nullptr)
        return nullptr;
    SurfaceObject *made = new (std::nothrow) SurfaceObject;
    if (made == nullptr) {
        SDL_FreeSurface(pixels);
        return nullptr;
    }
    made->pixels = pixels;
    made->bits = bits;
    made->caps = caps;
    return made;
}

HRESULT ShowIfPrimary(SurfaceObject *surface, bool framePresent)
{
    if (!surface->primary)
        return DD_OK;
    SDL_Palette *colors = surface->palette ? surface->palette->colors : nullptr;
    return PresentFrame(surface->pixels, colors, framePresent) ? DD_OK : DDERR_GENERIC;
}

SurfaceObject::~SurfaceObject()
{
    if (dc != nullptr)
        CloseSurfaceDc(dc);
    if (clipper != nullptr)
        clipper->Release();
    if (palette != nullptr)
        palette->Release();
    if (backBuffer != nullptr)
        backBuffer->Release();
    if (primary)
        ClosePresenter();
    SDL_FreeSurface(pixels);
}

HRESULT SurfaceObject::GetAttachedSurface(DDSCAPS2 *wanted, IDirectDrawSurface7 **surface)
{
    if (wanted == nullptr || surface == nullptr)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (!(wanted->dwCaps & DDSCAPS_BACKBUFFER) || backBuffer == nullptr)
        return DDERR_NOTFOUND;
    backBuffer->AddRef();
    *surface = backBuffer;
    return DD_OK;
}

HRESULT SurfaceObject::GetPixelFormat(DDPIXELFORMAT *format)
{
    if (format == nullptr)
        return DDERR_INVALIDPARAMS;
    *format = DDPIXELFORMAT{};
    format->dwSize = sizeof(DDPIXELFORMAT);
    format->dwRGBBitCount = (DWORD)bits;
    if (bits == 8) {
        format->dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    } else {
        format->dwFlags = DDPF_RGB;
        format->dwRBitMask = 0xF800;
        format->dwGBitMask = 0x07E0;
        format->dwBBitMask = 0x001F;
    }
    return DD_OK;
}

HRESULT SurfaceObject::SetColorKey(DWORD flags, DDCOLORKEY *newKey)
{
    if (flags != DDCKEY_SRCBLT)
        return DDERR_UNSUPPORTED;
    if (newKey == nullptr) {
        keyed = false;
        return DD_OK;
    }
    DWORD mask = bits == 8 ? 0xFF : 0xFFFF;
    // One colour only: a range would need a comparison the keyed copy does not make.
    if ((newKey->dwColorSpaceLowValue & mask) != (newKey->dwColorSpaceHighValue & mask))
        return DDERR_UNSUPPORTED;
    keyed = true;
    key = newKey->dwColorSpaceLowValue & mask;
    return DD_OK;
}

// The buffers trade places, as on a display, so the back buffer holds the older frame after it.
HRESULT SurfaceObject::Flip(IDirectDrawSurface7 *target, DWORD)
{
    if (backBuffer == nullptr)
        return DDERR_NOTFLIPPABLE;
    if (target != nullptr && target != backBuffer)
        return DDERR_INVALIDPARAMS;
    if (locked || dc != nullptr || backBuffer->locked || backBuffer->dc != nullptr)
        return DDERR_SURFACEBUSY;
    std::swap(pixels, backBuffer->pixels);
    HRESULT shown = ShowIfPrimary(this, true);
    // A flip that could not be shown changes nothing, so that trying again shows this frame.
    if (FAILED(shown))
        std::swap(pixels, backBuffer->pixels);
    return shown;
}

HRESULT SurfaceObject::Lock(RECT *rect, DDSURFACEDESC2 *desc, DWORD, HANDLE)
{
    if (desc == nullptr)
        return DDERR_INVALIDPARAMS;
    if (locked || dc != nullptr)
        return DDERR_SURFACEBUSY;
    RECT whole = {0, 0, pixels->w, pixels->h};
    RECT area = rect ? *rect : whole;
    if (area.left < 0 || area.top < 0 || area.left > area.right || area.top > area.bottom ||
        area.right > whole.right || area.bottom > whole.bottom)
        return DDERR_INVALIDRECT;
    DWORD size = desc->dwSize;
    *desc = DDSURFACEDESC2{};
    desc->dwSize = size;
    desc->dwFlags =
        DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_LPSURFACE | DDSD_PIXELFORMAT;
    desc->dwWidth = (DWORD)(area.right - area.left);
    desc->dwHeight = (DWORD)(area.bottom - area.top);
    desc->lPitch = pixels->pitch;
    desc->lpSurface =
        (Uint8 *)pixels->pixels + (long)area.top * pixels->pitch + area.left * (bits / 8);
    desc->ddsCaps.dwCaps = caps;
    GetPixelFormat(&desc->ddpfPixelFormat);
    locked = true;
    return DD_OK;
}

HRESULT SurfaceObject::Unlock(RECT *)
{
    if (!locked)
        return DDERR_NOTLOCKED;
    locked = false;
    return ShowIfPrimary(this);
}

HRESULT SurfaceObject::GetDC(HDC *handle)
{
    if (handle == nullptr)
        return DDERR_INVALIDPARAMS;
    *handle = nullptr;
    if (locked)
        return DDERR_SURFACEBUSY;
    if (dc != nullptr)
        return DDERR_DCALREADYCREATED;
    dc = OpenSurfaceDc(this);
    if (dc == nullptr)
        return DDERR_OUTOFMEMORY;
    *handle = dc;
    return DD_OK;
}

HRESULT SurfaceObject::ReleaseDC(HDC handle)
{
    if (handle == nullptr || handle != dc)
        return DDERR_INVALIDPARAMS;
    CloseSurfaceDc(dc);
    dc = nullptr;
    return ShowIfPrimary(this);
}

HRESULT SurfaceObject::SetClipper(IDirectDrawClipper *attached)
{
    ClipperObject *own = dynamic_cast<ClipperObject *>(attached);
    if (attached != nullptr && own == nullptr)
        return DDERR_INVALIDOBJECT;
    if (own != nullptr)
        own->AddRef();
    if (clipper != nullptr)
        clipper->Release();
    clipper = own;
    return DD_OK;
}

HRESULT SurfaceObject::SetPalette(IDirectDrawPalette *attached)
{
    PaletteObject *own = dynamic_cast<PaletteObject *>(attached);
    if (attached != nullptr && own == nullptr)
        return DDERR_INVALIDOBJECT;
    if (own != nullptr)
        own->AddRef();
    if (palette != nullptr)
        palette->Release();
    palette = own;
    return DD_OK;
}
