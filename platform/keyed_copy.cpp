// keyed_copy.cpp -- the colour-keyed copy, branch-free so that a whole background costs about a memcpy
#include "platform/keyed_copy.h"

#include <cstring>

// Sixteen bytes at a time: every x86-64 has the registers, and other targets split them.
typedef uint16_t Lanes16 __attribute__((vector_size(16)));
typedef uint8_t Lanes8 __attribute__((vector_size(16)));

// A branch per pixel costs more than the copy itself on pictures with scattered keyed pixels, so
// each pixel is chosen with a mask: all ones where the source is the key, keeping the destination.
template <typename Pixel, typename Lanes>
static void CopyKeyedRow(Pixel *dest, const Pixel *source, int width, Pixel key)
{
    const int PER_LANES = (int)(sizeof(Lanes) / sizeof(Pixel));
    Lanes keys = {};
    keys += key;
    int x = 0;
    for (; x + PER_LANES <= width; x += PER_LANES) {
        Lanes from = {};
        Lanes to = {};
        memcpy(&from, source + x, sizeof from);
        memcpy(&to, dest + x, sizeof to);
        Lanes keep = (Lanes)(from == keys);
        to = (to & keep) | (from & ~keep);
        memcpy(dest + x, &to, sizeof to);
    }
    for (; x < width; x++) {
        Pixel from = source[x];
        Pixel keep = (Pixel)-(Pixel)(from == key);
        dest[x] = (Pixel)((dest[x] & keep) | (from & ~keep));
    }
}

template <typename Pixel, typename Lanes>
static void CopyKeyedBlock(Pixel *dest, long destPitch, const Pixel *source, long sourcePitch,
                           int width, int height, Pixel key)
{
    char *to = (char *)dest;
    const char *from = (const char *)source;
    for (int y = 0; y < height; y++) {
        CopyKeyedRow<Pixel, Lanes>((Pixel *)to, (const Pixel *)from, width, key);
        to += destPitch;
        from += sourcePitch;
    }
}

void CopyKeyed16(uint16_t *dest, long destPitch, const uint16_t *source, long sourcePitch,
                 int width, int height, uint16_t key)
{
    CopyKeyedBlock<uint16_t, Lanes16>(dest, destPitch, source, sourcePitch, width, height, key);
}

void CopyKeyed8(uint8_t *dest, long destPitch, const uint8_t *source, long sourcePitch,
                int width, int height, uint8_t key)
{
    CopyKeyedBlock<uint8_t, Lanes8>(dest, destPitch, source, sourcePitch, width, height, key);
}
