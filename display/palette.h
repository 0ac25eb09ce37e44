// palette.h -- the text file of 256 colours an 8-bit display uses
#pragma once

#include "platform/ddraw.h"

// Reads up to 256 entries of red, green, blue and flags, each number modulo 256. Fields the
// file does not reach keep their values. 1 when the file opened, 0 when not.
int ReadPaletteText(const char *fileName, PALETTEENTRY *entries);
