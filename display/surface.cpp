// surface.cpp -- offscreen surfaces, fills, the back surface's lock and presenting a frame
#include "display/surface.h"

#include <cstring>

#include "display/display.h"
#include "platform/winuser.h"
#include "shell/entry.h"

// Top-left pixel of the locked back surface; null while unlocked.
Pixel16 *lockedBack = nullptr;
// Row distance in bytes of the locked back surface; 0 while unlocked.
int lockedBackPitch = 0;

// A flip that keeps failing (the display taken away from us) must not hang the frame.
static const int FLIP_TRIES = 100;

IDirectDrawSurface7 *MakeSurface(int width, int height, DWORD memoryCaps, int colorKey)
{
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = (DWORD)width;
    desc.dwHeight = (DWORD)height;
    desc.ddsCaps.dwCaps = memoryCaps | DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface7 *surface = nullptr;
    if (directDraw == nullptr || FAILED(directDraw->CreateSurface(&desc, &surface, nullptr)))
        return nullptr;
    if (surface == nullptr)
        return nullptr;
    // Every picture surface is keyed, even with 0: black is then the transparent colour.
    DDCOLORKEY key = {};
    key.dwColorSpaceLowValue = (DWORD)colorKey & 0xFFFF;
    key.dwColorSpaceHighValue = (DWORD)colorKey & 0xFFFF;
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
    return surface;
}

int ClearSurface(IDirectDrawSurface7 *surface, int color, RECT *rect)
{
    if (surface == nullptr)
        return 1;
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = (DWORD)color & 0xFFFF;
    surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    return 1;
}

void LockBackSurface(void)
{
    if (lockedBack != nullptr || backSurface == nullptr)
        return;
    memset(&surfaceDesc, 0, sizeof surfaceDesc);
    surfaceDesc.dwSize = sizeof surfaceDesc;
    if (FAILED(backSurface->Lock(nullptr, &surfaceDesc, DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT,
                                 nullptr)))
        return;
    lockedBack = (Pixel16 *)surfaceDesc.lpSurface;
    lockedBackPitch = lockedBack ? (int)surfaceDesc.lPitch : 0;
}

int UnlockBackSurface(void)
{
    if (lockedBack == nullptr)
        return 0;
    backSurface->Unlock(nullptr);
    lockedBack = nullptr;
    lockedBackPitch = 0;
    return 1;
}

static int FlipFrame(void)
{
    for (int i = 0; i < FLIP_TRIES; i++) {
        if (SUCCEEDED(primarySurface->Flip(nullptr, DDFLIP_WAIT)))
            return 1;
    }
    return 0;
}

// The primary's window clipper keeps the copy inside the visible part of the window.
static int CopyToWindow(void)
{
    if (backSurface == nullptr)
        return 0;
    RECT window = {};
    GetWindowRect(mainWindow, &window);
    RECT dest = {window.left, window.top, window.left + displayWidth, window.top + displayHeight};
    if (FAILED(primarySurface->Blt(&dest, backSurface, nullptr, DDBLT_WAIT, nullptr)))
        return 0;
    return 1;
}

int ShowFrame(void)
{
    if (lockedBack != nullptr || primarySurface == nullptr)
        return 0;
    return windowedMode ? CopyToWindow() : FlipFrame();
}
