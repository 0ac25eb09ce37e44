// world.h -- the game world: trail and explosion tables, the cursor, and the rules that advance them
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

#define MAX_TRAILS 150
#define MAX_EXPLOSIONS 30
#define TRAIL_POINTS 3000

#define SCREEN_WIDTH 1024
#define SCREEN_HEIGHT 768

// A jagged line growing down from the top row; points 0 to head are in use.
struct Trail {
    uint8_t active;
    int32_t xs[TRAIL_POINTS];
    int32_t ys[TRAIL_POINTS];
    int32_t head;
    int32_t accumX;
    int32_t accumY;
    int32_t speedX;
    int32_t speedY;
    int32_t stepX;
    uint32_t color; // low 16 bits: the trail's grey as a Pixel16
};

// A 16-picture animation placed at the cursor; it never moves and erases trails it touches.
struct Explosion {
    uint8_t active;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    int32_t frameCount;
    int32_t frame;
    int32_t spare;
    int32_t tick;
    int32_t ticksPerFrame;
    RECT srcRect;
    RECT destRect;
};

extern Trail trails[MAX_TRAILS];
extern Explosion explosions[MAX_EXPLOSIONS];

extern int32_t cursorX;
extern int32_t cursorY;
extern int32_t cursorWidth;
extern int32_t cursorHeight;
extern int32_t cursorFrameCount;
extern int32_t cursorFrame;
extern int32_t cursorTick;
extern RECT cursorSrcRect;
extern RECT cursorDestRect;

extern int32_t gameState;
extern int32_t backgroundIndex;
extern int32_t speedBonus;
extern int32_t framesSinceExplosion;
extern uint8_t buttonHeld;

extern IDirectDrawSurface7 *cursorSurface;
extern IDirectDrawSurface7 *explosionSheet;
extern IDirectDrawSurface7 *backgrounds[2];

// One random grey for a new trail.
uint16_t TrailGrey(void);
// Makes slot a new live trail whose only point is (x, y); the caller sets its colour.
void StartTrail(int slot, int32_t x, int32_t y);
// A new trail at a random column of the top row, if a slot is free.
void SpawnTrail(void);
// A new explosion centred on the cursor, if one is due and a slot is free.
void SpawnExplosion(void);
// Advances every live trail by one frame: steps, wrap, retirement and forks.
void StepTrails(void);
// A fork at the parent's head in the first free slot, if there is one.
void SpawnBranch(Trail *parent);
// Frees every live trail whose head lies in a live explosion.
void CollideTrails(void);
// True when left <= x < right and top <= y < bottom.
bool PointHitsRect(const RECT &rect, int32_t x, int32_t y);
// Advances every live explosion's picture and frees those that have shown their last.
void AnimateExplosions(void);
// The cursor's start values: centre of the screen, first picture.
void SetUpCursor(void);
// Advances the cursor's picture every 8th frame.
void AnimateCursor(void);
// Moves the cursor by this frame's mouse motion, clamped to 0..1024 and 0..768.
void MoveCursor(int32_t dx, int32_t dy);
