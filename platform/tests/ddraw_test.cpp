// ddraw_test.cpp -- the DirectDraw stand-in's device, primary surfaces, presenting and object lifetimes
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/ddraw.h"
#include "platform/live_objects.h"
#include "platform/present.h"
#include "platform/screenshot.h"
#include "platform/seam.h"
#include "tests/support/test_window.h"

namespace {

const DWORD FULL_SCREEN = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT |
                          DDSCL_ALLOWMODEX | DDSCL_MULTITHREADED;

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = TestWindow();
        ASSERT_NE(window, nullptr);
        liveBefore = liveObjectCount;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, (LPVOID *)&dd, IID_IDirectDraw7, nullptr), DD_OK);
    }
    void TearDown() override
    {
        if (dd)
            dd->Release();
        EXPECT_EQ(liveObjectCount, liveBefore) << "objects left alive";
        EXPECT_FALSE(IsPresenterOpen());
    }

    // The open the game makes: exclusive, the mode, a primary with one back buffer.
    void OpenFullScreen(DWORD bits, IDirectDrawSurface7 **primary, IDirectDrawSurface7 **back)
    {
        ASSERT_EQ(dd->SetCooperativeLevel(window, FULL_SCREEN), DD_OK);
        ASSERT_EQ(dd->SetDisplayMode(1024, 768, bits, 0, 0), DD_OK);
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = 1;
        ASSERT_EQ(dd->CreateSurface(&desc, primary, nullptr), DD_OK);
        DDSCAPS2 caps = {DDSCAPS_BACKBUFFER, 0, 0, 0};
        ASSERT_EQ((*primary)->GetAttachedSurface(&caps, back), DD_OK);
    }

    static void Fill(IDirectDrawSurface7 *surface, DWORD color)
    {
        DDBLTFX fx = {};
        fx.dwSize = sizeof fx;
        fx.dwFillColor = color;
        ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    }

    static uint16_t Shown(int x, int y)
    {
        int width = 0, height = 0, pitch = 0;
        const uint16_t *frame = ShownFrame(&width, &height, &pitch);
        if (frame == nullptr || x >= width || y >= height)
            return 0xDEAD;
        return frame[y * (pitch / 2) + x];
    }

    HWND window = nullptr;
    IDirectDraw7 *dd = nullptr;
    int liveBefore = 0;
};

TEST_F(DirectDrawTest, FlipShowsTheBackBufferAndTradesPlaces)
{
    IDirectDrawSurface7 *primary = nullptr, *back = nullptr;
    OpenFullScreen(16, &primary, &back);
    DDPIXELFORMAT format = {};
    format.dwSize = sizeof format;
    ASSERT_EQ(primary->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(format.dwRGBBitCount, 16u);

    Fill(primary, 0x001F);
    EXPECT_EQ(Shown(0, 0), 0x001F) << "drawing on the primary shows at once";
    Fill(back, 0xF800);
    EXPECT_EQ(Shown(512, 384), 0x001F) << "the back buffer is not seen before the flip";
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Shown(1023, 767), 0xF800);
    // The old front is now behind.
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Shown(0, 767), 0x001F);
    EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);

    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
    back->Unlock(nullptr);
    back->Release();
    primary->Release();
}

