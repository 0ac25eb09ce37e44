// ddraw_blt.cpp -- Blt: colour fills, keyed and plain copies, cut to the surface's clip list
#include <SDL.h>

#include <cstring>

#include "platform/ddraw_objects.h"
#include "platform/keyed_copy.h"
#include "platform/winuser.h"

namespace {

// What one Blt call does to each piece of its destination that survives clipping.
struct BlitJob {
    SurfaceObject *dest;
    SurfaceObject *source;
    // The source's top-left pixel matching the destination rectangle's, in the dest's coordinates.
    long sourceX;
    long sourceY;
    DWORD flags;
    DWORD fillColor;
};

bool IsInside(const RECT &inner, const RECT &outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsOrdered(const RECT &r)
{
    return r.left <= r.right && r.top <= r.bottom;
}

// False when the two do not meet.
bool Intersect(const RECT &a, const RECT &b, RECT *both)
{
    both->left = a.left > b.left ? a.left : b.left;
    both->top = a.top > b.top ? a.top : b.top;
    both->right = a.right < b.right ? a.right : b.right;
    both->bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    return both->left < both->right && both->top < both->bottom;
}

Uint8 *PixelAt(SDL_Surface *surface, long x, long y, int bytes)
{
    return (Uint8 *)surface->pixels + y * surface->pitch + x * bytes;
}

// part is inside the destination surface, in its pixel coordinates (origin already taken off).
void DrawPart(const BlitJob &job, const RECT &part, long sourceLeft, long sourceTop)
{
    SDL_Surface *to = job.dest->pixels;
    int width = (int)(part.right - part.left);
    int height = (int)(part.bottom - part.top);
    if (job.flags & DDBLT_COLORFILL) {
        SDL_Rect area = {(int)part.left, (int)part.top, width, height};
        SDL_FillRect(to, &area, job.fillColor);
        return;
    }
    SDL_Surface *from = job.source->pixels;
    int bytes = job.dest->bits / 8;
    Uint8 *out = PixelAt(to, part.left, part.top, bytes);
    const Uint8 *in = PixelAt(from, sourceLeft, sourceTop, bytes);
    if (job.flags & DDBLT_KEYSRC) {
        if (bytes == 2)
            CopyKeyed16((uint16_t *)out, to->pitch, (const uint16_t *)in, from->pitch, width, height,
                        (uint16_t)job.source->key);
        else
            CopyKeyed8(out, to->pitch, in, from->pitch, width, height, (uint8_t)job.source->key);
        return;
    }
    // SDL's own copy would remap palette indexes between 8-bit surfaces; rows keep them as they are.
    for (int y = 0; y < height; y++)
        memcpy(out + (long)y * to->pitch, in + (long)y * from->pitch, (size_t)width * bytes);
}

} // namespace

HRESULT SurfaceObject::Blt(RECT *destRect, IDirectDrawSurface7 *sourceSurface, RECT *sourceRect,
                           DWORD flags, DDBLTFX *fx)
{
    if (locked || dc != nullptr)
        return DDERR_SURFACEBUSY;
    // A windowed primary is addressed in screen coordinates, like the desktop it stands for.
    RECT place = {};
    if (window != nullptr && !GetWindowRect(window, &place))
        return DDERR_GENERIC;
    RECT bounds = {place.left, place.top, place.left + pixels->w, place.top + pixels->h};
    RECT dest = destRect ? *destRect : bounds;
    if (!IsOrdered(dest))
        return DDERR_INVALIDRECT;

    BlitJob job = {this, nullptr, 0, 0, flags, 0};
    if (flags & DDBLT_COLORFILL) {
        if (fx == nullptr)
            return DDERR_INVALIDPARAMS;
        job.fillColor = fx->dwFillColor & (bits == 8 ? 0xFFu : 0xFFFFu);
    } else {
        if (sourceSurface == nullptr)
            return DDERR_INVALIDPARAMS;
        job.source = dynamic_cast<SurfaceObject *>(sourceSurface);
        if (job.source == nullptr)
            return DDERR_INVALIDOBJECT;
        // Overlapping copies within one surface are never needed.
        if (job.source == this)
            return DDERR_INVALIDPARAMS;
        if (job.source->locked || job.source->dc != nullptr)
            return DDERR_SURFACEBUSY;
        if (job.source->bits != bits)
            return DDERR_INVALIDPIXELFORMAT;
        if ((flags & DDBLT_KEYSRC) && !job.source->keyed)
            return DDERR_NOCOLORKEY;
        RECT whole = {0, 0, job.source->pixels->w, job.source->pixels->h};
        RECT from = sourceRect ? *sourceRect : whole;
        if (!IsOrdered(from) || !IsInside(from, whole))
            return DDERR_INVALIDRECT;
        // No stretching: the two rectangles must be the same size.
        if ((long long)dest.right - dest.left != from.right - from.left ||
            (long long)dest.bottom - dest.top != from.bottom - from.top)
            return DDERR_UNSUPPORTED;
        job.sourceX = from.left;
        job.sourceY = from.top;
    }

    RECT scratch = {};
    const RECT *clips = &bounds;
    int clipCount = 1;
    if (clipper != nullptr) {
        clipCount = ClipListOf(clipper, &scratch, &clips);
    } else if (!IsInside(dest, bounds)) {
        return DDERR_INVALIDRECT;
    }
    for (int i = 0; i < clipCount; i++) {
        RECT visible = {};
        RECT part = {};
        if (!Intersect(clips[i], bounds, &visible) || !Intersect(dest, visible, &part))
            continue;
        // The source is cut by the same amounts as the destination.
        long sourceLeft = job.sourceX + ((long)part.left - dest.left);
        long sourceTop = job.sourceY + ((long)part.top - dest.top);
        RECT local = {part.left - place.left, part.top - place.top, part.right - place.left,
                      part.bottom - place.top};
        DrawPart(job, local, sourceLeft, sourceTop);
    }
    return ShowIfPrimary(this, job.source != nullptr);
}
