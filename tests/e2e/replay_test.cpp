// replay_test.cpp -- demos replayed headless match their kept pictures; a recorded game replays
// to the same pictures; the player's screenshot and full-screen keys
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <dirent.h>

#include "harness.h"

namespace {

std::string TempDir()
{
    std::string dir = "/tmp/zaf-e2e-replay-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0755);
    return dir;
}

// The overlay's text is drawn by the system's font, whose glyphs may change with its version.
bool InTextArea(int x, int y)
{
    return (x < 320 && y < 30) || (x >= 960 && y >= 745);
}

// Pixels that differ outside the text areas; the first one found goes into *where.
int Differences(const Picture &want, const Picture &got, bool skipText, std::string *where)
{
    if (want.width != got.width || want.height != got.height)
        return want.width * want.height + 1;
    int differ = 0;
    for (int y = 0; y < want.height; y++)
        for (int x = 0; x < want.width; x++) {
            if (skipText && InTextArea(x, y))
                continue;
            if (std::memcmp(want.At(x, y), got.At(x, y), 3) != 0 && differ++ == 0)
                *where = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    return differ;
}

struct Golden {
    const char *demo;
    std::vector<int> presents;
};

class GoldenReplay : public testing::TestWithParam<Golden> {};

// ZAF_UPDATE_GOLDEN=1 writes the pictures instead of checking them (look at them first).
TEST_P(GoldenReplay, MatchesTheKeptPictures)
{
    const Golden &golden = GetParam();
    std::string dir = TempDir();
    std::vector<std::string> args = {"--headless", "--replay",
                                     SourceDir() + "/tests/demos/" + golden.demo + ".dem"};
    for (int n : golden.presents) {
        args.push_back("--screenshot");
        args.push_back(std::to_string(n));
        args.push_back(dir + "/" + golden.demo + "-" + std::to_string(n) + ".bmp");
    }
    std::string said;
    ASSERT_EQ(0, RunGame(args, 60000, &said)) << said;
    EXPECT_EQ("", said);

    bool update = std::getenv("ZAF_UPDATE_GOLDEN") != nullptr;
    for (int n : golden.presents) {
        std::string name = std::string(golden.demo) + "-" + std::to_string(n);
        Picture got = ReadPicture(dir + "/" + name + ".bmp");
        ASSERT_EQ(1024, got.width) << name << ": no screenshot";
        std::string kept = SourceDir() + "/tests/golden/" + name + ".png";
        if (update) {
            SavePng(got, kept);
            continue;
        }
        Picture want = ReadAnyPicture(kept);
        ASSERT_FALSE(want.Empty()) << kept;
        std::string where;
        int differ = Differences(want, got, true, &where);
        if (differ) {
            SavePng(got, "/tmp/" + name + "-got.png");
            ADD_FAILURE() << name << ": " << differ << " pixels differ, first at " << where
                          << "; the replayed picture is /tmp/" << name << "-got.png";
        }
    }
    std::system(("rm -rf " + dir).c_str());
}

INSTANTIATE_TEST_SUITE_P(Demos, GoldenReplay, testing::Values(
    Golden{"full_table", {150, 400}},
    Golden{"edges", {90, 130}},
    Golden{"long_run", {1200, 2500}}),
    [](const testing::TestParamInfo<Golden> &info) { return std::string(info.param.demo); });

class LiveTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Ready()) << "Xvfb did not start"; }

    // Waits until the program shows anything at all.
    void WaitForPicture(Game &game)
    {
        for (int i = 0; i < 100 && game.Running(); i++) {
            SleepMs(100);
            Picture shot = Screenshot(server);
            int lit = 0;
            for (size_t p = 0; p < shot.rgb.size(); p += 3 * 97)
                lit += shot.rgb[p] | shot.rgb[p + 1] | shot.rgb[p + 2] ? 1 : 0;
            if (lit > 1000)
                return;
        }
        FAIL() << "nothing appeared; stderr: " << game.Stderr();
    }

    XServer server;
};

