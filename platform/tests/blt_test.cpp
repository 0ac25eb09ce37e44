// blt_test.cpp -- fills, keyed and plain copies, clipping and the lock rules of the surface stand-in
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/ddraw.h"
#include "platform/keyed_copy.h"
#include "tests/support/test_window.h"

namespace {

const uint16_t MARK = 0x1234;
const uint16_t KEY = 0x0000;

class BltTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(TestWindow(), nullptr);
        ASSERT_EQ(DirectDrawCreateEx(nullptr, (LPVOID *)&dd, IID_IDirectDraw7, nullptr), DD_OK);
    }
    void TearDown() override
    {
        for (IDirectDrawSurface7 *s : made)
            s->Release();
        if (dd)
            dd->Release();
    }

    // Odd widths on purpose: rows then carry padding, so the pitch exceeds the width.
    IDirectDrawSurface7 *Make(int width, int height)
    {
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = (DWORD)width;
        desc.dwHeight = (DWORD)height;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        IDirectDrawSurface7 *surface = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        made.push_back(surface);
        return surface;
    }

    static HRESULT Fill(IDirectDrawSurface7 *surface, DWORD color, RECT *rect)
    {
        DDBLTFX fx = {};
        fx.dwSize = sizeof fx;
        fx.dwFillColor = color;
        return surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    }

    // Reads every pixel through the lock, row by row at the reported pitch.
    static std::vector<uint16_t> Read(IDirectDrawSurface7 *surface)
    {
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof desc;
        std::vector<uint16_t> pixels;
        if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr)))
            return pixels;
        for (DWORD y = 0; y < desc.dwHeight; y++) {
            const uint16_t *row = (const uint16_t *)((const char *)desc.lpSurface + y * desc.lPitch);
            pixels.insert(pixels.end(), row, row + desc.dwWidth);
        }
        surface->Unlock(nullptr);
        return pixels;
    }

    static void Write(IDirectDrawSurface7 *surface, const std::vector<uint16_t> &pixels)
    {
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        for (DWORD y = 0; y < desc.dwHeight; y++)
            memcpy((char *)desc.lpSurface + y * desc.lPitch, &pixels[y * desc.dwWidth],
                   desc.dwWidth * 2);
        surface->Unlock(nullptr);
    }

    void ClipTo(IDirectDrawSurface7 *surface, RECT rect)
    {
        IDirectDrawClipper *clipper = nullptr;
        ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
        struct {
            RGNDATAHEADER header;
            RECT rects[1];
        } region = {{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 1, sizeof(RECT), rect}, {rect}};
        ASSERT_EQ(clipper->SetClipList((RGNDATA *)&region, 0), DD_OK);
        ASSERT_EQ(surface->SetClipper(clipper), DD_OK);
        clipper->Release();
    }

    // A source whose pixels all differ, with keyed (black) pixels scattered through it.
    IDirectDrawSurface7 *MakeSource(int width, int height, bool keyed)
    {
        IDirectDrawSurface7 *source = Make(width, height);
        sourcePixels.assign((size_t)width * height, 0);
        for (int i = 0; i < width * height; i++)
            sourcePixels[i] = (i % 5 == 2) ? KEY : (uint16_t)(0x0800 + i);
        Write(source, sourcePixels);
        if (keyed) {
            DDCOLORKEY key = {KEY, KEY};
            EXPECT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
        }
        return source;
    }

    IDirectDraw7 *dd = nullptr;
    std::vector<IDirectDrawSurface7 *> made;
    std::vector<uint16_t> sourcePixels;
};

TEST_F(BltTest, FillsTheWholeSurfaceOrJustTheRectangle)
{
    IDirectDrawSurface7 *surface = Make(9, 7);
    // Only the pixel's 16 bits count.
    ASSERT_EQ(Fill(surface, 0x1F81F, nullptr), DD_OK);
    RECT rect = {2, 3, 5, 7};
    ASSERT_EQ(Fill(surface, 0x07E0, &rect), DD_OK);
    std::vector<uint16_t> pixels = Read(surface);
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 9; x++) {
            bool inside = x >= 2 && x < 5 && y >= 3 && y < 7;
            EXPECT_EQ(pixels[y * 9 + x], inside ? 0x07E0 : 0xF81F) << "at " << x << "," << y;
        }
}

