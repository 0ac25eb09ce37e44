// pixel_test.cpp -- packing 8-bit components into the 5.6.5 and 5.5.5 layouts
#include <gtest/gtest.h>

#include <string>

#include "display/pixel.h"

struct PackCase {
    int red, green, blue;
    Pixel16 want565, want555;
};

class PackTest : public testing::TestWithParam<PackCase> {};

TEST_P(PackTest, PacksEachLayout)
{
    const PackCase &c = GetParam();
    EXPECT_EQ(c.want565, Pack565(c.red, c.green, c.blue)) << c.red << "," << c.green << "," << c.blue;
    EXPECT_EQ(c.want555, Pack555(c.red, c.green, c.blue)) << c.red << "," << c.green << "," << c.blue;
}

INSTANTIATE_TEST_SUITE_P(Components, PackTest, testing::Values(
    PackCase{255, 0, 255, 0xF81F, 0x7C1F},     // red fills the top field, not blue
    PackCase{255, 255, 255, 0xFFFF, 0x7FFF},   // 5.5.5 never sets bit 15
    PackCase{8, 4, 8, 0x0821, 0x0401},         // green keeps one more bit in 5.6.5
    PackCase{7, 3, 7, 0x0000, 0x0000},         // below one step in every field
    PackCase{128, 128, 128, 0x8410, 0x4210},
    PackCase{256, 256, 256, 0x0000, 0x0000},   // only the low 8 bits count
    PackCase{-1, -1, -1, 0xFFFF, 0x7FFF},
    PackCase{1000, 0, 0, 0xE800, 0x7400},      // like 232: no spill into the next field
    PackCase{0, 255, 0, 0x07E0, 0x03E0},
    PackCase{0, 0, 255, 0x001F, 0x001F}),
    [](const testing::TestParamInfo<PackCase> &info) {
        const PackCase &c = info.param;
        auto name = [](int v) { return v < 0 ? "minus" + std::to_string(-v) : std::to_string(v); };
        return name(c.red) + "_" + name(c.green) + "_" + name(c.blue);
    });
