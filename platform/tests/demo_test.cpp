// demo_test.cpp -- demo files: parsing and its errors, the virtual clock, replayed and recorded input
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/demo.h"
#include "platform/seam.h"
#include "platform/winbase.h"
#include "platform/winuser.h"
#include "tests/support/test_window.h"

namespace {

bool KeyDown(const DemoFrame &frame, int code)
{
    return frame.keys[code / 8] & (1u << (code % 8));
}

TEST(DemoParse, ReadsHeaderFramesKeysCommentsAndBlankLinesAnywhere)
{
    const char *text =
        "# a comment before the header\n"
        "zaf-demo 1\r\n"
        "\n"
        "start-tick 4294967295\n"
        "  # frames follow, after an indented comment\n"
        "1 -2 120 1\n"
        "   \n"
        "-2147483648 2147483647 0 15 01 38 ff\n"
        "0 0 0 0\n";
    Demo demo;
    std::string error;
    ASSERT_TRUE(ParseDemo(text, "t.dem", &demo, &error)) << error;
    EXPECT_EQ(4294967295u, demo.startTick);
    ASSERT_EQ(3u, demo.frames.size());
    EXPECT_EQ(1, demo.frames[0].x);
    EXPECT_EQ(-2, demo.frames[0].y);
    EXPECT_EQ(120, demo.frames[0].z);
    EXPECT_EQ(1, demo.frames[0].buttons);
    EXPECT_EQ(INT32_MIN, demo.frames[1].x);
    EXPECT_EQ(INT32_MAX, demo.frames[1].y);
    EXPECT_EQ(15, demo.frames[1].buttons);
    EXPECT_TRUE(KeyDown(demo.frames[1], 0x01));
    EXPECT_TRUE(KeyDown(demo.frames[1], 0x38));
    EXPECT_TRUE(KeyDown(demo.frames[1], 0xFF));
    EXPECT_FALSE(KeyDown(demo.frames[0], 0x01));
    EXPECT_EQ("-2147483648 2147483647 0 15 01 38 FF", FormatDemoFrame(demo.frames[1]));
}

struct BadDemo {
    const char *text;
    const char *want;
};

class BadDemoTest : public testing::TestWithParam<BadDemo> {};

TEST_P(BadDemoTest, NamesTheFileAndTheLine)
{
    Demo demo;
    std::string error;
    EXPECT_FALSE(ParseDemo(GetParam().text, "bad.dem", &demo, &error));
    EXPECT_NE(std::string::npos, error.find(GetParam().want)) << "got: " << error;
}

INSTANTIATE_TEST_SUITE_P(Table, BadDemoTest, testing::Values(
    BadDemo{"", "bad.dem:0: empty"},
    BadDemo{"zaf-demo 2\nstart-tick 1\n", "bad.dem:1: not a demo"},
    BadDemo{"ZAF-DEMO 1\n", "bad.dem:1: not a demo"},
    BadDemo{"zaf-demo 1\n", "no start-tick"},
    BadDemo{"zaf-demo 1\nstart-tick -1\n", "bad.dem:2: expected 'start-tick'"},
    BadDemo{"zaf-demo 1\nstart-tick 4294967296\n", "bad.dem:2:"},
    BadDemo{"zaf-demo 1\nstart-tick 12 13\n", "bad.dem:2:"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n0 0 0\n", "bad.dem:3: a frame needs"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n# c\n\n2147483648 0 0 0\n", "bad.dem:5: motion '2147483648'"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n0 1.5 0 0\n", "bad.dem:3: motion '1.5'"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n0 0 0 16\n", "bad.dem:3: buttons '16'"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n0 0 0 1 1\n", "bad.dem:3: key '1'"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n0 0 0 1 0x\n", "bad.dem:3: key '0x'"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n0 0 0 1 00\n", "bad.dem:3: key '00'"},
    BadDemo{"zaf-demo 1\nstart-tick 5\n0 0 0 1 100\n", "bad.dem:3: key '100'"}));

TEST(DemoParse, MissingFileIsAnError)
{
    Demo demo;
    std::string error;
    EXPECT_FALSE(ReadDemo("/nonexistent/zaf.dem", &demo, &error));
    EXPECT_NE(std::string::npos, error.find("/nonexistent/zaf.dem: cannot open")) << error;
}

// Replay and record need the window: the end of a replay is a close request to it.
class DemoRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        window = TestWindow();
        ASSERT_NE(nullptr, window);
        TakeMessages(); // what an earlier test left in the queue
    }
    void TearDown() override
    {
        tickCountHook = nullptr;
    }

