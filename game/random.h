// random.h -- the game's own pseudo-random generator, with the rule the original runtime used
#pragma once

#include <cstdint>

// The C library's rand follows another rule on this system, so the game's lives apart.
namespace game {

// Sets the generator's state.
void srand(uint32_t seed);
// One draw, 0 to 32767: bits 16 to 30 of state * 214013 + 2531011.
int rand(void);

} // namespace game
