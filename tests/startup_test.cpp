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
#include "tests/display_reset.h"
#include "tests/fakes/ddraw_mock.h"
#include "tests/support/test_window.h"

using testing::_;
using testing::DoAll;
using testing::Invoke;
using testing::NiceMock;
using testing::Return;
using testing::SetArgPointee;

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

UINT QuitCode()
{
    MSG msg = {};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
        if (msg.message == WM_PAINT)
            return (UINT)-1;
    }
    return msg.message == WM_QUIT ? (UINT)msg.wParam : (UINT)-1;
}

TEST(StartUp, WithoutADisplayItSaysSoAsksToQuitWithStatusOneAndOpensNothingElse)
{
    mainWindow = TestWindow();
    ASSERT_NE(nullptr, mainWindow);
    directDrawCreateHook = RefuseDirectDraw;
    directInputCreateHook = CountInput;

    testing::internal::CaptureStderr();
    EXPECT_EQ(1, GameStart(nullptr));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ("zaf: cannot open the display\n", said);
    EXPECT_EQ(0, inputCreations);
    EXPECT_EQ(nullptr, cursorSurface);

    EXPECT_EQ(1u, QuitCode());

    // Shut-down after it finds nothing to release and calls through no null reference.
    EXPECT_EQ(1, GameStop(nullptr));
    directDrawCreateHook = nullptr;
    directInputCreateHook = nullptr;
}

IDirectDraw7 *fakeDirectDraw = nullptr;

HRESULT HandOutFake(GUID *, LPVOID *object, REFIID, IUnknown *)
{
    *object = fakeDirectDraw;
    return DD_OK;
}

// Every frame starts by copying the background: without its surface no frame could be shown.
TEST(StartUp, WithoutABackgroundSurfaceItAsksToQuitWithStatusOne)
{
    mainWindow = TestWindow();
    ASSERT_NE(nullptr, mainWindow);
    NiceMock<MockDirectDraw> draw;
    NiceMock<MockSurface> primary, back;
    NiceMock<MockClipper> clipper;
    ON_CALL(draw, CreateSurface(_, _, _))
        .WillByDefault(Invoke([&](DDSURFACEDESC2 *desc, IDirectDrawSurface7 **made, IUnknown *) {
            bool isPrimary = desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE;
            *made = isPrimary ? &primary : nullptr;
            return isPrimary ? DD_OK : DDERR_OUTOFMEMORY;
        }));
    ON_CALL(draw, CreateClipper(_, _, _)).WillByDefault(DoAll(SetArgPointee<1>(&clipper), Return(DD_OK)));
    ON_CALL(primary, GetPixelFormat(_)).WillByDefault(ReportBits(16));
    ON_CALL(primary, GetAttachedSurface(_, _)).WillByDefault(DoAll(SetArgPointee<1>(&back), Return(DD_OK)));
    fakeDirectDraw = &draw;
    directDrawCreateHook = HandOutFake;
    directInputCreateHook = CountInput;

    testing::internal::CaptureStderr();
    GameStart(nullptr);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, said.find("cannot make a surface for image/prochee/fon_back01.bmp"))
        << said;
    EXPECT_EQ(1u, QuitCode());

    GameStop(nullptr);
    directDrawCreateHook = nullptr;
    directInputCreateHook = nullptr;
    ResetDisplay(); // the fakes go with this test
}

} // namespace
