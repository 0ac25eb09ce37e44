// frame_test.cpp -- the order of a frame's calls against fake surfaces and devices
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/display.h"
#include "display/surface.h"
#include "fakes/ddraw_mock.h"
#include "fakes/dinput_mock.h"
#include "game/frame.h"
#include "game/random.h"
#include "game/world.h"
#include "input/input.h"
#include "platform/seam.h"
#include "shell/entry.h"
#include "tests/support/test_window.h"
#include "tests/support/world_reset.h"

using testing::_;
using testing::DoAll;
using testing::Eq;
using testing::InSequence;
using testing::Invoke;
using testing::IsNull;
using testing::NiceMock;
using testing::Return;

namespace {

const DWORD KEYED = DDBLT_WAIT | DDBLT_KEYSRC;
const DWORD FILL = DDBLT_COLORFILL | DDBLT_WAIT;

// One millisecond passes per read, so frames are held to their length without real waiting.
DWORD tickReads = 0;
DWORD CountingTick(void)
{
    return tickReads++;
}

class FrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        mainWindow = TestWindow();
        ASSERT_NE(nullptr, mainWindow);
        TakeMessages(); // what an earlier test left in the queue

        tickReads = 0;
        tickCountHook = CountingTick;
        ResetWorld(1);

        backSurface = &back;
        primarySurface = &primary;
        windowedMode = 0;
        backgrounds[0] = &background;
        explosionSheet = &sheet;
        cursorSurface = &cursor;
        keyboardDevice = &keyboard;
        mouseDevice = &mouse;
        lockedBack = nullptr;
        lockedBackPitch = 0;
        pixels.assign(1024 * 768, 0);

        ON_CALL(back, Lock(_, _, _, _)).WillByDefault(FillLock(pixels.data(), 2048));
        // Blits a test does not name are allowed; the ones it names are checked.
        EXPECT_CALL(back, Blt(_, _, _, _, _)).Times(testing::AnyNumber());
        ON_CALL(keyboard, GetDeviceState(256, _)).WillByDefault(Invoke([this](DWORD, LPVOID data) {
            std::memcpy(data, keys, 256);
            return DI_OK;
        }));
        ON_CALL(mouse, GetDeviceState(16, _)).WillByDefault(Invoke([this](DWORD, LPVOID data) {
            std::memcpy(data, &motion, sizeof motion);
            return DI_OK;
        }));
    }

    void TearDown() override
    {
        tickCountHook = nullptr;
        backSurface = primarySurface = nullptr;
        backgrounds[0] = explosionSheet = cursorSurface = nullptr;
        keyboardDevice = mouseDevice = nullptr;
    }

    void HoldButtonAndMove(int32_t dx, int32_t dy)
    {
        motion.lX = dx;
        motion.lY = dy;
        motion.rgbButtons[0] = 0x80;
    }

    NiceMock<MockSurface> back, primary, background, sheet, cursor;
    NiceMock<MockInputDevice> keyboard, mouse;
    BYTE keys[256] = {};
    DIMOUSESTATE motion = {};
    std::vector<Pixel16> pixels;
};

TEST_F(FrameTest, CallsFollowTheFrameOrder)
{
    framesSinceExplosion = 6;
    HoldButtonAndMove(3, 4);
    {
        InSequence order;
        EXPECT_CALL(back, Blt(IsNull(), IsNull(), IsNull(), FILL, _));
        EXPECT_CALL(keyboard, GetDeviceState(256, _));
        EXPECT_CALL(mouse, GetDeviceState(16, _));
        EXPECT_CALL(back, Blt(IsNull(), &background, IsNull(), KEYED, IsNull()));
        EXPECT_CALL(back, Lock(IsNull(), _, DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, IsNull()));
        EXPECT_CALL(back, Unlock(IsNull()));
        EXPECT_CALL(back, Blt(_, &sheet, _, KEYED, IsNull()));
        EXPECT_CALL(back, Blt(_, &cursor, _, KEYED, IsNull()));
        EXPECT_CALL(back, GetDC(_));
        EXPECT_CALL(back, ReleaseDC(_));
        EXPECT_CALL(primary, Flip(IsNull(), DDFLIP_WAIT));
    }
    EXPECT_EQ(1, GameFrame(nullptr));
    EXPECT_EQ(515, cursorX) << "the cursor moves after it is drawn";
    EXPECT_GE(tickReads, 31u) << "the frame is held to 30 ms";
}

