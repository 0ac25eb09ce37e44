// display_test.cpp -- opening and closing the display, and the back-surface clipper, on fakes
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "display/display.h"
#include "display/surface.h"
#include "platform/seam.h"
#include "shell/entry.h"
#include "shell/log.h"
#include "tests/display_reset.h"
#include "tests/fakes/ddraw_mock.h"

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgPointee;
using ::testing::StrictMock;

static const DWORD FULL_SCREEN_FLAGS = 0x453;

// The DirectDraw object the hook hands to OpenDisplay; null makes the creation fail.
static IDirectDraw7 *fakeDirectDraw = nullptr;
static bool askedForDirectDraw7 = false;

static HRESULT HandOutFake(GUID *device, LPVOID *object, REFIID iid, IUnknown *outer)
{
    askedForDirectDraw7 = device == nullptr && outer == nullptr && iid == IID_IDirectDraw7;
    if (fakeDirectDraw == nullptr)
        return DDERR_GENERIC;
    *object = fakeDirectDraw;
    return DD_OK;
}

MATCHER_P2(DescribesPrimary, flags, caps, "")
{
    *result_listener << "dwFlags 0x" << std::hex << arg->dwFlags << " dwCaps 0x"
                     << arg->ddsCaps.dwCaps << std::dec << " back buffers "
                     << arg->dwBackBufferCount;
    DWORD buffers = (flags & DDSD_BACKBUFFERCOUNT) ? 1 : 0;
    return arg->dwSize == sizeof(DDSURFACEDESC2) && arg->dwFlags == (DWORD)flags &&
           arg->ddsCaps.dwCaps == (DWORD)caps && arg->dwBackBufferCount == buffers;
}

MATCHER_P2(DescribesOffscreen, width, height, "")
{
    *result_listener << "dwFlags 0x" << std::hex << arg->dwFlags << " dwCaps 0x"
                     << arg->ddsCaps.dwCaps << std::dec << " size " << arg->dwWidth << "x"
                     << arg->dwHeight;
    return arg->dwFlags == (DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH) &&
           arg->ddsCaps.dwCaps == DDSCAPS_OFFSCREENPLAIN && arg->dwWidth == (DWORD)width &&
           arg->dwHeight == (DWORD)height;
}

MATCHER(AsksForBackBuffer, "")
{
    return arg->dwCaps == DDSCAPS_BACKBUFFER && arg->dwCaps2 == 0 && arg->dwCaps3 == 0 &&
           arg->dwCaps4 == 0;
}

MATCHER_P(FillsWith, color, "")
{
    *result_listener << "fill 0x" << std::hex << arg->dwFillColor;
    return arg->dwSize == sizeof(DDBLTFX) && arg->dwFillColor == (DWORD)color;
}

// What SetClipList saw; the block itself is freed before MakeClipper returns.
struct ClipList {
    RGNDATAHEADER header;
    std::vector<RECT> rects;
};

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDisplay();
        fakeDirectDraw = &draw;
        askedForDirectDraw7 = false;
        directDrawCreateHook = HandOutFake;
    }
    void TearDown() override
    {
        directDrawCreateHook = nullptr;
        fakeDirectDraw = nullptr;
        ResetDisplay();
    }

    StrictMock<MockDirectDraw> draw;
    StrictMock<MockSurface> primary;
    StrictMock<MockSurface> back;
    StrictMock<MockClipper> clipper;
    StrictMock<MockClipper> windowClip;
    StrictMock<MockPalette> palette;
};

