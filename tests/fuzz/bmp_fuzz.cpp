// bmp_fuzz.cpp -- libFuzzer target: any bytes as a picture file for ReadBmp
#include <cstdint>
#include <cstdlib>

#include "display/bmp.h"
#include "display/display.h"
#include "tests/fuzz/memfd_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *path = InputAsFile(data, size);
    if (path == nullptr)
        return 0;
    // Odd-sized inputs take the 5.5.5 conversion, even ones 5.6.5.
    pixelBits = (size & 1) ? 15 : 16;
    BmpImage image = {};
    if (ReadBmp(&image, path)) {
        const BITMAPINFOHEADER &info = image.infoHeader;
        size_t bytes = (size_t)info.biWidth * (size_t)info.biHeight * (info.biBitCount / 8);
        // A loaded picture must really have every byte its header promises.
        if (image.pixels == nullptr || bytes == 0)
            abort();
        volatile uint8_t last = image.pixels[bytes - 1];
        (void)last;
    }
    FreeBmp(&image);
    return 0;
}
