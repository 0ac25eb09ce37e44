// options_test.cpp -- the command line: what each option sets and what is refused
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/options.h"

namespace {

OptionsVerdict Parse(std::vector<std::string> words, RunOptions *options, std::string *error,
                     std::string *out = nullptr)
{
    words.insert(words.begin(), "zaf");
    std::vector<char *> argv;
    for (std::string &w : words)
        argv.push_back(&w[0]);
    std::string ignored;
    return ParseOptions((int)argv.size(), argv.data(), options, error, out ? out : &ignored);
}

TEST(Options, NoOptionPlaysAsBefore)
{
    RunOptions options;
    std::string error;
    ASSERT_EQ(OPTIONS_RUN, Parse({}, &options, &error));
    EXPECT_FALSE(options.windowed);
    EXPECT_FALSE(options.headless);
    EXPECT_TRUE(options.recordPath.empty());
    EXPECT_TRUE(options.replayPath.empty());
    EXPECT_TRUE(options.shots.empty());
}

TEST(Options, EveryOptionTogether)
{
    RunOptions options;
    std::string error;
    ASSERT_EQ(OPTIONS_RUN, Parse({"--window", "--headless", "--record", "out.dem", "--replay",
                                  "in.dem", "--screenshot", "5", "a.bmp", "--screenshot", "12",
                                  "b.bmp"},
                                 &options, &error))
        << error;
    EXPECT_TRUE(options.windowed);
    EXPECT_TRUE(options.headless);
    EXPECT_EQ("out.dem", options.recordPath);
    EXPECT_EQ("in.dem", options.replayPath);
    ASSERT_EQ(2u, options.shots.size());
    EXPECT_EQ(5, options.shots[0].present);
    EXPECT_EQ("a.bmp", options.shots[0].path);
    EXPECT_EQ(12, options.shots[1].present);
    EXPECT_EQ("b.bmp", options.shots[1].path);
}

TEST(Options, HelpAndVersionPrintAndEnd)
{
    RunOptions options;
    std::string error, out;
    EXPECT_EQ(OPTIONS_DONE, Parse({"--help"}, &options, &error, &out));
    EXPECT_NE(std::string::npos, out.find("--screenshot N FILE"));
    EXPECT_EQ(OPTIONS_DONE, Parse({"--version"}, &options, &error, &out));
    EXPECT_EQ("zaf 1.0\n", out);
}

struct BadCase {
    std::vector<std::string> words;
    const char *wantInError;
};

class BadOptions : public testing::TestWithParam<BadCase> {};

TEST_P(BadOptions, AreRefusedWithAReason)
{
    RunOptions options;
    std::string error;
    EXPECT_EQ(OPTIONS_BAD, Parse(GetParam().words, &options, &error));
    EXPECT_NE(std::string::npos, error.find(GetParam().wantInError)) << "got: " << error;
}

INSTANTIATE_TEST_SUITE_P(Table, BadOptions, testing::Values(
    BadCase{{"--fullscreen"}, "unknown option '--fullscreen'"},
    BadCase{{"window"}, "unknown option 'window'"},
    BadCase{{"--record"}, "--record needs a file name"},
    BadCase{{"--replay", ""}, "--replay needs a file name"},
    BadCase{{"--record", "a", "--record", "b"}, "given twice"},
    BadCase{{"--record", "a", "--replay", "a"}, "same file"},
    BadCase{{"--screenshot", "5"}, "needs a present number and a file name"},
    BadCase{{"--screenshot", "0", "a.bmp"}, "'0' is not a present number"},
    BadCase{{"--screenshot", "-3", "a.bmp"}, "'-3' is not a present number"},
    BadCase{{"--screenshot", "7x", "a.bmp"}, "'7x' is not a present number"},
    BadCase{{"--screenshot", "99999999999999999999999", "a.bmp"}, "is not a present number"},
    BadCase{{"--screenshot", "4", ""}, "needs a file name"}));

} // namespace
