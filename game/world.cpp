// world.cpp -- the world's tables and globals, all in static storage
#include "game/world.h"

Trail trails[MAX_TRAILS];             // every trail slot; a slot is free while active is 0
Explosion explosions[MAX_EXPLOSIONS]; // every explosion slot; free while active is 0

int32_t gameState = 1;            // 1 = running, the only state; the world moves only while 1
int32_t backgroundIndex = 0;      // which of the backgrounds is drawn
int32_t speedBonus = 0;           // added to the horizontal speed of every new trail
int32_t framesSinceExplosion = 0; // frames since the last explosion was placed
uint8_t buttonHeld = 0;           // this frame's snapshot shows the left button down

IDirectDrawSurface7 *cursorSurface = nullptr;  // the two cursor pictures side by side
IDirectDrawSurface7 *explosionSheet = nullptr; // the sixteen explosion pictures side by side
IDirectDrawSurface7 *backgrounds[2] = {};      // the two full-screen backgrounds
