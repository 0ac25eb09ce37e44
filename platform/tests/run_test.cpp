// run_test.cpp -- a whole start-up and shut-down on the real platform layer: what is made is
// what the game needs, the pictures arrive, and every object made is freed at the end
#include <SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "display/bmp.h"
#include "display/display.h"
#include "game/world.h"
#include "platform/live_objects.h"
#include "shell/entry.h"
#include "shell/startup.h"
#include "tests/support/test_window.h"

namespace {

// The first pixel of a surface's top row.
uint16_t TopLeft(IDirectDrawSurface7 *surface)
{
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return 0xDEAD;
    uint16_t pixel = *(const uint16_t *)desc.lpSurface;
    surface->Unlock(nullptr);
    return pixel;
}

TEST(WholeRun, StartsEverythingAndFreesEverythingItMade)
{
    mainWindow = TestWindow();
    ASSERT_NE(nullptr, mainWindow);
    const char *source = getenv("ZAF_SOURCE_DIR");
    ASSERT_EQ(0, chdir(source)) << "the pictures are read from the source folder";
    int before = liveObjectCount;

    ASSERT_EQ(1, GameStart(nullptr));
    EXPECT_NE(nullptr, backSurface);
    EXPECT_NE(nullptr, hudFont);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "the system pointer is hidden";
    EXPECT_EQ(512, cursorX);
    EXPECT_EQ(384, cursorY);
    ASSERT_NE(nullptr, backgrounds[0]);
    ASSERT_NE(nullptr, backgrounds[1]);
    ASSERT_NE(nullptr, cursorSurface);
    ASSERT_NE(nullptr, explosionSheet);

    // The background's top-left pixel is the file's top row, converted to 5.6.5.
    ASSERT_EQ(1, ReadBmp(&sharedBmp, "image/prochee/fon_back01.bmp"));
    uint16_t want = ((const uint16_t *)sharedBmp.pixels)[0];
    FreeBmp(&sharedBmp);
    EXPECT_EQ(want, TopLeft(backgrounds[0]));

    GameStop(nullptr);
    EXPECT_EQ(before, liveObjectCount) << "objects left alive after shut-down";
}

} // namespace
