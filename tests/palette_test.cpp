// palette_test.cpp -- the palette text file: numbers modulo 256, early ends and stray text
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include "display/palette.h"
#include "tests/bmp_file.h"

// What every entry holds before a read, so untouched fields can be told apart.
static const BYTE STALE = 0x5C;

struct Expect {
    int entry;
    int red, green, blue, flags; // -1: keeps STALE
};

struct PaletteCase {
    const char *name;
    std::string text;
    std::vector<Expect> entries;
    int firstStale; // this entry and all later ones keep STALE in every field
};

static void PrintTo(const PaletteCase &c, std::ostream *out)
{
    *out << c.name;
}

static std::string Repeat(const std::string &line, int times)
{
    std::string out;
    for (int i = 0; i < times; i++)
        out += line;
    return out;
}

static std::string Numbered(const char *separator)
{
    std::string out;
    for (int i = 0; i < 256; i++)
        out += std::to_string(i) + " " + std::to_string(255 - i) + " " + std::to_string(i / 3) +
               " " + std::to_string(i % 5) + separator;
    return out;
}

class PaletteTest : public ::testing::TestWithParam<PaletteCase> {
protected:
    void SetUp() override { memset(entries, STALE, sizeof entries); }

    PALETTEENTRY entries[256];
    TempFolder folder;
};

static int FieldOr(int value)
{
    return value < 0 ? STALE : value;
}

TEST_P(PaletteTest, ReadsWhatTheFileHolds)
{
    const PaletteCase &c = GetParam();
    Bytes text(c.text.begin(), c.text.end());
    EXPECT_EQ(1, ReadPaletteText(folder.Write("PALDATA2.PAL", text).c_str(), entries));
    for (const Expect &e : c.entries) {
        PALETTEENTRY got = entries[e.entry];
        EXPECT_TRUE(got.peRed == FieldOr(e.red) && got.peGreen == FieldOr(e.green) &&
                    got.peBlue == FieldOr(e.blue) && got.peFlags == FieldOr(e.flags))
            << "entry " << e.entry << ": expected " << FieldOr(e.red) << " " << FieldOr(e.green)
            << " " << FieldOr(e.blue) << " " << FieldOr(e.flags) << ", got " << (int)got.peRed
            << " " << (int)got.peGreen << " " << (int)got.peBlue << " " << (int)got.peFlags;
    }
    for (int i = c.firstStale; i < 256; i++) {
        PALETTEENTRY got = entries[i];
        EXPECT_TRUE(got.peRed == STALE && got.peGreen == STALE && got.peBlue == STALE &&
                    got.peFlags == STALE)
            << "entry " << i << " was written";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PaletteTest,
    ::testing::Values(
        PaletteCase{"RedFirstThenBlack", "255 0 0 0\n" + Repeat("0 0 0 0\n", 255),
                    {{0, 255, 0, 0, 0}, {1, 0, 0, 0, 0}, {255, 0, 0, 0, 0}}, 256},
        PaletteCase{"OneEntryALine", Numbered("\n"),
                    {{0, 0, 255, 0, 0}, {100, 100, 155, 33, 0}, {255, 255, 0, 85, 0}}, 256},
        PaletteCase{"AllOnOneLine", Numbered(" "),
                    {{0, 0, 255, 0, 0}, {100, 100, 155, 33, 0}, {255, 255, 0, 85, 0}}, 256},
        PaletteCase{"EntriesSpanLines", "1\n2 3\n\t4 5\r\n6\n7 8",
                    {{0, 1, 2, 3, 4}, {1, 5, 6, 7, 8}}, 2},
        PaletteCase{"ModuloAndSigns", "256 -1 300 4\n+7 -256 -257 511",
                    {{0, 0, 255, 44, 4}, {1, 7, 0, 255, 255}}, 2},
        PaletteCase{"NumbersTooLongForAnyInt",
                    "99999999999999999999 -99999999999999999999 "
                    "00000000000000000000000000000000000000000000000000000000000000000000000000000042 "
                    "18446744073709551617",
                    {{0, 255, 1, 42, 1}}, 1},
        PaletteCase{"LetterStopsEverythingAfterIt", "10 20 x 40\n1 2 3 4\n",
                    {{0, 10, 20, -1, -1}}, 1},
        PaletteCase{"DigitsRunIntoALetter", "1 2 3 4 5 6 7q8 9 9 9 9\n",
                    {{0, 1, 2, 3, 4}, {1, 5, 6, 7, -1}}, 2},
        PaletteCase{"LoneSignEndsOnlyItsEntry", "1 2 3 4 5 - 6 7 8 9\n",
                    {{0, 1, 2, 3, 4}, {1, 5, -1, -1, -1}, {2, 6, 7, 8, 9}}, 3},
        PaletteCase{"TenEntriesOnly", Repeat("9 8 7 6\n", 10),
                    {{0, 9, 8, 7, 6}, {9, 9, 8, 7, 6}}, 10},
        PaletteCase{"EmptyFile", "", {}, 0},
        PaletteCase{"TextAfterTheLastEntryIgnored", Repeat("1 1 1 1\n", 256) + "2 2 2 2 zz\n",
                    {{255, 1, 1, 1, 1}}, 256}),
    [](const ::testing::TestParamInfo<PaletteCase> &info) { return info.param.name; });

TEST(PaletteFileTest, MissingFileGivesZeroAndTouchesNothing)
{
    PALETTEENTRY entries[256];
    memset(entries, STALE, sizeof entries);
    EXPECT_EQ(0, ReadPaletteText("/nonexistent-folder/PALDATA2.PAL", entries));
    for (int i = 0; i < 256; i++)
        ASSERT_EQ(STALE, entries[i].peRed) << "entry " << i;
}