TEST_F(DisplayTest, FullScreen16MakesAFlipChainWithoutPaletteAndClosesFourObjects)
{
    {
        InSequence order;
        EXPECT_CALL(draw, SetCooperativeLevel(mainWindow, FULL_SCREEN_FLAGS))
            .WillOnce(Return(DD_OK));
        EXPECT_CALL(draw, SetDisplayMode(1024, 768, 16, 0, 0)).WillOnce(Return(DD_OK));
        EXPECT_CALL(draw, CreateSurface(DescribesPrimary(DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                                                         DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP |
                                                             DDSCAPS_COMPLEX),
                                        _, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(&primary), Return(DD_OK)));
        EXPECT_CALL(primary, GetPixelFormat(_)).WillOnce(ReportBits(16));
        EXPECT_CALL(primary, GetAttachedSurface(AsksForBackBuffer(), _))
            .WillOnce(DoAll(SetArgPointee<1>(&back), Return(DD_OK)));
        EXPECT_CALL(primary, Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT,
                                 FillsWith(0)))
            .WillOnce(Return(DD_OK));
        EXPECT_CALL(back, Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT,
                              FillsWith(0)))
            .WillOnce(Return(DD_OK));
        EXPECT_CALL(draw, CreateClipper(0, _, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(&clipper), Return(DD_OK)));
        EXPECT_CALL(clipper, SetClipList(_, 0)).WillOnce(Return(DD_OK));
        EXPECT_CALL(back, SetClipper(&clipper)).WillOnce(Return(DD_OK));
        // Shut-down.
        EXPECT_CALL(clipper, Release()).WillOnce(Return(0));
        EXPECT_CALL(back, Release()).WillOnce(Return(0));
        EXPECT_CALL(primary, Release()).WillOnce(Return(0));
        EXPECT_CALL(draw, Release()).WillOnce(Return(0));
    }

    EXPECT_EQ(1, OpenDisplay(1024, 768, 16, 0));
    EXPECT_TRUE(askedForDirectDraw7);
    EXPECT_EQ(1024, displayWidth);
    EXPECT_EQ(768, displayHeight);
    EXPECT_EQ(16, displayBpp);
    EXPECT_EQ(0, windowedMode);
    EXPECT_EQ(16, pixelBits);
    EXPECT_EQ(&back, backSurface);
    EXPECT_EQ(&clipper, backClipper);
    EXPECT_EQ(nullptr, windowClipper);
    EXPECT_EQ(nullptr, displayPalette);
    EXPECT_EQ(1, CloseDisplay());
}

TEST_F(DisplayTest, Windowed8MakesOffscreenBackPaletteAndWindowClipperAndClosesSix)
{
    {
        InSequence order;
        EXPECT_CALL(draw, SetCooperativeLevel(mainWindow, DDSCL_NORMAL)).WillOnce(Return(DD_OK));
        EXPECT_CALL(draw, CreateSurface(DescribesPrimary(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE), _,
                                        nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(&primary), Return(DD_OK)));
        EXPECT_CALL(primary, GetPixelFormat(_)).WillOnce(ReportBits(8));
        EXPECT_CALL(draw, CreateSurface(DescribesOffscreen(640, 480), _, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(&back), Return(DD_OK)));
        EXPECT_CALL(back, SetColorKey(DDCKEY_SRCBLT, _)).WillOnce(Return(DD_OK));
        EXPECT_CALL(draw, CreatePalette(DDPCAPS_8BIT, paletteEntries, _, nullptr))
            .WillOnce(DoAll(SetArgPointee<2>(&palette), Return(DD_OK)));
        EXPECT_CALL(primary, SetPalette(&palette)).WillOnce(Return(DD_OK));
        // Windowed, only the back surface is cleared: the primary is the desktop.
        EXPECT_CALL(back, Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT,
                              FillsWith(0)))
            .WillOnce(Return(DD_OK));
        EXPECT_CALL(draw, CreateClipper(0, _, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(&clipper), Return(DD_OK)));
        EXPECT_CALL(clipper, SetClipList(_, 0)).WillOnce(Return(DD_OK));
        EXPECT_CALL(back, SetClipper(&clipper)).WillOnce(Return(DD_OK));
        EXPECT_CALL(draw, CreateClipper(0, _, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(&windowClip), Return(DD_OK)));
        EXPECT_CALL(windowClip, SetHWnd(0, mainWindow)).WillOnce(Return(DD_OK));
        EXPECT_CALL(primary, SetClipper(&windowClip)).WillOnce(Return(DD_OK));
        // Shut-down.
        EXPECT_CALL(clipper, Release()).WillOnce(Return(0));
        EXPECT_CALL(windowClip, Release()).WillOnce(Return(0));
        EXPECT_CALL(palette, Release()).WillOnce(Return(0));
        EXPECT_CALL(back, Release()).WillOnce(Return(0));
        EXPECT_CALL(primary, Release()).WillOnce(Return(0));
        EXPECT_CALL(draw, Release()).WillOnce(Return(0));
    }

    EXPECT_EQ(1, OpenDisplay(640, 480, 8, 1));
    EXPECT_EQ(8, pixelBits);
    EXPECT_NE(0, windowedMode);
    EXPECT_EQ(&windowClip, windowClipper);
    EXPECT_EQ(&palette, displayPalette);
    EXPECT_EQ(1, CloseDisplay());
}

