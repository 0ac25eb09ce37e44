// frame.cpp -- one frame of the game: input, rules, drawing, presenting, pacing and the exit keys
#include "game/frame.h"

#include "display/display.h"
#include "display/surface.h"
#include "game/world.h"
#include "input/input.h"
#include "platform/dinput.h"
#include "platform/wingdi.h"
#include "shell/clock.h"
#include "shell/entry.h"
#include "shell/startup.h"

#define FRAME_MS 30

// The title in the program's code page, cp1251: "(16-bit version) GAME - ZAF!" in Russian.
static const char TITLE[] = "(16-\xE1\xE8\xF2\xEE\xE2\xE0\xFF \xE2\xE5\xF0\xF1\xE8\xFF) "
                            "\xC8\xC3\xD0\xC0 - ZAF!";
static const char VERSION[] = "Ver 1.0";

// Every point but the head, straight into the locked surface: one lock for all trails.
static void DrawTrails(void)
{
    LockBackSurface();
    if (lockedBack) {
        int stride = lockedBackPitch / 2;
        for (const Trail &trail : trails) {
            if (!trail.active)
                continue;
            for (int i = 0; i < trail.head; i++)
                lockedBack[trail.ys[i] * stride + trail.xs[i]] = (Pixel16)trail.color;
        }
    }
    UnlockBackSurface();
}

static void DrawExplosions(void)
{
    for (Explosion &explosion : explosions) {
        if (!explosion.active)
            continue;
        explosion.srcRect = RECT{explosion.frame * explosion.width, 0,
                                 (explosion.frame + 1) * explosion.width, explosion.height};
        backSurface->Blt(&explosion.destRect, explosionSheet, &explosion.srcRect,
                         DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
    }
}

static void DrawCursor(void)
{
    backSurface->Blt(&cursorDestRect, cursorSurface, &cursorSrcRect, DDBLT_WAIT | DDBLT_KEYSRC,
                     nullptr);
}

// 0 when the surface gave no device context: the frame then ends without presenting.
static int DrawOverlay(void)
{
    HDC dc = nullptr;
    if (FAILED(backSurface->GetDC(&dc)))
        return 0;
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, hudFont);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 8, 8, TITLE, sizeof TITLE - 1);
    TextOutA(dc, 974, 755, VERSION, sizeof VERSION - 1);
    backSurface->ReleaseDC(dc);
    return 1;
}

int GameFrame(void *)
{
    MarkFrameStart();
    // Without a display there is nothing to draw on; start-up has already asked to quit.
    if (!backSurface)
        return 0;
    ClearSurface(backSurface, 0, nullptr);
    PollKeyboard();
    PollMouse();
    buttonHeld = (mouseState.rgbButtons[0] & 0x80) ? 1 : 0;

    if (gameState == 1) {
        HRESULT drawn = backSurface->Blt(nullptr, backgrounds[backgroundIndex], nullptr,
                                         DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
        if (FAILED(drawn))
            return 0;
        if (buttonHeld) {
            SpawnTrail();
            SpawnExplosion();
        }
        framesSinceExplosion += 1;
        StepTrails();
        DrawTrails();
        DrawExplosions();
        // After drawing, so that a trail erased now is still seen in this frame.
        CollideTrails();
        AnimateExplosions();
    }

    AnimateCursor();
    DrawCursor();
    MoveCursor(mouseState.lX, mouseState.lY);
    if (!DrawOverlay())
        return 0;
    ShowFrame();
    WaitFrameEnd(FRAME_MS);

    if (keyState[DIK_LMENU] & 0x80)
        PostMessageA(mainWindow, WM_DESTROY, 0, 0);
    if (keyState[DIK_ESCAPE] & 0x80)
        PostMessageA(mainWindow, WM_DESTROY, 0, 0);
    return 1;
}
