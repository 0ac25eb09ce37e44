// startup_test.cpp -- start-up without a display, and shut-down after a partial start-up
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "audio/music.h"
#include "audio/sound.h"
#include "display/display.h"
#include "game/world.h"
#include "input/input.h"
#include "platform/sdl_window.h"
#include "platform/seam.h"
#include "platform/winuser.h"
#include "shell/entry.h"
#include "shell/startup.h"

namespace {

int inputCreations = 0;

HRESULT RefuseDirectDraw(GUID *, LPVOID *object, REFIID, IUnknown *)
{
    *object = nullptr;
    return DDERR_GENERIC;
}

HRESULT CountInput(HINSTANCE, DWORD, REFIID, LPVOID *object, IUnknown *)
{
    inputCreations++;
    *object = nullptr;
    return E_FAIL;
}

TEST(StartUp, WithoutADisplayItSaysSoAsksToQuitWithStatusOneAndOpensNothingElse)
{
    const char *why = "";
    ASSERT_TRUE(OpenWindowSystem(&why)) << why;
    directDrawCreateHook = RefuseDirectDraw;
    directInputCreateHook = CountInput;

    testing::internal::CaptureStderr();
    EXPECT_EQ(1, GameStart(nullptr));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ("zaf: cannot open the display\n", said);
    EXPECT_EQ(0, inputCreations);
    EXPECT_EQ(nullptr, cursorSurface);

    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_QUIT, msg.message);
    EXPECT_EQ(1u, msg.wParam);

    // Shut-down after it finds nothing to release and calls through no null reference.
    EXPECT_EQ(1, GameStop(nullptr));
    directDrawCreateHook = nullptr;
    directInputCreateHook = nullptr;
    CloseWindowSystem();
}

} // namespace