TEST_F(DisplayTest, FailedModeChangeLeavesTheRecordedModeAndKeepsTheObjectForClose)
{
    displayWidth = 11;
    displayHeight = 22;
    displayBpp = 33;
    windowedMode = 44;
    EXPECT_CALL(draw, SetCooperativeLevel(_, FULL_SCREEN_FLAGS)).WillOnce(Return(DD_OK));
    EXPECT_CALL(draw, SetDisplayMode(1024, 768, 16, 0, 0)).WillOnce(Return(DDERR_INVALIDMODE));

    EXPECT_EQ(0, OpenDisplay(1024, 768, 16, 0));
    EXPECT_EQ(11, displayWidth);
    EXPECT_EQ(22, displayHeight);
    EXPECT_EQ(33, displayBpp);
    EXPECT_EQ(44, windowedMode);
    EXPECT_EQ(&draw, directDraw);

    EXPECT_CALL(draw, Release()).WillOnce(Return(0));
    EXPECT_EQ(1, CloseDisplay());
}

TEST_F(DisplayTest, NoDirectDrawObjectFailsAndCloseReleasesNothing)
{
    fakeDirectDraw = nullptr;
    EXPECT_EQ(0, OpenDisplay(1024, 768, 16, 0));
    EXPECT_EQ(0, displayWidth);
    EXPECT_EQ(1, CloseDisplay());
}

// A display that opens without complaint unless a case breaks one of its steps; counts
// every Release it takes.
struct WillingDisplay {
    NiceMock<MockDirectDraw> draw;
    NiceMock<MockSurface> primary;
    NiceMock<MockSurface> back;
    NiceMock<MockClipper> backClip;
    NiceMock<MockClipper> windowClip;
    NiceMock<MockPalette> palette;
    int releases = 0;
    int clippersMade = 0;

    WillingDisplay()
    {
        auto count = [this]() { return (ULONG)++releases; };
        ON_CALL(draw, Release()).WillByDefault(Invoke(count));
        ON_CALL(primary, Release()).WillByDefault(Invoke(count));
        ON_CALL(back, Release()).WillByDefault(Invoke(count));
        ON_CALL(backClip, Release()).WillByDefault(Invoke(count));
        ON_CALL(windowClip, Release()).WillByDefault(Invoke(count));
        ON_CALL(palette, Release()).WillByDefault(Invoke(count));
        ON_CALL(draw, SetCooperativeLevel(_, _)).WillByDefault(Return(DD_OK));
        ON_CALL(draw, SetDisplayMode(_, _, _, _, _)).WillByDefault(Return(DD_OK));
        ON_CALL(draw, CreateSurface(_, _, _))
            .WillByDefault(DoAll(SetArgPointee<1>(&back), Return(DD_OK)));
        ON_CALL(draw, CreateSurface(::testing::Field(&DDSURFACEDESC2::ddsCaps,
                                                     ::testing::Field(&DDSCAPS2::dwCaps,
                                                                      IsPrimaryCaps())),
                                    _, _))
            .WillByDefault(DoAll(SetArgPointee<1>(&primary), Return(DD_OK)));
        ON_CALL(primary, GetPixelFormat(_)).WillByDefault(ReportBits(16));
        ON_CALL(primary, GetAttachedSurface(_, _))
            .WillByDefault(DoAll(SetArgPointee<1>(&back), Return(DD_OK)));
        ON_CALL(draw, CreatePalette(_, _, _, _))
            .WillByDefault(DoAll(SetArgPointee<2>(&palette), Return(DD_OK)));
        ON_CALL(draw, CreateClipper(_, _, _))
            .WillByDefault(Invoke([this](DWORD, IDirectDrawClipper **made, IUnknown *) {
                *made = clippersMade++ == 0 ? &backClip : &windowClip;
                return DD_OK;
            }));
        ON_CALL(primary, SetPalette(_)).WillByDefault(Return(DD_OK));
        ON_CALL(primary, SetClipper(_)).WillByDefault(Return(DD_OK));
        ON_CALL(back, SetClipper(_)).WillByDefault(Return(DD_OK));
        ON_CALL(backClip, SetClipList(_, _)).WillByDefault(Return(DD_OK));
        ON_CALL(windowClip, SetHWnd(_, _)).WillByDefault(Return(DD_OK));
    }

