// upload.cpp -- copies a loaded picture row by row into an offscreen surface
#include "display/upload.h"

#include <cstring>

#include "display/bmp.h"

// The copy reads width x height 16-bit pixels of the picture and writes as many into the
// locked surface; when either side holds less, the copy is skipped rather than overrun.
static int CanCopy(int loaded, int width, int height, const DDSURFACEDESC2 &desc)
{
    const BITMAPINFOHEADER &picture = sharedBmp.infoHeader;
    if (!loaded || sharedBmp.pixels == nullptr || picture.biBitCount != 16)
        return 0;
    if (width <= 0 || height <= 0)
        return 1;
    if (picture.biWidth < width || picture.biHeight < height)
        return 0;
    if (desc.lpSurface == nullptr || desc.lPitch < (LONG)width * 2)
        return 0;
    // When the lock tells the surface's size, the rows must fit into it too.
    if ((desc.dwFlags & DDSD_WIDTH) && desc.dwWidth < (DWORD)width)
        return 0;
    if ((desc.dwFlags & DDSD_HEIGHT) && desc.dwHeight < (DWORD)height)
        return 0;
    return 1;
}

int LoadSurfaceImage(int width, int height, const char *fileName, IDirectDrawSurface7 *surface)
{
    int loaded = ReadBmp(&sharedBmp, fileName);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    int locked = surface && SUCCEEDED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr));
    int copied = locked && CanCopy(loaded, width, height, desc);
    if (copied && width > 0) {
        BYTE *dest = (BYTE *)desc.lpSurface;
        const BYTE *source = sharedBmp.pixels;
        // Rows of the picture are its own width apart, however much of them is copied.
        size_t sourceStride = (size_t)sharedBmp.infoHeader.biWidth * 2;
        for (int row = 0; row < height; row++) {
            memcpy(dest, source, (size_t)width * 2);
            dest += desc.lPitch;
            source += sourceStride;
        }
    }
    if (locked)
        surface->Unlock(nullptr);
    FreeBmp(&sharedBmp);
    return copied;
}
