// startup_test.cpp -- the real program's start-up failures: no display, bad options, bad pictures
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "harness.h"

namespace {

int Lines(const std::string &text)
{
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

TEST(StartUpE2e, WithoutADisplayServerOneLineAndStatusOne)
{
    Game game(nullptr, {});
    EXPECT_EQ(1, game.WaitExit(5000));
    std::string said = game.Stderr();
    EXPECT_EQ(1, Lines(said)) << said;
    EXPECT_NE(std::string::npos, said.find("cannot open the display")) << said;
}

TEST(StartUpE2e, BadOptionsAreRefusedWithUsageAndStatusTwo)
{
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--screenshot", "x", "a.bmp"}, {"--replay"}}) {
        Game game(nullptr, args);
        EXPECT_EQ(2, game.WaitExit(5000)) << args[0];
        std::string said = game.Stderr();
        EXPECT_NE(std::string::npos, said.find("usage: zaf")) << said;
    }
}

TEST(StartUpE2e, MalformedDemoNamesFileAndLineWithStatusTwo)
{
    std::string path = "/tmp/zaf-e2e-bad-" + std::to_string(getpid()) + ".dem";
    std::ofstream(path) << "zaf-demo 1\nstart-tick 5\n1 2 3 4\n1 2 3 99\n";
    Game game(nullptr, {"--headless", "--replay", path});
    EXPECT_EQ(2, game.WaitExit(5000));
    EXPECT_EQ("zaf: " + path + ":4: buttons '99' is not a mask from 0 to 15\n", game.Stderr());
    std::remove(path.c_str());
}

TEST(StartUpE2e, AScreenshotThatWasNotSavedFailsTheRun)
{
    std::string demo = SourceDir() + "/tests/demos/edges.dem";
    std::string said;
    EXPECT_EQ(1, RunGame({"--headless", "--replay", demo, "--screenshot", "99999", "/tmp/never.bmp"},
                         10000, &said));
    EXPECT_NE(std::string::npos, said.find("no screenshot /tmp/never.bmp")) << said;
    EXPECT_EQ(1, RunGame({"--headless", "--replay", demo, "--screenshot", "3", "/nonexistent/x.bmp"},
                         10000, &said));
    EXPECT_NE(std::string::npos, said.find("cannot save screenshot /nonexistent/x.bmp")) << said;
}

TEST(StartUpE2e, MissingAndDamagedPicturesWarnAndTheGameRunsWithThemBlack)
{
    std::string dir = "/tmp/zaf-e2e-pictures-" + std::to_string(getpid());
    std::string copy = "rm -rf " + dir + " && mkdir -p " + dir + " && cp -r " + SourceDir() +
                       "/image " + dir + "/ && rm " + dir + "/image/cursor.bmp && head -c 3000 " +
                       SourceDir() + "/image/prochee/fon_back01.bmp > " + dir +
                       "/image/prochee/fon_back01.bmp";
    ASSERT_EQ(0, std::system(copy.c_str()));
    std::string shot = dir + "/shot.bmp";
    // Replaying an empty demo headless: a few frames, then the program ends by itself.
    std::ofstream(dir + "/empty.dem") << "zaf-demo 1\nstart-tick 1\n";
    Game game(nullptr, {"--headless", "--replay", dir + "/empty.dem", "--screenshot", "1", shot}, dir);
    EXPECT_EQ(0, game.WaitExit(10000));
    std::string said = game.Stderr();
    EXPECT_EQ(2, Lines(said)) << said;
    EXPECT_NE(std::string::npos, said.find("image/cursor.bmp")) << said;
    EXPECT_NE(std::string::npos, said.find("image/prochee/fon_back01.bmp")) << said;

    Picture picture = ReadPicture(shot);
    ASSERT_EQ(1024, picture.width);
    int lit = 0;
    for (int y = 40; y < 740; y++)
        for (int x = 0; x < 1024; x++)
            lit += picture.At(x, y)[0] | picture.At(x, y)[1] | picture.At(x, y)[2] ? 1 : 0;
    EXPECT_EQ(0, lit) << "a background that could not be read is drawn black";
    std::system(("rm -rf " + dir).c_str());
}

} // namespace
