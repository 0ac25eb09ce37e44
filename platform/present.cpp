// present.cpp -- shows frames on the window through an SDL renderer, sharp at any desktop size
#include "platform/present.h"

#include <SDL.h>

#include <cstring>

#include "platform/options.h"
#include "platform/screenshot.h"

static SDL_Window *presentWindow = nullptr;
static SDL_Renderer *renderer = nullptr;
static int windowWidth = 1024; // the window's own size, when it does not cover the desktop
static int windowHeight = 768;
// The frame as uploaded, 5.6.5.
static SDL_Texture *frameTexture = nullptr;
// The frame enlarged by a whole factor, sharp, before the smooth step to the final size.
static SDL_Texture *enlargedTexture = nullptr;
static int enlargedFactor = 0;
// A copy of what the last present showed, for screenshots; 8-bit frames land here converted.
static SDL_Surface *shownFrame = nullptr;
static int framesShown = 0;

// Without a display there is no GPU: the software renderer must draw straight into the window's
// own framebuffer, or every present pays for a second copy.
static bool IsHeadless(void)
{
    const char *driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && (strcmp(driver, "dummy") == 0 || strcmp(driver, "offscreen") == 0);
}

int OpenPresenter(SDL_Window *window, int width, int height)
{
    if (renderer != nullptr || window == nullptr)
        return 0;
    Uint32 flags = 0;
    if (IsHeadless()) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        flags = SDL_RENDERER_SOFTWARE;
    }
    // No SDL_RENDERER_PRESENTVSYNC: the frame clock sets the pace, never the display.
    renderer = SDL_CreateRenderer(window, -1, flags);
    if (renderer != nullptr)
        frameTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                         SDL_TEXTUREACCESS_STREAMING, width, height);
    shownFrame = SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565);
    if (renderer == nullptr || frameTexture == nullptr || shownFrame == nullptr) {
        ClosePresenter();
        return 0;
    }
    presentWindow = window;
    windowWidth = width;
    windowHeight = height;
    framesShown = 0;
    return 1;
}

void ClosePresenter(void)
{
    if (enlargedTexture != nullptr)
        SDL_DestroyTexture(enlargedTexture);
    if (frameTexture != nullptr)
        SDL_DestroyTexture(frameTexture);
    if (renderer != nullptr)
        SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(shownFrame);
    enlargedTexture = nullptr;
    enlargedFactor = 0;
    frameTexture = nullptr;
    renderer = nullptr;
    shownFrame = nullptr;
    presentWindow = nullptr;
}

int IsPresenterOpen(void)
{
    return renderer != nullptr;
}

// Nearest-neighbour into a texture factor times the frame's size; false when that cannot be done.
static bool EnlargeFrame(int factor)
{
    if (!SDL_RenderTargetSupported(renderer))
        return false;
    if (enlargedFactor != factor) {
        if (enlargedTexture != nullptr)
            SDL_DestroyTexture(enlargedTexture);
        enlargedTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                            SDL_TEXTUREACCESS_TARGET, shownFrame->w * factor,
                                            shownFrame->h * factor);
        enlargedFactor = enlargedTexture ? factor : 0;
        if (enlargedTexture == nullptr)
            return false;
        SDL_SetTextureScaleMode(enlargedTexture, SDL_ScaleModeLinear);
    }
    SDL_SetTextureScaleMode(frameTexture, SDL_ScaleModeNearest);
    if (SDL_SetRenderTarget(renderer, enlargedTexture) != 0)
        return false;
    SDL_RenderCopy(renderer, frameTexture, nullptr, nullptr);
    SDL_SetRenderTarget(renderer, nullptr);
    return true;
}

// The largest rectangle of the frame's shape that fits the output, centred: black bars around it.
static void DrawFitted(void)
{
    int outWidth = 0;
    int outHeight = 0;
    SDL_GetRendererOutputSize(renderer, &outWidth, &outHeight);
    long width = shownFrame->w;
    long height = shownFrame->h;
    SDL_Rect fit = {0, 0, outWidth, outHeight};
    if ((long)outWidth * height > (long)outHeight * width)
        fit.w = (int)(outHeight * width / height);
    else
        fit.h = (int)(outWidth * height / width);
    fit.x = (outWidth - fit.w) / 2;
    fit.y = (outHeight - fit.h) / 2;
    int factor = (int)(fit.w / width < fit.h / height ? fit.w / width : fit.h / height);

    // Bars only where the frame does not reach.
    if (fit.w != outWidth || fit.h != outHeight) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    if (factor >= 1 && fit.w == width * factor && fit.h == height * factor) {
        SDL_SetTextureScaleMode(frameTexture, SDL_ScaleModeNearest);
        SDL_RenderCopy(renderer, frameTexture, nullptr, &fit);
    } else if (factor >= 2 && EnlargeFrame(factor)) {
        SDL_RenderCopy(renderer, enlargedTexture, nullptr, &fit);
    } else {
        SDL_SetTextureScaleMode(frameTexture, SDL_ScaleModeLinear);
        SDL_RenderCopy(renderer, frameTexture, nullptr, &fit);
    }
}

int PresentFrame(SDL_Surface *frame, SDL_Palette *palette, bool counted)
{
    if (renderer == nullptr || frame == nullptr || frame->w != shownFrame->w ||
        frame->h != shownFrame->h)
        return 0;
    if (palette != nullptr && frame->format->palette != nullptr)
        SDL_SetSurfacePalette(frame, palette);
    // A straight copy for 5.6.5 frames; 8-bit ones are looked up in their palette on the way.
    if (SDL_BlitSurface(frame, nullptr, shownFrame, nullptr) != 0)
        return 0;
    // Headless, nothing is shown: the kept copy is the whole of the picture.
    if (!runOptions.headless) {
        if (SDL_UpdateTexture(frameTexture, nullptr, shownFrame->pixels, shownFrame->pitch) != 0)
            return 0;
        DrawFitted();
        SDL_RenderPresent(renderer);
    }
    framesShown++;
    if (counted)
        NotePresent((const uint16_t *)shownFrame->pixels, shownFrame->w, shownFrame->h,
                    shownFrame->pitch);
    return 1;
}

const uint16_t *ShownFrame(int *width, int *height, int *pitch)
{
    if (shownFrame == nullptr || framesShown == 0)
        return nullptr;
    *width = shownFrame->w;
    *height = shownFrame->h;
    *pitch = shownFrame->pitch;
    return (const uint16_t *)shownFrame->pixels;
}

int CoverDesktop(SDL_Window *window, bool cover)
{
    // The window is also sized by hand: without a window manager the full-screen request
    // alone leaves it as it was.
    SDL_DisplayMode desktop;
    int display = SDL_GetWindowDisplayIndex(window);
    if (cover && SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &desktop) == 0) {
        SDL_SetWindowPosition(window, 0, 0);
        SDL_SetWindowSize(window, desktop.w, desktop.h);
    }
    if (SDL_SetWindowFullscreen(window, cover ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return 0;
    if (!cover) {
        SDL_SetWindowSize(window, windowWidth, windowHeight);
        SDL_SetWindowPosition(window, 0, 0);
    }
    return 1;
}

int ToggleFullScreen(void)
{
    if (presentWindow == nullptr)
        return 0;
    bool covering = (SDL_GetWindowFlags(presentWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                    SDL_WINDOW_FULLSCREEN_DESKTOP;
    return CoverDesktop(presentWindow, !covering);
}
