// pixel.h -- packs 8-bit red, green and blue into the two 16-bit pixel layouts
#pragma once

#include <cstdint>

// A 16-bit pixel in the 5.6.5 or 5.5.5 layout.
typedef uint16_t Pixel16;

// Only the low 8 bits of each component count: 256 packs like 0, -1 like 255.
inline Pixel16 Pack565(int red, int green, int blue)
{
    return (Pixel16)(((red >> 3) & 0x1F) << 11 | ((green >> 2) & 0x3F) << 5 | ((blue >> 3) & 0x1F));
}

inline Pixel16 Pack555(int red, int green, int blue)
{
    return (Pixel16)(((red >> 3) & 0x1F) << 10 | ((green >> 3) & 0x1F) << 5 | ((blue >> 3) & 0x1F));
}
