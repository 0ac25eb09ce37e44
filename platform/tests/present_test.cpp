// present_test.cpp -- frames on the window: whole-factor sharpness, kept shape with black bars
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/present.h"
#include "tests/support/test_window.h"

namespace {

class PresentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(TestWindow(), nullptr);
        sdl = SdlWindowOf(TestWindow());
        int width = 0, height = 0;
        SDL_GetWindowSize(sdl, &width, &height);
        ASSERT_EQ(width, 1024);
        ASSERT_EQ(height, 768);
    }
    void TearDown() override { ClosePresenter(); }

    // What the window shows after the present, as 0xRRGGBB.
    std::vector<Uint32> Screen()
    {
        std::vector<Uint32> pixels(1024 * 768);
        SDL_Renderer *renderer = SDL_GetRenderer(sdl);
        EXPECT_NE(renderer, nullptr);
        if (renderer) {
            EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(),
                                           1024 * 4),
                      0);
        }
        for (Uint32 &p : pixels)
            p &= 0xFFFFFF;
        return pixels;
    }

    SDL_Window *sdl = nullptr;
};

TEST_F(PresentTest, AWholeFactorEnlargementStaysSharp)
{
    ASSERT_TRUE(OpenPresenter(sdl, 512, 384));
    SDL_Surface *frame = SDL_CreateRGBSurfaceWithFormat(0, 512, 384, 16, SDL_PIXELFORMAT_RGB565);
    for (int y = 0; y < 384; y++)
        for (int x = 0; x < 512; x++)
            ((Uint16 *)((char *)frame->pixels + y * frame->pitch))[x] = ((x + y) & 1) ? 0xFFFF : 0;
    ASSERT_TRUE(PresentFrame(frame, nullptr));
    std::vector<Uint32> screen = Screen();
    for (int y = 0; y < 768; y++)
        for (int x = 0; x < 1024; x++)
            ASSERT_EQ(screen[y * 1024 + x], ((x / 2 + y / 2) & 1) ? 0xFFFFFFu : 0u)
                << "at " << x << "," << y;
    SDL_FreeSurface(frame);
}

TEST_F(PresentTest, AnotherShapeKeepsItsShapeBetweenBlackBars)
{
    // A square frame fills the height, 768 wide, centred: 128 columns of black each side.
    ASSERT_TRUE(OpenPresenter(sdl, 300, 300));
    SDL_Surface *frame = SDL_CreateRGBSurfaceWithFormat(0, 300, 300, 16, SDL_PIXELFORMAT_RGB565);
    SDL_FillRect(frame, nullptr, 0x07E0);
    ASSERT_TRUE(PresentFrame(frame, nullptr));
    std::vector<Uint32> screen = Screen();
    const int columns[] = {0, 127, 128, 512, 895, 896, 1023};
    for (int x : columns)
        for (int y : {0, 384, 767}) {
            bool bar = x < 128 || x >= 896;
            ASSERT_EQ(screen[y * 1024 + x], bar ? 0u : 0x00FF00u) << "at " << x << "," << y;
        }
    int width = 0, height = 0, pitch = 0;
    const uint16_t *shown = ShownFrame(&width, &height, &pitch);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(width, 300);
    EXPECT_EQ(shown[299 * (pitch / 2) + 299], 0x07E0);
    SDL_FreeSurface(frame);
}

TEST_F(PresentTest, RefusesASecondPresenterAndFramesOfAnotherSize)
{
    ASSERT_TRUE(OpenPresenter(sdl, 64, 48));
    EXPECT_FALSE(OpenPresenter(sdl, 64, 48));
    SDL_Surface *frame = SDL_CreateRGBSurfaceWithFormat(0, 65, 48, 16, SDL_PIXELFORMAT_RGB565);
    EXPECT_FALSE(PresentFrame(frame, nullptr));
    int width = 0, height = 0, pitch = 0;
    EXPECT_EQ(ShownFrame(&width, &height, &pitch), nullptr) << "nothing shown yet";
    SDL_FreeSurface(frame);
}

TEST_F(PresentTest, FullScreenTogglesBackAndForth)
{
    EXPECT_FALSE(ToggleFullScreen()) << "nothing to toggle before a presenter opens";
    ASSERT_TRUE(OpenPresenter(sdl, 64, 48));
    const Uint32 DESKTOP = SDL_WINDOW_FULLSCREEN_DESKTOP;
    bool before = (SDL_GetWindowFlags(sdl) & DESKTOP) == DESKTOP;
    ASSERT_TRUE(ToggleFullScreen());
    EXPECT_NE((SDL_GetWindowFlags(sdl) & DESKTOP) == DESKTOP, before);
    ASSERT_TRUE(ToggleFullScreen());
    EXPECT_EQ((SDL_GetWindowFlags(sdl) & DESKTOP) == DESKTOP, before);
}

} // namespace
