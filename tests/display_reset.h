// display_reset.h -- puts the process-wide display state back to closed between tests
#pragma once

#include <cstring>

#include "display/bmp.h"
#include "display/display.h"
#include "display/surface.h"

inline void ResetDisplay(void)
{
    directDraw = nullptr;
    primarySurface = nullptr;
    backSurface = nullptr;
    backClipper = nullptr;
    windowClipper = nullptr;
    displayPalette = nullptr;
    memset(paletteEntries, 0, sizeof paletteEntries);
    displayWidth = displayHeight = displayBpp = windowedMode = 0;
    pixelBits = 16;
    memset(&surfaceDesc, 0, sizeof surfaceDesc);
    lockedBack = nullptr;
    lockedBackPitch = 0;
    FreeBmp(&sharedBmp);
    memset(&sharedBmp, 0, sizeof sharedBmp);
}
