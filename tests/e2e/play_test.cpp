// play_test.cpp -- the real program under Xvfb: pictures on screen, cursor, trails, explosions, exit
#include <gtest/gtest.h>

#include <csignal>

#include "harness.h"

namespace {

class PlayTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Ready()) << "Xvfb did not start";
        background = As565(ReadPicture(SourceDir() + "/image/prochee/fon_back01.bmp"));
        cursor = As565(ReadPicture(SourceDir() + "/image/cursor.bmp"));
        ASSERT_FALSE(background.Empty());
        ASSERT_FALSE(cursor.Empty());
    }

    // Starts the program and waits until its first pictures are on the screen.
    void Start(Game &game)
    {
        for (int i = 0; i < 100 && game.Running(); i++) {
            SleepMs(100);
            Picture shot = Screenshot(server);
            if (!shot.Empty() && BackgroundShare(shot, 0, 0, 1024, 768) > 0.9)
                return;
        }
        FAIL() << "the background never appeared; stderr: " << game.Stderr();
    }

    // Share of the pixels of a rectangle (a sparse grid of them) showing the background; the
    // cursor's square at the centre, where it stands unless the test moves it, is left out.
    double BackgroundShare(const Picture &shot, int left, int top, int right, int bottom,
                           int step = 3)
    {
        int total = 0, same = 0;
        for (int y = top; y < bottom; y += step)
            for (int x = left; x < right; x += step) {
                if (InTextArea(x, y) || (x >= 512 && x < 528 && y >= 384 && y < 400))
                    continue;
                total++;
                same += Near(shot.At(x, y), background.At(x, y), 12);
            }
        return total ? (double)same / total : 0.0;
    }

    static bool InTextArea(int x, int y)
    {
        return (x < 320 && y < 30) || (x >= 960 && y >= 745);
    }

    // The better match of the two cursor pictures at (x, y).
    double CursorAt(const Picture &shot, int x, int y)
    {
        return std::max(SpriteMatch(shot, cursor, 0, 0, 16, 16, x, y),
                        SpriteMatch(shot, cursor, 16, 0, 16, 16, x, y));
    }

    XServer server;
    Picture background;
    Picture cursor;
};

TEST_F(PlayTest, ShowsBackgroundTitleAndCursorAtTheCentre)
{
    Game game(&server, {});
    Start(game);
    Picture shot = Screenshot(server);
    ASSERT_FALSE(shot.Empty());
    EXPECT_GT(BackgroundShare(shot, 0, 0, 1024, 768), 0.97);
    EXPECT_GT(CursorAt(shot, 512, 384), 0.9);

    int white = 0;
    for (int y = 6; y < 24; y++)
        for (int x = 6; x < 260; x++)
            white += shot.At(x, y)[0] > 220 && shot.At(x, y)[1] > 220 && shot.At(x, y)[2] > 220;
    EXPECT_GT(white, 40) << "the title is drawn in white from (8, 8)";
    EXPECT_EQ("", game.Stderr());
}

TEST_F(PlayTest, CursorFollowsRelativeMouseMotion)
{
    Game game(&server, {});
    Start(game);
    ASSERT_EQ(0, RunCommand(server, "xdotool mousemove_relative -- 100 50"));
    SleepMs(400);
    Picture shot = Screenshot(server);
    EXPECT_GT(CursorAt(shot, 612, 434), 0.9);
    ASSERT_EQ(0, RunCommand(server, "xdotool mousemove_relative -- -300 -200"));
    SleepMs(400);
    shot = Screenshot(server);
    EXPECT_GT(CursorAt(shot, 312, 234), 0.9);
}

TEST_F(PlayTest, HeldButtonGrowsTrailsAndExplosionsThatGoAfterRelease)
{
    Game game(&server, {});
    Start(game);
    ASSERT_EQ(0, RunCommand(server, "xdotool mousedown 1"));
    // Long enough for the first explosions to grow past their small opening pictures.
    SleepMs(3000);
    Picture held = Screenshot(server);
    ASSERT_EQ(0, RunCommand(server, "xdotool mouseup 1"));

    // An explosion centred on the cursor covers much of its 32 x 32 square.
    EXPECT_LT(BackgroundShare(held, 504, 376, 536, 408, 1), 0.93);
    int grey = 0;
    for (int y = 1; y < 120; y++)
        for (int x = 0; x < 1024; x++) {
            const uint8_t *p = held.At(x, y);
            bool isGrey = std::abs(p[0] - p[2]) <= 8 && std::abs(p[0] - p[1]) <= 8 && p[1] >= 90;
            grey += isGrey && !InTextArea(x, y) && !Near(p, background.At(x, y), 12);
        }
    EXPECT_GT(grey, 20) << "grey trail pixels below the top row";

    // 240 frames after the last placement every explosion has gone; frames last 30 ms or more.
    double share = 0;
    for (int i = 0; i < 40 && share < 0.97; i++) {
        SleepMs(500);
        Picture later = Screenshot(server);
        share = BackgroundShare(later, 504, 376, 536, 408, 1);
    }
    EXPECT_GE(share, 0.97) << "the explosions' square shows the background again";
}

TEST_F(PlayTest, EscapeEndsTheProgramWithStatusZeroWithinASecond)
{
    Game game(&server, {});
    Start(game);
    // A tap shorter than a frame may fall between two polls, so the key is held a while.
    ASSERT_EQ(0, RunCommand(server, "xdotool keydown Escape && sleep 0.1 && xdotool keyup Escape"));
    EXPECT_EQ(0, game.WaitExit(1000)) << game.Stderr();
}

TEST_F(PlayTest, LeftAltEndsTheProgramToo)
{
    Game game(&server, {});
    Start(game);
    ASSERT_EQ(0, RunCommand(server, "xdotool keydown Alt_L && sleep 0.1 && xdotool keyup Alt_L"));
    EXPECT_EQ(0, game.WaitExit(1000)) << game.Stderr();
}

TEST_F(PlayTest, InterruptAndTerminateEndThroughTheLoopWithStatusZero)
{
    for (int signal : {SIGINT, SIGTERM}) {
        Game game(&server, {});
        Start(game);
        game.Signal(signal);
        EXPECT_EQ(0, game.WaitExit(1000)) << "signal " << signal << ": " << game.Stderr();
    }
}

} // namespace
