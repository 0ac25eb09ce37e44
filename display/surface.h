// surface.h -- making, filling, locking and presenting the surfaces everything draws through
#pragma once

#include "display/pixel.h"
#include "platform/ddraw.h"

// Top-left pixel of the locked back surface, null whenever it is not locked.
extern Pixel16 *lockedBack;
// Bytes from one row of the locked back surface to the next, 0 when not locked.
extern int lockedBackPitch;

// An offscreen surface of the display's pixel format whose source colour key is
// colorKey & 0xFFFF (0 makes black transparent); null on failure. The caller releases it.
IDirectDrawSurface7 *MakeSurface(int width, int height, DWORD memoryCaps, int colorKey);
// Fills rect (null: the whole surface) with color & 0xFFFF. Always 1.
int ClearSurface(IDirectDrawSurface7 *surface, int color, RECT *rect);
// Locks the back surface for direct pixel writes once per frame; a second call does nothing.
void LockBackSurface(void);
// 1 when it unlocked, 0 when nothing was locked.
int UnlockBackSurface(void);
// Makes the finished back surface visible. 0 when it is still locked or presenting failed.
int ShowFrame(void);
