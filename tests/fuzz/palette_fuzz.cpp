// palette_fuzz.cpp -- libFuzzer target: any bytes as a palette text file
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "display/palette.h"
#include "tests/fuzz/memfd_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *path = InputAsFile(data, size);
    if (path == nullptr)
        return 0;
    PALETTEENTRY entries[256];
    memset(entries, 0, sizeof entries);
    if (ReadPaletteText(path, entries) != 1)
        abort();
    return 0;
}
