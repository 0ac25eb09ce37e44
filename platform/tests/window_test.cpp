// window_test.cpp -- the desktop's events become the messages a Windows program would get
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/winuser.h"
#include "tests/support/test_window.h"

namespace {

class WindowEvents : public testing::Test {
protected:
    void SetUp() override
    {
        window = TestWindow();
        ASSERT_NE(nullptr, window);
        TakeMessages();
    }

    void PushWindowEvent(Uint8 what)
    {
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        event.window.windowID = SDL_GetWindowID(SdlWindowOf(window));
        ASSERT_EQ(1, SDL_PushEvent(&event)) << SDL_GetError();
    }

    HWND window = nullptr;
};

TEST_F(WindowEvents, ClosingFromTheDesktopAndQuitRequestsBecomeCloseMessages)
{
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(std::vector<UINT>{WM_CLOSE}, TakeMessages());

    SDL_Event quit = {};
    quit.type = SDL_QUIT; // what SDL makes of SIGINT and SIGTERM
    ASSERT_EQ(1, SDL_PushEvent(&quit));
    EXPECT_EQ(std::vector<UINT>{WM_CLOSE}, TakeMessages());
}

TEST_F(WindowEvents, ExposureAsksForOnePaint)
{
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    EXPECT_EQ(std::vector<UINT>{WM_PAINT}, TakeMessages());
    EXPECT_TRUE(TakeMessages().empty()) << "painted: valid until exposed again";
}

TEST_F(WindowEvents, InputEventsDoNotPileUpInTheQueue)
{
    for (int i = 0; i < 1000; i++) {
        SDL_Event motion = {};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.xrel = 1;
        SDL_PushEvent(&motion);
    }
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(0, SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT));
}

TEST_F(WindowEvents, PostedMessagesComeBeforeTheQuitAndTheQuitBeforeAPaint)
{
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    PostQuitMessage(3);
    PostMessageA(window, WM_CREATE, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_CREATE, msg.message);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_QUIT, msg.message);
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_EQ(std::vector<UINT>{WM_PAINT}, TakeMessages());
}

TEST_F(WindowEvents, MessagesToAWindowThatIsNotOursAreRefused)
{
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x1234), WM_CLOSE, 0, 0));
    EXPECT_TRUE(TakeMessages().empty());
}

} // namespace
