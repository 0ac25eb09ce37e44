// bmp_test.cpp -- the bitmap loader on ImageMagick's files and on damaged files built here
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "display/bmp.h"
#include "display/display.h"
#include "display/pixel.h"
#include "tests/bmp_file.h"
#include "tests/display_reset.h"

// The colours of tests/data/colours.ppm, top row first.
static const int COLOURS_WIDTH = 8;
static const int COLOURS_HEIGHT = 3;
static const uint8_t COLOURS[COLOURS_HEIGHT][COLOURS_WIDTH][3] = {
    {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {48, 32, 16},
     {128, 128, 128}, {8, 4, 8}},
    {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}, {130, 140, 150},
     {160, 170, 180}, {190, 200, 210}, {220, 230, 240}},
    {{255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {1, 2, 3}, {250, 251, 252}, {7, 3, 7},
     {64, 32, 16}, {200, 100, 50}},
};

static int OpenFileCount(void)
{
    int count = 0;
    DIR *folder = opendir("/proc/self/fd");
    if (!folder)
        return -1;
    while (readdir(folder))
        count++;
    closedir(folder);
    return count;
}

static uint16_t PixelAt(const BmpImage &image, int x, int y)
{
    uint16_t value = 0;
    memcpy(&value, image.pixels + 2 * ((size_t)y * image.infoHeader.biWidth + x), 2);
    return value;
}

// The stored pixel array of a file: its last sizeImage bytes.
static Bytes StoredPixels(const Bytes &file, uint32_t sizeImage)
{
    return Bytes(file.end() - sizeImage, file.end());
}

class BmpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDisplay();
        image = {};
        ASSERT_EQ(0, access(DataFile("colours.ppm").c_str(), R_OK))
            << "the checked-in pictures are not at " << DataFile("");
    }
    void TearDown() override
    {
        FreeBmp(&image);
        ResetDisplay();
    }

    BmpImage image;
    TempFolder folder;
};

struct Layout24 {
    int bits;
    Pixel16 (*pack)(int, int, int);
};

static void PrintTo(const Layout24 &c, std::ostream *out)
{
    *out << "pixelBits " << c.bits;
}

class Bmp24Test : public BmpTest, public ::testing::WithParamInterface<Layout24> {
};

