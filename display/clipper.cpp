// clipper.cpp -- builds a clipper from a list of rectangles and attaches it to a surface
#include <cstdlib>
#include <cstring>

#include "display/display.h"

// The bounding box grows from an empty box beyond any screen coordinate.
static const LONG EMPTY_LOW = 64000;
static const LONG EMPTY_HIGH = -64000;

IDirectDrawClipper *MakeClipper(IDirectDrawSurface7 *surface, int count, const RECT *rects)
{
    if (surface == nullptr || count < 0 || (count > 0 && rects == nullptr))
        return nullptr;
    IDirectDrawClipper *clipper = nullptr;
    if (FAILED(directDraw->CreateClipper(0, &clipper, nullptr)) || clipper == nullptr)
        return nullptr;

    size_t headerBytes = sizeof(RGNDATAHEADER);
    size_t listBytes = (size_t)count * sizeof(RECT);
    RGNDATA *region = (RGNDATA *)malloc(headerBytes + listBytes);
    if (region == nullptr) {
        clipper->Release();
        return nullptr;
    }
    RECT *list = (RECT *)((char *)region + headerBytes);
    if (count > 0)
        memcpy(list, rects, listBytes);

    region->rdh.dwSize = (DWORD)headerBytes;
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = (DWORD)count;
    region->rdh.nRgnSize = (DWORD)listBytes;
    RECT bound = {EMPTY_LOW, EMPTY_LOW, EMPTY_HIGH, EMPTY_HIGH};
    for (int i = 0; i < count; i++) {
        if (list[i].left < bound.left)
            bound.left = list[i].left;
        if (list[i].top < bound.top)
            bound.top = list[i].top;
        if (list[i].right > bound.right)
            bound.right = list[i].right;
        if (list[i].bottom > bound.bottom)
            bound.bottom = list[i].bottom;
    }
    region->rdh.rcBound = bound;

    // Nobody else refers to the clipper when it cannot be set up, so it goes at once.
    if (FAILED(clipper->SetClipList(region, 0)) || FAILED(surface->SetClipper(clipper))) {
        free(region);
        clipper->Release();
        return nullptr;
    }
    free(region);
    return clipper;
}
