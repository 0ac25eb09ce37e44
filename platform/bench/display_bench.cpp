// display_bench.cpp -- what each step of a frame costs on the display, as a multiple of copying one frame
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "display/display.h"
#include "display/surface.h"
#include "tests/support/test_window.h"
#include "platform/wingdi.h"
#include "shell/entry.h"

namespace {

const int WIDTH = 1024;
const int HEIGHT = 768;
const int FRAME_BYTES = WIDTH * HEIGHT * 2;
const int TRAILS = 150;
const int TRAIL_POINTS = 1536;
const int EXPLOSIONS = 30;
// The overlay's title in cp1251, as the game draws it.
const char TITLE[] = "(16-\xE1\xE8\xF2\xEE\xE2\xE0\xFF \xE2\xE5\xF0\xF1\xE8\xFF) \xC8\xC3\xD0\xC0 - ZAF!";

IDirectDrawSurface7 *background = nullptr;
IDirectDrawSurface7 *explosionSheet = nullptr;
HFONT hudFont = nullptr;
std::vector<uint16_t> trailXs;
std::vector<uint16_t> trailYs;

// Every pixel a colour, except one in about sixteen that is black, the key: the worst case for
// a copy that branches on each pixel.
void Scatter(IDirectDrawSurface7 *surface, int width, int height)
{
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr)))
        return;
    for (int y = 0; y < height; y++) {
        uint16_t *row = (uint16_t *)((char *)desc.lpSurface + y * desc.lPitch);
        for (int x = 0; x < width; x++)
            row[x] = (rand() % 16 == 0) ? 0 : (uint16_t)(1 + rand() % 0xFFFF);
    }
    surface->Unlock(nullptr);
}

// Trails run down the screen in random sideways steps, as the game's do.
void MakeTrails()
{
    for (int t = 0; t < TRAILS; t++) {
        int x = rand() % WIDTH;
        for (int i = 0; i < TRAIL_POINTS; i++) {
            x = std::min(WIDTH - 1, std::max(0, x + rand() % 3 - 1));
            trailXs.push_back((uint16_t)x);
            trailYs.push_back((uint16_t)(i / 2));
        }
    }
}

void BM_Memcpy(benchmark::State &state)
{
    std::vector<char> from(FRAME_BYTES, 1), to(FRAME_BYTES, 0);
    for (auto _ : state) {
        memcpy(to.data(), from.data(), FRAME_BYTES);
        benchmark::ClobberMemory();
    }
}

void BM_ClearSurface(benchmark::State &state)
{
    for (auto _ : state)
        ClearSurface(backSurface, 0, nullptr);
}

