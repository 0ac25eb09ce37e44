// log_test.cpp -- the diagnostic log: no stream, no format, the cut and percent signs
#include <gtest/gtest.h>

#include <string>

#include "shell/log.h"

namespace {

class LogTest : public testing::Test {
protected:
    void SetUp() override { logStream = tmpfile(); }
    void TearDown() override
    {
        if (logStream)
            fclose(logStream);
        logStream = nullptr;
    }

    std::string Written()
    {
        std::string text;
        rewind(logStream);
        for (int c; (c = fgetc(logStream)) != EOF;)
            text += (char)c;
        return text;
    }
};

TEST_F(LogTest, WithoutAStreamNothingIsWritten)
{
    fclose(logStream);
    logStream = nullptr;
    EXPECT_EQ(0, LogLine("\npixel format = %d", 16));
}

TEST_F(LogTest, NullFormatWritesNothingEvenWithAStream)
{
    EXPECT_EQ(0, LogLine(nullptr));
    EXPECT_EQ("", Written());
}

TEST_F(LogTest, WritesTheFormattedLineAsIs)
{
    EXPECT_EQ(1, LogLine("\npixel format = %d", 16));
    EXPECT_EQ("\npixel format = 16", Written());
}

TEST_F(LogTest, PercentSignsInTheFormattedTextArePassedThrough)
{
    EXPECT_EQ(1, LogLine("%s", "100%d %s"));
    EXPECT_EQ("100%d %s", Written());
}

TEST_F(LogTest, LongLinesAreCutTo79Characters)
{
    std::string longText(200, 'x');
    EXPECT_EQ(1, LogLine("%s", longText.c_str()));
    EXPECT_EQ(std::string(79, 'x'), Written());
}

} // namespace
