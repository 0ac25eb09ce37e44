// surface_test.cpp -- making and filling surfaces, the back surface's lock and presenting, on fakes
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

#include "display/display.h"
#include "display/surface.h"
#include "platform/sdl_window.h"
#include "platform/winuser.h"
#include "shell/entry.h"
#include "tests/display_reset.h"
#include "tests/fakes/ddraw_mock.h"

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::SaveArgPointee;
using ::testing::SetArgPointee;
using ::testing::StrictMock;

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDisplay();
        directDraw = &draw;
        primarySurface = &primary;
        backSurface = &back;
    }
    void TearDown() override { ResetDisplay(); }

    StrictMock<MockDirectDraw> draw;
    StrictMock<MockSurface> primary;
    StrictMock<MockSurface> back;
    StrictMock<MockSurface> made;
};

struct KeyCase {
    int colorKey;
    DWORD expected;
};

static void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << "key 0x" << std::hex << c.colorKey;
}

class MakeSurfaceTest : public SurfaceTest, public ::testing::WithParamInterface<KeyCase> {
};

TEST_P(MakeSurfaceTest, DescribesAnOffscreenSurfaceAndKeysItsLow16Bits)
{
    DDSURFACEDESC2 desc = {};
    DDCOLORKEY key = {};
    {
        InSequence order;
        EXPECT_CALL(draw, CreateSurface(_, _, nullptr))
            .WillOnce(DoAll(SaveArgPointee<0>(&desc), SetArgPointee<1>(&made), Return(DD_OK)));
        EXPECT_CALL(made, SetColorKey(DDCKEY_SRCBLT, _))
            .WillOnce(DoAll(SaveArgPointee<1>(&key), Return(DD_OK)));
    }
    EXPECT_EQ(&made, MakeSurface(32, 96, DDSCAPS_VIDEOMEMORY, GetParam().colorKey));
    EXPECT_EQ(sizeof(DDSURFACEDESC2), desc.dwSize);
    EXPECT_EQ((DWORD)(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH), desc.dwFlags);
    EXPECT_EQ(32u, desc.dwWidth);
    EXPECT_EQ(96u, desc.dwHeight);
    EXPECT_EQ((DWORD)(DDSCAPS_VIDEOMEMORY | DDSCAPS_OFFSCREENPLAIN), desc.ddsCaps.dwCaps);
    EXPECT_EQ(0u, desc.ddpfPixelFormat.dwSize) << "the display's own format is meant";
    EXPECT_EQ(GetParam().expected, key.dwColorSpaceLowValue);
    EXPECT_EQ(GetParam().expected, key.dwColorSpaceHighValue);
}

INSTANTIATE_TEST_SUITE_P(Keys, MakeSurfaceTest,
                         ::testing::Values(KeyCase{0, 0}, KeyCase{0x12345, 0x2345},
                                           KeyCase{0xF81F, 0xF81F}, KeyCase{-1, 0xFFFF}));

TEST_F(SurfaceTest, MakeSurfaceGivesNullAndKeysNothingWhenCreationFails)
{
    EXPECT_CALL(draw, CreateSurface(_, _, _)).WillOnce(Return(DDERR_OUTOFMEMORY));
    EXPECT_EQ(nullptr, MakeSurface(32, 32, 0, 0));
}

TEST_F(SurfaceTest, MakeSurfaceKeepsTheSurfaceWhenKeyingFails)
{
    EXPECT_CALL(draw, CreateSurface(_, _, _))
        .WillOnce(DoAll(SetArgPointee<1>(&made), Return(DD_OK)));
    EXPECT_CALL(made, SetColorKey(_, _)).WillOnce(Return(DDERR_GENERIC));
    EXPECT_EQ(&made, MakeSurface(32, 32, 0, 0));
}

MATCHER_P(FillsWith, color, "")
{
    *result_listener << "size " << arg->dwSize << ", fill 0x" << std::hex << arg->dwFillColor;
    return arg->dwSize == sizeof(DDBLTFX) && arg->dwFillColor == (DWORD)color;
}

TEST_F(SurfaceTest, ClearSurfaceFillsTheGivenRectangleWithTheLow16Bits)
{
    RECT part = {1, 2, 3, 4};
    EXPECT_CALL(back, Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT,
                          FillsWith(0xF81F)))
        .WillOnce(Return(DD_OK));
    EXPECT_CALL(back, Blt(&part, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, FillsWith(7)))
        .WillOnce(Return(DDERR_INVALIDRECT));
    EXPECT_EQ(1, ClearSurface(&back, 0x1F81F, nullptr));
    EXPECT_EQ(1, ClearSurface(&back, 7, &part)) << "a failed fill is not reported";
}

TEST_F(SurfaceTest, LockTwiceUnlockTwiceLocksOnceAndUnlocksOnce)
{
    Pixel16 pixels[64] = {};
    EXPECT_CALL(back, Lock(nullptr, &surfaceDesc, DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT,
                           nullptr))
        .WillOnce(FillLock(pixels, 40));
    EXPECT_CALL(back, Unlock(nullptr)).WillOnce(Return(DD_OK));

    LockBackSurface();
    EXPECT_EQ(pixels, lockedBack);
    EXPECT_EQ(40, lockedBackPitch);
    LockBackSurface();
    EXPECT_EQ(pixels, lockedBack);
    EXPECT_EQ(1, UnlockBackSurface());
    EXPECT_EQ(nullptr, lockedBack);
    EXPECT_EQ(0, lockedBackPitch);
    EXPECT_EQ(0, UnlockBackSurface());
}