    static ::testing::Matcher<DWORD> IsPrimaryCaps()
    {
        return ::testing::Truly([](DWORD caps) { return (caps & DDSCAPS_PRIMARYSURFACE) != 0; });
    }
};

struct BreakCase {
    const char *name;
    int windowed;
    int bpp;
    void (*breakStep)(WillingDisplay &);
    int result;
    int releases; // by the open and the close together
};

static void PrintTo(const BreakCase &c, std::ostream *out)
{
    *out << c.name;
}

static void BreakNothing(WillingDisplay &) {}
static void BreakCooperation(WillingDisplay &d)
{
    ON_CALL(d.draw, SetCooperativeLevel(_, _)).WillByDefault(Return(DDERR_GENERIC));
}
static void BreakPrimary(WillingDisplay &d)
{
    ON_CALL(d.draw, CreateSurface(_, _, _)).WillByDefault(Return(DDERR_OUTOFMEMORY));
}
static void HandOutNullPrimary(WillingDisplay &d)
{
    ON_CALL(d.draw, CreateSurface(_, _, _)).WillByDefault(Return(DD_OK));
}
static void BreakAttached(WillingDisplay &d)
{
    ON_CALL(d.primary, GetAttachedSurface(_, _)).WillByDefault(Return(DDERR_NOTFOUND));
}
static void BreakOffscreenBack(WillingDisplay &d)
{
    ON_CALL(d.draw, CreateSurface(::testing::Field(&DDSURFACEDESC2::ddsCaps,
                                                   ::testing::Field(&DDSCAPS2::dwCaps,
                                                                    DDSCAPS_OFFSCREENPLAIN)),
                                  _, _))
        .WillByDefault(Return(DDERR_OUTOFMEMORY));
}
static void BreakPalette(WillingDisplay &d)
{
    ON_CALL(d.draw, CreatePalette(_, _, _, _)).WillByDefault(Return(DDERR_GENERIC));
}
static void BreakSetPalette(WillingDisplay &d)
{
    ON_CALL(d.primary, SetPalette(_)).WillByDefault(Return(DDERR_GENERIC));
}
static void BreakBackClipList(WillingDisplay &d)
{
    ON_CALL(d.backClip, SetClipList(_, _)).WillByDefault(Return(DDERR_GENERIC));
}
static void BreakWindowClipper(WillingDisplay &d)
{
    ON_CALL(d.draw, CreateClipper(_, _, _))
        .WillByDefault(Invoke([&d](DWORD, IDirectDrawClipper **made, IUnknown *) {
            if (d.clippersMade++ != 0)
                return DDERR_GENERIC;
            *made = &d.backClip;
            return DD_OK;
        }));
}
static void BreakHWnd(WillingDisplay &d)
{
    ON_CALL(d.windowClip, SetHWnd(_, _)).WillByDefault(Return(DDERR_GENERIC));
}
static void BreakPrimaryClipper(WillingDisplay &d)
{
    ON_CALL(d.primary, SetClipper(_)).WillByDefault(Return(DDERR_GENERIC));
}

// Opens against a WillingDisplay the test makes; the hook hands out its DirectDraw object.
class OpenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDisplay();
        directDrawCreateHook = HandOutFake;
    }
    void TearDown() override
    {
        directDrawCreateHook = nullptr;
        fakeDirectDraw = nullptr;
        ResetDisplay();
    }
};

