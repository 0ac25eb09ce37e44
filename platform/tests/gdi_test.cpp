// gdi_test.cpp -- text drawn through a surface's device context: where, what colour, which face
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ddraw.h"
#include "platform/gdi_text.h"
#include "tests/support/test_window.h"
#include "platform/wingdi.h"

namespace {

const int W = 256, H = 64;
// "ИГРА" in cp1251, and the same word in UTF-8.
const char CP1251_WORD[] = "\xC8\xC3\xD0\xC0";
const char UTF8_WORD[] = "\xD0\x98\xD0\x93\xD0\xA0\xD0\x90";

HFONT OverlayFont()
{
    static HFONT font = CreateFontA(12, 6, 0, 0, 10, 0, 0, 0, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, "Times New Roman");
    return font;
}

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(TestWindow(), nullptr);
        ASSERT_EQ(DirectDrawCreateEx(nullptr, (LPVOID *)&dd, IID_IDirectDraw7, nullptr), DD_OK);
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = W;
        desc.dwHeight = H;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        ASSERT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        DDBLTFX fx = {};
        fx.dwSize = sizeof fx;
        ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
        ASSERT_NE(OverlayFont(), nullptr);
    }
    void TearDown() override
    {
        surface->Release();
        dd->Release();
    }

    // Draws as the game's overlay does: transparent background, the font, a colour.
    void Draw(int x, int y, const char *text, int count, COLORREF color)
    {
        HDC dc = nullptr;
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, OverlayFont());
        SetTextColor(dc, color);
        EXPECT_TRUE(TextOutA(dc, x, y, text, count));
        ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    }

    std::vector<uint16_t> Read()
    {
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof desc;
        std::vector<uint16_t> pixels;
        if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr)))
            return pixels;
        for (int y = 0; y < H; y++) {
            const uint16_t *row = (const uint16_t *)((const char *)desc.lpSurface + y * desc.lPitch);
            pixels.insert(pixels.end(), row, row + W);
        }
        surface->Unlock(nullptr);
        return pixels;
    }

    // The rectangle holding every pixel that is not black; empty when there is none.
    static SDL_Rect Inked(const std::vector<uint16_t> &pixels)
    {
        int left = W, top = H, right = 0, bottom = 0;
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++)
                if (pixels[y * W + x] != 0) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
        return SDL_Rect{left, top, std::max(0, right - left), std::max(0, bottom - top)};
    }

    IDirectDraw7 *dd = nullptr;
    IDirectDrawSurface7 *surface = nullptr;
};

TEST_F(GdiTest, WhiteTextLandsInItsCellAndNowhereElse)
{
    Draw(8, 8, "Ver 1.0", 7, RGB(255, 255, 255));
    std::vector<uint16_t> pixels = Read();
    SDL_Rect ink = Inked(pixels);
    EXPECT_GE(ink.x, 8);
    EXPECT_LE(ink.x, 10) << "the V starts at the cell's left edge";
    EXPECT_GE(ink.y, 8);
    EXPECT_LE(ink.y + ink.h, 8 + 12) << "inside the 12-pixel cell";
    EXPECT_GE(ink.h, 7) << "capitals stand most of the cell high";
    EXPECT_LE(ink.x + ink.w, 8 + 7 * 7) << "about 6 pixels a character";
    int white = 0;
    for (uint16_t p : pixels)
        white += (p >> 11) >= 25 && ((p >> 5) & 0x3F) >= 50 && (p & 0x1F) >= 25;
    EXPECT_GE(white, 20) << "the strokes' cores are white";
}

TEST_F(GdiTest, TextComesInTheColourAskedEvenWhenTheSameStringWasDrawnBefore)
{
    Draw(8, 8, "Ver 1.0", 7, RGB(255, 255, 255));
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    Draw(8, 8, "Ver 1.0", 7, RGB(255, 0, 0));
    int red = 0, other = 0;
    for (uint16_t p : Read()) {
        if ((p >> 11) >= 25 && (p & 0x07FF) == 0)
            red++;
        else if (p != 0 && (p & 0x07FF) != 0)
            other++;
    }
    EXPECT_GE(red, 20);
    EXPECT_EQ(other, 0) << "pixels with green or blue in them";
}

TEST_F(GdiTest, AnsiTextIsReadAsCp1251)
{
    Draw(0, 0, CP1251_WORD, 4, RGB(255, 255, 255));
    std::vector<uint16_t> drawn = Read();

    TTF_Font *face = FaceOf(OverlayFont());
    ASSERT_NE(face, nullptr);
    SDL_Surface *expected = TTF_RenderUTF8_Blended(face, UTF8_WORD, SDL_Color{255, 255, 255, 255});
    ASSERT_NE(expected, nullptr);
    SDL_Surface *black = SDL_CreateRGBSurfaceWithFormat(0, W, H, 16, SDL_PIXELFORMAT_RGB565);
    SDL_BlitSurface(expected, nullptr, black, nullptr);
    int differ = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            differ += drawn[y * W + x] != ((uint16_t *)((char *)black->pixels + y * black->pitch))[x];
    EXPECT_EQ(differ, 0) << "pixels unlike the word drawn from UTF-8";
    SDL_FreeSurface(black);
    SDL_FreeSurface(expected);
}

TEST_F(GdiTest, TimesNewRomanIsLiberationSerifTwelvePixelsHighSixWide)
{
    TTF_Font *face = FaceOf(OverlayFont());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(std::string(TTF_FontFaceFamilyName(face)), "Liberation Serif");
    EXPECT_EQ(TTF_FontHeight(face), 12);
    int width = 0, height = 0;
    const char sample[] = "abcdefghijklmnopqrstuvwxyz ";
    ASSERT_EQ(TTF_SizeUTF8(face, sample, &width, &height), 0);
    EXPECT_NEAR(width / 27.0, 6.0, 0.3);
}

TEST_F(GdiTest, AHandleThatIsNoLiveDeviceContextIsRefused)
{
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    HDC again = nullptr;
    EXPECT_EQ(surface->GetDC(&again), DDERR_DCALREADYCREATED);
    EXPECT_EQ(surface->ReleaseDC(reinterpret_cast<HDC>(0x1234)), DDERR_INVALIDPARAMS);
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);

    HDC strangers[] = {dc, reinterpret_cast<HDC>(0x1234), nullptr};
    for (HDC stranger : strangers) {
        EXPECT_EQ(SelectObject(stranger, OverlayFont()), nullptr);
        EXPECT_EQ(SetBkMode(stranger, TRANSPARENT), 0);
        EXPECT_EQ(SetTextColor(stranger, 0), 0xFFFFFFFFu);
        EXPECT_FALSE(TextOutA(stranger, 8, 8, "Ver 1.0", 7));
    }
    EXPECT_EQ(Inked(Read()).w, 0) << "something was drawn";

    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);
    EXPECT_NE(SelectObject(dc, GetStockObject(BLACK_BRUSH)), nullptr);
    EXPECT_FALSE(TextOutA(dc, 8, 8, nullptr, 7));
    EXPECT_FALSE(TextOutA(dc, 8, 8, "Ver", -1));
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
}

} // namespace
