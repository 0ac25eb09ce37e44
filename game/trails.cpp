// trails.cpp -- the rules of trails: spawning, stepping, wrapping, forking and erasure
#include <cstring>

#include "display/pixel.h"
#include "game/random.h"
#include "game/world.h"

#define STEP_THRESHOLD 60
#define FORK_CHANCE 300
#define FORK_ROLL 10

static int FindFreeTrail(void)
{
    for (int slot = 0; slot < MAX_TRAILS; slot++)
        if (!trails[slot].active)
            return slot;
    return -1;
}

uint16_t TrailGrey(void)
{
    int k = game::rand() % 10;
    int g = (16 - k) * 14;
    return Pack565(g, g, g);
}

void StartTrail(int slot, int32_t x, int32_t y)
{
    Trail &trail = trails[slot];
    std::memset(trail.xs, 0, sizeof trail.xs);
    std::memset(trail.ys, 0, sizeof trail.ys);
    trail.xs[0] = x;
    trail.ys[0] = y;
    trail.active = 1;
    trail.speedX = game::rand() % 10 + speedBonus + 2;
    trail.speedY = game::rand() % 20 + trail.speedX;
    trail.stepX = (game::rand() % 2 == 0) ? -1 : 1;
    trail.accumX = 0;
    trail.accumY = 0;
    trail.head = 0;
}

void SpawnTrail(void)
{
    int slot = FindFreeTrail();
    if (slot < 0)
        return;
    int32_t x = game::rand() % SCREEN_WIDTH;
    StartTrail(slot, x, 0);
    trails[slot].color = TrailGrey();
}

void SpawnBranch(Trail *parent)
{
    int slot = FindFreeTrail();
    if (slot < 0)
        return;
    // Read before StartTrail: the free slot may be the parent's own, retired this very step.
    int32_t x = parent->xs[parent->head];
    int32_t y = parent->ys[parent->head];
    uint32_t color = parent->color;
    StartTrail(slot, x, y);
    trails[slot].color = color;
}

// With speedBonus at 0 a trail never takes more sideways steps than downward ones, so it
// retires at row 768 with head at most 1536, far inside TRAIL_POINTS.
void StepTrails(void)
{
    for (int slot = 0; slot < MAX_TRAILS; slot++) {
        Trail &trail = trails[slot];
        if (!trail.active)
            continue;
        trail.accumX += trail.speedX;
        trail.accumY += trail.speedY;

        bool forks = false;
        if (trail.accumX >= STEP_THRESHOLD) {
            trail.head++;
            trail.xs[trail.head] = trail.xs[trail.head - 1] + trail.stepX;
            trail.ys[trail.head] = trail.ys[trail.head - 1];
            trail.accumX = 0;
        } else if (trail.accumY >= STEP_THRESHOLD) {
            trail.head++;
            trail.xs[trail.head] = trail.xs[trail.head - 1];
            trail.ys[trail.head] = trail.ys[trail.head - 1] + 1;
            trail.accumY = 0;
            forks = game::rand() % FORK_CHANCE == FORK_ROLL;
        }

        if (trail.xs[trail.head] > SCREEN_WIDTH - 1)
            trail.xs[trail.head] = 0;
        if (trail.xs[trail.head] < 0)
            trail.xs[trail.head] = SCREEN_WIDTH - 1;

        if (trail.ys[trail.head] >= SCREEN_HEIGHT || trail.ys[trail.head] < 0)
            trail.active = 0;

        if (forks)
            SpawnBranch(&trail);
    }
}

void CollideTrails(void)
{
    for (Trail &trail : trails) {
        if (!trail.active)
            continue;
        for (const Explosion &explosion : explosions)
            if (explosion.active &&
                PointHitsRect(explosion.destRect, trail.xs[trail.head], trail.ys[trail.head]))
                trail.active = 0;
    }
}