class DisplayBreakTest : public OpenTest, public ::testing::WithParamInterface<BreakCase> {
};

// Each examined step made to fail in turn: the open stops there, calls nothing through an
// object it does not have, and leaves what it made for CloseDisplay.
TEST_P(DisplayBreakTest, StopsAtTheFailedStepAndCloseReleasesWhatWasMade)
{
    const BreakCase &c = GetParam();
    WillingDisplay display;
    fakeDirectDraw = &display.draw;
    c.breakStep(display);

    EXPECT_EQ(c.result, OpenDisplay(640, 480, c.bpp, c.windowed));
    CloseDisplay();
    EXPECT_EQ(c.releases, display.releases);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DisplayBreakTest,
    ::testing::Values(
        BreakCase{"FullScreenOpens", 0, 16, BreakNothing, 1, 4},
        BreakCase{"WindowedOpens", 1, 8, BreakNothing, 1, 6},
        BreakCase{"Cooperation", 0, 16, BreakCooperation, 0, 1},
        BreakCase{"Primary", 0, 16, BreakPrimary, 0, 1},
        BreakCase{"NullPrimary", 1, 16, HandOutNullPrimary, 0, 1},
        BreakCase{"AttachedBackBuffer", 0, 16, BreakAttached, 0, 2},
        BreakCase{"OffscreenBack", 1, 16, BreakOffscreenBack, 0, 2},
        BreakCase{"Palette", 1, 8, BreakPalette, 0, 3},
        BreakCase{"SetPalette", 0, 8, BreakSetPalette, 0, 4},
        // The back clipper is optional: its clipper goes at once and the open succeeds.
        BreakCase{"BackClipList", 0, 16, BreakBackClipList, 1, 4},
        BreakCase{"WindowClipper", 1, 16, BreakWindowClipper, 0, 4},
        BreakCase{"HWnd", 1, 16, BreakHWnd, 0, 5},
        BreakCase{"PrimaryClipper", 1, 16, BreakPrimaryClipper, 0, 5}),
    [](const ::testing::TestParamInfo<BreakCase> &info) { return info.param.name; });

// The two log lines carry the bit count the primary reports, then its layout.
struct LogCase {
    const char *name;
    HRESULT queryResult;
    DWORD bits;
    const char *expected;
};

static void PrintTo(const LogCase &c, std::ostream *out)
{
    *out << c.name;
}

class DisplayLogTest : public OpenTest, public ::testing::WithParamInterface<LogCase> {
};

TEST_P(DisplayLogTest, LogsBitCountAndLayout)
{
    const LogCase &c = GetParam();
    WillingDisplay display;
    fakeDirectDraw = &display.draw;
    ON_CALL(display.primary, GetPixelFormat(_))
        .WillByDefault(Invoke([&c](DDPIXELFORMAT *format) {
            if (SUCCEEDED(c.queryResult))
                format->dwRGBBitCount = c.bits;
            return c.queryResult;
        }));
    FILE *log = tmpfile();
    ASSERT_NE(nullptr, log);
    logStream = log;

    OpenDisplay(1024, 768, 16, 0);
    logStream = nullptr;
    char text[128] = {};
    rewind(log);
    size_t got = fread(text, 1, sizeof text - 1, log);
    fclose(log);
    EXPECT_EQ(std::string(c.expected), std::string(text, got));
    EXPECT_EQ((int)c.bits, pixelBits);
    CloseDisplay();
}

INSTANTIATE_TEST_SUITE_P(
    PixelFormats, DisplayLogTest,
    ::testing::Values(
        LogCase{"Bits16", DD_OK, 16, "\npixel format = 16\npixel format = 5.6.5"},
        LogCase{"Bits15", DD_OK, 15, "\npixel format = 15\npixel format = 5.5.5"},
        LogCase{"Bits32", DD_OK, 32, "\npixel format = 32\npixel format = 5.6.5"},
        LogCase{"FailedQuery", DDERR_GENERIC, 0, "\npixel format = 0\npixel format = 5.6.5"}),
    [](const ::testing::TestParamInfo<LogCase> &info) { return info.param.name; });

