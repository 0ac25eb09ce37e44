// ddraw_clipper.cpp -- clippers (a rectangle list or a window) and palettes
#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "platform/ddraw_objects.h"
#include "platform/winuser.h"

// More rectangles than this is a damaged region, not a clip list.
static const DWORD MAX_CLIP_RECTS = 4096;

ClipperObject::~ClipperObject()
{
    free(rects);
}

HRESULT ClipperObject::SetClipList(RGNDATA *region, DWORD flags)
{
    if (flags != 0 || region == nullptr)
        return DDERR_INVALIDPARAMS;
    const RGNDATAHEADER &header = region->rdh;
    if (header.dwSize != sizeof(RGNDATAHEADER) || header.iType != RDH_RECTANGLES ||
        header.nCount > MAX_CLIP_RECTS)
        return DDERR_INVALIDPARAMS;
    RECT *list = nullptr;
    if (header.nCount > 0) {
        list = (RECT *)malloc(header.nCount * sizeof(RECT));
        if (list == nullptr)
            return DDERR_OUTOFMEMORY;
        // The rectangles follow the header; the block need not be aligned for RECTs.
        memcpy(list, (const char *)region + sizeof(RGNDATAHEADER), header.nCount * sizeof(RECT));
    }
    free(rects);
    rects = list;
    count = (int)header.nCount;
    window = nullptr;
    return DD_OK;
}

HRESULT ClipperObject::SetHWnd(DWORD flags, HWND target)
{
    RECT probe = {};
    if (flags != 0 || !GetWindowRect(target, &probe))
        return DDERR_INVALIDPARAMS;
    free(rects);
    rects = nullptr;
    count = 0;
    window = target;
    return DD_OK;
}

int ClipListOf(const ClipperObject *clipper, RECT *scratch, const RECT **list)
{
    if (clipper->window != nullptr) {
        // A window that has gone shows nothing more.
        if (!GetWindowRect(clipper->window, scratch))
            return 0;
        *list = scratch;
        return 1;
    }
    *list = clipper->rects;
    return clipper->count;
}

PaletteObject::~PaletteObject()
{
    SDL_FreePalette(colors);
}
