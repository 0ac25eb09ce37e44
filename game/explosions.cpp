// explosions.cpp -- the rules of explosions: placement at the cursor, animation and hit test
#include "game/world.h"

#define EXPLOSION_PERIOD 5
#define EXPLOSION_OFFSET 8
#define EXPLOSION_SIZE 32
#define EXPLOSION_PICTURES 16
#define EXPLOSION_TICKS 15

void SpawnExplosion(void)
{
    if (framesSinceExplosion <= EXPLOSION_PERIOD)
        return;
    for (Explosion &explosion : explosions) {
        if (explosion.active)
            continue;
        explosion.width = EXPLOSION_SIZE;
        explosion.height = EXPLOSION_SIZE;
        explosion.frameCount = EXPLOSION_PICTURES;
        explosion.frame = 0;
        explosion.spare = 1;
        explosion.tick = 0;
        explosion.ticksPerFrame = EXPLOSION_TICKS;
        explosion.x = cursorX - EXPLOSION_OFFSET;
        explosion.y = cursorY - EXPLOSION_OFFSET;
        explosion.destRect = RECT{explosion.x, explosion.y, explosion.x + explosion.width,
                                  explosion.y + explosion.height};
        explosion.active = 1;
        framesSinceExplosion = 0;
        return;
    }
}

bool PointHitsRect(const RECT &rect, int32_t x, int32_t y)
{
    return rect.left <= x && x < rect.right && rect.top <= y && y < rect.bottom;
}

void AnimateExplosions(void)
{
    for (Explosion &explosion : explosions) {
        if (!explosion.active)
            continue;
        explosion.tick++;
        if (explosion.tick >= explosion.ticksPerFrame) {
            explosion.frame++;
            if (explosion.frame >= explosion.frameCount)
                explosion.active = 0;
            explosion.tick = 0;
        }
    }
}