// The 8-bit palette: read from the file when there is one, with the twenty system
// entries made explicit in a window.
class DisplayPaletteTest : public OpenTest {
protected:
    void SetUp() override
    {
        OpenTest::SetUp();
        char pattern[] = "/tmp/zaf-palette-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        folder = pattern;
        ASSERT_NE(nullptr, getcwd(home, sizeof home));
        ASSERT_EQ(0, chdir(folder.c_str()));
    }
    void TearDown() override
    {
        unlink((folder + "/PALDATA2.PAL").c_str());
        EXPECT_EQ(0, chdir(home));
        rmdir(folder.c_str());
        OpenTest::TearDown();
    }
    // Entry i is (i, 255 - i, i / 2, 1): every field tells which entry it came from.
    void WritePaletteFile()
    {
        FILE *file = fopen("PALDATA2.PAL", "w");
        ASSERT_NE(nullptr, file);
        for (int i = 0; i < 256; i++)
            fprintf(file, "%d %d %d %d\n", i, 255 - i, i / 2, 1);
        fclose(file);
    }

    std::string folder;
    char home[4096] = {};
};

TEST_F(DisplayPaletteTest, WindowedWithFileMakesTwentyEntriesExplicit)
{
    WritePaletteFile();
    WillingDisplay display;
    fakeDirectDraw = &display.draw;
    EXPECT_CALL(display.draw, CreatePalette(DDPCAPS_8BIT, paletteEntries, _, nullptr));
    ASSERT_EQ(1, OpenDisplay(640, 480, 8, 1));
    for (int i = 0; i < 256; i++) {
        int system = i < 10 || i >= 246;
        EXPECT_EQ(i, paletteEntries[i].peRed) << "entry " << i;
        EXPECT_EQ(255 - i, paletteEntries[i].peGreen) << "entry " << i;
        EXPECT_EQ(i / 2, paletteEntries[i].peBlue) << "entry " << i;
        EXPECT_EQ(system ? PC_EXPLICIT : 1, paletteEntries[i].peFlags) << "entry " << i;
    }
    CloseDisplay();
}

TEST_F(DisplayPaletteTest, FullScreenWithFileKeepsFlagsAsRead)
{
    WritePaletteFile();
    WillingDisplay display;
    fakeDirectDraw = &display.draw;
    EXPECT_CALL(display.draw,
                CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, paletteEntries, _, nullptr));
    ASSERT_EQ(1, OpenDisplay(640, 480, 8, 0));
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(1, paletteEntries[i].peFlags) << "entry " << i;
    CloseDisplay();
}

TEST_F(DisplayPaletteTest, WithoutFileEntriesAreBlackAndStaleValuesCleared)
{
    memset(paletteEntries, 0x77, sizeof paletteEntries);
    WillingDisplay display;
    fakeDirectDraw = &display.draw;
    ASSERT_EQ(1, OpenDisplay(640, 480, 8, 1));
    for (int i = 0; i < 256; i++) {
        int system = i < 10 || i >= 246;
        PALETTEENTRY e = paletteEntries[i];
        EXPECT_EQ(0, e.peRed + e.peGreen + e.peBlue) << "entry " << i;
        EXPECT_EQ(system ? PC_EXPLICIT : 0, e.peFlags) << "entry " << i;
    }
    CloseDisplay();
}

TEST_F(DisplayPaletteTest, SixteenBitsNeverReadsTheFileNorMakesAPalette)
{
    WritePaletteFile();
    WillingDisplay display;
    fakeDirectDraw = &display.draw;
    EXPECT_CALL(display.draw, CreatePalette(_, _, _, _)).Times(0);
    ASSERT_EQ(1, OpenDisplay(640, 480, 16, 1));
    EXPECT_EQ(0, paletteEntries[200].peRed);
    CloseDisplay();
}

