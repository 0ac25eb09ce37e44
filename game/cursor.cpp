// cursor.cpp -- the animated cursor: its start values, its picture and its clamped movement
#include "game/world.h"

#define CURSOR_TICKS 8

int32_t cursorX = 512;                  // top-left corner of the cursor picture
int32_t cursorY = 384;
int32_t cursorWidth = 16;               // size of one cursor picture
int32_t cursorHeight = 16;
int32_t cursorFrameCount = 2;           // pictures in the cursor strip
int32_t cursorFrame = 0;                // picture now shown
int32_t cursorTick = 0;                 // frames left before the next picture
RECT cursorSrcRect = {0, 0, 16, 16};    // the current picture's cell in cursorSurface
RECT cursorDestRect = {512, 384, 528, 400}; // where the next frame draws the cursor

static RECT PictureCell(int32_t frame)
{
    return RECT{frame * cursorWidth, 0, (frame + 1) * cursorWidth, cursorHeight};
}

void SetUpCursor(void)
{
    cursorWidth = 16;
    cursorHeight = 16;
    cursorFrame = 0;
    cursorFrameCount = 2;
    cursorX = 512;
    cursorY = 384;
    cursorDestRect = RECT{cursorX, cursorY, cursorX + cursorWidth, cursorY + cursorHeight};
    cursorSrcRect = PictureCell(cursorFrame);
}

void AnimateCursor(void)
{
    cursorTick--;
    if (cursorTick <= 0) {
        cursorTick = CURSOR_TICKS;
        cursorFrame++;
        if (cursorFrame >= cursorFrameCount)
            cursorFrame = 0;
        cursorSrcRect = PictureCell(cursorFrame);
    }
}

// Summed in 64 bits: a recorded demo may carry any 32-bit motion, and the sum must not wrap.
static int32_t Clamp(int64_t value, int32_t limit)
{
    return value < 0 ? 0 : value > limit ? limit : (int32_t)value;
}

void MoveCursor(int32_t dx, int32_t dy)
{
    cursorX = Clamp((int64_t)cursorX + dx, SCREEN_WIDTH);
    cursorY = Clamp((int64_t)cursorY + dy, SCREEN_HEIGHT);
    cursorDestRect = RECT{cursorX, cursorY, cursorX + cursorWidth, cursorY + cursorHeight};
}