TEST_F(FrameTest, FailedBackgroundBlitEndsTheFrameBeforeAnythingChanges)
{
    HoldButtonAndMove(40, 40);
    keys[0x01] = 0x80;
    framesSinceExplosion = 6;
    EXPECT_CALL(back, Blt(IsNull(), &background, _, KEYED, _)).WillOnce(Return(DDERR_GENERIC));
    EXPECT_CALL(back, Blt(_, &sheet, _, _, _)).Times(0);
    EXPECT_CALL(back, Blt(_, &cursor, _, _, _)).Times(0);
    EXPECT_CALL(back, Lock(_, _, _, _)).Times(0);
    EXPECT_CALL(back, GetDC(_)).Times(0);
    EXPECT_CALL(primary, Flip(_, _)).Times(0);

    EXPECT_EQ(0, GameFrame(nullptr));
    EXPECT_EQ(6, framesSinceExplosion);
    EXPECT_EQ(0, trails[0].active);
    EXPECT_EQ(0, explosions[0].active);
    EXPECT_EQ(0, cursorTick) << "the cursor's picture did not advance";
    EXPECT_EQ(512, cursorX);
    EXPECT_EQ(1u, tickReads) << "no wait";
    EXPECT_EQ(0, TakeMessagesOf(WM_DESTROY)) << "no exit-key test";
}

TEST_F(FrameTest, FailedDeviceContextSkipsTextPresentWaitAndExitKeys)
{
    HoldButtonAndMove(10, 0);
    keys[0x01] = 0x80;
    EXPECT_CALL(back, GetDC(_)).WillOnce(Return(DDERR_GENERIC));
    EXPECT_CALL(back, ReleaseDC(_)).Times(0);
    EXPECT_CALL(primary, Flip(_, _)).Times(0);

    EXPECT_EQ(0, GameFrame(nullptr));
    EXPECT_EQ(1, trails[0].active) << "the world advanced";
    EXPECT_EQ(522, cursorX) << "the cursor moved";
    EXPECT_EQ(1u, tickReads) << "no wait";
    EXPECT_EQ(0, TakeMessagesOf(WM_DESTROY));
}

TEST_F(FrameTest, BackSurfaceIsLockedInEveryFrameEvenWithNoTrail)
{
    EXPECT_CALL(back, Lock(_, _, _, _)).Times(3);
    EXPECT_CALL(back, Unlock(_)).Times(3);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(1, GameFrame(nullptr));
    EXPECT_EQ(nullptr, lockedBack);
}

TEST_F(FrameTest, TrailErasedInAFrameIsStillDrawnInThatFrame)
{
    // A trail whose head (100, 51) lies in an explosion placed at the cursor this frame.
    cursorX = 100;
    cursorY = 50;
    MoveCursor(0, 0);
    framesSinceExplosion = 6;
    Trail &trail = trails[0];
    trail.active = 1;
    trail.head = 2;
    trail.xs[0] = trail.xs[1] = trail.xs[2] = 100;
    trail.ys[0] = 49;
    trail.ys[1] = 50;
    trail.ys[2] = 51;
    trail.speedX = trail.speedY = 2;
    trail.color = 0xE71C;
    HoldButtonAndMove(0, 0);

    EXPECT_EQ(1, GameFrame(nullptr));
    EXPECT_EQ(0, trail.active) << "erased by the explosion";
    EXPECT_EQ(0xE71C, pixels[49 * 1024 + 100]);
    EXPECT_EQ(0xE71C, pixels[50 * 1024 + 100]);
    EXPECT_EQ(0, pixels[51 * 1024 + 100]) << "the head is not drawn";
}

TEST_F(FrameTest, TrailPixelsAreAddressedThroughThePitch)
{
    std::vector<Pixel16> wide(1100 * 768, 0);
    ON_CALL(back, Lock(_, _, _, _)).WillByDefault(FillLock(wide.data(), 2200));
    Trail &trail = trails[0];
    trail.active = 1;
    trail.head = 1;
    trail.xs[0] = 7;
    trail.ys[0] = 3;
    trail.xs[1] = 7;
    trail.ys[1] = 4;
    trail.speedX = trail.speedY = 2;
    trail.color = 0x1234;
    GameFrame(nullptr);
    EXPECT_EQ(0x1234, wide[3 * 1100 + 7]);
}

TEST_F(FrameTest, EscapeAndLeftAltTogetherPostTwoCloseRequests)
{
    keys[0x01] = 0x80;
    keys[0x38] = 0x80;
    EXPECT_EQ(1, GameFrame(nullptr));
    EXPECT_EQ(2, TakeMessagesOf(WM_DESTROY));

    keys[0x01] = 0x7F; // bit 7 clear: not down
    keys[0x38] = 0;
    EXPECT_EQ(1, GameFrame(nullptr));
    EXPECT_EQ(0, TakeMessagesOf(WM_DESTROY));
}

TEST_F(FrameTest, NoDisplayMeansNoFrameAndNoCallThroughNull)
{
    backSurface = nullptr;
    EXPECT_CALL(keyboard, GetDeviceState(_, _)).Times(0);
    EXPECT_EQ(0, GameFrame(nullptr));
}

} // namespace
