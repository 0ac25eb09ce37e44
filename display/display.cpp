// display.cpp -- opens the screen through DirectDraw and releases it again at the end
#include "display/display.h"

#include <cstring>

#include "display/palette.h"
#include "display/surface.h"
#include "shell/entry.h"
#include "shell/log.h"

// The DirectDraw object everything else is made from.
IDirectDraw7 *directDraw = nullptr;
// The visible surface: head of the flip chain, or the desktop when windowed.
IDirectDrawSurface7 *primarySurface = nullptr;
// Where each frame is drawn before ShowFrame presents it.
IDirectDrawSurface7 *backSurface = nullptr;
// One rectangle covering the display, so blits past its edges are cut rather than refused.
IDirectDrawClipper *backClipper = nullptr;
// Windowed only: bound to mainWindow.
IDirectDrawClipper *windowClipper = nullptr;
// 8-bit only.
IDirectDrawPalette *displayPalette = nullptr;
// The 8-bit palette's colours as read from the palette file.
PALETTEENTRY paletteEntries[256] = {};
// The mode OpenDisplay was asked for.
int displayWidth = 0;
int displayHeight = 0;
int displayBpp = 0;
int windowedMode = 0;
// 16 until the display opens, so a picture loaded earlier is packed 5.6.5.
int pixelBits = 16;
// Shared scratch record; see display.h.
DDSURFACEDESC2 surfaceDesc = {};

static const DWORD FULL_SCREEN_LEVEL =
    DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT | DDSCL_ALLOWMODEX | DDSCL_MULTITHREADED;
static const char *PALETTE_FILE = "PALDATA2.PAL";
// Windowed, the system keeps the first and last ten palette entries for itself.
static const int SYSTEM_ENTRIES = 10;

static int OpenPalette(int windowed)
{
    memset(paletteEntries, 0, sizeof paletteEntries);
    // Without the file the palette stays black, which is still a usable palette.
    ReadPaletteText(PALETTE_FILE, paletteEntries);
    if (windowed) {
        for (int i = 0; i < SYSTEM_ENTRIES; i++) {
            paletteEntries[i].peFlags = PC_EXPLICIT;
            paletteEntries[255 - i].peFlags = PC_EXPLICIT;
        }
    }
    DWORD caps = windowed ? DDPCAPS_8BIT : DDPCAPS_8BIT | DDPCAPS_ALLOW256;
    if (FAILED(directDraw->CreatePalette(caps, paletteEntries, &displayPalette, nullptr)))
        return 0;
    if (FAILED(primarySurface->SetPalette(displayPalette)))
        return 0;
    return 1;
}

static int ClipToWindow(void)
{
    if (FAILED(directDraw->CreateClipper(0, &windowClipper, nullptr)))
        return 0;
    if (FAILED(windowClipper->SetHWnd(0, mainWindow)))
        return 0;
    if (FAILED(primarySurface->SetClipper(windowClipper)))
        return 0;
    return 1;
}

int OpenDisplay(int width, int height, int bpp, int windowed)
{
    if (FAILED(DirectDrawCreateEx(nullptr, (LPVOID *)&directDraw, IID_IDirectDraw7, nullptr)))
        return 0;
    if (windowed) {
        if (FAILED(directDraw->SetCooperativeLevel(mainWindow, DDSCL_NORMAL)))
            return 0;
    } else {
        if (FAILED(directDraw->SetCooperativeLevel(mainWindow, FULL_SCREEN_LEVEL)))
            return 0;
        if (FAILED(directDraw->SetDisplayMode(width, height, bpp, 0, 0)))
            return 0;
    }
    displayBpp = bpp;
    displayHeight = height;
    displayWidth = width;
    windowedMode = windowed;

    memset(&surfaceDesc, 0, sizeof surfaceDesc);
    surfaceDesc.dwSize = sizeof surfaceDesc;
    if (windowed) {
        surfaceDesc.dwFlags = DDSD_CAPS;
        surfaceDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        surfaceDesc.dwBackBufferCount = 0;
    } else {
        surfaceDesc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        surfaceDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        surfaceDesc.dwBackBufferCount = 1;
    }
    // Everything below draws through the primary surface, so there is no going on without it.
    if (FAILED(directDraw->CreateSurface(&surfaceDesc, &primarySurface, nullptr)) ||
        primarySurface == nullptr)
        return 0;

    // A query that fills nothing leaves 0, which then counts as 5.6.5.
    DDPIXELFORMAT format = {};
    format.dwSize = sizeof format;
    primarySurface->GetPixelFormat(&format);
    pixelBits = (int)format.dwRGBBitCount;
    LogLine("\npixel format = %d", pixelBits);
    LogLine(pixelBits == 15 ? "\npixel format = 5.5.5" : "\npixel format = 5.6.5");

    if (windowed) {
        backSurface = MakeSurface(width, height, 0, 0);
    } else {
        DDSCAPS2 caps = {DDSCAPS_BACKBUFFER, 0, 0, 0};
        if (FAILED(primarySurface->GetAttachedSurface(&caps, &backSurface)))
            return 0;
    }
    if (backSurface == nullptr)
        return 0;

    // The depth asked for decides, whatever the surface reports.
    if (displayBpp == 8 && !OpenPalette(windowed))
        return 0;

    if (!windowed)
        ClearSurface(primarySurface, 0, nullptr);
    ClearSurface(backSurface, 0, nullptr);

    RECT whole = {0, 0, displayWidth, displayHeight};
    backClipper = MakeClipper(backSurface, 1, &whole);

    if (windowed && !ClipToWindow())
        return 0;
    return 1;
}

int CloseDisplay(void)
{
    // Reverse order of making; a partly open display has nulls where it stopped.
    if (backClipper)
        backClipper->Release();
    if (windowClipper)
        windowClipper->Release();
    if (displayPalette)
        displayPalette->Release();
    if (backSurface)
        backSurface->Release();
    if (primarySurface)
        primarySurface->Release();
    if (directDraw)
        directDraw->Release();
    return 1;
}