void BM_KeyedBackground(benchmark::State &state)
{
    for (auto _ : state)
        backSurface->Blt(nullptr, background, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
}

// SDL's own colour-keyed blit of the same kind of picture, for comparison.
void BM_SdlKeyedBlit(benchmark::State &state)
{
    SDL_Surface *from = SDL_CreateRGBSurfaceWithFormat(0, WIDTH, HEIGHT, 16, SDL_PIXELFORMAT_RGB565);
    SDL_Surface *to = SDL_CreateRGBSurfaceWithFormat(0, WIDTH, HEIGHT, 16, SDL_PIXELFORMAT_RGB565);
    for (int y = 0; y < HEIGHT; y++) {
        uint16_t *row = (uint16_t *)((char *)from->pixels + y * from->pitch);
        for (int x = 0; x < WIDTH; x++)
            row[x] = (rand() % 16 == 0) ? 0 : (uint16_t)(1 + rand() % 0xFFFF);
    }
    SDL_SetColorKey(from, SDL_TRUE, 0);
    for (auto _ : state)
        SDL_BlitSurface(from, nullptr, to, nullptr);
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
}

// Thirty 32x32 pictures, a few of them reaching past each edge of the screen.
void BM_Explosions(benchmark::State &state)
{
    std::vector<std::pair<RECT, RECT>> blits;
    for (int i = 0; i < EXPLOSIONS; i++) {
        int x = (i % 6 == 0) ? -8 : (i % 6 == 1) ? WIDTH - 8 : rand() % (WIDTH - 32);
        int y = (i % 5 == 0) ? -8 : (i % 5 == 1) ? HEIGHT - 8 : rand() % (HEIGHT - 32);
        int frame = i % 16;
        blits.push_back({RECT{x, y, x + 32, y + 32}, RECT{frame * 32, 0, frame * 32 + 32, 32}});
    }
    for (auto _ : state)
        for (std::pair<RECT, RECT> &blit : blits)
            backSurface->Blt(&blit.first, explosionSheet, &blit.second, DDBLT_WAIT | DDBLT_KEYSRC,
                             nullptr);
}

void BM_Trails(benchmark::State &state)
{
    for (auto _ : state) {
        LockBackSurface();
        if (lockedBack != nullptr) {
            for (size_t i = 0; i < trailXs.size(); i++) {
                char *at = (char *)lockedBack + trailYs[i] * lockedBackPitch + 2 * trailXs[i];
                *(Pixel16 *)at = 0x8410;
            }
        }
        UnlockBackSurface();
    }
}

void DrawOverlay(COLORREF color)
{
    HDC dc = nullptr;
    if (FAILED(backSurface->GetDC(&dc)))
        return;
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, hudFont);
    SetTextColor(dc, color);
    TextOutA(dc, 8, 8, TITLE, 31);
    TextOutA(dc, 974, 755, "Ver 1.0", 7);
    backSurface->ReleaseDC(dc);
}

void BM_OverlayText(benchmark::State &state)
{
    for (auto _ : state)
        DrawOverlay(RGB(255, 255, 255));
}

// A new colour every time, so each string is rendered afresh: what the text cache saves.
void BM_OverlayTextUncached(benchmark::State &state)
{
    int shade = 0;
    for (auto _ : state)
        DrawOverlay(RGB(255, 255, shade++ & 0xFF));
}

void BM_Flip(benchmark::State &state)
{
    for (auto _ : state)
        ShowFrame();
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClearSurface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyedBackground)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SdlKeyedBlit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Explosions)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Trails)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverlayText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverlayTextUncached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Flip)->Unit(benchmark::kMicrosecond);

// The usual table, then each result again as a multiple of the frame memcpy.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times.push_back({run.benchmark_name(), run.GetAdjustedRealTime()});
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        double copy = 0;
        for (const std::pair<std::string, double> &time : times)
            if (time.first == "BM_Memcpy")
                copy = time.second;
        if (copy <= 0)
            return;
        printf("\n%-28s %12s %10s\n", "step", "us", "x memcpy");
        for (const std::pair<std::string, double> &time : times)
            printf("%-28s %12.1f %10.2f\n", time.first.c_str(), time.second, time.second / copy);
    }

private:
    std::vector<std::pair<std::string, double>> times;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    // Measured without a display unless one is asked for by name.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    mainWindow = TestWindow();
    if (mainWindow == nullptr || !OpenDisplay(WIDTH, HEIGHT, 16, 0)) {
        fprintf(stderr, "display_bench: the display would not open: %s\n", SDL_GetError());
        return 1;
    }
    srand(1);
    background = MakeSurface(WIDTH, HEIGHT, 0, 0);
    explosionSheet = MakeSurface(512, 32, 0, 0);
    if (background == nullptr || explosionSheet == nullptr)
        return 1;
    Scatter(background, WIDTH, HEIGHT);
    Scatter(explosionSheet, 512, 32);
    MakeTrails();
    hudFont = CreateFontA(12, 6, 0, 0, 10, 0, 0, 0, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          "Times New Roman");

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    explosionSheet->Release();
    background->Release();
    CloseDisplay();
    return 0;
}
