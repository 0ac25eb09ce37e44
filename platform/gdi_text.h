// gdi_text.h -- fonts made by CreateFontA and the text they render, for the device contexts
#pragma once

#include "platform/wingdi.h"

struct SDL_Surface;
typedef struct _TTF_Font TTF_Font;

// True for a font that CreateFontA made.
bool IsFont(HFONT font);
// The SDL_ttf face behind a font, or null.
TTF_Font *FaceOf(HFONT font);
// Renders count cp1251 bytes in font (null: the default font) and color, anti-aliased on a
// transparent background; the cell's top-left is the surface's. *rendered stays valid until the
// next call, and is null when there is nothing to draw. False on failure.
bool RenderText(HFONT font, const char *text, int count, COLORREF color, SDL_Surface **rendered);