// MakeClipper's region block, copied out while SetClipList holds it.
class ClipperTest : public DisplayTest {
protected:
    void ExpectClipList()
    {
        EXPECT_CALL(draw, CreateClipper(0, _, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(&clipper), Return(DD_OK)));
        EXPECT_CALL(clipper, SetClipList(_, 0)).WillOnce(Invoke([this](RGNDATA *region, DWORD) {
            seen.header = region->rdh;
            const RECT *rects = (const RECT *)((const char *)region + 32);
            seen.rects.assign(rects, rects + region->rdh.nCount);
            return DD_OK;
        }));
    }

    ClipList seen = {};
};

struct ClipCase {
    const char *name;
    std::vector<RECT> rects;
    RECT bound;
};

static void PrintTo(const ClipCase &c, std::ostream *out)
{
    *out << c.name;
}

class ClipperRegionTest : public ClipperTest, public ::testing::WithParamInterface<ClipCase> {
};

static bool SameRect(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::string Show(const RECT &r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

TEST_P(ClipperRegionTest, BuildsHeaderBoundAndList)
{
    const ClipCase &c = GetParam();
    directDraw = &draw;
    ExpectClipList();
    EXPECT_CALL(back, SetClipper(&clipper)).WillOnce(Return(DD_OK));

    EXPECT_EQ(&clipper, MakeClipper(&back, (int)c.rects.size(), c.rects.data()));
    EXPECT_EQ(32u, seen.header.dwSize);
    EXPECT_EQ((DWORD)RDH_RECTANGLES, seen.header.iType);
    EXPECT_EQ(c.rects.size(), seen.header.nCount);
    EXPECT_EQ(c.rects.size() * 16, seen.header.nRgnSize);
    EXPECT_TRUE(SameRect(c.bound, seen.header.rcBound))
        << "expected " << Show(c.bound) << ", got " << Show(seen.header.rcBound);
    ASSERT_EQ(c.rects.size(), seen.rects.size());
    for (size_t i = 0; i < c.rects.size(); i++)
        EXPECT_TRUE(SameRect(c.rects[i], seen.rects[i]))
            << "rectangle " << i << ": expected " << Show(c.rects[i]) << ", got "
            << Show(seen.rects[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, ClipperRegionTest,
    ::testing::Values(
        ClipCase{"WholeDisplay", {{0, 0, 1024, 768}}, {0, 0, 1024, 768}},
        ClipCase{"TwoOverlapping", {{10, 20, 30, 40}, {-5, 25, 15, 50}}, {-5, 20, 30, 50}},
        ClipCase{"None", {}, {64000, 64000, -64000, -64000}}),
    [](const ::testing::TestParamInfo<ClipCase> &info) { return info.param.name; });

TEST_F(ClipperTest, FailedClipListReleasesTheClipper)
{
    directDraw = &draw;
    RECT whole = {0, 0, 1024, 768};
    EXPECT_CALL(draw, CreateClipper(0, _, nullptr))
        .WillOnce(DoAll(SetArgPointee<1>(&clipper), Return(DD_OK)));
    EXPECT_CALL(clipper, SetClipList(_, 0)).WillOnce(Return(DDERR_INVALIDRECT));
    EXPECT_CALL(clipper, Release()).WillOnce(Return(0));
    EXPECT_EQ(nullptr, MakeClipper(&back, 1, &whole));
}

TEST_F(ClipperTest, FailedAttachReleasesTheClipper)
{
    directDraw = &draw;
    RECT whole = {0, 0, 1024, 768};
    ExpectClipList();
    EXPECT_CALL(back, SetClipper(&clipper)).WillOnce(Return(DDERR_GENERIC));
    EXPECT_CALL(clipper, Release()).WillOnce(Return(0));
    EXPECT_EQ(nullptr, MakeClipper(&back, 1, &whole));
}

TEST_F(ClipperTest, NoClipperMadeGivesNull)
{
    directDraw = &draw;
    RECT whole = {0, 0, 1024, 768};
    EXPECT_CALL(draw, CreateClipper(0, _, nullptr)).WillOnce(Return(DDERR_OUTOFMEMORY));
    EXPECT_EQ(nullptr, MakeClipper(&back, 1, &whole));
}

TEST_F(ClipperTest, NegativeCountMakesNothing)
{
    directDraw = &draw;
    EXPECT_EQ(nullptr, MakeClipper(&back, -1, nullptr));
}
