// startup.cpp -- opening every service at the start of a run and closing them at its end
#include "shell/startup.h"

#include <cstdio>

#include "audio/music.h"
#include "audio/sound.h"
#include "display/display.h"
#include "display/pixel.h"
#include "display/surface.h"
#include "display/upload.h"
#include "game/random.h"
#include "game/world.h"
#include "input/input.h"
#include "platform/winuser.h"
#include "shell/clock.h"

HFONT hudFont = nullptr; // the overlay's font; never deleted

// A picture surface made and filled at once; a picture that cannot be read leaves it black.
static IDirectDrawSurface7 *MakePicture(int width, int height, int colorKey, const char *fileName)
{
    IDirectDrawSurface7 *surface = MakeSurface(width, height, DDSCAPS_VIDEOMEMORY, colorKey);
    if (!surface) {
        std::fprintf(stderr, "zaf: cannot make a surface for %s\n", fileName);
        return nullptr;
    }
    if (!LoadSurfaceImage(width, height, fileName, surface))
        std::fprintf(stderr, "zaf: warning: cannot read the picture %s; it is drawn black\n",
                     fileName);
    return surface;
}

int GameStart(void *)
{
    // Without a display nothing can be shown: ask the loop to end before its first frame.
    if (!OpenDisplay(1024, 768, 16, 0)) {
        std::fprintf(stderr, "zaf: cannot open the display\n");
        PostQuitMessage(1);
        return 1;
    }
    OpenInput();
    OpenKeyboard();
    OpenMouse();
    OpenSound();
    OpenMusic();
    ShowCursor(FALSE);
    game::srand(MarkFrameStart());
    hudFont = CreateFontA(12, 6, 0, 0, 10, 0, 0, 0, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          "Times New Roman");
    SetUpCursor();

    int black = Pack565(0, 0, 0);
    cursorSurface = MakePicture(cursorFrameCount * cursorWidth, cursorHeight, black,
                                "image/cursor.bmp");
    explosionSheet = MakePicture(512, 32, black, "image/prochee/bum.bmp");
    backgrounds[0] = MakePicture(1024, 768, 0, "image/prochee/fon_back01.bmp");
    backgrounds[1] = MakePicture(1024, 768, 0, "image/prochee/fon_back02.bmp");
    // Every frame starts with the background: without its surface no frame could be shown.
    if (!backgrounds[backgroundIndex])
        PostQuitMessage(1);
    return 1;
}

int GameStop(void *)
{
    if (cursorSurface)
        cursorSurface->Release();
    if (backgrounds[0])
        backgrounds[0]->Release();
    if (backgrounds[1])
        backgrounds[1]->Release();
    if (explosionSheet)
        explosionSheet->Release();
    StopAllSoundSlots();
    FreeAllSoundSlots();
    CloseSound();
    UnloadAllMusic();
    CloseMusic();
    CloseMouse();
    CloseKeyboard();
    CloseInput();
    CloseDisplay();
    return 1;
}
