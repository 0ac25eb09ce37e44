// loop_test.cpp -- the entry's message loop against stand-in game operations
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sdl_window.h"
#include "platform/winuser.h"
#include "shell/entry.h"

// The loop is tested alone: these stand in for the game's operations at link time.
namespace {
std::vector<std::string> events;
void (*onStart)() = nullptr;
int (*onFrame)(int frame) = nullptr;
int frames = 0;

std::string Name(UINT message)
{
    switch (message) {
    case WM_PAINT: return "paint";
    case WM_DESTROY: return "destroy";
    case WM_QUIT: return "quit";
    case WM_CLOSE: return "close";
    default: return "msg" + std::to_string(message);
    }
}

// What the next pass of the loop would take, without taking it.
std::string Head()
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) ? Name(msg.message) : "empty";
}
} // namespace

int GameStart(void *)
{
    events.push_back("start");
    if (onStart)
        onStart();
    return 1;
}

int GameFrame(void *)
{
    frames++;
    events.push_back("frame:" + Head());
    if (onFrame)
        onFrame(frames);
    return 1;
}

int GameStop(void *)
{
    events.push_back("stop");
    return 1;
}

namespace {

class LoopTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char *why = "";
        ASSERT_TRUE(OpenWindowSystem(&why)) << why;
        events.clear();
        onStart = nullptr;
        onFrame = nullptr;
        frames = 0;
    }
    void TearDown() override { CloseWindowSystem(); }

    int Run() { return WinMain(reinterpret_cast<HINSTANCE>(this), nullptr, (LPSTR) "", 1); }
};

const UINT WM_USER_TEST = 0x0400;

TEST_F(LoopTest, EmptyQueueRunsOneFrameAPassUntilTheQuit)
{
    onStart = [] {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); // the first paint is not this test's business
        DispatchMessageA(&msg);
    };
    onFrame = [](int frame) {
        if (frame == 5)
            PostMessageA(mainWindow, WM_DESTROY, 0, 0);
        return 1;
    };
    EXPECT_EQ(0, Run());
    // Frame 5 posts the request; pass 6 dispatches it before its frame; pass 7 takes the quit
    // and draws no frame.
    std::vector<std::string> want = {"start", "frame:empty", "frame:empty", "frame:empty",
                                     "frame:empty", "frame:empty", "frame:quit", "stop"};
    EXPECT_EQ(want, events);
}

TEST_F(LoopTest, EachPassDispatchesExactlyOneMessageThenDrawsAFrame)
{
    onStart = [] {
        for (UINT i = 1; i <= 3; i++)
            PostMessageA(mainWindow, WM_USER_TEST + i, 0, 0);
        PostMessageA(mainWindow, WM_DESTROY, 0, 0);
    };
    EXPECT_EQ(0, Run());
    std::vector<std::string> want = {"start", "frame:msg1026", "frame:msg1027", "frame:destroy",
                                     "frame:quit", "stop"};
    EXPECT_EQ(want, events);
}

TEST_F(LoopTest, QuitCodeBecomesTheResultAndStopRunsOnce)
{
    onStart = [] { PostQuitMessage(7); };
    EXPECT_EQ(7, Run());
    std::vector<std::string> want = {"start", "stop"};
    EXPECT_EQ(want, events) << "a quit taken on the first pass ends the loop before any frame";
}

TEST_F(LoopTest, PaintValidatesTheWindowSoNoFurtherPaintFollows)
{
    onStart = [] { events.push_back("head:" + Head()); };
    onFrame = [](int frame) {
        if (frame == 3)
            PostMessageA(mainWindow, WM_DESTROY, 0, 0);
        return 1;
    };
    EXPECT_EQ(0, Run());
    std::vector<std::string> want = {"start", "head:paint", "frame:empty", "frame:empty",
                                     "frame:empty", "frame:quit", "stop"};
    EXPECT_EQ(want, events);
}

TEST_F(LoopTest, CloseRequestDestroysTheWindowAndEndsTheRun)
{
    onStart = [] {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessageA(&msg);
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(0, Run());
    std::vector<std::string> want = {"start", "frame:quit", "stop"};
    EXPECT_EQ(want, events);
}

TEST_F(LoopTest, FailedClassRegistrationReturnsZeroWithoutStarting)
{
    WNDCLASSEXA taken = {};
    taken.cbSize = sizeof taken;
    taken.lpfnWndProc = DefWindowProcA;
    taken.lpszClassName = "WIN3DCLASS";
    ASSERT_NE(0, RegisterClassExA(&taken));
    EXPECT_EQ(0, Run());
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(nullptr, SdlWindowOf(mainWindow));
}

} // namespace