TEST_F(SurfaceTest, FailedLockLeavesTheSurfaceUnlocked)
{
    Pixel16 pixels[4] = {};
    // A refusing Lock that still scribbles on the description must not count as locked.
    EXPECT_CALL(back, Lock(_, _, _, _)).WillOnce(Invoke([&pixels](RECT *, DDSURFACEDESC2 *d, DWORD, HANDLE) {
        d->lpSurface = pixels;
        d->lPitch = 8;
        return DDERR_SURFACEBUSY;
    }));
    LockBackSurface();
    EXPECT_EQ(nullptr, lockedBack);
    EXPECT_EQ(0, lockedBackPitch);
    EXPECT_EQ(0, UnlockBackSurface());
}

TEST_F(SurfaceTest, FailedUnlockStillClearsTheLock)
{
    Pixel16 pixels[4] = {};
    EXPECT_CALL(back, Lock(_, _, _, _)).WillOnce(FillLock(pixels, 8));
    EXPECT_CALL(back, Unlock(nullptr)).WillOnce(Return(DDERR_NOTLOCKED));
    LockBackSurface();
    EXPECT_EQ(1, UnlockBackSurface());
    EXPECT_EQ(nullptr, lockedBack);
}

TEST_F(SurfaceTest, ShowFrameRefusesWhileLocked)
{
    Pixel16 pixels[4] = {};
    EXPECT_CALL(back, Lock(_, _, _, _)).WillOnce(FillLock(pixels, 8));
    EXPECT_CALL(primary, Flip(_, _)).Times(0);
    EXPECT_CALL(primary, Blt(_, _, _, _, _)).Times(0);
    LockBackSurface();
    EXPECT_EQ(0, ShowFrame());
    windowedMode = 1;
    EXPECT_EQ(0, ShowFrame());
}

TEST_F(SurfaceTest, FlipIsRetriedUntilItSucceeds)
{
    {
        InSequence order;
        EXPECT_CALL(primary, Flip(nullptr, DDFLIP_WAIT))
            .Times(3)
            .WillRepeatedly(Return(DDERR_SURFACEBUSY));
        EXPECT_CALL(primary, Flip(nullptr, DDFLIP_WAIT)).WillOnce(Return(DD_OK));
    }
    EXPECT_EQ(1, ShowFrame());
}

TEST_F(SurfaceTest, FlipThatKeepsFailingGivesUpAfterABoundedNumberOfTries)
{
    int tries = 0;
    EXPECT_CALL(primary, Flip(nullptr, DDFLIP_WAIT)).WillRepeatedly(Invoke([&tries](IDirectDrawSurface7 *, DWORD) {
        tries++;
        return DDERR_GENERIC;
    }));
    EXPECT_EQ(0, ShowFrame());
    EXPECT_EQ(100, tries);
}

TEST_F(SurfaceTest, WindowedCopiesTheWholeBackSurfaceAtTheWindowCorner)
{
    windowedMode = 1;
    displayWidth = 640;
    displayHeight = 480;
    // Without a live window GetWindowRect fails and the corner is (0, 0).
    RECT window = {};
    GetWindowRect(mainWindow, &window);
    RECT dest = {};
    EXPECT_CALL(primary, Blt(_, &back, nullptr, DDBLT_WAIT, nullptr))
        .WillOnce(DoAll(SaveArgPointee<0>(&dest), Return(DD_OK)))
        .WillOnce(Return(DDERR_GENERIC));
    EXPECT_CALL(primary, Flip(_, _)).Times(0);

    EXPECT_EQ(1, ShowFrame());
    EXPECT_EQ(window.left, dest.left);
    EXPECT_EQ(window.top, dest.top);
    EXPECT_EQ(window.left + 640, dest.right);
    EXPECT_EQ(window.top + 480, dest.bottom);
    EXPECT_EQ(0, ShowFrame()) << "a failed copy is reported";
}

// With a live window the copy lands at the window's corner: a 640 x 480 display in a
// window at (100, 50) covers (100, 50, 740, 530) of the primary surface.
static LRESULT QuietWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(SurfaceTest, WindowedCopyFollowsALiveWindow)
{
    const char *why = "";
    ASSERT_TRUE(OpenWindowSystem(&why)) << why;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = QuietWindowProc;
    windowClass.lpszClassName = "SURFACETEST";
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, "SURFACETEST", "test", WS_POPUP, 100, 50, 640, 480,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    HWND saved = mainWindow;
    mainWindow = window;
    windowedMode = 1;
    displayWidth = 640;
    displayHeight = 480;
    RECT dest = {};
    EXPECT_CALL(primary, Blt(_, &back, nullptr, DDBLT_WAIT, nullptr))
        .WillOnce(DoAll(SaveArgPointee<0>(&dest), Return(DD_OK)));

    EXPECT_EQ(1, ShowFrame());
    mainWindow = saved;
    DestroyWindow(window);
    CloseWindowSystem();
    EXPECT_TRUE(dest.left == 100 && dest.top == 50 && dest.right == 740 && dest.bottom == 530)
        << "expected (100, 50, 740, 530), got (" << dest.left << ", " << dest.top << ", "
        << dest.right << ", " << dest.bottom << ")";
}
