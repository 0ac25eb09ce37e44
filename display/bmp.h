// bmp.h -- a Windows bitmap loaded into memory as top-down 8- or 16-bit pixels
#pragma once

#include "platform/ddraw.h"
#include "platform/wingdi.h"

struct BmpImage {
    BITMAPFILEHEADER fileHeader;
    // After a 24-bit load biBitCount reads 16, describing the buffer rather than the file.
    BITMAPINFOHEADER infoHeader;
    // An 8-bit file's colour table as red, green, blue, PC_NOCOLLAPSE.
    PALETTEENTRY palette[256];
    // Packed rows, top row first; null when the record holds no picture.
    BYTE *pixels;
};

// The one record every picture goes through, empty between uploads.
extern BmpImage sharedBmp;

// Loads an uncompressed bottom-up 8-, 16- or 24-bit file, 24-bit converted to the display's
// 16-bit layout. 1 when image holds the picture, 0 when the file was refused.
int ReadBmp(BmpImage *image, const char *fileName);
// Releases the pixels, if any, keeping the headers. Always 1.
int FreeBmp(BmpImage *image);
// Turns rows of rowBytes bytes upside down. 0, with buffer unchanged, when out of memory.
int FlipRows(void *buffer, int rowBytes, int rows);