TEST_P(Bmp24Test, ConvertsToTheDisplayLayoutTopRowFirst)
{
    pixelBits = GetParam().bits;
    ASSERT_EQ(1, ReadBmp(&image, DataFile("rgb24.bmp").c_str()));
    EXPECT_EQ(16, image.infoHeader.biBitCount);
    ASSERT_EQ(COLOURS_WIDTH, image.infoHeader.biWidth);
    ASSERT_EQ(COLOURS_HEIGHT, image.infoHeader.biHeight);
    for (int y = 0; y < COLOURS_HEIGHT; y++) {
        for (int x = 0; x < COLOURS_WIDTH; x++) {
            const uint8_t *c = COLOURS[y][x];
            EXPECT_EQ(GetParam().pack(c[0], c[1], c[2]), PixelAt(image, x, y))
                << "pixel (" << x << ", " << y << ") colour " << (int)c[0] << "," << (int)c[1]
                << "," << (int)c[2];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, Bmp24Test,
                         ::testing::Values(Layout24{16, Pack565}, Layout24{15, Pack555}),
                         [](const ::testing::TestParamInfo<Layout24> &info) {
                             return "Bits" + std::to_string(info.param.bits);
                         });

TEST_F(BmpTest, Converts24BitKnownValues)
{
    // Row 0 of colours.ppm: red, green, blue, white, black, (0x30, 0x20, 0x10).
    const uint16_t expected565[] = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x3102};
    const uint16_t expected555[] = {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0000, 0x1882};
    ASSERT_EQ(1, ReadBmp(&image, DataFile("rgb24.bmp").c_str()));
    for (int x = 0; x < 6; x++)
        EXPECT_EQ(expected565[x], PixelAt(image, x, 0)) << "pixel " << x;
    FreeBmp(&image);
    pixelBits = 15;
    ASSERT_EQ(1, ReadBmp(&image, DataFile("rgb24.bmp").c_str()));
    for (int x = 0; x < 6; x++)
        EXPECT_EQ(expected555[x], PixelAt(image, x, 0)) << "pixel " << x;
}

TEST_F(BmpTest, Keeps16BitValuesAndTurnsTheRows)
{
    std::string name = DataFile("rgb565.bmp");
    ASSERT_EQ(1, ReadBmp(&image, name.c_str()));
    ASSERT_EQ(16, image.infoHeader.biBitCount);
    Bytes stored = StoredPixels(ReadWholeFile(name), image.infoHeader.biSizeImage);
    size_t rowBytes = COLOURS_WIDTH * 2;
    for (int y = 0; y < COLOURS_HEIGHT; y++) {
        const uint8_t *fileRow = stored.data() + (COLOURS_HEIGHT - 1 - y) * rowBytes;
        EXPECT_EQ(0, memcmp(fileRow, image.pixels + y * rowBytes, rowBytes)) << "row " << y;
    }
    EXPECT_EQ(0xF800, PixelAt(image, 0, 0));
    EXPECT_EQ(0x07E0, PixelAt(image, 1, 0));
    EXPECT_EQ(0x001F, PixelAt(image, 2, 0));
    EXPECT_EQ(0xFFFF, PixelAt(image, 3, 0));
}

TEST_F(BmpTest, Reads8BitIndicesAndConvertsTheColourTable)
{
    std::string name = DataFile("pal8.bmp");
    ASSERT_EQ(1, ReadBmp(&image, name.c_str()));
    ASSERT_EQ(8, image.infoHeader.biBitCount);
    ASSERT_EQ(32, image.infoHeader.biWidth);
    Bytes file = ReadWholeFile(name);
    for (int i = 0; i < 256; i++) {
        const uint8_t *stored = &file[54 + 4 * i];
        PALETTEENTRY e = image.palette[i];
        EXPECT_TRUE(e.peRed == stored[2] && e.peGreen == stored[1] && e.peBlue == stored[0] &&
                    e.peFlags == PC_NOCOLLAPSE)
            << "entry " << i << ": got " << (int)e.peRed << "," << (int)e.peGreen << ","
            << (int)e.peBlue << " flags " << (int)e.peFlags;
    }
    Bytes stored = StoredPixels(file, 1024);
    for (int y = 0; y < 32; y++)
        EXPECT_EQ(0, memcmp(&stored[(31 - y) * 32], image.pixels + y * 32, 32)) << "row " << y;
    // The corners tell top from bottom whatever way the picture was scaled up.
    PALETTEENTRY topLeft = image.palette[image.pixels[0]];
    PALETTEENTRY bottomRight = image.palette[image.pixels[32 * 32 - 1]];
    EXPECT_EQ(255, topLeft.peRed);
    EXPECT_EQ(0, topLeft.peGreen + topLeft.peBlue);
    EXPECT_EQ(200, bottomRight.peRed);
    EXPECT_EQ(100, bottomRight.peGreen);
    EXPECT_EQ(50, bottomRight.peBlue);
}

TEST_F(BmpTest, ColourTableEntryIsSwappedAndFlaggedAndShortTableStillFindsPixels)
{
    // biClrUsed 16: the file holds 16 entries, yet 1024 bytes are read as the table, and
    // the rows are still found from the end of the file.
    BmpLayout b;
    b.bits = 8;
    b.width = 32;
    b.height = 32;
    b.colorsUsed = 16;
    b.table = Bytes(16 * 4, 0);
    b.table[0] = 1;
    b.table[1] = 2;
    b.table[2] = 3;
    b.table[3] = 9;
    for (int i = 0; i < 32 * 32; i++)
        b.pixels.push_back((uint8_t)(i / 32)); // row r (from the bottom) holds r
    b.sizeImage = (uint32_t)b.pixels.size();
    ASSERT_EQ(1, ReadBmp(&image, folder.Write("short-table.bmp", BmpBytes(b)).c_str()));
    EXPECT_EQ(3, image.palette[0].peRed);
    EXPECT_EQ(2, image.palette[0].peGreen);
    EXPECT_EQ(1, image.palette[0].peBlue);
    EXPECT_EQ(PC_NOCOLLAPSE, image.palette[0].peFlags);
    EXPECT_EQ(31, image.pixels[0]);
    EXPECT_EQ(0, image.pixels[31 * 32]);
}

TEST_F(BmpTest, ThreeRowsStoredABCComeOutCBA)
{
    BmpLayout b;
    b.width = 2;
    b.height = 3;
    b.pixels = Words({0xA1, 0xA2, 0xB1, 0xB2, 0xC1, 0xC2});
    b.sizeImage = 12;
    ASSERT_EQ(1, ReadBmp(&image, folder.Write("abc.bmp", BmpBytes(b)).c_str()));
    const uint16_t expected[] = {0xC1, 0xC2, 0xB1, 0xB2, 0xA1, 0xA2};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(expected[i], PixelAt(image, i % 2, i / 2)) << "pixel " << i;
}

TEST_F(BmpTest, PixelsAreFoundFromTheEndPastAnyGap)
{
    BmpLayout b;
    b.width = 2;
    b.height = 1;
    b.gap = Bytes(12, 0xEE); // colour masks or a longer header
    b.pixels = Words({0x1234, 0x5678});
    b.sizeImage = 4;
    ASSERT_EQ(1, ReadBmp(&image, folder.Write("gap.bmp", BmpBytes(b)).c_str()));
    EXPECT_EQ(0x1234, PixelAt(image, 0, 0));
    EXPECT_EQ(0x5678, PixelAt(image, 1, 0));
}

TEST_F(BmpTest, ANewLoadReplacesTheOldPixels)
{
    ASSERT_EQ(1, ReadBmp(&image, DataFile("rgb24.bmp").c_str()));
    ASSERT_EQ(1, ReadBmp(&image, DataFile("rgb565.bmp").c_str()));
    EXPECT_EQ(1, FreeBmp(&image));
    EXPECT_EQ(nullptr, image.pixels);
    EXPECT_EQ(1, FreeBmp(&image)) << "freeing an empty record is harmless";
    EXPECT_EQ(8, image.infoHeader.biWidth) << "headers stay after FreeBmp";
}

// Damaged or unsupported files: each is refused with 0, leaves no pixels and no open file.
struct BadFile {
    const char *name;
    Bytes bytes;
};

static void PrintTo(const BadFile &file, std::ostream *out)
{
    *out << file.name << " (" << file.bytes.size() << " bytes)";
}

static BmpLayout Good16(void)
{
    BmpLayout b;
    b.width = 4;
    b.height = 2;
    b.pixels = Bytes(16, 0x5A);
    b.sizeImage = 16;
    return b;
}

template <typename Change>
static Bytes Damaged(Change change)
{
    BmpLayout b = Good16();
    change(b);
    return BmpBytes(b);
}

static Bytes Truncated(size_t keep)
{
    Bytes bytes = BmpBytes(Good16());
    bytes.resize(keep);
    return bytes;
}

static std::vector<BadFile> BadFiles(void)
{
    return {
        {"Empty", {}},
        {"HalfFileHeader", Truncated(10)},
        {"HalfInfoHeader", Truncated(30)},
        {"WrongMagic", Damaged([](BmpLayout &b) { b.magic = 0x4D43; })},
        {"BitCount4", Damaged([](BmpLayout &b) { b.bits = 4; })},
        {"BitCount32", Damaged([](BmpLayout &b) { b.bits = 32; })},
        {"BitCount0", Damaged([](BmpLayout &b) { b.bits = 0; })},
        {"SizeImageZero", Damaged([](BmpLayout &b) { b.sizeImage = 0; })},
        {"SizeImageOneShort", Damaged([](BmpLayout &b) { b.sizeImage = 15; })},
        {"Size24ForRowsOf16", Damaged([](BmpLayout &b) { b.bits = 24; })},
        {"WidthZero", Damaged([](BmpLayout &b) { b.width = 0; })},
        {"HeightZero", Damaged([](BmpLayout &b) { b.height = 0; })},
        {"WidthNegative", Damaged([](BmpLayout &b) { b.width = -4; })},
        {"HeightNegativeTopDown", Damaged([](BmpLayout &b) { b.height = -2; })},
        {"ProductOverflows32Bits", Damaged([](BmpLayout &b) {
             b.width = 0x10000;
             b.height = 0x10000;
             b.sizeImage = 16;
         })},
        {"HugeRows24Bit", Damaged([](BmpLayout &b) {
             b.bits = 24;
             b.width = 0x7FFFFFFF;
             b.height = 0x7FFFFFFF;
             b.sizeImage = 0xFFFFFFFF;
         })},
        {"SizeImageAboveIntRange", Damaged([](BmpLayout &b) { b.sizeImage = 0x80000000u; })},
        {"SizeImageBeyondFileStart", Damaged([](BmpLayout &b) { b.sizeImage = 200; })},
        {"PixelsInsideHeaders", Damaged([](BmpLayout &b) { b.sizeImage = 16 + 10; })},
        {"PixelArrayCut", Damaged([](BmpLayout &b) { b.pixels.resize(8); })},
        {"ColourTableCut", Damaged([](BmpLayout &b) {
             b.bits = 8;
             b.table = Bytes(100, 0);
             b.pixels = Bytes(8, 1);
             b.sizeImage = 8;
         })},
    };
}

class BmpBadFileTest : public BmpTest, public ::testing::WithParamInterface<BadFile> {
};

TEST_P(BmpBadFileTest, IsRefusedAndLeavesNothingOpenOrAllocated)
{
    std::string name = folder.Write("bad.bmp", GetParam().bytes);
    int filesBefore = OpenFileCount();
    EXPECT_EQ(0, ReadBmp(&image, name.c_str()));
    EXPECT_EQ(nullptr, image.pixels);
    EXPECT_EQ(filesBefore, OpenFileCount()) << "the file was left open";
}

TEST_P(BmpBadFileTest, FreesOrKeepsAnEarlierPictureButNeverLeaksIt)
{
    ASSERT_EQ(1, ReadBmp(&image, DataFile("rgb24.bmp").c_str()));
    std::string name = folder.Write("bad.bmp", GetParam().bytes);
    EXPECT_EQ(0, ReadBmp(&image, name.c_str()));
    // Whatever stayed is still a valid block: FreeBmp in TearDown releases it, and the
    // sanitizer build reports a leak if the failed load dropped it.
}

INSTANTIATE_TEST_SUITE_P(Damaged, BmpBadFileTest, ::testing::ValuesIn(BadFiles()),
                         [](const ::testing::TestParamInfo<BadFile> &info) {
                             return info.param.name;
                         });

class BmpRefusedDataTest : public BmpTest, public ::testing::WithParamInterface<const char *> {
};

TEST_P(BmpRefusedDataTest, IsRefused)
{
    int filesBefore = OpenFileCount();
    EXPECT_EQ(0, ReadBmp(&image, DataFile(GetParam()).c_str()));
    EXPECT_EQ(nullptr, image.pixels);
    EXPECT_EQ(filesBefore, OpenFileCount());
}

// ImageMagick's compressed 8-bit file and its 4-bit file, and a file that is not there.
INSTANTIATE_TEST_SUITE_P(ImageMagick, BmpRefusedDataTest,
                         ::testing::Values("pal8rle.bmp", "pal4.bmp", "no-such-file.bmp"));

TEST(FlipRowsTest, TurnsRowsAndLeavesNoRowsAlone)
{
    uint8_t rows[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(1, FlipRows(rows, 2, 3));
    const uint8_t turned[6] = {5, 6, 3, 4, 1, 2};
    EXPECT_EQ(0, memcmp(turned, rows, 6));
    EXPECT_EQ(1, FlipRows(rows, 2, 0));
    EXPECT_EQ(1, FlipRows(rows, 2, -1));
    EXPECT_EQ(0, memcmp(turned, rows, 6));
}
