// file_test.cpp -- the old Windows file calls over POSIX: open, read, seek from the end, close
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/winbase.h"

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/zaf_file_testXXXXXX";
        int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        path = name;
        FILE *file = fdopen(fd, "wb");
        ASSERT_NE(file, nullptr);
        fputs("0123456789", file);
        fclose(file);
    }
    void TearDown() override { remove(path.c_str()); }
    std::string path;
};

TEST_F(FileTest, ReadsFromAPositionCountedFromTheEnd)
{
    OFSTRUCT info = {};
    HFILE file = OpenFile(path.c_str(), &info, OF_READ);
    ASSERT_NE(file, HFILE_ERROR);
    char head[4] = {};
    EXPECT_EQ(_lread(file, head, 3), 3u);
    EXPECT_STREQ(head, "012");
    EXPECT_EQ(_llseek(file, -4, FILE_END), 6);
    char tail[8] = {};
    EXPECT_EQ(_lread(file, tail, 7), 4u) << "short at the end of the file";
    EXPECT_STREQ(tail, "6789");
    EXPECT_EQ(_lread(file, tail, 7), 0u);
    EXPECT_EQ(_llseek(file, 2, FILE_BEGIN), 2);
    EXPECT_EQ(_llseek(file, 3, FILE_CURRENT), 5);
    EXPECT_EQ(_llseek(file, -20, FILE_END), HFILE_ERROR) << "before the start";
    EXPECT_EQ(_llseek(file, 0, 7), HFILE_ERROR) << "no such origin";
    EXPECT_EQ(_lclose(file), 0);
    EXPECT_EQ(_lread(file, tail, 1), (UINT)-1) << "a closed file";
    EXPECT_EQ(_lclose(file), HFILE_ERROR);
}

TEST(OpenFile, RefusesWhatCannotBeRead)
{
    OFSTRUCT info = {};
    const char *names[] = {"/nonexistent/zaf/cursor.bmp", "/tmp", ""};
    for (const char *name : names) {
        EXPECT_EQ(OpenFile(name, &info, OF_READ), HFILE_ERROR) << name;
        EXPECT_NE(info.nErrCode, 0) << name;
    }
    EXPECT_EQ(OpenFile(nullptr, &info, OF_READ), HFILE_ERROR);
}

} // namespace