struct KeyedCase {
    const char *name;
    LONG x;
    LONG y;
    RECT source;
};

// The source is 21x7 (two full 8-pixel runs and a tail), the destination 29x13 with a clipper
// over all of it; each case reaches past a different edge or corner.
const KeyedCase KEYED_CASES[] = {
    {"inside", 4, 3, {0, 0, 21, 7}},
    {"past the left", -5, 3, {0, 0, 21, 7}},
    {"past the top", 4, -4, {0, 0, 21, 7}},
    {"past the right", 20, 3, {0, 0, 21, 7}},
    {"past the bottom", 4, 10, {0, 0, 21, 7}},
    {"top-left corner", -3, -2, {0, 0, 21, 7}},
    {"top-right corner", 25, -6, {0, 0, 21, 7}},
    {"bottom-left corner", -20, 12, {0, 0, 21, 7}},
    {"bottom-right corner", 28, 12, {0, 0, 21, 7}},
    {"wholly outside", 29, 0, {0, 0, 21, 7}},
    {"part of the source, past the top-left", -1, -2, {3, 1, 12, 6}},
    {"part of the source, past the bottom-right", 24, 9, {5, 2, 18, 7}},
};

TEST_F(BltTest, KeyedCopyIsCutAtEveryEdgeByTheClipper)
{
    const int W = 29, H = 13, SW = 21, SH = 7;
    for (const KeyedCase &c : KEYED_CASES) {
        SCOPED_TRACE(c.name);
        IDirectDrawSurface7 *source = MakeSource(SW, SH, true);
        IDirectDrawSurface7 *dest = Make(W, H);
        ClipTo(dest, RECT{0, 0, W, H});
        ASSERT_EQ(Fill(dest, MARK, nullptr), DD_OK);
        RECT from = c.source;
        RECT to = {c.x, c.y, c.x + (from.right - from.left), c.y + (from.bottom - from.top)};
        ASSERT_EQ(dest->Blt(&to, source, &from, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);

        std::vector<uint16_t> got = Read(dest);
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                uint16_t expected = MARK;
                if (x >= to.left && x < to.right && y >= to.top && y < to.bottom) {
                    uint16_t s = sourcePixels[(y - c.y + from.top) * SW + (x - c.x + from.left)];
                    if (s != KEY)
                        expected = s;
                }
                ASSERT_EQ(got[y * W + x], expected) << "at " << x << "," << y;
            }
    }
}

TEST_F(BltTest, PlainCopyTakesKeyedPixelsToo)
{
    IDirectDrawSurface7 *source = MakeSource(7, 3, true);
    IDirectDrawSurface7 *dest = Make(7, 3);
    ASSERT_EQ(Fill(dest, MARK, nullptr), DD_OK);
    ASSERT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(dest), sourcePixels);
}

TEST_F(BltTest, WithoutAClipperARectanglePastTheEdgeIsRefusedAndNothingDrawn)
{
    IDirectDrawSurface7 *source = MakeSource(4, 4, true);
    IDirectDrawSurface7 *dest = Make(9, 9);
    ASSERT_EQ(Fill(dest, MARK, nullptr), DD_OK);
    const RECT outside[] = {{-1, 0, 3, 4}, {0, -1, 4, 3}, {6, 0, 10, 4}, {0, 6, 4, 10}, {20, 20, 24, 24}};
    for (RECT to : outside) {
        EXPECT_EQ(dest->Blt(&to, source, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr),
                  DDERR_INVALIDRECT)
            << "dest " << to.left << "," << to.top;
        EXPECT_EQ(Fill(dest, 0, &to), DDERR_INVALIDRECT);
    }
    EXPECT_EQ(Read(dest), std::vector<uint16_t>(81, MARK));
}