    HWND window = nullptr;
};

TEST_F(DemoRunTest, ReplayGivesTheClockAndTheFramesThenZerosAndOneCloseRequest)
{
    Demo demo;
    std::string error;
    ASSERT_TRUE(ParseDemo("zaf-demo 1\nstart-tick 4294967294\n5 -6 0 1 01\n0 0 120 2\n", "d", &demo, &error));
    StartReplay(demo);
    EXPECT_EQ(4294967294u, GetTickCount());
    EXPECT_EQ(4294967295u, GetTickCount());
    EXPECT_EQ(0u, GetTickCount()) << "the virtual clock wraps like the real one";

    BYTE keys[256];
    DIMOUSESTATE mouse;
    ASSERT_TRUE(ReplayKeyboard(keys));
    ASSERT_TRUE(ReplayMouse(&mouse));
    EXPECT_EQ(0x80, keys[0x01]);
    EXPECT_EQ(0, keys[0x38]);
    EXPECT_EQ(5, mouse.lX);
    EXPECT_EQ(-6, mouse.lY);
    EXPECT_EQ(0x80, mouse.rgbButtons[0]);
    EXPECT_EQ(0, mouse.rgbButtons[1]);
    ReplayKeyboard(keys);
    ReplayMouse(&mouse);
    EXPECT_EQ(0, keys[0x01]);
    EXPECT_EQ(120, mouse.lZ);
    EXPECT_EQ(0x80, mouse.rgbButtons[1]);
    EXPECT_EQ(0, TakeMessagesOf(WM_CLOSE));

    // Past the last frame: empty snapshots, and the first such read asks the window to close.
    std::memset(keys, 0xFF, sizeof keys);
    ReplayKeyboard(keys);
    ReplayMouse(&mouse);
    ReplayKeyboard(keys);
    for (BYTE k : keys)
        EXPECT_EQ(0, k);
    EXPECT_EQ(0, mouse.lX);
    EXPECT_EQ(0, mouse.rgbButtons[0]);
    EXPECT_EQ(1, TakeMessagesOf(WM_CLOSE));
}

TEST_F(DemoRunTest, RecordingWritesTheFirstTickAndEachFrameAsTheGameSawIt)
{
    char path[] = "/tmp/zaf-demo-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::string error;
    tickCountHook = [] { return (DWORD)777; };
    ASSERT_TRUE(StartRecording(path, &error)) << error;

    GetTickCount();
    GetTickCount();
    BYTE keys[256] = {};
    keys[0x38] = 0x80;
    keys[0x10] = 0x7F; // bit 7 clear: not down
    DIMOUSESTATE mouse = {3, -4, 0, {0x80, 0, 0, 0x80}};
    RecordKeyboard(keys);
    RecordMouse(&mouse);
    DIMOUSESTATE still = {};
    RecordMouse(&still); // a frame whose keyboard was not read records no key
    ASSERT_TRUE(StopRecording(&error)) << error;

    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ("zaf-demo 1\nstart-tick 777\n3 -4 0 9 38\n0 0 0 0\n", text.str());
    Demo demo;
    EXPECT_TRUE(ParseDemo(text.str(), path, &demo, &error)) << error;
    unlink(path);
}

TEST_F(DemoRunTest, WithoutAMouseEachKeyboardReadStillMakesAFrame)
{
    char path[] = "/tmp/zaf-demo-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::string error;
    tickCountHook = [] { return (DWORD)5; };
    ASSERT_TRUE(StartRecording(path, &error)) << error;
    GetTickCount();
    BYTE keys[256] = {};
    RecordKeyboard(keys);
    keys[0x01] = 0x80;
    RecordKeyboard(keys);
    ASSERT_TRUE(StopRecording(&error)) << error;

    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ("zaf-demo 1\nstart-tick 5\n0 0 0 0\n0 0 0 0 01\n", text.str());
    unlink(path);
}

} // namespace
