// present.h -- puts a finished frame on the window, scaled to fit, and keeps a copy of it
#pragma once

#include <cstdint>

struct SDL_Window;
struct SDL_Surface;
struct SDL_Palette;

// Makes the renderer that shows frames of the given size on window. 0 when one is already open
// or the renderer cannot be made.
int OpenPresenter(SDL_Window *window, int width, int height);
void ClosePresenter(void);
int IsPresenterOpen(void);
// Shows frame (5.6.5, or palette indexes seen through palette). Never waits for the retrace.
// A counted present is one of the program's frames (a flip, or a copy onto the window), the
// ones screenshots are numbered by; fills and text on the primary surface show uncounted.
int PresentFrame(SDL_Surface *frame, SDL_Palette *palette, bool counted = false);
// The last frame shown, 5.6.5, pitch bytes a row; null before the first present.
const uint16_t *ShownFrame(int *width, int *height, int *pitch);
// Makes window cover the desktop, or go back to the frame's own size; 0 when refused.
int CoverDesktop(SDL_Window *window, bool cover);
// Between covering the desktop and the window's own size; 0 when no presenter is open.
int ToggleFullScreen(void);
