// upload_test.cpp -- copying loaded pictures into a locked surface held by a fake
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "display/bmp.h"
#include "display/pixel.h"
#include "display/upload.h"
#include "tests/bmp_file.h"
#include "tests/display_reset.h"
#include "tests/fakes/ddraw_mock.h"

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::StrictMock;

// What the surface holds before an upload, so untouched pixels can be told apart.
static const uint16_t UNTOUCHED = 0xEEEE;

// A 16-bit picture whose pixel (x, y), y counted from the top, holds y << 8 | x.
static Bytes Numbered16(int width, int height)
{
    BmpLayout b;
    b.width = width;
    b.height = height;
    std::vector<uint16_t> values;
    for (int y = height - 1; y >= 0; y--)
        for (int x = 0; x < width; x++)
            values.push_back((uint16_t)(y << 8 | x));
    b.pixels = Words(values);
    b.sizeImage = (uint32_t)b.pixels.size();
    return BmpBytes(b);
}

class UploadTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDisplay(); }
    void TearDown() override { ResetDisplay(); }

    // A surface memory of rows x pitchPixels, locked through the fake.
    void MakeSurfaceMemory(int pitchPixels, int rows)
    {
        pitch = pitchPixels;
        memory.assign((size_t)pitchPixels * rows, UNTOUCHED);
    }
    void ExpectLockAndUnlock()
    {
        InSequence order;
        EXPECT_CALL(surface, Lock(nullptr, _, DDLOCK_WAIT, nullptr))
            .WillOnce(FillLock(memory.data(), pitch * 2));
        EXPECT_CALL(surface, Unlock(nullptr)).WillOnce(Return(DD_OK));
    }
    uint16_t At(int x, int y) const { return memory[(size_t)y * pitch + x]; }
    bool AllUntouched() const
    {
        for (uint16_t v : memory)
            if (v != UNTOUCHED)
                return false;
        return true;
    }

    StrictMock<MockSurface> surface;
    std::vector<uint16_t> memory;
    int pitch = 0;
    TempFolder folder;
};

TEST_F(UploadTest, HeightZeroLocksUnlocksAndFreesButCopiesNothing)
{
    MakeSurfaceMemory(8, 2);
    ExpectLockAndUnlock();
    EXPECT_EQ(1, LoadSurfaceImage(8, 0, folder.Write("p.bmp", Numbered16(8, 2)).c_str(),
                                  &surface));
    EXPECT_TRUE(AllUntouched());
    EXPECT_EQ(nullptr, sharedBmp.pixels);
}

TEST_F(UploadTest, WiderPictureGivesItsLeftPartWithRowsAPictureWidthApart)
{
    MakeSurfaceMemory(32, 3);
    ExpectLockAndUnlock();
    EXPECT_EQ(1, LoadSurfaceImage(32, 3, folder.Write("p.bmp", Numbered16(40, 4)).c_str(),
                                  &surface));
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 32; x++)
            ASSERT_EQ((uint16_t)(y << 8 | x), At(x, y)) << "pixel (" << x << ", " << y << ")";
    EXPECT_EQ(nullptr, sharedBmp.pixels);
}

TEST_F(UploadTest, PitchWiderThanTheRowsLeavesEachRowsTailAlone)
{
    MakeSurfaceMemory(13, 2); // an odd pitch: 26 bytes a row for 8 pixels
    ExpectLockAndUnlock();
    EXPECT_EQ(1, LoadSurfaceImage(8, 2, folder.Write("p.bmp", Numbered16(8, 2)).c_str(),
                                  &surface));
    for (int y = 0; y < 2; y++) {
        for (int x = 0; x < 8; x++)
            EXPECT_EQ((uint16_t)(y << 8 | x), At(x, y)) << "pixel (" << x << ", " << y << ")";
        for (int x = 8; x < 13; x++)
            EXPECT_EQ(UNTOUCHED, At(x, y)) << "tail (" << x << ", " << y << ")";
    }
}

