// random.cpp -- the linear congruential generator every random value of the game comes from
#include "game/random.h"

static uint32_t randomState = 1; // the generator's state, set by srand

namespace game {

void srand(uint32_t seed)
{
    randomState = seed;
}

int rand(void)
{
    randomState = randomState * 214013u + 2531011u;
    return (int)((randomState >> 16) & 0x7FFF);
}

} // namespace game