TEST_F(BltTest, BadRequestsFailWithoutDrawing)
{
    IDirectDrawSurface7 *keyed = MakeSource(4, 4, true);
    IDirectDrawSurface7 *unkeyed = MakeSource(4, 4, false);
    IDirectDrawSurface7 *dest = Make(9, 9);
    ClipTo(dest, RECT{0, 0, 9, 9});
    ASSERT_EQ(Fill(dest, MARK, nullptr), DD_OK);
    RECT wider = {0, 0, 5, 4};
    RECT pastSource = {2, 2, 6, 6};
    RECT reversed = {4, 0, 0, 4};
    RECT to = {0, 0, 4, 4};
    EXPECT_EQ(dest->Blt(&wider, keyed, nullptr, DDBLT_KEYSRC, nullptr), DDERR_UNSUPPORTED);
    EXPECT_EQ(dest->Blt(&to, keyed, &pastSource, DDBLT_KEYSRC, nullptr), DDERR_INVALIDRECT);
    EXPECT_EQ(dest->Blt(&reversed, keyed, nullptr, DDBLT_KEYSRC, nullptr), DDERR_INVALIDRECT);
    EXPECT_EQ(dest->Blt(&to, unkeyed, nullptr, DDBLT_KEYSRC, nullptr), DDERR_NOCOLORKEY);
    EXPECT_EQ(dest->Blt(&to, nullptr, nullptr, 0, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dest->Blt(&to, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(Read(dest), std::vector<uint16_t>(81, MARK));
}

TEST_F(BltTest, ALockedSurfaceRefusesBlitsAndDeviceContexts)
{
    IDirectDrawSurface7 *source = MakeSource(4, 4, true);
    IDirectDrawSurface7 *dest = Make(4, 4);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(dest->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(dest->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(Fill(dest, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_KEYSRC, nullptr), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(dest->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(dc, nullptr);
    // A locked source is as busy as a locked destination.
    EXPECT_EQ(source->Blt(nullptr, dest, nullptr, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(dest->Unlock(nullptr), DD_OK);
    EXPECT_EQ(dest->Unlock(nullptr), DDERR_NOTLOCKED);
    EXPECT_EQ(Fill(dest, 0, nullptr), DD_OK);

    ASSERT_EQ(dest->GetDC(&dc), DD_OK);
    EXPECT_EQ(dest->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(Fill(dest, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(dest->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(dest->ReleaseDC(dc), DDERR_INVALIDPARAMS);
}

TEST_F(BltTest, LockReportsTheSurfaceItsPitchAndFormat)
{
    IDirectDrawSurface7 *surface = Make(7, 5);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.dwSize, sizeof desc);
    EXPECT_EQ(desc.dwWidth, 7u);
    EXPECT_EQ(desc.dwHeight, 5u);
    EXPECT_GE(desc.lPitch, 14);
    EXPECT_NE(desc.lpSurface, nullptr);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    surface->Unlock(nullptr);

    DDPIXELFORMAT format = {};
    format.dwSize = sizeof format;
    ASSERT_EQ(surface->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(format.dwRGBBitCount, 16u);
    EXPECT_EQ(format.dwRBitMask, 0xF800u);
    EXPECT_EQ(format.dwGBitMask, 0x07E0u);
    EXPECT_EQ(format.dwBBitMask, 0x001Fu);
}

// The vector runs and the scalar tail must agree with a plain per-pixel rule at every width.
TEST(KeyedCopy, MatchesThePerPixelRuleAtEveryRowWidth)
{
    for (int width = 0; width <= 40; width++) {
        std::vector<uint16_t> source(width * 2), dest(width * 2, MARK);
        std::vector<uint8_t> source8(width * 2), dest8(width * 2, 0x34);
        for (int i = 0; i < width * 2; i++) {
            source[i] = (i % 3 == 0) ? 0xF81F : (uint16_t)(i + 1);
            source8[i] = (i % 3 == 0) ? 0x1F : (uint8_t)(i + 1);
        }
        CopyKeyed16(dest.data(), width * 2, source.data(), width * 2, width, 2, 0xF81F);
        CopyKeyed8(dest8.data(), width, source8.data(), width, width, 2, 0x1F);
        for (int i = 0; i < width * 2; i++) {
            ASSERT_EQ(dest[i], i % 3 == 0 ? MARK : source[i]) << "width " << width << " pixel " << i;
            ASSERT_EQ(dest8[i], i % 3 == 0 ? 0x34 : source8[i]) << "width " << width << " pixel " << i;
        }
    }
}

} // namespace
