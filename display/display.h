// display.h -- the DirectDraw device, the primary and back surfaces, and opening and closing them
#pragma once

#include "platform/ddraw.h"

// Filled by OpenDisplay, released by CloseDisplay; null until then, or when a step failed.
extern IDirectDraw7 *directDraw;
extern IDirectDrawSurface7 *primarySurface;
// Where every frame is drawn: the flip chain's back buffer, or an offscreen surface windowed.
extern IDirectDrawSurface7 *backSurface;
// Keeps blits onto the back surface inside the display; null if it could not be made.
extern IDirectDrawClipper *backClipper;
// Windowed only: keeps the copy onto the primary surface inside the main window.
extern IDirectDrawClipper *windowClipper;
// 8-bit only: the palette on the primary surface, built from paletteEntries.
extern IDirectDrawPalette *displayPalette;
extern PALETTEENTRY paletteEntries[256];

// The mode asked of OpenDisplay; windowedMode nonzero when it opened in the window.
extern int displayWidth;
extern int displayHeight;
extern int displayBpp;
extern int windowedMode;
// Bits per pixel the primary surface reports: 15 means 5.5.5 pixels, anything else 5.6.5.
extern int pixelBits;
// Scratch description: the primary while opening, the lock's result in LockBackSurface.
extern DDSURFACEDESC2 surfaceDesc;

// Takes over the screen for mainWindow: the first display call of start-up. 1 on success;
// 0 leaves whatever was made for CloseDisplay.
int OpenDisplay(int width, int height, int bpp, int windowed);
// Releases whatever OpenDisplay made; the last display call of shut-down. Always 1.
int CloseDisplay(void);
// A new clipper on surface limited to count rectangles, or null; the caller owns one
// reference and the surface holds another.
IDirectDrawClipper *MakeClipper(IDirectDrawSurface7 *surface, int count, const RECT *rects);
