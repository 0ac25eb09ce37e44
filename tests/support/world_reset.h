// world_reset.h -- puts the game world back to its start values between tests
#pragma once

#include <cstring>

#include "game/random.h"
#include "game/world.h"

// The world as a fresh process has it after start-up, with the generator seeded.
inline void ResetWorld(uint32_t seed)
{
    std::memset(trails, 0, sizeof trails);
    std::memset(explosions, 0, sizeof explosions);
    gameState = 1;
    backgroundIndex = 0;
    speedBonus = 0;
    framesSinceExplosion = 0;
    buttonHeld = 0;
    cursorTick = 0;
    SetUpCursor();
    game::srand(seed);
}
