// upload.h -- copies a picture file into an offscreen surface
#pragma once

#include "platform/ddraw.h"

// Copies the top-left width x height pixels of a 16- or 24-bit picture file into surface,
// going through sharedBmp. 0 when the copy had to be skipped; the surface then keeps
// what it was made with.
int LoadSurfaceImage(int width, int height, const char *fileName, IDirectDrawSurface7 *surface);