TEST_F(UploadTest, TwentyFourBitPictureArrivesPacked565)
{
    MakeSurfaceMemory(8, 3);
    ExpectLockAndUnlock();
    EXPECT_EQ(1, LoadSurfaceImage(8, 3, DataFile("rgb24.bmp").c_str(), &surface));
    EXPECT_EQ(0xF800, At(0, 0));       // red, top-left of colours.ppm
    EXPECT_EQ(0x3102, At(5, 0));       // blue 0x10, green 0x20, red 0x30
    EXPECT_EQ(Pack565(200, 100, 50), At(7, 2)); // bottom-right
}

// Uploads the copy must skip: the surface keeps what it was made with, a surface that was
// locked is unlocked, and nothing loaded stays behind.
struct SkipCase {
    const char *name;
    int width;
    int height;
    Bytes file; // empty: the file is missing
    bool lockFails;
};

static void PrintTo(const SkipCase &c, std::ostream *out)
{
    *out << c.name;
}

class UploadSkipTest : public UploadTest, public ::testing::WithParamInterface<SkipCase> {
};

TEST_P(UploadSkipTest, LeavesTheSurfaceAsMade)
{
    const SkipCase &c = GetParam();
    MakeSurfaceMemory(32, 4);
    std::string name = c.file.empty() ? folder.path + "/missing.bmp"
                                      : folder.Write("p.bmp", c.file);
    if (c.lockFails) {
        EXPECT_CALL(surface, Lock(_, _, _, _)).WillOnce(Return(DDERR_SURFACEBUSY));
        EXPECT_CALL(surface, Unlock(_)).Times(0);
    } else {
        ExpectLockAndUnlock();
    }
    EXPECT_EQ(0, LoadSurfaceImage(c.width, c.height, name.c_str(), &surface));
    EXPECT_TRUE(AllUntouched());
    EXPECT_EQ(nullptr, sharedBmp.pixels);
}

static Bytes EightBit(int width, int height)
{
    BmpLayout b;
    b.bits = 8;
    b.width = width;
    b.height = height;
    b.table = Bytes(1024, 0);
    b.pixels = Bytes((size_t)width * height, 7);
    b.sizeImage = (uint32_t)b.pixels.size();
    return BmpBytes(b);
}

TEST_F(UploadTest, SurfaceSmallerThanTheCopyIsLeftAlone)
{
    MakeSurfaceMemory(8, 4);
    InSequence order;
    EXPECT_CALL(surface, Lock(nullptr, _, DDLOCK_WAIT, nullptr))
        .WillOnce(Invoke([this](RECT *, DDSURFACEDESC2 *desc, DWORD, HANDLE) {
            desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_LPSURFACE;
            desc->dwWidth = 8;
            desc->dwHeight = 2; // the memory has room for more rows, the surface not
            desc->lpSurface = memory.data();
            desc->lPitch = 16;
            return DD_OK;
        }));
    EXPECT_CALL(surface, Unlock(nullptr)).WillOnce(Return(DD_OK));
    EXPECT_EQ(0, LoadSurfaceImage(8, 4, folder.Write("p.bmp", Numbered16(8, 4)).c_str(),
                                  &surface));
    EXPECT_TRUE(AllUntouched());
    EXPECT_EQ(nullptr, sharedBmp.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Skips, UploadSkipTest,
    ::testing::Values(SkipCase{"MissingFile", 8, 2, {}, false},
                      SkipCase{"EightBitPixels", 32, 4, EightBit(32, 4), false},
                      SkipCase{"PictureTooNarrow", 32, 2, Numbered16(16, 2), false},
                      SkipCase{"PictureTooShort", 8, 4, Numbered16(8, 2), false},
                      SkipCase{"LockFails", 8, 2, Numbered16(8, 2), true}),
    [](const ::testing::TestParamInfo<SkipCase> &info) { return info.param.name; });
