// keyed_copy.h -- copies a block of pixels leaving out those that equal the source colour key
#pragma once

#include <cstdint>

// Pitches are in bytes. Source and destination must not overlap.
void CopyKeyed16(uint16_t *dest, long destPitch, const uint16_t *source, long sourcePitch,
                 int width, int height, uint16_t key);
void CopyKeyed8(uint8_t *dest, long destPitch, const uint8_t *source, long sourcePitch,
                int width, int height, uint8_t key);
