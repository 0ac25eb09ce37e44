// bmp.cpp -- reads the Windows bitmap subset that the pictures use
#include "display/bmp.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "display/pixel.h"
#include "platform/winbase.h"

// The one record every picture load goes through.
BmpImage sharedBmp = {};

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the headers are read straight into their records");

static const WORD BMP_MAGIC = 0x4D42;
static const int PALETTE_BYTES = 256 * 4;
// The pixel array may overlap the colour table (a short table), never the two headers.
static const LONG HEADER_BYTES = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

static int ReadExactly(HFILE file, void *buffer, UINT count)
{
    return _lread(file, buffer, count) == count;
}

static int Fail(HFILE file)
{
    _lclose(file);
    return 0;
}

// The file stores blue, green, red, reserved; the palette wants red, green, blue, flags.
static void ConvertColourTable(PALETTEENTRY *palette)
{
    for (int i = 0; i < 256; i++) {
        BYTE blue = palette[i].peRed;
        palette[i].peRed = palette[i].peBlue;
        palette[i].peBlue = blue;
        palette[i].peFlags = PC_NOCOLLAPSE;
    }
}

// The size the rows need when packed, or 0 when the header cannot describe a picture we can
// hold: no pixels, top-down rows, or more bytes than the file or an int can address.
static uint64_t PixelBytes(const BITMAPINFOHEADER &info)
{
    if (info.biWidth <= 0 || info.biHeight <= 0)
        return 0;
    uint64_t bytes = (uint64_t)info.biWidth * (uint64_t)info.biHeight * (info.biBitCount / 8);
    if (bytes > INT32_MAX)
        return 0;
    return bytes;
}

static void Convert24(const BYTE *source, Pixel16 *dest, int count)
{
    // Only a display reporting 15 bits uses 5.5.5; a failed query (0) gets 5.6.5 as logged.
    int layout555 = pixelBits == 15;
    for (int i = 0; i < count; i++) {
        int blue = source[3 * i];
        int green = source[3 * i + 1];
        int red = source[3 * i + 2];
        dest[i] = layout555 ? Pack555(red, green, blue) : Pack565(red, green, blue);
    }
}

int ReadBmp(BmpImage *image, const char *fileName)
{
    if (image == nullptr || fileName == nullptr)
        return 0;
    OFSTRUCT info = {};
    HFILE file = OpenFile(fileName, &info, OF_READ);
    if (file == HFILE_ERROR)
        return 0;

    if (!ReadExactly(file, &image->fileHeader, sizeof image->fileHeader))
        return Fail(file);
    if (image->fileHeader.bfType != BMP_MAGIC)
        return Fail(file);
    if (!ReadExactly(file, &image->infoHeader, sizeof image->infoHeader))
        return Fail(file);
    BITMAPINFOHEADER &header = image->infoHeader;
    if (header.biBitCount == 8) {
        if (!ReadExactly(file, image->palette, PALETTE_BYTES))
            return Fail(file);
        ConvertColourTable(image->palette);
    }
    if (header.biBitCount != 8 && header.biBitCount != 16 && header.biBitCount != 24)
        return Fail(file);

    // The pixel array is found from the end of the file, not from bfOffBits; it must hold
    // every row and lie wholly behind the headers.
    uint64_t needed = PixelBytes(header);
    DWORD stored = header.biSizeImage;
    if (needed == 0 || stored < needed || stored > INT32_MAX)
        return Fail(file);
    LONG start = _llseek(file, -(LONG)stored, FILE_END);
    if (start == HFILE_ERROR || start < HEADER_BYTES)
        return Fail(file);

    FreeBmp(image);
    if (header.biBitCount == 24) {
        int count = header.biWidth * header.biHeight;
        BYTE *scratch = (BYTE *)malloc(stored);
        if (scratch == nullptr)
            return Fail(file);
        image->pixels = (BYTE *)malloc((size_t)count * 2);
        if (image->pixels == nullptr) {
            free(scratch);
            return Fail(file);
        }
        if (!ReadExactly(file, scratch, stored)) {
            free(scratch);
            FreeBmp(image);
            return Fail(file);
        }
        Convert24(scratch, (Pixel16 *)image->pixels, count);
        free(scratch);
        header.biBitCount = 16;
    } else {
        image->pixels = (BYTE *)malloc(stored);
        if (image->pixels == nullptr)
            return Fail(file);
        if (!ReadExactly(file, image->pixels, stored)) {
            FreeBmp(image);
            return Fail(file);
        }
    }
    _lclose(file);

    // Out of memory here leaves the rows bottom-up, which is still a picture.
    FlipRows(image->pixels, header.biBitCount / 8 * header.biWidth, header.biHeight);
    return 1;
}

int FreeBmp(BmpImage *image)
{
    if (image != nullptr && image->pixels != nullptr) {
        free(image->pixels);
        image->pixels = nullptr;
    }
    return 1;
}

int FlipRows(void *buffer, int rowBytes, int rows)
{
    if (buffer == nullptr || rows <= 0 || rowBytes <= 0)
        return 1;
    size_t total = (size_t)rowBytes * (size_t)rows;
    BYTE *scratch = (BYTE *)malloc(total);
    if (scratch == nullptr)
        return 0;
    memcpy(scratch, buffer, total);
    BYTE *rowsOut = (BYTE *)buffer;
    for (int i = 0; i < rows; i++)
        memcpy(rowsOut + (size_t)(rows - 1 - i) * rowBytes, scratch + (size_t)i * rowBytes,
               rowBytes);
    free(scratch);
    return 1;
}