TEST_F(DirectDrawTest, OnlyFramesCountAsPresentsAndAFlipNotShownChangesNothing)
{
    IDirectDrawSurface7 *primary = nullptr, *back = nullptr;
    OpenFullScreen(16, &primary, &back);
    long before = PresentCount();
    Fill(primary, 0x001F);
    EXPECT_EQ(PresentCount(), before) << "a fill on the primary is not one of the frames";
    Fill(back, 0xF800);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(PresentCount(), before + 1);

    // With nothing to show on, the flip fails and the buffers stay where they were.
    Fill(back, 0x07E0);
    ClosePresenter();
    EXPECT_NE(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(((uint16_t *)desc.lpSurface)[0], 0x07E0) << "the frame waits in the back buffer";
    back->Unlock(nullptr);
    EXPECT_EQ(PresentCount(), before + 1);
    back->Release();
    primary->Release();
}

TEST_F(DirectDrawTest, AnEightBitDisplayShowsThroughItsPalette)
{
    IDirectDrawSurface7 *primary = nullptr, *back = nullptr;
    OpenFullScreen(8, &primary, &back);
    DDPIXELFORMAT format = {};
    format.dwSize = sizeof format;
    ASSERT_EQ(primary->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(format.dwRGBBitCount, 8u);
    EXPECT_TRUE(format.dwFlags & DDPF_PALETTEINDEXED8);

    PALETTEENTRY entries[256] = {};
    entries[5] = PALETTEENTRY{0xFF, 0x80, 0x08, 0};
    IDirectDrawPalette *palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    Fill(back, 0x105);  // only the index byte counts
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Shown(100, 100), (0xFF >> 3) << 11 | (0x80 >> 2) << 5 | (0x08 >> 3));

    palette->Release();
    back->Release();
    primary->Release();
}

TEST_F(DirectDrawTest, AWindowedPrimaryTakesScreenCoordinatesCutToTheWindow)
{
    ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(dd->SetDisplayMode(1024, 768, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7 *primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    IDirectDrawSurface7 *second = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(second, nullptr);

    IDirectDrawClipper *clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);

    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = 1024;
    desc.dwHeight = 768;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface7 *back = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &back, nullptr), DD_OK);
    Fill(back, 0x07E0);
    RECT place = {};
    ASSERT_TRUE(GetWindowRect(window, &place));
    RECT whole = {place.left, place.top, place.left + 1024, place.top + 768};
    ASSERT_EQ(primary->Blt(&whole, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Shown(0, 0), 0x07E0);
    EXPECT_EQ(Shown(1023, 767), 0x07E0);

    Fill(back, 0xFFFF);
    RECT shifted = {whole.left + 1000, whole.top + 700, whole.right + 1000, whole.bottom + 700};
    ASSERT_EQ(primary->Blt(&shifted, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Shown(999, 699), 0x07E0);
    EXPECT_EQ(Shown(1000, 700), 0xFFFF);

    clipper->Release();
    back->Release();
    primary->Release();
}

TEST_F(DirectDrawTest, HoldersKeepTheirObjectsUntilTheirOwnRelease)
{
    IDirectDrawSurface7 *primary = nullptr, *back = nullptr;
    OpenFullScreen(16, &primary, &back);
    IDirectDrawClipper *clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(back->SetClipper(clipper), DD_OK);
    PALETTEENTRY entries[256] = {};
    IDirectDrawPalette *palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr), DD_OK);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    const int all = liveObjectCount;  // dd, primary, back, clipper, palette

    EXPECT_EQ(clipper->Release(), 1u) << "the back buffer still holds the clipper";
    EXPECT_EQ(palette->Release(), 1u) << "the primary still holds the palette";
    EXPECT_EQ(back->Release(), 1u) << "the primary still holds its back buffer";
    EXPECT_EQ(liveObjectCount, all);
    // The chain goes with its head: primary, palette, back buffer and its clipper.
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(liveObjectCount, all - 4);
    EXPECT_FALSE(IsPresenterOpen());
    EXPECT_EQ(dd->Release(), 0u);
    dd = nullptr;
}

TEST_F(DirectDrawTest, RefusesWhatItCannotDo)
{
    IDirectDraw7 *other = (IDirectDraw7 *)0x1;
    GUID wrong = IID_IDirectDraw7;
    wrong.Data1 ^= 1;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, (LPVOID *)&other, wrong, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(other, nullptr);

    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7 *surface = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, FULL_SCREEN), DDERR_INVALIDPARAMS);
    ASSERT_EQ(dd->SetCooperativeLevel(window, FULL_SCREEN), DD_OK);
    EXPECT_EQ(dd->SetDisplayMode(1024, 768, 32, 0, 0), DDERR_INVALIDMODE);

    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    const DWORD sizes[][2] = {{0, 10}, {10, 0}, {100000, 10}, {10, 0xFFFFFFFF}};
    for (const DWORD *size : sizes) {
        desc.dwWidth = size[0];
        desc.dwHeight = size[1];
        EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS)
            << size[0] << "x" << size[1];
        EXPECT_EQ(surface, nullptr);
    }
}

HRESULT StandIn(GUID *, LPVOID *made, REFIID, IUnknown *)
{
    *made = (LPVOID)0x5A;
    return S_FALSE;
}

TEST(DirectDrawCreate, CallsTheHookWhenOneIsSet)
{
    directDrawCreateHook = StandIn;
    LPVOID made = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr), S_FALSE);
    EXPECT_EQ(made, (LPVOID)0x5A);
    directDrawCreateHook = nullptr;
}

} // namespace
