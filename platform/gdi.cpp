// gdi.cpp -- device contexts on surfaces: stock objects, selections, colours and TextOutA
#include <SDL.h>
#include <SDL_ttf.h>

#include "platform/ddraw_objects.h"
#include "platform/gdi_dc.h"
#include "platform/gdi_text.h"
#include "platform/wingdi.h"

// The game holds one device context at a time; a few spare cost nothing.
static const int MAX_DCS = 8;

struct DeviceContext {
    bool live;
    SurfaceObject *surface;
    HFONT font;
    HGDIOBJ brush;
    int backgroundMode;
    COLORREF textColor;
};

static DeviceContext contexts[MAX_DCS] = {};
// GetStockObject's brushes, WHITE_BRUSH (0) to NULL_BRUSH (5); only their addresses matter.
static char stockBrushes[6] = {};
// What SelectObject hands back for a context's first font: the default it was drawing with.
static char systemFont = 0;

static const COLORREF CLR_INVALID = 0xFFFFFFFF;
// Windows starts every context with an opaque white background.
static const COLORREF BACKGROUND_COLOR = 0xFFFFFF;

static DeviceContext *LiveContext(HDC dc)
{
    for (DeviceContext &context : contexts)
        if (dc == reinterpret_cast<HDC>(&context) && context.live)
            return &context;
    return nullptr;
}

HDC OpenSurfaceDc(SurfaceObject *surface)
{
    for (DeviceContext &context : contexts) {
        if (!context.live) {
            context = DeviceContext{true, surface, nullptr, &stockBrushes[0], OPAQUE, 0};
            return reinterpret_cast<HDC>(&context);
        }
    }
    return nullptr;
}

void CloseSurfaceDc(HDC dc)
{
    DeviceContext *context = LiveContext(dc);
    if (context != nullptr)
        *context = DeviceContext{};
}

HGDIOBJ GetStockObject(int object)
{
    if (object < 0 || object >= (int)sizeof stockBrushes)
        return nullptr;
    return &stockBrushes[object];
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    DeviceContext *context = LiveContext(dc);
    if (context == nullptr || object == nullptr)
        return nullptr;
    for (char &brush : stockBrushes) {
        if (object == &brush) {
            HGDIOBJ previous = context->brush;
            context->brush = object;
            return previous;
        }
    }
    HFONT font = (HFONT)object;
    if (object != &systemFont && !IsFont(font))
        return nullptr;
    HGDIOBJ previous = context->font ? (HGDIOBJ)context->font : &systemFont;
    context->font = object == &systemFont ? nullptr : font;
    return previous;
}

int SetBkMode(HDC dc, int mode)
{
    DeviceContext *context = LiveContext(dc);
    if (context == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    int previous = context->backgroundMode;
    context->backgroundMode = mode;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    DeviceContext *context = LiveContext(dc);
    if (context == nullptr)
        return CLR_INVALID;
    COLORREF previous = context->textColor;
    context->textColor = color & 0xFFFFFF;
    return previous;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count)
{
    DeviceContext *context = LiveContext(dc);
    if (context == nullptr || count < 0 || (text == nullptr && count > 0))
        return FALSE;
    if (count == 0)
        return TRUE;
    SDL_Surface *rendered = nullptr;
    if (!RenderText(context->font, text, count, context->textColor, &rendered))
        return FALSE;
    if (rendered == nullptr)
        return TRUE;
    SDL_Surface *target = context->surface->pixels;
    SDL_Rect place = {x, y, rendered->w, rendered->h};
    if (context->backgroundMode == OPAQUE) {
        SDL_Rect cell = place;
        SDL_FillRect(target, &cell, SDL_MapRGB(target->format, BACKGROUND_COLOR & 0xFF,
                                              (BACKGROUND_COLOR >> 8) & 0xFF,
                                              (BACKGROUND_COLOR >> 16) & 0xFF));
    }
    return SDL_BlitSurface(rendered, nullptr, target, &place) == 0;
}