TEST_F(LiveTest, RecordedGameReplaysToTheSamePictures)
{
    std::string dir = TempDir();
    std::string demo = dir + "/played.dem";
    // Well inside the run even on a slow machine: the input below takes about 5 s.
    const std::vector<int> presents = {20, 50, 80};
    std::vector<std::string> live = {"--record", demo}, replay = {"--headless", "--replay", demo};
    for (int n : presents) {
        live.insert(live.end(), {"--screenshot", std::to_string(n), dir + "/live-" + std::to_string(n) + ".bmp"});
        replay.insert(replay.end(), {"--screenshot", std::to_string(n), dir + "/replay-" + std::to_string(n) + ".bmp"});
    }
    {
        Game game(&server, live);
        WaitForPicture(game);
        ASSERT_EQ(0, RunCommand(server, "xdotool mousemove_relative -- 60 40 && xdotool mousedown 1 && "
                                        "sleep 1 && xdotool mousemove_relative -- -250 -150 && sleep 1.5 && "
                                        "xdotool mouseup 1 && xdotool mousemove_relative -- 400 300 && "
                                        "sleep 2 && xdotool keydown Escape && sleep 0.1 && "
                                        "xdotool keyup Escape"));
        ASSERT_EQ(0, game.WaitExit(3000)) << game.Stderr();
    }
    std::string said;
    ASSERT_EQ(0, RunGame(replay, 30000, &said)) << said;
    for (int n : presents) {
        Picture a = ReadPicture(dir + "/live-" + std::to_string(n) + ".bmp");
        Picture b = ReadPicture(dir + "/replay-" + std::to_string(n) + ".bmp");
        ASSERT_EQ(1024, a.width) << "present " << n << " was not saved live";
        std::string where;
        EXPECT_EQ(0, Differences(a, b, false, &where)) << "present " << n << ", first at " << where;
    }
    std::system(("rm -rf " + dir).c_str());
}

TEST_F(LiveTest, F12SavesAScreenshotIntoTheDataFolder)
{
    std::string dir = TempDir();
    setenv("XDG_DATA_HOME", dir.c_str(), 1);
    Game game(&server, {});
    WaitForPicture(game);
    ASSERT_EQ(0, RunCommand(server, "xdotool key F12"));
    SleepMs(500);
    std::string folder = dir + "/zaf/screenshots";
    std::string saved;
    if (DIR *d = opendir(folder.c_str())) {
        while (dirent *entry = readdir(d))
            if (std::string(entry->d_name).size() > 4 && std::string(entry->d_name).find(".bmp") != std::string::npos)
                saved = folder + "/" + entry->d_name;
        closedir(d);
    }
    ASSERT_FALSE(saved.empty()) << "nothing in " << folder << "; stderr: " << game.Stderr();
    EXPECT_EQ(1024, ReadPicture(saved).width);
    EXPECT_TRUE(game.Running()) << "the game ignores F12";
    unsetenv("XDG_DATA_HOME");
    std::system(("rm -rf " + dir).c_str());
}

// On a screen of another shape the picture keeps its own, between black bars; F11 gives a window.
TEST(FullScreen, FitsAWiderScreenAndF11SwitchesToAWindow)
{
    XServer server("1280x1024x24");
    ASSERT_TRUE(server.Ready());
    Game game(&server, {});
    Picture shot;
    for (int i = 0; i < 50 && game.Running(); i++) {
        SleepMs(100);
        shot = Screenshot(server);
        if (!shot.Empty() && shot.At(640, 500)[2] > 0)
            break;
    }
    ASSERT_EQ(1280, shot.width);
    // 1024x768 scaled by 1.25 is 1280x960: 32 black rows above and below.
    for (int x = 0; x < 1280; x += 7) {
        EXPECT_EQ(0, shot.At(x, 10)[0] | shot.At(x, 10)[1] | shot.At(x, 10)[2]) << "x " << x;
        EXPECT_EQ(0, shot.At(x, 1015)[0] | shot.At(x, 1015)[1] | shot.At(x, 1015)[2]) << "x " << x;
    }
    EXPECT_NE(0, shot.At(640, 100)[2]) << "the sky fills the middle";

    ASSERT_EQ(0, RunCommand(server, "xdotool key F11"));
    SleepMs(700);
    shot = Screenshot(server);
    EXPECT_EQ(0, shot.At(1200, 900)[0] | shot.At(1200, 900)[1] | shot.At(1200, 900)[2])
        << "outside the 1024x768 window";
    EXPECT_NE(0, shot.At(1000, 700)[2]) << "inside the window";
    EXPECT_TRUE(game.Running());
}

} // namespace
