// wingdi.h -- stock objects, fonts and text drawn on a surface's device context
#pragma once

#include "platform/wintypes.h"

typedef DWORD COLORREF;
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))

#define BLACK_BRUSH 4
#define TRANSPARENT 1
#define OPAQUE 2

#define DEFAULT_CHARSET 1
#define OUT_STRING_PRECIS 1
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0

HGDIOBJ GetStockObject(int object);
// height is the character cell's height and width the average character width, in pixels.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight,
                  DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                  DWORD outPrecision, DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                  LPCSTR face);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF color);
// text holds count bytes in the program's ANSI code page (cp1251); (x, y) is the top-left corner.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);

// A bitmap file starts with these 14 bytes, packed as on disk; bfType is "BM".
#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14, "the file header is 14 bytes on disk");

// The 40-byte header that follows it; a negative biHeight would mean top-down rows.
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "the info header is 40 bytes on disk");
